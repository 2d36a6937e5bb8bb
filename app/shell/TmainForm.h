#pragma once

#include "PageActions.h"

#include <QMainWindow>

class PanelStatusBar;
class QFrame;
class QLabel;
class TsyssdForm;

// The frame the clerk works in after logging in: the header strip, the left column with the
// section tabs and the four commands, the status bar, and the function panel in which one
// function page at a time lies in front.
class TmainForm : public QMainWindow {
    Q_OBJECT
public:
    explicit TmainForm(const PageActions& actions = {}, QWidget* parent = nullptr);

    QWidget* Panel1 = nullptr;
    QLabel* Image5 = nullptr;
    QWidget* Panel2 = nullptr;
    QLabel* Image4 = nullptr;
    QLabel* Image6 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Image7 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Image2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Image3 = nullptr;
    QLabel* Label4 = nullptr;
    QWidget* PnlBottom = nullptr;
    QLabel* ImgAfresh = nullptr;
    QLabel* LBConfig = nullptr;
    QLabel* LBModifyPassWord = nullptr;
    QLabel* LBAfresh = nullptr;
    QLabel* LBExit = nullptr;
    QFrame* Shape1 = nullptr;
    QFrame* Shape2 = nullptr;
    QFrame* Shape3 = nullptr;
    QFrame* Shape4 = nullptr;
    QFrame* Shape5 = nullptr;
    QFrame* shp1 = nullptr;
    PanelStatusBar* StatusBar1 = nullptr;
    QWidget* Panel3 = nullptr;
    QLabel* Image1 = nullptr;
    QLabel* Image8 = nullptr;
    QWidget* PnlFunction = nullptr;

    // The lock window shown by "注 销"; returning from it runs FormShow again.
    void setLockWindow(TsyssdForm* lock);
    // Called by each function page when it is created: it lives in PnlFunction from then on.
    void placePage(QWidget* page);
    // The page now in front of PnlFunction (null before the first tab was selected).
    QWidget* frontPage() const;

    void FormShow();
    void FormActivate();
    bool FormCloseQuery();

    void Image6Click();
    void Image7Click();
    void Image2Click();
    void Image3Click();
    void Image6MouseMove();
    void Image7MouseMove();
    void Image2MouseMove();
    void Image3MouseMove();
    void Panel2MouseMove();

    void LBConfigClick();
    void LBModifyPassWordClick();
    void LBAfreshClick();
    void LBExitClick();
    void LBConfigMouseMove(QLabel* label);
    void ImgAfreshMouseMove();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;

private:
    QWidget* buildColumn();
    QWidget* buildFunctionArea();
    void selectTab(QLabel* tab, QWidget* page);
    void hoverTab(QLabel* label);
    template <class Page> Page* page() const;

    PageActions m_actions;
    TsyssdForm* m_lock = nullptr;
    bool m_inActivate = false;
    bool m_checkDue = true; // the next activation runs the follow-up check
};

extern TmainForm* mainForm;
