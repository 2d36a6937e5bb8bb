#include "SystemParams.h"

#include "DbError.h"
#include "MessageBoxService.h"
#include "PanelStatusBar.h"
#include "ProgramEnd.h"
#include "TSetValue.h"
#include "TUser.h"
#include "TUserDM.h"

namespace {
FreeQuery& qryFree() {
    if (!UserDM)
        throw DbError(QStringLiteral("数据库没有连接"));
    return UserDM->QryFree;
}

// A rate that is missing, empty, not a whole number or cannot be read at all counts as 0.
int32_t rate(const QString& name) {
    try {
        bool ok = false;
        const int value = GetParam(name).toInt(&ok);
        return ok ? value : 0;
    } catch (const DbError&) {
        return 0;
    }
}
} // namespace

QString GetParam(const QString& name) {
    FreeQuery& q = qryFree();
    q.close();
    q.setSql(QStringLiteral(" Select 参数值  from S_参数表 where 编码=:Name "));
    q.setParam(QStringLiteral("Name"), name);
    q.open();
    if (q.isEmpty())
        return QString();
    return q.text(QStringLiteral("参数值"));
}

void SetParam(const QString& name, const QString& value) {
    FreeQuery& q = qryFree();
    q.close();
    q.setSql(QStringLiteral(" Update  S_参数表 Set  参数值=:Value  where 编码=:Name "));
    q.setParam(QStringLiteral("Value"), value);
    q.setParam(QStringLiteral("Name"), name);
    q.execute();
}

void LoadSystemParams() {
    FreeQuery& q = qryFree();
    q.close();
    // One profile row is expected; with several, the first by key wins so every start agrees.
    q.setSql(QStringLiteral("Select 企业名称,联系电话 from S_企业信息 order by 编码"));
    q.open();
    if (q.isEmpty()) {
        AppGlobals.CompanyName.clear();
        AppGlobals.CompanyTel.clear();
    } else {
        AppGlobals.CompanyName = q.text(QStringLiteral("企业名称")).trimmed();
        AppGlobals.CompanyTel = q.text(QStringLiteral("联系电话"));
    }
    q.close();

    AppGlobals.PrintMode = 2;
    const QString mode = GetParam(QStringLiteral("PrintModal")).toUpper();
    if (mode == QStringLiteral("PREVIEW"))
        AppGlobals.PrintMode = 1;
    else if (mode == QStringLiteral("DESIGN"))
        AppGlobals.PrintMode = 0;

    AppGlobals.MortgageCommission = rate(QStringLiteral("AJYJ"));
    AppGlobals.SaleCommission = rate(QStringLiteral("CCYJ"));
    AppGlobals.LeaseCommission = rate(QStringLiteral("CZYJ"));
    AppGlobals.TitleAgencyFee = rate(QStringLiteral("DBZQF"));
    AppGlobals.AgencySaleCommission = rate(QStringLiteral("DLXSYJ"));
    AppGlobals.ShowTel = GetParam(QStringLiteral("DisPlayTel")) == QStringLiteral("1");
    AppGlobals.DemandCommission = rate(QStringLiteral("QZQGYJ"));
}

bool ConfirmExit(QWidget* parent) {
    if (MessageBoxService::show(parent, QStringLiteral("确认"), QStringLiteral("真的要退出系统吗？"),
                                MsgIcon::Question, MsgButtons::YesNo) != MsgAnswer::Yes)
        return false;
    if (UserDM)
        UserDM->ADOConnection1.close();
    ProgramEnd::request();
    return true;
}

void FillStatusBar(QWidget*, PanelStatusBar* bar) {
    static const int widths[] = {200, 240, 260, 140};
    for (int i = 0; i < 4; ++i)
        bar->setPanelWidth(i, widths[i]);
    bar->setPanelText(0, QStringLiteral("欢迎使用Velmor房屋中介系统"));
    bar->setPanelText(1, QStringLiteral("使用者:") + CurrentUser.UserFullName + QStringLiteral(" 类型:") +
                             CurrentUser.UserType);
    bar->setPanelText(2, AppGlobals.CompanyName);
    bar->setPanelText(3, QStringLiteral("软件版本 4.01"));
}
