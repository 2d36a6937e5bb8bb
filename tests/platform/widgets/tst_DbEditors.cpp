#include "BandedGrid.h"
#include "BatchDataSet.h"
#include "CheckListBox.h"
#include "DateText.h"
#include "DbCheckEdit.h"
#include "DbDateEdit.h"
#include "DbEdit.h"
#include "DbPickEdit.h"
#include "DbPopupCheckEdit.h"
#include "EditorLabel.h"
#include "GridProxyModel.h"
#include "LeaseFixture.h"
#include "MultiChoiceText.h"
#include "TestSupport.h"

#include <QCalendarWidget>
#include <QDate>
#include <QFormLayout>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QWidget>

namespace {

// Types any text, Chinese included, key by key into the widget.
void typeText(QWidget* widget, const QString& text) {
    for (const QChar ch : text) {
        if (ch.unicode() < 0x80) {
            QTest::keyClick(widget, ch.toLatin1());
        } else {
            QTest::sendKeyEvent(QTest::Press, widget, Qt::Key_unknown, QString(ch), Qt::NoModifier);
            QTest::sendKeyEvent(QTest::Release, widget, Qt::Key_unknown, QString(ch), Qt::NoModifier);
        }
    }
}

} // namespace

class TestDbEditors : public QObject {
    Q_OBJECT

    std::unique_ptr<LeaseFixture> fixture;
    std::unique_ptr<QWidget> window;
    BandedGrid* grid = nullptr;
    DbEdit* address = nullptr;
    DbEdit* area = nullptr;
    DbEdit* rent = nullptr;
    DbPickEdit* region = nullptr;
    DbDateEdit* built = nullptr;
    DbCheckEdit* alarm = nullptr;
    DbPopupCheckEdit* surroundings = nullptr;

    BatchDataSet& ds() { return fixture->dataSet(); }
    QString gridText(const QString& field) {
        const QModelIndex index = grid->viewModel()->index(grid->currentViewRow(), ds().columnIndex(field));
        return index.data().toString();
    }

private slots:
    void initTestCase() {
        // The login window fixes the program's date format.
        DateText::setShortFormat(QString::fromLatin1(DateText::Iso));
    }

    void init() {
        fixture = std::make_unique<LeaseFixture>();
        fixture->insert({{"收件号", "00000001"},
                         {"房屋地址", "幸福路1号"},
                         {"建筑面积", 90},
                         {"租金", 1500},
                         {"区域", "城东"},
                         {"竣工日期", "2001-09-30"},
                         {"周围环境", "近学校,近超市,公园"},
                         {"跟踪报警标志", 1}});
        fixture->insert({{"收件号", "00000002"},
                         {"房屋地址", "和平街2号"},
                         {"建筑面积", 60},
                         {"租金", 900.5},
                         {"区域", "城西"},
                         {"跟踪报警标志", QVariant()}});
        window = std::make_unique<QWidget>();
        auto* form = new QFormLayout;
        auto row = [&](const QString& label, QWidget* editor) {
            auto* l = new QLabel(label, window.get());
            EditorLabel::attach(l, editor);
            form->addRow(l, editor);
        };
        grid = new BandedGrid(window.get());
        LeaseFixture::layOutLeaseGrid(*grid);
        address = new DbEdit(window.get());
        area = new DbEdit(window.get());
        rent = new DbEdit(window.get());
        region = new DbPickEdit(window.get());
        built = new DbDateEdit(window.get());
        alarm = new DbCheckEdit(QStringLiteral("跟踪报警标志"), window.get());
        surroundings = new DbPopupCheckEdit(window.get());
        row(QStringLiteral("房屋地址"), address);
        row(QStringLiteral("房屋面积："), area);
        row(QStringLiteral("租金"), rent);
        row(QStringLiteral("区域"), region);
        row(QStringLiteral("竣工日期"), built);
        form->addRow(QString(), alarm);
        row(QStringLiteral("周围环境"), surroundings);
        auto* layout = new QVBoxLayout(window.get());
        layout->addWidget(grid);
        layout->addLayout(form);

        grid->setDataSet(&ds());
        address->bind(&ds(), QStringLiteral("房屋地址"));
        area->bind(&ds(), QStringLiteral("建筑面积"));
        rent->bind(&ds(), QStringLiteral("租金"));
        region->bind(&ds(), QStringLiteral("区域"));
        built->bind(&ds(), QStringLiteral("竣工日期"));
        alarm->bind(&ds(), QStringLiteral("跟踪报警标志"));
        surroundings->bind(&ds(), QStringLiteral("周围环境"));
        region->setItems({QStringLiteral("城东"), QStringLiteral("城西"), QStringLiteral("城南")});
        surroundings->checkList()->setItems(
            {QStringLiteral("近学校"), QStringLiteral("公园"), QStringLiteral("近医院")});
        fixture->open();
        window->resize(1000, 700);
        window->show();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
    }

