#pragma once

#include <QString>

// Small helpers shared by the tests.
namespace TestSupport {

// The PostgreSQL server of the test run (started by the ctest fixture on loopback).
bool pgAvailable();
QString pgHost();
int pgPort();
QString pgUser();
// Creates a new, empty database on the test server and returns its name.
QString pgCreateDatabase(const QString& prefix);

// The folders the build gives the tests.
QString sourceDir();
QString binaryDir();
QString programDir();

} // namespace TestSupport

// Switches message-box recording and modal test mode on for the lifetime of the object.
class GuiTestScope {
public:
    GuiTestScope();
    ~GuiTestScope();
    GuiTestScope(const GuiTestScope&) = delete;
    GuiTestScope& operator=(const GuiTestScope&) = delete;
};
