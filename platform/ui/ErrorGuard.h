#pragma once

#include <QString>
#include <exception>
#include <utility>

class QWidget;

// The one place where an error that no handler caught is shown: the error text in a box, and
// the program goes on. Every slot connected to a widget signal runs through wrap(), so no
// exception ever leaves a slot into Qt.
class ErrorGuard {
public:
    static void report(QWidget* parent, const QString& text);
    static void report(QWidget* parent, const std::exception& error);

    template <class F> static bool run(QWidget* parent, F&& f) {
        try {
            std::forward<F>(f)();
            return true;
        } catch (const std::exception& e) {
            report(parent, e);
        } catch (...) {
            report(parent, QStringLiteral("未知错误"));
        }
        return false;
    }

    template <class F> static auto wrap(QWidget* parent, F f) {
        return [parent, f = std::move(f)](auto&&... args) { run(parent, [&] { f(args...); }); };
    }
};
