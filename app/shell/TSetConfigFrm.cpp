#include "TSetConfigFrm.h"

#include "ErrorGuard.h"
#include "MessageBoxService.h"
#include "ModalSeam.h"
#include "MyConnectIni.h"
#include "ProgramEnd.h"
#include "ProgramLook.h"
#include "TSetValue.h"

#include <QCloseEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
QLineEdit* addRow(QGridLayout* grid, int row, const QString& caption, const QString& objectName,
                  QWidget* parent) {
    auto* label = new QLabel(caption, parent);
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(objectName);
    QString accessible = caption;
    accessible.remove(QStringLiteral("："));
    edit->setAccessibleName(accessible);
    label->setBuddy(edit);
    grid->addWidget(label, row, 0, Qt::AlignRight);
    grid->addWidget(edit, row, 1);
    return edit;
}
} // namespace

TSetConfigFrm::TSetConfigFrm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("SetConfigFrm"));
    setWindowTitle(QStringLiteral("系统参数设置 "));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    setFont(ProgramLook::song(14));
    setFixedSize(310, 189);

    GroupBox1 = new QGroupBox(QStringLiteral("数据库路径"), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox1->setFixedHeight(105);
    auto* g1 = new QGridLayout(GroupBox1);
    g1->setContentsMargins(8, 10, 8, 8);
    g1->setHorizontalSpacing(4);
    Label1 = new QLabel(QStringLiteral("选择要连接的数据库文件:"), GroupBox1);
    Label1->setObjectName(QStringLiteral("Label1"));
    QPalette blue = Label1->palette();
    blue.setColor(QPalette::WindowText, QColor(0, 0, 255));
    Label1->setPalette(blue);
    EdtPath = new QLineEdit(GroupBox1);
    EdtPath->setObjectName(QStringLiteral("EdtPath"));
    EdtPath->setAccessibleName(QStringLiteral("选择要连接的数据库文件"));
    EdtPath->setFixedWidth(265);
    Label1->setBuddy(EdtPath);
    TBData = new QToolButton(GroupBox1);
    TBData->setObjectName(QStringLiteral("TBData"));
    TBData->setText(QStringLiteral("..."));
    TBData->setAccessibleName(QStringLiteral("..."));
    TBData->setFixedSize(20, 22);
    QPalette red = TBData->palette();
    red.setColor(QPalette::ButtonText, QColor(255, 0, 0));
    TBData->setPalette(red);
    g1->addWidget(Label1, 0, 0, 1, 2);
    g1->addWidget(EdtPath, 1, 0);
    g1->addWidget(TBData, 1, 1);
    g1->setColumnStretch(2, 1);

    GroupBox2 = new QGroupBox(QStringLiteral("数据库参数设置"), this);
    GroupBox2->setObjectName(QStringLiteral("GroupBox2"));
    auto* g2 = new QGridLayout(GroupBox2);
    g2->setContentsMargins(8, 6, 8, 6);
    g2->setVerticalSpacing(3);
    EdtServerName = addRow(g2, 0, QStringLiteral("服务器："), QStringLiteral("EdtServerName"), GroupBox2);
    EdtDataBaseName = addRow(g2, 1, QStringLiteral("数据库："), QStringLiteral("EdtDataBaseName"), GroupBox2);
    EdtUserName = addRow(g2, 2, QStringLiteral("用户："), QStringLiteral("EdtUserName"), GroupBox2);
    EdtPassword = addRow(g2, 3, QStringLiteral("密码："), QStringLiteral("EdtPassword"), GroupBox2);
    GroupBox2->hide();

    BtnOK = new QPushButton(QStringLiteral("确定"), this);
    BtnOK->setObjectName(QStringLiteral("BtnOK"));
    BtnExit = new QPushButton(QStringLiteral("退出"), this);
    BtnExit->setObjectName(QStringLiteral("BtnExit"));
    // Enter moves on to the next control; it never presses a button.
    for (QPushButton* b : {BtnOK, BtnExit}) {
        b->setAutoDefault(false);
        b->setDefault(false);
        b->setFixedSize(75, 25);
    }

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(BtnOK);
    buttons->addSpacing(24);
    buttons->addWidget(BtnExit);
    buttons->addStretch(1);

    auto* main = new QVBoxLayout(this);
    main->setContentsMargins(4, 4, 4, 8);
    main->addWidget(GroupBox1);
    main->addWidget(GroupBox2);
    main->addStretch(1);
    main->addLayout(buttons);

    setTabOrder(EdtPath, TBData);
    setTabOrder(TBData, EdtServerName);
    setTabOrder(EdtServerName, EdtDataBaseName);
    setTabOrder(EdtDataBaseName, EdtUserName);
    setTabOrder(EdtUserName, EdtPassword);
    setTabOrder(EdtPassword, BtnOK);
    setTabOrder(BtnOK, BtnExit);

    // Key preview: every control's keys pass the dialog first.
    installEventFilter(this);
    for (QWidget* w : findChildren<QWidget*>())
        w->installEventFilter(this);

    connect(TBData, &QToolButton::clicked, this, ErrorGuard::wrap(this, [this](bool) { TBDataClick(); }));
    connect(BtnOK, &QPushButton::clicked, this, ErrorGuard::wrap(this, [this](bool) { BtnOKClick(); }));
    connect(BtnExit, &QPushButton::clicked, this, ErrorGuard::wrap(this, [this](bool) { BtnExitClick(); }));
}

