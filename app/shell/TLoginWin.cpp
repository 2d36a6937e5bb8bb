#include "TLoginWin.h"

#include "DateText.h"
#include "ErrorGuard.h"
#include "LoginRules.h"
#include "MessageBoxService.h"
#include "PasswordHash.h"
#include "ProgramEnd.h"
#include "ProgramLauncher.h"
#include "ProgramLook.h"
#include "SystemParams.h"
#include "TSetValue.h"
#include "TUser.h"
#include "TUserDM.h"
#include "UserPasswords.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QToolButton>

#include <stdexcept>

namespace {
const char* kMarker = "LINTARA_DATE_RESTARTED";

QIcon drawnIcon(bool ok) {
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    if (ok) {
        p.setPen(QPen(QColor(0x2e, 0x8b, 0x3a), 2.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        QPainterPath tick;
        tick.moveTo(3, 8.5);
        tick.lineTo(6.5, 12);
        tick.lineTo(13, 4);
        p.drawPath(tick);
    } else {
        p.setPen(QPen(QColor(0xc0, 0x39, 0x2b), 2.4, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(4, 4), QPointF(12, 12));
        p.drawLine(QPointF(12, 4), QPointF(4, 12));
    }
    return QIcon(pm);
}

// A rounded rectangle filled $C49E3C, outlined $AB7D54, with its caption on it.
QFrame* captionShape(QWidget* parent, const QString& name, const QString& caption, QLabel** label) {
    auto* shape = new QFrame(parent);
    shape->setObjectName(name);
    shape->setStyleSheet(QStringLiteral("QFrame#%1 { background: #3C9EC4; border: 1px solid #547DAB; "
                                        "border-radius: 5px; }")
                             .arg(name));
    *label = new QLabel(caption, shape);
    (*label)->setFont(ProgramLook::kai(13, true));
    (*label)->setAlignment(Qt::AlignCenter);
    (*label)->setStyleSheet(QStringLiteral("background: transparent; border: none; color: #ffffff;"));
    return shape;
}

QLineEdit* loginEdit(QWidget* parent, const QString& name, const QString& accessible) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setAccessibleName(accessible);
    edit->setStyleSheet(
        QStringLiteral("QLineEdit { border: 1px solid #3C9EC4; background: #ffffff; padding: 0 2px; }"
                       "QLineEdit:hover { border: 1px solid #1F6F9A; background: #FFFBE8; }"
                       "QLineEdit:focus { border: 1px solid #1F6F9A; }"));
    return edit;
}

QToolButton* flatButton(QWidget* parent, const QString& name, const QString& caption, bool ok) {
    auto* b = new QToolButton(parent);
    b->setObjectName(name);
    b->setText(caption);
    b->setAccessibleName(caption);
    b->setIcon(drawnIcon(ok));
    b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    b->setAutoRaise(true);
    b->setFocusPolicy(Qt::StrongFocus);
    return b;
}
} // namespace

const char* TLoginWin::restartMarker() {
    return kMarker;
}

TLoginWin::TLoginWin(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("LoginWin"));
    setWindowTitle(QStringLiteral("登录窗口"));
    // No border icons: the window is left through "取消" only.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFont(ProgramLook::song(13));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(0xD9, 0xE8, 0xF0));
    setPalette(pal);
    setFixedSize(300, 190);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(0, 0, 300, 62);
    Image1->setScaledContents(true);

    Shape2 = captionShape(this, QStringLiteral("Shape2"), QStringLiteral("用户代码"), &Label1);
    Shape2->setGeometry(28, 76, 82, 24);
    Label1->setGeometry(0, 0, 82, 24);
    LoginName_Edit = loginEdit(this, QStringLiteral("LoginName_Edit"), QStringLiteral("用户代码"));
    LoginName_Edit->setGeometry(118, 76, 152, 24);
    Label1->setBuddy(LoginName_Edit);

    Shape1 = captionShape(this, QStringLiteral("Shape1"), QStringLiteral("用户口令"), &Label2);
    Shape1->setGeometry(28, 108, 82, 24);
    Label2->setGeometry(0, 0, 82, 24);
    // The password is shown as typed, as the agency has always had it.
    Password_Edit = loginEdit(this, QStringLiteral("Password_Edit"), QStringLiteral("用户口令"));
    Password_Edit->setGeometry(118, 108, 152, 24);
    Label2->setBuddy(Password_Edit);

    Shape3 = new QFrame(this);
    Shape3->setObjectName(QStringLiteral("Shape3"));
    Shape3->setGeometry(0, 143, 300, 2);
    Shape3->setStyleSheet(QStringLiteral("QFrame#Shape3 { background: #547DAB; border: none; }"));

    BtOK = flatButton(this, QStringLiteral("BtOK"), QStringLiteral("确定"), true);
    BtOK->setGeometry(62, 153, 80, 28);
    BtCanCel = flatButton(this, QStringLiteral("BtCanCel"), QStringLiteral("取消"), false);
    BtCanCel->setGeometry(158, 153, 80, 28);

    setTabOrder(LoginName_Edit, Password_Edit);
    setTabOrder(Password_Edit, BtOK);
    setTabOrder(BtOK, BtCanCel);

    connect(LoginName_Edit, &QLineEdit::returnPressed, this,
            ErrorGuard::wrap(this, [this] { LoginName_EditKeyDown(); }));
    connect(Password_Edit, &QLineEdit::returnPressed, this,
            ErrorGuard::wrap(this, [this] { Password_EditKeyDown(); }));
    connect(BtOK, &QToolButton::clicked, this, ErrorGuard::wrap(this, [this](bool) { BtOKClick(); }));
    connect(BtCanCel, &QToolButton::clicked, this, ErrorGuard::wrap(this, [this](bool) { BtCanCelClick(); }));

    m_restarted = qEnvironmentVariableIsSet(kMarker);
    // Programs this one starts later (calculator, updater) must not inherit the marker.
    qunsetenv(kMarker);
    FormCreate();
}

void TLoginWin::FormCreate() {
    DateText::setShortFormat(QString::fromLatin1(DateText::Iso));
}

void TLoginWin::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!event->spontaneous())
        ErrorGuard::run(this, [this] { FormShow(); });
}

