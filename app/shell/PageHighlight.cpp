#include "PageHighlight.h"

#include "PictureButton.h"
#include "ProgramLook.h"

#include <QApplication>
#include <QLabel>

namespace {
const QColor Teal(0x00, 0x80, 0x80); // $808000
const QColor PageBack = ProgramLook::pageBackground();

void paintLabel(QLabel* label, const QColor& text, const QColor& back) {
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, text);
    pal.setColor(QPalette::Window, back);
    label->setPalette(pal);
    label->setAutoFillBackground(true);
}
} // namespace

void HighlightPageEntry(QWidget* page, QLabel* label, PictureButton* button) {
    if (!page)
        return;
    const QString buttonName = button ? button->objectName() : QString();
    const QString labelName = label ? label->objectName() : QString();
    const QColor windowText = QApplication::palette().color(QPalette::WindowText);
    // Creation order, matched by name, as the pages were always laid out.
    const auto children = page->findChildren<QObject*>();
    for (QObject* o : children) {
        if (auto* b = qobject_cast<PictureButton*>(o)) {
            b->setChecked(!buttonName.isEmpty() && b->objectName() == buttonName);
        } else if (auto* l = qobject_cast<QLabel*>(o)) {
            if (!labelName.isEmpty() && l->objectName() == labelName)
                paintLabel(l, Qt::white, Teal);
            else
                paintLabel(l, windowText, PageBack);
        }
    }
}

void PageEntryMouseMove(QWidget* page, QObject* control) {
    if (!page || !control)
        return;
    if (auto* label = qobject_cast<QLabel*>(control)) {
        HighlightPageEntry(page, label, qobject_cast<PictureButton*>(label->buddy()));
        return;
    }
    auto* button = qobject_cast<PictureButton*>(control);
    if (!button)
        return;
    const auto labels = page->findChildren<QLabel*>();
    for (QLabel* l : labels) {
        if (l->buddy() && l->buddy()->objectName() == button->objectName()) {
            HighlightPageEntry(page, l, qobject_cast<PictureButton*>(l->buddy()));
            return;
        }
    }
}
