#include "TForm_Update.h"

#include "ErrorGuard.h"
#include "MessageBoxService.h"
#include "ProfileFile.h"
#include "ProgramEnd.h"
#include "ProgramLauncher.h"
#include "ProgramLook.h"
#include "ReleaseDate.h"
#include "ReleaseSignature.h"
#include "ResumableDownload.h"
#include "UpdateInstaller.h"
#include "UpdateListFetcher.h"
#include "UpdateSettings.h"
#include "UpdateTarget.h"
#include "UpdaterPictures.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFrame>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QScreen>
#include <QStackedWidget>
#include <QTableWidget>

#include <climits>

namespace {
const int ClientWidth = 572;
const int CompactHeight = 280;
const int LogHeight = 438;
const int StateRole = Qt::UserRole + 1;
const int NoImage = -1;

const QString FinishCaption = QStringLiteral("完成升级");

QFont songTi() {
    return ProgramLook::song(12);
}

} // namespace

TForm_Update::TForm_Update(const QString& appDir, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint) {
    AppDir = appDir.isEmpty() ? QCoreApplication::applicationDirPath() : appDir;
    if (!AppDir.endsWith(QLatin1Char('/')))
        AppDir += QLatin1Char('/');
    m_download = new ResumableDownload(this);
    m_list = new UpdateListFetcher;
    buildComponents();
    FormCreate();
}

TForm_Update::~TForm_Update() {
    delete m_list;
}

