#pragma once

#include "ShellTestDb.h"

#include "ModalSeam.h"

#include <QString>
#include <QStringList>
#include <QTest>

#include <functional>

// A fresh database on one engine opened as the program's connection, with the program folder's
// pictures and templates, for the administration windows.
class AdminTestBed : public ShellTestDb {
public:
    explicit AdminTestBed(const QString& engine);

    // The engines the administration tests run on.
    static QStringList engines();
    // For initTestCase_data(): a global "engine" column.
    static void addEngineRows();

    // Adds a user; the password is stored as given (a hash or, like an older program, as typed).
    int addUser(const QString& code, const QString& storedPassword, const QString& name, const QString& type);
    // Logs the user in as the login would (CurrentUser from the row).
    void logIn(int userId);
    QString userValue(int userId, const QString& column);
    // One column of every row of a query, joined by "|".
    QString column(const QString& sql);

    // The texts of the message boxes shown so far.
    static QStringList shownTexts();
    // Hands the next modal window, which must be a T, to body; open() shows it.
    template <class T>
    static void withModal(const std::function<void(T*)>& body, const std::function<void()>& open) {
        bool ran = false;
        ModalSeam::drive([&](QWidget* w) {
            T* window = qobject_cast<T*>(w);
            QVERIFY(window);
            ran = true;
            body(window);
        });
        open();
        QVERIFY(ran);
    }
};
