#include "InputEdits.h"

#include "DbFieldBinding.h"
#include "DbPickEdit.h"
#include "TextBlanks.h"

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QLineEdit>

namespace {
// The line edit inside a drop-down or a spin/date box is a part of that control, not an edit box.
bool isPartOfAnotherControl(const QLineEdit* edit) {
    const QWidget* parent = edit->parentWidget();
    return qobject_cast<const QComboBox*>(parent) || qobject_cast<const QAbstractSpinBox*>(parent);
}
} // namespace

void ClearInputs(QWidget* window) {
    if (!window)
        return;
    for (QLineEdit* edit : window->findChildren<QLineEdit*>())
        if (!isPartOfAnotherControl(edit))
            edit->clear();
    for (DbPickEdit* pick : window->findChildren<DbPickEdit*>()) {
        pick->setCurrentIndex(-1);
        pick->setEditText(QString());
    }
}

void TrimEdits(QWidget* window) {
    if (!window)
        return;
    for (QLineEdit* edit : window->findChildren<QLineEdit*>()) {
        if (isPartOfAnotherControl(edit) || dynamic_cast<DbFieldBinding*>(edit))
            continue;
        const QString trimmed = TextBlanks::trim(edit->text());
        if (trimmed != edit->text())
            edit->setText(trimmed);
    }
}
