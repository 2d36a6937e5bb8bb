#include "SqlCipherResult.h"

#include "SqlCipherDriver.h"

#include <QDate>
#include <QDateTime>
#include <QElapsedTimer>
#include <QSqlError>
#include <QSqlField>

#include <sqlcipher/sqlite3.h>

#include <limits>

namespace {

// The number(s) in a declared type such as "VARCHAR(20)" or "DECIMAL(19,4)".
void sizesOf(const QByteArray& declared, int* first, int* second) {
    const qsizetype open = declared.indexOf('(');
    const qsizetype close = declared.indexOf(')', open);
    if (open < 0 || close < 0)
        return;
    const QList<QByteArray> parts = declared.mid(open + 1, close - open - 1).split(',');
    bool ok = false;
    const int a = parts.value(0).trimmed().toInt(&ok);
    if (ok && first)
        *first = a;
    if (parts.size() > 1) {
        const int b = parts.value(1).trimmed().toInt(&ok);
        if (ok && second)
            *second = b;
    }
}

QMetaType metaTypeOf(SqlCipherResult::Kind kind, int dynamicType) {
    switch (kind) {
    case SqlCipherResult::Kind::Integer:
        return QMetaType(QMetaType::Int);
    case SqlCipherResult::Kind::Real:
        return QMetaType(QMetaType::Double);
    case SqlCipherResult::Kind::Text:
        return QMetaType(QMetaType::QString);
    case SqlCipherResult::Kind::Date:
        return QMetaType(QMetaType::QDate);
    case SqlCipherResult::Kind::Boolean:
        return QMetaType(QMetaType::Bool);
    case SqlCipherResult::Kind::Blob:
        return QMetaType(QMetaType::QByteArray);
    case SqlCipherResult::Kind::Dynamic:
        break;
    }
    switch (dynamicType) {
    case SQLITE_INTEGER:
        return QMetaType(QMetaType::LongLong);
    case SQLITE_FLOAT:
        return QMetaType(QMetaType::Double);
    case SQLITE_BLOB:
        return QMetaType(QMetaType::QByteArray);
    default:
        return QMetaType(QMetaType::QString);
    }
}

// "yyyy-MM-dd" without going through the general date parser (date columns are read a lot).
QDate isoDate(const unsigned char* s, int n) {
    if (n != 10 || s[4] != '-' || s[7] != '-')
        return QDate();
    auto digits = [s](int from, int count) {
        int v = 0;
        for (int i = from; i < from + count; ++i) {
            if (s[i] < '0' || s[i] > '9')
                return -1;
            v = v * 10 + (s[i] - '0');
        }
        return v;
    };
    const int y = digits(0, 4);
    const int m = digits(5, 2);
    const int d = digits(8, 2);
    if (y < 0 || m < 0 || d < 0)
        return QDate();
    return QDate(y, m, d);
}

} // namespace

SqlCipherResult::SqlCipherResult(const SqlCipherDriver* driver)
    : QSqlResult(driver), m_driver(const_cast<SqlCipherDriver*>(driver)) {
    m_driver->m_results.append(this);
}

SqlCipherResult::~SqlCipherResult() {
    finalize();
    if (m_driver)
        m_driver->m_results.removeOne(this);
}

sqlite3* SqlCipherResult::connection() const {
    return m_driver ? m_driver->connectionHandle() : nullptr;
}

SqlCipherResult::Kind SqlCipherResult::kindOf(const QByteArray& declaredType, int* length, int* precision) {
    const QByteArray t = declaredType.trimmed().toUpper();
    if (length)
        *length = -1;
    if (precision)
        *precision = -1;
    if (t.isEmpty())
        return Kind::Dynamic;
    if (t.startsWith("BOOL") || t == "BIT")
        return Kind::Boolean;
    if (t.contains("INT"))
        return Kind::Integer;
    if (t.startsWith("DATE") || t.startsWith("TIME"))
        return Kind::Date;
    if (t.contains("CHAR") || t.contains("TEXT") || t.contains("CLOB")) {
        sizesOf(t, length, nullptr);
        return Kind::Text;
    }
    if (t.contains("BLOB"))
        return Kind::Blob;
    if (t.startsWith("DEC") || t.startsWith("NUM") || t.contains("MONEY") || t.contains("REAL") ||
        t.contains("FLOA") || t.contains("DOUB")) {
        sizesOf(t, length, precision);
        return Kind::Real;
    }
    return Kind::Dynamic;
}

void SqlCipherResult::finalize() {
    if (m_stmt) {
        sqlite3_finalize(m_stmt);
        m_stmt = nullptr;
    }
    m_rowPending = false;
    m_done = true;
}

