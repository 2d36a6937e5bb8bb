#include "BandedGrid.h"
#include "BandedHeaderView.h"
#include "BatchDataSet.h"
#include "GridFilterPopup.h"
#include "GridIndicatorHeader.h"
#include "GridProxyModel.h"
#include "LeaseFixture.h"
#include "TestSupport.h"

#include <QAbstractItemModelTester>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

namespace {

QVariantMap listing(const QString& bill, const QString& state, int rent, const QString& type) {
    return {{QStringLiteral("收件号"), bill},
            {QStringLiteral("状态位"), state},
            {QStringLiteral("租金"), rent},
            {QStringLiteral("房型"), type},
            {QStringLiteral("房屋地址"), QStringLiteral("幸福路%1号").arg(bill.right(1))},
            {QStringLiteral("编辑日期"), QStringLiteral("2024-05-0%1").arg(bill.right(1))}};
}

} // namespace

class TestBandedGrid : public QObject {
    Q_OBJECT

    std::unique_ptr<LeaseFixture> fixture;
    std::unique_ptr<BandedGrid> grid;

    BatchDataSet& ds() { return fixture->dataSet(); }
    int logical(const QString& field) { return ds().columnIndex(field); }

    // The bill numbers (last digit) in the order the grid shows them.
    QString shownBills() {
        QStringList bills;
        for (int row = 0; row < grid->viewRowCount(); ++row)
            bills << grid->viewModel()
                         ->index(row, logical(QStringLiteral("收件号")))
                         .data()
                         .toString()
                         .right(1);
        return bills.join(u',');
    }
    QString currentBill() { return ds().text(QStringLiteral("收件号")).right(1); }

    void clickCaption(const QString& field, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        BandedHeaderView* header = grid->bandedHeader();
        const QRect cell = header->captionRect(logical(field));
        QTest::mouseClick(header->viewport(), Qt::LeftButton, modifiers,
                          QPoint(cell.left() + 12, cell.center().y()));
    }
    void clickFilterButton(const QString& field) {
        BandedHeaderView* header = grid->bandedHeader();
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          header->filterButtonRect(logical(field)).center());
    }
    void choosePopupEntry(const QString& text) {
        GridFilterPopup* popup = grid->filterPopup();
        QVERIFY(popup->isVisible());
        const auto items = popup->findItems(text, Qt::MatchExactly);
        QCOMPARE(items.size(), 1);
        QTest::mouseClick(popup->viewport(), Qt::LeftButton, {},
                          popup->visualItemRect(items.first()).center());
        QVERIFY(!popup->isVisible());
    }

