#include "TestSupport.h"

#include "MessageBoxService.h"
#include "ModalSeam.h"
#include "ProgramEnd.h"

#include <QAtomicInt>
#include <QCoreApplication>
#include <QDateTime>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>

#include <stdexcept>

namespace TestSupport {

bool pgAvailable() {
    return !qEnvironmentVariableIsEmpty("LINTARA_PG_PORT");
}
QString pgHost() {
    return qEnvironmentVariable("LINTARA_PG_HOST", QStringLiteral("127.0.0.1"));
}
int pgPort() {
    return qEnvironmentVariableIntValue("LINTARA_PG_PORT");
}
QString pgUser() {
    return qEnvironmentVariable("LINTARA_PG_USER", QStringLiteral("postgres"));
}

QString pgCreateDatabase(const QString& prefix) {
    const QString name =
        (prefix + QLatin1Char('_') + QUuid::createUuid().toString(QUuid::Id128).left(12)).toLower();
    const QString conn = QStringLiteral("pgadmin_") + name;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), conn);
        db.setHostName(pgHost());
        db.setPort(pgPort());
        db.setUserName(pgUser());
        db.setDatabaseName(QStringLiteral("postgres"));
        if (!db.open())
            throw std::runtime_error(
                ("cannot reach the test PostgreSQL server: " + db.lastError().text()).toStdString());
        QSqlQuery q(db);
        if (!q.exec(QStringLiteral("CREATE DATABASE %1 ENCODING 'UTF8' TEMPLATE template0").arg(name)))
            throw std::runtime_error(q.lastError().text().toStdString());
        db.close();
    }
    QSqlDatabase::removeDatabase(conn);
    return name;
}

QString sourceDir() {
    return qEnvironmentVariable("LINTARA_SOURCE_DIR");
}
QString binaryDir() {
    return qEnvironmentVariable("LINTARA_BINARY_DIR");
}
QString programDir() {
    return qEnvironmentVariable("LINTARA_PROGRAM_DIR");
}

} // namespace TestSupport

GuiTestScope::GuiTestScope() {
    MessageBoxService::startRecording();
    ModalSeam::setTestMode(true);
    ModalSeam::clearDrivers();
    ProgramEnd::reset();
    ProgramEnd::setQuitHandler([] {});
}

GuiTestScope::~GuiTestScope() {
    MessageBoxService::stopRecording();
    ModalSeam::clearDrivers();
    ModalSeam::setTestMode(false);
    ProgramEnd::reset();
    ProgramEnd::setQuitHandler({});
}
