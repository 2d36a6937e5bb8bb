#include "GridFilterPopup.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>

namespace {
constexpr int AllRole = Qt::UserRole + 1;
constexpr int ValueRole = Qt::UserRole + 2;
} // namespace

GridFilterPopup::GridFilterPopup(QWidget* parent) : QListWidget(parent) {
    setWindowFlags(Qt::Popup);
    setObjectName(QStringLiteral("filterPopup"));
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QListWidget::itemClicked, this, &GridFilterPopup::choose);
    connect(this, &QListWidget::itemActivated, this, &GridFilterPopup::choose);
}

void GridFilterPopup::open(int column, const QStringList& values, const QString& current, bool filtered,
                           const QRect& below) {
    m_column = column;
    clear();
    auto* all = new QListWidgetItem(allText(), this);
    all->setData(AllRole, true);
    for (const QString& value : values) {
        auto* item = new QListWidgetItem(value.isEmpty() ? blankText() : value, this);
        item->setData(ValueRole, value);
    }
    setCurrentRow(filtered ? qMax(0, rowOfValue(current)) : 0);

    const int rowHeight = qMax(sizeHintForRow(0), fontMetrics().height() + 4);
    const int visibleRows = qMin(count(), 16);
    int width = qMax(below.width(), sizeHintForColumn(0) + 2 * frameWidth() + 24);
    const int height = visibleRows * rowHeight + 2 * frameWidth();
    QPoint topLeft = below.bottomLeft() + QPoint(0, 1);
    if (const QScreen* screen = QGuiApplication::screenAt(below.center())) {
        const QRect area = screen->availableGeometry();
        width = qMin(width, area.width());
        if (topLeft.x() + width > area.right())
            topLeft.setX(qMax(area.left(), area.right() - width));
        if (topLeft.y() + height > area.bottom())
            topLeft.setY(qMax(area.top(), below.top() - height - 1));
    }
    setGeometry(QRect(topLeft, QSize(width, height)));
    show();
    setFocus();
    scrollToItem(currentItem());
}

int GridFilterPopup::rowOfValue(const QString& value) const {
    for (int row = 0; row < count(); ++row) {
        const QListWidgetItem* it = item(row);
        if (!it->data(AllRole).toBool() && it->data(ValueRole).toString() == value)
            return row;
    }
    return -1;
}

void GridFilterPopup::choose(QListWidgetItem* item) {
    if (!item)
        return;
    hide();
    if (item->data(AllRole).toBool())
        emit allChosen(m_column);
    else
        emit valueChosen(m_column, item->data(ValueRole).toString());
}

void GridFilterPopup::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        hide();
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        choose(currentItem());
        event->accept();
        return;
    }
    QListWidget::keyPressEvent(event);
}
