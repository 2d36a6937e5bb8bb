#include "RecordDetailWindow.h"

#include "BandedGrid.h"
#include "BatchDataSet.h"
#include "BillPrinter.h"
#include "CheckListBox.h"
#include "CommissionRule.h"
#include "DbCheckEdit.h"
#include "DbDateEdit.h"
#include "DbEdit.h"
#include "DbPickEdit.h"
#include "DbPopupCheckEdit.h"
#include "EditorLabel.h"
#include "ErrorGuard.h"
#include "FieldValueError.h"
#include "GroupFrame.h"
#include "KeyPreview.h"
#include "MessageBoxService.h"
#include "MultiChoiceText.h"
#include "ProgramEnd.h"
#include "ProgramLook.h"
#include "RecordStateMachine.h"
#include "TSetValue.h"
#include "TUser.h"
#include "TUserDM.h"
#include "ToolBarItems.h"

#include <QComboBox>
#include <QDate>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>
#include <QShowEvent>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
const QString SaveFirst = QStringLiteral("请先保存数据!!!");
const QColor PanelColour(217, 232, 240);

// The editors' common operations, whatever their kind.
void setEditorReadOnly(QWidget* w, bool readOnly) {
    if (auto* b = dynamic_cast<DbFieldBinding*>(w))
        b->setReadOnly(readOnly);
}

QString editorText(QWidget* w) {
    if (auto* e = qobject_cast<QLineEdit*>(w))
        return e->text();
    if (auto* p = qobject_cast<QComboBox*>(w))
        return p->currentText();
    return {};
}

void bindEditor(QWidget* w, BatchDataSet* data, const QString& column) {
    if (auto* b = dynamic_cast<DbFieldBinding*>(w))
        b->bind(data, column);
}

// Runs a handler when the focus enters a control.
class FocusEnter : public QObject {
public:
    FocusEnter(QWidget* control, std::function<void()> handler)
        : QObject(control), m_handler(std::move(handler)) {
        control->installEventFilter(this);
    }
    bool eventFilter(QObject*, QEvent* event) override {
        // The window coming back to the front (after a message box or another program) gives the
        // focus back; that is no entering.
        if (event->type() == QEvent::FocusIn) {
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
                m_handler();
        }
        return false;
    }

private:
    std::function<void()> m_handler;
};
} // namespace

