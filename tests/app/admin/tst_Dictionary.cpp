#include "AdminTestBed.h"
#include "BandedGrid.h"
#include "BatchDataSet.h"
#include "DbEdit.h"
#include "DbPickEdit.h"
#include "MessageBoxService.h"
#include "ModalSeam.h"
#include "TFrm_addDict.h"
#include "TFrm_dict.h"
#include "TestSupport.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include <functional>

namespace {
void withDictWindow(const std::function<void(TFrm_dict*)>& body) {
    AdminTestBed::withModal<TFrm_dict>(body, [] { ShowDictForm(); });
}

TFrm_addDict* dialogOf(QWidget* w) {
    return qobject_cast<TFrm_addDict*>(w);
}

// The grid's rows in the order shown, "type/value".
QStringList shownRows(TFrm_dict* form) {
    QStringList rows;
    const BatchDataSet* ds = form->QryData;
    const int type = ds->columnIndex(QStringLiteral("TypeName"));
    const int value = ds->columnIndex(QStringLiteral("Value"));
    for (int r = 0; r < form->dxDBGrid1->viewRowCount(); ++r) {
        const int source = form->dxDBGrid1->sourceRow(r);
        rows << ds->valueAt(source, type).toString() + u'/' + ds->valueAt(source, value).toString();
    }
    return rows;
}

void setText(QComboBox* box, const QString& text) {
    box->lineEdit()->selectAll();
    QTest::keyClick(box->lineEdit(), Qt::Key_Delete);
    ShellTestDb::typeText(box->lineEdit(), text);
}

void setText(QLineEdit* edit, const QString& text) {
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    ShellTestDb::typeText(edit, text);
}
} // namespace

class TestDictionary : public QObject {
    Q_OBJECT
private slots:
    void initTestCase_data() { AdminTestBed::addEngineRows(); }

    void emptyDictionary() {
        QFETCH_GLOBAL(QString, engine);
        AdminTestBed bed(engine);
        GuiTestScope scope;
        bed.exec(QStringLiteral("delete from S_字典"));
        withDictWindow([&](TFrm_dict* form) {
            QCOMPARE(form->windowTitle(), QStringLiteral("字典维护"));
            QCOMPARE(form->LbTitle->text(), QStringLiteral("基 础 信 息 维 护"));
            QVERIFY(!form->TbPrint->isVisible());
            QCOMPARE(form->dxDBGrid1->viewRowCount(), 0);
            QTest::mouseClick(form->TbDelete, Qt::LeftButton);
            QVERIFY(AdminTestBed::shownTexts().isEmpty());
            ModalSeam::drive([&](QWidget* w) { QCOMPARE(dialogOf(w)->CbType->items(), QStringList()); });
            QTest::mouseClick(form->TbNew, Qt::LeftButton);
        });
    }

