#include "HeadingPanel.h"

#include "ProgramLook.h"

HeadingPanel::HeadingPanel(const QString& text, int pixelSize, QWidget* parent) : QLabel(text, parent) {
    setAlignment(Qt::AlignCenter);
    setFont(ProgramLook::kai(pixelSize, true));
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Raised);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(217, 232, 240));
    pal.setColor(QPalette::WindowText, QColor(0, 0, 128));
    setPalette(pal);
    setMinimumHeight(pixelSize * 2 + 6);
}
