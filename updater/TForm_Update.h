#pragma once

#include <QElapsedTimer>
#include <QStringList>
#include <QWidget>

class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QStackedWidget;
class QTableWidget;
class ProfileFile;
class ResumableDownload;
class UpdateListFetcher;

// The updater's one window: the two-step wizard that picks a server, compares the update list
// with the installed files, downloads what is newer or missing into "update/" and, on
// "完成升级", backs up, installs and starts the program again.
class TForm_Update : public QWidget {
    Q_OBJECT
public:
    // appDir: the program folder worked on; empty means the folder of the running program.
    explicit TForm_Update(const QString& appDir = QString(), QWidget* parent = nullptr);
    ~TForm_Update() override;

    QString appDir() const { return AppDir; }
    ResumableDownload& downloader() { return *m_download; }
    UpdateListFetcher& listFetcher() { return *m_list; }

    bool FetchUpdateList();

protected:
    bool event(QEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    void buildComponents();
    void FormCreate();
    void FormActivate();
    bool FormCloseQuery();
    void FormClose();
    void Notebook_stepPageChanged(int page);
    void btn_preClick();
    void btn_nextClick();
    void Button1Click();
    void Button2Click();
    void ListBox_serversClick();

    void runPass();
    bool handleRow(int row, const QString& name, const ProfileFile& list);
    void tellFailure(const QString& text, const QString& caption);
    void finishUpdate();
    void setRowImage(int row, int image);
    void setRowText(int row, int column, const QString& text);
    void log(const QString& text);
    void showProgress(qint64 announced, qint64 received);

    QString AppDir;
    QString SubSysName;
    QString m_publicKey;
    QStringList FileList;
    bool CanFinish = true;
    bool m_passRunning = false;
    bool m_passAborted = false;
    QElapsedTimer m_progressShown;
    QElapsedTimer m_eventsHandled;
    ResumableDownload* m_download = nullptr;
    UpdateListFetcher* m_list = nullptr;

    QLabel* Image1 = nullptr;
    QStackedWidget* Notebook_step = nullptr;
    QListWidget* ListBox_servers = nullptr;
    QLineEdit* Edt_url = nullptr;
    QTableWidget* ListView_files = nullptr;
    QLabel* Label4 = nullptr;
    QProgressBar* Gauge_process = nullptr;
    QPushButton* btn_pre = nullptr;
    QPushButton* btn_next = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;
    QPlainTextEdit* Memo1 = nullptr;
};
