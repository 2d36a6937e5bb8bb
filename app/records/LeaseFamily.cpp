#include "LeaseFamily.h"

#include "RecordFamily.h"
#include "TSetValue.h"

namespace {

using Kind = RecordFamily::EditorKind;
using Source = RecordFamily::Preset::Source;

const QString Landlord = QStringLiteral("出租方信息");
const QString Tenant = QStringLiteral("承租方信息");
const QString Handling = QStringLiteral("受理信息");
const QString FollowUp = QStringLiteral("租房跟踪");

RecordFamily::Editor ed(const char* name, Kind kind, const char* column, const char* label,
                        const QString& group, int row, int col, int span = 1) {
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

RecordFamily::Editor unit(RecordFamily::Editor e, const char* text) {
    e.unit = QString::fromUtf8(text);
    return e;
}

RecordFamily::Editor deal(RecordFamily::Editor e) {
    e.deal = true;
    return e;
}

RecordFamily::Editor disabled(RecordFamily::Editor e) {
    e.alwaysDisabled = true;
    return e;
}

RecordFamily::Editor popup(RecordFamily::Editor e, const char* list, int height) {
    e.checkList = QString::fromUtf8(list);
    e.popupSize = QSize(377, height);
    return e;
}

RecordFamily::GridColumn col(const char* column, int band, bool filter = false, const char* caption = "") {
    return {QString::fromUtf8(column), QString::fromUtf8(caption), band, filter, 0};
}

RecordFamily build() {
    RecordFamily f;
    f.table = QStringLiteral("H_出租表");
    f.billType = QStringLiteral("A");
    f.stateColumn = QStringLiteral("状态位");
    f.baseSql = QStringLiteral("Select * from H_出租表 ");

    f.listCaption = QStringLiteral("房屋出租管理");
    f.filters = {
        {QStringLiteral("CKBALL"), QStringLiteral("全部"),
         QStringLiteral(" Select * from  H_出租表 where  编辑日期 between :beginDate and :EndDate Order by "
                        "编辑日期 DESC  "),
         false},
        {QStringLiteral("CKBYCZ"), QStringLiteral("已出租"),
         QStringLiteral(
             " Select * from  H_出租表 where  (编辑日期 between :beginDate and :EndDate) and (状态位=:Stat)  "
             "Order by 编辑日期 DESC  "),
         true},
        {QStringLiteral("CKBWCZ"), QStringLiteral("未出租"),
         QStringLiteral(
             " Select * from  H_出租表 where  编辑日期 between :beginDate and :EndDate and 状态位=:Stat  "
             "Order by 编辑日期 DESC  "),
         true},
        {QStringLiteral("CKBZF"), QStringLiteral("已作废"),
         QStringLiteral(
             " Select * from  H_出租表 where  编辑日期 between :beginDate and :EndDate and 状态位=:Stat  "
             "Order by 编辑日期 DESC  "),
         true},
    };
    f.filterOrder = {QStringLiteral("CKBALL"), QStringLiteral("CKBYCZ"), QStringLiteral("CKBZF")};
    f.fallbackFilter = QStringLiteral("CKBWCZ");

    f.bands = {QStringLiteral("出租信息"), QStringLiteral("中介信息"), QStringLiteral("承租信息")};
    f.columns = {
        col("收件号", 0, true),
        col("状态位", 0, true, "状态"),
        {QStringLiteral("房屋地址"), QString(), 0, false, 220},
        col("建筑面积", 0),
        col("房型", 0, true),
        col("朝向", 0, true),
        col("楼层", 0, true),
        col("租金", 0, true),
        col("区域", 0, true),
        col("装修情况", 0, true),
        col("联系人", 0),
        col("联系电话一", 0),
        col("竣工日期", 0),
        {QStringLiteral("出租方备注"), QString(), 0, false, 160},
        col("编辑人", 1, true, "录入人"),
        col("编辑日期", 1, false, "录入日期"),
        col("受理人", 1, true),
        col("佣金金额", 1),
        col("受理日期", 1),
        col("承租人姓名", 2),
        col("承租日期", 2, true),
        col("承租人联系电话", 2),
        col("承租价格", 2),
        col("承租人身份证号码", 2, false, "身份证号码"),
        col("ID", -1),
        col("产权证号", -1),
        col("房屋设施", -1),
        col("交通情况", -1),
        col("周围环境", -1),
        col("联系电话二", -1),
        col("联系人身份证号", -1),
        col("承租截止日期", -1),
        col("承租方备注", -1),
        col("合同号", -1),
        col("跟踪报警标志", -1),
        col("跟踪报警日期", -1),
    };
    f.wholeRowSelection = true;
    f.presets = {
        {QStringLiteral("编辑日期"), Source::Today, {}},
        {QStringLiteral("编辑人"), Source::UserName, {}},
        {QStringLiteral("状态位"), Source::Text, QStringLiteral("未出租")},
        {QStringLiteral("跟踪报警标志"), Source::False, {}},
    };

    f.detailCaption = QStringLiteral("房屋出租信息");
    f.detailTitle = QStringLiteral("房屋出租详细信息");
    f.groups = {Landlord, Tenant, Handling, FollowUp};
    // Tab order is the order of this table; row and column place each editor in its group.
    RecordFamily::Editor stat = ed("DBEdtStat", Kind::Edit, "状态位", "房屋状态", QString(), 0, 1);
    stat.alwaysReadOnly = true;
    RecordFamily::Editor transport = ed("CBJT", Kind::Edit, "交通情况", "交通情况", Landlord, 8, 0);
    transport.note = QStringLiteral("(附近的公交车例:1,21,155,)");
    f.editors = {
        disabled(ed("DBEdtId", Kind::Edit, "收件号", "收件号：", QString(), 0, 0)),
        ed("DBEdtAddress", Kind::Edit, "房屋地址", "房屋地址", Landlord, 0, 0, 2),
        unit(ed("DbEdtMJ", Kind::Edit, "建筑面积", "房屋面积", Landlord, 1, 0), "(平方米)"),
        unit(ed("DbEdtLC", Kind::Edit, "楼层", "楼层", Landlord, 1, 1), "(层)"),
        unit(ed("DbEdtZJ", Kind::Edit, "租金", "租金", Landlord, 2, 0), "(元/月)"),
        ed("DtpJG", Kind::DateEdit, "竣工日期", "竣工日期", Landlord, 2, 1),
        ed("CBQY", Kind::PickEdit, "区域", "区域", Landlord, 3, 0),
        ed("CBFX", Kind::PickEdit, "房型", "房型", Landlord, 3, 1),
        ed("CBZX", Kind::PickEdit, "朝向", "朝向", Landlord, 4, 0),
        ed("CbZC", Kind::PickEdit, "装修情况", "装修情况", Landlord, 4, 1),
        ed("CBCQ", Kind::PickEdit, "产权证号", "产权证号", Landlord, 5, 0, 2),
        transport,
        ed("DbEdtLinker", Kind::Edit, "联系人", "联系人", Landlord, 9, 0),
        ed("DbEdtTel", Kind::Edit, "联系电话一", "联系电话", Landlord, 9, 1),
        ed("DbEdtSingleId", Kind::Edit, "联系人身份证号", "身份证号码", Landlord, 10, 0),
        ed("DbEdtMemo", Kind::Edit, "出租方备注", "出租备注", Landlord, 11, 0, 2),
        deal(ed("DBCZLinker", Kind::Edit, "承租人姓名", "承租人姓名", Tenant, 0, 0)),
        deal(ed("DbCZTel", Kind::Edit, "承租人联系电话", "联系电话", Tenant, 0, 1)),
        deal(ed("DBCZID", Kind::Edit, "承租人身份证号码", "身份证号码", Tenant, 1, 0)),
        deal(ed("DBEdtCZPrice", Kind::Edit, "承租价格", "承租价格", Tenant, 1, 1)),
        deal(ed("DtpCZDate", Kind::DateEdit, "承租日期", "承租日期", Tenant, 2, 0)),
        deal(ed("DtpCZEnd", Kind::DateEdit, "承租截止日期", "承租截止日期", Tenant, 2, 1)),
        deal(ed("DbEdtCZMemo", Kind::Edit, "承租方备注", "承租备注", Tenant, 3, 0, 2)),
        deal(unit(ed("DbEdtYj", Kind::Edit, "佣金金额", "佣金金额", Handling, 0, 0), "(元)")),
        deal(ed("DbEdtHTH", Kind::Edit, "合同号", "合同号", Handling, 0, 1)),
        deal(ed("DtpBJDate", Kind::DateEdit, "跟踪报警日期", "跟踪报警日期", FollowUp, 0, 1)),
        deal(ed("CKBBJ", Kind::CheckEdit, "跟踪报警标志", "跟踪报警标志", FollowUp, 0, 0)),
        disabled(ed("DBEdtSLR", Kind::Edit, "受理人", "受理人", Handling, 2, 0)),
        disabled(ed("DBEdtSLDate", Kind::Edit, "受理日期", "受理日期", Handling, 2, 1)),
        stat,
        disabled(ed("dxDBEdit1", Kind::Edit, "编辑人", "录入人", Handling, 3, 0)),
        disabled(ed("dxDBEdit2", Kind::Edit, "编辑日期", "录入日期", Handling, 3, 1)),
        popup(ed("CBZW", Kind::PopupCheck, "周围环境", "周围环境", Landlord, 6, 0, 2), "CLBZW", 100),
        popup(ed("CBXS", Kind::PopupCheck, "房屋设施", "房屋设施", Landlord, 7, 0, 2), "CLBXS", 150),
    };
    f.pickLists = {
        {QStringLiteral("区域"), QStringLiteral("CBQY")},
        {QStringLiteral("房型"), QStringLiteral("CBFX")},
        {QStringLiteral("朝向"), QStringLiteral("CBZX")},
        {QStringLiteral("产权证号头"), QStringLiteral("CBCQ")},
        {QStringLiteral("周围环境"), QStringLiteral("CLBZW")},
        {QStringLiteral("装修情况"), QStringLiteral("CbZC")},
        {QStringLiteral("房屋设施"), QStringLiteral("CLBXS")},
    };

    const QStringList dealResets = {
        QStringLiteral("承租人姓名"),   QStringLiteral("承租人身份证号码"), QStringLiteral("承租价格"),
        QStringLiteral("承租日期"),     QStringLiteral("承租截止日期"),     QStringLiteral("承租方备注"),
        QStringLiteral("佣金金额"),     QStringLiteral("合同号"),           QStringLiteral("跟踪报警日期"),
        QStringLiteral("跟踪报警标志"),
    };
    RecordFamily::StateAction let;
    let.button = QStringLiteral("TbLease");
    let.caption = QStringLiteral("出租");
    let.glyph = 2;
    let.from = {QStringLiteral("未出租")};
    let.to = QStringLiteral("已出租");
    let.setUser = {QStringLiteral("受理人")};
    let.setToday = {QStringLiteral("受理日期")};
    let.viaModify = true;
    let.focusEditor = QStringLiteral("DBCZLinker");

    RecordFamily::StateAction vacate;
    vacate.button = QStringLiteral("TBVacate");
    vacate.caption = QStringLiteral("作废");
    vacate.glyph = 10;
    vacate.question = QStringLiteral("确定要作废当前的出租信息？");
    vacate.from = {QStringLiteral("未出租")};
    vacate.to = QStringLiteral("已作废");
    vacate.resets = dealResets;
    vacate.sendAtOnce = true;

    RecordFamily::StateAction again;
    again.button = QStringLiteral("TBReturn");
    again.caption = QStringLiteral("再租");
    again.glyph = 17;
    again.question = QStringLiteral("确定要对当前的信息再发布出租？");
    again.from = {QStringLiteral("已出租"), QStringLiteral("已作废")};
    again.to = QStringLiteral("未出租");
    again.setToday = {QStringLiteral("编辑日期")};
    again.resets = dealResets + QStringList{QStringLiteral("受理人"), QStringLiteral("受理日期")};
    again.sendAtOnce = true;

    f.actions = {let, vacate, again};
    f.commissionEditor = QStringLiteral("DbEdtYj");
    f.commissionColumn = QStringLiteral("佣金金额");
    f.priceColumn = QStringLiteral("承租价格");

    f.printTemplate = QStringLiteral("/Template/出租单.Rtm");
    f.percent = [] { return AppGlobals.LeaseCommission; };
    return f;
}

} // namespace

const RecordFamily& LeaseFamily::get() {
    static const RecordFamily family = build();
    return family;
}
