#include "TUserAboutBox.h"

#include "ErrorGuard.h"
#include "ModalSeam.h"
#include "ProgramLauncher.h"
#include "ProgramLook.h"
#include "SystemInfo.h"

#include <QCoreApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QVBoxLayout>

#include <memory>

namespace {
// The maker's emblem: a house with a key, drawn so the box needs no picture file.
QPixmap emblem(const QSize& size) {
    QPixmap pm(size);
    pm.fill(QColor(0xF0, 0xE8, 0xD9));
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal w = size.width();
    const qreal h = size.height();
    QPainterPath roof;
    roof.moveTo(w * 0.12, h * 0.48);
    roof.lineTo(w * 0.5, h * 0.14);
    roof.lineTo(w * 0.88, h * 0.48);
    roof.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xB0, 0x3A, 0x2E));
    p.drawPath(roof);
    p.setBrush(QColor(0xFF, 0xFB, 0xE8));
    p.setPen(QPen(QColor(0x54, 0x7D, 0xAB), 2));
    p.drawRect(QRectF(w * 0.22, h * 0.46, w * 0.56, h * 0.4));
    p.setBrush(QColor(0x3C, 0x9E, 0xC4));
    p.drawRect(QRectF(w * 0.43, h * 0.62, w * 0.14, h * 0.24));
    p.drawRect(QRectF(w * 0.28, h * 0.53, w * 0.11, h * 0.1));
    p.drawRect(QRectF(w * 0.61, h * 0.53, w * 0.11, h * 0.1));
    return pm;
}

QLabel* linkLabel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, QColor(0, 0, 255));
    label->setPalette(pal);
    label->setCursor(Qt::PointingHandCursor);
    return label;
}
} // namespace

QString TUserAboutBox::supportMail() {
    return QStringLiteral("support@velmor.com.cn");
}

QString TUserAboutBox::webAddress() {
    return QStringLiteral("http://www.velmor.com.cn");
}

TUserAboutBox::TUserAboutBox(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("UserAboutBox"));
    setWindowTitle(QStringLiteral("关于系统"));
    setFont(ProgramLook::song(12));
    setFixedSize(393, 222);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(10, 10, 10, 8);
    outer->setSpacing(6);
    auto* top = new QHBoxLayout;
    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setFixedSize(96, 112);
    Image1->setFrameShape(QFrame::Box);
    Image1->setScaledContents(true);
    Image1->setPixmap(emblem(QSize(96, 112)));
    top->addWidget(Image1, 0, Qt::AlignTop);

    auto* right = new QVBoxLayout;
    right->setSpacing(3);
    Developper = new QLabel(QStringLiteral("管理系统"), this);
    Developper->setObjectName(QStringLiteral("Developper"));
    Developper->setFont(ProgramLook::kai(19, true));
    Developper->setCursor(Qt::PointingHandCursor);
    Developper->setToolTip(webAddress());
    right->addWidget(Developper);
    Copyright = new QLabel(QStringLiteral("版权所有 (C) 2003-2026 Velmor 软件工作室"), this);
    right->addWidget(Copyright);
    Label2 = new QLabel(QStringLiteral("技术支持：Velmor 软件工作室 客户服务部"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    right->addWidget(Label2);
    auto pair = [&](QLabel*& caption, const QString& captionText, QLabel*& value, const QString& valueText) {
        auto* line = new QHBoxLayout;
        line->setSpacing(0);
        caption = new QLabel(captionText, this);
        value = linkLabel(valueText, this);
        line->addWidget(caption);
        line->addWidget(value);
        line->addStretch(1);
        right->addLayout(line);
    };
    pair(Label4, QStringLiteral("E-mail: "), Label3, supportMail());
    pair(Label5, QStringLiteral("咨询电话: "), Label6, QStringLiteral("0571-86552047"));
    pair(Version, QStringLiteral("网址："), Label7, webAddress());
    right->addStretch(1);
    top->addLayout(right, 1);
    outer->addLayout(top, 1);

    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    outer->addWidget(line);
    OS = new QLabel(this);
    OS->setObjectName(QStringLiteral("OS"));
    outer->addWidget(OS);
    auto* bottom = new QHBoxLayout;
    LbMem = new QLabel(QStringLiteral("可用内存"), this);
    PhysMem = new QLabel(this);
    PhysMem->setObjectName(QStringLiteral("PhysMem"));
    PhysMem->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    PhysMem->setMinimumWidth(110);
    SBClose = new QPushButton(QStringLiteral("退出"), this);
    SBClose->setObjectName(QStringLiteral("SBClose"));
    SBClose->setFlat(true);
    bottom->addWidget(LbMem);
    bottom->addWidget(PhysMem);
    bottom->addStretch(1);
    bottom->addWidget(SBClose);
    outer->addLayout(bottom);

    for (QLabel* l : {Label3, Label4, Label5, Label6, Label7})
        l->installEventFilter(this);
    connect(SBClose, &QPushButton::clicked, this, ErrorGuard::wrap(this, [this](bool) { SBCloseClick(); }));
}

bool TUserAboutBox::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate)
        ErrorGuard::run(this, [this] { FormActivate(); });
    return QDialog::event(event);
}

bool TUserAboutBox::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        if (watched == Label7)
            ErrorGuard::run(this, [this] { Label7Click(); });
        else
            ErrorGuard::run(this, [this] { Label3Click(); });
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TUserAboutBox::FormActivate() {
    OS->setText(SystemInfo::osText());
    PhysMem->setText(SystemInfo::memoryText(SystemInfo::totalMemoryBytes()));
}

void TUserAboutBox::SBCloseClick() {
    close();
}

void TUserAboutBox::Label3Click() {
    // What the desktop does with the link is its own affair.
    ProgramLauncher::openUrl(QStringLiteral("mailto:") + supportMail());
}

void TUserAboutBox::Label7Click() {
    ProgramLauncher::openUrl(webAddress());
}

void ShowAboutBox() {
    auto box = std::make_unique<TUserAboutBox>();
    box->Developper->setText(QCoreApplication::applicationName());
    // Filled before showing too, so the box never shows empty lines on a desktop that activates late.
    box->FormActivate();
    ModalSeam::exec(box.get());
}
