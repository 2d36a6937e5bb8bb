#include "RecordListWindow.h"

#include "BandedGrid.h"
#include "BatchDataSet.h"
#include "BillNumbers.h"
#include "DateText.h"
#include "ErrorGuard.h"
#include "FreeQuery.h"
#include "MessageBoxService.h"
#include "ModalSeam.h"
#include "PickLists.h"
#include "ProgramLook.h"
#include "RangeDateEdit.h"
#include "RecordDetailWindow.h"
#include "RecordFamily.h"
#include "RecordStateMachine.h"
#include "SqlDialect.h"
#include "TUser.h"
#include "TUserDM.h"

#include <QCheckBox>
#include <QDate>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QToolButton>

RecordListWindow::RecordListWindow(const RecordFamily& family, QWidget* parent)
    : Ttemplet(parent), m_family(family) {
    setWindowTitle(family.listCaption);
    Panel1->setText(family.listCaption);
    Label1->setText(family.dateLabel);
    QryData->setSql(family.baseSql);
    QryData->setTableName(family.table);
    QryData->setKeyField(family.keyField);
    buildFilterBoxes();
    layoutGrid();

    // Every row a batch writes carries a bill number drawn inside that batch's transaction.
    const QString billType = family.billType;
    QryData->setNumbering(family.billColumn, [billType] { return QVariant(NextBillNo(billType)); });
    // A new row starts with the family's presets, also one begun by typing into an empty list.
    connect(QryData, &BatchDataSet::rowAppended, this, [this] {
        RecordStateMachine(m_family, *QryData).presetNewRow(CurrentUser.UserFullName, QDate::currentDate());
    });

    // 修改 is hidden but keeps its handler, so F3 opens the detail window.
    TbModfiy->hide();
    for (const QString& item : family.listHidden)
        if (QWidget* w = ToolBar1->findChild<QWidget*>(item))
            w->hide();
    const auto bind = [this](QAbstractButton* b, void (RecordListWindow::*f)()) {
        connect(b, &QAbstractButton::clicked, this,
                ErrorGuard::wrap(this, [this, f](bool) { (this->*f)(); }));
    };
    bind(BtQuery, &RecordListWindow::BtQueryClick);
    if (family.addsRows) {
        bind(TbNew, &RecordListWindow::TbNewClick);
        bind(TbDelete, &RecordListWindow::TbDeleteClick);
    }
    bind(TbModfiy, &RecordListWindow::dxDBGrid1DblClick);
    if (family.prints())
        bind(TbPrint, &RecordListWindow::TbPrintClick);
    connect(dxDBGrid1, &BandedGrid::gridDoubleClicked, this,
            ErrorGuard::wrap(this, [this] { dxDBGrid1DblClick(); }));
}

void RecordListWindow::buildFilterBoxes() {
    if (m_family.filters.isEmpty())
        return;
    GBOX = new QGroupBox(m_family.filterGroup, Panel2);
    GBOX->setObjectName(QStringLiteral("GBOX"));
    auto* row = new QHBoxLayout(GBOX);
    row->setContentsMargins(8, 0, 8, 0);
    row->setSpacing(14);
    GBOX->setFlat(true);
    for (const RecordFamily::StateFilter& f : m_family.filters) {
        auto* box = new QCheckBox(f.caption, GBOX);
        box->setObjectName(f.box);
        box->setAccessibleName(f.caption);
        m_boxes.insert(f.box, box);
        row->addWidget(box);
        // The boxes exclude one another, but all may be unticked.
        connect(box, &QCheckBox::toggled, this, [this, box](bool on) {
            if (!on)
                return;
            for (QCheckBox* other : std::as_const(m_boxes))
                if (other != box)
                    other->setChecked(false);
        });
    }
    Panel2Layout->insertWidget(Panel2Layout->count() - 1, GBOX);
}

void RecordListWindow::layoutGrid() {
    BandedGrid* g = dxDBGrid1;
    g->clearLayout();
    for (int b = 0; b < m_family.bands.size(); ++b) {
        g->addBand(m_family.bands[b]);
        for (const RecordFamily::GridColumn& c : m_family.columns)
            if (c.band == b)
                g->addColumn(c.column, c.caption, c.width);
    }
    QStringList filters;
    for (const RecordFamily::GridColumn& c : m_family.columns)
        if (c.filter)
            filters << c.column;
    g->setFilterColumns(filters);
    g->setKeyField(m_family.keyField);
    g->setRowSelect(m_family.wholeRowSelection);
    g->setCellsCentred(true);
    QFont f = font();
    f.setPixelSize(13);
    g->setFont(f);
}

