#pragma once

#include "DbFieldBinding.h"

#include <QLineEdit>

// A line edit bound to one column. Text columns take at most the column's size; integer and
// money columns take only what the column can hold (a refusal shows at the editor).
class DbEdit : public QLineEdit, public DbFieldBinding {
    Q_OBJECT
public:
    explicit DbEdit(QWidget* parent = nullptr);

    void setReadOnly(bool readOnly) override;
    bool isReadOnly() const override { return QLineEdit::isReadOnly(); }

protected:
    void showValue() override;
    void columnChanged() override;
    bool event(QEvent* event) override;
};
