#pragma once

#include <QByteArray>
#include <QString>

#include <memory>
#include <vector>

// One row as read from the database, packed into a single block: a small header (null and
// wide-text flags, field offsets) followed by the fields. Numbers and dates are whole numbers in as
// few bytes as they need; text is Latin-1 when it can be and UTF-16 otherwise. Fields are decoded
// only when asked for, so a list of many rows costs little more than its text.
class BatchRow {
public:
    BatchRow() = default;

    bool isValid() const { return m_data != nullptr; }
    int columnCount() const;
    bool isNull(int column) const;
    qint64 integer(int column) const;
    QString string(int column) const;
    QByteArray bytes(int column) const;
    // Bytes the row occupies (for the benchmark's account).
    qsizetype byteSize() const;

    // Packs rows field by field; one builder serves any number of rows.
    class Builder {
    public:
        void start(int columns);
        void addNull();
        void addInteger(qint64 value);
        void addString(const QString& text);
        void addBytes(const QByteArray& bytes);
        BatchRow finish();

    private:
        void beginField();
        int m_columns = 0;
        int m_field = 0;
        std::vector<unsigned char> m_flags; // null bits, then wide bits
        std::vector<quint32> m_offsets;
        std::vector<char> m_payload;
    };

private:
    struct Layout;
    Layout layout() const;
    std::unique_ptr<char[]> m_data;
};
