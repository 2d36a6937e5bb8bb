#pragma once

#include "DbFieldBinding.h"

#include <QLineEdit>

class CheckListBox;
class QAction;
class QFrame;

// A pop-up edit bound to a multi-choice column, hosting a check list. Opening the pop-up and
// every tick change are signalled, so a window can run its own handlers; with the built-in
// choice (on by default) opening ticks the items named in the text and each tick change stores
// the ticked items joined by "," in list order.
class DbPopupCheckEdit : public QLineEdit, public DbFieldBinding {
    Q_OBJECT
public:
    explicit DbPopupCheckEdit(QWidget* parent = nullptr);

    CheckListBox* checkList() const { return m_list; }
    QFrame* popup() const { return m_popup; }
    void setPopupSize(const QSize& size);
    void setBuiltInChoice(bool on) { m_builtIn = on; }
    bool builtInChoice() const { return m_builtIn; }

    void showPopup();
    void hidePopup();
    bool isPopupVisible() const;

    void setReadOnly(bool readOnly) override;
    bool isReadOnly() const override { return QLineEdit::isReadOnly(); }

signals:
    void popupOpening();
    void itemCheckChanged(int index);

protected:
    void showValue() override;
    void columnChanged() override;
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void onClickCheck(int index);

    QAction* m_dropAction = nullptr;
    QFrame* m_popup = nullptr;
    CheckListBox* m_list = nullptr;
    bool m_builtIn = true;
};
