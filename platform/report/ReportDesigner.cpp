#include "ReportDesigner.h"

#include "DesignerPage.h"
#include "DesignerProperties.h"
#include "ErrorGuard.h"
#include "MessageBoxService.h"
#include "ReportError.h"

#include <QComboBox>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QScreen>
#include <QScrollArea>
#include <QSplitter>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
const QStringList SongTi{QStringLiteral("AR PL UMing CN"), QStringLiteral("宋体")};
} // namespace

ReportDesigner::ReportDesigner(const ReportTemplate& layout, const QString& path, const QStringList& columns,
                               const QStringList& lockedLabels, QWidget* parent)
    : QDialog(parent), m_layout(layout), m_path(path), m_columns(columns), m_locked(lockedLabels) {
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    setMinimumSize(600, 400);

    auto* bar = new QToolBar;
    bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    auto* label = toolButton(QStringLiteral("添加标签"), QStringLiteral("在页面上添加一段固定文字"));
    auto* field = toolButton(QStringLiteral("添加字段"), QStringLiteral("添加一个显示记录内容的字段"));
    auto* fieldMenu = new QMenu(field);
    for (const QString& column : m_columns)
        fieldMenu->addAction(column, this,
                             ErrorGuard::wrap(this, [this, column](bool) { addField(column); }));
    field->setMenu(fieldMenu);
    field->setPopupMode(QToolButton::InstantPopup);
    auto* line = toolButton(QStringLiteral("添加线条"), QStringLiteral("添加一条直线"));
    auto* box = toolButton(QStringLiteral("添加方框"), QStringLiteral("添加一个方框"));
    m_delete = toolButton(QStringLiteral("删除"), QStringLiteral("删除选中的项目 (Delete)"));
    auto* saveButton = toolButton(QStringLiteral("保存"), QStringLiteral("保存模板 (Ctrl+S)"));
    saveButton->setShortcut(QKeySequence::Save);
    auto* closeButton = toolButton(QStringLiteral("关闭"), QStringLiteral("关闭设计窗口"));
    m_zoom = new QComboBox;
    m_zoom->setAccessibleName(QStringLiteral("显示比例"));
    for (int percent : {50, 75, 100, 125, 150, 200})
        m_zoom->addItem(QStringLiteral("%1%").arg(percent), percent);
    m_zoom->setCurrentIndex(2);
    for (QToolButton* b : {label, field, line, box})
        bar->addWidget(b);
    bar->addSeparator();
    bar->addWidget(m_delete);
    bar->addSeparator();
    bar->addWidget(saveButton);
    bar->addWidget(closeButton);
    bar->addSeparator();
    bar->addWidget(new QLabel(QStringLiteral(" 显示比例: ")));
    bar->addWidget(m_zoom);

    m_page = new DesignerPage(&m_layout);
    auto* scroll = new QScrollArea;
    scroll->setWidget(m_page);
    scroll->setAlignment(Qt::AlignHCenter);
    scroll->setBackgroundRole(QPalette::Dark);
    m_page->setZoom(96.0 / 25.4);

    m_properties = new DesignerProperties(m_columns);
    auto* side = new QScrollArea;
    side->setWidget(m_properties);
    side->setWidgetResizable(true);
    side->setMinimumWidth(290);

    auto* splitter = new QSplitter;
    splitter->addWidget(scroll);
    splitter->addWidget(side);
    splitter->setStretchFactor(0, 1);
    splitter->setChildrenCollapsible(false);

    m_status = new QLabel;
    m_status->setContentsMargins(6, 2, 6, 2);
    auto* v = new QVBoxLayout(this);
    v->setContentsMargins(0, 0, 0, 0);
    v->setSpacing(0);
    v->addWidget(bar);
    v->addWidget(splitter, 1);
    v->addWidget(m_status);

    connect(label, &QToolButton::clicked, this, ErrorGuard::wrap(this, [this](bool) { addLabel(); }));
    connect(line, &QToolButton::clicked, this, ErrorGuard::wrap(this, [this](bool) { addLine(); }));
    connect(box, &QToolButton::clicked, this, ErrorGuard::wrap(this, [this](bool) { addBox(); }));
    connect(m_delete, &QToolButton::clicked, this,
            ErrorGuard::wrap(this, [this](bool) { deleteSelected(); }));
    connect(saveButton, &QToolButton::clicked, this, ErrorGuard::wrap(this, [this](bool) { save(); }));
    connect(closeButton, &QToolButton::clicked, this, &QDialog::reject);
    connect(m_zoom, &QComboBox::currentIndexChanged, this, ErrorGuard::wrap(this, [this](int) {
                m_page->setZoom(m_zoom->currentData().toInt() / 100.0 * 96.0 / 25.4);
            }));
    connect(m_page, &DesignerPage::selectionChanged, this,
            ErrorGuard::wrap(this, [this](int index) { selectionChanged(index); }));
    connect(m_page, &DesignerPage::geometryChanged, this, ErrorGuard::wrap(this, [this](int index) {
                setModified(true);
                selectionChanged(index);
            }));
    connect(m_page, &DesignerPage::deleteRequested, this,
            ErrorGuard::wrap(this, [this] { deleteSelected(); }));
    connect(m_properties, &DesignerProperties::itemEdited, this,
            ErrorGuard::wrap(this, [this](const ReportItem& item) { itemEdited(item); }));

    // Roomy enough to see a column of the page beside the panel, centred on the screen.
    QSize size(1120, 800);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        size = size.boundedTo(screen->availableSize() * 0.95);
        resize(size);
        move(screen->availableGeometry().center() - rect().center());
    } else {
        resize(size);
    }
    setModified(false);
    selectionChanged(-1);
}