    void cleanup() {
        window.reset();
        fixture.reset();
    }

    void editorsShowTheCurrentRowAndFollowMoves() {
        QCOMPARE(address->text(), QStringLiteral("幸福路1号"));
        QCOMPARE(area->text(), QStringLiteral("90"));
        QCOMPARE(rent->text(), QStringLiteral("1500"));
        QCOMPARE(region->currentText(), QStringLiteral("城东"));
        QCOMPARE(built->text(), QStringLiteral("2001-09-30"));
        QVERIFY(alarm->isChecked());
        QCOMPARE(surroundings->text(), QStringLiteral("近学校,近超市,公园"));

        grid->focusNext();
        QCOMPARE(address->text(), QStringLiteral("和平街2号"));
        QCOMPARE(rent->text(), QStringLiteral("900.5"));
        QCOMPARE(region->currentText(), QStringLiteral("城西"));
        QCOMPARE(built->text(), QString());
        QVERIFY(!alarm->isChecked()); // empty shows unticked
        QCOMPARE(surroundings->text(), QString());

        ds().first();
        QCOMPARE(address->text(), QStringLiteral("幸福路1号"));
        QCOMPARE(grid->currentViewRow(), 0);

        // A value changed by code shows at once.
        ds().setValue(QStringLiteral("房屋地址"), QStringLiteral("幸福路11号"));
        QCOMPARE(address->text(), QStringLiteral("幸福路11号"));
        ds().cancel();
        QCOMPARE(address->text(), QStringLiteral("幸福路1号"));
    }

    void typingGoesIntoTheDataSetAndTheGridAtOnce() {
        address->setFocus();
        address->selectAll();
        typeText(address, QStringLiteral("人民路8号"));
        QCOMPARE(ds().state(), BatchDataSet::State::Edit);
        QCOMPARE(ds().value(QStringLiteral("房屋地址")).toString(), QStringLiteral("人民路8号"));
        QCOMPARE(gridText(QStringLiteral("房屋地址")), QStringLiteral("人民路8号"));

        region->lineEdit()->selectAll();
        typeText(region->lineEdit(), QStringLiteral("开发区"));
        QCOMPARE(ds().value(QStringLiteral("区域")).toString(), QStringLiteral("开发区"));
        region->setCurrentIndex(2); // a choice from the list
        QCOMPARE(ds().value(QStringLiteral("区域")).toString(), QStringLiteral("城南"));
        QCOMPARE(gridText(QStringLiteral("区域")), QStringLiteral("城南"));

        rent->setFocus();
        rent->selectAll();
        typeText(rent, QStringLiteral("1800.50"));
        QCOMPARE(ds().value(QStringLiteral("租金")).toDouble(), 1800.5);
        QCOMPARE(rent->text(), QStringLiteral("1800.50")); // untouched while typing
        QTest::keyClick(rent, Qt::Key_Tab);
        QCOMPARE(rent->text(), QStringLiteral("1800.5"));

        alarm->click();
        QCOMPARE(ds().value(QStringLiteral("跟踪报警标志")).toBool(), false);

        // The pending edits survive a move and come back with the row.
        grid->focusNext();
        grid->focusFirst();
        QCOMPARE(address->text(), QStringLiteral("人民路8号"));
        QCOMPARE(region->currentText(), QStringLiteral("城南"));
        QVERIFY(ds().hasPendingChanges());
    }

