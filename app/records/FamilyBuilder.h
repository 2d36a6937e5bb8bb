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

    // The four state boxes of a listing list on its table: 全部, the dealt state, the open state and
    // 已作废; with none of 全部, dealt, 已作废 ticked, the open state is ticked and listed.
    static void stateFilters(RecordFamily& f, const QString& dealt, const QString& open);
    // A state action: what it is called, the states it is enabled in and the state it writes; a
    // question asked first unless empty.
    static RecordFamily::StateAction action(const char* button, const char* caption, int glyph,
                                            const char* question, const QString& from, const QString& to);
    // The deal action (出租, 出售): edit mode first, the current user and today as the handler, the
    // focus on the counter-party's name; saved by the clerk.
    static RecordFamily::StateAction dealAction(const char* button, const char* caption, const char* question,
                                                const QString& from, const QString& to);

    // Editors every listing detail shares. The head line: the bill number and the state shown.
    static RecordFamily::Editor billNumber();
    static RecordFamily::Editor stateShown();
    // The house's first rows in group: 房屋地址 (the new row's focus), 房屋面积 and 楼层.
    static QList<RecordFamily::Editor> houseBasics(const QString& group);
    // The owner's contact in group from row: 交通情况 with its note, 联系人 and 联系电话, 身份证号码.
    static QList<RecordFamily::Editor> ownerContact(const QString& group, int row);
    // The commission with its unit and the contract number, a deal row of group.
    static QList<RecordFamily::Editor> commissionAndContract(const QString& group, int row);
    // Who handled the deal and when, shown only.
    static QList<RecordFamily::Editor> handledBy(const QString& group, int row);
};
