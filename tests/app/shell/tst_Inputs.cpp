#include "DbEdit.h"
#include "DbPickEdit.h"
#include "FreeQuery.h"
#include "InputEdits.h"
#include "PickLists.h"
#include "ShellTestDb.h"
#include "TUserDM.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDialog>
#include <QFrame>
#include <QLineEdit>
#include <QSpinBox>
#include <QTest>
#include <QVBoxLayout>

namespace {
// A window with one editor of every kind, some of them inside a panel.
struct Window {
    QDialog dialog;
    QLineEdit* plain = new QLineEdit(QStringLiteral(" abc "), &dialog);
    QFrame* panel = new QFrame(&dialog);
    QLineEdit* inPanel = new QLineEdit(QStringLiteral("\tx y  "), panel);
    DbEdit* dataAware = new DbEdit(&dialog);
    DbPickEdit* pick = new DbPickEdit(panel);
    QComboBox* combo = new QComboBox(&dialog);
    QSpinBox* spin = new QSpinBox(&dialog);
    QDateEdit* date = new QDateEdit(QDate(2024, 3, 5), &dialog);
    Window() {
        dataAware->setText(QStringLiteral(" abc "));
        pick->setItems({QStringLiteral("西湖区"), QStringLiteral("上城区")});
        pick->setCurrentIndex(1);
        combo->setEditable(true);
        combo->addItems({QStringLiteral("一"), QStringLiteral("二")});
        combo->setCurrentIndex(1);
        spin->setValue(7);
    }
};
} // namespace

class TestInputs : public QObject {
    Q_OBJECT
private slots:
    void clearInputsEmptiesEveryEditBox() {
        Window w;
        QCOMPARE(w.pick->currentText(), QStringLiteral("上城区"));
        ClearInputs(&w.dialog);
        QCOMPARE(w.plain->text(), QString());
        QCOMPARE(w.inPanel->text(), QString());
        QCOMPARE(w.dataAware->text(), QString());
        QCOMPARE(w.pick->currentText(), QString());
        QCOMPARE(w.pick->currentIndex(), -1);
        QCOMPARE(w.pick->items().size(), 2); // its pick list stays
        // Not edit boxes: a plain drop-down, a spin box, a date box.
        QCOMPARE(w.combo->currentText(), QStringLiteral("二"));
        QCOMPARE(w.spin->value(), 7);
        QCOMPARE(w.date->date(), QDate(2024, 3, 5));
    }

    void trimEditsTouchesPlainEditsOnly() {
        Window w;
        w.combo->setEditText(QStringLiteral(" 三 "));
        w.pick->setEditText(QStringLiteral(" 滨江区 "));
        TrimEdits(&w.dialog);
        QCOMPARE(w.plain->text(), QStringLiteral("abc"));
        QCOMPARE(w.inPanel->text(), QStringLiteral("x y"));
        QCOMPARE(w.dataAware->text(), QStringLiteral(" abc "));
        QCOMPARE(w.pick->currentText(), QStringLiteral(" 滨江区 "));
        QCOMPARE(w.combo->currentText(), QStringLiteral(" 三 "));
    }

    void fillItemsFromQuery_data() {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("rows in order") << "朝向" << QStringList{"南", "北", "东西"};
        QTest::newRow("no rows") << "无此类" << QStringList();
    }
    void fillItemsFromQuery() {
        QFETCH(QString, type);
        QFETCH(QStringList, expected);
        ShellTestDb db;
        db.exec(QStringLiteral("delete from S_字典 where TypeName='朝向'"));
        for (const QString& v : {QStringLiteral("南"), QStringLiteral("北"), QStringLiteral("东西")})
            db.exec(QStringLiteral("insert into S_字典 (TypeName, Value) values ('朝向', '%1')").arg(v));
        FreeQuery& q = db.dm().QryFree;
        q.close();
        q.setSql(QStringLiteral("Select Value from S_字典 where TypeName=:Typename order by rowid"));
        q.setParam(QStringLiteral("Typename"), type);
        q.open();
        QStringList items{QStringLiteral("旧的")};
        FillItemsFromQuery(items, q, QStringLiteral("Value"));
        QCOMPARE(items, expected);
        QVERIFY(q.isOpen());
        QVERIFY(q.eof());

        DbPickEdit pick;
        pick.setItems({QStringLiteral("旧的")});
        FillItemsFromQuery(pick, q, QStringLiteral("Value"));
        QCOMPARE(pick.items(), expected);
    }
};

QTEST_MAIN(TestInputs)
#include "tst_Inputs.moc"
