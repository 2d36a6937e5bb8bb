#pragma once

#include "MessageBoxService.h"
#include "ModalSeam.h"

#include <QStringList>
#include <QTest>
#include <QWidget>

#include <functional>

// Drives the next modal window: trigger opens it (the opening routine, a key, a click), body runs
// on it while it is shown, and it is closed when body returns.
template <class W> void onModal(const std::function<void()>& trigger, const std::function<void(W*)>& body) {
    bool ran = false;
    ModalSeam::drive([&](QWidget* w) {
        auto* window = qobject_cast<W*>(w);
        QVERIFY2(window, "another window opened");
        ran = true;
        body(window);
    });
    trigger();
    QVERIFY2(ran, "no window opened");
}

// The texts of the message boxes shown so far.
inline QStringList shownTexts() {
    QStringList out;
    for (const ShownMessage& m : MessageBoxService::shown())
        out << m.text;
    return out;
}

// Closes a detail window in edit mode keeping its edits pending (否 to its close question).
inline void closeKeepingEdits(QWidget* detail) {
    MessageBoxService::queueAnswer(MsgAnswer::No);
    detail->close();
}
