#include "AlarmFamily.h"

#include "FamilyBuilder.h"
#include "LeaseFamily.h"

namespace {

using B = FamilyBuilder;

RecordFamily build() {
    // The same table, editors, pick lists, commission and bill as the lease listings.
    const RecordFamily& lease = LeaseFamily::get();
    RecordFamily f = lease;
    f.addsRows = false;

    f.listCaption = QStringLiteral("房屋出租报警管理");
    f.dateLabel = QStringLiteral("报警日期：");
    f.openingDays = AlarmFamily::Days;
    f.querySql = AlarmFamily::query();
    f.fixedState = AlarmFamily::state();
    f.filters.clear();
    f.filterOrder.clear();
    f.fallbackFilter.clear();
    f.listHidden = B::names({"TbNew", "TbDelete", "ToolSep1", "TbRefresh", "ToolSep2"});

    f.bands = {QStringLiteral("房屋信息"), QStringLiteral("承租信息"), QStringLiteral("中介信息")};
    f.columns = {
        B::column("收件号", 0, true),
        B::column("跟踪报警日期", 0),
        B::column("房型", 0, true),
        B::column("朝向", 0, true),
        B::column("楼层", 0, true),
        B::column("区域", 0, true),
        B::column("装修情况", 0, true),
        B::column("联系人", 0),
        B::column("联系电话一", 0),
        B::column("合同号", 0),
        B::column("承租人姓名", 1),
        B::column("承租人联系电话", 1, false, "联系电话"),
        B::column("承租截止日期", 1),
        B::column("佣金金额", 2),
        B::column("受理人", 2, true),
        B::column("ID", -1),
        B::column("状态位", -1, false, "状态"),
        B::column("房屋地址", -1),
        B::column("建筑面积", -1),
        B::column("租金", -1),
        B::column("产权证号", -1),
        B::column("房屋设施", -1),
        B::column("交通情况", -1),
        B::column("周围环境", -1),
        B::column("竣工日期", -1),
        B::column("联系电话二", -1),
        B::column("联系人身份证号", -1),
        B::column("出租方备注", -1),
        B::column("承租方备注", -1),
        B::column("跟踪报警标志", -1),
        B::column("承租日期", -1),
        B::column("承租人身份证号码", -1, false, "身份证号码"),
        B::column("承租价格", -1),
        B::column("编辑人", -1, false, "录入人"),
        B::column("编辑日期", -1, false, "录入日期"),
        B::column("受理日期", -1),
    };

    f.detailCaption = QStringLiteral("房屋出租报警");
    f.detailTitle = QStringLiteral("房屋详细信息");
    // Only 再租: no letting or cancelling here, and no key for it.
    f.actions = {*lease.action(QStringLiteral("TBReturn"))};
    f.dealAction.clear();
    // 打印 is hidden but F8 reaches it; it prints the house's lease bill.
    f.detailHidden = B::names({"Tbnew", "TbDelete", "ToolSep2", "TbPrint", "ToolSep5"});
    return f;
}

} // namespace

QString AlarmFamily::query() {
    return QStringLiteral(" Select * from  H_出租表 ") +
           QStringLiteral(
               " where  (跟踪报警日期 between :beginDate and :EndDate) and (跟踪报警标志=true) and "
               "(状态位=:Stat)  Order by 编辑日期 DESC  ");
}

const RecordFamily& AlarmFamily::get() {
    static const RecordFamily family = build();
    return family;
}
