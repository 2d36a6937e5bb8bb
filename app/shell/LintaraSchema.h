#pragma once

#include "SchemaUpgrade.h"

#include <vector>

class DatabaseConnection;

// The schema changes of Lintara since the first release, numbered. db/generate-scripts.py writes a
// new database at the last number; an older one is brought up to it when the program opens it.
class LintaraSchema {
public:
    static const std::vector<SchemaStep>& steps();
    static int currentVersion();
    // Throws DbError when the upgrade fails (the database then keeps its old schema).
    static void upgrade(DatabaseConnection& connection);
};