RecordDetailWindow::RecordDetailWindow(const RecordFamily& family, QWidget* parent)
    : QDialog(parent), m_family(family) {
    setWindowTitle(family.detailCaption);
    setWindowFlags(Qt::Dialog | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setFont(ProgramLook::song(14));

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 6);
    outer->setSpacing(0);

    m_toolBar = new QFrame(this);
    m_toolBar->setObjectName(QStringLiteral("ToolBar1"));
    auto* tools = new QHBoxLayout(m_toolBar);
    tools->setContentsMargins(4, 1, 4, 1);
    tools->setSpacing(1);
    outer->addWidget(m_toolBar);

    TbFrist = addToolButton(QStringLiteral("TbFrist"), QStringLiteral("首条"), 24);
    TBPrev = addToolButton(QStringLiteral("TBPrev"), QStringLiteral("向上"), 23);
    Tbnext = addToolButton(QStringLiteral("Tbnext"), QStringLiteral("向下"), 22);
    TbLast = addToolButton(QStringLiteral("TbLast"), QStringLiteral("未条"), 25);
    addToolSeparator(QStringLiteral("ToolSep1"));
    Tbnew = addToolButton(QStringLiteral("Tbnew"), QStringLiteral("新增"), 13);
    TbDelete = addToolButton(QStringLiteral("TbDelete"), QStringLiteral("删除"), 4);
    addToolSeparator(QStringLiteral("ToolSep2"));
    TbSave = addToolButton(QStringLiteral("TbSave"), QStringLiteral("保存"), 6);
    TbModfiy = addToolButton(QStringLiteral("TbModfiy"), QStringLiteral("修改"), 11);
    TbCancel = addToolButton(QStringLiteral("TbCancel"), QStringLiteral("取消"), 21);
    addToolSeparator(QStringLiteral("ToolSep3"));
    for (const RecordFamily::StateAction& a : family.actions) {
        QToolButton* b = addToolButton(a.button, a.caption, a.glyph);
        m_actionButtons.insert(a.button, b);
        connect(b, &QToolButton::clicked, this,
                ErrorGuard::wrap(this, [this, a](bool) { StateActionClick(a); }));
    }
    if (!family.actions.isEmpty())
        addToolSeparator(QStringLiteral("ToolSep4"));
    TbPrint = addToolButton(QStringLiteral("TbPrint"), QStringLiteral("打印"), 0);
    addToolSeparator(QStringLiteral("ToolSep5"));
    Tbclose = addToolButton(QStringLiteral("Tbclose"), QStringLiteral("退出"), 5);
    tools->addStretch(1);
    for (const QString& item : family.detailHidden)
        if (QWidget* w = m_toolBar->findChild<QWidget*>(item))
            w->hide();
    m_toolBar->setFixedHeight(m_toolBar->sizeHint().height());

    Panel1 = new QLabel(family.detailTitle, this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setAlignment(Qt::AlignCenter);
    Panel1->setFont(ProgramLook::song(24));
    Panel1->setFixedHeight(38);
    Panel1->setAutoFillBackground(true);
    QPalette pal = Panel1->palette();
    pal.setColor(QPalette::Window, PanelColour);
    Panel1->setPalette(pal);
    outer->addWidget(Panel1);

    m_body = new QWidget(this);
    outer->addWidget(m_body, 1);
    buildEditors();

    const auto wrapClick = [this](QToolButton* b, void (RecordDetailWindow::*f)()) {
        connect(b, &QToolButton::clicked, this, ErrorGuard::wrap(this, [this, f](bool) { (this->*f)(); }));
    };
    wrapClick(TbFrist, &RecordDetailWindow::TbFristClick);
    wrapClick(TBPrev, &RecordDetailWindow::TBPrevClick);
    wrapClick(Tbnext, &RecordDetailWindow::TbnextClick);
    wrapClick(TbLast, &RecordDetailWindow::TbLastClick);
    if (family.addsRows) {
        wrapClick(Tbnew, &RecordDetailWindow::TbnewClick);
        wrapClick(TbDelete, &RecordDetailWindow::TbDeleteClick);
    }
    wrapClick(TbSave, &RecordDetailWindow::TbSaveClick);
    wrapClick(TbModfiy, &RecordDetailWindow::TbModfiyClick);
    wrapClick(TbCancel, &RecordDetailWindow::TbCancelClick);
    wrapClick(TbPrint, &RecordDetailWindow::TbPrintClick);
    wrapClick(Tbclose, &RecordDetailWindow::TbcloseClick);

    m_keys = new KeyPreview(this, [this](QKeyEvent* e) {
        bool taken = false;
        ErrorGuard::run(this, [&] { taken = FormKeyDown(e); });
        return taken;
    });
}

RecordDetailWindow::~RecordDetailWindow() {
    delete m_rules;
}

QToolButton* RecordDetailWindow::addToolButton(const QString& name, const QString& caption, int glyph) {
    return ToolBarItems::addButton(m_toolBar, name, caption, glyph);
}

QFrame* RecordDetailWindow::addToolSeparator(const QString& name) {
    QFrame* s = ToolBarItems::addSeparator(m_toolBar);
    s->setObjectName(name);
    return s;
}

QWidget* RecordDetailWindow::createEditor(const RecordFamily::Editor& spec) {
    QWidget* w = nullptr;
    switch (spec.kind) {
    case RecordFamily::EditorKind::Edit:
        w = new DbEdit(m_body);
        break;
    case RecordFamily::EditorKind::PickEdit:
        w = new DbPickEdit(m_body);
        break;
    case RecordFamily::EditorKind::DateEdit:
        w = new DbDateEdit(m_body);
        break;
    case RecordFamily::EditorKind::CheckEdit: {
        w = new DbCheckEdit(spec.label, m_body);
        break;
    }
    case RecordFamily::EditorKind::PopupCheck: {
        auto* u = new DbPopupCheckEdit(m_body);
        u->setPopupSize(spec.popupSize);
        u->setBuiltInChoice(false);
        CheckListBox* list = u->checkList();
        list->setObjectName(spec.checkList);
        m_checkLists.insert(spec.checkList, list);
        const QString name = spec.name;
        connect(u, &DbPopupCheckEdit::popupOpening, this,
                ErrorGuard::wrap(this, [this, name] { CheckListPopup(name); }));
        connect(u, &DbPopupCheckEdit::itemCheckChanged, this,
                ErrorGuard::wrap(this, [this, name](int) { CheckListClickCheck(name); }));
        w = u;
        break;
    }
    }
    w->setObjectName(spec.name);
    return w;
}

void RecordDetailWindow::buildEditors() {
    auto* body = new QVBoxLayout(m_body);
    body->setContentsMargins(10, 8, 10, 4);
    body->setSpacing(8);

    // Accessible names: the label, with the group first where two editors share a label.
    QHash<QString, int> labelUse;
    for (const RecordFamily::Editor& e : m_family.editors)
        ++labelUse[e.label];

    // The head line (bill number, state) and the groups; the groups stand in two columns.
    auto* head = new QGridLayout;
    body->addLayout(head);
    auto* columns = new QHBoxLayout;
    columns->setSpacing(10);
    body->addLayout(columns, 1);
    auto* left = new QVBoxLayout;
    auto* right = new QVBoxLayout;
    columns->addLayout(left, 1);
    columns->addLayout(right, 1);
    for (int i = 0; i < m_family.groups.size(); ++i) {
        auto* g = new GroupFrame(m_family.groups[i], m_body);
        m_groups.insert(m_family.groups[i], g);
        (i == 0 ? left : right)->addWidget(g);
    }
    left->addStretch(1);
    right->addStretch(1);
    if (m_family.groups.size() < 2)
        columns->setStretch(1, 0); // one group takes the whole width

    for (const RecordFamily::Editor& spec : m_family.editors) {
        QWidget* w = createEditor(spec);
        m_editors.insert(spec.name, w);
        m_editorOrder << w;
        if (spec.alwaysDisabled)
            w->setEnabled(false);
        if (spec.kind == RecordFamily::EditorKind::CheckEdit)
            w->setAccessibleName(spec.label);

        QGridLayout* grid = spec.group.isEmpty() ? head : m_groups.value(spec.group)->grid();
        const int base = spec.col * 3;
        if (spec.kind != RecordFamily::EditorKind::CheckEdit) {
            auto* l = new QLabel(spec.label, w->parentWidget());
            l->setObjectName(QStringLiteral("Lb") + spec.name);
            l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            EditorLabel::attach(l, w, labelUse.value(spec.label) > 1 ? spec.group : QString());
            grid->addWidget(l, spec.row, base);
        }
        const bool hasUnit = !spec.unit.isEmpty();
        // An editor without a unit also takes the unit's column, so the pairs line up.
        const int span = spec.span * 3 - 1 - (hasUnit ? 1 : 0);
        w->setMinimumWidth(spec.kind == RecordFamily::EditorKind::CheckEdit ? 0 : hasUnit ? 90 : 140);
        grid->addWidget(w, spec.row, base + 1, 1, span);
        if (hasUnit) {
            auto* u = new QLabel(spec.unit, w->parentWidget());
            grid->addWidget(u, spec.row, base + spec.span * 3 - 1);
        }
        if (!spec.note.isEmpty()) {
            auto* n = new QLabel(spec.note, w->parentWidget());
            n->setObjectName(QStringLiteral("Note") + spec.name);
            n->setStyleSheet(QStringLiteral("color:#555;"));
            grid->addWidget(n, spec.row, base + spec.span * 3, 1, 3);
        }
        if (spec.alwaysReadOnly) {
            // The state reads as a blue text on the panel, not as an input field.
            if (auto* e = qobject_cast<DbEdit*>(w)) {
                e->setFrame(false);
                e->setStyleSheet(
                    QStringLiteral("DbEdit{color:#0000ff;background:transparent;font-weight:bold;}"));
                e->setFocusPolicy(Qt::NoFocus);
            }
        }
    }
    for (auto* g : std::as_const(m_groups)) {
        // Label, editor and unit columns: the editors take the room.
        QGridLayout* grid = g->grid();
        for (int c = 0; c < grid->columnCount(); ++c)
            grid->setColumnStretch(c, c % 3 == 1 ? 1 : 0);
    }
    head->setColumnStretch(1, 1);
    head->setColumnStretch(4, 1);
    resize(1040, sizeHint().height());

    // Tab order is the order of the editor table.
    for (int i = 1; i < m_editorOrder.size(); ++i)
        setTabOrder(m_editorOrder[i - 1], m_editorOrder[i]);

    // The commission note, with the percent in its gap.
    if (const RecordFamily::Editor* yj = m_family.editor(m_family.commissionEditor)) {
        QGridLayout* grid = m_groups.value(yj->group)->grid();
        auto* note = new QWidget(m_body);
        auto* row = new QHBoxLayout(note);
        row->setContentsMargins(0, 0, 0, 0);
        row->setSpacing(0);
        auto* before = new QLabel(QStringLiteral("当前佣金比便为"), note);
        LBYj = new QLabel(note);
        LBYj->setObjectName(QStringLiteral("LBYj"));
        LBYj->setAlignment(Qt::AlignCenter);
        LBYj->setMinimumWidth(QFontMetrics(font()).horizontalAdvance(QStringLiteral("     ")) + 6);
        LBYj->setStyleSheet(QStringLiteral("color:#c00000;font-weight:bold;"));
        auto* after = new QLabel(QStringLiteral("%"), note);
        row->addWidget(before);
        row->addWidget(LBYj);
        row->addWidget(after);
        row->addStretch(1);
        note->setAccessibleName(QStringLiteral("当前佣金比便为     %"));
        grid->addWidget(note, yj->row + 1, yj->col * 3 + 1, 1, 5);
        new FocusEnter(editor(m_family.commissionEditor), ErrorGuard::wrap(this, [this] { DbEdtYjEnter(); }));
    }
}

void RecordDetailWindow::setSource(BatchDataSet* data, BandedGrid* grid) {
    m_data = data;
    m_grid = grid;
    delete m_rules;
    m_rules = new RecordStateMachine(m_family, *data);
    bindEditors();
}

void RecordDetailWindow::bindEditors() {
    for (const RecordFamily::Editor& spec : m_family.editors)
        bindEditor(editor(spec.name), m_data, spec.column);
}

QToolButton* RecordDetailWindow::actionButton(const QString& name) const {
    return m_actionButtons.value(name);
}

void RecordDetailWindow::setItems(const QString& name, const QStringList& items) {
    if (CheckListBox* list = checkList(name)) {
        list->setItems(items);
        return;
    }
    if (auto* pick = qobject_cast<DbPickEdit*>(editor(name)))
        pick->setItems(items);
}

bool RecordDetailWindow::unsaved() const {
    return TbSave->isEnabled();
}

bool RecordDetailWindow::hasRefusedText() const {
    for (QWidget* w : m_editorOrder)
        if (auto* b = dynamic_cast<DbFieldBinding*>(w); b && b->hasRefusedText())
            return true;
    return false;
}

QString RecordDetailWindow::billText() const {
    return editorText(editor(QStringLiteral("DBEdtId")));
}

QGridLayout* RecordDetailWindow::groupGrid(const QString& title) const {
    GroupFrame* g = m_groups.value(title);
    return g ? g->grid() : nullptr;
}

void RecordDetailWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous())
        ErrorGuard::run(this, [this] { FormShow(); });
}

