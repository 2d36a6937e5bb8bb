#include "SystemInfo.h"

#include <QFile>
#include <QSysInfo>

QString SystemInfo::osText() {
    return QStringLiteral("%1 (%2 %3)")
        .arg(QSysInfo::prettyProductName(),
             QSysInfo::kernelType() == QLatin1String("linux") ? QStringLiteral("Linux")
                                                              : QSysInfo::kernelType(),
             QSysInfo::kernelVersion());
}

uint64_t SystemInfo::totalMemoryBytes() {
    QFile file(QStringLiteral("/proc/meminfo"));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return 0;
    // A /proc file has no size: read it whole rather than asking where it ends.
    const QList<QByteArray> lines = file.readAll().split('\n');
    for (const QByteArray& raw : lines) {
        const QByteArray line = raw.simplified();
        if (!line.startsWith("MemTotal:"))
            continue;
        const QList<QByteArray> parts = line.split(' ');
        bool ok = false;
        const uint64_t kb = parts.value(1).toULongLong(&ok);
        return ok ? kb * 1024 : 0;
    }
    return 0;
}

QString SystemInfo::memoryText(uint64_t bytes) {
    QString digits = QString::number(bytes / 1024);
    for (int i = int(digits.size()) - 3; i > 0; i -= 3)
        digits.insert(i, u',');
    return digits + QStringLiteral(" KB");
}
