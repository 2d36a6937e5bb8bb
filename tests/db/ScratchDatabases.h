#pragma once

#include <QString>

#include <map>
#include <memory>

class DatabaseConnection;
class ScratchDatabase;

// One scratch database per engine for a whole test class, made when a test first needs it.
class ScratchDatabases {
public:
    ScratchDatabases();
    ~ScratchDatabases();
    ScratchDatabases(const ScratchDatabases&) = delete;
    ScratchDatabases& operator=(const ScratchDatabases&) = delete;

    // Opens connection on the engine's database.
    void open(DatabaseConnection& connection, const QString& engine);

    // For initTestCase_data(): a global "engine" column with a row for every engine there is.
    static void addEngineRows();

private:
    std::map<QString, std::unique_ptr<ScratchDatabase>> m_dbs;
};
