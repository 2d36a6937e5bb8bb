#pragma once

#include <QDialog>

class BandedGrid;
class BatchDataSet;
class RangeDateEdit;
class KeyPreview;
class PanelStatusBar;
class QFrame;
class QHBoxLayout;
class QKeyEvent;
class QLabel;
class QToolButton;

// The list-window template: tool bar, title, date-range query bar, banded grid, status bar, and
// the one batch data set the list and its detail window share. Derived windows set the title,
// the query, the grid's bands and columns, and bind their handlers to the inherited buttons.
class Ttemplet : public QDialog {
    Q_OBJECT
public:
    explicit Ttemplet(QWidget* parent = nullptr);
    ~Ttemplet() override;

    QFrame* CoolBar1;
    QFrame* ToolBar1;
    QToolButton* TbNew;
    QToolButton* TbDelete;
    QToolButton* TbModfiy;
    QFrame* ToolSep1;
    QToolButton* TbRefresh;
    QFrame* ToolSep2;
    QToolButton* TbPrint;
    QFrame* ToolSep3;
    QToolButton* TbClose;
    QLabel* Panel1;
    QFrame* Panel2;
    QHBoxLayout* Panel2Layout;
    QLabel* Label1;
    RangeDateEdit* Dtp1;
    QLabel* Label2;
    RangeDateEdit* Dtp2;
    QToolButton* BtQuery;
    BandedGrid* dxDBGrid1;
    PanelStatusBar* StatusBar1;
    BatchDataSet* QryData;
    BatchDataSet* DsData; // the data source: the same object as QryData

    void FormShow();
    void TbRefreshClick();
    void TbCloseClick();

    // Before a re-query drops pending changes: asks whether to go on; true when nothing is pending
    // or the clerk agrees.
    bool ConfirmDiscardPending();

    static QString requeryQuestion() {
        return QStringLiteral("还有未保存的修改，重新查询将放弃这些修改，是否继续？");
    }
    static QString closeQuestion() {
        return QStringLiteral("还有未保存的修改，关闭窗口将放弃这些修改，是否继续？");
    }

protected:
    // The window's key handler (key preview); true when the key was taken.
    virtual bool FormKeyDown(QKeyEvent* event);
    // Runs the button's click while it is enabled (hidden but enabled buttons too).
    static bool clickIfEnabled(QToolButton* button);
    void showEvent(QShowEvent* event) override;
    // Closing while changes are pending asks first; nothing pending vanishes without a question.
    void done(int result) override;

private:
    QToolButton* addToolButton(const QString& name, const QString& caption, int glyph);
    QFrame* addSeparator();

    KeyPreview* m_keys;
    bool m_discardAgreed = false; // 刷新 asked already; its query runs without asking again
};
