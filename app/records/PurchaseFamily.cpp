#include "PurchaseFamily.h"

#include "RecordFamily.h"
#include "RentFamily.h"

namespace {

// The rent demands' description over H_求购表: the texts of the window pair and the price.
RecordFamily build() {
    RecordFamily f = RentFamily::get();
    f.table = QStringLiteral("H_求购表");
    f.baseSql = QStringLiteral("Select * from H_求购表");
    f.listCaption = QStringLiteral("房屋求购管理");
    f.querySql = QStringLiteral(
        " Select * from  H_求购表 where  编辑日期 between :beginDate and :EndDate Order by 编辑日期 DESC  ");
    f.bands = {QStringLiteral("求购信息一览表")};
    for (RecordFamily::GridColumn& c : f.columns)
        if (c.column == u"租金")
            c.column = QStringLiteral("售价");

    const QString seeker = QStringLiteral("求购方信息");
    f.detailCaption = QStringLiteral("房屋求购");
    f.detailTitle = QStringLiteral("房屋求购详细信息");
    f.groups = {seeker};
    for (RecordFamily::Editor& e : f.editors) {
        if (!e.group.isEmpty())
            e.group = seeker;
        if (e.name == QLatin1String("DbEdtZJ")) {
            e.column = QStringLiteral("售价");
            e.label = QStringLiteral("售价");
            e.unit = QStringLiteral("(万元)");
        }
    }
    f.printTemplate = QStringLiteral("/Template/求购单.Rtm");
    return f;
}

} // namespace

const RecordFamily& PurchaseFamily::get() {
    static const RecordFamily family = build();
    return family;
}
