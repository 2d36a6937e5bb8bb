#include "AdminTestBed.h"
#include "MessageBoxService.h"
#include "ModalSeam.h"
#include "SystemParams.h"
#include "TSetValue.h"
#include "TSysConfigFrm.h"
#include "TestSupport.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>

#include <functional>

namespace {
const QStringList kKeys{"CCYJ", "CZYJ", "QZQGYJ", "AJYJ", "DLXSYJ", "DBZQF"};

void withDialog(const std::function<void(TSysConfigFrm*)>& body) {
    AdminTestBed::withModal<TSysConfigFrm>(body, [] { ShowSysConfigForm(); });
}

QList<QLineEdit*> rateEdits(TSysConfigFrm* d) {
    return {d->dxEdit1, d->dxEdit2, d->dxEdit3, d->dxEdit4, d->dxEdit5, d->dxEdit6};
}

QList<int> memoryRates() {
    return {AppGlobals.SaleCommission,     AppGlobals.LeaseCommission,      AppGlobals.DemandCommission,
            AppGlobals.MortgageCommission, AppGlobals.AgencySaleCommission, AppGlobals.TitleAgencyFee};
}

QStringList storedRates() {
    QStringList out;
    for (const QString& k : kKeys)
        out << GetParam(k);
    return out;
}

} // namespace

class TestSysConfig : public QObject {
    Q_OBJECT
private slots:
    void initTestCase_data() { AdminTestBed::addEngineRows(); }