void SqlCipherResult::clearResult() {
    m_cache.clear();
    m_cachedRows = 0;
    m_cacheBase = 0;
    m_rowPending = false;
    m_done = true;
    m_useCache = !isForwardOnly();
    m_rowsAffected = -1;
    m_hasInsertId = false;
    setAt(QSql::BeforeFirstRow);
    setSelect(false);
    setActive(false);
}

void SqlCipherResult::setError(const QString& text, int code) {
    sqlite3* db = connection();
    const QString engine =
        db ? QString::fromUtf8(sqlite3_errmsg(db)) : QString::fromUtf8(sqlite3_errstr(code));
    setLastError(QSqlError(text, engine, QSqlError::StatementError, QString::number(code)));
}

bool SqlCipherResult::reset(const QString& query) {
    if (!prepare(query))
        return false;
    return exec();
}

bool SqlCipherResult::prepare(const QString& query) {
    finalize();
    clearResult();
    m_record = QSqlRecord();
    m_kinds.clear();
    m_types.clear();
    m_columns = 0;
    sqlite3* db = connection();
    if (!db) {
        setLastError(QSqlError(QStringLiteral("数据库没有打开"), QString(), QSqlError::ConnectionError));
        return false;
    }
    const char16_t* tail = nullptr;
    const int rc = sqlite3_prepare16_v2(db, query.utf16(), int(query.size() * sizeof(char16_t)), &m_stmt,
                                        reinterpret_cast<const void**>(&tail));
    if (rc != SQLITE_OK) {
        setError(QStringLiteral("语句无法执行"), rc);
        finalize();
        return false;
    }
    // More than one statement would silently run only the first.
    if (tail) {
        const QString rest = QString::fromUtf16(tail).trimmed();
        if (!rest.isEmpty() && rest != QStringLiteral(";")) {
            setLastError(QSqlError(QStringLiteral("语句无法执行"), QStringLiteral("一次只能执行一条语句"),
                                   QSqlError::StatementError));
            finalize();
            return false;
        }
    }
    m_columns = m_stmt ? sqlite3_column_count(m_stmt) : 0;
    m_kinds.resize(m_columns);
    m_types.resize(m_columns);
    for (int i = 0; i < m_columns; ++i) {
        int length = -1;
        int precision = -1;
        const char* declared = sqlite3_column_decltype(m_stmt, i);
        m_kinds[i] = kindOf(QByteArray(declared ? declared : ""), &length, &precision);
        m_types[i] = metaTypeOf(m_kinds[i], SQLITE_NULL);
        QSqlField field(QString::fromUtf8(sqlite3_column_name(m_stmt, i)), m_types[i]);
        if (const char* table = sqlite3_column_table_name(m_stmt, i))
            field.setTableName(QString::fromUtf8(table));
        field.setLength(length);
        field.setPrecision(precision);
        field.setSqlType(int(m_kinds[i]));
        m_record.append(field);
    }
    return true;
}

bool SqlCipherResult::bindAll() {
    const QVariantList values = boundValues();
    const int expected = sqlite3_bind_parameter_count(m_stmt);
    if (int(values.size()) != expected) {
        setLastError(
            QSqlError(QStringLiteral("参数个数不符"),
                      QStringLiteral("语句需要 %1 个参数，给了 %2 个").arg(expected).arg(values.size()),
                      QSqlError::StatementError));
        return false;
    }
    for (int i = 0; i < expected; ++i) {
        const QVariant& v = values.at(i);
        const int index = i + 1;
        int rc = SQLITE_OK;
        if (v.isNull()) {
            rc = sqlite3_bind_null(m_stmt, index);
        } else {
            switch (v.typeId()) {
            case QMetaType::Bool:
                rc = sqlite3_bind_int(m_stmt, index, v.toBool() ? 1 : 0);
                break;
            case QMetaType::Int:
            case QMetaType::UInt:
            case QMetaType::Short:
            case QMetaType::UShort:
            case QMetaType::Char:
            case QMetaType::SChar:
            case QMetaType::UChar:
            case QMetaType::Long:
            case QMetaType::LongLong:
            case QMetaType::ULong:
            case QMetaType::ULongLong:
                rc = sqlite3_bind_int64(m_stmt, index, v.toLongLong());
                break;
            case QMetaType::Double:
            case QMetaType::Float:
                rc = sqlite3_bind_double(m_stmt, index, v.toDouble());
                break;
            case QMetaType::QByteArray: {
                const QByteArray bytes = v.toByteArray();
                rc = sqlite3_bind_blob(m_stmt, index, bytes.constData(), int(bytes.size()), SQLITE_TRANSIENT);
                break;
            }
            case QMetaType::QDate: {
                // Dates live in the file as "yyyy-MM-dd" texts, so they compare and sort as dates.
                const QByteArray text = v.toDate().toString(QStringLiteral("yyyy-MM-dd")).toUtf8();
                rc = sqlite3_bind_text(m_stmt, index, text.constData(), int(text.size()), SQLITE_TRANSIENT);
                break;
            }
            case QMetaType::QDateTime: {
                const QByteArray text =
                    v.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")).toUtf8();
                rc = sqlite3_bind_text(m_stmt, index, text.constData(), int(text.size()), SQLITE_TRANSIENT);
                break;
            }
            default: {
                const QString text = v.toString();
                rc = sqlite3_bind_text16(m_stmt, index, text.utf16(), int(text.size() * sizeof(char16_t)),
                                         SQLITE_TRANSIENT);
                break;
            }
            }
        }
        if (rc != SQLITE_OK) {
            setError(QStringLiteral("参数无法绑定"), rc);
            return false;
        }
    }
    return true;
}

