#include "ReleasePublisher.h"

#include "FileDigest.h"
#include "ReleaseSignature.h"
#include "UpdateTarget.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <stdexcept>

namespace {
[[noreturn]] void fail(const QString& text) {
    throw std::runtime_error(text.toStdString());
}

void writeWhole(const QString& path, const QByteArray& data) {
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(data) != data.size() || !f.commit())
        fail(QStringLiteral("无法写入 ") + path);
}
} // namespace

QList<ReleasePublisher::Entry> ReleasePublisher::entries(const QString& releaseDir) {
    const QDir root(QFileInfo(releaseDir).absoluteFilePath());
    if (!root.exists())
        fail(QStringLiteral("发布目录不存在：") + releaseDir);
    QList<Entry> out;
    QDirIterator it(releaseDir, QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        const QString relative = root.relativeFilePath(info.absoluteFilePath());
        const int slash = relative.lastIndexOf(QLatin1Char('/'));
        Entry e{relative, relative.mid(slash + 1), slash < 0 ? QString() : relative.left(slash + 1)};
        if (e.name.contains(QLatin1Char('[')) || e.name.contains(QLatin1Char(']')) ||
            e.name.contains(QLatin1Char('=')) || e.name.startsWith(QLatin1Char(';')))
            fail(QStringLiteral("文件名不能写进升级信息：") + relative);
        if (const QString refusal = UpdateTarget::refusal(releaseDir, e.name, e.folder); !refusal.isEmpty())
            fail(QStringLiteral("升级程序不会安装这个文件：") + relative);
        out.append(e);
    }
    // A stable order: the same release always gives the same list.
    std::sort(out.begin(), out.end(), [](const Entry& a, const Entry& b) { return a.relative < b.relative; });
    for (qsizetype i = 1; i < out.size(); ++i)
        for (qsizetype j = 0; j < i; ++j)
            if (out[i].name == out[j].name)
                fail(QStringLiteral("两个文件同名，服务器上只能放一个：") + out[j].relative +
                     QStringLiteral("，") + out[i].relative);
    return out;
}

QByteArray ReleasePublisher::updateList(const QString& releaseDir) {
    QByteArray text;
    for (const Entry& e : entries(releaseDir)) {
        const QString path = QDir(releaseDir).filePath(e.relative);
        const QFileInfo info(path);
        const QByteArray hash = FileDigest::sha256Hex(path);
        if (hash.isEmpty())
            fail(QStringLiteral("无法读取 ") + path);
        text += "[" + e.name.toUtf8() + "]\n";
        text +=
            "datetime=" + info.lastModified().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")).toUtf8() + "\n";
        text += "Paths=" + e.folder.toUtf8() + "\n";
        text += "size=" + QByteArray::number(info.size()) + "\n";
        text += "sha256=" + hash + "\n\n";
    }
    return text;
}

QStringList ReleasePublisher::publish(const QString& releaseDir, const QString& serverDir,
                                      const QString& subSys, const QString& secretKey) {
    if (subSys.trimmed().isEmpty())
        fail(QStringLiteral("缺少 SubSys 名称"));
    if (QFileInfo(releaseDir).canonicalFilePath() == QFileInfo(serverDir).canonicalFilePath())
        fail(QStringLiteral("服务器目录不能就是发布目录"));
    const QByteArray list = updateList(releaseDir);
    if (!QDir().mkpath(serverDir))
        fail(QStringLiteral("无法建立目录 ") + serverDir);
    QStringList written;
    for (const Entry& e : entries(releaseDir)) {
        const QString to = QDir(serverDir).filePath(e.name);
        QFile::remove(to);
        if (!QFile::copy(QDir(releaseDir).filePath(e.relative), to))
            fail(QStringLiteral("无法复制到 ") + to);
        written << to;
    }
    const QString listPath = QDir(serverDir).filePath(subSys + QStringLiteral(".htm"));
    const QString sigPath = listPath + QStringLiteral(".sig");
    // The signature goes first, so there is never a new list beside an old signature.
    if (secretKey.isEmpty()) {
        QFile::remove(sigPath);
    } else {
        writeWhole(sigPath, ReleaseSignature::sign(list, secretKey).toLatin1() + "\n");
        written << sigPath;
    }
    writeWhole(listPath, list);
    written << listPath;
    return written;
}