void TForm_Update::buildComponents() {
    setObjectName(QStringLiteral("Form_Update"));
    setWindowTitle(QStringLiteral("软件在线升级 程序版本：1.01"));
    setFont(songTi());
    setFixedSize(ClientWidth, CompactHeight);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - QPoint(ClientWidth / 2, LogHeight / 2));
    }

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(0, 0, 150, 236);
    Image1->setPixmap(UpdaterPictures::sidePicture(Image1->size()));

    Notebook_step = new QStackedWidget(this);
    Notebook_step->setObjectName(QStringLiteral("Notebook_step"));
    Notebook_step->setGeometry(162, 8, 398, 224);

    auto* page0 = new QWidget;
    page0->setObjectName(QStringLiteral("Default"));
    auto* serversLabel = new QLabel(QStringLiteral("选择升级服务器："), page0);
    serversLabel->setGeometry(0, 2, 398, 18);
    ListBox_servers = new QListWidget(page0);
    ListBox_servers->setObjectName(QStringLiteral("ListBox_servers"));
    ListBox_servers->setAccessibleName(QStringLiteral("选择升级服务器"));
    ListBox_servers->setGeometry(0, 22, 398, 132);
    ListBox_servers->setSpacing(2);
    serversLabel->setBuddy(ListBox_servers);
    auto* urlLabel = new QLabel(QStringLiteral("服务器地址："), page0);
    urlLabel->setGeometry(0, 166, 398, 18);
    Edt_url = new QLineEdit(page0);
    Edt_url->setObjectName(QStringLiteral("Edt_url"));
    Edt_url->setAccessibleName(QStringLiteral("服务器地址"));
    Edt_url->setGeometry(0, 186, 398, 24);
    urlLabel->setBuddy(Edt_url);
    Notebook_step->addWidget(page0);

    auto* page1 = new QWidget;
    page1->setObjectName(QStringLiteral("nextpage"));
    auto* progressLabel = new QLabel(QStringLiteral("升级进度："), page1);
    progressLabel->setGeometry(0, 2, 398, 18);
    ListView_files = new QTableWidget(0, 4, page1);
    ListView_files->setObjectName(QStringLiteral("ListView_files"));
    ListView_files->setAccessibleName(QStringLiteral("升级进度"));
    ListView_files->setGeometry(0, 22, 398, 148);
    ListView_files->setHorizontalHeaderLabels({QStringLiteral("文件名"), QStringLiteral("修改日期"),
                                               QStringLiteral("路径"), QStringLiteral("本地状态")});
    ListView_files->verticalHeader()->hide();
    ListView_files->verticalHeader()->setDefaultSectionSize(20);
    ListView_files->horizontalHeader()->setHighlightSections(false);
    ListView_files->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    ListView_files->horizontalHeader()->setFixedHeight(22);
    ListView_files->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ListView_files->horizontalHeader()->setMinimumSectionSize(40);
    ListView_files->setColumnWidth(0, 120);
    ListView_files->setColumnWidth(1, 128);
    ListView_files->setColumnWidth(2, 64);
    ListView_files->horizontalHeader()->setStretchLastSection(true);
    ListView_files->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView_files->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListView_files->setSelectionMode(QAbstractItemView::SingleSelection);
    ListView_files->setShowGrid(true);
    ListView_files->setWordWrap(false);
    ListView_files->setIconSize(QSize(16, 16));
    progressLabel->setBuddy(ListView_files);
    Label4 = new QLabel(QStringLiteral("下载数据量："), page1);
    Label4->setObjectName(QStringLiteral("Label4"));
    Label4->setGeometry(0, 176, 398, 18);
    Gauge_process = new QProgressBar(page1);
    Gauge_process->setObjectName(QStringLiteral("Gauge_process"));
    Gauge_process->setAccessibleName(QStringLiteral("下载数据量"));
    Gauge_process->setGeometry(0, 196, 398, 18);
    Gauge_process->setAlignment(Qt::AlignCenter);
    Notebook_step->addWidget(page1);

    auto* rule = new QFrame(this);
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);
    rule->setGeometry(0, 236, ClientWidth, 2);

    auto makeButton = [this](const char* name, const QString& text, int x) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(QLatin1String(name));
        b->setGeometry(x, 246, 82, 26);
        return b;
    };
    btn_pre = makeButton("btn_pre", QStringLiteral("上一步"), 200);
    btn_next = makeButton("btn_next", QStringLiteral("下一步"), 290);
    Button1 = makeButton("Button1", QStringLiteral("升级日志"), 380);
    Button2 = makeButton("Button2", QStringLiteral("中断下载"), 470);
    btn_pre->setEnabled(false);
    Button2->setEnabled(false);

    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setAccessibleName(QStringLiteral("升级日志"));
    Memo1->setGeometry(6, CompactHeight + 2, ClientWidth - 12, LogHeight - CompactHeight - 8);
    Memo1->setReadOnly(true);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);

    connect(Notebook_step, &QStackedWidget::currentChanged, this,
            ErrorGuard::wrap(this, [this](int page) { Notebook_stepPageChanged(page); }));
    connect(btn_pre, &QPushButton::clicked, this, ErrorGuard::wrap(this, [this](bool) { btn_preClick(); }));
    connect(btn_next, &QPushButton::clicked, this, ErrorGuard::wrap(this, [this](bool) { btn_nextClick(); }));
    connect(Button1, &QPushButton::clicked, this, ErrorGuard::wrap(this, [this](bool) { Button1Click(); }));
    connect(Button2, &QPushButton::clicked, this, ErrorGuard::wrap(this, [this](bool) { Button2Click(); }));
    connect(ListBox_servers, &QListWidget::currentRowChanged, this,
            ErrorGuard::wrap(this, [this](int) { ListBox_serversClick(); }));
    connect(m_download, &ResumableDownload::logLine, this, [this](const QString& t) { log(t); });
    connect(m_download, &ResumableDownload::progress, this,
            [this](qint64 announced, qint64 received) { showProgress(announced, received); });
    // Window messages between the blocks keep "中断下载", "升级日志" and closing alive. Turning the
    // event loop after every block costs more than the transfer itself on a fast line, so it turns
    // some fifty times a second, which no click can tell apart.
    m_download->setEventPump([this] {
        if (m_eventsHandled.isValid() && m_eventsHandled.elapsed() < 20)
            return;
        // The download socket is read by the loop itself, not by its notifier.
        QCoreApplication::processEvents(QEventLoop::ExcludeSocketNotifiers);
        m_eventsHandled.start();
    });
}

void TForm_Update::FormCreate() {
    CanFinish = true;
    Notebook_step->setCurrentIndex(0);
    ListBox_servers->clear();
    const UpdateSettings settings(AppDir + QStringLiteral("vexa.ini"));
    SubSysName = settings.subSys();
    m_publicKey = settings.publicKey();
    const QSignalBlocker quiet(ListBox_servers);
    for (int i = 0; i < settings.servers().size(); ++i) {
        ListBox_servers->addItem(settings.servers()[i].first);
        if (i == 0)
            Edt_url->setText(settings.servers()[i].second);
    }
    ListBox_servers->setCurrentRow(-1);
}

bool TForm_Update::event(QEvent* e) {
    if (e->type() == QEvent::WindowActivate)
        FormActivate();
    return QWidget::event(e);
}

void TForm_Update::FormActivate() {
    setFixedSize(ClientWidth, CompactHeight);
}

