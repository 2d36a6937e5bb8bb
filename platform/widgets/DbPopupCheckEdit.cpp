#include "DbPopupCheckEdit.h"

#include "CheckListBox.h"
#include "MultiChoiceText.h"

#include <QFrame>
#include <QPainter>
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

DbPopupCheckEdit::DbPopupCheckEdit(QWidget* parent)
    : DbPopupEdit(dropIcon(), QStringLiteral("选择"), parent) {
    QFrame* popup = popupFrame();
    m_list = new CheckListBox(popup);
    auto* layout = new QVBoxLayout(popup);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->addWidget(m_list);
    popup->resize(377, 100);
    connect(m_list, &CheckListBox::clickCheck, this, &DbPopupCheckEdit::onClickCheck);
}

void DbPopupCheckEdit::setPopupSize(const QSize& size) {
    popupFrame()->resize(size);
}

void DbPopupCheckEdit::showPopup() {
    if (!isEnabled())
        return;
    emit popupOpening();
    if (m_builtIn)
        m_list->setChecks(MultiChoiceText::ticks(m_list->items(), text()));
    showPopupFrame(m_list);
}

void DbPopupCheckEdit::hidePopup() {
    popupFrame()->hide();
}

bool DbPopupCheckEdit::isPopupVisible() const {
    return popupFrame()->isVisible();
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

void DbPopupCheckEdit::columnChanged() {
    const int limit = textLimit();
    setMaxLength(limit > 0 ? limit : 32767);
}
