#pragma once

#include "ReportTemplate.h"

#include <QDialog>

class DesignerPage;
class DesignerProperties;
class QComboBox;
class QLabel;
class QToolButton;

// The end-user designer: the bill's page to scale, a tool bar to add and delete items and a
// property panel. The template file is written only when the user saves.
class ReportDesigner : public QDialog {
    Q_OBJECT
public:
    // columns: the family's columns offered for fields; lockedLabels: labels the program fills,
    // which keep their names and cannot be deleted.
    ReportDesigner(const ReportTemplate& layout, const QString& path, const QStringList& columns,
                   const QStringList& lockedLabels = {}, QWidget* parent = nullptr);

    const ReportTemplate& layout() const { return m_layout; }
    bool isModified() const { return m_modified; }
    DesignerPage* page() const { return m_page; }
    DesignerProperties* properties() const { return m_properties; }

    void addLabel();
    void addField(const QString& column);
    void addLine();
    void addBox();
    void deleteSelected();
    bool save();

public slots:
    void done(int result) override;

private:
    // A new item of that kind with a free name and its starting size.
    ReportItem newItem(ReportItem::Kind kind, const QString& namePrefix, const QSizeF& size) const;
    void add(ReportItem item);
    void selectionChanged(int index);
    void itemEdited(const ReportItem& item);
    void setModified(bool on);
    void showStatus();
    bool isLocked(const QString& name) const;
    QToolButton* toolButton(const QString& caption, const QString& tip);

    ReportTemplate m_layout;
    QString m_path;
    QStringList m_columns;
    QStringList m_locked;
    bool m_modified = false;
    DesignerPage* m_page;
    DesignerProperties* m_properties;
    QComboBox* m_zoom;
    QToolButton* m_delete;
    QLabel* m_status;
};