    // Values grouped under their type; a new type is stored and shown at once, offered in the type
    // list only when the window is opened again.
    void addUnderANewType() {
        QFETCH_GLOBAL(QString, engine);
        AdminTestBed bed(engine);
        GuiTestScope scope;
        bed.exec(QStringLiteral("delete from S_字典"));
        bed.exec(QStringLiteral("insert into S_字典 (TypeName,Value) values ('朝向','朝南')"));
        bed.exec(QStringLiteral("insert into S_字典 (TypeName,Value) values ('区域','西湖区')"));
        bed.exec(QStringLiteral("insert into S_字典 (TypeName,Value) values ('朝向','朝北')"));
        withDictWindow([&](TFrm_dict* form) {
            // Grouped by type in the Chinese order of the type names (朝 chao before 区 qu).
            QCOMPARE(shownRows(form), (QStringList{"朝向/朝北", "朝向/朝南", "区域/西湖区"}));
            ModalSeam::drive([&](QWidget* w) {
                TFrm_addDict* d = dialogOf(w);
                QCOMPARE(d->windowTitle(), QStringLiteral("字典操作"));
                QStringList types = d->CbType->items();
                types.sort();
                QCOMPARE(types, (QStringList{"区域", "朝向"}));
                setText(d->CbType, QStringLiteral("车位"));
                setText(d->EdtValue, QStringLiteral("地下车位 'A' -- 1"));
                QTest::mouseClick(d->Btnadd, Qt::LeftButton);
                QVERIFY(!d->isVisible());
            });
            QTest::keyClick(form->dxDBGrid1, Qt::Key_F2);
            QCOMPARE(shownRows(form),
                     (QStringList{"朝向/朝北", "朝向/朝南", "车位/地下车位 'A' -- 1", "区域/西湖区"}));
            ModalSeam::drive([&](QWidget* w) {
                QVERIFY(!dialogOf(w)->CbType->items().contains(QStringLiteral("车位")));
                QTest::mouseClick(dialogOf(w)->Btncancel, Qt::LeftButton);
            });
            QTest::mouseClick(form->TbNew, Qt::LeftButton);
            QCOMPARE(form->dxDBGrid1->viewRowCount(), 4);
        });
        QVERIFY(AdminTestBed::shownTexts().isEmpty());
        QCOMPARE(bed.column(QStringLiteral("select Value from S_字典 where TypeName='车位'")),
                 QStringLiteral("地下车位 'A' -- 1"));
        withDictWindow([&](TFrm_dict* form) {
            ModalSeam::drive(
                [&](QWidget* w) { QVERIFY(dialogOf(w)->CbType->items().contains(QStringLiteral("车位"))); });
            QTest::mouseClick(form->TbNew, Qt::LeftButton);
        });
    }

    void saveRefusals_data() {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("message");
        QTest::newRow("empty type") << ""
                                    << "x"
                                    << "请输入信息!!!";
        QTest::newRow("empty value") << "区域"
                                     << ""
                                     << "请输入信息!!!";
        QTest::newRow("both empty") << ""
                                    << ""
                                    << "请输入信息!!!";
        QTest::newRow("a blank counts as filled") << " "
                                                  << " "
                                                  << "";
    }
    void saveRefusals() {
        QFETCH_GLOBAL(QString, engine);
        QFETCH(QString, type);
        QFETCH(QString, value);
        QFETCH(QString, message);
        AdminTestBed bed(engine);
        GuiTestScope scope;
        const int before = bed.count(QStringLiteral("select count(*) from S_字典"));
        withDictWindow([&](TFrm_dict* form) {
            ModalSeam::drive([&](QWidget* w) {
                TFrm_addDict* d = dialogOf(w);
                setText(d->CbType, type);
                setText(d->EdtValue, value);
                QTest::mouseClick(d->Btnadd, Qt::LeftButton);
                QCOMPARE(d->isVisible(), !message.isEmpty());
                if (!message.isEmpty())
                    QTest::mouseClick(d->Btncancel, Qt::LeftButton);
            });
            QTest::mouseClick(form->TbNew, Qt::LeftButton);
        });
        QCOMPARE(AdminTestBed::shownTexts(), message.isEmpty() ? QStringList() : QStringList{message});
        QCOMPARE(bed.count(QStringLiteral("select count(*) from S_字典")),
                 before + (message.isEmpty() ? 1 : 0));
    }