void TForm_Update::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    btn_next->setFocus();
}

void TForm_Update::closeEvent(QCloseEvent* e) {
    bool allowed = false;
    ErrorGuard::run(this, [&] { allowed = FormCloseQuery(); });
    if (!allowed) {
        e->ignore();
        return;
    }
    ErrorGuard::run(this, [&] { FormClose(); });
    e->accept();
}

bool TForm_Update::FormCloseQuery() {
    bool allowed = true;
    const auto ask = [this](const QString& text) {
        return MessageBoxService::show(this, QStringLiteral("信息提示"), text, MsgIcon::Question,
                                       MsgButtons::YesNo) != MsgAnswer::No;
    };
    if (m_list->connected())
        allowed = ask(QStringLiteral("正在下载文件，要退出吗？"));
    if (btn_next->text() == FinishCaption)
        allowed = ask(QStringLiteral("文件下载已经完成，但并没有更新文件，要退出吗？"));
    return allowed;
}

void TForm_Update::FormClose() {
    m_list->disconnect();
    // Closed in the middle of a pass: stop the download in hand and the rest of the list, so
    // the program ends instead of downloading on without its window.
    if (m_passRunning) {
        m_passAborted = true;
        m_download->requestCancel();
    }
}

void TForm_Update::Notebook_stepPageChanged(int page) {
    if (page == 0) {
        btn_pre->setEnabled(false);
        btn_next->setText(QStringLiteral("下一步"));
        btn_next->setEnabled(true);
    } else {
        btn_pre->setEnabled(true);
    }
}

void TForm_Update::ListBox_serversClick() {
    Edt_url->clear();
    const QListWidgetItem* item = ListBox_servers->currentItem();
    if (!item)
        return;
    Edt_url->setText(UpdateSettings(AppDir + QStringLiteral("vexa.ini")).serverUrl(item->text()));
}

bool TForm_Update::FetchUpdateList() {
    FileList.clear();
    if (!Edt_url->text().endsWith(QLatin1Char('/')))
        Edt_url->setText(Edt_url->text() + QLatin1Char('/'));
    const QString url = Edt_url->text() + SubSysName + QStringLiteral(".htm");
    const QString saved = AppDir + QStringLiteral("update/update.ini");
    // The fetch handles window messages: only the interrupt and back buttons act meanwhile.
    btn_next->setEnabled(false);
    Button2->setEnabled(true);
    const auto done = qScopeGuard([this] {
        Button2->setEnabled(false);
        btn_next->setEnabled(true);
    });
    try {
        const QByteArray list = m_list->get(url);
        if (!m_publicKey.isEmpty()) {
            // With the publisher's key only the list the publisher signed is used.
            QByteArray signature;
            try {
                signature = m_list->get(url + QStringLiteral(".sig"), 4096);
            } catch (const UpdateListFetcher::Failure& f) {
                if (f.cancelled)
                    throw;
            }
            QString refusal;
            if (!ReleaseSignature::isPublicKey(m_publicKey))
                refusal = QStringLiteral("升级设置中的发布者公钥无效，未安装任何文件！");
            else if (signature.isEmpty())
                refusal = QStringLiteral("升级信息没有发布者签名，未安装任何文件！");
            else if (!ReleaseSignature::verify(list, signature, m_publicKey))
                refusal = QStringLiteral("升级信息的发布者签名无效，未安装任何文件！");
            if (!refusal.isEmpty()) {
                setRowImage(0, UpdaterPictures::Failed);
                tellFailure(refusal, QStringLiteral("错误提示"));
                return false;
            }
        }
        UpdateListFetcher::save(list, saved);
    } catch (const UpdateListFetcher::Failure& f) {
        // An interrupt was logged by its button; anything else is the fetch's own failure.
        if (!f.cancelled) {
            log(QStringLiteral("取得升级信息出错：") + f.reason);
            MessageBoxService::show(this, QStringLiteral("错误提示"), QStringLiteral("取得升级信息出错！"),
                                    MsgIcon::Critical, MsgButtons::Ok);
        }
        return false;
    }
    FileList = ProfileFile(saved).sections();
    return true;
}

void TForm_Update::tellFailure(const QString& text, const QString& caption) {
    log(text);
    Label4->setText(text);
    MessageBoxService::show(this, caption, text, MsgIcon::Critical, MsgButtons::Ok);
}

