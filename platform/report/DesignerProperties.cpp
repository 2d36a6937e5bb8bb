#include "DesignerProperties.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

namespace {
struct Look {
    const char* name;
    QStringList families;
};
const QList<Look>& looks() {
    static const QList<Look> list{
        {"宋体", {QStringLiteral("AR PL UMing CN"), QStringLiteral("宋体")}},
        {"楷体", {QStringLiteral("AR PL UKai CN"), QStringLiteral("楷体_GB2312"), QStringLiteral("楷体")}},
    };
    return list;
}

const char* const Kinds[] = {"标签", "字段", "线条", "方框", "图片"};

struct Choice {
    const char* caption;
    Qt::AlignmentFlag flag;
};
const Choice Horizontal[] = {
    {"左对齐", Qt::AlignLeft}, {"居中", Qt::AlignHCenter}, {"右对齐", Qt::AlignRight}};
const Choice Vertical[] = {{"靠上", Qt::AlignTop}, {"居中", Qt::AlignVCenter}, {"靠下", Qt::AlignBottom}};
} // namespace

QStringList DesignerProperties::familiesFor(const QString& choice) {
    for (const Look& look : looks())
        if (choice == QString::fromUtf8(look.name))
            return look.families;
    return choice.isEmpty() ? QStringList() : QStringList{choice};
}

QString DesignerProperties::choiceFor(const QStringList& families) {
    for (const Look& look : looks())
        if (families == look.families)
            return QString::fromUtf8(look.name);
    return families.value(0);
}

DesignerProperties::DesignerProperties(const QStringList& columns, QWidget* parent) : QWidget(parent) {
    m_form = new QFormLayout(this);
    m_form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    m_form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);

    m_kind = new QLineEdit;
    m_kind->setReadOnly(true);
    m_name = new QLineEdit;
    m_text = new QLineEdit;
    m_column = new QComboBox;
    m_column->addItems(columns);
    m_format = new QComboBox;
    m_format->setEditable(true);
    m_format->addItems({QString(), QStringLiteral("date:yyyy-MM-dd"), QStringLiteral("date:yyyy年M月d日"),
                        QStringLiteral("money:2"), QStringLiteral("money:0"), QStringLiteral("number:0"),
                        QStringLiteral("yesno")});
    m_font = new QComboBox;
    for (const Look& look : looks())
        m_font->addItem(QString::fromUtf8(look.name));
    m_font->insertSeparator(m_font->count());
    m_font->addItems(QFontDatabase::families());
    m_size = new QDoubleSpinBox;
    m_size->setRange(4, 72);
    m_size->setSingleStep(0.5);
    m_size->setDecimals(1);
    m_size->setSuffix(QStringLiteral(" 磅"));
    m_bold = new QCheckBox(QStringLiteral("粗体"));
    m_italic = new QCheckBox(QStringLiteral("斜体"));
    m_underline = new QCheckBox(QStringLiteral("下划线"));
    m_align = new QComboBox;
    for (const Choice& c : Horizontal)
        m_align->addItem(QString::fromUtf8(c.caption));
    m_valign = new QComboBox;
    for (const Choice& c : Vertical)
        m_valign->addItem(QString::fromUtf8(c.caption));
    m_wrap = new QCheckBox(QStringLiteral("自动换行"));
    m_padding = millimetres(20);
    m_x = millimetres(1000);
    m_x->setMinimum(-100);
    m_y = millimetres(1000);
    m_y->setMinimum(-100);
    m_width = millimetres(1000);
    m_height = millimetres(1000);
    m_pen = millimetres(10);
    m_pen->setSingleStep(0.1);
    m_fill = new QLineEdit;
    m_fill->setPlaceholderText(QStringLiteral("#rrggbb,空为不填充"));
    m_file = new QLineEdit;

    auto* hint = new QLabel(QStringLiteral("在页面上单击一个项目,这里显示它的属性。"));
    hint->setWordWrap(true);
    m_hint = hint;
    m_form->addRow(hint);
    addRow(QStringLiteral("类型"), m_kind);
    addRow(QStringLiteral("名称"), m_name);
    addRow(QStringLiteral("文字"), m_text);
    addRow(QStringLiteral("字段"), m_column);
    addRow(QStringLiteral("格式"), m_format);
    addRow(QStringLiteral("字体"), m_font);
    addRow(QStringLiteral("字号"), m_size);
    addRow(QString(), m_bold);
    addRow(QString(), m_italic);
    addRow(QString(), m_underline);
    addRow(QStringLiteral("水平对齐"), m_align);
    addRow(QStringLiteral("垂直对齐"), m_valign);
    addRow(QString(), m_wrap);
    addRow(QStringLiteral("左右留白"), m_padding);
    addRow(QStringLiteral("左侧位置"), m_x);
    addRow(QStringLiteral("顶端位置"), m_y);
    addRow(QStringLiteral("宽度"), m_width);
    addRow(QStringLiteral("高度"), m_height);
    addRow(QStringLiteral("线宽"), m_pen);
    addRow(QStringLiteral("填充颜色"), m_fill);
    addRow(QStringLiteral("图片文件"), m_file);

    for (QLineEdit* e : {m_name, m_text, m_fill, m_file})
        connect(e, &QLineEdit::textEdited, this, &DesignerProperties::edited);
    connect(m_column, &QComboBox::currentIndexChanged, this, &DesignerProperties::edited);
    connect(m_format, &QComboBox::currentTextChanged, this, &DesignerProperties::edited);
    connect(m_font, &QComboBox::currentIndexChanged, this, &DesignerProperties::edited);
    for (QComboBox* c : {m_align, m_valign})
        connect(c, &QComboBox::currentIndexChanged, this, &DesignerProperties::edited);
    for (QCheckBox* c : {m_bold, m_italic, m_underline, m_wrap})
        connect(c, &QCheckBox::toggled, this, &DesignerProperties::edited);
    for (QDoubleSpinBox* s : {m_size, m_padding, m_x, m_y, m_width, m_height, m_pen})
        connect(s, &QDoubleSpinBox::valueChanged, this, &DesignerProperties::edited);
    setItem(nullptr);
}

