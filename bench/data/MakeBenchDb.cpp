// mkbenchdb <file> <rows> [days]: a fresh House.HDB holding <rows> lease listings registered over the
// last [days] days (default 10, so the lease list's opening range shows them all).
#include "ConnectionSettings.h"
#include "DatabaseConnection.h"
#include "DbError.h"
#include "HouseDbMaker.h"

#include <QCoreApplication>
#include <QDate>
#include <QRandomGenerator>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>

#include <algorithm>
#include <cstdio>

namespace {

const QStringList districts{"西湖区", "上城区", "拱墅区", "滨江区", "萧山区", "余杭区", "临平区", "钱塘区"};
const QStringList streets{"文三路", "文二路",   "教工路", "天目山路", "莫干山路", "解放路",
                          "庆春路", "江南大道", "滨盛路", "市心路",   "文一西路", "临平大道",
                          "学林街", "体育场路", "延安路", "凤起路"};
const QStringList layouts{"一室零厅", "一室一厅", "两室一厅", "两室两厅",
                          "三室一厅", "三室两厅", "四室两厅", "复式"};
const QStringList orientations{"朝南", "朝北", "朝东", "朝西", "南北", "东西", "东南", "西南"};
const QStringList decorations{"毛坯", "简单装修", "中等装修", "精装修", "豪华装修"};
const QStringList facilities{"水",   "电",   "煤气",   "暖气",   "有线电视", "宽带",
                             "电话", "空调", "热水器", "洗衣机", "冰箱",     "家具"};
const QStringList surroundings{"学校", "幼儿园", "医院",   "超市",   "菜场",
                               "银行", "公园",   "公交站", "地铁站", "商场"};
const QStringList prefixes{"杭房权证西字第", "杭房权证上字第", "杭房权证拱字第", "杭房权证滨字第",
                           "杭房权证萧字第"};
const QStringList surnames{"王", "李", "张", "刘", "陈", "杨", "黄", "赵",
                           "吴", "周", "徐", "孙", "马", "朱", "胡"};
const QStringList givenNames{"伟", "芳", "娜", "秀英", "敏", "静", "丽",   "强", "磊", "军", "洋",  "勇",
                             "艳", "杰", "娟", "涛",   "明", "超", "秀兰", "霞", "平", "刚", "桂英"};
const QStringList clerks{"张丽", "王强", "陈静", "刘洋"};
const QStringList remarks{"", "随时看房", "房东急租", "需提前一天预约", "可月付", "不宜养宠物", "拎包入住"};

class Listings {
public:
    explicit Listings(quint32 seed) : m_rng(seed) {}

