#pragma once

#include <QList>
#include <QSize>
#include <QString>
#include <QStringList>

#include <functional>

// A record family told as data: its table and bill type, its states and the actions that move a
// row between them, its list query and grid, its detail editors and its bill. The windows of every
// family run on this description; a family's own code is only what its data cannot say.
struct RecordFamily {
    enum class EditorKind { Edit, PickEdit, DateEdit, CheckEdit, PopupCheck };

    // A column of the list grid. Band -1: present in the grid but not shown.
    struct GridColumn {
        QString column;
        QString caption; // empty: the column name
        int band = -1;
        bool filter = false;
        int width = 0; // 0: chosen from the column kind
    };

    // One box of the state filter on the list's query bar, and the query it selects.
    struct StateFilter {
        QString box;     // component name (CKBALL ...)
        QString caption; // also the state value the query filters on
        QString sql;
        bool bindsState = false;
    };

    // A dictionary type filling a detail editor's items.
    struct PickList {
        QString dictType;
        QString editor;
    };

    // One editor of the detail window, with its place: group, row and column pair of that group.
    struct Editor {
        QString name;
        EditorKind kind = EditorKind::Edit;
        QString column;
        QString label;
        QString group;
        int row = 0;
        int col = 0;  // 0: left pair, 1: right pair
        int span = 1; // column pairs taken
        QString unit; // small text right of the editor
        QString note; // a longer remark, in the pair after the editor
        bool deal = false;
        bool alwaysDisabled = false;
        bool alwaysReadOnly = false;
        QString checkList; // pop-up check edits: the component name of the hosted list
        QSize popupSize;
    };

    // A value a new row starts with.
    struct Preset {
        enum class Source { Today, UserName, Text, False };
        QString column;
        Source source = Source::Text;
        QString text;
    };

    // A state action of the detail window (let, cancel, offer again ...).
    struct StateAction {
        QString button; // component name
        QString caption;
        int glyph = 0;
        QString question;     // asked first (Yes/No) unless empty
        QStringList from;     // states in which the button is enabled
        QString to;           // the state written
        QStringList setUser;  // columns receiving the current user's name
        QStringList setToday; // columns receiving today's date
        // Columns emptied: text to "", dates to no value, money and numbers to 0, yes/no to false.
        QStringList resets;
        bool viaModify = false;  // enters edit mode first and leaves the save to the user
        bool sendAtOnce = false; // sends the batch at once
        QString focusEditor;
    };

    QString table;
    QString keyField = QStringLiteral("ID");
    QString billType;
    QString billColumn = QStringLiteral("收件号");
    QString stateColumn;    // empty: a family without states
    QStringList states;     // the values of stateColumn the family knows; others leave the display alone
    QStringList dealStates; // the states in which the deal editors are enabled
    QString dateColumn = QStringLiteral("编辑日期");
    QString baseSql;
    // New and delete exist in both windows (F2, F4); false: neither window adds or removes rows.
    bool addsRows = true;

    // The list window.
    QString listCaption;
    QString dateLabel = QStringLiteral("登记日期：");
    int openingDays = 10; // the first list covers today minus this many days to today
    // Families without a state filter: the query, and the state bound to :Stat where it names one.
    // The words true and false in a query are the yes/no literals of the engine it runs on.
    QString querySql;
    QString fixedState;
    QString filterGroup = QStringLiteral("查询范围");
    QList<StateFilter> filters; // display order
    QStringList filterOrder;    // the order the boxes are tested in
    QString fallbackFilter;     // ticked and used when none of filterOrder is
    QStringList bands;
    QList<GridColumn> columns;
    bool wholeRowSelection = false; // false: cell focus
    // Tool bar items of the list hidden besides 修改 (TbNew, TbDelete, TbRefresh, ToolSep1 ...).
    QStringList listHidden;
    QList<Preset> presets;

    // The detail window.
    QString detailCaption;
    QString detailTitle;
    QStringList groups;
    QList<Editor> editors;
    QList<PickList> pickLists;
    QList<StateAction> actions;
    QString dealAction; // the action F7 runs; empty: F7 does nothing
    // 修改 of a row that no state action can leave (every action button disabled) first asks this
    // question (%1: the state shown) and on Yes puts the row back into reopenState.
    QString reopenQuestion;
    QString reopenState;
    // Tool bar items of the detail window hidden (Tbnew, TbDelete, TbPrint, ToolSep2 ...).
    QStringList detailHidden = {QStringLiteral("Tbnew"), QStringLiteral("TbDelete"),
                                QStringLiteral("ToolSep2")};
    QString commissionEditor; // with its percent label LBYj; empty: no commission
    QString commissionColumn;
    QString priceColumn;
    QString newRowFocus = QStringLiteral("DBEdtAddress");
    QString deleteQuestion = QStringLiteral("你确定要删除收件号为:");

    // The bill and the percent the label LBYj shows and the bill prints.
    QString printTemplate; // relative to the program folder; empty: nothing is printed
    std::function<int()> percent;

    const Editor* editor(const QString& name) const;
    const StateAction* action(const QString& button) const;
    const StateFilter* filter(const QString& box) const;
    QStringList dealEditors() const;
    QStringList dealColumns() const;
    bool hasStates() const { return !stateColumn.isEmpty(); }
    bool prints() const { return !printTemplate.isEmpty(); }

    // What the description names but the table (its columns) or the description itself does not
    // hold: columns, editors, check lists, filter boxes, actions. Empty when all is well.
    QStringList problems(const QStringList& tableColumns) const;
};
