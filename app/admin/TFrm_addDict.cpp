#include "TFrm_addDict.h"

#include "BatchDataSet.h"
#include "DbEdit.h"
#include "DbPickEdit.h"
#include "EditorLabel.h"
#include "ErrorGuard.h"
#include "MessageBoxService.h"
#include "ProgramLook.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>

TFrm_addDict::TFrm_addDict(BatchDataSet* dsData, QWidget* parent) : QDialog(parent), m_ds(dsData) {
    setObjectName(QStringLiteral("Frm_addDict"));
    setWindowTitle(QStringLiteral("字典操作"));
    setFont(ProgramLook::song(14));
    setFixedSize(431, 183);

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(40, 26, 40, 22);
    grid->setVerticalSpacing(14);
    auto* typeLabel = new QLabel(QStringLiteral("类型："), this);
    CbType = new DbPickEdit(this);
    CbType->setObjectName(QStringLiteral("CbType"));
    CbType->bind(m_ds, QStringLiteral("TypeName"));
    EditorLabel::attach(typeLabel, CbType);
    auto* valueLabel = new QLabel(QStringLiteral("值："), this);
    EdtValue = new DbEdit(this);
    EdtValue->setObjectName(QStringLiteral("EdtValue"));
    EdtValue->bind(m_ds, QStringLiteral("Value"));
    EditorLabel::attach(valueLabel, EdtValue);
    grid->addWidget(typeLabel, 0, 0, Qt::AlignRight);
    grid->addWidget(CbType, 0, 1, 1, 3);
    grid->addWidget(valueLabel, 1, 0, Qt::AlignRight);
    grid->addWidget(EdtValue, 1, 1, 1, 3);
    grid->setRowStretch(2, 1);

    Btnadd = new QPushButton(QStringLiteral("保存"), this);
    Btnadd->setObjectName(QStringLiteral("Btnadd"));
    Btncancel = new QPushButton(QStringLiteral("取消"), this);
    Btncancel->setObjectName(QStringLiteral("Btncancel"));
    for (QPushButton* b : {Btnadd, Btncancel})
        b->setAutoDefault(false);
    grid->addWidget(Btnadd, 3, 1);
    grid->addWidget(Btncancel, 3, 3);
    grid->setColumnStretch(2, 1);
    setTabOrder(CbType, EdtValue);
    setTabOrder(EdtValue, Btnadd);
    setTabOrder(Btnadd, Btncancel);

    connect(Btnadd, &QPushButton::clicked, this, ErrorGuard::wrap(this, [this](bool) { BtnaddClick(); }));
    connect(Btncancel, &QPushButton::clicked, this,
            ErrorGuard::wrap(this, [this](bool) { BtncancelClick(); }));
}

void TFrm_addDict::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TFrm_addDict::FormShow() {
    CbType->setFocus(Qt::OtherFocusReason);
}

void TFrm_addDict::BtnaddClick() {
    // Not trimmed: a single blank counts as filled.
    if (CbType->currentText().isEmpty() || EdtValue->text().isEmpty()) {
        MessageBoxService::refuse(this, QStringLiteral("请输入信息!!!"));
        return;
    }
    try {
        m_ds->applyBatch();
    } catch (const std::exception&) {
        MessageBoxService::refuse(this, QStringLiteral("保存失败!!!"));
        return;
    }
    accept();
}

void TFrm_addDict::BtncancelClick() {
    m_ds->cancelBatch();
    QDialog::reject();
}

void TFrm_addDict::reject() {
    ErrorGuard::run(this, [this] { BtncancelClick(); });
}
