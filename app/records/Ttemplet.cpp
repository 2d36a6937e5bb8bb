#include "Ttemplet.h"

#include "BandedGrid.h"
#include "BatchDataSet.h"
#include "DateText.h"
#include "ErrorGuard.h"
#include "KeyPreview.h"
#include "MessageBoxService.h"
#include "PanelStatusBar.h"
#include "ProgramEnd.h"
#include "ProgramLook.h"
#include "RangeDateEdit.h"
#include "SystemParams.h"
#include "TSetValue.h"
#include "TUserDM.h"
#include "ToolBarItems.h"

#include <QFile>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPalette>
#include <QPixmap>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
const QColor PanelColour(217, 232, 240); // 15788249 as $BBGGRR
} // namespace

Ttemplet::Ttemplet(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Ttemplet"));
    setWindowTitle(QStringLiteral("主数据模板"));
    setWindowFlags(Qt::Window | Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setWindowState(Qt::WindowMaximized);
    setSizeGripEnabled(true);
    setFont(ProgramLook::song(14));

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);

    CoolBar1 = new QFrame(this);
    CoolBar1->setObjectName(QStringLiteral("CoolBar1"));
    CoolBar1->setMinimumHeight(40);
    CoolBar1->setAutoFillBackground(true);
    auto* coolLayout = new QHBoxLayout(CoolBar1);
    coolLayout->setContentsMargins(4, 1, 4, 1);
    ToolBar1 = new QFrame(CoolBar1);
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    auto* tools = new QHBoxLayout(ToolBar1);
    tools->setContentsMargins(0, 0, 0, 0);
    tools->setSpacing(1);
    coolLayout->addWidget(ToolBar1);
    coolLayout->addStretch(1);
    outer->addWidget(CoolBar1);

    TbNew = addToolButton(QStringLiteral("TbNew"), QStringLiteral("新增"), 13);
    TbDelete = addToolButton(QStringLiteral("TbDelete"), QStringLiteral("删除"), 10);
    TbModfiy = addToolButton(QStringLiteral("TbModfiy"), QStringLiteral("修改"), 14);
    ToolSep1 = addSeparator();
    ToolSep1->setObjectName(QStringLiteral("ToolSep1"));
    TbRefresh = addToolButton(QStringLiteral("TbRefresh"), QStringLiteral("刷新"), 11);
    ToolSep2 = addSeparator();
    ToolSep2->setObjectName(QStringLiteral("ToolSep2"));
    TbPrint = addToolButton(QStringLiteral("TbPrint"), QStringLiteral("打印"), 0);
    ToolSep3 = addSeparator();
    ToolSep3->setObjectName(QStringLiteral("ToolSep3"));
    TbClose = addToolButton(QStringLiteral("TbClose"), QStringLiteral("退出"), 5);

    Panel1 = new QLabel(QStringLiteral("模板名称"), this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFixedHeight(41);
    Panel1->setAlignment(Qt::AlignCenter);
    Panel1->setFont(ProgramLook::song(29));
    Panel1->setAutoFillBackground(true);
    QPalette pal = Panel1->palette();
    pal.setColor(QPalette::Window, PanelColour);
    Panel1->setPalette(pal);
    Panel1->setFrameShape(QFrame::Panel);
    Panel1->setFrameShadow(QFrame::Raised);
    outer->addWidget(Panel1);

    Panel2 = new QFrame(this);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    Panel2->setMinimumHeight(31);
    Panel2->setAutoFillBackground(true);
    Panel2->setPalette(pal);
    Panel2->setFrameShape(QFrame::Panel);
    Panel2->setFrameShadow(QFrame::Raised);
    Panel2Layout = new QHBoxLayout(Panel2);
    Panel2Layout->setContentsMargins(8, 2, 8, 2);
    Panel2Layout->setSpacing(6);
    Label1 = new QLabel(QStringLiteral("日期："), Panel2);
    Label1->setObjectName(QStringLiteral("Label1"));
    Dtp1 = new RangeDateEdit(Panel2);
    Dtp1->setObjectName(QStringLiteral("Dtp1"));
    Dtp1->setAccessibleName(QStringLiteral("开始日期"));
    Label2 = new QLabel(QStringLiteral("--"), Panel2);
    Label2->setObjectName(QStringLiteral("Label2"));
    Dtp2 = new RangeDateEdit(Panel2);
    Dtp2->setObjectName(QStringLiteral("Dtp2"));
    Dtp2->setAccessibleName(QStringLiteral("结束日期"));
    Label1->setBuddy(Dtp1);
    BtQuery = new QToolButton(Panel2);
    BtQuery->setObjectName(QStringLiteral("BtQuery"));
    BtQuery->setText(QStringLiteral("查询"));
    BtQuery->setAccessibleName(QStringLiteral("查询"));
    BtQuery->setAutoRaise(true);
    BtQuery->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    BtQuery->setIcon(UserDM ? UserDM->ImageList1.icon(3) : QIcon());
    BtQuery->setMinimumWidth(70);
    Panel2Layout->addWidget(Label1);
    Panel2Layout->addWidget(Dtp1);
    Panel2Layout->addWidget(Label2);
    Panel2Layout->addWidget(Dtp2);
    Panel2Layout->addSpacing(6);
    Panel2Layout->addWidget(BtQuery);
    Panel2Layout->addStretch(1);
    outer->addWidget(Panel2);

    QryData = new BatchDataSet(UserDM->ADOConnection1, this);
    QryData->setObjectName(QStringLiteral("QryData"));
    DsData = QryData;

    dxDBGrid1 = new BandedGrid(this);
    dxDBGrid1->setObjectName(QStringLiteral("dxDBGrid1"));
    dxDBGrid1->setDataSet(DsData);
    dxDBGrid1->addBand(QStringLiteral("信息一览表"));
    dxDBGrid1->setBandFont(ProgramLook::kai(19, true));
    dxDBGrid1->setBandColor(PanelColour);
    dxDBGrid1->setHint(QStringLiteral("双击显示详细信息"));
    outer->addWidget(dxDBGrid1, 1);

    StatusBar1 = new PanelStatusBar(this, 4);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    outer->addWidget(StatusBar1);

    connect(TbRefresh, &QToolButton::clicked, this,
            ErrorGuard::wrap(this, [this](bool) { TbRefreshClick(); }));
    connect(TbClose, &QToolButton::clicked, this, ErrorGuard::wrap(this, [this](bool) { TbCloseClick(); }));

    m_keys = new KeyPreview(this, [this](QKeyEvent* e) {
        bool taken = false;
        ErrorGuard::run(this, [&] { taken = FormKeyDown(e); });
        return taken;
    });
}

Ttemplet::~Ttemplet() = default;

QToolButton* Ttemplet::addToolButton(const QString& name, const QString& caption, int glyph) {
    return ToolBarItems::addButton(ToolBar1, name, caption, glyph);
}

QFrame* Ttemplet::addSeparator() {
    return ToolBarItems::addSeparator(ToolBar1);
}

void Ttemplet::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous())
        ErrorGuard::run(this, [this] { FormShow(); });
}