bool SqlCipherResult::exec() {
    if (!m_stmt) {
        setLastError(QSqlError(QStringLiteral("语句没有准备"), QString(), QSqlError::StatementError));
        return false;
    }
    sqlite3_reset(m_stmt);
    sqlite3_clear_bindings(m_stmt);
    clearResult();
    if (!bindAll())
        return false;
    return firstStep();
}

bool SqlCipherResult::firstStep() {
    sqlite3* db = connection();
    int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_BUSY && sqlite3_get_autocommit(db) && !sqlite3_stmt_readonly(m_stmt)) {
        // Two writers outside a transaction can each hold what the other waits for; SQLite then
        // answers "busy" at once instead of waiting. Our statement has let go of its locks, so the
        // other writer finishes and we try again, within the busy time-out.
        QElapsedTimer waited;
        waited.start();
        while (rc == SQLITE_BUSY && waited.elapsed() < m_driver->busyTimeout()) {
            sqlite3_reset(m_stmt);
            sqlite3_sleep(10);
            rc = sqlite3_step(m_stmt);
        }
    }
    if (rc == SQLITE_ROW) {
        m_rowPending = true;
        m_done = false;
        // Expression columns take their type from the first row.
        for (int i = 0; i < m_columns; ++i)
            if (m_kinds[i] == Kind::Dynamic) {
                m_types[i] = metaTypeOf(Kind::Dynamic, sqlite3_column_type(m_stmt, i));
                QSqlField field = m_record.field(i);
                field.setMetaType(m_types[i]);
                m_record.replace(i, field);
            }
    } else if (rc == SQLITE_DONE) {
        m_done = true;
        if (m_columns == 0) {
            m_rowsAffected = sqlite3_changes(db);
            m_lastInsertId = sqlite3_last_insert_rowid(db);
            m_hasInsertId = true;
        }
        // Release the statement's locks at once.
        sqlite3_reset(m_stmt);
    } else {
        setError(QStringLiteral("语句执行失败"), rc);
        sqlite3_reset(m_stmt);
        return false;
    }
    setSelect(m_columns > 0);
    setActive(true);
    return true;
}

bool SqlCipherResult::step() {
    if (m_done || !m_stmt)
        return false;
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW)
        return true;
    m_done = true;
    if (rc != SQLITE_DONE)
        setError(QStringLiteral("读取记录失败"), rc);
    sqlite3_reset(m_stmt);
    return false;
}

QVariant SqlCipherResult::columnValue(int i) const {
    const int type = sqlite3_column_type(m_stmt, i);
    if (type == SQLITE_NULL)
        return QVariant(m_types[i]);
    switch (m_kinds[i]) {
    case Kind::Text:
        break;
    case Kind::Integer:
        if (type == SQLITE_INTEGER) {
            const qint64 v = sqlite3_column_int64(m_stmt, i);
            if (v >= std::numeric_limits<int>::min() && v <= std::numeric_limits<int>::max())
                return QVariant(int(v));
            return QVariant(qlonglong(v));
        }
        break;
    case Kind::Real:
        if (type == SQLITE_INTEGER || type == SQLITE_FLOAT)
            return QVariant(sqlite3_column_double(m_stmt, i));
        break;
    case Kind::Boolean:
        if (type == SQLITE_INTEGER || type == SQLITE_FLOAT)
            return QVariant(sqlite3_column_int64(m_stmt, i) != 0);
        break;
    case Kind::Date:
        if (type == SQLITE_TEXT) {
            const unsigned char* text = sqlite3_column_text(m_stmt, i);
            const QDate date = isoDate(text, sqlite3_column_bytes(m_stmt, i));
            if (date.isValid())
                return QVariant(date);
        }
        break;
    case Kind::Blob:
        if (type == SQLITE_BLOB)
            return QVariant(QByteArray(static_cast<const char*>(sqlite3_column_blob(m_stmt, i)),
                                       sqlite3_column_bytes(m_stmt, i)));
        break;
    case Kind::Dynamic:
        if (type == SQLITE_INTEGER)
            return QVariant(qlonglong(sqlite3_column_int64(m_stmt, i)));
        if (type == SQLITE_FLOAT)
            return QVariant(sqlite3_column_double(m_stmt, i));
        if (type == SQLITE_BLOB)
            return QVariant(QByteArray(static_cast<const char*>(sqlite3_column_blob(m_stmt, i)),
                                       sqlite3_column_bytes(m_stmt, i)));
        break;
    }
    // Text, or a value that does not fit its column's declared kind: hand it out as the text it is.
    const unsigned char* text = sqlite3_column_text(m_stmt, i);
    return QVariant(QString::fromUtf8(reinterpret_cast<const char*>(text), sqlite3_column_bytes(m_stmt, i)));
}

