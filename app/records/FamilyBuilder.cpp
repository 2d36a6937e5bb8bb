#include "FamilyBuilder.h"

RecordFamily::Editor FamilyBuilder::editor(const char* name, Kind kind, const char* column, const char* label,
                                           const QString& group, int row, int col, int span) {
    RecordFamily::Editor e;
    e.name = QString::fromUtf8(name);
    e.kind = kind;
    e.column = QString::fromUtf8(column);
    e.label = QString::fromUtf8(label);
    e.group = group;
    e.row = row;
    e.col = col;
    e.span = span;
    return e;
}

RecordFamily::Editor FamilyBuilder::unit(RecordFamily::Editor e, const char* text) {
    e.unit = QString::fromUtf8(text);
    return e;
}

RecordFamily::Editor FamilyBuilder::note(RecordFamily::Editor e, const char* text) {
    e.note = QString::fromUtf8(text);
    return e;
}

RecordFamily::Editor FamilyBuilder::deal(RecordFamily::Editor e) {
    e.deal = true;
    return e;
}

RecordFamily::Editor FamilyBuilder::disabled(RecordFamily::Editor e) {
    e.alwaysDisabled = true;
    return e;
}

RecordFamily::Editor FamilyBuilder::readOnly(RecordFamily::Editor e) {
    e.alwaysReadOnly = true;
    return e;
}

RecordFamily::Editor FamilyBuilder::popup(RecordFamily::Editor e, const char* list, int height) {
    e.checkList = QString::fromUtf8(list);
    e.popupSize = QSize(377, height);
    return e;
}

RecordFamily::GridColumn FamilyBuilder::column(const char* name, int band, bool filter, const char* caption,
                                               int width) {
    return {QString::fromUtf8(name), QString::fromUtf8(caption), band, filter, width};
}

QStringList FamilyBuilder::names(std::initializer_list<const char*> list) {
    QStringList out;
    for (const char* n : list)
        out << QString::fromUtf8(n);
    return out;
}

RecordFamily::PickList FamilyBuilder::pick(const char* dictType, const char* editor) {
    return {QString::fromUtf8(dictType), QString::fromUtf8(editor)};
}

void FamilyBuilder::stateFilters(RecordFamily& f, const QString& dealt, const QString& open) {
    const QString range = QStringLiteral(" Select * from  %1 where  ").arg(f.table);
    const QString order = QStringLiteral("  Order by 编辑日期 DESC  ");
    const QString plain =
        range + QStringLiteral("编辑日期 between :beginDate and :EndDate Order by 编辑日期 DESC  ");
    const QString bracketed =
        range + QStringLiteral("(编辑日期 between :beginDate and :EndDate) and (状态位=:Stat)") + order;
    const QString bare =
        range + QStringLiteral("编辑日期 between :beginDate and :EndDate and 状态位=:Stat") + order;
    f.filters = {
        {QStringLiteral("CKBALL"), QStringLiteral("全部"), plain, false},
        {QStringLiteral("CKBYCZ"), dealt, bracketed, true},
        {QStringLiteral("CKBWCZ"), open, bare, true},
        {QStringLiteral("CKBZF"), QStringLiteral("已作废"), bare, true},
    };
    f.filterOrder = {QStringLiteral("CKBALL"), QStringLiteral("CKBYCZ"), QStringLiteral("CKBZF")};
    f.fallbackFilter = QStringLiteral("CKBWCZ");
}

RecordFamily::StateAction FamilyBuilder::action(const char* button, const char* caption, int glyph,
                                                const char* question, const QString& from,
                                                const QString& to) {
    RecordFamily::StateAction a;
    a.button = QString::fromUtf8(button);
    a.caption = QString::fromUtf8(caption);
    a.glyph = glyph;
    a.question = QString::fromUtf8(question);
    a.from = {from};
    a.to = to;
    return a;
}

RecordFamily::StateAction FamilyBuilder::dealAction(const char* button, const char* caption,
                                                    const char* question, const QString& from,
                                                    const QString& to) {
    RecordFamily::StateAction a = action(button, caption, 2, question, from, to);
    a.setUser = {QStringLiteral("受理人")};
    a.setToday = {QStringLiteral("受理日期")};
    a.viaModify = true;
    a.focusEditor = QStringLiteral("DBCZLinker");
    return a;
}

RecordFamily::Editor FamilyBuilder::billNumber() {
    return disabled(editor("DBEdtId", Kind::Edit, "收件号", "收件号：", QString(), 0, 0));
}

RecordFamily::Editor FamilyBuilder::stateShown() {
    return readOnly(editor("DBEdtStat", Kind::Edit, "状态位", "房屋状态", QString(), 0, 1));
}

QList<RecordFamily::Editor> FamilyBuilder::houseBasics(const QString& group) {
    return {
        editor("DBEdtAddress", Kind::Edit, "房屋地址", "房屋地址", group, 0, 0, 2),
        unit(editor("DbEdtMJ", Kind::Edit, "建筑面积", "房屋面积", group, 1, 0), "(平方米)"),
        unit(editor("DbEdtLC", Kind::Edit, "楼层", "楼层", group, 1, 1), "(层)"),
    };
}

QList<RecordFamily::Editor> FamilyBuilder::ownerContact(const QString& group, int row) {
    return {
        note(editor("CBJT", Kind::Edit, "交通情况", "交通情况", group, row, 0), "(附近的公交车例:1,21,155,)"),
        editor("DbEdtLinker", Kind::Edit, "联系人", "联系人", group, row + 1, 0),
        editor("DbEdtTel", Kind::Edit, "联系电话一", "联系电话", group, row + 1, 1),
        editor("DbEdtSingleId", Kind::Edit, "联系人身份证号", "身份证号码", group, row + 2, 0),
    };
}

QList<RecordFamily::Editor> FamilyBuilder::commissionAndContract(const QString& group, int row) {
    return {
        deal(unit(editor("DbEdtYj", Kind::Edit, "佣金金额", "佣金金额", group, row, 0), "(元)")),
        deal(editor("DbEdtHTH", Kind::Edit, "合同号", "合同号", group, row, 1)),
    };
}

QList<RecordFamily::Editor> FamilyBuilder::handledBy(const QString& group, int row) {
    return {
        disabled(editor("DBEdtSLR", Kind::Edit, "受理人", "受理人", group, row, 0)),
        disabled(editor("DBEdtSLDate", Kind::Edit, "受理日期", "受理日期", group, row, 1)),
    };
}
