#include "LintaraSchema.h"

namespace {
// 1: 用户口令 holds a password hash (up to 128 characters) instead of the typed password.
SchemaStep widenPasswords() {
    SchemaStep s;
    s.version = 1;
    // SQLite cannot change a column's check: the table is made again under its own name, keys and
    // the key counter carried over.
    s.sqlCipher = {
        QStringLiteral("ALTER TABLE S_用户表 RENAME TO S_用户表_旧"),
        QStringLiteral(
            "CREATE TABLE S_用户表 (\n"
            "    编号 INTEGER PRIMARY KEY AUTOINCREMENT,\n"
            "    用户代码 VARCHAR(20) CHECK (typeof(用户代码) IN ('text', 'null') AND length(用户代码) <= "
            "20),\n"
            "    用户口令 VARCHAR(128) CHECK (typeof(用户口令) IN ('text', 'null') AND length(用户口令) <= "
            "128),\n"
            "    用户姓名 VARCHAR(20) CHECK (typeof(用户姓名) IN ('text', 'null') AND length(用户姓名) <= "
            "20),\n"
            "    类型 VARCHAR(10) CHECK (typeof(类型) IN ('text', 'null') AND length(类型) <= 10)\n"
            ")"),
        QStringLiteral("INSERT INTO S_用户表 (编号, 用户代码, 用户口令, 用户姓名, 类型) "
                       "SELECT 编号, 用户代码, 用户口令, 用户姓名, 类型 FROM S_用户表_旧"),
        QStringLiteral("DELETE FROM sqlite_sequence WHERE name = 'S_用户表'"),
        QStringLiteral("UPDATE sqlite_sequence SET name = 'S_用户表' WHERE name = 'S_用户表_旧'"),
        QStringLiteral("DROP TABLE S_用户表_旧"),
    };
    s.postgreSql = {QStringLiteral("ALTER TABLE S_用户表 ALTER COLUMN 用户口令 TYPE varchar(128)")};
    s.sqlServer = {QStringLiteral("ALTER TABLE S_用户表 ALTER COLUMN 用户口令 nvarchar(128) NULL")};
    return s;
}
} // namespace

const std::vector<SchemaStep>& LintaraSchema::steps() {
    static const std::vector<SchemaStep> list{widenPasswords()};
    return list;
}

int LintaraSchema::currentVersion() {
    return steps().back().version;
}

void LintaraSchema::upgrade(DatabaseConnection& connection) {
    SchemaUpgrade::run(connection, steps());
}
