#include "UpdateTarget.h"

#include <QDir>
#include <QFileInfo>

namespace {
bool inside(const QString& canonicalRoot, const QString& canonical) {
    return canonical == canonicalRoot || canonical.startsWith(canonicalRoot + QLatin1Char('/'));
}
} // namespace

QString UpdateTarget::folderOf(const QString& paths) {
    QString p = paths.trimmed();
    p.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return p;
}

QString UpdateTarget::refusal(const QString& appDir, const QString& name, const QString& folder) {
    const QString outside = name + QStringLiteral("文件路径不在程序目录内，跳过下载");
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String("..") ||
        name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')) || QDir::isAbsolutePath(folder))
        return outside;
    QStringList parts = folder.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (const QString& part : parts)
        if (part == QLatin1String(".."))
            return outside;
    parts.removeAll(QStringLiteral("."));
    parts << name;

    // The updater's own folders and files, and the settings, are never replaced by a release.
    const QString first = parts.first();
    const QString relative = parts.join(QLatin1Char('/'));
    for (const char* own : {"update", "backup"})
        if (first.compare(QLatin1String(own), Qt::CaseInsensitive) == 0)
            return name + QStringLiteral("文件属于升级程序自用的文件夹，跳过下载");
    for (const char* settings : {"vexa.ini", "MyConnect.ini"})
        if (relative.compare(QLatin1String(settings), Qt::CaseInsensitive) == 0)
            return name + QStringLiteral("是设置文件，跳过下载");

    // Every part already on disk must resolve inside the program folder.
    const QString root = QFileInfo(appDir).canonicalFilePath();
    if (root.isEmpty())
        return outside;
    QString path = QDir(appDir).absolutePath();
    for (const QString& part : parts) {
        path += QLatin1Char('/') + part;
        const QFileInfo info(path);
        if (!info.exists() && !info.isSymLink())
            break;
        const QString canonical = info.canonicalFilePath();
        if (canonical.isEmpty() || !inside(root, canonical))
            return outside;
    }
    return {};
}
