#include "TModifyPassWordFrm.h"

#include "EditorLabel.h"
#include "ErrorGuard.h"
#include "InputEdits.h"
#include "LoginRules.h"
#include "MessageBoxService.h"
#include "ModalSeam.h"
#include "PasswordHash.h"
#include "ProgramLook.h"
#include "TUser.h"
#include "UserPasswords.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <memory>

TModifyPassWordFrm::TModifyPassWordFrm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("ModifyPassWordFrm"));
    setWindowTitle(QStringLiteral("密码修改"));
    setFont(ProgramLook::song(13));
    setFixedSize(269, 219);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(24, 24, 24, 18);
    auto* grid = new QGridLayout;
    grid->setVerticalSpacing(14);
    auto row = [&](int r, const QString& caption, const QString& name) {
        auto* label = new QLabel(caption, this);
        auto* edit = new QLineEdit(this);
        edit->setObjectName(name);
        edit->setEchoMode(QLineEdit::Password);
        edit->setStyleSheet(QStringLiteral("lineedit-password-character: 42;"));
        grid->addWidget(label, r, 0, Qt::AlignRight);
        grid->addWidget(edit, r, 1);
        EditorLabel::attach(label, edit);
        return edit;
    };
    EdtOld = row(0, QStringLiteral("原密码："), QStringLiteral("EdtOld"));
    EdtNew = row(1, QStringLiteral("新密码："), QStringLiteral("EdtNew"));
    EdtVerify = row(2, QStringLiteral("校  验："), QStringLiteral("EdtVerify"));
    EdtVerify->setAccessibleName(QStringLiteral("校验"));
    outer->addLayout(grid);
    outer->addStretch(1);

    auto* buttons = new QHBoxLayout;
    BtnOK = new QPushButton(QStringLiteral("确定"), this);
    BtnOK->setObjectName(QStringLiteral("BtnOK"));
    BtnExit = new QPushButton(QStringLiteral("退出"), this);
    BtnExit->setObjectName(QStringLiteral("BtnExit"));
    for (QPushButton* b : {BtnOK, BtnExit})
        b->setAutoDefault(false);
    buttons->addStretch(1);
    buttons->addWidget(BtnOK);
    buttons->addSpacing(20);
    buttons->addWidget(BtnExit);
    buttons->addStretch(1);
    outer->addLayout(buttons);

    connect(EdtOld, &QLineEdit::returnPressed, this, ErrorGuard::wrap(this, [this] { EdtOldKeyPress(); }));
    connect(EdtNew, &QLineEdit::returnPressed, this, ErrorGuard::wrap(this, [this] { EdtNewKeyPress(); }));
    connect(EdtVerify, &QLineEdit::returnPressed, this,
            ErrorGuard::wrap(this, [this] { EdtVerifyKeyPress(); }));
    connect(BtnOK, &QPushButton::clicked, this, ErrorGuard::wrap(this, [this](bool) { BtnOKClick(); }));
    connect(BtnExit, &QPushButton::clicked, this, ErrorGuard::wrap(this, [this](bool) { BtnExitClick(); }));
}

void TModifyPassWordFrm::EdtOldKeyPress() {
    // Checked as the login checks it: against the stored hash, trimmed, letter case kept.
    const QString typed = LoginRules::trimBlanks(EdtOld->text());
    if (!LoginRules::passwordMatches(CurrentUser.UserPassword, typed)) {
        MessageBoxService::refuse(this, QStringLiteral("原密码输入错误!"));
        EdtOld->clear();
        EdtOld->setFocus(Qt::OtherFocusReason);
        return;
    }
    EdtNew->setEnabled(true);
    EdtVerify->setEnabled(true);
    BtnOK->setEnabled(true);
    EdtNew->setFocus(Qt::OtherFocusReason);
}

void TModifyPassWordFrm::EdtNewKeyPress() {
    if (EdtVerify->isEnabled())
        EdtVerify->setFocus(Qt::OtherFocusReason);
}

void TModifyPassWordFrm::EdtVerifyKeyPress() {
    if (BtnOK->isEnabled())
        BtnOK->setFocus(Qt::OtherFocusReason);
}

void TModifyPassWordFrm::BtnOKClick() {
    TrimEdits(this);
    if (EdtNew->text().toUpper() != EdtVerify->text().toUpper()) {
        MessageBoxService::refuse(this, QStringLiteral("密码校验不正确，请重新输入!"));
        EdtNew->clear();
        EdtVerify->clear();
        EdtNew->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (EdtNew->text().size() > PasswordHash::MaxPasswordLength) {
        MessageBoxService::refuse(
            this, QStringLiteral("新密码不能超过%1个字符!!!").arg(PasswordHash::MaxPasswordLength));
        EdtNew->setFocus(Qt::OtherFocusReason);
        return;
    }
    // In memory at once, so the lock window and a second change in this login know it.
    CurrentUser.UserPassword = StoreUserPassword(CurrentUser.UserId, EdtNew->text());
    MessageBoxService::inform(this, QStringLiteral("密码修改成功！"));
    accept();
}

void TModifyPassWordFrm::BtnExitClick() {
    reject();
}

void ShowModifyPassWordForm() {
    auto dialog = std::make_unique<TModifyPassWordFrm>();
    ClearInputs(dialog.get());
    dialog->EdtNew->setEnabled(false);
    dialog->EdtVerify->setEnabled(false);
    dialog->BtnOK->setEnabled(false);
    ModalSeam::exec(dialog.get());
}
