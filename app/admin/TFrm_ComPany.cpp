#include "TFrm_ComPany.h"

#include "DbError.h"
#include "EditorLabel.h"
#include "ErrorGuard.h"
#include "HeadingPanel.h"
#include "KeyPreview.h"
#include "MessageBoxService.h"
#include "ModalSeam.h"
#include "ProgramLook.h"
#include "TSetValue.h"
#include "TUser.h"
#include "TUserDM.h"
#include "UserAccounts.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <array>
#include <memory>

namespace {
struct Field {
    const char* label;
    const char* column;
    int size;
};
// In tab order; the sizes are those of the columns of S_企业信息.
const std::array<Field, 5> kFields{{
    {"企业名称:", "企业名称", 100},
    {"企业地址:", "企业地址", 100},
    {"联系电话:", "联系电话", 40},
    {"网址:", "网址", 100},
    {"电子邮箱:", "电子邮件", 100},
}};

FreeQuery& qryFree() {
    if (!UserDM)
        throw DbError(QStringLiteral("数据库没有连接"));
    return UserDM->QryFree;
}
} // namespace

TFrm_ComPany::TFrm_ComPany(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Frm_ComPany"));
    setWindowTitle(QStringLiteral("公司基本信息"));
    setFont(ProgramLook::song(14));
    setFixedSize(365, 406);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 14);
    Panel1 = new HeadingPanel(QStringLiteral("公司基本信息"), 21, this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    outer->addWidget(Panel1);

    auto* grid = new QGridLayout;
    grid->setContentsMargins(22, 18, 22, 8);
    grid->setVerticalSpacing(16);
    std::array<QLineEdit**, 5> edits{&EdtComPany, &EdtAddress, &EdtTel, &EdtWeb, &EdtEmail};
    const std::array<const char*, 5> names{"EdtComPany", "EdtAddress", "EdtTel", "EdtWeb", "EdtEmail"};
    for (size_t i = 0; i < edits.size(); ++i) {
        auto* label = new QLabel(QString::fromUtf8(kFields[i].label), this);
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QString::fromLatin1(names[i]));
        edit->setReadOnly(true);
        EditorLabel::attach(label, edit);
        grid->addWidget(label, int(i), 0, Qt::AlignRight);
        grid->addWidget(edit, int(i), 1);
        *edits[i] = edit;
    }
    outer->addLayout(grid);
    outer->addStretch(1);

    auto* buttons = new QHBoxLayout;
    BtnEdit = new QPushButton(QStringLiteral("修改"), this);
    BtnEdit->setObjectName(QStringLiteral("BtnEdit"));
    BtnSave = new QPushButton(QStringLiteral("保存"), this);
    BtnSave->setObjectName(QStringLiteral("BtnSave"));
    Btnclose = new QPushButton(QStringLiteral("关闭"), this);
    Btnclose->setObjectName(QStringLiteral("Btnclose"));
    buttons->addStretch(1);
    for (QPushButton* b : {BtnEdit, BtnSave, Btnclose}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    buttons->addStretch(1);
    outer->addLayout(buttons);

    const bool admin = UserAccounts::isAdministrator(CurrentUser.UserType);
    BtnEdit->setVisible(admin);
    BtnSave->setVisible(admin);
    setEditing(false);

    connect(BtnEdit, &QPushButton::clicked, this, ErrorGuard::wrap(this, [this](bool) { BtnEditClick(); }));
    connect(BtnSave, &QPushButton::clicked, this, ErrorGuard::wrap(this, [this](bool) { BtnSaveClick(); }));
    connect(Btnclose, &QPushButton::clicked, this, &QDialog::close);
    m_keys = new KeyPreview(this, [this](QKeyEvent* e) { return FormKeyDown(e); });
}

void TFrm_ComPany::setEditing(bool editing) {
    for (QLineEdit* e : {EdtComPany, EdtAddress, EdtTel, EdtWeb, EdtEmail})
        e->setReadOnly(!editing);
    BtnEdit->setEnabled(!editing);
    BtnSave->setEnabled(editing);
}

void TFrm_ComPany::FillFromProfile() {
    FreeQuery& q = qryFree();
    q.close();
    // The row LoadSystemParams reads: the first by key.
    q.setSql(QStringLiteral("Select 编码,企业地址,联系电话,网址,电子邮件 from S_企业信息 order by 编码"));
    q.open();
    EdtComPany->setText(AppGlobals.CompanyName);
    if (q.isEmpty()) {
        m_code.clear();
    } else {
        m_code = q.text(QStringLiteral("编码"));
        EdtAddress->setText(q.text(QStringLiteral("企业地址")));
        EdtTel->setText(q.text(QStringLiteral("联系电话")));
        EdtWeb->setText(q.text(QStringLiteral("网址")));
        EdtEmail->setText(q.text(QStringLiteral("电子邮件")));
    }
    q.close();
}

void TFrm_ComPany::BtnEditClick() {
    setEditing(true);
    EdtComPany->setFocus(Qt::OtherFocusReason);
}

void TFrm_ComPany::BtnSaveClick() {
    const std::array<QLineEdit*, 5> edits{EdtComPany, EdtAddress, EdtTel, EdtWeb, EdtEmail};
    for (size_t i = 0; i < edits.size(); ++i) {
        if (edits[i]->text().size() > kFields[i].size) {
            QString name = QString::fromUtf8(kFields[i].label);
            name.chop(1);
            MessageBoxService::refuse(this,
                                      QStringLiteral("%1不能超过%2个字符!!!").arg(name).arg(kFields[i].size));
            edits[i]->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
    FreeQuery& q = qryFree();
    q.close();
    const QString code = m_code.isEmpty() ? QStringLiteral("01") : m_code;
    if (m_code.isEmpty()) {
        q.setSql(QStringLiteral("Insert into S_企业信息 (编码,企业名称,企业地址,联系电话,网址,电子邮件) "
                                "values (:Code,:Name,:Address,:Tel,:Web,:Email)"));
    } else {
        q.setSql(QStringLiteral("Update S_企业信息 Set 企业名称=:Name,企业地址=:Address,联系电话=:Tel,"
                                "网址=:Web,电子邮件=:Email where 编码=:Code"));
    }
    q.setParam(QStringLiteral("Code"), code);
    q.setParam(QStringLiteral("Name"), EdtComPany->text());
    q.setParam(QStringLiteral("Address"), EdtAddress->text());
    q.setParam(QStringLiteral("Tel"), EdtTel->text());
    q.setParam(QStringLiteral("Web"), EdtWeb->text());
    q.setParam(QStringLiteral("Email"), EdtEmail->text());
    try {
        q.execute();
    } catch (const std::exception&) {
        MessageBoxService::refuse(this, QStringLiteral("保存失败!!!"));
        return;
    }
    m_code = code;
    // The bills and the status bar read these from memory.
    AppGlobals.CompanyName = EdtComPany->text().trimmed();
    AppGlobals.CompanyTel = EdtTel->text();
    setEditing(false);
    MessageBoxService::inform(this, QStringLiteral("保存成功！"));
}

bool TFrm_ComPany::FormKeyDown(QKeyEvent* event) {
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter)
        return false;
    focusNextChild();
    return true;
}

void ShowCompanyForm() {
    auto window = std::make_unique<TFrm_ComPany>();
    window->FillFromProfile();
    ModalSeam::exec(window.get());
}
