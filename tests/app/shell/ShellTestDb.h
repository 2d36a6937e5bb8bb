#pragma once

#include "ScratchDatabase.h"

#include <QString>
#include <QTemporaryDir>
#include <memory>

class QWidget;
class TUserDM;

// A fresh database of one engine, opened as the program's own connection: UserDM points at a
// data module whose ADOConnection1 is open on it. AppPath is a temporary program folder holding
// the login banner.
class ShellTestDb {
public:
    explicit ShellTestDb(const QString& engine = QStringLiteral("sqlcipher"));
    ~ShellTestDb();
    ShellTestDb(const ShellTestDb&) = delete;
    ShellTestDb& operator=(const ShellTestDb&) = delete;

    TUserDM& dm() { return *m_dm; }
    const ScratchDatabase& scratch() const { return m_db; }
    QString programDir() const { return m_program.path(); }
    // Runs one statement on the shell's connection (setup of a case); throws DbError.
    void exec(const QString& sql);
    int count(const QString& sql);

    // Types text into a widget key by key, Chinese included (QTest::keyClicks takes Latin-1 only).
    static void typeText(QWidget* widget, const QString& text);
    // A small picture like the real banner, written where the login looks for it.
    static void writeBanner(const QString& folder);
    // Forgets the globals the shell fills (settings record, logged-in user).
    static void resetGlobals();

private:
    ScratchDatabase m_db;
    QTemporaryDir m_program;
    std::unique_ptr<TUserDM> m_dm;
};
