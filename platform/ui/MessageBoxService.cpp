#include "MessageBoxService.h"

#include <QMessageBox>
#include <QQueue>

namespace {
struct State {
    bool recording = false;
    QQueue<MsgAnswer> answers;
    QList<ShownMessage> shown;
};
State& state() {
    static State s;
    return s;
}

QMessageBox::Icon toQt(MsgIcon icon) {
    switch (icon) {
    case MsgIcon::Information:
        return QMessageBox::Information;
    case MsgIcon::Warning:
        return QMessageBox::Warning;
    case MsgIcon::Critical:
        return QMessageBox::Critical;
    case MsgIcon::Question:
        return QMessageBox::Question;
    case MsgIcon::NoIcon:
        break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons toQt(MsgButtons buttons) {
    switch (buttons) {
    case MsgButtons::Ok:
        return QMessageBox::Ok;
    case MsgButtons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case MsgButtons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case MsgButtons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

MsgAnswer firstButton(MsgButtons buttons) {
    return buttons == MsgButtons::Ok || buttons == MsgButtons::OkCancel ? MsgAnswer::Ok : MsgAnswer::Yes;
}
} // namespace

MsgAnswer MessageBoxService::show(QWidget* parent, const QString& caption, const QString& text, MsgIcon icon,
                                  MsgButtons buttons) {
    State& s = state();
    MsgAnswer answer;
    if (s.recording) {
        answer = s.answers.isEmpty() ? firstButton(buttons) : s.answers.dequeue();
    } else {
        QMessageBox box(toQt(icon), caption, text, toQt(buttons), parent);
        if (buttons == MsgButtons::YesNo || buttons == MsgButtons::YesNoCancel)
            box.setDefaultButton(QMessageBox::Yes);
        switch (box.exec()) {
        case QMessageBox::Yes:
            answer = MsgAnswer::Yes;
            break;
        case QMessageBox::No:
            answer = MsgAnswer::No;
            break;
        case QMessageBox::Cancel:
            answer = MsgAnswer::Cancel;
            break;
        case QMessageBox::Ok:
            answer = MsgAnswer::Ok;
            break;
        default:
            // Closing a box without a choice counts as its "no" (plain OK boxes: OK).
            answer = buttons == MsgButtons::Ok      ? MsgAnswer::Ok
                     : buttons == MsgButtons::YesNo ? MsgAnswer::No
                                                    : MsgAnswer::Cancel;
        }
    }
    s.shown.append({caption, text, icon, buttons, answer});
    return answer;
}

void MessageBoxService::refuse(QWidget* parent, const QString& text) {
    show(parent, QStringLiteral("提示"), text, MsgIcon::Critical, MsgButtons::Ok);
}

void MessageBoxService::inform(QWidget* parent, const QString& text) {
    show(parent, QStringLiteral("提示"), text, MsgIcon::Information, MsgButtons::Ok);
}

bool MessageBoxService::ask(QWidget* parent, const QString& text, const QString& caption) {
    return show(parent, caption, text, MsgIcon::Question, MsgButtons::YesNo) != MsgAnswer::No;
}

void MessageBoxService::startRecording() {
    State& s = state();
    s.recording = true;
    s.answers.clear();
    s.shown.clear();
}

void MessageBoxService::stopRecording() {
    State& s = state();
    s.recording = false;
    s.answers.clear();
}

bool MessageBoxService::recording() {
    return state().recording;
}

void MessageBoxService::queueAnswer(MsgAnswer answer) {
    state().answers.enqueue(answer);
}

int MessageBoxService::queuedAnswers() {
    return int(state().answers.size());
}

QList<ShownMessage> MessageBoxService::shown() {
    return state().shown;
}

ShownMessage MessageBoxService::last() {
    return state().shown.isEmpty() ? ShownMessage{} : state().shown.last();
}

void MessageBoxService::clearShown() {
    state().shown.clear();
}