private slots:
    void init() {
        fixture = std::make_unique<LeaseFixture>();
        fixture->insert(
            listing(QStringLiteral("00000001"), QStringLiteral("未出租"), 1500, QStringLiteral("两室一厅")));
        fixture->insert(
            listing(QStringLiteral("00000002"), QStringLiteral("已出租"), 1200, QStringLiteral("一室一厅")));
        fixture->insert(
            listing(QStringLiteral("00000003"), QStringLiteral("未出租"), 1200, QStringLiteral("三室两厅")));
        fixture->insert(
            listing(QStringLiteral("00000004"), QStringLiteral("已作废"), 900, QStringLiteral("两室一厅")));
        fixture->insert(
            listing(QStringLiteral("00000005"), QStringLiteral("已出租"), 2000, QStringLiteral("两室一厅")));
        fixture->insert(
            listing(QStringLiteral("00000006"), QStringLiteral("未出租"), 800, QStringLiteral("一室一厅")));
        grid = std::make_unique<BandedGrid>();
        LeaseFixture::layOutLeaseGrid(*grid);
        grid->setDataSet(&fixture->dataSet());
        fixture->open();
        grid->resize(1200, 400);
        grid->show();
        QVERIFY(QTest::qWaitForWindowExposed(grid.get()));
    }

    void cleanup() {
        grid.reset();
        fixture.reset();
    }

    void showsBandsOverTheirColumnsAndOnlyTheShownColumns() {
        QCOMPARE(grid->bandCaptions(), (QStringList{"出租信息", "中介信息", "承租信息"}));
        const QStringList shown = grid->shownColumns();
        QCOMPARE(shown.size(), 24);
        QCOMPARE(shown.first(), QStringLiteral("收件号"));
        QCOMPARE(shown.at(14), QStringLiteral("编辑人"));
        QCOMPARE(shown.last(), QStringLiteral("承租人身份证号码"));
        // Hidden columns stay in the data.
        for (const char* hidden : {"ID", "房屋设施", "周围环境", "跟踪报警标志", "合同号"}) {
            QVERIFY2(!grid->isColumnShown(QString::fromUtf8(hidden)), hidden);
            QVERIFY(ds().columnIndex(QString::fromUtf8(hidden)) >= 0);
        }
        QCOMPARE(grid->caption(QStringLiteral("状态位")), QStringLiteral("状态"));
        QCOMPARE(grid->caption(QStringLiteral("编辑人")), QStringLiteral("录入人"));

        // Each band spans exactly its columns, side by side.
        BandedHeaderView* header = grid->bandedHeader();
        const QRect first = header->bandRect(0);
        const QRect second = header->bandRect(1);
        const QRect third = header->bandRect(2);
        int widthOfFirst = 0;
        for (int i = 0; i < 14; ++i)
            widthOfFirst += header->sectionSize(logical(shown[i]));
        QCOMPARE(first.left(), header->sectionViewportPosition(logical(QStringLiteral("收件号"))));
        QCOMPARE(first.width(), widthOfFirst);
        QCOMPARE(second.left(), first.right() + 1);
        QCOMPARE(third.left(), second.right() + 1);
        QCOMPARE(header->sectionSize(logical(QStringLiteral("房屋地址"))), 200);
        QVERIFY(header->height() > header->bandHeight() + header->fontMetrics().height());
        QCOMPARE(grid->footerText(), QStringLiteral("共 6 条记录"));
        QCOMPARE(grid->viewModel()->index(0, 0).data(Qt::ToolTipRole).toString(),
                 QStringLiteral("双击显示详细信息"));
    }

    void sortsOnSeveralColumnsFromTheHeader_data() {
        QTest::addColumn<QStringList>("clicks"); // "+" = shift-click
        QTest::addColumn<QString>("bills");
        QTest::newRow("state, then rent") << QStringList{"状态位", "+租金"} << "6,3,1,2,5,4";
        QTest::newRow("state, then rent turned round")
            << QStringList{"状态位", "+租金", "+租金"} << "1,3,6,5,2,4";
        QTest::newRow("state turned round, then rent")
            << QStringList{"状态位", "状态位", "+租金"} << "4,2,5,6,3,1";
        QTest::newRow("a plain click replaces the sort") << QStringList{"状态位", "租金"} << "6,4,2,3,1,5";
        QTest::newRow("ties keep the data's order") << QStringList{"租金", "租金"} << "5,1,2,3,4,6";
        QTest::newRow("bill number") << QStringList{"收件号", "收件号"} << "6,5,4,3,2,1";
    }
    void sortsOnSeveralColumnsFromTheHeader() {
        QFETCH(QStringList, clicks);
        QFETCH(QString, bills);
        for (const QString& click : clicks) {
            if (click.startsWith(u'+'))
                clickCaption(click.mid(1), Qt::ShiftModifier);
            else
                clickCaption(click);
        }
        QCOMPARE(shownBills(), bills);
        // The data set itself keeps its order.
        QCOMPARE(ds().valueAt(0, logical(QStringLiteral("收件号"))).toString(), QStringLiteral("00000001"));
    }

    void filtersOnlyOnTheNamedColumns() {
        BandedHeaderView* header = grid->bandedHeader();
        QVERIFY(header->filterButtonRect(logical(QStringLiteral("状态位"))).isValid());
        QVERIFY(!header->filterButtonRect(logical(QStringLiteral("房屋地址"))).isValid());
        QVERIFY(!grid->setFilter(QStringLiteral("房屋地址"), QStringLiteral("幸福路1号")));

        clickFilterButton(QStringLiteral("状态位"));
        GridFilterPopup* popup = grid->filterPopup();
        QVERIFY(popup->isVisible());
        QStringList entries;
        for (int i = 0; i < popup->count(); ++i)
            entries << popup->item(i)->text();
        QCOMPARE(entries, (QStringList{"(全部)", "未出租", "已出租", "已作废"}));
        choosePopupEntry(QStringLiteral("已出租"));
        QCOMPARE(shownBills(), QStringLiteral("2,5"));
        QCOMPARE(grid->footerText(), QStringLiteral("共 2 条记录（筛选自 6 条）"));

        // Filters of two columns both hold; the data set follows the rows left in view.
        QVERIFY(grid->setFilter(QStringLiteral("房型"), QStringLiteral("两室一厅")));
        QCOMPARE(shownBills(), QStringLiteral("5"));
        QCOMPARE(currentBill(), QStringLiteral("5"));

        clickFilterButton(QStringLiteral("状态位"));
        choosePopupEntry(QStringLiteral("(全部)"));
        QCOMPARE(shownBills(), QStringLiteral("1,4,5"));
        grid->clearFilters();
        QCOMPARE(shownBills(), QStringLiteral("1,2,3,4,5,6"));

        // Where a filter button would be on another column, a click only sorts.
        const QRect address = header->captionRect(logical(QStringLiteral("房屋地址")));
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(address.right() - 6, address.center().y()));
        QVERIFY(!popup->isVisible());
        QCOMPARE(grid->sortColumns().value(0).first, QStringLiteral("房屋地址"));
    }

    // The grid's sorted and filtered view keeps the item-model contract through sorting,
    // filtering, edits, appends, deletes and a re-query, as Qt's model tester checks it.
    void viewModelContractHolds() {
        QAbstractItemModelTester tester(grid->viewModel(),
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        clickCaption(QStringLiteral("租金"));
        clickCaption(QStringLiteral("房型"), Qt::ShiftModifier);
        QVERIFY(grid->setFilter(QStringLiteral("状态位"), QStringLiteral("未出租")));
        ds().setValue(QStringLiteral("房屋地址"), QStringLiteral("改了"));
        ds().post();
        ds().append();
        ds().setValue(QStringLiteral("收件号"), QStringLiteral("00000007"));
        ds().post();
        ds().setCurrentRow(0);
        ds().deleteCurrent();
        ds().cancelBatch();
        grid->clearFilters();
        QCOMPARE(grid->viewRowCount(), 6);
        fixture->open();
        QCOMPARE(grid->viewRowCount(), 6);
    }

    void aFilterThatHidesTheCurrentRowMovesToTheFirstShown() {
        ds().setCurrentRow(3); // bill 4, 已作废
        QCOMPARE(grid->currentViewRow(), 3);
        QVERIFY(grid->setFilter(QStringLiteral("状态位"), QStringLiteral("未出租")));
        QCOMPARE(currentBill(), QStringLiteral("1"));
        QCOMPARE(grid->currentViewRow(), 0);
    }

    void navigationGoesInViewOrderBothWays() {
        clickCaption(QStringLiteral("租金"));
        clickCaption(QStringLiteral("租金")); // rent, highest first: 5,1,2,3,4,6
        grid->focusFirst();
        QCOMPARE(currentBill(), QStringLiteral("5"));
        grid->focusNext();
        QCOMPARE(currentBill(), QStringLiteral("1"));
        grid->focusLast();
        QCOMPARE(currentBill(), QStringLiteral("6"));
        grid->focusNext(); // stays on the last
        QCOMPARE(currentBill(), QStringLiteral("6"));
        grid->focusPrior();
        QCOMPARE(currentBill(), QStringLiteral("4"));

        // The grid follows the data set.
        ds().setCurrentRow(2); // bill 3, fourth in view
        QCOMPARE(grid->currentViewRow(), 3);
        QCOMPARE(grid->indicator()->markedRow(), 3);

        // A click on a row moves the data set.
        const QRect cell = grid->visualRect(grid->viewModel()->index(1, logical(QStringLiteral("房屋地址"))));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
        QCOMPARE(currentBill(), QStringLiteral("1"));
        QVERIFY(grid->selectionModel()->isRowSelected(1, {}));
    }

    void indicatorShowsCurrentEditAndInsert() {
        GridIndicatorHeader* indicator = grid->indicator();
        grid->focusViewRow(2);
        QCOMPARE(indicator->markedRow(), 2);
        QCOMPARE(indicator->mark(), GridIndicatorHeader::Mark::Current);
        ds().edit();
        QCOMPARE(indicator->mark(), GridIndicatorHeader::Mark::Editing);
        ds().cancel();
        QCOMPARE(indicator->mark(), GridIndicatorHeader::Mark::Current);
        ds().append();
        QCOMPARE(grid->viewRowCount(), 7);
        QCOMPARE(indicator->markedRow(), 6);
        QCOMPARE(indicator->mark(), GridIndicatorHeader::Mark::Inserting);
        QCOMPARE(grid->footerText(), QStringLiteral("共 7 条记录"));
        ds().cancel();
        QCOMPARE(grid->viewRowCount(), 6);
        QCOMPARE(indicator->mark(), GridIndicatorHeader::Mark::Current);
        QCOMPARE(indicator->markedRow(), grid->currentViewRow());
    }

    void doubleClickSignalsAndEditsNothing() {
        QSignalSpy spy(grid.get(), &BandedGrid::gridDoubleClicked);
        const QRect cell = grid->visualRect(grid->viewModel()->index(2, logical(QStringLiteral("房屋地址"))));
        // What a real double click delivers: a click, then the double click.
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
        QCOMPARE(spy.count(), 1);
        QCOMPARE(currentBill(), QStringLiteral("3"));
        QCOMPARE(ds().state(), BatchDataSet::State::Browse);
        QVERIFY(grid->findChildren<QLineEdit*>().isEmpty());
    }

    void tickColumnShowsItsTickAndIgnoresClicks() {
        ds().setCurrentRow(1);
        ds().setValue(QStringLiteral("跟踪报警标志"), true);
        ds().post();
        grid->clearLayout();
        grid->addBand(QStringLiteral("房屋信息"));
        grid->addColumn(QStringLiteral("收件号"), QString(), 80);
        grid->addColumn(QStringLiteral("跟踪报警标志"), QString(), 90);
        QCOMPARE(grid->shownColumns(), (QStringList{"收件号", "跟踪报警标志"}));
        const QModelIndex tick = grid->viewModel()->index(1, logical(QStringLiteral("跟踪报警标志")));
        QCOMPARE(tick.data(Qt::CheckStateRole).toInt(), int(Qt::Checked));
        QVERIFY(tick.data(Qt::DisplayRole).toString().isEmpty());
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(tick).center());
        QCOMPARE(ds().valueAt(1, tick.column()).toBool(), true);
        QCOMPARE(ds().state(), BatchDataSet::State::Browse);
    }

    void cellFocusSelectsOneCell() {
        grid->setRowSelect(false);
        const QModelIndex cell = grid->viewModel()->index(2, logical(QStringLiteral("房型")));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(cell).center());
        QCOMPARE(grid->selectionModel()->selectedIndexes(), QModelIndexList{cell});
        QCOMPARE(currentBill(), QStringLiteral("3"));
    }

    void reQueryKeepsLayoutSortAndFilter() {
        clickCaption(QStringLiteral("租金"));
        QVERIFY(grid->setFilter(QStringLiteral("状态位"), QStringLiteral("未出租")));
        fixture->insert(
            listing(QStringLiteral("00000007"), QStringLiteral("未出租"), 1000, QStringLiteral("一室一厅")));
        ds().open();
        QCOMPARE(grid->shownColumns().size(), 24);
        QVERIFY(!grid->isColumnShown(QStringLiteral("ID")));
        QCOMPARE(shownBills(), QStringLiteral("6,7,3,1"));
        QCOMPARE(grid->indicator()->markedRow(), grid->currentViewRow());
    }
};

QTEST_MAIN(TestBandedGrid)
#include "tst_BandedGrid.moc"