void RecordDetailWindow::enterEditMode() {
    SetEditorsReadOnly(false);
    TbSave->setEnabled(true);
    TbCancel->setEnabled(true);
    TbModfiy->setEnabled(false);
}

void RecordDetailWindow::enterBrowseMode() {
    TbSave->setEnabled(false);
    TbCancel->setEnabled(false);
    TbModfiy->setEnabled(true);
    SetEditorsReadOnly(true);
}

void RecordDetailWindow::FormShow() {
    ApplyRecordState();
    TbSave->setEnabled(false);
    TbCancel->setEnabled(false);
    TbModfiy->setEnabled(true);
    if (!billText().isEmpty())
        SetEditorsReadOnly(true);
    else
        enterEditMode();
}

bool RecordDetailWindow::refuseWhenUnsaved() {
    if (!unsaved())
        return false;
    MessageBoxService::refuse(this, SaveFirst);
    return true;
}

void RecordDetailWindow::moveGrid(Move move) {
    if (refuseWhenUnsaved())
        return;
    switch (move) {
    case Move::First:
        m_grid->focusFirst();
        break;
    case Move::Prior:
        m_grid->focusPrior();
        break;
    case Move::Next:
        m_grid->focusNext();
        break;
    case Move::Last:
        m_grid->focusLast();
        break;
    }
    ApplyRecordState();
}

