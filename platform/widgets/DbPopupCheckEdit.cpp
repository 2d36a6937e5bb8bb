#include "DbPopupCheckEdit.h"

#include "CheckListBox.h"
#include "MultiChoiceText.h"

#include <QAction>
#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <QVBoxLayout>

namespace {

QIcon dropIcon() {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x40, 0x40, 0x40));
    const QPointF tri[3] = {QPointF(4, 6), QPointF(12, 6), QPointF(8, 10.5)};
    p.drawPolygon(tri, 3);
    return QIcon(pixmap);
}

} // namespace

DbPopupCheckEdit::DbPopupCheckEdit(QWidget* parent) : QLineEdit(parent), DbFieldBinding(this) {
    m_dropAction = addAction(dropIcon(), QLineEdit::TrailingPosition);
    m_dropAction->setToolTip(QStringLiteral("选择"));
    connect(m_dropAction, &QAction::triggered, this, &DbPopupCheckEdit::showPopup);

    m_popup = new QFrame(this, Qt::Popup);
    m_popup->setFrameShape(QFrame::StyledPanel);
    m_list = new CheckListBox(m_popup);
    auto* layout = new QVBoxLayout(m_popup);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->addWidget(m_list);
    m_popup->resize(377, 100);
    connect(m_list, &CheckListBox::clickCheck, this, &DbPopupCheckEdit::onClickCheck);

    connect(this, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (!isShowing())
            storeText(text);
    });
    connect(this, &QLineEdit::editingFinished, this, [this] {
        if (!m_popup->isVisible())
            finishEditing(text());
    });
}

void DbPopupCheckEdit::setPopupSize(const QSize& size) {
    m_popup->resize(size);
}

void DbPopupCheckEdit::showPopup() {
    if (!isEnabled())
        return;
    emit popupOpening();
    if (m_builtIn)
        m_list->setChecks(MultiChoiceText::ticks(m_list->items(), text()));
    QPoint at = mapToGlobal(QPoint(0, height()));
    if (const QScreen* screen = QGuiApplication::screenAt(at)) {
        const QRect area = screen->availableGeometry();
        if (at.y() + m_popup->height() > area.bottom())
            at.setY(mapToGlobal(QPoint(0, 0)).y() - m_popup->height());
        at.setX(qBound(area.left(), at.x(), area.right() - m_popup->width()));
    }
    m_popup->move(at);
    m_popup->show();
    m_list->setFocus();
}

void DbPopupCheckEdit::hidePopup() {
    m_popup->hide();
}

bool DbPopupCheckEdit::isPopupVisible() const {
    return m_popup->isVisible();
}

void DbPopupCheckEdit::onClickCheck(int index) {
    emit itemCheckChanged(index);
    if (!m_builtIn || isReadOnly())
        return;
    const QString joined = MultiChoiceText::join(m_list->items(), m_list->checks());
    if (storeValue(joined)) {
        refresh();
    } else {
        // The column could not take it: the tick goes back so the list shows what is stored.
        m_list->setChecked(index, !m_list->isChecked(index));
    }
}

void DbPopupCheckEdit::setReadOnly(bool readOnly) {
    QLineEdit::setReadOnly(readOnly);
    m_list->setEnabled(!readOnly);
    updateLook();
}

void DbPopupCheckEdit::showValue() {
    const QString value = fieldText();
    if (text() != value) {
        setText(value);
        setCursorPosition(0);
    }
}

void DbPopupCheckEdit::columnChanged() {
    const int limit = textLimit();
    setMaxLength(limit > 0 ? limit : 32767);
}

bool DbPopupCheckEdit::event(QEvent* event) {
    if (handleRevertKey(event))
        return true;
    return QLineEdit::event(event);
}

void DbPopupCheckEdit::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Down && (event->modifiers() & Qt::AltModifier)) {
        showPopup();
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}
