#include "SaleFamily.h"

#include "FamilyBuilder.h"
#include "TSetValue.h"

namespace {

using B = FamilyBuilder;
using Kind = RecordFamily::EditorKind;
using Source = RecordFamily::Preset::Source;

const QString Seller = QStringLiteral("出售方信息");
const QString Buyer = QStringLiteral("购买方信息");
const QString Handling = QStringLiteral("受理信息");

RecordFamily build() {
    RecordFamily f;
    f.table = QStringLiteral("H_出售表");
    f.billType = QStringLiteral("B");
    f.stateColumn = QStringLiteral("状态位");
    f.states = {QStringLiteral("未出售"), QStringLiteral("已出售"), QStringLiteral("已作废")};
    f.dealStates = {QStringLiteral("已出售")};
    f.baseSql = QStringLiteral("Select * from H_出售表");

    f.listCaption = QStringLiteral("房屋出售管理");
    B::stateFilters(f, QStringLiteral("已出售"), QStringLiteral("未出售"));
    f.listHidden = {QStringLiteral("TbRefresh"), QStringLiteral("ToolSep2")};

    f.bands = {QStringLiteral("出售信息"), QStringLiteral("中介信息"), QStringLiteral("购买信息")};
    f.columns = {
        B::column("收件号", 0, true),
        B::column("状态位", 0, true),
        B::column("房屋地址", 0, false, "", 220),
        B::column("建筑面积", 0, true),
        B::column("房型", 0, true),
        B::column("朝向", 0, true),
        B::column("楼层", 0, true),
        B::column("产别", 0, true),
        B::column("售价", 0),
        B::column("区域", 0, true),
        B::column("装修情况", 0, true),
        B::column("联系人", 0),
        B::column("联系电话一", 0, false, "联系电话"),
        B::column("使用年限", 0),
        B::column("出租方备注", 0, false, "", 160),
        B::column("编辑人", 1, true),
        B::column("编辑日期", 1),
        B::column("受理人", 1),
        B::column("受理日期", 1),
        B::column("佣金金额", 1),
        B::column("合同号", 1),
        B::column("购买人姓名", 2),
        B::column("购买人联系电话", 2, false, "联系电话"),
        B::column("购买价格", 2),
        B::column("购买人身份证号码", 2, false, "身份证号码"),
        B::column("购买日期", 2),
        B::column("购买方备注", 2, false, "", 160),
        B::column("ID", -1),
        B::column("竣工日期", -1),
        B::column("产权证号", -1),
        B::column("房屋设施", -1),
        B::column("交通情况", -1),
        B::column("周围环境", -1),
        B::column("联系电话二", -1),
        B::column("联系人身份证号", -1),
    };
    f.presets = {
        {QStringLiteral("编辑日期"), Source::Today, {}},
        {QStringLiteral("编辑人"), Source::UserName, {}},
        {QStringLiteral("状态位"), Source::Text, QStringLiteral("未出售")},
    };

    f.detailCaption = QStringLiteral("房屋出售");
    f.detailTitle = QStringLiteral("房屋出售详细信息");
    f.groups = {Seller, Buyer, Handling};
    // Tab order is the order of this table; row and column place each editor in its group.
    f.editors = {B::billNumber()};
    f.editors << B::houseBasics(Seller);
    f.editors << QList<RecordFamily::Editor>{
        B::unit(B::editor("DbEdtSJ", Kind::Edit, "售价", "售价", Seller, 2, 0), "(万元)"),
        B::unit(B::editor("DbEdtSJNX", Kind::Edit, "使用年限", "使用年限", Seller, 2, 1), "(年)"),
        B::editor("CBCB", Kind::PickEdit, "产别", "产别", Seller, 3, 0),
        B::editor("CBQY", Kind::PickEdit, "区域", "区域", Seller, 3, 1),
        B::editor("CBFX", Kind::PickEdit, "房型", "房型", Seller, 4, 0),
        B::editor("CBZX", Kind::PickEdit, "朝向", "朝向", Seller, 4, 1),
        B::editor("CBCQZH", Kind::PickEdit, "产权证号", "产权证号", Seller, 5, 0, 2),
        B::editor("CbZC", Kind::PickEdit, "装修情况", "装修情况", Seller, 6, 0, 2),
        B::popup(B::editor("CBZW", Kind::PopupCheck, "周围环境", "周围环境", Seller, 7, 0, 2), "CLBZW", 100),
        B::popup(B::editor("CBXS", Kind::PopupCheck, "房屋设施", "房屋设施", Seller, 8, 0, 2), "CLBXS", 150),
        B::editor("DtpJG", Kind::DateEdit, "竣工日期", "竣工日期", Seller, 9, 0),
    };
    f.editors << B::ownerContact(Seller, 10);
    f.editors << QList<RecordFamily::Editor>{
        B::editor("DbEdtMemo", Kind::Edit, "出租方备注", "出售备注", Seller, 13, 0, 2),
        B::disabled(B::editor("dxDBEdit1", Kind::Edit, "编辑人", "编辑人", Handling, 3, 0)),
        B::disabled(B::editor("dxDBEdit2", Kind::Edit, "编辑日期", "编辑日期", Handling, 3, 1)),
        B::deal(B::editor("DBCZLinker", Kind::Edit, "购买人姓名", "购买人姓名", Buyer, 0, 0)),
        B::deal(B::editor("DbCZTel", Kind::Edit, "购买人联系电话", "联系电话", Buyer, 0, 1)),
        B::deal(B::editor("DBCZID", Kind::Edit, "购买人身份证号码", "身份证号码", Buyer, 1, 0)),
        B::deal(B::editor("DBEdtCZPrice", Kind::Edit, "购买价格", "购买价格", Buyer, 1, 1)),
        B::deal(B::editor("DtpCZDate", Kind::DateEdit, "购买日期", "购买日期", Buyer, 2, 0)),
        B::deal(B::editor("DbEdtCZMemo", Kind::Edit, "购买方备注", "购买备注", Buyer, 3, 0, 2)),
    };
    f.editors << B::commissionAndContract(Handling, 0);
    f.editors << B::handledBy(Handling, 2);
    f.editors << B::stateShown();
    f.pickLists = {
        B::pick("区域", "CBQY"),         B::pick("房型", "CBFX"),      B::pick("朝向", "CBZX"),
        B::pick("产权证号头", "CBCQZH"), B::pick("产别", "CBCB"),      B::pick("周围环境", "CLBZW"),
        B::pick("装修情况", "CbZC"),     B::pick("房屋设施", "CLBXS"),
    };

    const RecordFamily::StateAction sale = B::dealAction("TbSale", "出售", "确定要出售当前的房屋信息？",
                                                         QStringLiteral("未出售"), QStringLiteral("已出售"));
    RecordFamily::StateAction vacate = B::action("TBVacate", "作废", 10, "确定要作废当前的房屋信息？",
                                                 QStringLiteral("未出售"), QStringLiteral("已作废"));
    // The buyer's telephone, 受理人 and 受理日期 keep their values.
    vacate.resets = B::names(
        {"购买人姓名", "购买人身份证号码", "购买价格", "购买日期", "购买方备注", "佣金金额", "合同号"});
    vacate.sendAtOnce = true;

    f.actions = {sale, vacate};
    f.dealAction = sale.button;
    // A sold or cancelled listing is modified only as an unsold one again.
    f.reopenQuestion = QStringLiteral("当前房屋%1，您还需要修改，系统将房屋状态改为未售,确定？");
    f.reopenState = QStringLiteral("未出售");
    f.commissionEditor = QStringLiteral("DbEdtYj");
    f.commissionColumn = QStringLiteral("佣金金额");
    f.priceColumn = QStringLiteral("购买价格");

    f.printTemplate = QStringLiteral("/Template/出售单.Rtm");
    f.percent = [] { return AppGlobals.SaleCommission; };
    return f;
}

} // namespace

const RecordFamily& SaleFamily::get() {
    static const RecordFamily family = build();
    return family;
}