void RecordDetailWindow::TbFristClick() {
    moveGrid(Move::First);
}
void RecordDetailWindow::TBPrevClick() {
    moveGrid(Move::Prior);
}
void RecordDetailWindow::TbnextClick() {
    moveGrid(Move::Next);
}
void RecordDetailWindow::TbLastClick() {
    moveGrid(Move::Last);
}

void RecordDetailWindow::TbModfiyClick() {
    if (!m_family.reopenQuestion.isEmpty() && !m_actionButtons.isEmpty()) {
        bool anyEnabled = false;
        for (QToolButton* b : std::as_const(m_actionButtons))
            anyEnabled = anyEnabled || b->isEnabled();
        if (!anyEnabled) {
            const QString shown = editorText(editor(QStringLiteral("DBEdtStat")));
            if (!MessageBoxService::ask(this, m_family.reopenQuestion.arg(shown)))
                return;
            m_rules->setState(m_family.reopenState);
        }
    }
    SetEditorsReadOnly(false);
    m_data->edit();
    TbSave->setEnabled(true);
    TbCancel->setEnabled(true);
    TbModfiy->setEnabled(false);
}

void RecordDetailWindow::TbSaveClick() {
    try {
        // A value an editor refused is not in the row: saving without it would lose it.
        if (hasRefusedText())
            throw std::runtime_error("refused text");
        // The bill number of a new row is drawn inside the batch (see the list's data set).
        m_data->applyBatch();
        enterBrowseMode();
        ApplyRecordState();
    } catch (const std::exception&) {
        MessageBoxService::refuse(this, QStringLiteral("保存失败!!!"));
    }
}

