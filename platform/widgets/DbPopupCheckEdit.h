#pragma once

#include "DbPopupEdit.h"

class CheckListBox;

// A pop-up edit bound to a multi-choice column, hosting a check list. Opening the pop-up and
// every tick change are signalled, so a window can run its own handlers; with the built-in
// choice (on by default) opening ticks the items named in the text and each tick change stores
// the ticked items joined by "," in list order.
class DbPopupCheckEdit : public DbPopupEdit {
    Q_OBJECT
public:
    explicit DbPopupCheckEdit(QWidget* parent = nullptr);

    CheckListBox* checkList() const { return m_list; }
    QFrame* popup() const { return popupFrame(); }
    void setPopupSize(const QSize& size);
    void setBuiltInChoice(bool on) { m_builtIn = on; }
    bool builtInChoice() const { return m_builtIn; }

    void showPopup();
    void hidePopup();
    bool isPopupVisible() const;

    void setReadOnly(bool readOnly) override;

signals:
    void popupOpening();
    void itemCheckChanged(int index);

protected:
    void openPopup() override { showPopup(); }
    void columnChanged() override;

private:
    void onClickCheck(int index);

    CheckListBox* m_list = nullptr;
    bool m_builtIn = true;
};