void TForm_Update::btn_nextClick() {
    // The interrupt and back buttons work during a pass; a second pass must not start inside it.
    if (m_passRunning)
        return;
    if (btn_next->text() == FinishCaption) {
        finishUpdate();
        return;
    }
    if (Notebook_step->currentIndex() < Notebook_step->count() - 1)
        Notebook_step->setCurrentIndex(Notebook_step->currentIndex() + 1);
    Gauge_process->setMaximum(100);
    Gauge_process->setValue(0);
    ListView_files->setRowCount(0);
    ListView_files->setRowCount(1);
    ListView_files->setItem(0, 0, new QTableWidgetItem(QStringLiteral("分析文件升级信息...")));
    setRowImage(0, UpdaterPictures::Working);
    m_passRunning = true;
    m_passAborted = false;
    const bool fetched = FetchUpdateList();
    m_passRunning = false;
    if (!fetched || m_passAborted)
        return;
    ListView_files->setRowCount(0);
    Gauge_process->setValue(0);
    ListView_files->setRowCount(int(FileList.size()));
    for (int i = 0; i < FileList.size(); ++i) {
        ListView_files->setItem(i, 0, new QTableWidgetItem(FileList[i]));
        for (int c = 1; c < 4; ++c)
            ListView_files->setItem(i, c, new QTableWidgetItem);
        setRowImage(i, NoImage);
    }
    runPass();
}

void TForm_Update::runPass() {
    btn_next->setEnabled(false);
    btn_next->setText(QStringLiteral("正下载文件.."));
    Button2->setEnabled(true);
    m_passRunning = true;
    m_passAborted = false;
    bool lastOutcome = false;
    try {
        const ProfileFile list(AppDir + QStringLiteral("update/update.ini"));
        for (int i = 0; i < FileList.size() && !m_passAborted; ++i) {
            const QString& name = FileList[i];
            lastOutcome = handleRow(i, name, list);
        }
    } catch (...) {
        Button2->setEnabled(false);
        m_list->disconnect();
        m_passRunning = false;
        throw;
    }
    Button2->setEnabled(false);
    m_list->disconnect();
    m_passRunning = false;
    // "上一步" or closing ended the pass and already set the buttons.
    if (m_passAborted)
        return;
    btn_next->setEnabled(true);
    CanFinish = CanFinish || (!FileList.isEmpty() && lastOutcome);
    const bool lastPage = Notebook_step->currentIndex() == Notebook_step->count() - 1;
    btn_next->setText(lastPage && CanFinish ? FinishCaption : QStringLiteral("继续下载"));
}

bool TForm_Update::handleRow(int row, const QString& name, const ProfileFile& list) {
    const QString dateText = list.readString(name, QStringLiteral("datetime"));
    const QString paths = list.readString(name, QStringLiteral("Paths"));
    setRowImage(row, UpdaterPictures::Working);
    setRowText(row, 1, dateText);
    setRowText(row, 2, paths);
    const QString remote = Edt_url->text() + name;
    log(QStringLiteral("连接远程文件：") + remote);
    const QString folder = UpdateTarget::folderOf(paths);
    const auto fail = [&](const QString& text) {
        setRowImage(row, UpdaterPictures::Failed);
        log(text);
        return false;
    };
    if (const QString refusal = UpdateTarget::refusal(AppDir, name, folder); !refusal.isEmpty())
        return fail(refusal);

    // Size and hash, when the list gives them, are what the downloaded copy must match.
    ReleaseFile release;
    release.datetime = dateText;
    const QString sizeText = list.readString(name, QStringLiteral("size")).trimmed();
    if (!sizeText.isEmpty()) {
        bool ok = false;
        release.size = sizeText.toLongLong(&ok);
        if (!ok || release.size < 0)
            return fail(name + QStringLiteral("文件长度无法识别，跳过下载"));
    }
    release.sha256 = list.readString(name, QStringLiteral("sha256")).trimmed().toLatin1();
    static const QRegularExpression hex(QStringLiteral("^[0-9A-Fa-f]{64}$"));
    if (!release.sha256.isEmpty() && !hex.match(QString::fromLatin1(release.sha256)).hasMatch())
        return fail(name + QStringLiteral("文件校验值无法识别，跳过下载"));
    // A signed list vouches for the files only through their hashes.
    if (!m_publicKey.isEmpty() && release.sha256.isEmpty())
        return fail(name + QStringLiteral("文件没有校验值，跳过下载"));

    QDateTime local;
    if (!UpdateInstaller::GetFileDateTime(AppDir + folder + name, local)) {
        setRowText(row, 3, QStringLiteral("需要创建"));
    } else {
        const QDateTime releaseDate = ReleaseDate::parse(dateText);
        if (!releaseDate.isValid())
            return fail(name + QStringLiteral("修改日期无法识别，跳过下载"));
        if (releaseDate > local) {
            setRowText(row, 3, QStringLiteral("需要升级"));
        } else {
            setRowText(row, 3, QStringLiteral("不需更新"));
            setRowImage(row, UpdaterPictures::UpToDate);
            log(name + QStringLiteral("文件不需要更新，跳过下载"));
            return true;
        }
    }
    QDir().mkpath(AppDir + QStringLiteral("update"));
    const bool ok = m_download->DownloadFile(remote, AppDir + QStringLiteral("update/") + name, release);
    setRowImage(row, ok ? UpdaterPictures::Downloaded : UpdaterPictures::Failed);
    return ok;
}