void SqlCipherResult::cacheCurrentRow() {
    for (int i = 0; i < m_columns; ++i)
        m_cache.push_back(columnValue(i));
    ++m_cachedRows;
}

bool SqlCipherResult::fetchFirst() {
    return fetch(0);
}

bool SqlCipherResult::fetchNext() {
    if (m_useCache)
        return fetch(at() < 0 ? 0 : at() + 1);
    if (at() == QSql::BeforeFirstRow && m_rowPending) {
        m_rowPending = false;
        setAt(0);
        return true;
    }
    if (at() < 0 || !step()) {
        setAt(QSql::AfterLastRow);
        return false;
    }
    setAt(at() + 1);
    return true;
}

bool SqlCipherResult::fetch(int i) {
    if (i < 0 || !isActive() || !isSelect())
        return false;
    if (!m_useCache) {
        if (i == at())
            return true;
        if (i == at() + 1 || (at() == QSql::BeforeFirstRow && i == 0))
            return fetchNext();
        return false; // a forward-only result cannot go back or jump
    }
    while (m_cachedRows + m_cacheBase <= i) {
        if (m_rowPending) {
            m_rowPending = false;
            cacheCurrentRow();
        } else if (step()) {
            cacheCurrentRow();
        } else {
            return false;
        }
    }
    setAt(i);
    return true;
}

bool SqlCipherResult::fetchLast() {
    if (!isActive() || !isSelect())
        return false;
    if (!m_useCache) {
        // Keep only the last row: a forward-only result never holds more.
        bool have = m_rowPending || (at() >= 0 && !m_done);
        int row = at() < 0 ? 0 : at();
        m_rowPending = false;
        std::vector<QVariant> last;
        auto keep = [&] {
            last.clear();
            for (int c = 0; c < m_columns; ++c)
                last.push_back(columnValue(c));
        };
        if (have)
            keep();
        while (step()) {
            row = have ? row + 1 : row;
            have = true;
            keep();
        }
        if (!have)
            return false;
        m_cache = std::move(last);
        m_cachedRows = 1;
        m_cacheBase = row;
        m_useCache = true; // data() now reads the kept row
        setAt(row);
        return true;
    }
    while (true) {
        if (m_rowPending) {
            m_rowPending = false;
            cacheCurrentRow();
        } else if (step()) {
            cacheCurrentRow();
        } else {
            break;
        }
    }
    if (m_cachedRows == 0)
        return false;
    setAt(m_cachedRows - 1);
    return true;
}

QVariant SqlCipherResult::data(int i) {
    if (i < 0 || i >= m_columns || at() < 0)
        return QVariant();
    if (m_useCache) {
        const size_t index = size_t(at() - m_cacheBase) * size_t(m_columns) + size_t(i);
        return index < m_cache.size() ? m_cache[index] : QVariant();
    }
    if (m_done)
        return QVariant();
    return columnValue(i);
}

bool SqlCipherResult::isNull(int i) {
    if (i < 0 || i >= m_columns || at() < 0)
        return true;
    if (m_useCache) {
        const size_t index = size_t(at() - m_cacheBase) * size_t(m_columns) + size_t(i);
        return index >= m_cache.size() || m_cache[index].isNull();
    }
    return m_done || sqlite3_column_type(m_stmt, i) == SQLITE_NULL;
}

QSqlRecord SqlCipherResult::record() const {
    return m_record;
}

QVariant SqlCipherResult::lastInsertId() const {
    if (!m_hasInsertId)
        return QVariant();
    return QVariant(qlonglong(m_lastInsertId));
}

QVariant SqlCipherResult::handle() const {
    return QVariant::fromValue(static_cast<void*>(m_stmt));
}

void SqlCipherResult::detachFromResultSet() {
    // finish(): the rows are no longer wanted; free the read lock.
    if (m_stmt)
        sqlite3_reset(m_stmt);
    m_rowPending = false;
    m_done = true;
}

void SqlCipherResult::setForwardOnly(bool forward) {
    QSqlResult::setForwardOnly(forward);
    m_useCache = !forward;
}
