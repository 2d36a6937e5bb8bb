#include "AdminTestData.h"

#include "DatabaseConnection.h"
#include "DatabaseMaintenance.h"
#include "FreeQuery.h"
#include "ScratchDatabase.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QVariantMap>

#include <algorithm>

namespace AdminTestData {

void insertLeases(DatabaseConnection& connection, int count, int seed) {
    connection.begin();
    for (int i = 0; i < count; ++i) {
        const int n = seed + i;
        QVariantMap row{
            {QStringLiteral("收件号"), QStringLiteral("%1").arg(n + 1, 8, 10, QLatin1Char('0'))},
            {QStringLiteral("房屋地址"), QStringLiteral("文三路%1号%2室").arg(n % 300).arg(100 + n % 37)},
            {QStringLiteral("建筑面积"), 40 + n % 120},
            {QStringLiteral("租金"), 1500.25 + n % 50},
            {QStringLiteral("区域"), n % 2 ? QStringLiteral("西湖区") : QString()},
            {QStringLiteral("编辑日期"), QDate(2026, 1, 1).addDays(n % 300)},
            {QStringLiteral("状态位"), n % 3 ? QStringLiteral("未出租") : QStringLiteral("已出租")},
            {QStringLiteral("跟踪报警标志"), n % 3 == 0},
        };
        if (n % 3 == 0)
            row.insert(QStringLiteral("承租日期"), QDate(2026, 2, 1).addDays(n % 60));
        ScratchDatabase::insertRow(connection, QStringLiteral("H_出租表"), row);
    }
    connection.commit();
}

QStringList dump(DatabaseConnection& connection) {
    QStringList all;
    for (const QString& table : DatabaseMaintenance::tables()) {
        QSqlQuery q(connection.database());
        q.setForwardOnly(true);
        q.exec(QStringLiteral("SELECT * FROM %1").arg(table));
        QStringList rows;
        while (q.next()) {
            QStringList values;
            for (int i = 0; i < q.record().count(); ++i) {
                const QVariant v = q.value(i);
                if (v.isNull())
                    values << QStringLiteral("<null>");
                else if (v.typeId() == QMetaType::Double)
                    values << QString::number(v.toDouble(), 'f', 4);
                else if (v.typeId() == QMetaType::Bool)
                    values << QString::number(v.toBool());
                else if (v.typeId() == QMetaType::QDate || v.typeId() == QMetaType::QDateTime)
                    values << v.toDate().toString(Qt::ISODate);
                else
                    values << v.toString();
            }
            rows << table + u':' + values.join(u'|');
        }
        std::sort(rows.begin(), rows.end());
        all << rows;
    }
    return all;
}

qint64 number(DatabaseConnection& connection, const QString& sql) {
    FreeQuery q(connection);
    q.setSql(sql);
    q.open();
    return q.value(0).toLongLong();
}

qint64 count(DatabaseConnection& connection, const QString& table) {
    return number(connection, QStringLiteral("SELECT count(*) FROM %1").arg(table));
}

void exec(DatabaseConnection& connection, const QString& sql) {
    FreeQuery q(connection);
    q.setSql(sql);
    q.execute();
}

QByteArray fileBytes(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

QStringList folderEntries(const QString& folder) {
    QStringList names =
        QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    names.sort();
    return names;
}

} // namespace AdminTestData