void TSetConfigFrm::setServerMode(bool server) {
    m_serverMode = server;
    GroupBox1->setVisible(!server);
    GroupBox2->setVisible(server);
}

QString TSetConfigFrm::fileFilter() {
    return QStringLiteral("数据库文件 (*.HDB *.hdb)");
}

bool TSetConfigFrm::eventFilter(QObject* watched, QEvent* event) {
    if (FormKeyPress(watched, event))
        return true;
    return QDialog::eventFilter(watched, event);
}

bool TSetConfigFrm::FormKeyPress(QObject*, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Escape && key->modifiers() == Qt::NoModifier) {
        if (leaveConfirmed())
            reject();
        return true;
    }
    if ((key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) ||
        key->modifiers() & ~Qt::KeypadModifier)
        return false;
    focusNextChild();
    return true;
}

void TSetConfigFrm::closeEvent(QCloseEvent* event) {
    if (!leaveConfirmed()) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

bool TSetConfigFrm::leaveConfirmed() {
    // The end of the program closes the dialog without asking anybody.
    if (m_leaving == SetConfigLeaving::Silent || ProgramEnd::requested() || !isVisible())
        return true;
    const QString consequence = m_leaving == SetConfigLeaving::EndsProgram
                                    ? QStringLiteral("不保存连接设置,程序将退出。")
                                    : QStringLiteral("不保存连接设置,数据库将不能连接,无法登录系统。");
    return MessageBoxService::ask(this, consequence + QStringLiteral("\n确定要关闭吗？"));
}

void TSetConfigFrm::TBDataClick() {
    QFileDialog OpenDialog1(this, QString(), EdtPath->text(), fileFilter());
    OpenDialog1.setObjectName(QStringLiteral("OpenDialog1"));
    OpenDialog1.setOption(QFileDialog::DontUseNativeDialog);
    OpenDialog1.setFileMode(QFileDialog::ExistingFile);
    OpenDialog1.setAcceptMode(QFileDialog::AcceptOpen);
    if (ModalSeam::exec(&OpenDialog1) != QDialog::Accepted)
        return;
    const QStringList files = OpenDialog1.selectedFiles();
    if (!files.isEmpty())
        EdtPath->setText(files.first());
}

void TSetConfigFrm::BtnOKClick() {
    if (!m_serverMode && EdtPath->text().isEmpty()) {
        MessageBoxService::refuse(this, QStringLiteral("数据库路径不能为空!"));
        return;
    }
    // A pasted value may carry a line break: it would not read back as typed.
    const QList<QLineEdit*> edits =
        m_serverMode ? QList<QLineEdit*>{EdtServerName, EdtDataBaseName, EdtUserName, EdtPassword}
                     : QList<QLineEdit*>{EdtPath};
    for (QLineEdit* edit : edits)
        if (!MyConnectIni::writable(edit->text())) {
            MessageBoxService::refuse(this,
                                      edit->accessibleName() + QStringLiteral("不能含有换行或控制字符!"));
            edit->setFocus(Qt::OtherFocusReason);
            return;
        }
    accept();
}

void TSetConfigFrm::BtnExitClick() {
    reject();
}

bool ShowSetConfigForm(SetConfigLeaving leaving) {
    TSetConfigFrm form;
    form.setLeaving(leaving);
    const QString path = MyConnectIni::pathIn(AppGlobals.AppPath);
    MyConnectIni ini = MyConnectIni::read(path);

    AppGlobals.ConnectOption = ini.connectOption;
    form.setServerMode(!ini.fileMode());
    if (ini.fileMode()) {
        form.EdtPath->setText(ini.dbNames);
    } else {
        form.EdtServerName->setText(ini.serverName);
        form.EdtDataBaseName->setText(ini.dataBaseName);
        form.EdtUserName->setText(ini.userName);
        form.EdtPassword->setText(ini.password);
    }

    if (ModalSeam::exec(&form) != QDialog::Accepted)
        return false;

    QString keptCopy;
    if (!form.serverMode()) {
        ini.dbNames = form.EdtPath->text();
        keptCopy = ini.writeLocal(path);
    } else {
        ini.serverName = form.EdtServerName->text();
        ini.dataBaseName = form.EdtDataBaseName->text();
        ini.userName = form.EdtUserName->text();
        ini.password = form.EdtPassword->text();
        keptCopy = ini.writeServer(path);
    }
    if (!keptCopy.isEmpty())
        MessageBoxService::inform(nullptr,
                                  QStringLiteral("原设置文件无法读取,已保留为 %1,并写入新的设置文件。")
                                      .arg(QFileInfo(keptCopy).fileName()));
    MessageBoxService::inform(nullptr, QStringLiteral("配置成功!"));
    return true;
}