void RecordDetailWindow::TbCancelClick() {
    try {
        m_data->cancelBatch();
        enterBrowseMode();
        ApplyRecordState();
    } catch (const std::exception&) {
        MessageBoxService::refuse(this, QStringLiteral("取消失败!!!"));
    }
}

void RecordDetailWindow::TbnewClick() {
    if (refuseWhenUnsaved())
        return;
    enterEditMode();
    m_data->append(); // the list's data set gives it the family's presets
    if (QWidget* w = editor(m_family.newRowFocus))
        w->setFocus();
}

void RecordDetailWindow::TbDeleteClick() {
    if (!MessageBoxService::ask(this, m_family.deleteQuestion + m_data->text(m_family.billColumn) +
                                          QStringLiteral("？")))
        return;
    m_data->deleteCurrent();
    m_data->applyBatch();
    ApplyRecordState();
}

void RecordDetailWindow::TbcloseClick() {
    close();
}

void RecordDetailWindow::TbPrintClick() {
    if (refuseWhenUnsaved() || !m_family.prints())
        return;
    PrintRecord(LBYj ? LBYj->text() : QString());
}

bool RecordDetailWindow::PrintRecord(const QString& percent) {
    if (m_family.printTemplate.isEmpty() || !m_data)
        return false;
    QVariantMap record;
    const QStringList columns = m_data->columnNames();
    if (m_data->currentRow() >= 0)
        for (const QString& c : columns)
            record.insert(c, m_data->value(c));
    if (!m_bill)
        m_bill = std::make_unique<BillPrinter>(columns);
    // A family without a commission (the demands) prints a sheet without a percent label.
    BillPrinter::Captions captions;
    if (m_family.percent)
        captions.append({BillPrinter::namedLabels().constFirst(), percent});
    captions += BillPrinter::companyCaptions(AppGlobals.CompanyName, AppGlobals.CompanyTel);
    return m_bill->print(this, AppGlobals.PrintMode, AppGlobals.AppPath + m_family.printTemplate, captions,
                         record);
}

void RecordDetailWindow::StateActionClick(const RecordFamily::StateAction& action) {
    if (refuseWhenUnsaved())
        return;
    if (!action.question.isEmpty() && !MessageBoxService::ask(this, action.question))
        return;
    if (action.viaModify)
        TbModfiy->click();
    m_rules->apply(action, CurrentUser.UserFullName, QDate::currentDate());
    if (action.viaModify)
        EnableDealFields(true);
    if (action.sendAtOnce) {
        m_data->applyBatch();
        ApplyRecordState();
    }
    if (QWidget* w = editor(action.focusEditor))
        w->setFocus();
}

int RecordDetailWindow::percentNow() const {
    return m_family.percent ? m_family.percent() : 0;
}

