#include "Tbr_Form.h"

#include "BackupNames.h"
#include "DatabaseInUseError.h"
#include "DatabaseMaintenance.h"
#include "ErrorGuard.h"
#include "MaintenanceProgressDialog.h"
#include "MessageBoxService.h"
#include "ModalSeam.h"
#include "ProgramLook.h"
#include "SystemParams.h"
#include "TSetValue.h"
#include "TUserDM.h"

#include <QDate>
#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

Tbr_Form* br_Form = nullptr;

namespace {

const QString kInUse = QStringLiteral("其他工作站正在使用数据库，请先关闭其他工作站上的程序!!");

void paintText(QWidget* w, const QColor& color) {
    QPalette p = w->palette();
    p.setColor(QPalette::WindowText, color);
    p.setColor(QPalette::ButtonText, color);
    w->setPalette(p);
}

QPushButton* flatButton(const QString& caption, const QString& name, QWidget* parent) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setAccessibleName(caption.trimmed());
    b->setFixedSize(96, 28);
    b->setAutoDefault(false);
    return b;
}

// The label, the file name edit and its "..." button of the backup and restore pages.
struct FileRow {
    QLineEdit* edit;
    QToolButton* browse;
    QGridLayout* grid;
};

FileRow fileRow(QWidget* page, const QString& what, const QString& editName, const QString& browseName) {
    auto* label = new QLabel(QStringLiteral("请输入%1的\n文件名及路径：").arg(what), page);
    auto* edit = new QLineEdit(page);
    edit->setObjectName(editName);
    edit->setAccessibleName(QStringLiteral("请输入%1的文件名及路径").arg(what));
    label->setBuddy(edit);
    auto* browse = new QToolButton(page);
    browse->setObjectName(browseName);
    browse->setText(QStringLiteral("..."));
    browse->setAccessibleName(QStringLiteral("..."));
    browse->setFixedSize(26, 24);
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(6);
    grid->addWidget(label, 0, 0);
    grid->addWidget(edit, 0, 1);
    grid->addWidget(browse, 0, 2);
    grid->setColumnStretch(1, 1);
    return {edit, browse, grid};
}

void layOut(QWidget* page, QLayout* top, const QList<QPushButton*>& buttons, QLabel* note) {
    auto* v = new QVBoxLayout(page);
    v->setContentsMargins(18, 18, 18, 12);
    v->addLayout(top);
    v->addStretch(1);
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    for (QPushButton* b : buttons) {
        row->addWidget(b);
        row->addSpacing(20);
    }
    row->addStretch(1);
    v->addLayout(row);
    if (note) {
        v->addSpacing(8);
        v->addWidget(note);
    }
}

