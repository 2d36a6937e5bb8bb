#pragma once

#include <QLabel>
#include <QPointer>

// The refusal message shown right below an editor (above it near the window's bottom edge). It
// lives in the editor's window, so it moves with it and never takes the focus or a click.
class FieldErrorTip : public QLabel {
    Q_OBJECT
public:
    explicit FieldErrorTip(QWidget* editor);

    void showMessage(const QString& text);
    QWidget* editor() const { return m_editor; }

private:
    void place();

    QPointer<QWidget> m_editor;
};
