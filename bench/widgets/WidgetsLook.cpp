// Pictures of the grid and the editors for a look by eye: writes grid.png, form.png,
// checklist.png and calendar.png (1280x800 windows) into the folder given (default: current).
#include "BandedGrid.h"
#include "BatchDataSet.h"
#include "CheckListBox.h"
#include "ConnectionSettings.h"
#include "DatabaseConnection.h"
#include "DateText.h"
#include "DbCheckEdit.h"
#include "DbDateEdit.h"
#include "DbEdit.h"
#include "DbPickEdit.h"
#include "DbPopupCheckEdit.h"
#include "EditorLabel.h"
#include "FreeQuery.h"
#include "HouseDbMaker.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QDir>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QVBoxLayout>

namespace {

void fill(DatabaseConnection& connection) {
    const QStringList states{"未出租", "已出租", "已作废"};
    const QStringList types{"两室一厅", "一室一厅", "三室两厅", "两室两厅"};
    const QStringList regions{"城东", "城西", "城南", "开发区"};
    const QStringList streets{"幸福路", "人民路", "和平街", "解放大道", "新华路"};
    for (int i = 1; i <= 40; ++i) {
        FreeQuery q(connection);
        q.setSql(QStringLiteral(
            "insert into H_出租表 (收件号, 状态位, 房屋地址, 建筑面积, 房型, 朝向, 楼层, 租金, 区域, "
            "装修情况, "
            "联系人, 联系电话一, 竣工日期, 编辑人, 编辑日期, 受理人, 佣金金额, 承租人姓名, 承租价格) values "
            "(:b, :s, :a, :m, :t, :o, :f, :r, :q, :z, :l, :p, :j, :e, :d, :h, :y, :c, :k)"));
        const QString state = states[i % 3];
        q.setParam(QStringLiteral("b"), QStringLiteral("%1").arg(i, 8, 10, QLatin1Char('0')));
        q.setParam(QStringLiteral("s"), state);
        q.setParam(QStringLiteral("a"),
                   QStringLiteral("%1%2号%3室").arg(streets[i % 5]).arg(i * 7).arg(100 + i));
        q.setParam(QStringLiteral("m"), 50 + i * 3);
        q.setParam(QStringLiteral("t"), types[i % 4]);
        q.setParam(QStringLiteral("o"), i % 2 ? QStringLiteral("南") : QStringLiteral("东南"));
        q.setParam(QStringLiteral("f"), 1 + i % 18);
        q.setParam(QStringLiteral("r"), 800 + (i * 137) % 2400);
        q.setParam(QStringLiteral("q"), regions[i % 4]);
        q.setParam(QStringLiteral("z"), i % 3 ? QStringLiteral("精装修") : QStringLiteral("简装修"));
        q.setParam(QStringLiteral("l"), QStringLiteral("王先生"));
        q.setParam(QStringLiteral("p"), QStringLiteral("1390571%1").arg(i, 4, 10, QLatin1Char('0')));
        q.setParam(QStringLiteral("j"), QStringLiteral("199%1-0%2-15").arg(i % 10).arg(1 + i % 9));
        q.setParam(QStringLiteral("e"), QStringLiteral("李丽"));
        q.setParam(QStringLiteral("d"),
                   QStringLiteral("2024-05-%1").arg(1 + i % 28, 2, 10, QLatin1Char('0')));
        const bool let = state == QStringLiteral("已出租");
        q.setParam(QStringLiteral("h"), let ? QStringLiteral("张强") : QVariant());
        q.setParam(QStringLiteral("y"), let ? QVariant(450) : QVariant());
        q.setParam(QStringLiteral("c"), let ? QStringLiteral("赵敏") : QVariant());
        q.setParam(QStringLiteral("k"), let ? QVariant(1500) : QVariant());
        q.execute();
    }
}

QFont songti(int px) {
    QFont font;
    font.setFamilies({QStringLiteral("AR PL UMing CN"), QStringLiteral("宋体")});
    font.setPixelSize(px);
    return font;
}

void layOut(BandedGrid& grid) {
    grid.setFont(songti(13));
    QFont band;
    band.setFamilies(
        {QStringLiteral("AR PL UKai CN"), QStringLiteral("楷体_GB2312"), QStringLiteral("楷体")});
    band.setPixelSize(19);
    band.setBold(true);
    grid.setBandFont(band);
    grid.setBandColor(QColor(217, 232, 240));
    grid.setHint(QStringLiteral("双击显示详细信息"));
    const QList<QPair<const char*, int>> lease{
        {"收件号", 80}, {"状态位", 64},      {"房屋地址", 200}, {"建筑面积", 72},   {"房型", 80},
        {"朝向", 56},   {"楼层", 50},        {"租金", 64},      {"区域", 64},       {"装修情况", 80},
        {"联系人", 64}, {"联系电话一", 100}, {"竣工日期", 86},  {"出租方备注", 120}};
    grid.addBand(QStringLiteral("出租信息"));
    for (const auto& [field, width] : lease)
        grid.addColumn(
            QString::fromUtf8(field),
            QString::fromUtf8(field) == QStringLiteral("状态位") ? QStringLiteral("状态") : QString(), width);
    grid.addBand(QStringLiteral("中介信息"));
    grid.addColumn(QStringLiteral("编辑人"), QStringLiteral("录入人"), 64);
    grid.addColumn(QStringLiteral("编辑日期"), QStringLiteral("录入日期"), 86);
    grid.addColumn(QStringLiteral("受理人"), QString(), 64);
    grid.addColumn(QStringLiteral("佣金金额"), QString(), 72);
    grid.addColumn(QStringLiteral("受理日期"), QString(), 86);
    grid.addBand(QStringLiteral("承租信息"));
    grid.addColumn(QStringLiteral("承租人姓名"), QString(), 80);
    grid.addColumn(QStringLiteral("承租日期"), QString(), 86);
    grid.addColumn(QStringLiteral("承租人联系电话"), QString(), 110);
    grid.addColumn(QStringLiteral("承租价格"), QString(), 72);
    grid.addColumn(QStringLiteral("承租人身份证号码"), QStringLiteral("身份证号码"), 150);
    grid.setFilterColumns({QStringLiteral("收件号"), QStringLiteral("状态位"), QStringLiteral("房型"),
                           QStringLiteral("朝向"), QStringLiteral("楼层"), QStringLiteral("租金"),
                           QStringLiteral("区域"), QStringLiteral("装修情况"), QStringLiteral("承租日期"),
                           QStringLiteral("编辑人"), QStringLiteral("受理人")});
}

template <class E>
E* editor(QGridLayout* layout, int row, int col, const QString& label, BatchDataSet& ds, const QString& field,
          QWidget* parent) {
    auto* l = new QLabel(label, parent);
    auto* e = new E(parent);
    EditorLabel::attach(l, e);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    layout->addWidget(l, row, col);
    layout->addWidget(e, row, col + 1);
    e->bind(&ds, field);
    return e;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    app.setFont(songti(14));
    DateText::setShortFormat(QString::fromLatin1(DateText::Iso));
    const QDir outDir(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath());

    QTemporaryDir dir;
    ConnectionSettings settings;
    settings.filePath = dir.filePath(QStringLiteral("House.HDB"));
    settings.key = ConnectionSettings::localFilePassword();
    HouseDbMaker::make(settings.filePath, settings.key);
    DatabaseConnection connection;
    connection.open(settings);
    fill(connection);
    BatchDataSet ds(connection);
    ds.setSql(QStringLiteral("Select * from H_出租表 order by 编辑日期 DESC"));
    ds.setTableName(QStringLiteral("H_出租表"));

    BandedGrid grid;
    layOut(grid);
    grid.setDataSet(&ds);
    ds.open();
    grid.resize(1280, 800);
    grid.show();
    grid.sortOn(QStringLiteral("状态位"));
    grid.sortOn(QStringLiteral("租金"), Qt::DescendingOrder, true);
    grid.setFilter(QStringLiteral("房型"), QStringLiteral("两室一厅"));
    grid.clearFilters();
    grid.setFilter(QStringLiteral("区域"), QStringLiteral("城东"));
    grid.clearFilters();
    grid.focusViewRow(3);
    ds.setValue(QStringLiteral("房屋地址"), QStringLiteral("幸福路21号(修改中)"));
    QTest::qWait(50);
    grid.grab().save(outDir.filePath(QStringLiteral("grid.png")));
    grid.horizontalScrollBar()->setValue(grid.horizontalScrollBar()->maximum());
    QTest::qWait(50);
    grid.grab().save(outDir.filePath(QStringLiteral("grid-right.png")));
    grid.horizontalScrollBar()->setValue(0);
    ds.cancel();

    // A form of editors as a detail window lays them out.
    QWidget form;
    form.setWindowTitle(QStringLiteral("房屋出租信息"));
    auto* outer = new QVBoxLayout(&form);
    auto* landlord = new QGroupBox(QStringLiteral("出租方信息"), &form);
    auto* g1 = new QGridLayout(landlord);
    editor<DbEdit>(g1, 0, 0, QStringLiteral("收件号："), ds, QStringLiteral("收件号"), landlord)
        ->setEnabled(false);
    editor<DbEdit>(g1, 0, 2, QStringLiteral("房屋地址"), ds, QStringLiteral("房屋地址"), landlord);
    auto* area =
        editor<DbEdit>(g1, 1, 0, QStringLiteral("房屋面积"), ds, QStringLiteral("建筑面积"), landlord);
    editor<DbEdit>(g1, 1, 2, QStringLiteral("楼层"), ds, QStringLiteral("楼层"), landlord);
    editor<DbEdit>(g1, 2, 0, QStringLiteral("租金"), ds, QStringLiteral("租金"), landlord);
    editor<DbDateEdit>(g1, 2, 2, QStringLiteral("竣工日期"), ds, QStringLiteral("竣工日期"), landlord);
    auto* region = editor<DbPickEdit>(g1, 3, 0, QStringLiteral("区域"), ds, QStringLiteral("区域"), landlord);
    region->setItems(
        {QStringLiteral("城东"), QStringLiteral("城西"), QStringLiteral("城南"), QStringLiteral("开发区")});
    auto* type = editor<DbPickEdit>(g1, 3, 2, QStringLiteral("房型"), ds, QStringLiteral("房型"), landlord);
    type->setItems({QStringLiteral("一室一厅"), QStringLiteral("两室一厅"), QStringLiteral("三室两厅")});
    auto* env = editor<DbPopupCheckEdit>(g1, 4, 0, QStringLiteral("周围环境"), ds, QStringLiteral("周围环境"),
                                         landlord);
    env->checkList()->setItems({QStringLiteral("近学校"), QStringLiteral("公园"), QStringLiteral("近医院"),
                                QStringLiteral("近超市"), QStringLiteral("近地铁"), QStringLiteral("菜市场"),
                                QStringLiteral("银行"), QStringLiteral("近车站")});
    env->setPopupSize(QSize(377, 100));
    editor<DbEdit>(g1, 4, 2, QStringLiteral("联系人"), ds, QStringLiteral("联系人"), landlord);
    outer->addWidget(landlord);
    auto* tenant = new QGroupBox(QStringLiteral("承租方信息"), &form);
    auto* g2 = new QGridLayout(tenant);
    editor<DbEdit>(g2, 0, 0, QStringLiteral("承租人姓名"), ds, QStringLiteral("承租人姓名"), tenant)
        ->setReadOnly(true);
    editor<DbEdit>(g2, 0, 2, QStringLiteral("承租价格"), ds, QStringLiteral("承租价格"), tenant)
        ->setReadOnly(true);
    editor<DbDateEdit>(g2, 1, 0, QStringLiteral("承租日期"), ds, QStringLiteral("承租日期"), tenant)
        ->setReadOnly(true);
    editor<DbDateEdit>(g2, 1, 2, QStringLiteral("承租截止日期"), ds, QStringLiteral("承租截止日期"), tenant);
    auto* alarm = new DbCheckEdit(QStringLiteral("跟踪报警标志"), tenant);
    alarm->bind(&ds, QStringLiteral("跟踪报警标志"));
    g2->addWidget(alarm, 2, 1);
    outer->addWidget(tenant);
    outer->addStretch();
    form.resize(1280, 800);
    form.show();
    form.activateWindow();
    QTest::qWait(50);
    area->setFocus();
    area->selectAll();
    area->insert(QStringLiteral("12a"));
    QTest::qWait(50);
    form.grab().save(outDir.filePath(QStringLiteral("form.png")));
    QTest::keyClick(area, Qt::Key_Escape);

    ds.setValue(QStringLiteral("周围环境"), QStringLiteral("近学校,近超市,公园"));
    env->showPopup();
    QTest::qWait(50);
    env->popup()->grab().save(outDir.filePath(QStringLiteral("checklist.png")));
    env->hidePopup();
    auto* built = form.findChildren<DbDateEdit*>().value(0);
    built->showCalendar();
    QTest::qWait(50);
    built->calendarPopup()->grab().save(outDir.filePath(QStringLiteral("calendar.png")));
    built->calendarPopup()->hide();
    return 0;
}
