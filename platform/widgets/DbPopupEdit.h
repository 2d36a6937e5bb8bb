#pragma once

#include "DbFieldBinding.h"

#include <QLineEdit>

class QAction;
class QFrame;
class QIcon;

// A line edit bound to one column with a button that opens a pop-up below it (Alt+Down too).
// While the pop-up is open, leaving the editor for it does not end the edit.
class DbPopupEdit : public QLineEdit, public DbFieldBinding {
    Q_OBJECT
public:
    bool isReadOnly() const override { return QLineEdit::isReadOnly(); }

protected:
    DbPopupEdit(const QIcon& icon, const QString& toolTip, QWidget* parent);

    // The button or Alt+Down asked for the pop-up.
    virtual void openPopup() = 0;
    // Shows the pop-up below the editor (above it when the screen ends first) and focuses focus.
    void showPopupFrame(QWidget* focus);

    QAction* popupAction() const { return m_popupAction; }
    QFrame* popupFrame() const { return m_popup; }

    void showValue() override;
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QAction* m_popupAction = nullptr;
    QFrame* m_popup = nullptr;
};