QString chooseFile(QWidget* parent, const QString& name, QFileDialog::AcceptMode mode) {
    QFileDialog dialog(parent, QString(), BackupNames::defaultFolder(), Tbr_Form::fileFilter());
    dialog.setObjectName(name);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(mode);
    if (mode == QFileDialog::AcceptSave) {
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setOption(QFileDialog::DontConfirmOverwrite); // a backup replaces its namesake
    } else {
        dialog.setFileMode(QFileDialog::ExistingFile);
    }
    if (ModalSeam::exec(&dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().first();
}

} // namespace

Tbr_Form::Tbr_Form(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("br_Form"));
    setWindowTitle(QStringLiteral("系统备份－恢复"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    setFont(ProgramLook::song(14));
    resize(520, 330);

    LbTitle = new QLabel(QStringLiteral("系统备份与恢复"), this);
    LbTitle->setObjectName(QStringLiteral("LbTitle"));
    LbTitle->setFont(ProgramLook::kai(24, true));
    LbTitle->setAlignment(Qt::AlignCenter);
    paintText(LbTitle, QColor(0, 0, 128));

    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    TabSheet1 = buildBackupPage();
    TabSheet2 = buildRestorePage();
    TabSheet3 = buildTidyPage();
    PageControl1->addTab(TabSheet1, QStringLiteral("备份"));
    PageControl1->addTab(TabSheet2, QStringLiteral("恢复"));
    PageControl1->addTab(TabSheet3, QStringLiteral("数据库整理"));

    auto* main = new QVBoxLayout(this);
    main->setContentsMargins(8, 8, 8, 8);
    main->addWidget(LbTitle);
    main->addWidget(PageControl1, 1);

    connect(PageControl1, &QTabWidget::currentChanged, this, ErrorGuard::wrap(this, [this](int index) {
                if (index == 0)
                    TabSheet1Show();
            }));
    connect(SpeedButton1, &QToolButton::clicked, this,
            ErrorGuard::wrap(this, [this](bool) { SpeedButton1Click(); }));
    connect(SpeedButton2, &QToolButton::clicked, this,
            ErrorGuard::wrap(this, [this](bool) { SpeedButton2Click(); }));
    connect(FlatButton3, &QPushButton::clicked, this,
            ErrorGuard::wrap(this, [this](bool) { FlatButton3Click(); }));
    connect(FlatButton1, &QPushButton::clicked, this,
            ErrorGuard::wrap(this, [this](bool) { FlatButton1Click(); }));
    connect(FlatButton4, &QPushButton::clicked, this,
            ErrorGuard::wrap(this, [this](bool) { FlatButton4Click(); }));
    for (QPushButton* close : {FlatButton5, FlatButton2, FlatButton6})
        connect(close, &QPushButton::clicked, this,
                ErrorGuard::wrap(this, [this](bool) { FlatButton5Click(); }));
}

Tbr_Form::~Tbr_Form() = default;

QWidget* Tbr_Form::buildBackupPage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheet1"));
    const FileRow row =
        fileRow(page, QStringLiteral("备份"), QStringLiteral("Edit1"), QStringLiteral("SpeedButton1"));
    Edit1 = row.edit;
    SpeedButton1 = row.browse;
    LbDefault = new QLabel(QStringLiteral("默认"), page);
    LbDefault->setObjectName(QStringLiteral("LbDefault"));
    paintText(LbDefault, QColor(255, 0, 0));
    row.grid->addWidget(LbDefault, 0, 3);
    FlatButton3 = flatButton(QStringLiteral("备份"), QStringLiteral("FlatButton3"), page);
    FlatButton5 = flatButton(QStringLiteral(" 退出"), QStringLiteral("FlatButton5"), page);
    layOut(page, row.grid, {FlatButton3, FlatButton5},
           new QLabel(QStringLiteral("说明：备份后的文件名请记住。"), page));
    return page;
}

QWidget* Tbr_Form::buildRestorePage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheet2"));
    const FileRow row =
        fileRow(page, QStringLiteral("恢复"), QStringLiteral("Edit2"), QStringLiteral("SpeedButton2"));
    Edit2 = row.edit;
    SpeedButton2 = row.browse;
    FlatButton1 = flatButton(QStringLiteral("恢复"), QStringLiteral("FlatButton1"), page);
    FlatButton2 = flatButton(QStringLiteral(" 退出"), QStringLiteral("FlatButton2"), page);
    layOut(page, row.grid, {FlatButton1, FlatButton2},
           new QLabel(QStringLiteral("说明：恢复操作一般只适应系统重装后用。"), page));
    return page;
}

QWidget* Tbr_Form::buildTidyPage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheet3"));
    auto* text = new QVBoxLayout;
    text->setSpacing(8);
    const QStringList lines{
        QStringLiteral("使用数据库的过程中，我们发现随着时间的推移，由于Access会"),
        QStringLiteral("给数据库自动保留一份副本集，这样造成了数据库占用的空间越来越大。"),
        QStringLiteral("在进行修复及空间压缩前，最后先备份当前数据库。")};
    for (int i = 0; i < lines.size(); ++i) {
        auto* label = new QLabel(lines.at(i), page);
        label->setObjectName(QStringLiteral("Label%1").arg(i + 5));
        label->setWordWrap(true);
        if (i == 2)
            paintText(label, QColor(255, 0, 0));
        text->addWidget(label);
    }
    FlatButton4 = flatButton(QStringLiteral("修复及压缩"), QStringLiteral("FlatButton4"), page);
    FlatButton6 = flatButton(QStringLiteral(" 退出"), QStringLiteral("FlatButton6"), page);
    layOut(page, text, {FlatButton4, FlatButton6}, nullptr);
    return page;
}

