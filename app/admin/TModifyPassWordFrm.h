#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

// "密码修改": the logged-in user changes their own password after confirming the old one.
class TModifyPassWordFrm : public QDialog {
    Q_OBJECT
public:
    explicit TModifyPassWordFrm(QWidget* parent = nullptr);

    QLineEdit* EdtOld;
    QLineEdit* EdtNew;
    QLineEdit* EdtVerify;
    QPushButton* BtnOK;
    QPushButton* BtnExit;

    void EdtOldKeyPress();
    void EdtNewKeyPress();
    void EdtVerifyKeyPress();
    void BtnOKClick();
    void BtnExitClick();
};

// Opens the change-password dialog modally.
void ShowModifyPassWordForm();
