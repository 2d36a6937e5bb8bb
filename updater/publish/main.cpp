// corvane-publish: makes a publisher's key pair, and turns a release folder into what the update
// server serves (the files, the update list and its signature).
#include "ReleasePublisher.h"
#include "ReleaseSignature.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTextStream>

#include <exception>

namespace {
const char* const Usage =
    "用法:\n"
    "  corvane-publish keygen <私钥文件>\n"
    "      生成发布者密钥对: 私钥写入文件(仅本人可读), 公钥写入 <私钥文件>.pub 并显示;\n"
    "      把显示的 PublicKey=... 一行加到各台电脑 vexa.ini 的 [vexa] 节。\n"
    "  corvane-publish release <发布目录> <服务器目录> <SubSys> [<私钥文件>]\n"
    "      发布目录的布局与程序目录相同; 文件复制到服务器目录, 并写出 <SubSys>.htm,\n"
    "      给了私钥时再写出签名 <SubSys>.htm.sig。\n";

QByteArray readKey(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw std::runtime_error(("无法读取私钥文件 " + path).toStdString());
    return f.readAll().trimmed();
}

void writeKey(const QString& path, const QByteArray& text, QFileDevice::Permissions perms) {
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(text + "\n") != text.size() + 1)
        throw std::runtime_error(("无法写入 " + path).toStdString());
    f.setPermissions(perms);
    if (!f.commit())
        throw std::runtime_error(("无法写入 " + path).toStdString());
}

int run(const QStringList& args, QTextStream& out) {
    if (args.size() == 2 && args[0] == QLatin1String("keygen")) {
        const QString secretPath = args[1];
        if (QFileInfo::exists(secretPath))
            throw std::runtime_error(("私钥文件已存在，不会覆盖: " + secretPath).toStdString());
        const ReleaseSignature::KeyPair pair = ReleaseSignature::makeKeyPair();
        writeKey(secretPath, pair.secretKey.toLatin1(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        writeKey(secretPath + QStringLiteral(".pub"), pair.publicKey.toLatin1(),
                 QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup |
                     QFileDevice::ReadOther);
        out << "PublicKey=" << pair.publicKey << "\n";
        return 0;
    }
    if ((args.size() == 4 || args.size() == 5) && args[0] == QLatin1String("release")) {
        const QString secret = args.size() == 5 ? QString::fromLatin1(readKey(args[4])) : QString();
        for (const QString& file : ReleasePublisher::publish(args[1], args[2], args[3], secret))
            out << file << "\n";
        if (secret.isEmpty())
            out << "注意: 没有签名; 设置了 PublicKey 的电脑不会接受这份升级信息。\n";
        return 0;
    }
    out << Usage;
    return 2;
}
} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    try {
        QStringList args = app.arguments();
        args.removeFirst();
        return run(args, out);
    } catch (const std::exception& e) {
        err << "corvane-publish: " << QString::fromUtf8(e.what()) << "\n";
        return 1;
    }
}
