#include "ToolBarItems.h"

#include "TUserDM.h"

#include <QFrame>
#include <QLayout>
#include <QToolButton>

QToolButton* ToolBarItems::addButton(QWidget* bar, const QString& name, const QString& caption, int glyph) {
    auto* b = new QToolButton(bar);
    b->setObjectName(name);
    b->setText(caption);
    b->setAccessibleName(caption);
    b->setAutoRaise(true);
    b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    b->setIconSize(QSize(20, 20));
    b->setMinimumSize(44, 35);
    b->setFocusPolicy(Qt::NoFocus);
    if (UserDM)
        b->setIcon(UserDM->ImageList1.icon(glyph));
    bar->layout()->addWidget(b);
    return b;
}

QFrame* ToolBarItems::addSeparator(QWidget* bar) {
    auto* s = new QFrame(bar);
    s->setFrameShape(QFrame::VLine);
    s->setFrameShadow(QFrame::Sunken);
    s->setFixedWidth(8);
    bar->layout()->addWidget(s);
    return s;
}
