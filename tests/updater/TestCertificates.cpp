#include "TestCertificates.h"

#include <QFile>
#include <QProcess>
#include <QSslCertificate>
#include <QSslConfiguration>

namespace TestCertificates {

namespace {
bool openssl(const QStringList& args) {
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(QStringLiteral("openssl"), args);
    if (!p.waitForFinished(30000) || p.exitCode() != 0) {
        qWarning("openssl %s: %s", qPrintable(args.join(' ')), p.readAll().constData());
        return false;
    }
    return true;
}
} // namespace

Files make(const QString& folder) {
    const Files f{folder + QStringLiteral("/ca.pem"), folder + QStringLiteral("/server.pem"),
                  folder + QStringLiteral("/server.key")};
    const QString caKey = folder + QStringLiteral("/ca.key");
    const QString request = folder + QStringLiteral("/server.csr");
    const QString extensions = folder + QStringLiteral("/server.ext");
    QFile ext(extensions);
    if (!ext.open(QIODevice::WriteOnly) ||
        ext.write("subjectAltName=IP:127.0.0.1\nbasicConstraints=CA:FALSE\nextendedKeyUsage=serverAuth\n") <
            0)
        return {};
    ext.close();
    const bool ok = openssl({"req", "-x509", "-newkey", "rsa:2048", "-nodes", "-keyout", caKey, "-out", f.ca,
                             "-days", "2", "-subj", "/CN=Lintara Test CA"}) &&
                    openssl({"req", "-newkey", "rsa:2048", "-nodes", "-keyout", f.key, "-out", request,
                             "-subj", "/CN=127.0.0.1"}) &&
                    openssl({"x509", "-req", "-in", request, "-CA", f.ca, "-CAkey", caKey, "-CAcreateserial",
                             "-out", f.certificate, "-days", "2", "-extfile", extensions});
    return ok ? f : Files{};
}

void trust(const QString& caFile) {
    QSslConfiguration conf = QSslConfiguration::defaultConfiguration();
    conf.addCaCertificates(QSslCertificate::fromPath(caFile));
    QSslConfiguration::setDefaultConfiguration(conf);
}

} // namespace TestCertificates
