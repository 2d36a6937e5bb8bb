#pragma once

#include <QByteArray>
#include <QString>

// The publisher's Ed25519 signature over the update list, detached and served beside it. Keys and
// signatures travel as base64 text, so they fit in an ini file and a text file on the server.
class ReleaseSignature {
public:
    struct KeyPair {
        QString publicKey;
        QString secretKey;
    };

    static KeyPair makeKeyPair();
    // The signature text of data; throws std::runtime_error when the secret key is not one of ours.
    static QString sign(const QByteArray& data, const QString& secretKey);
    // True only when signatureText is a valid signature of data by the holder of publicKey.
    static bool verify(const QByteArray& data, const QByteArray& signatureText, const QString& publicKey);
    // False when the text is not a public key at all (a typing error in the settings file).
    static bool isPublicKey(const QString& publicKey);
};
