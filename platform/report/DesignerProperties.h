#pragma once

#include "ReportItem.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QFormLayout;
class QLineEdit;

// The designer's property panel: shows the selected item and hands every change back as the
// whole edited item.
class DesignerProperties : public QWidget {
    Q_OBJECT
public:
    explicit DesignerProperties(const QStringList& columns, QWidget* parent = nullptr);

    void setItem(const ReportItem* item, bool nameLocked = false);
    // The font families a font choice stands for ("宋体" and "楷体" are looks with fallbacks).
    static QStringList familiesFor(const QString& choice);
    static QString choiceFor(const QStringList& families);

signals:
    void itemEdited(const ReportItem& item);

private:
    void edited();
    void addRow(const QString& caption, QWidget* editor);
    void setRowVisible(QWidget* editor, bool visible);
    QDoubleSpinBox* millimetres(double maximum);

    ReportItem m_item;
    bool m_hasItem = false;
    bool m_loading = false;
    QWidget* m_hint;
    QFormLayout* m_form;
    QLineEdit* m_kind;
    QLineEdit* m_name;
    QLineEdit* m_text;
    QComboBox* m_column;
    QComboBox* m_format;
    QComboBox* m_font;
    QDoubleSpinBox* m_size;
    QCheckBox* m_bold;
    QCheckBox* m_italic;
    QCheckBox* m_underline;
    QComboBox* m_align;
    QComboBox* m_valign;
    QCheckBox* m_wrap;
    QDoubleSpinBox* m_padding;
    QDoubleSpinBox* m_x;
    QDoubleSpinBox* m_y;
    QDoubleSpinBox* m_width;
    QDoubleSpinBox* m_height;
    QDoubleSpinBox* m_pen;
    QLineEdit* m_fill;
    QLineEdit* m_file;
};
