#include "ShowAlarmForm.h"

#include "AlarmFamily.h"
#include "DateText.h"
#include "FreeQuery.h"
#include "MessageBoxService.h"
#include "ProgramEnd.h"
#include "ShowRecordForm.h"
#include "SqlDialect.h"
#include "TFrm_AlarmDetail.h"
#include "TUserDM.h"
#include "Tfrm_Alarm.h"

#include <QDate>

void ShowAlarmForm() {
    ShowRecordForm(frm_Alarm, Frm_AlarmDetail);
}

void AlarmCheck(QWidget* parent) {
    if (ProgramEnd::requested() || !UserDM || !UserDM->ADOConnection1.isOpen())
        return;
    const SqlDialect& dialect = UserDM->ADOConnection1.dialect();
    FreeQuery& q = UserDM->QryFree;
    q.close();
    q.setSql(dialect.withBooleanLiterals(AlarmFamily::query()));
    q.setParam(QStringLiteral("BeginDate"),
               dialect.dateParam(DateText::format(QDate::currentDate().addDays(-AlarmFamily::Days))));
    q.setParam(QStringLiteral("EndDate"), dialect.dateParam(DateText::today()));
    q.setParam(QStringLiteral("Stat"), AlarmFamily::state());
    q.open();
    const bool due = !q.isEmpty();
    q.close();
    if (!due)
        return;
    if (MessageBoxService::ask(parent, QStringLiteral("有房屋出租报警,需要直接进入功能模块吗？")))
        ShowAlarmForm();
}
