#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// "关于系统": the program's title, the maker's contacts, and the machine's system and memory.
class TUserAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TUserAboutBox(QWidget* parent = nullptr);

    QLabel* Image1;
    QLabel* Developper;
    QLabel* Copyright;
    QLabel* Label2;
    QLabel* Label4;
    QLabel* Label3;
    QLabel* Label5;
    QLabel* Label6;
    QLabel* Version;
    QLabel* Label7;
    QLabel* OS;
    QLabel* LbMem;
    QLabel* PhysMem;
    QPushButton* SBClose;

    static QString supportMail();
    static QString webAddress();

    void FormActivate();
    void SBCloseClick();
    void Label3Click();
    void Label7Click();

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
};

// Opens the about box modally.
void ShowAboutBox();
