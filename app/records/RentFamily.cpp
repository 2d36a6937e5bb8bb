#include "RentFamily.h"

#include "FamilyBuilder.h"

namespace {

using B = FamilyBuilder;
using Kind = RecordFamily::EditorKind;
using Source = RecordFamily::Preset::Source;

const QString Seeker = QStringLiteral("求租方信息");

RecordFamily build() {
    RecordFamily f;
    f.table = QStringLiteral("H_求租表");
    f.billType = QStringLiteral("E");
    f.baseSql = QStringLiteral("Select * from H_求租表");

    f.listCaption = QStringLiteral("房屋求租管理");
    f.querySql = QStringLiteral(
        " Select * from  H_求租表 where  编辑日期 between :beginDate and :EndDate Order by 编辑日期 DESC  ");
    f.bands = {QStringLiteral("求租信息一览表")};
    f.columns = {
        B::column("收件号", 0, true),
        {QStringLiteral("房屋地址"), QString(), 0, false, 220},
        B::column("建筑面积", 0),
        B::column("房型", 0, true),
        B::column("朝向", 0, true),
        B::column("楼层", 0, true),
        B::column("租金", 0),
        B::column("区域", 0, true),
        B::column("装修情况", 0, true),
        B::column("联系人", 0),
        B::column("联系电话一", 0, false, "联系电话"),
        {QStringLiteral("备注"), QString(), 0, false, 200},
        B::column("编辑人", 0, false, "录入人"),
        B::column("编辑日期", 0, false, "录入日期"),
        B::column("ID", -1),
        B::column("房屋设施", -1),
        B::column("交通情况", -1),
        B::column("周围环境", -1),
        B::column("联系电话二", -1),
        B::column("联系人身份证号", -1),
    };
    f.presets = {
        {QStringLiteral("编辑日期"), Source::Today, {}},
        {QStringLiteral("编辑人"), Source::UserName, {}},
    };

    f.detailCaption = QStringLiteral("房屋求租");
    f.detailTitle = QStringLiteral("房屋求租详细信息");
    f.groups = {Seeker};
    // Tab order is the order of this table; row and column place each editor in the group.
    f.editors = {
        B::disabled(B::editor("DBEdtId", Kind::Edit, "收件号", "收件号：", QString(), 0, 0)),
        B::editor("DBEdtAddress", Kind::Edit, "房屋地址", "房屋地址", Seeker, 0, 0, 2),
        B::unit(B::editor("DbEdtMJ", Kind::Edit, "建筑面积", "房屋面积", Seeker, 1, 0), "(平方米)"),
        B::unit(B::editor("DbEdtLC", Kind::Edit, "楼层", "楼层", Seeker, 1, 1), "(层)"),
        B::unit(B::editor("DbEdtZJ", Kind::Edit, "租金", "租金", Seeker, 2, 0), "(元/月)"),
        B::editor("CBQY", Kind::PickEdit, "区域", "区域", Seeker, 2, 1),
        B::editor("CBFX", Kind::PickEdit, "房型", "房型", Seeker, 3, 0),
        B::editor("CBZX", Kind::PickEdit, "朝向", "朝向", Seeker, 3, 1),
        B::popup(B::editor("CBZW", Kind::PopupCheck, "周围环境", "周围环境", Seeker, 4, 0, 2), "CLBZW", 100),
        B::editor("CbZC", Kind::PickEdit, "装修情况", "装修情况", Seeker, 5, 0),
        B::popup(B::editor("CBXS", Kind::PopupCheck, "房屋设施", "房屋设施", Seeker, 6, 0, 2), "CLBXS", 150),
        B::note(B::editor("CBJT", Kind::Edit, "交通情况", "交通情况", Seeker, 7, 0),
                "(附近的公交车例:1,21,155,)"),
        B::editor("DbEdtLinker", Kind::Edit, "联系人", "联系人", Seeker, 8, 0),
        B::editor("DbEdtTel", Kind::Edit, "联系电话一", "联系电话", Seeker, 8, 1),
        B::editor("DbEdtSingleId", Kind::Edit, "联系人身份证号", "身份证号码", Seeker, 9, 0),
        B::editor("DbEdtMemo", Kind::Edit, "备注", "备注", Seeker, 10, 0, 2),
        B::disabled(B::editor("dxDBEdit1", Kind::Edit, "编辑人", "录入人", Seeker, 11, 0)),
        B::disabled(B::editor("dxDBEdit2", Kind::Edit, "编辑日期", "录入日期", Seeker, 11, 1)),
    };
    f.pickLists = {
        B::pick("区域", "CBQY"),      B::pick("房型", "CBFX"),     B::pick("朝向", "CBZX"),
        B::pick("周围环境", "CLBZW"), B::pick("装修情况", "CbZC"), B::pick("房屋设施", "CLBXS"),
    };

    // The demand sheet the customer takes home and the agency keeps signed.
    f.printTemplate = QStringLiteral("/Template/求租单.Rtm");
    return f;
}

} // namespace

const RecordFamily& RentFamily::get() {
    static const RecordFamily family = build();
    return family;
}
