#pragma once

#include "Ttemplet.h"

#include <QHash>

struct RecordFamily;
class QCheckBox;
class QGroupBox;
class RecordDetailWindow;

// A family's list window on the template: the grid laid out from the family's bands and columns,
// the state filter boxes, the query, new, delete, open-detail and the keys. The detail window it
// opens stands on this window's data set.
class RecordListWindow : public Ttemplet {
    Q_OBJECT
public:
    RecordListWindow(const RecordFamily& family, QWidget* parent = nullptr);

    const RecordFamily& family() const { return m_family; }
    void setDetailWindow(RecordDetailWindow* detail);
    RecordDetailWindow* detailWindow() const { return m_detail; }

    QGroupBox* GBOX = nullptr;
    QCheckBox* filterBox(const QString& name) const { return m_boxes.value(name); }

    // 查询: the range of Dtp1..Dtp2 (both days included), the ticked state, newest first.
    void BtQueryClick();
    void TbNewClick();
    void TbDeleteClick();
    void dxDBGrid1DblClick();
    // The focused row, pending edits and all, on the family's bill with the percent as it stands
    // now (families that print; the others have no handler on 打印).
    void TbPrintClick();
    // The detail window's pick lists from the dictionary, then its percent label.
    void FillPickLists();
    void QueryDictValues(const QString& typeName);
    // Sets the range the way the opening routine does (today minus the family's days to today).
    void SetOpeningRange();
    // The opening routine's part after creating the windows: the detail on this list, the first
    // list, the pick lists, then this window modally.
    void ShowWith(RecordDetailWindow* detail);

protected:
    bool FormKeyDown(QKeyEvent* event) override;
    // The percent the detail's label shows and the list's bill prints.
    QString percentText() const;

private:
    void layoutGrid();
    void buildFilterBoxes();

    const RecordFamily& m_family;
    RecordDetailWindow* m_detail = nullptr;
    QHash<QString, QCheckBox*> m_boxes;
};
