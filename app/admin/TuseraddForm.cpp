#include "TuseraddForm.h"

#include "BatchDataSet.h"
#include "DbEdit.h"
#include "EditorLabel.h"
#include "ErrorGuard.h"
#include "HeadingPanel.h"
#include "KeyPreview.h"
#include "LoginRules.h"
#include "MessageBoxService.h"
#include "ModalSeam.h"
#include "PasswordHash.h"
#include "ProgramLook.h"
#include "TUser.h"
#include "UserAccounts.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace {
const QString kPassword = QStringLiteral("用户口令");

void maskPassword(QLineEdit* edit) {
    edit->setEchoMode(QLineEdit::Password);
    edit->setStyleSheet(QStringLiteral("lineedit-password-character: 42;"));
}
} // namespace

TuseraddForm::TuseraddForm(BatchDataSet* dsData, QWidget* parent) : QDialog(parent), m_ds(dsData) {
    setObjectName(QStringLiteral("useraddForm"));
    setWindowTitle(QStringLiteral("用户新增信息"));
    setFont(ProgramLook::song(14));
    setFixedSize(340, 300);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 12);
    Panel1 = new HeadingPanel(QStringLiteral("系统用户登记"), 19, this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    outer->addWidget(Panel1);

    auto* grid = new QGridLayout;
    grid->setContentsMargins(30, 12, 30, 6);
    grid->setVerticalSpacing(8);
    auto row = [&](int r, const QString& caption, QWidget* editor) {
        auto* label = new QLabel(caption, this);
        grid->addWidget(label, r, 0, Qt::AlignRight);
        grid->addWidget(editor, r, 1);
        EditorLabel::attach(label, editor);
    };
    DBEdit1 = new DbEdit(this);
    DBEdit1->setObjectName(QStringLiteral("DBEdit1"));
    DBEdit1->bind(m_ds, QStringLiteral("用户代码"));
    row(0, QStringLiteral("登录帐号"), DBEdit1);
    DBEdit2 = new DbEdit(this);
    DBEdit2->setObjectName(QStringLiteral("DBEdit2"));
    DBEdit2->bind(m_ds, QStringLiteral("用户姓名"));
    row(1, QStringLiteral("用户姓名"), DBEdit2);
    DBEdit3 = new DbEdit(this);
    DBEdit3->setObjectName(QStringLiteral("DBEdit3"));
    DBEdit3->bind(m_ds, kPassword);
    maskPassword(DBEdit3);
    row(2, QStringLiteral("登录密码"), DBEdit3);
    MaskEdit1 = new QLineEdit(this);
    MaskEdit1->setObjectName(QStringLiteral("MaskEdit1"));
    maskPassword(MaskEdit1);
    row(3, QStringLiteral("确认密码"), MaskEdit1);
    DBComboBox1 = new QComboBox(this);
    DBComboBox1->setObjectName(QStringLiteral("DBComboBox1"));
    DBComboBox1->addItems({UserAccounts::operatorType(), UserAccounts::administratorType()});
    row(4, QStringLiteral("操作权限"), DBComboBox1);
    outer->addLayout(grid);
    outer->addStretch(1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    Button1 = new QPushButton(QStringLiteral("保  存"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setAutoDefault(false);
    buttons->addWidget(Button1);
    buttons->addSpacing(24);
    Button2 = new QPushButton(QStringLiteral("取  消"), this);
    Button2->setObjectName(QStringLiteral("Button2"));
    Button2->setAccessibleName(QStringLiteral("取消"));
    Button2->setAutoDefault(false);
    buttons->addWidget(Button2);
    buttons->addStretch(1);
    outer->addLayout(buttons);

    setTabOrder(DBEdit1, DBEdit2);
    setTabOrder(DBEdit2, DBEdit3);
    setTabOrder(DBEdit3, MaskEdit1);
    setTabOrder(MaskEdit1, DBComboBox1);
    setTabOrder(DBComboBox1, Button1);
    setTabOrder(Button1, Button2);

    connect(Button1, &QPushButton::clicked, this, ErrorGuard::wrap(this, [this](bool) { Button1Click(); }));
    connect(Button2, &QPushButton::clicked, this, ErrorGuard::wrap(this, [this](bool) { Button2Click(); }));
    connect(DBComboBox1, &QComboBox::textActivated, this,
            ErrorGuard::wrap(this, [this](const QString& text) { DBComboBox1Change(text); }));
    m_keys = new KeyPreview(this, [this](QKeyEvent* e) { return FormKeyDown(e); });
}

void TuseraddForm::prepareNew() {
    Button1->setText(QStringLiteral("保存"));
    Button1->setAccessibleName(QStringLiteral("保存"));
    setWindowTitle(QStringLiteral("用户新增信息"));
    for (QWidget* w : {static_cast<QWidget*>(DBEdit2), static_cast<QWidget*>(DBEdit1),
                       static_cast<QWidget*>(DBComboBox1), static_cast<QWidget*>(MaskEdit1)})
        w->setEnabled(true);
    MaskEdit1->clear();
}

void TuseraddForm::preparePasswordChange() {
    Button1->setText(QStringLiteral("保存"));
    Button1->setAccessibleName(QStringLiteral("保存"));
    setWindowTitle(QStringLiteral("用户密码修改"));
    DBEdit1->setEnabled(false);
    // The stored text, so that a save without touching the password passes the confirmation.
    MaskEdit1->setText(m_ds->text(kPassword));
    DBComboBox1->setEnabled(false);
    DBEdit2->setEnabled(true);
    DBEdit3->setEnabled(true);
    MaskEdit1->setEnabled(true);
}

int TuseraddForm::showForRow() {
    showType();
    return ModalSeam::exec(this);
}

void TuseraddForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    QWidget* first = DBEdit1->isEnabled() ? static_cast<QWidget*>(DBEdit1) : static_cast<QWidget*>(DBEdit2);
    first->setFocus(Qt::OtherFocusReason);
}

void TuseraddForm::showType() {
    DBComboBox1->setCurrentIndex(DBComboBox1->findText(m_ds->text(QStringLiteral("类型"))));
}

void TuseraddForm::DBComboBox1Change(const QString& text) {
    m_ds->setValue(QStringLiteral("类型"), text);
}

void TuseraddForm::Button1Click() {
    const QString code = LoginRules::trimBlanks(DBEdit1->text());
    if (code.isEmpty()) {
        MessageBoxService::refuse(this, QStringLiteral("录入帐员不能为空!!"));
        return;
    }
    if (DBEdit3->text() != MaskEdit1->text()) {
        MessageBoxService::refuse(this, QStringLiteral("确认密码不正确!!"));
        return;
    }
    const int row = m_ds->currentRow();
    const bool isNew = m_ds->state() == BatchDataSet::State::Insert ||
                       m_ds->rowStatus(row) == BatchDataSet::RowStatus::Inserted;
    const QString typed = m_ds->text(kPassword);
    const QString stored =
        isNew ? QString() : m_ds->storedValue(row, m_ds->columnIndex(kPassword)).toString();
    const bool passwordChanged = isNew || typed != stored;
    if (passwordChanged && LoginRules::trimBlanks(typed).size() > PasswordHash::MaxPasswordLength) {
        MessageBoxService::refuse(
            this, QStringLiteral("登录密码不能超过%1个字符!!!").arg(PasswordHash::MaxPasswordLength));
        return;
    }
    const int userId = isNew ? 0 : m_ds->value(QStringLiteral("编号")).toInt();
    const QString duplicate = UserAccounts::duplicateCodeRefusal(code, userId);
    if (!duplicate.isEmpty()) {
        MessageBoxService::refuse(this, duplicate);
        return;
    }

    // The login trims both sides, so a code or password with blanks around is kept without them.
    if (code != m_ds->text(QStringLiteral("用户代码")))
        m_ds->setValue(QStringLiteral("用户代码"), code);
    QString hashed;
    if (passwordChanged) {
        hashed = PasswordHash::hash(LoginRules::trimBlanks(typed));
        m_ds->setValue(kPassword, hashed);
    }
    try {
        m_ds->applyBatch();
    } catch (const std::exception&) {
        // The row stays pending as the clerk typed it, to correct or cancel.
        if (passwordChanged)
            m_ds->setValue(kPassword, typed);
        MessageBoxService::refuse(this, QStringLiteral("保存失败!!!"));
        return;
    }
    if (passwordChanged && !isNew && userId == CurrentUser.UserId)
        CurrentUser.UserPassword = hashed;
    accept();
}

void TuseraddForm::Button2Click() {
    m_ds->cancelBatch();
    QDialog::reject();
}

void TuseraddForm::reject() {
    ErrorGuard::run(this, [this] { Button2Click(); });
}

bool TuseraddForm::FormKeyDown(QKeyEvent* event) {
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter)
        return false;
    focusNextChild();
    return true;
}