void RecordListWindow::setDetailWindow(RecordDetailWindow* detail) {
    m_detail = detail;
    detail->setSource(QryData, dxDBGrid1);
}

void RecordListWindow::SetOpeningRange() {
    Dtp1->setText(DateText::format(QDate::currentDate().addDays(-m_family.openingDays)));
    Dtp2->setText(DateText::today());
}

void RecordListWindow::ShowWith(RecordDetailWindow* detail) {
    setDetailWindow(detail);
    SetOpeningRange();
    BtQueryClick();
    FillPickLists();
    ModalSeam::exec(this);
}

void RecordListWindow::BtQueryClick() {
    if (!ConfirmDiscardPending())
        return;
    const SqlDialect& dialect = UserDM->ADOConnection1.dialect();
    QString sql = m_family.querySql;
    QString state = m_family.fixedState;
    if (!m_family.filters.isEmpty()) {
        const RecordFamily::StateFilter* chosen = nullptr;
        for (const QString& name : m_family.filterOrder) {
            if (m_boxes.value(name)->isChecked()) {
                chosen = m_family.filter(name);
                break;
            }
        }
        if (!chosen) {
            m_boxes.value(m_family.fallbackFilter)->setChecked(true);
            chosen = m_family.filter(m_family.fallbackFilter);
        }
        sql = chosen->sql;
        if (chosen->bindsState)
            state = chosen->caption;
    }
    QryData->close();
    QryData->setSql(dialect.withBooleanLiterals(sql));
    QryData->clearParams();
    QryData->setParam(QStringLiteral("BeginDate"), dialect.dateParam(Dtp1->text()));
    QryData->setParam(QStringLiteral("EndDate"), dialect.dateParam(Dtp2->text()));
    if (!state.isEmpty())
        QryData->setParam(QStringLiteral("Stat"), state);
    QryData->open();
}

void RecordListWindow::TbNewClick() {
    QryData->append(); // the presets follow the append
    if (m_detail)
        ModalSeam::exec(m_detail);
}

void RecordListWindow::TbDeleteClick() {
    if (QryData->isEmpty())
        return;
    if (!MessageBoxService::ask(this, m_family.deleteQuestion + QryData->text(m_family.billColumn) +
                                          QStringLiteral("？")))
        return;
    QryData->deleteCurrent();
    QryData->applyBatch();
}

void RecordListWindow::dxDBGrid1DblClick() {
    if (m_detail)
        ModalSeam::exec(m_detail);
}

void RecordListWindow::TbPrintClick() {
    if (m_detail)
        m_detail->PrintRecord(percentText());
}

void RecordListWindow::QueryDictValues(const QString& typeName) {
    FreeQuery& q = UserDM->QryFree;
    q.close();
    q.setSql(QStringLiteral("Select distinct Value  from S_字典 where TypeName=:Typename "));
    q.setParam(QStringLiteral("Typename"), typeName);
    q.open();
}

void RecordListWindow::FillPickLists() {
    if (!m_detail)
        return;
    for (const RecordFamily::PickList& p : m_family.pickLists) {
        QueryDictValues(p.dictType);
        QStringList items;
        FillItemsFromQuery(items, UserDM->QryFree, QStringLiteral("Value"));
        m_detail->setItems(p.editor, items);
    }
    if (m_detail->LBYj)
        m_detail->LBYj->setText(percentText());
}

QString RecordListWindow::percentText() const {
    return QString::number(m_family.percent ? m_family.percent() : 0);
}

bool RecordListWindow::FormKeyDown(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Escape:
    case Qt::Key_F9:
        close();
        return true;
    case Qt::Key_F2:
        return m_family.addsRows ? clickIfEnabled(TbNew) : true;
    case Qt::Key_F3:
        return clickIfEnabled(TbModfiy);
    case Qt::Key_F4:
        return m_family.addsRows ? clickIfEnabled(TbDelete) : true;
    case Qt::Key_F8:
        return clickIfEnabled(TbPrint);
    default:
        return false;
    }
}
