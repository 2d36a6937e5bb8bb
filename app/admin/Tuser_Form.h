#pragma once

#include "Ttemplet.h"

class TuseraddForm;

// The user management window "用户信息管理": all users for an administrator, only the own row for
// an operator; registers users, changes a row's name and password, deletes users.
class Tuser_Form : public Ttemplet {
    Q_OBJECT
public:
    explicit Tuser_Form(QWidget* parent = nullptr);

    // The tool buttons under the names of this window (the template's buttons).
    QToolButton* ToolButton1; // 新增
    QToolButton* ToolButton2; // 删除
    QToolButton* ToolButton5; // 改密
    QToolButton* ToolButton8; // 退出

    void setEditDialog(TuseraddForm* dialog) { m_dialog = dialog; }
    // Reads the users the current user may see.
    void OpenUsers();

    void ToolButton1Click();
    void ToolButton2Click();
    void ToolButton5Click();
    void ToolButton8Click();
    // The text the password column shows for every row.
    static QString dxDBGrid1Column4GetText();

protected:
    bool FormKeyDown(QKeyEvent* event) override;

private:
    TuseraddForm* m_dialog = nullptr;
};

// Opens the user management window modally.
void ShowUserForm();