void Ttemplet::FormShow() {
    const QString path = AppGlobals.AppPath + QStringLiteral("/image/背景.bmp");
    QPixmap picture;
    if (!QFile::exists(path) || !picture.load(path))
        throw std::runtime_error(QStringLiteral("无法读取图片文件 %1").arg(path).toStdString());
    QPalette pal = CoolBar1->palette();
    pal.setBrush(QPalette::Window, QBrush(picture));
    CoolBar1->setPalette(pal);
    TbNew->setEnabled(true);
    TbDelete->setEnabled(true);
    TbModfiy->setEnabled(true);
    FillStatusBar(this, StatusBar1);
}

void Ttemplet::TbRefreshClick() {
    // The dates move only when the query really runs.
    if (!ConfirmDiscardPending())
        return;
    Dtp2->setText(DateText::today());
    Dtp1->setText(DateText::format(QDate::currentDate().addDays(-2)));
    m_discardAgreed = true;
    BtQuery->click();
    m_discardAgreed = false;
}

void Ttemplet::TbCloseClick() {
    close();
}

bool Ttemplet::ConfirmDiscardPending() {
    if (m_discardAgreed || !QryData->isOpen() || !QryData->hasPendingChanges())
        return true;
    return MessageBoxService::ask(this, requeryQuestion());
}

void Ttemplet::done(int result) {
    if (isVisible() && QryData->isOpen() && QryData->hasPendingChanges() && !ProgramEnd::requested()) {
        if (!MessageBoxService::ask(this, closeQuestion()))
            return;
        QryData->cancelBatch();
    }
    QDialog::done(result);
}

bool Ttemplet::FormKeyDown(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Escape:
    case Qt::Key_F9:
        close();
        return true;
    default:
        return false;
    }
}

bool Ttemplet::clickIfEnabled(QToolButton* button) {
    if (button->isEnabled())
        button->click();
    return true;
}
