// The database file in a nearly full folder: a save fails with its usual message, every change
// stays pending, and the file is left exactly as it was; once there is room again the same
// pending change saves.
#include "BatchDataSet.h"
#include "DatabaseConnection.h"
#include "DbEdit.h"
#include "FreeQuery.h"
#include "MessageBoxService.h"
#include "ModalSeam.h"
#include "RecordsTestBed.h"
#include "ShowLeaseForm.h"
#include "TFrm_LeaseDetail.h"
#include "TestSupport.h"
#include "Tfrm_HouseLease.h"

#include <QCryptographicHash>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <memory>

namespace {
QByteArray hashOf(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

// Fills the folder's file system to the last byte.
void fill(const QString& path) {
    QFile filler(path);
    QVERIFY(filler.open(QIODevice::WriteOnly));
    for (qint64 chunk : {qint64(1) << 16, qint64(4096), qint64(1)}) {
        const QByteArray block(int(chunk), 'x');
        while (filler.write(block) == chunk && filler.flush()) {
        }
    }
}
} // namespace

class TestFullDisk : public QObject {
    Q_OBJECT
private slots:
    void saveOnAFullDiskKeepsEverythingPending() {
        QTemporaryDir outer;
        const QString small = outer.filePath(QStringLiteral("small"));
        QVERIFY(QDir().mkpath(small));
        if (QProcess::execute(QStringLiteral("mount"),
                              {QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
                               QStringLiteral("size=3m"), QStringLiteral("tmpfs"), small}) != 0)
            QSKIP("a size-limited folder needs mount rights (run as root)");
        auto unmount = qScopeGuard([&] {
            QProcess::execute(QStringLiteral("umount"), {QStringLiteral("-l"), small});
        });

        // The scratch database goes where temporary folders go: into the small folder.
        const QByteArray tmp = qgetenv("TMPDIR");
        qputenv("TMPDIR", small.toUtf8());
        auto bed = std::make_unique<RecordsTestBed>(QStringLiteral("sqlcipher"));
        qputenv("TMPDIR", tmp);
        const QString file = bed->settings().filePath;
        QVERIFY(file.startsWith(small));
        const int id = bed->insertLease({{QStringLiteral("收件号"), QStringLiteral("00000007")},
                                         {QStringLiteral("房屋地址"), QStringLiteral("原地址")},
                                         {QStringLiteral("编辑日期"), QDate::currentDate()},
                                         {QStringLiteral("状态位"), QStringLiteral("未出租")},
                                         {QStringLiteral("跟踪报警标志"), false}});
        const QByteArray before = hashOf(file);
        fill(small + QStringLiteral("/filler"));

        GuiTestScope scope;
        bool ran = false;
        ModalSeam::drive([&](QWidget* w) {
            auto* list = qobject_cast<Tfrm_HouseLease*>(w);
            QVERIFY(list);
            ModalSeam::drive([&](QWidget* dw) {
                auto* d = qobject_cast<TFrm_LeaseDetail*>(dw);
                QVERIFY(d);
                d->TbModfiy->click();
                auto* address = qobject_cast<DbEdit*>(d->editor(QStringLiteral("DBEdtAddress")));
                address->setFocus();
                address->selectAll();
                address->insert(QStringLiteral("满盘时改的地址") + QString(80, QChar(u'长')));
                QTest::keyClick(address, Qt::Key_F5);
                QCOMPARE(MessageBoxService::last().text, QStringLiteral("保存失败!!!"));
                QVERIFY(d->TbSave->isEnabled());
                QVERIFY(list->QryData->hasPendingChanges());
                QCOMPARE(hashOf(file), before);

                // Room again: the same pending change saves.
                QVERIFY(QFile::remove(small + QStringLiteral("/filler")));
                MessageBoxService::clearShown();
                QTest::keyClick(address, Qt::Key_F5);
                QVERIFY(MessageBoxService::shown().isEmpty());
                QVERIFY(!d->TbSave->isEnabled());
                QVERIFY(!list->QryData->hasPendingChanges());
                ran = true;
            });
            QTest::keyClick(list->findChild<QWidget*>(QStringLiteral("dxDBGrid1")), Qt::Key_F3);
        });
        ShowLeaseForm();
        QVERIFY(ran);
        QVERIFY(bed->leaseValue(id, QStringLiteral("房屋地址"))
                    .toString()
                    .startsWith(QStringLiteral("满盘时改的地址")));
        FreeQuery q(bed->connection());
        q.setSql(QStringLiteral("PRAGMA integrity_check"));
        q.open();
        QCOMPARE(q.value(0).toString(), QStringLiteral("ok"));
        q.close();
        bed.reset();
    }
};

QTEST_MAIN(TestFullDisk)
#include "tst_FullDisk.moc"
