#include "TmainForm.h"

#include "ControlEvents.h"
#include "ErrorGuard.h"
#include "FunctionPage.h"
#include "ModalSeam.h"
#include "PanelStatusBar.h"
#include "ProgramEnd.h"
#include "ProgramLook.h"
#include "SystemParams.h"
#include "TSetValue.h"
#include "TsyssdForm.h"
#include "Twd1_Form.h"
#include "Twd2_Form.h"
#include "Twd4_Form.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLinearGradient>
#include <QMessageBox>
#include <QPainter>
#include <QShowEvent>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>

#include <stdexcept>

TmainForm* mainForm = nullptr;

namespace {
const QColor ColumnBack = ProgramLook::pageBackground();
const QColor Red(0xff, 0x00, 0x00);  // $0000FF, the selected tab
const QColor Blue(0x00, 0x00, 0xff); // $FF0000, a tab or command under the mouse
const QColor Deep(0x1d, 0x3f, 0x66);
const QColor Mid(0x2c, 0x5f, 0x8f);
const QColor HeaderEnd(0x5b, 0x8d, 0xbd); // the colour at the right end of main.bmp

void fill(QWidget* w, const QColor& c) {
    QPalette pal = w->palette();
    pal.setColor(QPalette::Window, c);
    w->setPalette(pal);
    w->setAutoFillBackground(true);
}

void ink(QLabel* label, const QColor& c) {
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, c);
    label->setPalette(pal);
}

QColor inkOf(const QLabel* label) {
    return label->palette().color(QPalette::WindowText);
}

// A picture of the program folder; a missing or unreadable file stops the handler with an error.
QPixmap programPicture(const QString& name) {
    const QString path = AppGlobals.AppPath + QStringLiteral("/image/") + name;
    QPixmap pm;
    if (!QFile::exists(path) || !pm.load(path))
        throw std::runtime_error(QStringLiteral("无法打开图片文件“%1”。").arg(path).toStdString());
    return pm;
}

// The pictures built into the window: the column head, the command block and the two strips.
QPixmap columnHead() {
    QPixmap pm(200, 39);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, 0, 39);
    g.setColorAt(0, QColor(0xee, 0xf2, 0xf7));
    g.setColorAt(1, QColor(0xdc, 0xe4, 0xee));
    p.fillRect(pm.rect(), g);
    p.fillRect(QRect(0, 38, 200, 1), QColor(0xc3, 0xcd, 0xda));
    p.setPen(Mid);
    p.setFont(ProgramLook::kai(17, true));
    p.drawText(QRect(0, 0, 200, 38), Qt::AlignCenter, QStringLiteral("功 能 导 航"));
    p.setBrush(QColor(0xc9, 0xa2, 0x4e));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(42, 19.5), 3, 3);
    p.drawEllipse(QPointF(158, 19.5), 3, 3);
    return pm;
}

QPixmap commandBack() {
    QPixmap pm(200, 68);
    QPainter p(&pm);
    QLinearGradient g(0, 0, 0, 68);
    g.setColorAt(0, Mid);
    g.setColorAt(1, Deep);
    p.fillRect(pm.rect(), g);
    p.fillRect(QRect(0, 0, 200, 2), QColor(0xc9, 0xa2, 0x4e));
    return pm;
}

QPixmap strip(Qt::Orientation o) {
    const QSize s = o == Qt::Horizontal ? QSize(64, 10) : QSize(10, 64);
    QPixmap pm(s);
    QPainter p(&pm);
    QLinearGradient g(0, 0, o == Qt::Horizontal ? 0 : 10, o == Qt::Horizontal ? 10 : 0);
    g.setColorAt(0, QColor(0xdd, 0xe3, 0xeb));
    g.setColorAt(1, ColumnBack);
    p.fillRect(pm.rect(), g);
    return pm;
}

QFrame* line(QWidget* parent, const char* name, const QRect& r) {
    auto* f = new QFrame(parent);
    f->setObjectName(QLatin1String(name));
    f->setGeometry(r);
    fill(f, QColor(0xa9, 0xc1, 0xdc));
    return f;
}
} // namespace

