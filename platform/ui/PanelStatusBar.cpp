#include "PanelStatusBar.h"

#include <QLabel>

#include <stdexcept>

PanelStatusBar::PanelStatusBar(QWidget* parent, int panels) : QStatusBar(parent) {
    setSizeGripEnabled(false);
    setPanelCount(panels);
}

void PanelStatusBar::setPanelCount(int count) {
    while (m_panels.size() > qMax(count, 0)) {
        QLabel* label = m_panels.takeLast();
        removeWidget(label);
        delete label;
    }
    while (m_panels.size() < count) {
        auto* label = new QLabel(this);
        label->setFrameShape(QFrame::Panel);
        label->setFrameShadow(QFrame::Sunken);
        label->setContentsMargins(4, 0, 4, 0);
        label->setFixedWidth(100);
        addWidget(label);
        m_panels.append(label);
    }
}

void PanelStatusBar::setPanelWidth(int i, int px) {
    if (i < 0 || i >= m_panels.size())
        throw std::out_of_range("status bar panel out of range");
    m_panels[i]->setFixedWidth(px);
}

int PanelStatusBar::panelWidth(int i) const {
    return i >= 0 && i < m_panels.size() ? m_panels[i]->maximumWidth() : 0;
}

void PanelStatusBar::setPanelText(int i, const QString& text) {
    if (i < 0 || i >= m_panels.size())
        throw std::out_of_range("status bar panel out of range");
    m_panels[i]->setText(text);
}

QString PanelStatusBar::panelText(int i) const {
    return i >= 0 && i < m_panels.size() ? m_panels[i]->text() : QString();
}