QDoubleSpinBox* DesignerProperties::millimetres(double maximum) {
    auto* s = new QDoubleSpinBox;
    s->setRange(0, maximum);
    s->setDecimals(2);
    s->setSingleStep(0.5);
    s->setSuffix(QStringLiteral(" 毫米"));
    return s;
}

void DesignerProperties::addRow(const QString& caption, QWidget* editor) {
    // Accessible names as everywhere in the program: the label's text, or the check box's caption.
    if (caption.isEmpty()) {
        editor->setAccessibleName(static_cast<QCheckBox*>(editor)->text());
        m_form->addRow(editor);
        return;
    }
    editor->setAccessibleName(caption);
    editor->setObjectName(caption);
    auto* label = new QLabel(caption + QStringLiteral(":"));
    label->setBuddy(editor);
    m_form->addRow(label, editor);
}

void DesignerProperties::setRowVisible(QWidget* editor, bool visible) {
    m_form->setRowVisible(editor, visible);
}

void DesignerProperties::setItem(const ReportItem* item, bool nameLocked) {
    m_loading = true;
    const bool any = item != nullptr;
    m_item = any ? *item : ReportItem();
    m_hasItem = any;
    setRowVisible(m_hint, !any);
    const bool text = any && m_item.isText();
    const bool field = any && m_item.kind == ReportItem::Kind::Field;

    setRowVisible(m_kind, any);
    setRowVisible(m_name, any);
    setRowVisible(m_text, any && m_item.kind == ReportItem::Kind::Label);
    setRowVisible(m_column, field);
    setRowVisible(m_format, field);
    for (QWidget* w : std::initializer_list<QWidget*>{m_font, m_size, m_bold, m_italic, m_underline, m_align,
                                                      m_valign, m_wrap, m_padding})
        setRowVisible(w, text);
    for (QWidget* w : std::initializer_list<QWidget*>{m_x, m_y, m_width, m_height})
        setRowVisible(w, any);
    setRowVisible(m_pen, any && !text);
    setRowVisible(m_fill, any && m_item.kind == ReportItem::Kind::Box);
    setRowVisible(m_file, any && m_item.kind == ReportItem::Kind::Picture);

    if (any) {
        m_kind->setText(QString::fromUtf8(Kinds[int(m_item.kind)]));
        m_name->setText(m_item.name);
        m_name->setReadOnly(nameLocked);
        m_text->setText(m_item.text);
        int c = m_column->findText(m_item.column);
        if (c < 0 && field) {
            m_column->addItem(m_item.column);
            c = m_column->count() - 1;
        }
        m_column->setCurrentIndex(c);
        m_format->setCurrentText(m_item.format);
        const QString font = choiceFor(m_item.fontFamilies);
        int f = m_font->findText(font);
        if (f < 0 && !font.isEmpty()) {
            m_font->addItem(font);
            f = m_font->count() - 1;
        }
        m_font->setCurrentIndex(f);
        m_size->setValue(m_item.fontSize);
        m_bold->setChecked(m_item.bold);
        m_italic->setChecked(m_item.italic);
        m_underline->setChecked(m_item.underline);
        for (int i = 0; i < 3; ++i) {
            if (m_item.alignment & Horizontal[i].flag)
                m_align->setCurrentIndex(i);
            if (m_item.alignment & Vertical[i].flag)
                m_valign->setCurrentIndex(i);
        }
        m_wrap->setChecked(m_item.wordWrap);
        m_padding->setValue(m_item.padding);
        m_x->setValue(m_item.rect.x());
        m_y->setValue(m_item.rect.y());
        m_width->setValue(m_item.rect.width());
        m_height->setValue(m_item.rect.height());
        m_pen->setValue(m_item.penWidth);
        m_fill->setText(m_item.fill);
        m_file->setText(m_item.file);
    }
    m_loading = false;
}

void DesignerProperties::edited() {
    if (m_loading || !m_hasItem)
        return;
    ReportItem& i = m_item;
    i.name = m_name->text().trimmed();
    if (i.kind == ReportItem::Kind::Label)
        i.text = m_text->text();
    if (i.kind == ReportItem::Kind::Field) {
        if (!m_column->currentText().isEmpty())
            i.column = m_column->currentText();
        i.format = m_format->currentText().trimmed();
    }
    if (i.isText()) {
        if (!m_font->currentText().isEmpty())
            i.fontFamilies = familiesFor(m_font->currentText());
        i.fontSize = m_size->value();
        i.bold = m_bold->isChecked();
        i.italic = m_italic->isChecked();
        i.underline = m_underline->isChecked();
        i.alignment = Horizontal[qMax(0, m_align->currentIndex())].flag |
                      Vertical[qMax(0, m_valign->currentIndex())].flag;
        i.wordWrap = m_wrap->isChecked();
        i.padding = m_padding->value();
    } else {
        i.penWidth = m_pen->value();
    }
    if (i.kind == ReportItem::Kind::Box)
        i.fill = m_fill->text().trimmed();
    if (i.kind == ReportItem::Kind::Picture)
        i.file = m_file->text().trimmed();
    i.rect = QRectF(m_x->value(), m_y->value(), m_width->value(), m_height->value());
    emit itemEdited(i);
}
