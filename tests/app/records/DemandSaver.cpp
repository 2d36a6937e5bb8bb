// A workstation saving new demands through the demand windows, in a process of its own; prints
// each saved bill number on a line:
//   demand_saver <rent|purchase> <count> sqlcipher <file>
//   demand_saver <rent|purchase> <count> postgresql <host> <port> <user> <database>
#include "BatchDataSet.h"
#include "ConnectionSettings.h"
#include "DatabaseConnection.h"
#include "DateText.h"
#include "MessageBoxService.h"
#include "ScratchDatabase.h"
#include "TFrm_Purchase.h"
#include "TFrm_PurchaseDetail.h"
#include "TFrm_Rent.h"
#include "TFrm_RentDetail.h"
#include "TUser.h"
#include "TUserDM.h"

#include <QApplication>
#include <QLineEdit>
#include <QStringList>

#include <cstdio>
#include <exception>
#include <memory>

namespace {

// Enters and saves one demand the way a clerk does: 新增 in the list, the address, 保存.
QString saveOne(RecordListWindow& list, RecordDetailWindow& detail, int n) {
    list.QryData->append();
    detail.FormShow();
    auto* address = qobject_cast<QLineEdit*>(detail.editor(QStringLiteral("DBEdtAddress")));
    address->selectAll();
    address->insert(QStringLiteral("第 %1 位客户").arg(n));
    detail.TbSaveClick();
    if (!MessageBoxService::shown().isEmpty() || detail.unsaved())
        return {};
    return detail.dataSet()->text(QStringLiteral("收件号"));
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList a = app.arguments();
    if (a.size() < 5)
        return 2;
    ConnectionSettings s;
    if (!ScratchDatabase::fromArguments(a.mid(3), s))
        return 2;
    MessageBoxService::startRecording();
    DateText::setShortFormat(QString::fromLatin1(DateText::Iso));
    CurrentUser.UserFullName = QStringLiteral("工作站");
    try {
        UserDM = new TUserDM();
        UserDM->ADOConnection1.open(s);
        std::unique_ptr<RecordListWindow> list;
        std::unique_ptr<RecordDetailWindow> detail;
        if (a[1] == QLatin1String("rent")) {
            list = std::make_unique<TFrm_Rent>();
            detail = std::make_unique<TFrm_RentDetail>();
        } else {
            list = std::make_unique<TFrm_Purchase>();
            detail = std::make_unique<TFrm_PurchaseDetail>();
        }
        list->setDetailWindow(detail.get());
        list->SetOpeningRange();
        list->BtQueryClick();
        const int count = a[2].toInt();
        for (int i = 0; i < count; ++i) {
            const QString number = saveOne(*list, *detail, i);
            if (number.isEmpty()) {
                const auto shown = MessageBoxService::shown();
                std::fprintf(stderr, "save %d failed: %s\n", i,
                             shown.isEmpty() ? "" : shown.last().text.toUtf8().constData());
                return 1;
            }
            std::printf("%s\n", number.toUtf8().constData());
        }
        std::fflush(stdout);
        detail.reset();
        list.reset();
        delete UserDM;
        UserDM = nullptr;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
