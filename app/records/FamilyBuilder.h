#pragma once

#include "RecordFamily.h"

// Short hands for writing a family's description: editors with their place, grid columns, the
// few editor traits (unit, deal, disabled, pop-up list) and the reset lists of the state actions.
class FamilyBuilder {
public:
    using Kind = RecordFamily::EditorKind;

    static RecordFamily::Editor editor(const char* name, Kind kind, const char* column, const char* label,
                                       const QString& group, int row, int col, int span = 1);
    static RecordFamily::Editor unit(RecordFamily::Editor e, const char* text);
    static RecordFamily::Editor note(RecordFamily::Editor e, const char* text);
    static RecordFamily::Editor deal(RecordFamily::Editor e);
    static RecordFamily::Editor disabled(RecordFamily::Editor e);
    static RecordFamily::Editor readOnly(RecordFamily::Editor e);
    static RecordFamily::Editor popup(RecordFamily::Editor e, const char* list, int height);

    // A grid column; band -1: present but not shown.
    static RecordFamily::GridColumn column(const char* name, int band, bool filter = false,
                                           const char* caption = "", int width = 0);
    static QStringList names(std::initializer_list<const char*> list);
    static RecordFamily::PickList pick(const char* dictType, const char* editor);
};
