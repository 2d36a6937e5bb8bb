#pragma once

#include <QList>
#include <QMetaObject>
#include <QPointer>
#include <QString>
#include <QVariant>

class BatchDataSet;
class FieldErrorTip;
class QEvent;
class QWidget;

// What every data-aware editor shares: the binding to one column of a batch data set, showing
// the current row's value (again after every row move and every change of that value), storing
// what the clerk types (the data set goes into edit), and refusing a value the column cannot
// hold with a message at the editor. A refused text stays in the editor, unstored, until the
// clerk corrects it or presses Esc; other editors and the data set keep everything typed.
class DbFieldBinding {
public:
    virtual ~DbFieldBinding();
    DbFieldBinding(const DbFieldBinding&) = delete;
    DbFieldBinding& operator=(const DbFieldBinding&) = delete;

    void bind(BatchDataSet* dataSet, const QString& column);
    BatchDataSet* dataSet() const;
    QString column() const { return m_column; }
    QWidget* editorWidget() const { return m_editor; }

    virtual void setReadOnly(bool readOnly) = 0;
    virtual bool isReadOnly() const = 0;

    // The refusal shown at the editor; empty while its text is accepted.
    QString errorText() const { return m_error; }
    // True while the editor holds a text that is not stored (refused, or incomplete like "-").
    bool hasRefusedText() const { return !m_error.isEmpty() || m_held; }
    // Drops a refused text and gives the column back the value it had before this edit (Esc).
    void revert();
    // Shows the current row's value again.
    void refresh();

protected:
    explicit DbFieldBinding(QWidget* editor);

    // Puts the current row's value into the editor (no store follows from it).
    virtual void showValue() = 0;
    // The data set was (re)opened: the column's kind and size are known now.
    virtual void columnChanged() {}

    // The clerk changed the text: stores it (numbers and dates checked); false when refused.
    bool storeText(const QString& text);
    // Stores a value; a null value empties the column. False when refused.
    bool storeValue(const QVariant& value);
    // Focus left or Enter: an incomplete text is refused now; an accepted one shows as stored.
    void finishEditing(const QString& text);
    // Esc drops a refused text. Call first from the editor's event(); true when handled.
    bool handleRevertKey(QEvent* event);
    // Shows a refusal at the editor.
    void showError(const QString& text);
    void clearError();

    bool isShowing() const { return m_showing; }
    bool hasCurrentRow() const;
    QString fieldText() const;
    QVariant fieldValue() const;
    bool isNumberColumn() const;
    bool isDateColumn() const;
    bool isTextColumn() const;
    int textLimit() const;
    // Background for read-only and refused states.
    void updateLook();

private:
    void connectDataSet();
    void disconnectDataSet();
    void onRowMoved();
    void onStateChanged();
    void beginSession();
    void onValueChanged(int firstRow, int lastRow, int firstColumn, int lastColumn);

    QWidget* m_editor;
    QPointer<BatchDataSet> m_dataSet;
    QString m_column;
    QList<QMetaObject::Connection> m_connections;
    QPointer<FieldErrorTip> m_tip;
    QString m_error;
    QString m_normalToolTip;
    bool m_held = false;
    bool m_showing = false;
    bool m_storing = false;
    bool m_lookSaved = false;
    // The column's value when the clerk began this edit; Esc on a refused text goes back to it.
    bool m_sessionActive = false;
    QVariant m_sessionValue;
    QVariant m_normalBase; // QBrush
};
