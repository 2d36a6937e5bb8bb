#include "DatabaseInUseError.h"

DatabaseInUseError::DatabaseInUseError(const QString& path)
    : DbError(QStringLiteral("其他工作站正在使用数据库 %1").arg(path)) {}