TmainForm::TmainForm(const PageActions& actions, QWidget* parent) : QMainWindow(parent), m_actions(actions) {
    setObjectName(QStringLiteral("mainForm"));
    setWindowTitle(QStringLiteral("房屋中介管理系统"));
    resize(808, 580);
    setWindowState(Qt::WindowMaximized);
    fill(this, palette().color(QPalette::HighlightedText));
    // A window of the program taking the focus (not another program's, not the check's own box)
    // makes the check due for the next activation.
    connect(qApp, &QGuiApplication::focusWindowChanged, this, [this](QWindow* w) {
        if (w && w != windowHandle() &&
            !(m_inActivate && qobject_cast<QMessageBox*>(QApplication::activeWindow())))
            m_checkDue = true;
    });

    auto* central = new QWidget(this);
    auto* outer = new QVBoxLayout(central);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);

    Panel1 = new QWidget(central);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFixedHeight(89);
    fill(Panel1, HeaderEnd);
    Image5 = new QLabel(Panel1);
    Image5->setObjectName(QStringLiteral("Image5"));
    // Kept at its own proportions and cut off at the right, so the program name is never squeezed.
    Image5->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    auto* headerLayout = new QHBoxLayout(Panel1);
    headerLayout->setContentsMargins(0, 0, 0, 0);
    headerLayout->addWidget(Image5);
    Image5->setMinimumWidth(1);
    outer->addWidget(Panel1);

    auto* body = new QHBoxLayout;
    body->setContentsMargins(0, 0, 0, 0);
    body->setSpacing(0);
    body->addWidget(buildColumn());
    body->addWidget(buildFunctionArea(), 1);
    outer->addLayout(body, 1);
    setCentralWidget(central);

    StatusBar1 = new PanelStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    setStatusBar(StatusBar1);
}

QWidget* TmainForm::buildColumn() {
    Panel2 = new QWidget;
    Panel2->setObjectName(QStringLiteral("Panel2"));
    Panel2->setFixedWidth(200);
    fill(Panel2, ColumnBack);
    auto* col = new QVBoxLayout(Panel2);
    col->setContentsMargins(0, 0, 0, 0);
    col->setSpacing(0);

    Image4 = new QLabel(Panel2);
    Image4->setObjectName(QStringLiteral("Image4"));
    Image4->setPixmap(columnHead());
    Image4->setFixedHeight(39);
    col->addWidget(Image4);
    col->addSpacing(14);

    struct TabSpec {
        QLabel** image;
        QLabel** label;
        const char* imageName;
        const char* labelName;
        const char* caption;
        bool visible;
        void (TmainForm::*click)();
        void (TmainForm::*move)();
    };
    const TabSpec tabs[] = {
        {&Image6, &Label1, "Image6", "Label1", "日常业务", true, &TmainForm::Image6Click,
         &TmainForm::Image6MouseMove},
        {&Image7, &Label2, "Image7", "Label2", "其它业务", false, &TmainForm::Image7Click,
         &TmainForm::Image7MouseMove},
        {&Image2, &Label3, "Image2", "Label3", "报表查询", false, &TmainForm::Image2Click,
         &TmainForm::Image2MouseMove},
        {&Image3, &Label4, "Image3", "Label4", "基础资料", true, &TmainForm::Image3Click,
         &TmainForm::Image3MouseMove},
    };
    for (const TabSpec& t : tabs) {
        auto* image = new QLabel(Panel2);
        image->setObjectName(QLatin1String(t.imageName));
        image->setFixedSize(135, 23);
        image->setCursor(Qt::PointingHandCursor);
        auto* label = new QLabel(QString::fromUtf8(t.caption), image);
        label->setObjectName(QLatin1String(t.labelName));
        label->setFont(ProgramLook::kai(16));
        label->setAlignment(Qt::AlignCenter);
        label->setCursor(Qt::PointingHandCursor);
        label->setGeometry(0, 0, 135, 23);
        label->setAccessibleName(label->text());
        ink(label, Qt::black);
        for (QWidget* w : {static_cast<QWidget*>(image), static_cast<QWidget*>(label)}) {
            ControlEvents::onClick(w, [this, f = t.click] { (this->*f)(); });
            ControlEvents::onMouseMove(w, [this, f = t.move] { (this->*f)(); });
        }
        *t.image = image;
        *t.label = label;
        col->addWidget(image, 0, Qt::AlignHCenter);
        col->addSpacing(8);
        image->setVisible(t.visible);
    }
    col->addStretch(1);

    PnlBottom = new QWidget(Panel2);
    PnlBottom->setObjectName(QStringLiteral("PnlBottom"));
    PnlBottom->setFixedHeight(68);
    auto* bottom = new QVBoxLayout(PnlBottom);
    bottom->setContentsMargins(0, 0, 0, 0);
    ImgAfresh = new QLabel(PnlBottom);
    ImgAfresh->setObjectName(QStringLiteral("ImgAfresh"));
    ImgAfresh->setPixmap(commandBack());
    ImgAfresh->setScaledContents(true);
    bottom->addWidget(ImgAfresh);
    ControlEvents::onMouseMove(ImgAfresh, [this] { ImgAfreshMouseMove(); });

    struct CommandSpec {
        QLabel** label;
        const char* name;
        const char* caption;
        QRect geometry;
        void (TmainForm::*click)();
    };
    const CommandSpec commands[] = {
        {&LBConfig, "LBConfig", "系统配置", QRect(0, 3, 100, 32), &TmainForm::LBConfigClick},
        {&LBModifyPassWord, "LBModifyPassWord", "修改密码", QRect(100, 3, 100, 32),
         &TmainForm::LBModifyPassWordClick},
        {&LBAfresh, "LBAfresh", "注 销", QRect(0, 36, 100, 32), &TmainForm::LBAfreshClick},
        {&LBExit, "LBExit", "退 出", QRect(100, 36, 100, 32), &TmainForm::LBExitClick},
    };
    for (const CommandSpec& c : commands) {
        auto* label = new QLabel(QString::fromUtf8(c.caption), ImgAfresh);
        label->setObjectName(QLatin1String(c.name));
        label->setFont(ProgramLook::kai(16, true));
        label->setAlignment(Qt::AlignCenter);
        label->setCursor(Qt::PointingHandCursor);
        label->setGeometry(c.geometry.adjusted(14, 4, -14, -4));
        label->setAccessibleName(label->text());
        ink(label, Qt::white);
        fill(label, QColor(0xe8, 0xef, 0xf8));
        label->setAutoFillBackground(false);
        ControlEvents::onClick(label, [this, f = c.click] { (this->*f)(); });
        ControlEvents::onMouseMove(label, [this, label] { LBConfigMouseMove(label); });
        *c.label = label;
    }
    shp1 = line(ImgAfresh, "shp1", QRect(100, 10, 1, 50));
    Shape1 = line(ImgAfresh, "Shape1", QRect(12, 35, 76, 1));
    Shape2 = line(ImgAfresh, "Shape2", QRect(112, 35, 76, 1));
    Shape3 = line(ImgAfresh, "Shape3", QRect(0, 67, 200, 1));
    Shape4 = line(ImgAfresh, "Shape4", QRect(0, 2, 1, 66));
    Shape5 = line(ImgAfresh, "Shape5", QRect(199, 2, 1, 66));
    col->addWidget(PnlBottom);

    ControlEvents::onMouseMove(Panel2, [this] { Panel2MouseMove(); });
    return Panel2;
}

