#include "FreeQuery.h"
#include "LoginRules.h"
#include "MessageBoxService.h"
#include "PanelStatusBar.h"
#include "ProgramEnd.h"
#include "ScratchDatabase.h"
#include "ShellTestDb.h"
#include "SystemParams.h"
#include "TSetValue.h"
#include "TUser.h"
#include "TUserDM.h"
#include "TestSupport.h"

#include <QTest>

namespace {
// The loaded field a case looks at, as a number.
int field(const QString& name) {
    const TSetValue& g = AppGlobals;
    if (name == "PrintMode")
        return g.PrintMode;
    if (name == "SaleCommission")
        return g.SaleCommission;
    if (name == "LeaseCommission")
        return g.LeaseCommission;
    if (name == "DemandCommission")
        return g.DemandCommission;
    if (name == "MortgageCommission")
        return g.MortgageCommission;
    if (name == "AgencySaleCommission")
        return g.AgencySaleCommission;
    if (name == "TitleAgencyFee")
        return g.TitleAgencyFee;
    if (name == "ShowTel")
        return g.ShowTel ? 1 : 0;
    return -12345;
}
} // namespace

class TestSystemParams : public QObject {
    Q_OBJECT
private slots:
    // One parameter row set (or deleted: a null value), the others as seeded; the field it loads.
    void loading_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("fieldName");
        QTest::addColumn<int>("expected");
        const QString missing; // null: the row is deleted
        QTest::newRow("preview lower case") << "PrintModal"
                                            << "preview"
                                            << "PrintMode" << 1;
        QTest::newRow("Preview leading blank") << "PrintModal"
                                               << " Preview"
                                               << "PrintMode" << 2;
        QTest::newRow("Design") << "PrintModal"
                                << "Design"
                                << "PrintMode" << 0;
        QTest::newRow("DESIGN") << "PrintModal"
                                << "DESIGN"
                                << "PrintMode" << 0;
        QTest::newRow("Print") << "PrintModal"
                               << "Print"
                               << "PrintMode" << 2;
        QTest::newRow("print mode nonsense") << "PrintModal"
                                             << "Screen"
                                             << "PrintMode" << 2;
        QTest::newRow("print mode missing") << "PrintModal" << missing << "PrintMode" << 2;
        QTest::newRow("CCYJ 8") << "CCYJ"
                                << "8"
                                << "SaleCommission" << 8;
        QTest::newRow("CCYJ 5.5") << "CCYJ"
                                  << "5.5"
                                  << "SaleCommission" << 0;
        QTest::newRow("CCYJ empty") << "CCYJ"
                                    << ""
                                    << "SaleCommission" << 0;
        QTest::newRow("CCYJ letters") << "CCYJ"
                                      << "abc"
                                      << "SaleCommission" << 0;
        QTest::newRow("CCYJ missing") << "CCYJ" << missing << "SaleCommission" << 0;
        QTest::newRow("CCYJ too big") << "CCYJ"
                                      << "99999999999"
                                      << "SaleCommission" << 0;
        QTest::newRow("CZYJ 45") << "CZYJ"
                                 << "45"
                                 << "LeaseCommission" << 45;
        QTest::newRow("QZQGYJ 12") << "QZQGYJ"
                                   << "12"
                                   << "DemandCommission" << 12;
        QTest::newRow("QZQGYJ 1e2") << "QZQGYJ"
                                    << "1e2"
                                    << "DemandCommission" << 0;
        QTest::newRow("AJYJ 3") << "AJYJ"
                                << "3"
                                << "MortgageCommission" << 3;
        QTest::newRow("DLXSYJ 4") << "DLXSYJ"
                                  << "4"
                                  << "AgencySaleCommission" << 4;
        QTest::newRow("DBZQF 600") << "DBZQF"
                                   << "600"
                                   << "TitleAgencyFee" << 600;
        QTest::newRow("DBZQF missing") << "DBZQF" << missing << "TitleAgencyFee" << 0;
        QTest::newRow("DisPlayTel 1") << "DisPlayTel"
                                      << "1"
                                      << "ShowTel" << 1;
        QTest::newRow("DisPlayTel 01") << "DisPlayTel"
                                       << "01"
                                       << "ShowTel" << 0;
        QTest::newRow("DisPlayTel true") << "DisPlayTel"
                                         << "true"
                                         << "ShowTel" << 0;
        QTest::newRow("DisPlayTel 0") << "DisPlayTel"
                                      << "0"
                                      << "ShowTel" << 0;
        QTest::newRow("DisPlayTel missing") << "DisPlayTel" << missing << "ShowTel" << 0;
    }
    void loading() {
        QFETCH(QString, key);
        QFETCH(QString, value);
        QFETCH(QString, fieldName);
        QFETCH(int, expected);
        ShellTestDb db;
        FreeQuery q(db.dm().ADOConnection1);
        if (value.isNull()) {
            q.setSql(QStringLiteral("delete from S_参数表 where 编码=:k"));
            q.setParam(QStringLiteral("k"), key);
        } else {
            q.setSql(QStringLiteral("update S_参数表 set 参数值=:v where 编码=:k"));
            q.setParam(QStringLiteral("v"), value);
            q.setParam(QStringLiteral("k"), key);
        }
        q.execute();
        LoadSystemParams();
        QCOMPARE(field(fieldName), expected);
        // The neighbours still load as seeded: a bad value never stops the loading.
        if (fieldName != "LeaseCommission")
            QCOMPARE(AppGlobals.LeaseCommission, 50);
        if (fieldName != "DemandCommission")
            QCOMPARE(AppGlobals.DemandCommission, 10);
    }

    void companyProfile_data() {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("tel");
        QTest::newRow("seeded") << ""
                                << "恒信房屋中介服务有限公司"
                                << "0571-88123456";
        QTest::newRow("blanks") << "update S_企业信息 set 企业名称='  诚家地产  ', 联系电话=' 0571 '"
                                << "诚家地产"
                                << " 0571 ";
        QTest::newRow("no row") << "delete from S_企业信息"
                                << ""
                                << "";
        QTest::newRow("two rows, first by key")
            << "insert into S_企业信息 (编码,企业名称,联系电话) values ('00','甲公司','1')"
            << "甲公司"
            << "1";
    }
    void companyProfile() {
        QFETCH(QString, setup);
        QFETCH(QString, name);
        QFETCH(QString, tel);
        ShellTestDb db;
        if (!setup.isEmpty())
            db.exec(setup);
        AppGlobals.CompanyName = QStringLiteral("stale");
        LoadSystemParams();
        QCOMPARE(AppGlobals.CompanyName, name);
        QCOMPARE(AppGlobals.CompanyTel, tel);
    }

    void getAndSetOnEveryEngine_data() {
        QTest::addColumn<QString>("engine");
        for (const QString& e : ScratchDatabase::engines())
            QTest::newRow(e.toUtf8()) << e;
    }
    void getAndSetOnEveryEngine() {
        QFETCH(QString, engine);
        ShellTestDb db(engine);
        QCOMPARE(GetParam(QStringLiteral("CZYJ")), QStringLiteral("50"));
        QCOMPARE(GetParam(QStringLiteral("NoSuchKey")), QString());
        SetParam(QStringLiteral("CZYJ"), QStringLiteral("35"));
        QCOMPARE(GetParam(QStringLiteral("CZYJ")), QStringLiteral("35"));
        SetParam(QStringLiteral("NoSuchKey"), QStringLiteral("1")); // no row, no effect
        QCOMPARE(GetParam(QStringLiteral("NoSuchKey")), QString());
        QCOMPARE(db.count(QStringLiteral("select count(*) from S_参数表")), 9);
        // A value with quotes is a value, not SQL.
        SetParam(QStringLiteral("PrintModal"), QStringLiteral("x' where 1=1 --"));
        QCOMPARE(GetParam(QStringLiteral("PrintModal")), QStringLiteral("x' where 1=1 --"));
        QCOMPARE(GetParam(QStringLiteral("CZYJ")), QStringLiteral("35"));
        // Too long for the column: the statement fails and the caller hears of it.
        QVERIFY_THROWS_EXCEPTION(std::exception, SetParam(QStringLiteral("CZYJ"), QString(60, u'9')));
    }

    void confirmExit_data() {
        QTest::addColumn<bool>("yes");
        QTest::newRow("no") << false;
        QTest::newRow("yes") << true;
    }
    void confirmExit() {
        QFETCH(bool, yes);
        GuiTestScope scope;
        ShellTestDb db;
        MessageBoxService::queueAnswer(yes ? MsgAnswer::Yes : MsgAnswer::No);
        QCOMPARE(ConfirmExit(), yes);
        const ShownMessage m = MessageBoxService::last();
        QCOMPARE(m.text, QStringLiteral("真的要退出系统吗？"));
        QCOMPARE(m.icon, MsgIcon::Question);
        QCOMPARE(m.buttons, MsgButtons::YesNo);
        QCOMPARE(db.dm().ADOConnection1.isOpen(), !yes);
        QCOMPARE(ProgramEnd::requested(), yes);
    }

    void statusBarPanels() {
        ShellTestDb db;
        db.exec(QStringLiteral("delete from S_企业信息"));
        CurrentUser = LoginRules::maintenanceUser();
        LoadSystemParams();
        PanelStatusBar bar(nullptr, 4);
        FillStatusBar(nullptr, &bar);
        QCOMPARE(bar.panelText(0), QStringLiteral("欢迎使用Velmor房屋中介系统"));
        QCOMPARE(bar.panelText(1), QStringLiteral("使用者:甄维序 类型:管理员"));
        QCOMPARE(bar.panelText(2), QString());
        QCOMPARE(bar.panelText(3), QStringLiteral("软件版本 4.01"));
        QCOMPARE(bar.panelWidth(0), 200);
        QCOMPARE(bar.panelWidth(1), 240);
        QCOMPARE(bar.panelWidth(2), 260);
        QCOMPARE(bar.panelWidth(3), 140);
        // Fixed at the time of the call.
        AppGlobals.CompanyName = QStringLiteral("后来的名字");
        QCOMPARE(bar.panelText(2), QString());
        FillStatusBar(nullptr, &bar);
        QCOMPARE(bar.panelText(2), QStringLiteral("后来的名字"));
    }
};

QTEST_MAIN(TestSystemParams)
#include "tst_SystemParams.moc"
