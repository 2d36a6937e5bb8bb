#include "Tuser_Form.h"

#include "BandedGrid.h"
#include "BatchDataSet.h"
#include "ErrorGuard.h"
#include "GridCellDelegate.h"
#include "MessageBoxService.h"
#include "ModalSeam.h"
#include "PanelStatusBar.h"
#include "SystemParams.h"
#include "TUser.h"
#include "TuseraddForm.h"
#include "UserAccounts.h"

#include <QKeyEvent>
#include <QLabel>
#include <QToolButton>

#include <memory>

namespace {
// The password column never shows what is stored.
class MaskedCellDelegate : public GridCellDelegate {
public:
    using GridCellDelegate::GridCellDelegate;
    QString displayText(const QVariant&, const QLocale&) const override {
        return Tuser_Form::dxDBGrid1Column4GetText();
    }
};

const QString kNoRight = QStringLiteral("无权限,请找管理员!!!");
} // namespace

Tuser_Form::Tuser_Form(QWidget* parent) : Ttemplet(parent) {
    setObjectName(QStringLiteral("user_Form"));
    setWindowTitle(QStringLiteral("用户信息管理"));
    Panel1->setText(QStringLiteral("系统用户管理"));
    Panel2->hide();

    ToolButton1 = TbNew;
    ToolButton2 = TbDelete;
    ToolButton5 = TbModfiy;
    ToolButton5->setText(QStringLiteral("改密"));
    ToolButton5->setAccessibleName(QStringLiteral("改密"));
    ToolButton8 = TbClose;
    for (QWidget* w : {static_cast<QWidget*>(TbRefresh), static_cast<QWidget*>(TbPrint),
                       static_cast<QWidget*>(ToolSep1), static_cast<QWidget*>(ToolSep2)})
        w->hide();

    QryData->setTableName(QStringLiteral("S_用户表"));
    QryData->setKeyField(QStringLiteral("编号"));
    dxDBGrid1->clearLayout();
    dxDBGrid1->addBand(QStringLiteral("用户信息一览表"));
    dxDBGrid1->addColumn(QStringLiteral("用户代码"), QStringLiteral("用户代码"), 160);
    dxDBGrid1->addColumn(QStringLiteral("用户姓名"), QStringLiteral("用户姓名"), 160);
    dxDBGrid1->addColumn(QStringLiteral("用户口令"), QStringLiteral("用户口令"), 160);
    dxDBGrid1->addColumn(QStringLiteral("类型"), QStringLiteral("类型"), 120);
    dxDBGrid1->setKeyField(QStringLiteral("编号"));
    dxDBGrid1->setCellsCentred(true);
    dxDBGrid1->setHint(QString());

    connect(ToolButton1, &QToolButton::clicked, this,
            ErrorGuard::wrap(this, [this](bool) { ToolButton1Click(); }));
    connect(ToolButton2, &QToolButton::clicked, this,
            ErrorGuard::wrap(this, [this](bool) { ToolButton2Click(); }));
    connect(ToolButton5, &QToolButton::clicked, this,
            ErrorGuard::wrap(this, [this](bool) { ToolButton5Click(); }));
    // ToolButton8 is the template's close button.
}

QString Tuser_Form::dxDBGrid1Column4GetText() {
    return QStringLiteral("********");
}

void Tuser_Form::OpenUsers() {
    QryData->close();
    if (UserAccounts::isAdministrator(CurrentUser.UserType)) {
        QryData->setSql(QStringLiteral("select * from S_用户表"));
    } else {
        QryData->setSql(QStringLiteral("select * from S_用户表 where 编号=:userid"));
        QryData->setParam(QStringLiteral("userid"), CurrentUser.UserId);
    }
    QryData->open();
    const int password = QryData->columnIndex(QStringLiteral("用户口令"));
    if (password >= 0 && !dxDBGrid1->itemDelegateForColumn(password))
        dxDBGrid1->setItemDelegateForColumn(password, new MaskedCellDelegate(dxDBGrid1));
}

void Tuser_Form::ToolButton1Click() {
    if (!UserAccounts::isAdministrator(CurrentUser.UserType)) {
        MessageBoxService::refuse(this, kNoRight);
        return;
    }
    m_dialog->prepareNew();
    QryData->append();
    QryData->setValue(QStringLiteral("类型"), UserAccounts::operatorType());
    m_dialog->showForRow();
}

void Tuser_Form::ToolButton2Click() {
    if (!UserAccounts::isAdministrator(CurrentUser.UserType)) {
        MessageBoxService::refuse(this, kNoRight);
        return;
    }
    if (QryData->isEmpty())
        return;
    const QString refusal = UserAccounts::deleteRefusal(QryData->value(QStringLiteral("编号")).toInt(),
                                                        QryData->text(QStringLiteral("类型")), CurrentUser);
    if (!refusal.isEmpty()) {
        MessageBoxService::refuse(this, refusal);
        return;
    }
    if (MessageBoxService::show(this, QStringLiteral("警告"),
                                QStringLiteral("确认要删除") + QryData->text(QStringLiteral("用户姓名")) +
                                    QStringLiteral("用户吗?"),
                                MsgIcon::Warning, MsgButtons::YesNo) != MsgAnswer::Yes)
        return;
    QryData->deleteCurrent();
    try {
        QryData->applyBatch();
    } catch (...) {
        // The row comes back: it is still in the database.
        QryData->cancelBatch();
        throw;
    }
}

void Tuser_Form::ToolButton5Click() {
    if (QryData->isEmpty())
        return;
    m_dialog->preparePasswordChange();
    m_dialog->showForRow();
}

void Tuser_Form::ToolButton8Click() {
    close();
}

bool Tuser_Form::FormKeyDown(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_F2:
        return clickIfEnabled(ToolButton1);
    case Qt::Key_F3:
        return clickIfEnabled(ToolButton5);
    case Qt::Key_F4:
        return clickIfEnabled(ToolButton2);
    default:
        return Ttemplet::FormKeyDown(event);
    }
}

void ShowUserForm() {
    auto window = std::make_unique<Tuser_Form>();
    auto dialog = std::make_unique<TuseraddForm>(window->DsData);
    window->setEditDialog(dialog.get());
    FillStatusBar(window.get(), window->StatusBar1);
    window->OpenUsers();
    ModalSeam::exec(window.get());
    dialog.reset();
}
