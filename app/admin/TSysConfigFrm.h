#pragma once

#include <QDialog>

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QWidget;

// "系统设置": how bills are printed and the six commission rates, stored in S_参数表 and held in
// AppGlobals at once.
class TSysConfigFrm : public QDialog {
    Q_OBJECT
public:
    explicit TSysConfigFrm(QWidget* parent = nullptr);

    QTabWidget* Pc1;
    QWidget* TabSheet2; // 打印参数
    QWidget* TabSheet1; // 合算参数
    QWidget* TabSheet3; // 显示参数
    QGroupBox* RBPrintMode;
    QButtonGroup* RBPrintModeItems; // items 0 打印, 1 预览, 2 设计
    QLineEdit* dxEdit1;
    QLineEdit* dxEdit2;
    QLineEdit* dxEdit3;
    QLineEdit* dxEdit4;
    QLineEdit* dxEdit5;
    QLineEdit* dxEdit6;
    QLabel* LbTel;
    QCheckBox* CHTel;
    QPushButton* BtnOK;
    QPushButton* BtnExit;

    // The radio item selected (-1 for none) and selecting one.
    int printModeIndex() const;
    void setPrintModeIndex(int index);

    // Fills the dialog from AppGlobals and S_参数表.
    void FillFromSettings();
    void BtnOKClick();
    void BtnExitClick();
};

// Opens the settings dialog modally.
void ShowSysConfigForm();
