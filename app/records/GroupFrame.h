#pragma once

#include <QWidget>

class QGridLayout;

// A framed group of the detail windows: its title in a rounded shape on a rule, the editors below.
class GroupFrame : public QWidget {
    Q_OBJECT
public:
    explicit GroupFrame(const QString& title, QWidget* parent = nullptr);

    QString title() const { return m_title; }
    QGridLayout* grid() const { return m_grid; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_title;
    QGridLayout* m_grid;
    int m_titleHeight;
};
