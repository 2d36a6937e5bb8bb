#pragma once

#include "DbFieldBinding.h"

#include <QComboBox>

// An editable drop-down bound to one column: free text, or a choice from the items the window
// sets (the pick lists of the dictionary).
class DbPickEdit : public QComboBox, public DbFieldBinding {
    Q_OBJECT
public:
    explicit DbPickEdit(QWidget* parent = nullptr);

    void setItems(const QStringList& items);
    QStringList items() const;

    void setReadOnly(bool readOnly) override;
    bool isReadOnly() const override { return m_readOnly; }

    void showPopup() override;

protected:
    void showValue() override;
    void columnChanged() override;
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    bool m_readOnly = false;
};