    // 修改 then 取消 gives the row back; 修改 then 保存 writes it; a failing save keeps the dialog.
    void changing() {
        QFETCH_GLOBAL(QString, engine);
        AdminTestBed bed(engine);
        GuiTestScope scope;
        bed.exec(QStringLiteral("delete from S_字典"));
        bed.exec(QStringLiteral("insert into S_字典 (TypeName,Value) values ('区域','西湖区')"));
        withDictWindow([&](TFrm_dict* form) {
            ModalSeam::drive([&](QWidget* w) {
                setText(dialogOf(w)->EdtValue, QStringLiteral("上城区"));
                QTest::mouseClick(dialogOf(w)->Btncancel, Qt::LeftButton);
            });
            QTest::keyClick(form->dxDBGrid1, Qt::Key_F3);
            QCOMPARE(shownRows(form), QStringList{"区域/西湖区"});
            QVERIFY(!form->QryData->hasPendingChanges());

            // Another workstation drops the table for a moment: the save fails and the dialog stays.
            ModalSeam::drive([&](QWidget* w) {
                TFrm_addDict* d = dialogOf(w);
                setText(d->EdtValue, QStringLiteral("滨江区"));
                bed.exec(QStringLiteral("alter table S_字典 rename to S_字典_x"));
                QTest::mouseClick(d->Btnadd, Qt::LeftButton);
                QCOMPARE(AdminTestBed::shownTexts(), QStringList{"保存失败!!!"});
                QVERIFY(d->isVisible());
                QCOMPARE(d->EdtValue->text(), QStringLiteral("滨江区"));
                bed.exec(QStringLiteral("alter table S_字典_x rename to S_字典"));
                QTest::mouseClick(d->Btnadd, Qt::LeftButton);
                QVERIFY(!d->isVisible());
            });
            QTest::mouseClick(form->TbModfiy, Qt::LeftButton);
            QCOMPARE(shownRows(form), QStringList{"区域/滨江区"});
        });
        QCOMPARE(bed.column(QStringLiteral("select Value from S_字典")), QStringLiteral("滨江区"));
    }

    void deleting_data() {
        QTest::addColumn<MsgAnswer>("answer");
        QTest::addColumn<bool>("deleted");
        QTest::newRow("No keeps the row") << MsgAnswer::No << false;
        QTest::newRow("Yes deletes it") << MsgAnswer::Yes << true;
    }
    void deleting() {
        QFETCH_GLOBAL(QString, engine);
        QFETCH(MsgAnswer, answer);
        QFETCH(bool, deleted);
        AdminTestBed bed(engine);
        GuiTestScope scope;
        bed.exec(QStringLiteral("delete from S_字典"));
        bed.exec(QStringLiteral("insert into S_字典 (TypeName,Value) values ('区域','西湖区')"));
        bed.exec(QStringLiteral("insert into S_字典 (TypeName,Value) values ('朝向','西湖区')"));
        withDictWindow([&](TFrm_dict* form) {
            form->dxDBGrid1->focusLast(); // 区域/西湖区
            MessageBoxService::queueAnswer(answer);
            QTest::keyClick(form->dxDBGrid1, Qt::Key_F4);
            QCOMPARE(MessageBoxService::last().text, QStringLiteral("你确定要从数据库中删除西湖区？"));
            QCOMPARE(MessageBoxService::last().caption, QStringLiteral("确认"));
            QCOMPARE(MessageBoxService::last().icon, MsgIcon::Question);
            QCOMPARE(shownRows(form).size(), deleted ? 1 : 2);
        });
        QCOMPARE(bed.column(QStringLiteral("select TypeName from S_字典 order by TypeName")),
                 deleted ? QStringLiteral("朝向") : QStringLiteral("区域|朝向"));
    }

    // 刷新 reads what other workstations saved meanwhile.
    void refreshRereads() {
        QFETCH_GLOBAL(QString, engine);
        AdminTestBed bed(engine);
        GuiTestScope scope;
        const int before = bed.count(QStringLiteral("select count(*) from S_字典"));
        withDictWindow([&](TFrm_dict* form) {
            QCOMPARE(form->dxDBGrid1->viewRowCount(), before);
            bed.exec(QStringLiteral("insert into S_字典 (TypeName,Value) values ('区域','新区')"));
            QTest::mouseClick(form->TbRefresh, Qt::LeftButton);
            QCOMPARE(form->dxDBGrid1->viewRowCount(), before + 1);
            QVERIFY(shownRows(form).contains(QStringLiteral("区域/新区")));
        });
        QVERIFY(AdminTestBed::shownTexts().isEmpty());
    }
};

QTEST_MAIN(TestDictionary)
#include "tst_Dictionary.moc"