QWidget* TmainForm::buildFunctionArea() {
    Panel3 = new QWidget;
    Panel3->setObjectName(QStringLiteral("Panel3"));
    fill(Panel3, Qt::white);
    auto* grid = new QGridLayout(Panel3);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);
    Image8 = new QLabel(Panel3);
    Image8->setObjectName(QStringLiteral("Image8"));
    Image8->setPixmap(strip(Qt::Horizontal));
    Image8->setScaledContents(true);
    Image8->setFixedHeight(10);
    Image8->setMinimumWidth(1);
    Image1 = new QLabel(Panel3);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(strip(Qt::Vertical));
    Image1->setScaledContents(true);
    Image1->setFixedWidth(10);
    Image1->setMinimumHeight(1);
    PnlFunction = new QWidget(Panel3);
    PnlFunction->setObjectName(QStringLiteral("PnlFunction"));
    fill(PnlFunction, ColumnBack);
    auto* pages = new QGridLayout(PnlFunction);
    pages->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(Image8, 0, 0, 1, 2);
    grid->addWidget(Image1, 1, 0);
    grid->addWidget(PnlFunction, 1, 1);
    grid->setRowStretch(1, 1);
    grid->setColumnStretch(1, 1);
    return Panel3;
}

void TmainForm::setLockWindow(TsyssdForm* lock) {
    m_lock = lock;
    if (lock)
        connect(lock, &TsyssdForm::unlocked, this, ErrorGuard::wrap(this, [this] { FormShow(); }));
}

// All pages share the one cell of PnlFunction; the one raised last covers the others.
void TmainForm::placePage(QWidget* page) {
    page->setParent(PnlFunction);
    static_cast<QGridLayout*>(PnlFunction->layout())->addWidget(page, 0, 0);
    page->hide();
}

QWidget* TmainForm::frontPage() const {
    const QObjectList& kids = PnlFunction->children();
    for (auto it = kids.rbegin(); it != kids.rend(); ++it) {
        auto* page = qobject_cast<FunctionPage*>(*it);
        if (page && page->isVisibleTo(PnlFunction))
            return page;
    }
    return nullptr;
}

template <class Page> Page* TmainForm::page() const {
    return PnlFunction->findChild<Page*>(QString(), Qt::FindDirectChildrenOnly);
}

