#include "LeaseFixture.h"

#include "BandedGrid.h"
#include "BatchDataSet.h"

#include <QFont>

LeaseFixture::LeaseFixture()
    : m_database(QStringLiteral("sqlcipher")), m_connection(QStringLiteral("widgets_test")) {
    m_connection.open(m_database.settings());
    m_dataSet = std::make_unique<BatchDataSet>(m_connection);
    m_dataSet->setSql(QStringLiteral("Select * from H_出租表 order by ID"));
    m_dataSet->setTableName(QStringLiteral("H_出租表"));
}

LeaseFixture::~LeaseFixture() = default;

void LeaseFixture::insert(const QVariantMap& values) {
    ScratchDatabase::insertRow(m_connection, QStringLiteral("H_出租表"), values);
}

BatchDataSet& LeaseFixture::open() {
    m_dataSet->open();
    return *m_dataSet;
}

void LeaseFixture::layOutLeaseGrid(BandedGrid& grid) {
    QFont font = grid.font();
    font.setFamilies({QStringLiteral("AR PL UMing CN"), QStringLiteral("宋体")});
    font.setPixelSize(13);
    grid.setFont(font);
    QFont band;
    band.setFamilies(
        {QStringLiteral("AR PL UKai CN"), QStringLiteral("楷体_GB2312"), QStringLiteral("楷体")});
    band.setPixelSize(19);
    band.setBold(true);
    grid.setBandFont(band);
    grid.setBandColor(QColor(217, 232, 240));
    grid.setHint(QStringLiteral("双击显示详细信息"));
    grid.setRowSelect(true);

    grid.addBand(QStringLiteral("出租信息"));
    grid.addColumn(QStringLiteral("收件号"), QString(), 80);
    grid.addColumn(QStringLiteral("状态位"), QStringLiteral("状态"), 64);
    grid.addColumn(QStringLiteral("房屋地址"), QString(), 200);
    grid.addColumn(QStringLiteral("建筑面积"), QString(), 72);
    grid.addColumn(QStringLiteral("房型"), QString(), 80);
    grid.addColumn(QStringLiteral("朝向"), QString(), 56);
    grid.addColumn(QStringLiteral("楼层"), QString(), 50);
    grid.addColumn(QStringLiteral("租金"), QString(), 64);
    grid.addColumn(QStringLiteral("区域"), QString(), 64);
    grid.addColumn(QStringLiteral("装修情况"), QString(), 80);
    grid.addColumn(QStringLiteral("联系人"), QString(), 64);
    grid.addColumn(QStringLiteral("联系电话一"), QString(), 100);
    grid.addColumn(QStringLiteral("竣工日期"), QString(), 86);
    grid.addColumn(QStringLiteral("出租方备注"), QString(), 120);
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
