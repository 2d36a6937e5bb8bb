#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

// The lock window over the main window. Only the logged-in user's code and password return to
// the main window; the other way out is ending the program.
class TsyssdForm : public QDialog {
    Q_OBJECT
public:
    explicit TsyssdForm(QWidget* parent = nullptr);

    QLabel* Label1;
    QLineEdit* Username_Edit;
    QLabel* Label2;
    QLineEdit* Password_Edit;
    QPushButton* OKButton1;
    QPushButton* CancelButton2;

signals:
    // The lock window has closed and the main window is to be shown again.
    void unlocked();

public slots:
    // Esc and the window manager's close do not open the lock.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void OKButton1Click();
    void CancelButton2Click();
};
