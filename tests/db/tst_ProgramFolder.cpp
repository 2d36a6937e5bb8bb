#include "TestSupport.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

void writeFile(const QString& path, const QByteArray& content) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(content);
}

QByteArray contentOf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

// The build step that puts the program folder together, run on a folder of our own.
class TestProgramFolder : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

    bool assemble() {
        QProcess p;
        p.start(QStringLiteral(LINTARA_CMAKE_COMMAND),
                {QStringLiteral("-DSRC=") + m_dir.filePath(QStringLiteral("dist")),
                 QStringLiteral("-DDEST=") + m_dir.filePath(QStringLiteral("program")),
                 QStringLiteral("-DMKHOUSEDB=") + TestSupport::binaryDir() + QStringLiteral("/bin/mkhousedb"),
                 QStringLiteral("-P"),
                 TestSupport::sourceDir() + QStringLiteral("/dist/AssembleProgram.cmake")});
        return p.waitForFinished(60000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    }
    QString dist(const QString& name) { return m_dir.filePath(QStringLiteral("dist/") + name); }
    QString program(const QString& name) { return m_dir.filePath(QStringLiteral("program/") + name); }

private slots:
    void initTestCase() {
        writeFile(dist(QStringLiteral("image/背景.bmp")), "BM picture");
        writeFile(dist(QStringLiteral("Template/出租单.Rtm")), "template 1");
        writeFile(dist(QStringLiteral("MyConnect.ini")), "[Connect]\nConnectOption=1\n");
        writeFile(dist(QStringLiteral("calc")), "#!/bin/sh\n");
        QFile::setPermissions(dist(QStringLiteral("calc")),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QDir().mkpath(dist(QStringLiteral("Data")));
    }

    void putsTheFolderTogether() {
        QVERIFY(assemble());
        QCOMPARE(contentOf(program(QStringLiteral("image/背景.bmp"))), QByteArray("BM picture"));
        QCOMPARE(contentOf(program(QStringLiteral("Template/出租单.Rtm"))), QByteArray("template 1"));
        QVERIFY(QFile::exists(program(QStringLiteral("MyConnect.ini"))));
        QVERIFY(QFileInfo(program(QStringLiteral("calc"))).isExecutable());
        QVERIFY(!QFile::exists(program(QStringLiteral("vexa.ini")))); // not shipped, not made up
        QVERIFY(QFileInfo(program(QStringLiteral("Data/House.HDB"))).size() > 0);
    }

    void keepsTheDatabaseAndNewerFiles() {
        QVERIFY(assemble());
        const QByteArray database = contentOf(program(QStringLiteral("Data/House.HDB")));
        // The program wrote its settings after the build copied them.
        writeFile(program(QStringLiteral("MyConnect.ini")), "[LocalDB]\nDBnames=/data/House.HDB\n");
        QFile ini(program(QStringLiteral("MyConnect.ini")));
        QVERIFY(ini.open(QIODevice::ReadWrite));
        QVERIFY(ini.setFileTime(QDateTime::currentDateTime().addSecs(60), QFileDevice::FileModificationTime));
        ini.close();
        // A newer shipped template replaces the old copy.
        writeFile(dist(QStringLiteral("Template/出租单.Rtm")), "template 2");
        QFile tpl(dist(QStringLiteral("Template/出租单.Rtm")));
        QVERIFY(tpl.open(QIODevice::ReadWrite));
        QVERIFY(
            tpl.setFileTime(QDateTime::currentDateTime().addSecs(120), QFileDevice::FileModificationTime));
        tpl.close();

        QVERIFY(assemble());
        QCOMPARE(contentOf(program(QStringLiteral("Data/House.HDB"))), database);
        QCOMPARE(contentOf(program(QStringLiteral("MyConnect.ini"))),
                 QByteArray("[LocalDB]\nDBnames=/data/House.HDB\n"));
        QCOMPARE(contentOf(program(QStringLiteral("Template/出租单.Rtm"))), QByteArray("template 2"));
    }
};

QTEST_GUILESS_MAIN(TestProgramFolder)
#include "tst_ProgramFolder.moc"
