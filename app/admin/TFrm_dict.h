#pragma once

#include "Ttemplet.h"

class TFrm_addDict;

// "字典维护": the values of every pick list, grouped under their type; adds, changes and deletes
// values through the small dialog TFrm_addDict.
class TFrm_dict : public Ttemplet {
    Q_OBJECT
public:
    explicit TFrm_dict(QWidget* parent = nullptr);

    QLabel* LbTitle; // the heading inside Panel2

    void setEditDialog(TFrm_addDict* dialog) { m_dialog = dialog; }
    // Reads the dictionary again, grouped by type.
    void OpenDict();
    // Orders the rows by type, then value, so each value stands under its type.
    void GroupByType();

    void ToolButton4Click(); // 新增
    void ToolButton5Click(); // 删除
    void ToolButton6Click(); // 修改

protected:
    bool FormKeyDown(QKeyEvent* event) override;

private:
    TFrm_addDict* m_dialog = nullptr;
};

// Opens the dictionary window modally.
void ShowDictForm();
