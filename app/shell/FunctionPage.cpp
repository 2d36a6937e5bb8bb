#include "FunctionPage.h"

#include "ControlEvents.h"
#include "ErrorGuard.h"
#include "PictureButton.h"
#include "ProgramLook.h"
#include "TmainForm.h"

#include <QLabel>
#include <QPaintEvent>
#include <QPainter>
#include <QVBoxLayout>

namespace {
const QColor PageBack = ProgramLook::pageBackground();
const QColor TitleInk(0x2c, 0x4a, 0x6e);
const QColor Rule(0xd5, 0xdc, 0xe6);

// The grid of entries: cells wide enough for the longest caption, the first below the title.
constexpr int CellWidth = 140;
constexpr int CellHeight = 116;
constexpr int GridLeft = 36;
constexpr int GridTop = 64;
constexpr int LabelWidth = 120;
constexpr int LabelHeight = 22;

void fill(QWidget* w) {
    QPalette pal = w->palette();
    pal.setColor(QPalette::Window, PageBack);
    w->setPalette(pal);
    w->setAutoFillBackground(true);
}
} // namespace

// The entry pictures are built into the program; a static library needs its resources named.
static void initPictures() {
    Q_INIT_RESOURCE(ShellPictures);
}

FunctionPage::FunctionPage(const QString& title, QWidget* parent) : QWidget(parent), m_title(title) {
    initPictures();
    setWindowFlags(Qt::FramelessWindowHint);
    fill(this);
    PnlFunction = new QWidget(this);
    PnlFunction->setObjectName(QStringLiteral("PnlFunction"));
    fill(PnlFunction);
    PnlFunction->installEventFilter(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(PnlFunction);
}

void FunctionPage::FormCreate(TmainForm* main) {
    if (main)
        main->placePage(this);
}

FunctionPage::Entry FunctionPage::addEntry(const char* labelName, const char* buttonName,
                                           const QString& caption, const char* picture, int row, int column,
                                           std::function<void()> click) {
    Entry e;
    const QString pic = QStringLiteral(":/entry/") + QLatin1String(picture);
    e.button = new PictureButton(PnlFunction);
    e.button->setObjectName(QLatin1String(buttonName));
    e.button->setPictures(QPixmap(pic + QStringLiteral(".png")), QPixmap(pic + QStringLiteral("_down.png")));
    e.button->setGroupIndex(1);
    e.button->setFixedSize(67, 62);
    e.button->setAccessibleName(caption);
    e.button->setToolTip(caption);
    const int x = GridLeft + column * CellWidth;
    const int y = GridTop + row * CellHeight;
    e.button->move(x + (CellWidth - 67) / 2, y);

    e.label = new QLabel(caption, PnlFunction);
    e.label->setObjectName(QLatin1String(labelName));
    e.label->setFont(ProgramLook::song(14));
    e.label->setAlignment(Qt::AlignCenter);
    e.label->setCursor(Qt::PointingHandCursor);
    e.label->setBuddy(e.button);
    e.label->setGeometry(x + (CellWidth - LabelWidth) / 2, y + 62 + 6, LabelWidth, LabelHeight);
    e.label->setAutoFillBackground(true);

    if (click) {
        connect(e.button, &QAbstractButton::clicked, this,
                ErrorGuard::wrap(this, [click](bool) { click(); }));
        ControlEvents::onClick(e.label, click);
    }
    for (QWidget* control : {static_cast<QWidget*>(e.label), static_cast<QWidget*>(e.button)})
        ControlEvents::onMouseMove(control, [this, control] {
            if (m_mouseMove)
                m_mouseMove(control);
        });
    return e;
}

// The page's title and a fine rule under it, painted so that they are not entries.
bool FunctionPage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == PnlFunction && event->type() == QEvent::Paint) {
        QPainter p(PnlFunction);
        p.setRenderHint(QPainter::Antialiasing);
        p.setFont(ProgramLook::kai(20, true));
        p.setPen(TitleInk);
        p.drawText(QRect(GridLeft, 14, 400, 32), Qt::AlignLeft | Qt::AlignVCenter, m_title);
        p.fillRect(QRect(GridLeft, 48, qMax(0, PnlFunction->width() - 2 * GridLeft), 1), Rule);
        return false;
    }
    return QWidget::eventFilter(watched, event);
}
