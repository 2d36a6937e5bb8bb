#include "ScratchDatabases.h"

#include "DatabaseConnection.h"
#include "ScratchDatabase.h"

#include <QTest>

ScratchDatabases::ScratchDatabases() = default;
ScratchDatabases::~ScratchDatabases() = default;

void ScratchDatabases::open(DatabaseConnection& connection, const QString& engine) {
    auto& db = m_dbs[engine];
    if (!db)
        db = std::make_unique<ScratchDatabase>(engine);
    connection.open(db->settings());
}

void ScratchDatabases::addEngineRows() {
    QTest::addColumn<QString>("engine");
    for (const QString& engine : ScratchDatabase::engines())
        QTest::newRow(qPrintable(engine)) << engine;
}
