#include "PictureButton.h"

#include <QPainter>
#include <QStyleOptionFocusRect>

PictureButton::PictureButton(QWidget* parent) : QToolButton(parent) {
    setCheckable(true);
    setCursor(Qt::PointingHandCursor);
    setAutoRaise(true);
    setFocusPolicy(Qt::TabFocus);
    connect(this, &QAbstractButton::toggled, this, [this](bool down) {
        if (down)
            releaseOthers();
    });
}

void PictureButton::setPictures(const QPixmap& normal, const QPixmap& pressed) {
    m_normal = normal;
    m_pressed = pressed.isNull() ? normal : pressed;
    updateGeometry();
    update();
}

void PictureButton::setGroupIndex(int index) {
    m_groupIndex = index;
    if (isChecked())
        releaseOthers();
}

QPixmap PictureButton::currentPicture() const {
    return (isChecked() || isDown()) ? m_pressed : m_normal;
}

QSize PictureButton::sizeHint() const {
    if (m_normal.isNull())
        return QToolButton::sizeHint();
    return m_normal.deviceIndependentSize().toSize();
}

void PictureButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QPixmap pic = currentPicture();
    if (!pic.isNull()) {
        const QSize s = pic.deviceIndependentSize().toSize();
        p.drawPixmap(QRect(QPoint((width() - s.width()) / 2, (height() - s.height()) / 2), s), pic);
    }
    if (hasFocus()) {
        QStyleOptionFocusRect opt;
        opt.initFrom(this);
        opt.rect = rect().adjusted(1, 1, -1, -1);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &opt, &p, this);
    }
}

// The group is made of the buttons that share this button's parent, as on a function page.
void PictureButton::releaseOthers() {
    if (m_groupIndex == 0 || !parentWidget())
        return;
    const auto buttons = parentWidget()->findChildren<PictureButton*>(Qt::FindDirectChildrenOnly);
    for (PictureButton* b : buttons)
        if (b != this && b->m_groupIndex == m_groupIndex && b->isChecked())
            b->setChecked(false);
}
