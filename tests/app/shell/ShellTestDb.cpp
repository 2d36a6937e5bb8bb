#include "ShellTestDb.h"

#include "FreeQuery.h"
#include "TSetValue.h"
#include "TUser.h"
#include "TUserDM.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QKeyEvent>
#include <QWidget>

ShellTestDb::ShellTestDb(const QString& engine) : m_db(engine) {
    resetGlobals();
    AppGlobals.AppPath = m_program.path();
    writeBanner(m_program.path());
    m_dm = std::make_unique<TUserDM>(m_program.filePath(QStringLiteral("Lintara")));
    m_dm->ADOConnection1.open(m_db.settings());
    UserDM = m_dm.get();
}

ShellTestDb::~ShellTestDb() {
    if (UserDM == m_dm.get())
        UserDM = nullptr;
    m_dm.reset();
    resetGlobals();
}

void ShellTestDb::exec(const QString& sql) {
    FreeQuery q(m_dm->ADOConnection1);
    q.setSql(sql);
    q.execute();
}

int ShellTestDb::count(const QString& sql) {
    FreeQuery q(m_dm->ADOConnection1);
    q.setSql(sql);
    q.open();
    return q.value(0).toInt();
}

void ShellTestDb::writeBanner(const QString& folder) {
    QDir(folder).mkpath(QStringLiteral("image"));
    QImage image(300, 62, QImage::Format_RGB32);
    image.fill(QColor(0x3C, 0x9E, 0xC4));
    image.save(folder + QStringLiteral("/image/star.bmp"), "BMP");
}

void ShellTestDb::resetGlobals() {
    AppGlobals = TSetValue{};
    CurrentUser = TUser{};
}

void ShellTestDb::typeText(QWidget* widget, const QString& text) {
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &release);
    }
}
