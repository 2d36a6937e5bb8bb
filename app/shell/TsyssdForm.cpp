#include "TsyssdForm.h"

#include "ErrorGuard.h"
#include "LoginRules.h"
#include "MessageBoxService.h"
#include "ProgramEnd.h"
#include "ProgramLook.h"
#include "SystemParams.h"
#include "TUser.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

TsyssdForm::TsyssdForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("syssdForm"));
    setWindowTitle(QStringLiteral("系统锁定"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFont(ProgramLook::song(13));
    setFixedSize(269, 132);

    Label1 = new QLabel(QStringLiteral("员工代码"), this);
    Label1->setGeometry(24, 20, 64, 22);
    Username_Edit = new QLineEdit(this);
    Username_Edit->setObjectName(QStringLiteral("Username_Edit"));
    Username_Edit->setAccessibleName(QStringLiteral("员工代码"));
    Username_Edit->setGeometry(92, 20, 150, 22);
    Label1->setBuddy(Username_Edit);

    Label2 = new QLabel(QStringLiteral("输入密码"), this);
    Label2->setGeometry(24, 52, 64, 22);
    Password_Edit = new QLineEdit(this);
    Password_Edit->setObjectName(QStringLiteral("Password_Edit"));
    Password_Edit->setAccessibleName(QStringLiteral("输入密码"));
    Password_Edit->setEchoMode(QLineEdit::Password);
    Password_Edit->setStyleSheet(QStringLiteral("lineedit-password-character: 42;"));
    Password_Edit->setGeometry(92, 52, 150, 22);
    Label2->setBuddy(Password_Edit);

    OKButton1 = new QPushButton(QStringLiteral("确定"), this);
    OKButton1->setObjectName(QStringLiteral("OKButton1"));
    OKButton1->setGeometry(50, 90, 75, 26);
    OKButton1->setDefault(true);
    CancelButton2 = new QPushButton(QStringLiteral("退出系统"), this);
    CancelButton2->setObjectName(QStringLiteral("CancelButton2"));
    CancelButton2->setGeometry(144, 90, 75, 26);
    CancelButton2->setAutoDefault(false);

    connect(OKButton1, &QPushButton::clicked, this,
            ErrorGuard::wrap(this, [this](bool) { OKButton1Click(); }));
    connect(CancelButton2, &QPushButton::clicked, this,
            ErrorGuard::wrap(this, [this](bool) { CancelButton2Click(); }));
}

void TsyssdForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    // A lock that kept the last unlocking password would open for anybody.
    Username_Edit->clear();
    Password_Edit->clear();
    Username_Edit->setFocus(Qt::OtherFocusReason);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void TsyssdForm::OKButton1Click() {
    const QString refusal =
        LoginRules::unlockRefusal(CurrentUser, Username_Edit->text(), Password_Edit->text());
    if (!refusal.isEmpty()) {
        MessageBoxService::refuse(this, refusal);
        return;
    }
    done(QDialog::Accepted);
    emit unlocked();
}

void TsyssdForm::CancelButton2Click() {
    ConfirmExit(this);
}

void TsyssdForm::reject() {
    if (ProgramEnd::requested())
        QDialog::reject();
}

void TsyssdForm::closeEvent(QCloseEvent* event) {
    if (ProgramEnd::requested())
        QDialog::closeEvent(event);
    else
        event->ignore();
}
