#pragma once

#include <QString>

// A certificate authority of the test's own and a server certificate it signed for 127.0.0.1,
// made with the openssl command in a folder. Programs trust it only when told to.
namespace TestCertificates {

struct Files {
    QString ca;
    QString certificate;
    QString key;
};

// Empty paths when openssl failed.
Files make(const QString& folder);
// Adds the test authority to the certificates every TLS connection of this process trusts.
void trust(const QString& caFile);

} // namespace TestCertificates