void TmainForm::FormShow() {
    Image5->setPixmap(programPicture(QStringLiteral("main.bmp")));
    FillStatusBar(this, StatusBar1);
    if (auto* other = page<Twd2_Form>())
        other->show();
    Image6->setPixmap(programPicture(QStringLiteral("but2.bmp")));
    ink(Label1, Red);
    const QPixmap notSelected = programPicture(QStringLiteral("but1.bmp"));
    for (QLabel* image : {Image7, Image2, Image3})
        image->setPixmap(notSelected);
    for (QLabel* label : {Label2, Label3, Label4})
        ink(label, Qt::black);
    Image6Click();
}

void TmainForm::FormActivate() {
    if (m_inActivate)
        return;
    m_inActivate = true;
    struct Reset {
        bool& flag;
        ~Reset() { flag = false; }
    } reset{m_inActivate};
    // A failing check is shown while the guard still holds, so its box is the check's own.
    ErrorGuard::run(this, [this] { PageActions::run(m_actions.alarmCheck); });
}

bool TmainForm::FormCloseQuery() {
    return ConfirmExit(this);
}

void TmainForm::selectTab(QLabel* tab, QWidget* page) {
    const QPixmap selected = programPicture(QStringLiteral("but2.bmp"));
    const QPixmap notSelected = programPicture(QStringLiteral("but1.bmp"));
    const std::pair<QLabel*, QLabel*> all[] = {
        {Image6, Label1}, {Image7, Label2}, {Image2, Label3}, {Image3, Label4}};
    for (const auto& [image, label] : all) {
        image->setPixmap(image == tab ? selected : notSelected);
        ink(label, image == tab ? Red : QColor(Qt::black));
    }
    if (page) {
        page->show();
        page->raise();
    }
}

void TmainForm::Image6Click() {
    selectTab(Image6, page<Twd1_Form>());
}

void TmainForm::Image7Click() {
    selectTab(Image7, page<Twd2_Form>());
}

// The report tab has no page.
void TmainForm::Image2Click() {}

void TmainForm::Image3Click() {
    selectTab(Image3, page<Twd4_Form>());
}

void TmainForm::hoverTab(QLabel* label) {
    if (inkOf(label) != Red)
        ink(label, Blue);
}

void TmainForm::Image6MouseMove() {
    hoverTab(Label1);
}

void TmainForm::Image7MouseMove() {
    hoverTab(Label2);
}

void TmainForm::Image2MouseMove() {
    hoverTab(Label3);
}

void TmainForm::Image3MouseMove() {
    hoverTab(Label4);
}

void TmainForm::Panel2MouseMove() {
    for (QLabel* label : {Label1, Label2, Label3, Label4})
        if (inkOf(label) != Red)
            ink(label, Qt::black);
}

void TmainForm::LBConfigClick() {
    PageActions::run(m_actions.showSysConfigForm);
}

void TmainForm::LBModifyPassWordClick() {
    PageActions::run(m_actions.showModifyPassWordForm);
}

void TmainForm::LBAfreshClick() {
    if (m_lock)
        ModalSeam::exec(m_lock);
}

void TmainForm::LBExitClick() {
    ConfirmExit(this);
}

// Blue text needs a light ground on the dark command block, so the hovered command gets one.
void TmainForm::LBConfigMouseMove(QLabel* label) {
    ink(label, Blue);
    label->setAutoFillBackground(true);
}

void TmainForm::ImgAfreshMouseMove() {
    for (QLabel* label : {LBConfig, LBModifyPassWord, LBAfresh, LBExit}) {
        ink(label, Qt::white);
        label->setAutoFillBackground(false);
    }
}

// Shown after the login: spontaneous shows (a window restored from the task bar) are not a new start.
void TmainForm::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!event->spontaneous())
        ErrorGuard::run(this, [this] { FormShow(); });
}

void TmainForm::closeEvent(QCloseEvent* event) {
    bool ending = ProgramEnd::requested();
    if (!ending)
        ErrorGuard::run(this, [&] { ending = FormCloseQuery(); });
    if (ending)
        event->accept();
    else
        event->ignore();
}

// Activation from within the program (after the login, after a window shown over this one
// closes) runs the follow-up check once; coming back from another program does not, nor coming
// back from the check's own question or error box (else answering No would only ask again).
// Closing a modal window unblocks this window before (or instead of) activating it again.
bool TmainForm::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate || event->type() == QEvent::WindowUnblocked) {
        if (m_checkDue && !m_inActivate && isVisible()) {
            m_checkDue = false;
            ErrorGuard::run(this, [this] { FormActivate(); });
            // The reminder windows opened by the check have closed: that is a return as well.
            if (m_checkDue)
                QTimer::singleShot(0, this, [this] {
                    QEvent again(QEvent::WindowUnblocked);
                    if (!QApplication::activeModalWidget())
                        this->event(&again);
                });
        }
    }
    return QMainWindow::event(event);
}
