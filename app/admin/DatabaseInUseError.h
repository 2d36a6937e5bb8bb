#pragma once

#include "DbError.h"

// Restore or compaction refused because another workstation has the database file open.
class DatabaseInUseError : public DbError {
public:
    explicit DatabaseInUseError(const QString& path);
};
