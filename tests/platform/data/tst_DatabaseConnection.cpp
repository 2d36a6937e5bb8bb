#include "ConnectionSettings.h"
#include "DatabaseConnection.h"
#include "DbError.h"
#include "FreeQuery.h"
#include "TestSupport.h"

#include <QTcpServer>
#include <QTest>

class TestDatabaseConnection : public QObject {
    Q_OBJECT
private slots:
    void odbcConnectionStrings_data() {
        QTest::addColumn<QString>("driver");
        QTest::addColumn<QString>("password");
        QTest::addColumn<int>("port");
        QTest::addColumn<QString>("expected");
        QTest::newRow("FreeTDS") << ""
                                 << "secret" << 0
                                 << "DRIVER={FreeTDS};SERVER=db1;PORT=1433;DATABASE=House;UID=sa;PWD=secret;"
                                    "TDS_Version=7.4;ClientCharset=UTF-8;";
        QTest::newRow("semicolon in password")
            << "FreeTDS"
            << "a;b}c" << 2000
            << "DRIVER={FreeTDS};SERVER=db1;PORT=2000;DATABASE=House;UID=sa;PWD={a;b}}c};TDS_Version=7.4;"
               "ClientCharset=UTF-8;";
        QTest::newRow("PostgreSQL")
            << "PostgreSQL Unicode"
            << "" << 0 << "DRIVER={PostgreSQL Unicode};SERVER=db1;PORT=5432;DATABASE=House;UID=sa;PWD=;";
    }
    void odbcConnectionStrings() {
        QFETCH(QString, driver);
        QFETCH(QString, password);
        QFETCH(int, port);
        QFETCH(QString, expected);
        ConnectionSettings s;
        s.engine = SqlEngine::SqlServer;
        s.odbcDriver = driver;
        s.server = QStringLiteral("db1");
        s.port = port;
        s.database = QStringLiteral("House");
        s.user = QStringLiteral("sa");
        s.password = password;
        QCOMPARE(DatabaseConnection::odbcConnectionString(s), expected);
    }

    // A server that takes the connection but never answers: the opening gives up after the time-out.
    void silentServersFail_data() {
        QTest::addColumn<int>("engine");
        QTest::newRow("SQL Server") << int(SqlEngine::SqlServer);
        QTest::newRow("PostgreSQL") << int(SqlEngine::PostgreSql);
    }
    void silentServersFail() {
        QFETCH(int, engine);
        QTcpServer silent;
        QVERIFY(silent.listen(QHostAddress::LocalHost));
        ConnectionSettings s;
        s.engine = SqlEngine(engine);
        s.server = QStringLiteral("127.0.0.1");
        s.port = silent.serverPort();
        s.database = QStringLiteral("House");
        s.user = QStringLiteral("sa");
        s.timeoutSeconds = 1;
        DatabaseConnection connection;
        try {
            connection.open(s);
            QFAIL("the opening should have failed");
        } catch (const DbError& e) {
            // The driver itself was found: the failure is the server's.
            QVERIFY2(!e.message().contains(QStringLiteral("not found"), Qt::CaseInsensitive), e.what());
        }
        QVERIFY(!connection.isOpen());
    }

    void refusedServersFail() {
        QTcpServer probe;
        QVERIFY(probe.listen(QHostAddress::LocalHost));
        const int freePort = probe.serverPort();
        probe.close();
        for (SqlEngine engine : {SqlEngine::SqlServer, SqlEngine::PostgreSql}) {
            ConnectionSettings s;
            s.engine = engine;
            s.server = QStringLiteral("127.0.0.1");
            s.port = freePort;
            s.user = QStringLiteral("sa");
            DatabaseConnection connection;
            QVERIFY_THROWS_EXCEPTION(DbError, connection.open(s));
        }
    }

    void reopensOnAnotherEngine() {
        if (!TestSupport::pgAvailable())
            QSKIP("no test server");
        ConnectionSettings pg;
        pg.engine = SqlEngine::PostgreSql;
        pg.server = TestSupport::pgHost();
        pg.port = TestSupport::pgPort();
        pg.user = TestSupport::pgUser();
        pg.database = QStringLiteral("postgres");
        DatabaseConnection connection;
        connection.open(pg);
        QCOMPARE(connection.database().driverName(), QStringLiteral("QPSQL"));
        ConnectionSettings odbc = pg;
        odbc.engine = SqlEngine::SqlServer;
        odbc.odbcDriver = QStringLiteral("PostgreSQL Unicode");
        connection.open(odbc);
        QCOMPARE(connection.database().driverName(), QStringLiteral("QODBC"));
        FreeQuery q(connection);
        q.setSql(QStringLiteral("select :a as x"));
        q.setParam(QStringLiteral("A"), QStringLiteral("汉字"));
        q.open();
        QCOMPARE(q.text(QStringLiteral("X")), QStringLiteral("汉字"));
        connection.close();
        QVERIFY(!connection.isOpen());
    }
};

QTEST_GUILESS_MAIN(TestDatabaseConnection)
#include "tst_DatabaseConnection.moc"
