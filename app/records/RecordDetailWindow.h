#pragma once

#include <QDialog>
#include <QHash>
#include <QList>
#include <memory>

#include "RecordFamily.h"

class BandedGrid;
class BatchDataSet;
class BillPrinter;
class QFrame;
class CheckListBox;
class GroupFrame;
class KeyPreview;
class QGridLayout;
class QKeyEvent;
class QLabel;
class QToolButton;
class RecordStateMachine;

// The detail window of every record family: one row of the list's data set in editors laid out
// from the family's editor table, browse and edit modes, save, cancel, new, delete, the state
// actions, the commission proposal and the multi-choice pop-ups. It has no data of its own; it
// stands on the list window's data set and moves the list's grid.
class RecordDetailWindow : public QDialog {
    Q_OBJECT
public:
    explicit RecordDetailWindow(const RecordFamily& family, QWidget* parent = nullptr);
    ~RecordDetailWindow() override;

    // The list window's data set and grid: the rows shown, saved and browsed.
    void setSource(BatchDataSet* data, BandedGrid* grid);
    BatchDataSet* dataSet() const { return m_data; }
    const RecordFamily& family() const { return m_family; }

    QLabel* Panel1;
    QToolButton* TbFrist;
    QToolButton* TBPrev;
    QToolButton* Tbnext;
    QToolButton* TbLast;
    QToolButton* Tbnew;
    QToolButton* TbDelete;
    QToolButton* TbSave;
    QToolButton* TbModfiy;
    QToolButton* TbCancel;
    QToolButton* TbPrint;
    QToolButton* Tbclose;
    QLabel* LBYj = nullptr; // the commission percent (families with a commission)

    QWidget* editor(const QString& name) const { return m_editors.value(name); }
    CheckListBox* checkList(const QString& name) const { return m_checkLists.value(name); }
    QToolButton* actionButton(const QString& name) const;
    GroupFrame* group(const QString& title) const { return m_groups.value(title); }
    // Fills a pick edit's or check list's items.
    void setItems(const QString& editorOrList, const QStringList& items);

    // The unsaved flag: 保存 enabled.
    bool unsaved() const;
    // An editor holds a text it refused (not stored in the row).
    bool hasRefusedText() const;

    // Handlers.
    void FormShow();
    bool FormKeyDown(QKeyEvent* event);
    void TbFristClick();
    void TBPrevClick();
    void TbnextClick();
    void TbLastClick();
    void TbModfiyClick();
    void TbSaveClick();
    void TbCancelClick();
    void TbnewClick();
    void TbDeleteClick();
    void TbcloseClick();
    void TbPrintClick();
    // Prints the current row with its pending edits on the family's bill, by the print mode.
    bool PrintRecord(const QString& percent);
    BillPrinter* report() const { return m_bill.get(); }
    // A state action of the family (出租, 作废, 再租 ...).
    void StateActionClick(const RecordFamily::StateAction& action);
    void DbEdtYjEnter();
    // The multi-choice pop-ups: opening ticks the items of the text; a tick change rewrites it.
    void CheckListPopup(const QString& popupEditor);
    void CheckListClickCheck(const QString& popupEditor);

    // Routines.
    void SetEditorsReadOnly(bool readOnly);
    void EnableDealFields(bool enabled);
    void ApplyRecordState();

    // The question asked when the window is closed with unsaved edits.
    static QString closeQuestion() { return QStringLiteral("数据已修改，是否保存？"); }

protected:
    // Closing with unsaved edits asks: save, keep them pending, or stay.
    void done(int result) override;
    void showEvent(QShowEvent* event) override;
    // For derived windows: the grid of a group (for extra labels) and the editors' window width.
    QGridLayout* groupGrid(const QString& title) const;
    QFrame* addToolSeparator(const QString& name);
    // Moves the list grid's focus; the data set follows.
    enum class Move { First, Prior, Next, Last };
    void moveGrid(Move move);
    bool refuseWhenUnsaved();
    QString billText() const;

private:
    QToolButton* addToolButton(const QString& name, const QString& caption, int glyph);
    QWidget* createEditor(const RecordFamily::Editor& spec);
    void buildEditors();
    void bindEditors();
    void enterEditMode();
    void enterBrowseMode();
    int percentNow() const;

    const RecordFamily& m_family;
    BatchDataSet* m_data = nullptr;
    BandedGrid* m_grid = nullptr;
    RecordStateMachine* m_rules = nullptr;
    QHash<QString, QWidget*> m_editors;
    QList<QWidget*> m_editorOrder;
    QHash<QString, CheckListBox*> m_checkLists;
    QHash<QString, GroupFrame*> m_groups;
    QHash<QString, QToolButton*> m_actionButtons;
    QWidget* m_toolBar = nullptr;
    QWidget* m_body = nullptr;
    KeyPreview* m_keys = nullptr;
    std::unique_ptr<BillPrinter> m_bill;
};
