#include "DatabaseConnection.h"
#include "DbError.h"
#include "FreeQuery.h"
#include "HouseDbMaker.h"
#include "LintaraSchema.h"
#include "MessageBoxService.h"
#include "SchemaUpgrade.h"
#include "ScratchDatabase.h"
#include "TSetValue.h"
#include "TUserDM.h"
#include "TestSupport.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {
// The script of the first release: 用户口令 20 characters wide and no schema version.
QString firstReleaseScript(const QString& script) {
    QString old = script;
    old.replace(
        QStringLiteral(
            "用户口令 VARCHAR(128) CHECK (typeof(用户口令) IN ('text', 'null') AND length(用户口令) <= 128)"),
        QStringLiteral(
            "用户口令 VARCHAR(20) CHECK (typeof(用户口令) IN ('text', 'null') AND length(用户口令) <= 20)"));
    old.replace(QStringLiteral("用户口令 varchar(128)"), QStringLiteral("用户口令 varchar(20)"));
    QStringList lines = old.split(u'\n');
    lines.removeIf([](const QString& l) { return l.contains(QStringLiteral("SchemaVersion")); });
    old = lines.join(u'\n');
    Q_ASSERT(old != script);
    return old;
}

QString readText(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw DbError(QStringLiteral("cannot read ") + path);
    return QString::fromUtf8(f.readAll());
}

// An older database of one engine, with users whose passwords are stored as typed.
struct OldDatabase {
    QTemporaryDir dir;
    ConnectionSettings settings;

    explicit OldDatabase(const QString& engine) {
        if (engine == QLatin1String("sqlcipher")) {
            settings.engine = SqlEngine::SqlCipher;
            settings.filePath = dir.filePath(QStringLiteral("House.HDB"));
            settings.key = ConnectionSettings::localFilePassword();
            HouseDbMaker::make(settings.filePath, settings.key,
                               firstReleaseScript(HouseDbMaker::schemaScript()));
        } else {
            settings.engine = SqlEngine::PostgreSql;
            settings.server = TestSupport::pgHost();
            settings.port = TestSupport::pgPort();
            settings.user = TestSupport::pgUser();
            settings.database = TestSupport::pgCreateDatabase(QStringLiteral("lintara_old"));
            const QString script = dir.filePath(QStringLiteral("old.sql"));
            QFile f(script);
            f.open(QIODevice::WriteOnly);
            f.write(
                firstReleaseScript(readText(TestSupport::sourceDir() + QStringLiteral("/db/postgresql.sql")))
                    .toUtf8());
            f.close();
            DatabaseConnection loader(QStringLiteral("old_loader"));
            loader.open(settings);
            ScratchDatabase::runScript(loader, script);
        }
        DatabaseConnection c(QStringLiteral("old_users"));
        c.open(settings);
        exec(c, "insert into S_用户表 (用户代码,用户口令,用户姓名,类型) values "
                "('admin','secret','王经理','管理员')");
        exec(c, "insert into S_用户表 (用户代码,用户口令,用户姓名,类型) values ('gone','x','走了','操作员')");
        exec(c, "insert into S_用户表 (用户代码,用户口令,用户姓名,类型) values "
                "('li','twenty-characters-pw','李文','操作员')");
        exec(c, "delete from S_用户表 where 用户代码='gone'");
    }

    static void exec(DatabaseConnection& c, const char* sql) {
        FreeQuery q(c);
        q.setSql(QString::fromUtf8(sql));
        q.execute();
    }
};

QString users(DatabaseConnection& c) {
    FreeQuery q(c);
    q.setSql(QStringLiteral("select 编号,用户代码,用户口令,用户姓名,类型 from S_用户表 order by 编号"));
    q.open();
    QStringList rows;
    for (q.first(); !q.eof(); q.next()) {
        QStringList f;
        for (int i = 0; i < 5; ++i)
            f << q.value(i).toString();
        rows << f.join(u'|');
    }
    return rows.join(u';');
}

// The width of 用户口令 as the engine reports it.
QString passwordColumn(DatabaseConnection& c) {
    FreeQuery q(c);
    if (c.engine() == SqlEngine::SqlCipher) {
        q.setSql(QStringLiteral("select sql from sqlite_master where type='table' and name='S_用户表'"));
        q.open();
        return q.text(QStringLiteral("sql"));
    }
    q.setSql(QStringLiteral("select character_maximum_length from information_schema.columns "
                            "where table_name='s_用户表' and column_name='用户口令'"));
    q.open();
    return q.value(0).toString();
}

bool acceptsPassword(DatabaseConnection& c, const QString& text) {
    FreeQuery q(c);
    q.setSql(QStringLiteral("update S_用户表 set 用户口令=:p where 用户代码='li'"));
    q.setParam(QStringLiteral("p"), text);
    c.begin();
    bool ok = true;
    try {
        q.execute();
    } catch (const DbError&) {
        ok = false;
    }
    c.rollback();
    return ok;
}

QString freshPasswordColumn(const QString& engine) {
    ScratchDatabase fresh(engine);
    DatabaseConnection c(QStringLiteral("fresh"));
    c.open(fresh.settings());
    return passwordColumn(c);
}
} // namespace

