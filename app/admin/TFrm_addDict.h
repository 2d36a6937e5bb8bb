#pragma once

#include <QDialog>

class BatchDataSet;
class DbEdit;
class DbPickEdit;
class QPushButton;

// "字典操作": the type and value of one dictionary row, new or changed, on the dictionary window's
// data set.
class TFrm_addDict : public QDialog {
    Q_OBJECT
public:
    explicit TFrm_addDict(BatchDataSet* dsData, QWidget* parent = nullptr);

    DbPickEdit* CbType;
    DbEdit* EdtValue;
    QPushButton* Btnadd;
    QPushButton* Btncancel;

    void FormShow();
    void BtnaddClick();
    void BtncancelClick();

    // The title-bar close and Esc drop the pending row like "取消".
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    BatchDataSet* m_ds;
};
