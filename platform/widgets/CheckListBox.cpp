#include "CheckListBox.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>

CheckListBox::CheckListBox(QWidget* parent) : QListWidget(parent) {
    // Like a multi-column list box: down the first column, then the next.
    setViewMode(QListView::ListMode);
    setFlow(QListView::TopToBottom);
    setWrapping(true);
    setResizeMode(QListView::Adjust);
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    updateGrid();
}

void CheckListBox::setItems(const QStringList& items) {
    clear();
    for (const QString& text : items) {
        auto* item = new QListWidgetItem(text, this);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        item->setCheckState(Qt::Unchecked);
    }
    updateGrid();
}

QStringList CheckListBox::items() const {
    QStringList list;
    for (int i = 0; i < count(); ++i)
        list.append(item(i)->text());
    return list;
}

void CheckListBox::setColumns(int columns) {
    m_columns = qMax(1, columns);
    updateGrid();
}

bool CheckListBox::isChecked(int index) const {
    const QListWidgetItem* it = item(index);
    return it && it->checkState() == Qt::Checked;
}

void CheckListBox::setChecked(int index, bool checked) {
    if (QListWidgetItem* it = item(index))
        it->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
}

QList<bool> CheckListBox::checks() const {
    QList<bool> list;
    for (int i = 0; i < count(); ++i)
        list.append(isChecked(i));
    return list;
}

void CheckListBox::setChecks(const QList<bool>& checks) {
    for (int i = 0; i < count(); ++i)
        setChecked(i, i < checks.size() && checks[i]);
}

void CheckListBox::uncheckAll() {
    for (int i = 0; i < count(); ++i)
        setChecked(i, false);
}

QStringList CheckListBox::checkedItems() const {
    QStringList list;
    for (int i = 0; i < count(); ++i)
        if (isChecked(i))
            list.append(item(i)->text());
    return list;
}

void CheckListBox::clickItem(int index) {
    if (!isEnabled() || index < 0 || index >= count())
        return;
    setCurrentRow(index);
    setChecked(index, !isChecked(index));
    emit clickCheck(index);
}

void CheckListBox::mousePressEvent(QMouseEvent* event) {
    const QModelIndex index = indexAt(event->position().toPoint());
    m_pressed = event->button() == Qt::LeftButton && index.isValid() ? index.row() : -1;
    if (index.isValid())
        setCurrentRow(index.row());
    event->accept();
}

void CheckListBox::mouseReleaseEvent(QMouseEvent* event) {
    const QModelIndex index = indexAt(event->position().toPoint());
    const int pressed = m_pressed;
    m_pressed = -1;
    if (pressed >= 0 && index.isValid() && index.row() == pressed)
        clickItem(pressed);
    event->accept();
}

void CheckListBox::mouseDoubleClickEvent(QMouseEvent* event) {
    // The second click of a double click is a click of its own.
    mousePressEvent(event);
}

void CheckListBox::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Space && currentRow() >= 0) {
        clickItem(currentRow());
        event->accept();
        return;
    }
    QListWidget::keyPressEvent(event);
}

void CheckListBox::resizeEvent(QResizeEvent* event) {
    QListWidget::resizeEvent(event);
    updateGrid();
}

void CheckListBox::changeEvent(QEvent* event) {
    QListWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        updateGrid();
}

void CheckListBox::updateGrid() {
    const int width = qMax(40, (viewport()->width() - 1) / m_columns);
    const int height = fontMetrics().height() + 6;
    setGridSize(QSize(width, height));
}
