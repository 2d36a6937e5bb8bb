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
    f.filters = {
        {QStringLiteral("CKBALL"), QStringLiteral("全部"),
         QStringLiteral(" Select * from  H_出租表 where  编辑日期 between :beginDate and :EndDate Order by "
                        "编辑日期 DESC  "),
         false},
        {QStringLiteral("CKBYCZ"), QStringLiteral("已出租"),
         QStringLiteral(
             " Select * from  H_出租表 where  (编辑日期 between :beginDate and :EndDate) and (状态位=:Stat)  "
             "Order by 编辑日期 DESC  "),
         true},
        {QStringLiteral("CKBWCZ"), QStringLiteral("未出租"),
         QStringLiteral(
             " Select * from  H_出租表 where  编辑日期 between :beginDate and :EndDate and 状态位=:Stat  "
             "Order by 编辑日期 DESC  "),
         true},
        {QStringLiteral("CKBZF"), QStringLiteral("已作废"),
         QStringLiteral(
             " Select * from  H_出租表 where  编辑日期 between :beginDate and :EndDate and 状态位=:Stat  "
             "Order by 编辑日期 DESC  "),
         true},
    };
    f.filterOrder = {QStringLiteral("CKBALL"), QStringLiteral("CKBYCZ"), QStringLiteral("CKBZF")};
    f.fallbackFilter = QStringLiteral("CKBWCZ");

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
    f.editors = {
        B::disabled(B::editor("DBEdtId", Kind::Edit, "收件号", "收件号：", QString(), 0, 0)),
        B::editor("DBEdtAddress", Kind::Edit, "房屋地址", "房屋地址", Landlord, 0, 0, 2),
        B::unit(B::editor("DbEdtMJ", Kind::Edit, "建筑面积", "房屋面积", Landlord, 1, 0), "(平方米)"),
        B::unit(B::editor("DbEdtLC", Kind::Edit, "楼层", "楼层", Landlord, 1, 1), "(层)"),
        B::unit(B::editor("DbEdtZJ", Kind::Edit, "租金", "租金", Landlord, 2, 0), "(元/月)"),
        B::editor("DtpJG", Kind::DateEdit, "竣工日期", "竣工日期", Landlord, 2, 1),
        B::editor("CBQY", Kind::PickEdit, "区域", "区域", Landlord, 3, 0),
        B::editor("CBFX", Kind::PickEdit, "房型", "房型", Landlord, 3, 1),
        B::editor("CBZX", Kind::PickEdit, "朝向", "朝向", Landlord, 4, 0),
        B::editor("CBCQ", Kind::PickEdit, "产权证号", "产权证号", Landlord, 5, 0, 2),
        B::editor("CbZC", Kind::PickEdit, "装修情况", "装修情况", Landlord, 6, 0, 2),
        B::note(B::editor("CBJT", Kind::Edit, "交通情况", "交通情况", Landlord, 9, 0),
                "(附近的公交车例:1,21,155,)"),
        B::editor("DbEdtLinker", Kind::Edit, "联系人", "联系人", Landlord, 10, 0),
        B::editor("DbEdtTel", Kind::Edit, "联系电话一", "联系电话", Landlord, 10, 1),
        B::editor("DbEdtSingleId", Kind::Edit, "联系人身份证号", "身份证号码", Landlord, 11, 0),
        B::editor("DbEdtMemo", Kind::Edit, "出租方备注", "出租备注", Landlord, 12, 0, 2),
        B::deal(B::editor("DBCZLinker", Kind::Edit, "承租人姓名", "承租人姓名", Tenant, 0, 0)),
        B::deal(B::editor("DbCZTel", Kind::Edit, "承租人联系电话", "联系电话", Tenant, 0, 1)),
        B::deal(B::editor("DBCZID", Kind::Edit, "承租人身份证号码", "身份证号码", Tenant, 1, 0)),
        B::deal(B::editor("DBEdtCZPrice", Kind::Edit, "承租价格", "承租价格", Tenant, 1, 1)),
        B::deal(B::editor("DtpCZDate", Kind::DateEdit, "承租日期", "承租日期", Tenant, 2, 0)),
        B::deal(B::editor("DtpCZEnd", Kind::DateEdit, "承租截止日期", "承租截止日期", Tenant, 2, 1)),
        B::deal(B::editor("DbEdtCZMemo", Kind::Edit, "承租方备注", "承租备注", Tenant, 3, 0, 2)),
        B::deal(B::unit(B::editor("DbEdtYj", Kind::Edit, "佣金金额", "佣金金额", Handling, 0, 0), "(元)")),
        B::deal(B::editor("DbEdtHTH", Kind::Edit, "合同号", "合同号", Handling, 0, 1)),
        B::deal(B::editor("DtpBJDate", Kind::DateEdit, "跟踪报警日期", "跟踪报警日期", FollowUp, 0, 1)),
        B::deal(B::editor("CKBBJ", Kind::CheckEdit, "跟踪报警标志", "跟踪报警标志", FollowUp, 0, 0)),
        B::disabled(B::editor("DBEdtSLR", Kind::Edit, "受理人", "受理人", Handling, 2, 0)),
        B::disabled(B::editor("DBEdtSLDate", Kind::Edit, "受理日期", "受理日期", Handling, 2, 1)),
        B::readOnly(B::editor("DBEdtStat", Kind::Edit, "状态位", "房屋状态", QString(), 0, 1)),
        B::disabled(B::editor("dxDBEdit1", Kind::Edit, "编辑人", "录入人", Handling, 3, 0)),
        B::disabled(B::editor("dxDBEdit2", Kind::Edit, "编辑日期", "录入日期", Handling, 3, 1)),
        B::popup(B::editor("CBZW", Kind::PopupCheck, "周围环境", "周围环境", Landlord, 7, 0, 2), "CLBZW",
                 100),
        B::popup(B::editor("CBXS", Kind::PopupCheck, "房屋设施", "房屋设施", Landlord, 8, 0, 2), "CLBXS",
                 150),
    };
    f.pickLists = {
        {QStringLiteral("区域"), QStringLiteral("CBQY")},
        {QStringLiteral("房型"), QStringLiteral("CBFX")},
        {QStringLiteral("朝向"), QStringLiteral("CBZX")},
        {QStringLiteral("产权证号头"), QStringLiteral("CBCQ")},
        {QStringLiteral("周围环境"), QStringLiteral("CLBZW")},
        {QStringLiteral("装修情况"), QStringLiteral("CbZC")},
        {QStringLiteral("房屋设施"), QStringLiteral("CLBXS")},
    };

    const QStringList dealResets = {
        QStringLiteral("承租人姓名"),   QStringLiteral("承租人身份证号码"), QStringLiteral("承租价格"),
        QStringLiteral("承租日期"),     QStringLiteral("承租截止日期"),     QStringLiteral("承租方备注"),
        QStringLiteral("佣金金额"),     QStringLiteral("合同号"),           QStringLiteral("跟踪报警日期"),
        QStringLiteral("跟踪报警标志"),
    };
    RecordFamily::StateAction let;
    let.button = QStringLiteral("TbLease");
    let.caption = QStringLiteral("出租");
    let.glyph = 2;
    let.from = {QStringLiteral("未出租")};
    let.to = QStringLiteral("已出租");
    let.setUser = {QStringLiteral("受理人")};
    let.setToday = {QStringLiteral("受理日期")};
    let.viaModify = true;
    let.focusEditor = QStringLiteral("DBCZLinker");

    RecordFamily::StateAction vacate;
    vacate.button = QStringLiteral("TBVacate");
    vacate.caption = QStringLiteral("作废");
    vacate.glyph = 10;
    vacate.question = QStringLiteral("确定要作废当前的出租信息？");
    vacate.from = {QStringLiteral("未出租")};
    vacate.to = QStringLiteral("已作废");
    vacate.resets = dealResets;
    vacate.sendAtOnce = true;

    RecordFamily::StateAction again;
    again.button = QStringLiteral("TBReturn");
    again.caption = QStringLiteral("再租");
    again.glyph = 17;
    again.question = QStringLiteral("确定要对当前的信息再发布出租？");
    again.from = {QStringLiteral("已出租"), QStringLiteral("已作废")};
    again.to = QStringLiteral("未出租");
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