QString Tbr_Form::fileFilter() {
    return QStringLiteral("dataname (*.bak)");
}

void Tbr_Form::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous() && PageControl1->currentIndex() == 0)
        ErrorGuard::run(this, [this] { TabSheet1Show(); });
}

void Tbr_Form::TabSheet1Show() {
    QDir().mkpath(BackupNames::defaultFolder());
    Edit1->setText(BackupNames::defaultName(QDate::currentDate()));
}

void Tbr_Form::SpeedButton1Click() {
    const QString file = chooseFile(this, QStringLiteral("SaveDialog1"), QFileDialog::AcceptSave);
    if (!file.isEmpty())
        Edit1->setText(file);
}

void Tbr_Form::SpeedButton2Click() {
    const QString file = chooseFile(this, QStringLiteral("OpenDialog1"), QFileDialog::AcceptOpen);
    if (!file.isEmpty())
        Edit2->setText(file);
}

template <class Work>
bool Tbr_Form::runWithProgress(const QString& task, const QString& failureText, Work work) {
    try {
        const auto maintenance = DatabaseMaintenance::forConnection(UserDM->ADOConnection1);
        MaintenanceProgressDialog progress(this, task, maintenance->progressUnit());
        work(*maintenance, progress.progress());
        progress.close();
        return true;
    } catch (const DatabaseInUseError&) {
        MessageBoxService::refuse(this, kInUse);
    } catch (const std::exception&) {
        MessageBoxService::refuse(this, failureText);
    }
    return false;
}

void Tbr_Form::FlatButton3Click() {
    const QString target = BackupNames::backupFileName(Edit1->text());
    Edit1->setText(target);
    if (runWithProgress(QStringLiteral("正在备份数据库，请稍候..."), QStringLiteral("备份失败!!"),
                        [&](DatabaseMaintenance& m, const auto& progress) { m.backup(target, progress); }))
        MessageBoxService::inform(this, QStringLiteral("备份成功!!"));
}

void Tbr_Form::FlatButton1Click() {
    if (UserDM->ADOConnection1.engine() == SqlEngine::SqlCipher &&
        BackupNames::isNetworkPath(AppGlobals.DBPath)) {
        MessageBoxService::refuse(this, QStringLiteral("不允许网络恢复，请到服务器上去!!"));
        return;
    }
    if (!MessageBoxService::ask(this, QStringLiteral("确定要恢复数据吗"), QStringLiteral("询问")))
        return;
    const QString source = Edit2->text().trimmed();
    if (source.isEmpty())
        return;
    const bool done =
        runWithProgress(QStringLiteral("正在恢复数据库，请稍候..."), QStringLiteral("恢复失败!!!"),
                        [&](DatabaseMaintenance& m, const auto& progress) { m.restore(source, progress); });
    Edit2->clear();
    if (!done)
        return;
    // The settings and the company profile are those of the restored database from now on.
    ErrorGuard::run(this, [] { LoadSystemParams(); });
    MessageBoxService::inform(this, QStringLiteral("恢复成功!!"));
}

void Tbr_Form::FlatButton4Click() {
    if (!MessageBoxService::ask(this, QStringLiteral("确定要进行数据库修复及压缩吗？"),
                                QStringLiteral("询问")))
        return;
    if (runWithProgress(QStringLiteral("正在修复及压缩数据库，请稍候..."), QStringLiteral("操作失败!!!"),
                        [](DatabaseMaintenance& m, const auto& progress) { m.compact(progress); }))
        MessageBoxService::inform(this, QStringLiteral("修复及压缩成功!!"));
}

void Tbr_Form::FlatButton5Click() {
    close();
}

void ShowBackupForm() {
    Tbr_Form form;
    br_Form = &form;
    struct Forget {
        ~Forget() { br_Form = nullptr; }
    } forget;
    ModalSeam::exec(&form);
}
