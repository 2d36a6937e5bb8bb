#pragma once

#include <QListWidget>

// A check list whose items flow down three columns, each with a tick box. A click anywhere on
// an item (or Space) ticks or unticks it and reports the click; ticks set by code report
// nothing.
class CheckListBox : public QListWidget {
    Q_OBJECT
public:
    explicit CheckListBox(QWidget* parent = nullptr);

    void setItems(const QStringList& items);
    QStringList items() const;
    void setColumns(int columns);
    int columns() const { return m_columns; }

    bool isChecked(int index) const;
    void setChecked(int index, bool checked);
    QList<bool> checks() const;
    void setChecks(const QList<bool>& checks);
    void uncheckAll();
    QStringList checkedItems() const;

    // What a click on the item does: turns its tick round and reports it.
    void clickItem(int index);

signals:
    void clickCheck(int index);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void updateGrid();

    int m_columns = 3;
    int m_pressed = -1;
};