class TestSchemaUpgrade : public QObject {
    Q_OBJECT
private slots:
    void initTestCase_data() {
        QTest::addColumn<QString>("engine");
        QTest::newRow("sqlcipher") << "sqlcipher";
        if (TestSupport::pgAvailable())
            QTest::newRow("postgresql") << "postgresql";
    }

    void freshDatabaseIsCurrent() {
        QFETCH_GLOBAL(QString, engine);
        ScratchDatabase fresh(engine);
        DatabaseConnection c;
        c.open(fresh.settings());
        QCOMPARE(SchemaUpgrade::version(c), LintaraSchema::currentVersion());
        QCOMPARE(SchemaUpgrade::run(c, LintaraSchema::steps()), 0);
    }

    // Opened by the program: upgraded once to the schema a new database has, users kept.
    void openingUpgradesOnce() {
        QFETCH_GLOBAL(QString, engine);
        OldDatabase old(engine);
        QString before;
        {
            DatabaseConnection c(QStringLiteral("look"));
            c.open(old.settings);
            QCOMPARE(SchemaUpgrade::version(c), 0);
            QVERIFY(!acceptsPassword(c, QString(21, u'x')));
            before = users(c);
        }

        QTemporaryDir program;
        {
            QFile ini(program.filePath(QStringLiteral("MyConnect.ini")));
            QVERIFY(ini.open(QIODevice::WriteOnly));
            if (engine == QLatin1String("sqlcipher"))
                ini.write(("[Connect]\nConnectOption=1\n[LocalDB]\nDBnames=" + old.settings.filePath + "\n")
                              .toUtf8());
            else
                ini.write(QStringLiteral(
                              "[Connect]\nConnectOption=2\n[DataBase]\nDriver=PostgreSQL\nServerName=%1\n"
                              "Port=%2\nUserName=%3\nPassword=\nDataBaseName=%4\n")
                              .arg(old.settings.server)
                              .arg(old.settings.port)
                              .arg(old.settings.user, old.settings.database)
                              .toUtf8());
        }
        MessageBoxService::startRecording();
        for (int opening = 0; opening < 2; ++opening) {
            TUserDM dm(program.filePath(QStringLiteral("Lintara")));
            dm.DataModuleCreate();
            QVERIFY(dm.ADOConnection1.isOpen());
            QCOMPARE(SchemaUpgrade::version(dm.ADOConnection1), LintaraSchema::currentVersion());
            QCOMPARE(passwordColumn(dm.ADOConnection1), freshPasswordColumn(engine));
            QCOMPARE(users(dm.ADOConnection1), before);
            QVERIFY(acceptsPassword(dm.ADOConnection1, QString(128, u'x')));
            QVERIFY(!acceptsPassword(dm.ADOConnection1, QString(129, u'x')));
            // The key counter survives: a deleted user's number is not handed out again.
            OldDatabase::exec(
                dm.ADOConnection1,
                "insert into S_用户表 (用户代码,用户口令,用户姓名,类型) values ('new','','新','操作员')");
            FreeQuery q(dm.ADOConnection1);
            q.setSql(QStringLiteral("select 编号 from S_用户表 where 用户代码='new'"));
            q.open();
            QCOMPARE(q.value(0).toInt(), 4 + opening);
            OldDatabase::exec(dm.ADOConnection1, "delete from S_用户表 where 用户代码='new'");
            // The second opening finds nothing to do.
            QCOMPARE(SchemaUpgrade::run(dm.ADOConnection1, LintaraSchema::steps()), 0);
        }
        QVERIFY(MessageBoxService::shown().isEmpty());
        MessageBoxService::stopRecording();
        AppGlobals = TSetValue{};
    }

    // A step that fails takes every step of the same upgrade back with it.
    void failedUpgradeLeavesTheOldSchema() {
        QFETCH_GLOBAL(QString, engine);
        OldDatabase old(engine);
        DatabaseConnection c;
        c.open(old.settings);
        const QString column = passwordColumn(c);
        const QString before = users(c);
        std::vector<SchemaStep> steps = LintaraSchema::steps();
        SchemaStep broken;
        broken.version = LintaraSchema::currentVersion() + 1;
        broken.sqlCipher = broken.postgreSql =
            broken.sqlServer = {QStringLiteral("CREATE TABLE S_新表 (编号 integer)"),
                                QStringLiteral("ALTER TABLE S_没有 ADD 列 integer")};
        steps.push_back(broken);
        QVERIFY_THROWS_EXCEPTION(DbError, SchemaUpgrade::run(c, steps));
        QVERIFY(!c.inTransaction());
        QCOMPARE(SchemaUpgrade::version(c), 0);
        QCOMPARE(passwordColumn(c), column);
        QCOMPARE(users(c), before);
        QVERIFY(!acceptsPassword(c, QString(21, u'x')));
        FreeQuery q(c);
        q.setSql(QStringLiteral("select count(*) from S_新表"));
        QVERIFY_THROWS_EXCEPTION(DbError, q.open());
        // And the real upgrade still runs afterwards.
        QCOMPARE(SchemaUpgrade::run(c, LintaraSchema::steps()), 1);
        QCOMPARE(users(c), before);
    }
};

QTEST_MAIN(TestSchemaUpgrade)
#include "tst_SchemaUpgrade.moc"