void RecordDetailWindow::DbEdtYjEnter() {
    QWidget* yj = editor(m_family.commissionEditor);
    if (!yj || !yj->isEnabled() || !m_data || m_data->currentRow() < 0)
        return;
    try {
        CommissionRule::apply(*m_data, editorText(yj), m_family.commissionColumn, m_family.priceColumn,
                              percentNow());
    } catch (const std::exception&) {
        // A proposal that cannot be made (no amount, beyond what the column holds) leaves the
        // commission as it was, silently: a message box here would hand the focus back to the
        // editor and ask again.
    }
}

void RecordDetailWindow::CheckListPopup(const QString& popupEditor) {
    const RecordFamily::Editor* spec = m_family.editor(popupEditor);
    CheckListBox* list = spec ? checkList(spec->checkList) : nullptr;
    if (!list)
        return;
    const QList<bool> ticks = MultiChoiceText::ticks(list->items(), editorText(editor(popupEditor)));
    for (int i = 0; i < ticks.size(); ++i)
        list->setChecked(i, ticks[i]);
}

void RecordDetailWindow::CheckListClickCheck(const QString& popupEditor) {
    const RecordFamily::Editor* spec = m_family.editor(popupEditor);
    CheckListBox* list = spec ? checkList(spec->checkList) : nullptr;
    if (!list)
        return;
    QList<bool> ticked;
    for (int i = 0; i < list->items().size(); ++i)
        ticked << list->isChecked(i);
    try {
        m_data->edit();
        m_data->setValue(spec->column, MultiChoiceText::join(list->items(), ticked));
    } catch (const FieldValueError& e) {
        // The column cannot hold that many choices: the tick goes back to what the column holds.
        CheckListPopup(popupEditor);
        MessageBoxService::refuse(this, e.message());
    }
}

void RecordDetailWindow::SetEditorsReadOnly(bool readOnly) {
    for (QWidget* w : std::as_const(m_editorOrder))
        setEditorReadOnly(w, readOnly);
    for (CheckListBox* list : std::as_const(m_checkLists))
        list->setEnabled(!readOnly);
    if (QWidget* stat = editor(QStringLiteral("DBEdtStat")))
        setEditorReadOnly(stat, true);
}

void RecordDetailWindow::EnableDealFields(bool enabled) {
    for (const QString& name : m_family.dealEditors())
        if (QWidget* w = editor(name))
            w->setEnabled(enabled);
}

void RecordDetailWindow::ApplyRecordState() {
    if (!m_rules)
        return;
    const RecordStateMachine::Display d = m_rules->display();
    if (!d.known)
        return;
    EnableDealFields(d.dealEnabled);
    for (int i = 0; i < m_family.actions.size(); ++i)
        m_actionButtons.value(m_family.actions[i].button)->setEnabled(d.actionEnabled.value(i));
}

bool RecordDetailWindow::FormKeyDown(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        focusNextChild();
        return true;
    case Qt::Key_Escape:
    case Qt::Key_F9:
        close();
        return true;
    case Qt::Key_F2:
        return m_family.addsRows && Tbnew->isEnabled() ? (Tbnew->click(), true) : true;
    case Qt::Key_F3:
        return TbModfiy->isEnabled() ? (TbModfiy->click(), true) : true;
    case Qt::Key_F4:
        return m_family.addsRows && TbDelete->isEnabled() ? (TbDelete->click(), true) : true;
    case Qt::Key_F5:
        return TbSave->isEnabled() ? (TbSave->click(), true) : true;
    case Qt::Key_F6:
        return TbCancel->isEnabled() ? (TbCancel->click(), true) : true;
    case Qt::Key_F7:
        if (QToolButton* deal = m_actionButtons.value(m_family.dealAction); deal && deal->isEnabled())
            deal->click();
        return true;
    case Qt::Key_F8:
        return TbPrint->isEnabled() ? (TbPrint->click(), true) : true;
    default:
        return false;
    }
}

void RecordDetailWindow::done(int result) {
    if (isVisible() && unsaved() && !ProgramEnd::requested()) {
        const MsgAnswer answer = MessageBoxService::show(this, QStringLiteral("确认"), closeQuestion(),
                                                         MsgIcon::Question, MsgButtons::YesNoCancel);
        if (answer == MsgAnswer::Cancel)
            return;
        if (answer == MsgAnswer::Yes) {
            TbSaveClick();
            if (unsaved())
                return; // the save failed and said so; the edits wait in the window
        } else if (m_data && m_data->state() != BatchDataSet::State::Browse) {
            m_data->post(); // kept pending in the list's data set
        }
    }
    QDialog::done(result);
}
