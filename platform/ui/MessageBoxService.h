#pragma once

#include <QList>
#include <QString>

class QWidget;

enum class MsgIcon { NoIcon, Information, Warning, Critical, Question };
enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MsgAnswer { Ok, Cancel, Yes, No };

struct ShownMessage {
    QString caption;
    QString text;
    MsgIcon icon = MsgIcon::NoIcon;
    MsgButtons buttons = MsgButtons::Ok;
    MsgAnswer answer = MsgAnswer::Ok;
};

// Every message box of both programs goes through here. A test switches on recording: no box
// is shown, each one is kept for the test to read back, and its answer comes from the queue
// (the first button when nothing is queued).
class MessageBoxService {
public:
    static MsgAnswer show(QWidget* parent, const QString& caption, const QString& text, MsgIcon icon,
                          MsgButtons buttons = MsgButtons::Ok);

    // The program's usual boxes: a refusal or failure ("提示", error icon, OK), a success
    // ("提示", information icon) and a question (question icon, Yes and No; only No aborts).
    static void refuse(QWidget* parent, const QString& text);
    static void inform(QWidget* parent, const QString& text);
    static bool ask(QWidget* parent, const QString& text, const QString& caption = QStringLiteral("确认"));

    // Test seam.
    static void startRecording();
    static void stopRecording();
    static bool recording();
    static void queueAnswer(MsgAnswer answer);
    static int queuedAnswers();
    static QList<ShownMessage> shown();
    static ShownMessage last();
    static void clearShown();
};
