#include "DatabaseConnection.h"

#include "DbError.h"
#include "SqlCipherDriver.h"
#include "SqlDialect.h"

#include <QSqlError>
#include <QSqlQuery>

namespace {

QString driverFor(SqlEngine engine) {
    switch (engine) {
    case SqlEngine::SqlServer:
        return QStringLiteral("QODBC");
    case SqlEngine::PostgreSql:
        return QStringLiteral("QPSQL");
    case SqlEngine::SqlCipher:
        break;
    }
    return SqlCipherDriver::driverName();
}

// An ODBC attribute value; braces keep ";" and "=" inside it from ending the attribute.
QString odbcValue(const QString& value) {
    if (!value.contains(u';') && !value.contains(u'{') && !value.contains(u'}') && !value.contains(u'=') &&
        value.trimmed() == value)
        return value;
    return u'{' + QString(value).replace(u'}', QStringLiteral("}}")) + u'}';
}

bool isFreeTds(const ConnectionSettings& s) {
    return s.odbcDriver.isEmpty() ||
           s.odbcDriver.compare(QStringLiteral("FreeTDS"), Qt::CaseInsensitive) == 0;
}

} // namespace

DatabaseConnection::DatabaseConnection(const QString& connectionName) : m_name(connectionName) {}

DatabaseConnection::~DatabaseConnection() {
    close();
    if (QSqlDatabase::contains(m_name))
        QSqlDatabase::removeDatabase(m_name);
}

QString DatabaseConnection::odbcConnectionString(const ConnectionSettings& s) {
    const bool freeTds = isFreeTds(s);
    const QString driver = s.odbcDriver.isEmpty() ? QStringLiteral("FreeTDS") : s.odbcDriver;
    const int port = s.port > 0 ? s.port : (freeTds ? 1433 : 5432);
    QString text = QStringLiteral("DRIVER={%1};SERVER=%2;PORT=%3;DATABASE=%4;UID=%5;PWD=%6;")
                       .arg(driver, odbcValue(s.server), QString::number(port), odbcValue(s.database),
                            odbcValue(s.user), odbcValue(s.password));
    if (freeTds)
        text += QStringLiteral("TDS_Version=7.4;ClientCharset=UTF-8;");
    return text;
}

void DatabaseConnection::open(const ConnectionSettings& settings) {
    close();
    m_settings = settings;
    const QString driver = driverFor(settings.engine);
    if (settings.engine == SqlEngine::SqlCipher)
        SqlCipherDriver::registerDriver();
    if (QSqlDatabase::contains(m_name) && QSqlDatabase::database(m_name, false).driverName() != driver)
        QSqlDatabase::removeDatabase(m_name);
    QSqlDatabase db = QSqlDatabase::contains(m_name) ? QSqlDatabase::database(m_name, false)
                                                     : QSqlDatabase::addDatabase(driver, m_name);
    if (!db.isValid())
        throw DbError(QStringLiteral("数据库驱动 %1 不可用").arg(driver));

    const int timeout = settings.timeoutSeconds > 0 ? settings.timeoutSeconds : 5;
    db.setHostName(QString());
    db.setPort(-1);
    db.setUserName(QString());
    db.setPassword(QString());
    switch (settings.engine) {
    case SqlEngine::SqlCipher:
        db.setDatabaseName(settings.filePath);
        db.setPassword(settings.key);
        db.setConnectOptions(QStringLiteral("LINTARA_BUSY_TIMEOUT=%1").arg(timeout * 1000));
        break;
    case SqlEngine::PostgreSql:
        db.setHostName(settings.server);
        db.setPort(settings.port > 0 ? settings.port : 5432);
        db.setDatabaseName(settings.database);
        db.setUserName(settings.user);
        db.setPassword(settings.password);
        db.setConnectOptions(QStringLiteral("connect_timeout=%1").arg(timeout));
        break;
    case SqlEngine::SqlServer:
        db.setDatabaseName(odbcConnectionString(settings));
        db.setConnectOptions(
            QStringLiteral("SQL_ATTR_LOGIN_TIMEOUT=%1;SQL_ATTR_CONNECTION_TIMEOUT=%1").arg(timeout));
        break;
    }
    if (!db.open()) {
        const QSqlError error = db.lastError();
        db.close();
        throw DbError::fromSqlError(error, QStringLiteral("连接数据库失败"));
    }
    if (settings.engine == SqlEngine::SqlServer && isFreeTds(settings)) {
        // Without ANSI warnings SQL Server cuts an over-long text instead of refusing it.
        QSqlQuery set(db);
        if (!set.exec(QStringLiteral("SET ANSI_WARNINGS ON"))) {
            const QSqlError error = set.lastError();
            set.clear();
            db.close();
            throw DbError::fromSqlError(error, QStringLiteral("连接数据库失败"));
        }
    }
}

void DatabaseConnection::close() {
    m_inTransaction = false;
    if (QSqlDatabase::contains(m_name)) {
        QSqlDatabase db = QSqlDatabase::database(m_name, false);
        if (db.isOpen())
            db.close();
    }
}

bool DatabaseConnection::isOpen() const {
    return QSqlDatabase::contains(m_name) && QSqlDatabase::database(m_name, false).isOpen();
}

QSqlDatabase DatabaseConnection::database() const {
    return QSqlDatabase::database(m_name, false);
}

const SqlDialect& DatabaseConnection::dialect() const {
    return SqlDialect::forEngine(m_settings.engine);
}

void DatabaseConnection::begin() {
    QSqlDatabase db = database();
    if (!db.isOpen())
        throw DbError(QStringLiteral("数据库没有连接"));
    if (!db.transaction())
        throw DbError::fromSqlError(db.lastError(), QStringLiteral("开始事务失败"));
    m_inTransaction = true;
}

void DatabaseConnection::commit() {
    QSqlDatabase db = database();
    if (!db.commit())
        throw DbError::fromSqlError(db.lastError(), QStringLiteral("提交事务失败"));
    m_inTransaction = false;
}

void DatabaseConnection::rollback() {
    QSqlDatabase db = database();
    m_inTransaction = false;
    if (!db.rollback())
        throw DbError::fromSqlError(db.lastError(), QStringLiteral("回滚事务失败"));
}