    void numbersTheColumnCannotHoldAreRefusedAtTheEditor_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::newRow("letters in an integer") << "建筑面积"
                                               << "12a";
        QTest::newRow("fraction in an integer") << "建筑面积"
                                                << "12.5";
        QTest::newRow("integer out of range") << "建筑面积"
                                              << "99999999999";
        QTest::newRow("letters in money") << "租金"
                                          << "1千";
        QTest::newRow("five decimals") << "租金"
                                       << "1.23456";
    }
    void numbersTheColumnCannotHoldAreRefusedAtTheEditor() {
        QFETCH(QString, field);
        QFETCH(QString, typed);
        DbEdit* editor = field == QStringLiteral("建筑面积") ? area : rent;
        const QVariant before = ds().value(field);

        typeText(address, QStringLiteral("甲"));
        editor->setFocus();
        editor->selectAll();
        editor->insert(typed); // as pasted
        QVERIFY(!editor->errorText().isEmpty());
        QVERIFY(editor->hasRefusedText());
        auto* tip = window->findChild<QLabel*>(QStringLiteral("fieldErrorTip"));
        QVERIFY(tip && tip->isVisible());
        QCOMPARE(tip->text(), editor->errorText());
        // The refused text stays in the editor, the column keeps its value, nothing else is lost.
        QCOMPARE(ds().value(field), before);
        QCOMPARE(editor->text(), typed);
        QCOMPARE(ds().value(QStringLiteral("房屋地址")).toString(), QStringLiteral("幸福路1号甲"));
        QTest::keyClick(editor, Qt::Key_Tab);
        QCOMPARE(editor->text(), typed);
        // Another editor's edit does not wipe the refused text.
        typeText(address, QStringLiteral("乙"));
        QCOMPARE(editor->text(), typed);

        // Esc brings the stored value back.
        editor->setFocus();
        QTest::keyClick(editor, Qt::Key_Escape);
        QVERIFY(editor->errorText().isEmpty());
        QVERIFY(!tip->isVisible());
        QCOMPARE(editor->text(), ds().text(field));
        QCOMPARE(ds().value(QStringLiteral("房屋地址")).toString(), QStringLiteral("幸福路1号甲乙"));

        // Typed key by key, the accepted beginning is stored on the way; Esc goes back to the
        // value from before the edit, a correction clears the refusal.
        editor->selectAll();
        typeText(editor, typed);
        QVERIFY(!editor->errorText().isEmpty());
        QTest::keyClick(editor, Qt::Key_Escape);
        QCOMPARE(ds().value(field), before);
        editor->selectAll();
        typeText(editor, typed);
        editor->selectAll();
        typeText(editor, QStringLiteral("120"));
        QVERIFY(editor->errorText().isEmpty());
        QCOMPARE(ds().value(field).toInt(), 120);

        // Cancelling the row's edit drops a refused text along with everything else.
        editor->selectAll();
        editor->insert(typed);
        QVERIFY(editor->hasRefusedText());
        ds().cancel();
        QVERIFY(!editor->hasRefusedText());
        QCOMPARE(editor->text(), ds().text(field));
        QCOMPARE(ds().value(field), before);
    }

    void anUnfinishedNumberIsRefusedWhenLeft() {
        rent->setFocus();
        rent->selectAll();
        typeText(rent, QStringLiteral("-"));
        QVERIFY(rent->errorText().isEmpty()); // on the way to "-5"
        QVERIFY(rent->hasRefusedText());
        QTest::keyClick(rent, Qt::Key_Tab);
        QVERIFY(!rent->errorText().isEmpty());
        QCOMPARE(rent->text(), QStringLiteral("-"));
        QCOMPARE(ds().value(QStringLiteral("租金")).toInt(), 1500);
        rent->selectAll();
        QTest::keyClick(rent, Qt::Key_Delete);
        QVERIFY(rent->errorText().isEmpty());
        QVERIFY(ds().isNull(QStringLiteral("租金"))); // empty money is no value
    }

    void dateEditEmptyIsNull() {
        built->setFocus();
        built->selectAll();
        QTest::keyClick(built, Qt::Key_Delete);
        QVERIFY(ds().isNull(QStringLiteral("竣工日期")));
        QCOMPARE(gridText(QStringLiteral("竣工日期")), QString());

        typeText(built, QStringLiteral("2024-03-05"));
        QCOMPARE(ds().value(QStringLiteral("竣工日期")).toDate(), QDate(2024, 3, 5));
        QCOMPARE(gridText(QStringLiteral("竣工日期")), QStringLiteral("2024-03-05"));
        QTest::keyClick(built, Qt::Key_Tab);

        built->setFocus();
        built->selectAll();
        typeText(built, QStringLiteral("2024-13-45"));
        QTest::keyClick(built, Qt::Key_Tab);
        QVERIFY(!built->errorText().isEmpty());
        QCOMPARE(built->text(), QStringLiteral("2024-13-45"));
        QCOMPARE(ds().value(QStringLiteral("竣工日期")).toDate(), QDate(2024, 3, 5));
        built->setFocus();
        QTest::keyClick(built, Qt::Key_Escape);
        QCOMPARE(built->text(), QStringLiteral("2024-03-05"));

        // From the calendar, and cleared again from it.
        built->showCalendar();
        QVERIFY(built->calendarPopup()->isVisible());
        built->calendar()->setSelectedDate(QDate(2023, 12, 1));
        QTest::keyClick(built->calendar()->focusWidget() ? built->calendar()->focusWidget()
                                                         : built->calendar(),
                        Qt::Key_Return);
        QVERIFY(!built->calendarPopup()->isVisible());
        QCOMPARE(ds().value(QStringLiteral("竣工日期")).toDate(), QDate(2023, 12, 1));
        QCOMPARE(built->text(), QStringLiteral("2023-12-01"));
        built->showCalendar();
        const auto buttons = built->calendarPopup()->findChildren<QPushButton*>();
        for (QPushButton* button : buttons)
            if (button->text() == QStringLiteral("清除"))
                button->click();
        QVERIFY(ds().isNull(QStringLiteral("竣工日期")));
        QCOMPARE(built->text(), QString());
    }

    void checkEditEmptyShowsUntickedAndStoresTicks() {
        grid->focusNext(); // 跟踪报警标志 is empty here
        QVERIFY(ds().isNull(QStringLiteral("跟踪报警标志")));
        QVERIFY(!alarm->isChecked());
        QCOMPARE(ds().state(), BatchDataSet::State::Browse);
        QTest::mouseClick(alarm, Qt::LeftButton, {}, QPoint(8, alarm->height() / 2));
        QVERIFY(alarm->isChecked());
        QCOMPARE(ds().value(QStringLiteral("跟踪报警标志")).toBool(), true);
        QCOMPARE(grid->viewModel()
                     ->index(1, ds().columnIndex(QStringLiteral("跟踪报警标志")))
                     .data(Qt::CheckStateRole)
                     .toInt(),
                 int(Qt::Checked));
    }

    void popupCheckListTicksTheStoredItemsAndStoresInListOrder() {
        QSignalSpy opening(surroundings, &DbPopupCheckEdit::popupOpening);
        QSignalSpy changed(surroundings, &DbPopupCheckEdit::itemCheckChanged);
        surroundings->showPopup();
        QCOMPARE(opening.count(), 1);
        CheckListBox* list = surroundings->checkList();
        QVERIFY(list->isVisible());
        QCOMPARE(list->checks(), (QList<bool>{true, true, false}));

        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(2)).center());
        QCOMPARE(changed.count(), 1);
        QCOMPARE(ds().value(QStringLiteral("周围环境")).toString(), QStringLiteral("近学校,公园,近医院"));
        QCOMPARE(surroundings->text(), QStringLiteral("近学校,公园,近医院"));
        // A hidden column: not shown, but there in the data.
        QVERIFY(!grid->isColumnShown(QStringLiteral("周围环境")));
        QCOMPARE(gridText(QStringLiteral("周围环境")), QStringLiteral("近学校,公园,近医院"));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(0)).center());
        QCOMPARE(ds().value(QStringLiteral("周围环境")).toString(), QStringLiteral("公园,近医院"));
        surroundings->hidePopup();

        // Three columns side by side: the first three items head their columns or share one
        // column, never wider than a third.
        QVERIFY(list->visualItemRect(list->item(0)).width() <= list->viewport()->width() / 3 + 1);
    }

    void popupCheckListLeavesTheWorkToTheWindowWhenAsked() {
        surroundings->setBuiltInChoice(false);
        QSignalSpy changed(surroundings, &DbPopupCheckEdit::itemCheckChanged);
        surroundings->showPopup();
        CheckListBox* list = surroundings->checkList();
        QCOMPARE(list->checks(), (QList<bool>{false, false, false}));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(1)).center());
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.first().first().toInt(), 1);
        QVERIFY(list->isChecked(1));
        QCOMPARE(ds().state(), BatchDataSet::State::Browse);
        QCOMPARE(ds().value(QStringLiteral("周围环境")).toString(), QStringLiteral("近学校,近超市,公园"));
    }

    void multiChoiceText_data() {
        QTest::addColumn<QStringList>("items");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QList<bool>>("ticks");
        const QStringList items{"近学校", "公园", "近医院"};
        QTest::newRow("unknown piece ignored")
            << items << "近学校,近超市,公园" << QList<bool>{true, true, false};
        QTest::newRow("empty") << items << "" << QList<bool>{false, false, false};
        QTest::newRow("pieces not trimmed") << items << "近学校, 公园" << QList<bool>{true, false, false};
        QTest::newRow("letters without case")
            << QStringList{"WiFi", "TV"} << "wifi,tv," << QList<bool>{true, true};
        QTest::newRow("first equal item only") << QStringList{"a", "A"} << "a" << QList<bool>{true, false};
    }
    void multiChoiceText() {
        QFETCH(QStringList, items);
        QFETCH(QString, text);
        QFETCH(QList<bool>, ticks);
        QCOMPARE(MultiChoiceText::ticks(items, text), ticks);
    }

    void joinKeepsListOrder() {
        const QStringList items{"近学校", "公园", "近医院"};
        QCOMPARE(MultiChoiceText::join(items, {true, true, true}), QStringLiteral("近学校,公园,近医院"));
        QCOMPARE(MultiChoiceText::join(items, {false, true, true}), QStringLiteral("公园,近医院"));
        QCOMPARE(MultiChoiceText::join(items, {false, false, false}), QString());
    }

    void readOnlyEditorsShowAndSelectButChangeNothing() {
        const QColor normal = address->palette().color(QPalette::Base);
        for (DbFieldBinding* editor :
             std::initializer_list<DbFieldBinding*>{address, region, built, alarm, surroundings})
            editor->setReadOnly(true);
        QVERIFY(address->palette().color(QPalette::Base) != normal);
        address->setFocus();
        typeText(address, QStringLiteral("丙"));
        address->selectAll();
        QCOMPARE(address->selectedText(), QStringLiteral("幸福路1号"));
        QTest::mouseClick(alarm, Qt::LeftButton, {}, QPoint(8, alarm->height() / 2));
        QTest::keyClick(alarm, Qt::Key_Space);
        QVERIFY(alarm->isChecked());
        region->showPopup();
        QTest::keyClick(region, Qt::Key_Down);
        QCOMPARE(region->currentText(), QStringLiteral("城东"));
        surroundings->showPopup();
        QVERIFY(!surroundings->checkList()->isEnabled());
        QTest::mouseClick(
            surroundings->checkList()->viewport(), Qt::LeftButton, {},
            surroundings->checkList()->visualItemRect(surroundings->checkList()->item(2)).center());
        surroundings->hidePopup();
        built->showCalendar();
        QVERIFY(!built->calendarPopup()->isVisible());
        QCOMPARE(ds().state(), BatchDataSet::State::Browse);
        QVERIFY(!ds().hasPendingChanges());

        address->setReadOnly(false);
        QCOMPARE(address->palette().color(QPalette::Base), normal);
    }

    void labelsNameTheirEditors() {
        QCOMPARE(address->accessibleName(), QStringLiteral("房屋地址"));
        QCOMPARE(area->accessibleName(), QStringLiteral("房屋面积"));
        QCOMPARE(alarm->text(), QStringLiteral("跟踪报警标志"));
        const auto labels = window->findChildren<QLabel*>();
        bool found = false;
        for (QLabel* label : labels)
            found = found || (label->text() == QStringLiteral("竣工日期") && label->buddy() == built);
        QVERIFY(found);
        auto* phone = new DbEdit(window.get());
        EditorLabel::attach(new QLabel(QStringLiteral("联系电话："), window.get()), phone,
                            QStringLiteral("承租方信息"));
        QCOMPARE(phone->accessibleName(), QStringLiteral("承租方信息 联系电话"));
    }

    void textColumnsTakeNoMoreThanTheirSize() {
        QCOMPARE(address->maxLength(), 100);
        address->selectAll();
        typeText(address, QString(120, QChar(u'房')));
        QCOMPARE(ds().value(QStringLiteral("房屋地址")).toString().size(), 100);
    }
};

QTEST_MAIN(TestDbEditors)
#include "tst_DbEditors.moc"
