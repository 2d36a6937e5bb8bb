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
