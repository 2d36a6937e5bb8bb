#pragma once

#include "DbFieldBinding.h"

#include <QCheckBox>

// A tick box bound to a yes/no column; an empty value shows unticked.
class DbCheckEdit : public QCheckBox, public DbFieldBinding {
    Q_OBJECT
public:
    explicit DbCheckEdit(const QString& text = QString(), QWidget* parent = nullptr);

    void setReadOnly(bool readOnly) override;
    bool isReadOnly() const override { return m_readOnly; }

protected:
    void showValue() override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    bool m_readOnly = false;
};
