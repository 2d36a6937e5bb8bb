#include "ConnectionSettings.h"
#include "DatabaseConnection.h"
#include "DbError.h"
#include "FreeQuery.h"
#include "TestSupport.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

int runMaker(const QString& path, QString* err = nullptr) {
    QProcess p;
    p.start(TestSupport::binaryDir() + QStringLiteral("/bin/mkhousedb"), {path});
    if (!p.waitForFinished(60000))
        return -1;
    if (err)
        *err = QString::fromLocal8Bit(p.readAllStandardError());
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}

QByteArray hashOf(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

} // namespace

class TestMakeHouseDb : public QObject {
    Q_OBJECT
private slots:
    void makesAKeyedDatabase() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("House.HDB"));
        QCOMPARE(runMaker(path), 0);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1); // no temporary left
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QVERIFY(!f.read(16).startsWith("SQLite format 3")); // enciphered

        DatabaseConnection connection;
        ConnectionSettings settings;
        settings.filePath = path;
        settings.key = ConnectionSettings::localFilePassword();
        connection.open(settings);
        FreeQuery q(connection);
        q.setSql(QStringLiteral("Select count(*) from S_收件单号"));
        q.open();
        QCOMPARE(q.value(0).toInt(), 3);
    }

    void refusesToOverwrite_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("a database") << QByteArray();
        QTest::newRow("any file") << QByteArray("keep me\n");
    }
    void refusesToOverwrite() {
        QFETCH(QByteArray, content);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("House.HDB"));
        if (content.isEmpty()) {
            QCOMPARE(runMaker(path), 0);
        } else {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(content);
        }
        const QByteArray before = hashOf(path);
        QString err;
        QVERIFY(runMaker(path, &err) != 0);
        QVERIFY(err.contains(QStringLiteral("already exists")));
        QCOMPARE(hashOf(path), before);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
    }

    void failsWithoutItsFolder() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("missing/House.HDB"));
        QVERIFY(runMaker(path) != 0);
        QVERIFY(!QFile::exists(path));
        QVERIFY(QDir(dir.path()).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
    }

    void theProgramFolderHasADatabase() {
        const QString path = TestSupport::programDir() + QStringLiteral("/Data/House.HDB");
        if (!QFile::exists(path))
            QSKIP("the program folder is not put together in this build");
        DatabaseConnection connection;
        ConnectionSettings settings;
        settings.filePath = path;
        settings.key = ConnectionSettings::localFilePassword();
        connection.open(settings);
        QVERIFY(connection.isOpen());
    }
};

QTEST_GUILESS_MAIN(TestMakeHouseDb)
#include "tst_MakeHouseDb.moc"
