#include "LeaseFamily.h"

#include "FamilyBuilder.h"
#include "TSetValue.h"

namespace {

using B = FamilyBuilder;
using Kind = RecordFamily::EditorKind;
using Source = RecordFamily::Preset::Source;

const QString Landlord = QStringLiteral("出租方信息");
const QString Tenant = QStringLiteral("承租方信息");
const QString Handling = QStringLiteral("受理信息");
const QString FollowUp = QStringLiteral("租房跟踪");

RecordFamily build() {
    RecordFamily f;
    f.table = QStringLiteral("H_出租表");
    f.billType = QStringLiteral("A");
    f.stateColumn = QStringLiteral("状态位");
    f.states = {QStringLiteral("未出租"), QStringLiteral("已出租"), QStringLiteral("已作废")};
    f.dealStates = {QStringLiteral("已出租")};
    f.baseSql = QStringLiteral("Select * from H_出租表 ");

    f.listCaption = QStringLiteral("房屋出租管理");
    B::stateFilters(f, QStringLiteral("已出租"), QStringLiteral("未出租"));

    f.bands = {QStringLiteral("出租信息"), QStringLiteral("中介信息"), QStringLiteral("承租信息")};
    f.columns = {
        B::column("收件号", 0, true),
        B::column("状态位", 0, true, "状态"),
        {QStringLiteral("房屋地址"), QString(), 0, false, 220},
        B::column("建筑面积", 0),
        B::column("房型", 0, true),
        B::column("朝向", 0, true),
        B::column("楼层", 0, true),
        B::column("租金", 0, true),
        B::column("区域", 0, true),
        B::column("装修情况", 0, true),
        B::column("联系人", 0),
        B::column("联系电话一", 0),
        B::column("竣工日期", 0),
        {QStringLiteral("出租方备注"), QString(), 0, false, 160},
        B::column("编辑人", 1, true, "录入人"),
        B::column("编辑日期", 1, false, "录入日期"),
        B::column("受理人", 1, true),
        B::column("佣金金额", 1),
        B::column("受理日期", 1),
        B::column("承租人姓名", 2),
        B::column("承租日期", 2, true),
        B::column("承租人联系电话", 2),
        B::column("承租价格", 2),
        B::column("承租人身份证号码", 2, false, "身份证号码"),
        B::column("ID", -1),
        B::column("产权证号", -1),
        B::column("房屋设施", -1),
        B::column("交通情况", -1),
        B::column("周围环境", -1),
        B::column("联系电话二", -1),
        B::column("联系人身份证号", -1),
        B::column("承租截止日期", -1),
        B::column("承租方备注", -1),
        B::column("合同号", -1),
        B::column("跟踪报警标志", -1),
        B::column("跟踪报警日期", -1),
    };
    f.wholeRowSelection = true;
    f.presets = {
        {QStringLiteral("编辑日期"), Source::Today, {}},
        {QStringLiteral("编辑人"), Source::UserName, {}},
        {QStringLiteral("状态位"), Source::Text, QStringLiteral("未出租")},
        {QStringLiteral("跟踪报警标志"), Source::False, {}},
    };

    f.detailCaption = QStringLiteral("房屋出租信息");
    f.detailTitle = QStringLiteral("房屋出租详细信息");
    f.groups = {Landlord, Tenant, Handling, FollowUp};
    // Tab order is the order of this table; row and column place each editor in its group.
    f.editors = {B::billNumber()};
    f.editors << B::houseBasics(Landlord);
    f.editors << QList<RecordFamily::Editor>{
        B::unit(B::editor("DbEdtZJ", Kind::Edit, "租金", "租金", Landlord, 2, 0), "(元/月)"),
        B::editor("DtpJG", Kind::DateEdit, "竣工日期", "竣工日期", Landlord, 2, 1),
        B::editor("CBQY", Kind::PickEdit, "区域", "区域", Landlord, 3, 0),
        B::editor("CBFX", Kind::PickEdit, "房型", "房型", Landlord, 3, 1),
        B::editor("CBZX", Kind::PickEdit, "朝向", "朝向", Landlord, 4, 0),
        B::editor("CBCQ", Kind::PickEdit, "产权证号", "产权证号", Landlord, 5, 0, 2),
        B::editor("CbZC", Kind::PickEdit, "装修情况", "装修情况", Landlord, 6, 0, 2),
    };
    f.editors << B::ownerContact(Landlord, 9);
    f.editors << QList<RecordFamily::Editor>{
        B::editor("DbEdtMemo", Kind::Edit, "出租方备注", "出租备注", Landlord, 12, 0, 2),
        B::deal(B::editor("DBCZLinker", Kind::Edit, "承租人姓名", "承租人姓名", Tenant, 0, 0)),
        B::deal(B::editor("DbCZTel", Kind::Edit, "承租人联系电话", "联系电话", Tenant, 0, 1)),
        B::deal(B::editor("DBCZID", Kind::Edit, "承租人身份证号码", "身份证号码", Tenant, 1, 0)),
        B::deal(B::editor("DBEdtCZPrice", Kind::Edit, "承租价格", "承租价格", Tenant, 1, 1)),
        B::deal(B::editor("DtpCZDate", Kind::DateEdit, "承租日期", "承租日期", Tenant, 2, 0)),
        B::deal(B::editor("DtpCZEnd", Kind::DateEdit, "承租截止日期", "承租截止日期", Tenant, 2, 1)),
        B::deal(B::editor("DbEdtCZMemo", Kind::Edit, "承租方备注", "承租备注", Tenant, 3, 0, 2)),
    };
    f.editors << B::commissionAndContract(Handling, 0);
    f.editors << QList<RecordFamily::Editor>{
        B::deal(B::editor("DtpBJDate", Kind::DateEdit, "跟踪报警日期", "跟踪报警日期", FollowUp, 0, 1)),
        B::deal(B::editor("CKBBJ", Kind::CheckEdit, "跟踪报警标志", "跟踪报警标志", FollowUp, 0, 0)),
    };
    f.editors << B::handledBy(Handling, 2);
    f.editors << QList<RecordFamily::Editor>{
        B::stateShown(),
        B::disabled(B::editor("dxDBEdit1", Kind::Edit, "编辑人", "录入人", Handling, 3, 0)),
        B::disabled(B::editor("dxDBEdit2", Kind::Edit, "编辑日期", "录入日期", Handling, 3, 1)),
        B::popup(B::editor("CBZW", Kind::PopupCheck, "周围环境", "周围环境", Landlord, 7, 0, 2), "CLBZW",
                 100),
        B::popup(B::editor("CBXS", Kind::PopupCheck, "房屋设施", "房屋设施", Landlord, 8, 0, 2), "CLBXS",
                 150),
    };
    f.pickLists = {
        B::pick("区域", "CBQY"),       B::pick("房型", "CBFX"),      B::pick("朝向", "CBZX"),
        B::pick("产权证号头", "CBCQ"), B::pick("周围环境", "CLBZW"), B::pick("装修情况", "CbZC"),
        B::pick("房屋设施", "CLBXS"),
    };

    const QStringList dealResets = {
        QStringLiteral("承租人姓名"),   QStringLiteral("承租人身份证号码"), QStringLiteral("承租价格"),
        QStringLiteral("承租日期"),     QStringLiteral("承租截止日期"),     QStringLiteral("承租方备注"),
        QStringLiteral("佣金金额"),     QStringLiteral("合同号"),           QStringLiteral("跟踪报警日期"),
        QStringLiteral("跟踪报警标志"),
    };
    const RecordFamily::StateAction let =
        B::dealAction("TbLease", "出租", "", QStringLiteral("未出租"), QStringLiteral("已出租"));

    RecordFamily::StateAction vacate = B::action("TBVacate", "作废", 10, "确定要作废当前的出租信息？",
                                                 QStringLiteral("未出租"), QStringLiteral("已作废"));
    vacate.resets = dealResets;
    vacate.sendAtOnce = true;

    RecordFamily::StateAction again = B::action("TBReturn", "再租", 17, "确定要对当前的信息再发布出租？",
                                                QStringLiteral("已出租"), QStringLiteral("未出租"));
    again.from << QStringLiteral("已作废");
    again.setToday = {QStringLiteral("编辑日期")};
    again.resets = dealResets + QStringList{QStringLiteral("受理人"), QStringLiteral("受理日期")};
    again.sendAtOnce = true;

    f.actions = {let, vacate, again};
    f.dealAction = let.button;
    f.commissionEditor = QStringLiteral("DbEdtYj");
    f.commissionColumn = QStringLiteral("佣金金额");
    f.priceColumn = QStringLiteral("承租价格");

    f.printTemplate = QStringLiteral("/Template/出租单.Rtm");
    f.percent = [] { return AppGlobals.LeaseCommission; };
    return f;
}

} // namespace

const RecordFamily& LeaseFamily::get() {
    static const RecordFamily family = build();
    return family;
}
