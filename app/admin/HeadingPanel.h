#pragma once

#include <QLabel>

// The raised, pale-blue heading across the top of the administration dialogs.
class HeadingPanel : public QLabel {
    Q_OBJECT
public:
    HeadingPanel(const QString& text, int pixelSize, QWidget* parent = nullptr);
};
