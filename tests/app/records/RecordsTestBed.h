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

    // Inserts a lease listing; columns not given stay empty. Returns its ID.
    int insertLease(const QVariantMap& values);
    // One column of a lease row as the database holds it.
    QVariant leaseValue(int id, const QString& column);
    int leaseCount();
    void addDictValue(const QString& type, const QString& value);
    qint64 billCounter(const QString& type);

private:
    ScratchDatabase m_db;
};
