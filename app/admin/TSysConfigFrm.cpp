#include "TSysConfigFrm.h"

#include "EditorLabel.h"
#include "ErrorGuard.h"
#include "InputEdits.h"
#include "MessageBoxService.h"
#include "ModalSeam.h"
#include "ProgramLook.h"
#include "SystemParams.h"
#include "TSetValue.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include <array>
#include <memory>

namespace {
struct Rate {
    const char* key;
    const char* caption;
    const char* error;
    int32_t TSetValue::*field;
    bool percent;
};

// In the order they are saved and reported.
const std::array<Rate, 6> kRates{{
    {"CCYJ", "出售佣金比例:", "出售佣金比例填写出错!!!", &TSetValue::SaleCommission, true},
    {"CZYJ", "出租佣金比例:", "出租佣金比例填写出错!!!", &TSetValue::LeaseCommission, true},
    {"QZQGYJ", "求租求购佣金比例:", "求租求购佣金比例填写出错!!!", &TSetValue::DemandCommission, true},
    {"AJYJ", "按揭贷款佣金比例:", "按揭贷款佣金比例填写出错!!!", &TSetValue::MortgageCommission, true},
    {"DLXSYJ", "代理销售佣金比例:", "代理销售佣金比例填写出错!!!", &TSetValue::AgencySaleCommission, true},
    {"DBZQF", "代办产权费:", "代办产权费填写出错!!!", &TSetValue::TitleAgencyFee, false},
}};

const std::array<const char*, 3> kModeTexts{"Print", "Preview", "Design"};
const std::array<uint8_t, 3> kModeCodes{2, 1, 0};
} // namespace

TSysConfigFrm::TSysConfigFrm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("SysConfigFrm"));
    setWindowTitle(QStringLiteral("系统设置"));
    setFont(ProgramLook::song(13));
    setFixedSize(481, 306);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(8, 8, 8, 10);
    Pc1 = new QTabWidget(this);
    Pc1->setObjectName(QStringLiteral("Pc1"));
    outer->addWidget(Pc1, 1);

    TabSheet2 = new QWidget;
    TabSheet2->setObjectName(QStringLiteral("TabSheet2"));
    auto* printPage = new QVBoxLayout(TabSheet2);
    RBPrintMode = new QGroupBox(QStringLiteral("打印模式"), TabSheet2);
    RBPrintMode->setObjectName(QStringLiteral("RBPrintMode"));
    auto* modes = new QHBoxLayout(RBPrintMode);
    RBPrintModeItems = new QButtonGroup(this);
    const QStringList modeCaptions{QStringLiteral("打印"), QStringLiteral("预览"), QStringLiteral("设计")};
    for (int i = 0; i < 3; ++i) {
        auto* radio = new QRadioButton(modeCaptions[i], RBPrintMode);
        radio->setObjectName(QStringLiteral("RBPrintMode%1").arg(i));
        RBPrintModeItems->addButton(radio, i);
        modes->addWidget(radio, 1);
    }
    printPage->addWidget(RBPrintMode);
    printPage->addStretch(1);
    Pc1->addTab(TabSheet2, QStringLiteral("打印参数"));

    TabSheet1 = new QWidget;
    TabSheet1->setObjectName(QStringLiteral("TabSheet1"));
    auto* rates = new QGridLayout(TabSheet1);
    rates->setContentsMargins(30, 14, 30, 14);
    rates->setVerticalSpacing(8);
    std::array<QLineEdit**, 6> edits{&dxEdit1, &dxEdit2, &dxEdit3, &dxEdit4, &dxEdit5, &dxEdit6};
    for (int i = 0; i < 6; ++i) {
        auto* label = new QLabel(QString::fromUtf8(kRates[size_t(i)].caption), TabSheet1);
        auto* edit = new QLineEdit(TabSheet1);
        edit->setObjectName(QStringLiteral("dxEdit%1").arg(i + 1));
        edit->setFixedWidth(49);
        edit->setStyleSheet(QStringLiteral("QLineEdit { border: 1px solid #0000FF; background: #ffffff; }"));
        EditorLabel::attach(label, edit);
        rates->addWidget(label, i, 0, Qt::AlignRight);
        rates->addWidget(edit, i, 1);
        if (kRates[size_t(i)].percent)
            rates->addWidget(new QLabel(QStringLiteral("%"), TabSheet1), i, 2);
        *edits[size_t(i)] = edit;
    }
    rates->setColumnStretch(3, 1);
    Pc1->addTab(TabSheet1, QStringLiteral("合算参数"));

    TabSheet3 = new QWidget;
    TabSheet3->setObjectName(QStringLiteral("TabSheet3"));
    auto* show = new QHBoxLayout(TabSheet3);
    LbTel = new QLabel(QStringLiteral("业务联系电话:"), TabSheet3);
    CHTel = new QCheckBox(QStringLiteral("是否直接显示"), TabSheet3);
    CHTel->setObjectName(QStringLiteral("CHTel"));
    LbTel->setBuddy(CHTel);
    show->addWidget(LbTel);
    show->addWidget(CHTel);
    show->addStretch(1);
    // Stored with the settings, but not offered to the user.
    LbTel->setVisible(false);
    CHTel->setVisible(false);
    Pc1->addTab(TabSheet3, QStringLiteral("显示参数"));

    auto* buttons = new QHBoxLayout;
    BtnOK = new QPushButton(QStringLiteral("确定"), this);
    BtnOK->setObjectName(QStringLiteral("BtnOK"));
    BtnExit = new QPushButton(QStringLiteral("退出"), this);
    BtnExit->setObjectName(QStringLiteral("BtnExit"));
    buttons->addStretch(1);
    buttons->addWidget(BtnOK);
    buttons->addSpacing(30);
    buttons->addWidget(BtnExit);
    buttons->addStretch(1);
    outer->addLayout(buttons);

    setPrintModeIndex(0);
    connect(BtnOK, &QPushButton::clicked, this, ErrorGuard::wrap(this, [this](bool) { BtnOKClick(); }));
    connect(BtnExit, &QPushButton::clicked, this, ErrorGuard::wrap(this, [this](bool) { BtnExitClick(); }));
}