void TLoginWin::FormShow() {
    setFixedSize(300, 190);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    loadBanner();
    if (DateText::today().size() < 10) {
        // This instance still uses a shorter date format: start again once, in a new instance.
        if (m_restarted)
            return;
        ProgramEnd::request();
        qputenv(kMarker, "1");
        ProgramLauncher::open(QCoreApplication::applicationFilePath());
        qunsetenv(kMarker);
    }
}

void TLoginWin::loadBanner() {
    // The banner is looked up in the working directory; a program started from elsewhere finds
    // it in its own folder.
    const QString name = QStringLiteral("image/star.bmp");
    QString path = QDir::current().filePath(name);
    if (!QFileInfo(path).isFile())
        path = AppGlobals.AppPath + QLatin1Char('/') + name;
    QPixmap banner(path);
    if (banner.isNull())
        throw std::runtime_error(QStringLiteral("无法打开图片文件 %1").arg(name).toStdString());
    Image1->setPixmap(banner);
}

void TLoginWin::LoginName_EditKeyDown() {
    Password_Edit->setFocus(Qt::OtherFocusReason);
}

void TLoginWin::Password_EditKeyDown() {
    BtOK->click();
}

void TLoginWin::BtOKClick() {
    if (!UserDM || !UserDM->ADOConnection1.isOpen())
        return;
    TUser user;
    if (LoginRules::isMaintenanceCode(LoginName_Edit->text())) {
        user = LoginRules::maintenanceUser();
    } else {
        const QString password = LoginRules::trimBlanks(Password_Edit->text());
        if (!CheckUser(LoginRules::trimBlanks(LoginName_Edit->text()), password))
            return;
        user = m_found;
        if (!PasswordHash::isHash(user.UserPassword))
            user.UserPassword = StoreUserPassword(user.UserId, password);
    }
    CurrentUser = user;
    // Loaded before the window hides: should it fail, the error box shows over a login window
    // that is still there to try again.
    LoadSystemParams();
    hide();
    emit loggedIn();
}

bool TLoginWin::CheckUser(const QString& code, const QString& password) {
    if (!UserDM || !UserDM->ADOConnection1.isOpen())
        return false;
    FreeQuery& q = UserDM->QryFree;
    const QString select = QStringLiteral("Select 编号,用户代码,用户口令,用户姓名,类型 From S_用户表 ");
    q.close();
    q.setSql(select);
    q.open();
    if (q.isEmpty()) {
        q.close();
        q.setSql(QStringLiteral("Insert into S_用户表 (用户代码,用户姓名,用户口令,类型) "
                                "values (:Code,:FullName,:Password,:Type)"));
        q.setParam(QStringLiteral("Code"), QStringLiteral("admin"));
        q.setParam(QStringLiteral("FullName"), QStringLiteral("ADMIN"));
        q.setParam(QStringLiteral("Password"), PasswordHash::hash(QString()));
        q.setParam(QStringLiteral("Type"), QStringLiteral("管理员"));
        q.execute();
        q.setSql(select);
        q.open();
    }
    // Matched here, never in SQL: whole value, case and blanks as they are.
    for (q.first(); !q.eof(); q.next())
        if (q.text(QStringLiteral("用户代码")) == code)
            break;
    if (q.eof()) {
        MessageBoxService::refuse(this, QStringLiteral("没有该用户!!!"));
        return false;
    }
    if (!LoginRules::passwordMatches(q.text(QStringLiteral("用户口令")), password)) {
        MessageBoxService::refuse(this, QStringLiteral("错误的密码!!!"));
        return false;
    }
    m_found = TUser();
    m_found.UserId = q.value(QStringLiteral("编号")).toInt();
    m_found.UserCode = q.text(QStringLiteral("用户代码"));
    m_found.UserFullName = q.text(QStringLiteral("用户姓名"));
    m_found.UserType = q.text(QStringLiteral("类型"));
    m_found.UserPassword = q.text(QStringLiteral("用户口令"));
    return true;
}

void TLoginWin::BtCanCelClick() {
    close();
}

void TLoginWin::closeEvent(QCloseEvent* event) {
    bool allow = ProgramEnd::requested();
    if (!allow)
        ErrorGuard::run(this, [&] { allow = FormCloseQuery(); });
    if (allow)
        event->accept();
    else
        event->ignore();
}

bool TLoginWin::FormCloseQuery() {
    if (MessageBoxService::show(this, QStringLiteral("确认"), QStringLiteral("真的要退出吗？"),
                                MsgIcon::Question, MsgButtons::YesNo) != MsgAnswer::Yes)
        return false;
    ProgramEnd::request();
    return true;
}
