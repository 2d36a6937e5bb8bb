#pragma once

#include <QDialog>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

// What leaving the dialog without confirming it means for the program, stated to the user when
// the dialog is left by Esc or its close box.
enum class SetConfigLeaving { Silent, EndsProgram, Unconnected };

// The connection settings dialog: the local database file in file mode, the server values in
// server mode. Which mode it shows is set by the caller from MyConnect.ini; it never switches it.
class TSetConfigFrm : public QDialog {
    Q_OBJECT
public:
    explicit TSetConfigFrm(QWidget* parent = nullptr);

    // File mode shows GroupBox1 (the path), server mode GroupBox2 (the server values).
    void setServerMode(bool server);
    bool serverMode() const { return m_serverMode; }

    QGroupBox* GroupBox1;
    QLabel* Label1;
    QLineEdit* EdtPath;
    QToolButton* TBData;
    QGroupBox* GroupBox2;
    QLineEdit* EdtServerName;
    QLineEdit* EdtDataBaseName;
    QLineEdit* EdtUserName;
    QLineEdit* EdtPassword;
    QPushButton* BtnOK;
    QPushButton* BtnExit;

    static QString fileFilter();

    void setLeaving(SetConfigLeaving leaving) { m_leaving = leaving; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void TBDataClick();
    void BtnOKClick();
    void BtnExitClick();
    bool FormKeyPress(QObject* watched, QEvent* event);
    // Esc and the close box leave without confirming; true when the user agrees to what follows.
    bool leaveConfirmed();

    bool m_serverMode = false;
    SetConfigLeaving m_leaving = SetConfigLeaving::Silent;
};

// Shows the dialog for MyConnect.ini in the program folder; true when the user confirmed it and
// the values were written.
bool ShowSetConfigForm(SetConfigLeaving leaving = SetConfigLeaving::Silent);
