#pragma once

#include <QList>
#include <QStatusBar>

class QLabel;

// A status bar of fixed-width text panels side by side, like the main and list windows show.
class PanelStatusBar : public QStatusBar {
    Q_OBJECT
public:
    explicit PanelStatusBar(QWidget* parent = nullptr, int panels = 4);

    int panelCount() const { return int(m_panels.size()); }
    void setPanelCount(int count);
    void setPanelWidth(int i, int px);
    int panelWidth(int i) const;
    void setPanelText(int i, const QString& text);
    QString panelText(int i) const;

private:
    QList<QLabel*> m_panels;
};
