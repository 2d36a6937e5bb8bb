#pragma once

#include <QDialog>

class BatchDataSet;
class DbEdit;
class KeyPreview;
class QComboBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;

// The user dialog "系统用户登记": registers a user or changes a user's name and password, on the
// user window's data set. Passwords are stored as hashes; an untouched password stays as it is.
class TuseraddForm : public QDialog {
    Q_OBJECT
public:
    explicit TuseraddForm(BatchDataSet* dsData, QWidget* parent = nullptr);

    QLabel* Panel1;
    DbEdit* DBEdit1;        // 登录帐号
    DbEdit* DBEdit2;        // 用户姓名
    DbEdit* DBEdit3;        // 登录密码
    QLineEdit* MaskEdit1;   // 确认密码
    QComboBox* DBComboBox1; // 操作权限
    QPushButton* Button1;
    QPushButton* Button2;

    // Set up for a new row (新增) or for the current row's password (改密), then shown modally.
    void prepareNew();
    void preparePasswordChange();
    int showForRow();

    void Button1Click();
    void Button2Click();

    // The title-bar close and Esc cancel like "取  消".
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    bool FormKeyDown(QKeyEvent* event);
    void DBComboBox1Change(const QString& text);
    void showType();

    BatchDataSet* m_ds;
    KeyPreview* m_keys;
};
