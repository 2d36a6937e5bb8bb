#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QToolButton;
class QWidget;
class DatabaseMaintenance;

// 系统备份－恢复: backup of the database into a ".bak" file, restore from one, and repair and
// compaction, on the local file or the server alike.
class Tbr_Form : public QDialog {
    Q_OBJECT
public:
    explicit Tbr_Form(QWidget* parent = nullptr);
    ~Tbr_Form() override;

    QLabel* LbTitle;
    QTabWidget* PageControl1;
    QWidget* TabSheet1;
    QWidget* TabSheet2;
    QWidget* TabSheet3;
    QLineEdit* Edit1;
    QToolButton* SpeedButton1;
    QLabel* LbDefault;
    QPushButton* FlatButton3;
    QPushButton* FlatButton5;
    QLineEdit* Edit2;
    QToolButton* SpeedButton2;
    QPushButton* FlatButton1;
    QPushButton* FlatButton2;
    QPushButton* FlatButton4;
    QPushButton* FlatButton6;

    // The filter of both file dialogs.
    static QString fileFilter();

    void TabSheet1Show();
    void SpeedButton1Click();
    void SpeedButton2Click();
    void FlatButton3Click();
    void FlatButton1Click();
    void FlatButton4Click();
    void FlatButton5Click();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* buildBackupPage();
    QWidget* buildRestorePage();
    QWidget* buildTidyPage();
    // Runs one operation under a progress dialog; true when it succeeded. Failures are shown with
    // failureText, or the in-use message when another workstation has the file open.
    template <class Work> bool runWithProgress(const QString& task, const QString& failureText, Work work);
};

extern Tbr_Form* br_Form;

// Opens the backup window modally and frees it when it closes.
void ShowBackupForm();
