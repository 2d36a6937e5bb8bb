#pragma once

#include <QListWidget>

// The drop-down of a column filter: "(全部)" and the column's distinct values. Choosing an entry
// closes it and reports the choice.
class GridFilterPopup : public QListWidget {
    Q_OBJECT
public:
    static QString allText() { return QStringLiteral("(全部)"); }
    static QString blankText() { return QStringLiteral("(空白)"); }

    explicit GridFilterPopup(QWidget* parent);

    // Opens below the given global rectangle (the column's caption cell).
    void open(int column, const QStringList& values, const QString& current, bool filtered,
              const QRect& below);
    int column() const { return m_column; }
    // The entry showing a value ("" = the blank entry); -1 when absent.
    int rowOfValue(const QString& value) const;

signals:
    void allChosen(int column);
    void valueChosen(int column, const QString& value);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void choose(QListWidgetItem* item);

    int m_column = -1;
};