void TForm_Update::finishUpdate() {
    btn_next->setEnabled(false);
    btn_next->setText(QStringLiteral("复制新文件.."));
    Button2->setEnabled(false);
    // Files downloaded whole and checked in this pass go in, all of them or none; a failed row's
    // partial copy stays in "update/" for the next resume instead of replacing a working file.
    QList<UpdateInstaller::Item> items;
    for (int i = 0; i < ListView_files->rowCount(); ++i) {
        const QString name = ListView_files->item(i, 0)->text();
        const QString folder = UpdateTarget::folderOf(ListView_files->item(i, 2)->text());
        if (!UpdateTarget::refusal(AppDir, name, folder).isEmpty())
            continue;
        const QString target = AppDir + folder + name;
        const QString backup = AppDir + QStringLiteral("backup/") + folder + name + QStringLiteral(".bak");
        if (ListView_files->item(i, 0)->data(StateRole).toInt() == UpdaterPictures::Downloaded)
            items.append({AppDir + QStringLiteral("update/") + name, target, backup});
        else
            UpdateInstaller::backup(target, backup);
    }
    if (!UpdateInstaller::installAll(items, [this](const QString& line) { log(line); }))
        tellFailure(QStringLiteral("升级失败，已恢复原来的文件!!!"), QStringLiteral("提示"));
    const QString exe = UpdateSettings(AppDir + QStringLiteral("vexa.ini")).exe();
    if (!exe.isEmpty())
        ProgramLauncher::open(QDir::isAbsolutePath(exe) ? exe : AppDir + exe);
    ProgramEnd::request();
    close();
}

void TForm_Update::Button2Click() {
    CanFinish = false;
    m_download->requestCancel();
    m_list->cancel();
    log(QStringLiteral("已中断下载;"));
}

void TForm_Update::btn_preClick() {
    Button2Click();
    m_list->disconnect();
    if (m_passRunning)
        m_passAborted = true;
    if (Notebook_step->currentIndex() > 0)
        Notebook_step->setCurrentIndex(Notebook_step->currentIndex() - 1);
    btn_next->setText(QStringLiteral("下一步"));
    btn_next->setEnabled(true);
}

void TForm_Update::Button1Click() {
    setFixedSize(ClientWidth, height() == CompactHeight ? LogHeight : CompactHeight);
}

void TForm_Update::setRowImage(int row, int image) {
    QTableWidgetItem* item = ListView_files->item(row, 0);
    if (!item)
        return;
    item->setData(StateRole, image);
    item->setIcon(image == NoImage ? QIcon() : UpdaterPictures::rowStateIcon(image));
}

void TForm_Update::setRowText(int row, int column, const QString& text) {
    if (QTableWidgetItem* item = ListView_files->item(row, column))
        item->setText(text);
}

void TForm_Update::log(const QString& text) {
    Memo1->appendPlainText(text);
}

void TForm_Update::showProgress(qint64 announced, qint64 received) {
    // Every block counts, but painting each 4 KB would hold a fast line back to the speed of the
    // screen: the figures are refreshed some thirty times a second and at the end of the file.
    if (m_progressShown.isValid() && m_progressShown.elapsed() < 33 && received < announced)
        return;
    m_progressShown.start();
    Label4->setText(ResumableDownload::progressText(announced, received));
    int shift = 0;
    while ((announced >> shift) > INT_MAX)
        ++shift;
    Gauge_process->setMaximum(int(announced >> shift));
    Gauge_process->setValue(int(qMin(received, announced) >> shift));
}
