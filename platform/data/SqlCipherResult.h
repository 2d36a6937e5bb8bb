#pragma once

#include <QPointer>
#include <QSqlRecord>
#include <QSqlResult>
#include <QVariant>

#include <vector>

struct sqlite3;
struct sqlite3_stmt;
class SqlCipherDriver;

// One statement on the SQLCipher file. Forward-only reads hand out values straight from the current
// row; scrollable reads keep the rows read so far.
class SqlCipherResult : public QSqlResult {
public:
    explicit SqlCipherResult(const SqlCipherDriver* driver);
    ~SqlCipherResult() override;

    // Releases the statement (the driver closes).
    void finalize();

    // What the declared type of a column says about its values.
    enum class Kind { Dynamic, Integer, Real, Text, Date, Boolean, Blob };
    static Kind kindOf(const QByteArray& declaredType, int* length, int* precision);

protected:
    QVariant data(int i) override;
    bool isNull(int i) override;
    bool reset(const QString& query) override;
    bool prepare(const QString& query) override;
    bool exec() override;
    bool fetch(int i) override;
    bool fetchNext() override;
    bool fetchFirst() override;
    bool fetchLast() override;
    int size() override { return -1; }
    int numRowsAffected() override { return m_rowsAffected; }
    QSqlRecord record() const override;
    QVariant lastInsertId() const override;
    QVariant handle() const override;
    void detachFromResultSet() override;
    void setForwardOnly(bool forward) override;

private:
    bool bindAll();
    bool firstStep();
    // Steps to the next row; false at the end (statement then reset) or on error.
    bool step();
    QVariant columnValue(int i) const;
    void cacheCurrentRow();
    void clearResult();
    void setError(const QString& text, int code);

    // The driver may go before its results (a connection removed while a query object lives).
    QPointer<SqlCipherDriver> m_driver;
    sqlite3* connection() const;
    sqlite3_stmt* m_stmt = nullptr;
    QSqlRecord m_record;
    std::vector<Kind> m_kinds;
    std::vector<QMetaType> m_types;
    // Scrollable reads (and forward-only last()) keep rows here, m_columns values per row.
    std::vector<QVariant> m_cache;
    int m_columns = 0;
    int m_cachedRows = 0;
    int m_cacheBase = 0;       // row number of the first kept row
    bool m_rowPending = false; // the statement stands on a row not yet handed out
    bool m_done = true;        // the statement has no more rows
    bool m_useCache = false;
    int m_rowsAffected = -1;
    qint64 m_lastInsertId = 0;
    bool m_hasInsertId = false;
};
