#include "PictureButton.h"

#include <QAccessibleWidget>
#include <QPainter>
#include <QStyleOptionFocusRect>

namespace {
// Qt offers a checkable button to assistive clients only as "toggle", which changes the down
// state without a click. A picture button's click is what opens its entry, and its down state
// is set by the program, so its one action is the press that clicks it.
class PictureButtonAccessible : public QAccessibleWidget {
public:
    explicit PictureButtonAccessible(PictureButton* button)
        : QAccessibleWidget(button, QAccessible::Button) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name) {
            const QString name = widget()->accessibleName();
            return name.isEmpty() ? button()->toolTip() : name;
        }
        return QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override {
        QAccessible::State st = QAccessibleWidget::state();
        st.checkable = true;
        st.checked = button()->isChecked();
        st.pressed = button()->isDown();
        return st;
    }
    QStringList actionNames() const override {
        QStringList names;
        if (widget()->isEnabled())
            names << pressAction();
        return names + QAccessibleWidget::actionNames();
    }
    void doAction(const QString& action) override {
        if (action == pressAction()) {
            if (widget()->isEnabled())
                button()->click();
            return;
        }
        QAccessibleWidget::doAction(action);
    }

private:
    PictureButton* button() const { return static_cast<PictureButton*>(widget()); }
};

QAccessibleInterface* accessibleFactory(const QString& className, QObject* object) {
    if (className == QLatin1String("PictureButton") && object && object->isWidgetType())
        return new PictureButtonAccessible(static_cast<PictureButton*>(object));
    return nullptr;
}
} // namespace

PictureButton::PictureButton(QWidget* parent) : QToolButton(parent) {
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(accessibleFactory);
        return true;
    }();
    Q_UNUSED(factoryInstalled);
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
