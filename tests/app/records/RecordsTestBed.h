#pragma once

#include "ScratchDatabase.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <QVariantMap>
#include <memory>

class DatabaseConnection;

// A fresh database on one engine with the data module on it, the way the program runs after a
// login: UserDM's connection open, a current user, the lease percent, the date format.
class RecordsTestBed {
public:
    explicit RecordsTestBed(const QString& engine);
    ~RecordsTestBed();

    // The engines the record tests run on ("sqlcipher", and "postgresql" when its server runs).
    static QStringList engines();

    DatabaseConnection& connection();
    const ConnectionSettings& settings() const { return m_db.settings(); }
    const ScratchDatabase& scratch() const { return m_db; }

    // Inserts a row into a business table; columns not given stay empty. Returns its ID.
    int insertRow(const QString& table, const QVariantMap& values);
    // One column of a row as the database holds it ("<no row>" when there is none).
    QVariant rowValue(const QString& table, int id, const QString& column);
    int rowCount(const QString& table);
    // One column of every row, in the order of ID, as text.
    QStringList columnValues(const QString& table, const QString& column);
    // The same on the lease table.
    int insertLease(const QVariantMap& values) { return insertRow(QStringLiteral("H_出租表"), values); }
    QVariant leaseValue(int id, const QString& column) {
        return rowValue(QStringLiteral("H_出租表"), id, column);
    }
    int leaseCount() { return rowCount(QStringLiteral("H_出租表")); }
    void addDictValue(const QString& type, const QString& value);
    qint64 billCounter(const QString& type);

private:
    ScratchDatabase m_db;
};
