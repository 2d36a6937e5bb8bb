#pragma once

#include <QDialog>

class KeyPreview;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;

// "公司基本信息": the agency's own name, address, telephone, web address and e-mail from
// S_企业信息. Read-only; an administrator may change and save them (修改 / 保存), which the bills
// and the status bar use from then on.
class TFrm_ComPany : public QDialog {
    Q_OBJECT
public:
    explicit TFrm_ComPany(QWidget* parent = nullptr);

    QLabel* Panel1;
    QLineEdit* EdtComPany;
    QLineEdit* EdtAddress;
    QLineEdit* EdtTel;
    QLineEdit* EdtWeb;
    QLineEdit* EdtEmail;
    QPushButton* BtnEdit; // administrators only
    QPushButton* BtnSave; // administrators only
    QPushButton* Btnclose;

    // Reads the profile row into the edits (the name from AppGlobals).
    void FillFromProfile();
    void BtnEditClick();
    void BtnSaveClick();

private:
    bool FormKeyDown(QKeyEvent* event);
    void setEditing(bool editing);

    QString m_code; // 编码 of the row shown; empty when there is none
    KeyPreview* m_keys;
};

// Opens the company profile window modally.
void ShowCompanyForm();
