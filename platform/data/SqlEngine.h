#pragma once

// The database engines the program can run on.
enum class SqlEngine { SqlCipher, SqlServer, PostgreSql };