QToolButton* ReportDesigner::toolButton(const QString& caption, const QString& tip) {
    auto* b = new QToolButton;
    b->setText(caption);
    b->setToolTip(tip);
    b->setAccessibleName(caption);
    b->setObjectName(caption);
    b->setToolButtonStyle(Qt::ToolButtonTextOnly);
    b->setMinimumWidth(72);
    return b;
}

bool ReportDesigner::isLocked(const QString& name) const {
    return m_locked.contains(name, Qt::CaseInsensitive);
}

void ReportDesigner::add(ReportItem item) {
    // New items appear near the top left, each a little below the last one added.
    static int cascade = 0;
    const double offset = 5.0 * (cascade++ % 8);
    item.rect.moveTopLeft(QPointF(10.0 + offset, 10.0 + offset));
    m_layout.items.append(item);
    setModified(true);
    m_page->update();
    m_page->select(int(m_layout.items.size()) - 1);
    m_page->setFocus();
}

ReportItem ReportDesigner::newItem(ReportItem::Kind kind, const QString& namePrefix,
                                   const QSizeF& size) const {
    ReportItem item;
    item.kind = kind;
    item.name = m_layout.freeName(namePrefix);
    item.rect.setSize(size);
    return item;
}

void ReportDesigner::addLabel() {
    ReportItem item = newItem(ReportItem::Kind::Label, QStringLiteral("Label"), QSizeF(30, 6));
    item.text = QStringLiteral("标签");
    item.fontFamilies = SongTi;
    add(item);
}

void ReportDesigner::addField(const QString& column) {
    ReportItem item = newItem(ReportItem::Kind::Field, QStringLiteral("Field"), QSizeF(40, 6));
    item.column = column;
    item.fontFamilies = SongTi;
    add(item);
}

void ReportDesigner::addLine() {
    add(newItem(ReportItem::Kind::Line, QStringLiteral("Line"), QSizeF(50, 0)));
}

void ReportDesigner::addBox() {
    add(newItem(ReportItem::Kind::Box, QStringLiteral("Box"), QSizeF(50, 20)));
}

void ReportDesigner::deleteSelected() {
    const int index = m_page->selected();
    if (index < 0)
        return;
    const QString name = m_layout.items[index].name;
    if (isLocked(name)) {
        MessageBoxService::refuse(this, QStringLiteral("标签 %1 由程序填写内容,不能删除!!!").arg(name));
        return;
    }
    m_page->select(-1);
    m_layout.items.removeAt(index);
    setModified(true);
    m_page->update();
}

bool ReportDesigner::save() {
    m_layout.save(m_path);
    setModified(false);
    m_status->setText(QStringLiteral("模板已保存到 %1").arg(QFileInfo(m_path).absoluteFilePath()));
    return true;
}

void ReportDesigner::done(int result) {
    if (m_modified) {
        const MsgAnswer answer =
            MessageBoxService::show(this, QStringLiteral("确认"), QStringLiteral("报表模板已修改,要保存吗？"),
                                    MsgIcon::Question, MsgButtons::YesNoCancel);
        if (answer == MsgAnswer::Cancel)
            return;
        if (answer == MsgAnswer::Yes && !ErrorGuard::run(this, [this] { save(); }))
            return;
    }
    QDialog::done(result);
}

void ReportDesigner::selectionChanged(int index) {
    const ReportItem* item = index >= 0 ? &m_layout.items[index] : nullptr;
    m_properties->setItem(item, item && isLocked(item->name));
    m_delete->setEnabled(item != nullptr);
    showStatus();
}

void ReportDesigner::showStatus() {
    const int index = m_page->selected();
    if (index < 0) {
        m_status->setText(QStringLiteral("单击项目选中;拖动或用方向键移动,Shift+方向键改变大小,Ctrl 微调。"));
        return;
    }
    const ReportItem& item = m_layout.items[index];
    m_status->setText(QStringLiteral("%1  位置 %2, %3 毫米  大小 %4 × %5 毫米")
                          .arg(item.name)
                          .arg(item.rect.x(), 0, 'f', 1)
                          .arg(item.rect.y(), 0, 'f', 1)
                          .arg(item.rect.width(), 0, 'f', 1)
                          .arg(item.rect.height(), 0, 'f', 1));
}

void ReportDesigner::itemEdited(const ReportItem& item) {
    const int index = m_page->selected();
    if (index < 0)
        return;
    ReportItem changed = item;
    const QString oldName = m_layout.items[index].name;
    if (changed.name != oldName) {
        const int other = m_layout.indexOf(changed.name);
        if (changed.name.isEmpty() || isLocked(oldName) || (other >= 0 && other != index))
            changed.name = oldName; // names stay unique; the panel shows the kept one on the next refresh
    }
    m_layout.items[index] = changed;
    setModified(true);
    m_page->update();
    showStatus();
}

void ReportDesigner::setModified(bool on) {
    m_modified = on;
    setWindowTitle(QStringLiteral("报表设计 - %1%2")
                       .arg(QFileInfo(m_path).fileName(), on ? QStringLiteral(" *") : QString()));
}
