#pragma once

#include <QDialog>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

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

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void TBDataClick();
    void BtnOKClick();
    void BtnExitClick();
    bool FormKeyPress(QObject* watched, QEvent* event);

    bool m_serverMode = false;
};

// Shows the dialog for MyConnect.ini in the program folder; true when the user confirmed it and
// the values were written.
bool ShowSetConfigForm();