int TSysConfigFrm::printModeIndex() const {
    return RBPrintModeItems->checkedId();
}

void TSysConfigFrm::setPrintModeIndex(int index) {
    if (index < 0) {
        RBPrintModeItems->setExclusive(false);
        for (QAbstractButton* b : RBPrintModeItems->buttons())
            b->setChecked(false);
        RBPrintModeItems->setExclusive(true);
        return;
    }
    RBPrintModeItems->button(index)->setChecked(true);
}

void TSysConfigFrm::FillFromSettings() {
    ClearInputs(this);
    for (int i = 0; i < 3; ++i)
        if (AppGlobals.PrintMode == kModeCodes[size_t(i)])
            setPrintModeIndex(i);
    // The stored texts, not the rates in memory.
    const std::array<QLineEdit*, 6> edits{dxEdit1, dxEdit2, dxEdit3, dxEdit4, dxEdit5, dxEdit6};
    for (size_t i = 0; i < edits.size(); ++i)
        edits[i]->setText(GetParam(QString::fromLatin1(kRates[i].key)));
    CHTel->setChecked(AppGlobals.ShowTel);
}

void TSysConfigFrm::BtnOKClick() {
    const int mode = printModeIndex();
    if (mode >= 0) {
        SetParam(QStringLiteral("PrintModal"), QString::fromLatin1(kModeTexts[size_t(mode)]));
        AppGlobals.PrintMode = kModeCodes[size_t(mode)];
    }
    AppGlobals.ShowTel = CHTel->isChecked();
    SetParam(QStringLiteral("DisPlayTel"), CHTel->isChecked() ? QStringLiteral("1") : QStringLiteral("0"));

    const std::array<QLineEdit*, 6> edits{dxEdit1, dxEdit2, dxEdit3, dxEdit4, dxEdit5, dxEdit6};
    for (size_t i = 0; i < edits.size(); ++i) {
        const Rate& rate = kRates[i];
        const QString text = edits[i]->text();
        bool ok = false;
        const int value = text.toInt(&ok);
        // A bad rate keeps the value the program works with until the clerk corrects it.
        if (ok) {
            try {
                SetParam(QString::fromLatin1(rate.key), text);
            } catch (const std::exception&) {
                ok = false;
            }
        }
        if (ok)
            AppGlobals.*rate.field = value;
        else
            MessageBoxService::refuse(this, QString::fromUtf8(rate.error));
    }
    MessageBoxService::inform(this, QStringLiteral("保存成功！"));
    accept();
}

void TSysConfigFrm::BtnExitClick() {
    reject();
}

void ShowSysConfigForm() {
    auto dialog = std::make_unique<TSysConfigFrm>();
    dialog->FillFromSettings();
    ModalSeam::exec(dialog.get());
}
