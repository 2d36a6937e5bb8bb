#include "ResumeRecord.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

QString ResumeRecord::pathFor(const QString& copy) {
    const QFileInfo info(copy);
    return info.path() + QStringLiteral("/.") + info.fileName() + QStringLiteral(".resume");
}

ResumeRecord ResumeRecord::read(const QString& copy) {
    ResumeRecord r;
    QFile f(pathFor(copy));
    if (!f.open(QIODevice::ReadOnly))
        return r;
    const QByteArray text = f.read(4096);
    for (const QByteArray& line : text.split('\n')) {
        const int eq = line.indexOf('=');
        if (eq < 0)
            continue;
        const QByteArray key = line.left(eq);
        const QString value = QString::fromUtf8(line.mid(eq + 1));
        if (key == "datetime")
            r.datetime = value;
        else if (key == "length")
            r.length = value.toLongLong();
        else if (key == "validator")
            r.validator = value;
    }
    return r;
}

bool ResumeRecord::write(const QString& copy, const ResumeRecord& record) {
    QSaveFile f(pathFor(copy));
    if (!f.open(QIODevice::WriteOnly))
        return false;
    // Header values end at the line break, so a value never spills into the next key.
    const auto oneLine = [](const QString& v) { return v.simplified().toUtf8(); };
    f.write("datetime=" + oneLine(record.datetime) + "\nlength=" + QByteArray::number(record.length) +
            "\nvalidator=" + oneLine(record.validator) + "\n");
    return f.commit();
}

void ResumeRecord::remove(const QString& copy) {
    QFile::remove(pathFor(copy));
}