    int between(int low, int high) { return int(m_rng.bounded(low, high + 1)); }
    const QString& pick(const QStringList& list) {
        return list.at(int(m_rng.bounded(qsizetype(list.size()))));
    }
    bool chance(int percent) { return between(1, 100) <= percent; }
    QString name() { return pick(surnames) + pick(givenNames); }
    QString phone() { return QStringLiteral("13%1").arg(between(100000000, 999999999)); }
    QString idNumber() {
        return QStringLiteral("3301%1%2").arg(between(19500101, 19991231)).arg(between(10000, 99999));
    }
    QString subset(const QStringList& list) {
        QStringList chosen;
        for (const QString& v : list)
            if (chance(40))
                chosen.append(v);
        return chosen.join(u',');
    }

private:
    QRandomGenerator m_rng;
};

const char* insertSql = "Insert into H_出租表 (收件号, 房屋地址, 建筑面积, 房型, 朝向, 楼层, 租金, 区域, "
                        "竣工日期, 产权证号, 房屋设施, "
                        "装修情况, 交通情况, 周围环境, 联系人, 联系电话一, 联系电话二, 联系人身份证号, "
                        "出租方备注, 编辑人, 编辑日期, "
                        "承租人姓名, 承租人联系电话, 承租人身份证号码, 承租价格, 承租日期, 承租截止日期, "
                        "承租方备注, 状态位, 受理人, "
                        "受理日期, 合同号, 佣金金额, 跟踪报警标志, 跟踪报警日期) values (?, ?, ?, ?, ?, ?, "
                        "?, ?, ?, ?, ?, ?, ?, ?, ?, "
                        "?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)";

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3 || args.size() > 4) {
        std::fprintf(stderr, "usage: mkbenchdb <database file> <rows> [days]\n");
        return 2;
    }
    const QString path = args.at(1);
    const int rows = args.at(2).toInt();
    const int days = args.size() > 3 ? qMax(1, args.at(3).toInt()) : 10;
    const QDate today = QDate::currentDate();
    try {
        HouseDbMaker::make(path, ConnectionSettings::localFilePassword());
        ConnectionSettings settings;
        settings.filePath = path;
        settings.key = ConnectionSettings::localFilePassword();
        DatabaseConnection connection;
        connection.open(settings);
        connection.begin();
        QSqlQuery insert(connection.database());
        if (!insert.prepare(QString::fromUtf8(insertSql)))
            throw DbError::fromSqlError(insert.lastError());
        Listings gen(20240229);
        const QVariant noDate(QMetaType(QMetaType::QDate));
        const QVariant noText(QMetaType(QMetaType::QString));
        const QVariant noMoney(QMetaType(QMetaType::Double));
        for (int i = 1; i <= rows; ++i) {
            const QString district = gen.pick(districts);
            const int rent = gen.between(16, 160) * 50;
            const int state = gen.between(1, 100);
            const bool let = state <= 30;
            const QString status = let           ? QStringLiteral("已出租")
                                   : state <= 90 ? QStringLiteral("未出租")
                                                 : QStringLiteral("已作废");
            const QDate registered = today.addDays(-gen.between(0, days - 1));
            QVariantList v{
                QStringLiteral("%1").arg(i, 8, 10, QLatin1Char('0')),
                QStringLiteral("%1%2%3号%4幢%5单元%6室")
                    .arg(district, gen.pick(streets))
                    .arg(gen.between(1, 400))
                    .arg(gen.between(1, 30))
                    .arg(gen.between(1, 4))
                    .arg(gen.between(1, 28) * 100 + gen.between(1, 4)),
                gen.between(35, 180),
                gen.pick(layouts),
                gen.pick(orientations),
                gen.between(1, 32),
                double(rent),
                district,
                QDate(gen.between(1985, 2022), gen.between(1, 12), gen.between(1, 28)),
                gen.pick(prefixes) + QStringLiteral("%1号").arg(gen.between(100000, 999999)),
                gen.subset(facilities),
                gen.pick(decorations),
                QStringLiteral("公交 %1 路、%2 路，距地铁站 %3 米")
                    .arg(gen.between(1, 300))
                    .arg(gen.between(1, 300))
                    .arg(gen.between(2, 30) * 50),
                gen.subset(surroundings),
                gen.name(),
                gen.phone(),
                gen.chance(20) ? QVariant(gen.phone()) : noText,
                gen.idNumber(),
                gen.pick(remarks),
                gen.pick(clerks),
                registered,
            };
            if (let) {
                const QDate start = std::min(registered.addDays(gen.between(0, 5)), today);
                v << gen.name() << gen.phone() << gen.idNumber() << double(rent - gen.between(0, 4) * 50)
                  << start << start.addYears(1) << gen.pick(remarks) << status << gen.pick(clerks) << start
                  << QStringLiteral("HT%1").arg(i, 8, 10, QLatin1Char('0')) << double(rent) * 50 / 100;
                const bool alarm = gen.chance(50);
                v << alarm << (alarm ? QVariant(start.addMonths(gen.between(1, 11))) : noDate);
            } else {
                v << noText << noText << noText << noMoney << noDate << noDate << noText << status << noText
                  << noDate << noText << noMoney << false << noDate;
            }
            for (int c = 0; c < v.size(); ++c)
                insert.bindValue(c, v.at(c));
            if (!insert.exec())
                throw DbError::fromSqlError(insert.lastError(), QStringLiteral("row %1").arg(i));
        }
        QSqlQuery counter(connection.database());
        counter.prepare(QStringLiteral("Update S_收件单号 set BillNo=? where Billtype='A'"));
        counter.addBindValue(rows + 1);
        if (!counter.exec())
            throw DbError::fromSqlError(counter.lastError());
        connection.commit();
    } catch (const DbError& e) {
        std::fprintf(stderr, "mkbenchdb: %s\n", e.what());
        return 1;
    }
    return 0;
}
