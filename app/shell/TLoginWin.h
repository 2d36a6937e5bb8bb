#pragma once

#include "TUser.h"

#include <QWidget>

class QFrame;
class QLabel;
class QLineEdit;
class QToolButton;

// The login window: the first window of the program. It fixes the date format, checks the user
// code and password against S_用户表 (creating the first administrator on an empty table),
// accepts the maintenance login, fills CurrentUser and loads the system parameters.
class TLoginWin : public QWidget {
    Q_OBJECT
public:
    explicit TLoginWin(QWidget* parent = nullptr);

    // Set in the environment of the instance the date test starts, so it never restarts again.
    static const char* restartMarker();

    QLabel* Image1;
    QFrame* Shape2;
    QLabel* Label1;
    QLineEdit* LoginName_Edit;
    QFrame* Shape1;
    QLabel* Label2;
    QLineEdit* Password_Edit;
    QFrame* Shape3;
    QToolButton* BtOK;
    QToolButton* BtCanCel;

signals:
    // A user has logged in: the main window is to be shown.
    void loggedIn();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void FormCreate();
    void FormShow();
    void BtOKClick();
    void BtCanCelClick();
    void LoginName_EditKeyDown();
    void Password_EditKeyDown();
    bool FormCloseQuery();
    bool CheckUser(const QString& code, const QString& password);
    void loadBanner();

    bool m_restarted = false;
    // The row CheckUser accepted.
    TUser m_found;
};
