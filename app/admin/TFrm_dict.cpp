#include "TFrm_dict.h"

#include "BandedGrid.h"
#include "BatchDataSet.h"
#include "DbPickEdit.h"
#include "ErrorGuard.h"
#include "MessageBoxService.h"
#include "ModalSeam.h"
#include "PickLists.h"
#include "ProgramLook.h"
#include "RangeDateEdit.h"
#include "TFrm_addDict.h"
#include "TUserDM.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QToolButton>

#include <memory>

TFrm_dict::TFrm_dict(QWidget* parent) : Ttemplet(parent) {
    setObjectName(QStringLiteral("Frm_dict"));
    setWindowTitle(QStringLiteral("字典维护"));
    Panel1->hide();
    for (QWidget* w :
         {static_cast<QWidget*>(Label1), static_cast<QWidget*>(Dtp1), static_cast<QWidget*>(Label2),
          static_cast<QWidget*>(Dtp2), static_cast<QWidget*>(BtQuery)})
        w->hide();
    LbTitle = new QLabel(QStringLiteral("基 础 信 息 维 护"), Panel2);
    LbTitle->setObjectName(QStringLiteral("LbTitle"));
    LbTitle->setFont(ProgramLook::song(25));
    LbTitle->setAlignment(Qt::AlignCenter);
    Panel2Layout->insertWidget(0, LbTitle, 1);
    Panel2Layout->setStretch(Panel2Layout->count() - 1, 0); // the heading takes the whole width
    TbPrint->hide();
    ToolSep2->hide();
    ToolSep3->hide();

    QryData->setSql(QStringLiteral("Select TypeName,Value from S_字典"));
    QryData->setTableName(QStringLiteral("S_字典"));
    QryData->setKeyField(QStringLiteral("Value"));
    dxDBGrid1->clearLayout();
    dxDBGrid1->addBand(QStringLiteral("字典信息一览表"));
    // Each value under its type: the rows are ordered by type and the type leads every row.
    dxDBGrid1->addColumn(QStringLiteral("TypeName"), QStringLiteral("类别"), 200);
    dxDBGrid1->addColumn(QStringLiteral("Value"), QStringLiteral("值"), 360);
    dxDBGrid1->setKeyField(QStringLiteral("Value"));
    dxDBGrid1->setCellsCentred(true);
    dxDBGrid1->setHint(QString());

    connect(TbNew, &QToolButton::clicked, this, ErrorGuard::wrap(this, [this](bool) { ToolButton4Click(); }));
    connect(TbDelete, &QToolButton::clicked, this,
            ErrorGuard::wrap(this, [this](bool) { ToolButton5Click(); }));
    connect(TbModfiy, &QToolButton::clicked, this,
            ErrorGuard::wrap(this, [this](bool) { ToolButton6Click(); }));
    // 刷新 reads the list again (nothing is pending outside the dialog).
    connect(BtQuery, &QToolButton::clicked, this, ErrorGuard::wrap(this, [this](bool) { OpenDict(); }));
}

void TFrm_dict::OpenDict() {
    QryData->close();
    QryData->open();
    GroupByType();
    dxDBGrid1->focusFirst();
}

void TFrm_dict::GroupByType() {
    dxDBGrid1->sortOn(QStringLiteral("TypeName"));
    dxDBGrid1->sortOn(QStringLiteral("Value"), Qt::AscendingOrder, true);
}

void TFrm_dict::ToolButton4Click() {
    QryData->append();
    if (ModalSeam::exec(m_dialog) == QDialog::Accepted)
        GroupByType(); // the saved row joins its type
}

void TFrm_dict::ToolButton5Click() {
    if (QryData->isEmpty())
        return;
    if (MessageBoxService::show(this, QStringLiteral("确认"),
                                QStringLiteral("你确定要从数据库中删除") +
                                    QryData->text(QStringLiteral("Value")) + QStringLiteral("？"),
                                MsgIcon::Question, MsgButtons::YesNo) == MsgAnswer::No)
        return;
    QryData->deleteCurrent();
    try {
        QryData->applyBatch();
    } catch (...) {
        QryData->cancelBatch(); // still in the database: it stays in the list
        throw;
    }
}

void TFrm_dict::ToolButton6Click() {
    if (QryData->isEmpty())
        return;
    QryData->edit();
    if (ModalSeam::exec(m_dialog) == QDialog::Accepted)
        GroupByType();
}

bool TFrm_dict::FormKeyDown(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_F2:
        return clickIfEnabled(TbNew);
    case Qt::Key_F3:
        return clickIfEnabled(TbModfiy);
    case Qt::Key_F4:
        return clickIfEnabled(TbDelete);
    default:
        return Ttemplet::FormKeyDown(event);
    }
}

void ShowDictForm() {
    auto window = std::make_unique<TFrm_dict>();
    auto dialog = std::make_unique<TFrm_addDict>(window->DsData);
    window->setEditDialog(dialog.get());
    window->OpenDict();
    FreeQuery& q = UserDM->QryFree;
    q.close();
    q.setSql(QStringLiteral("Select distinct TypeName   from S_字典 "));
    q.open();
    FillItemsFromQuery(*dialog->CbType, q, QStringLiteral("TypeName"));
    q.close();
    ModalSeam::exec(window.get());
    dialog.reset();
}