    void cases_data() {
        QTest::addColumn<int>("modeBefore");     // AppGlobals.PrintMode when opened
        QTest::addColumn<int>("modeChosen");     // radio item clicked; -1 none
        QTest::addColumn<QStringList>("typed");  // per rate; null keeps the shown text
        QTest::addColumn<QString>("missingKey"); // a key deleted before opening
        QTest::addColumn<bool>("confirm");       // 确定, else 退出
        QTest::addColumn<int>("modeAfter");
        QTest::addColumn<QString>("storedMode");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<QStringList>("stored"); // the six parameter texts after
        QTest::addColumn<QList<int>>("memory");  // the six rates in memory after
        const QStringList keep{QString(), QString(), QString(), QString(), QString(), QString()};
        const QStringList seeded{"2", "50", "10", "1", "3", "1"};
        const QList<int> before{7, 7, 7, 7, 7, 7};
        const QList<int> seededValues{2, 50, 10, 1, 3, 1};
        const QString saved = QStringLiteral("保存成功！");
        QTest::newRow("preview round trip") << 1 << -1 << keep << "" << true << 1 << "Preview"
                                            << QStringList{saved} << seeded << seededValues;
        QTest::newRow("print chosen")
            << 1 << 0 << keep << "" << true << 2 << "Print" << QStringList{saved} << seeded << seededValues;
        QTest::newRow("design chosen")
            << 2 << 2 << keep << "" << true << 0 << "Design" << QStringList{saved} << seeded << seededValues;
        QStringList twelve = keep;
        twelve[1] = QStringLiteral("12");
        QTest::newRow("a rate of 12")
            << 1 << -1 << twelve << "" << true << 1 << "Preview" << QStringList{saved}
            << QStringList{"2", "12", "10", "1", "3", "1"} << QList<int>{2, 12, 10, 1, 3, 1};
        QStringList bad = keep;
        bad[0] = QString();
        bad[0] = QStringLiteral("");
        bad[5] = QStringLiteral("12.5");
        bad[3] = QStringLiteral("abc");
        QTest::newRow("bad rates in order, memory kept")
            << 1 << -1 << bad << "" << true << 1 << "Preview"
            << QStringList{"出售佣金比例填写出错!!!", "按揭贷款佣金比例填写出错!!!", "代办产权费填写出错!!!",
                           saved}
            << seeded << QList<int>{7, 50, 10, 7, 3, 7};
        QStringList sql = keep;
        sql[2] = QStringLiteral("1'; delete from S_参数表; --");
        QTest::newRow("SQL in a rate is a bad rate")
            << 1 << -1 << sql << "" << true << 1 << "Preview"
            << QStringList{"求租求购佣金比例填写出错!!!", saved} << seeded << QList<int>{2, 50, 7, 1, 3, 1};
        QStringList typedMissing = keep;
        typedMissing[4] = QStringLiteral("9");
        QTest::newRow("a missing key: empty edit, no row made")
            << 1 << -1 << typedMissing << "DLXSYJ" << true << 1 << "Preview" << QStringList{saved}
            << QStringList{"2", "50", "10", "1", "", "1"} << QList<int>{2, 50, 10, 1, 9, 1};
        QStringList edited = keep;
        edited[0] = QStringLiteral("99");
        QTest::newRow("退出 changes nothing")
            << 1 << 2 << edited << "" << false << 1 << "Preview" << QStringList{} << seeded << before;
    }
    void cases() {
        QFETCH_GLOBAL(QString, engine);
        QFETCH(int, modeBefore);
        QFETCH(int, modeChosen);
        QFETCH(QStringList, typed);
        QFETCH(QString, missingKey);
        QFETCH(bool, confirm);
        QFETCH(int, modeAfter);
        QFETCH(QString, storedMode);
        QFETCH(QStringList, messages);
        QFETCH(QStringList, stored);
        QFETCH(QList<int>, memory);
        AdminTestBed bed(engine);
        GuiTestScope scope;
        AppGlobals.PrintMode = uint8_t(modeBefore);
        AppGlobals.SaleCommission = AppGlobals.LeaseCommission = AppGlobals.DemandCommission = 7;
        AppGlobals.MortgageCommission = AppGlobals.AgencySaleCommission = AppGlobals.TitleAgencyFee = 7;
        AppGlobals.ShowTel = true;
        if (!missingKey.isEmpty())
            bed.exec(QStringLiteral("delete from S_参数表 where 编码='%1'").arg(missingKey));
        withDialog([&](TSysConfigFrm* d) {
            QCOMPARE(d->windowTitle(), QStringLiteral("系统设置"));
            QCOMPARE(d->Pc1->tabText(0), QStringLiteral("打印参数"));
            QCOMPARE(d->Pc1->currentIndex(), 0);
            QCOMPARE(d->printModeIndex(), modeBefore == 2 ? 0 : modeBefore == 1 ? 1 : 2);
            QVERIFY(d->CHTel->isChecked());
            const QList<QLineEdit*> edits = rateEdits(d);
            for (int i = 0; i < 6; ++i) {
                QCOMPARE(edits[i]->text(), kKeys[i] == missingKey ? QString() : GetParam(kKeys[i]));
                if (!typed[i].isNull()) {
                    edits[i]->clear();
                    ShellTestDb::typeText(edits[i], typed[i]);
                }
            }
            if (modeChosen >= 0)
                QTest::mouseClick(d->RBPrintModeItems->button(modeChosen), Qt::LeftButton, {}, QPoint(5, 5));
            QTest::mouseClick(confirm ? d->BtnOK : d->BtnExit, Qt::LeftButton);
            QVERIFY(!d->isVisible());
        });
        QCOMPARE(AdminTestBed::shownTexts(), messages);
        QCOMPARE(int(AppGlobals.PrintMode), modeAfter);
        QCOMPARE(GetParam(QStringLiteral("PrintModal")), storedMode);
        QCOMPARE(storedRates(), stored);
        QCOMPARE(memoryRates(), memory);
        QCOMPARE(GetParam(QStringLiteral("DisPlayTel")), QStringLiteral("1"));
        QCOMPARE(bed.count(QStringLiteral("select count(*) from S_参数表")), missingKey.isEmpty() ? 9 : 8);
        if (!messages.isEmpty()) {
            QCOMPARE(MessageBoxService::last().icon, MsgIcon::Information);
            QCOMPARE(MessageBoxService::shown().first().icon,
                     messages.size() > 1 ? MsgIcon::Critical : MsgIcon::Information);
        }
    }
};

QTEST_MAIN(TestSysConfig)
#include "tst_SysConfig.moc"
