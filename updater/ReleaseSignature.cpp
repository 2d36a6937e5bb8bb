#include "ReleaseSignature.h"

#include <sodium.h>

#include <stdexcept>

namespace {
void ensureSodium() {
    if (sodium_init() < 0)
        throw std::runtime_error("libsodium cannot start");
}

QByteArray fromBase64(const QByteArray& text, qsizetype size) {
    const auto decoded =
        QByteArray::fromBase64Encoding(text.trimmed(), QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded || decoded.decoded.size() != size)
        return {};
    return decoded.decoded;
}
} // namespace

ReleaseSignature::KeyPair ReleaseSignature::makeKeyPair() {
    ensureSodium();
    QByteArray pk(crypto_sign_PUBLICKEYBYTES, Qt::Uninitialized);
    QByteArray sk(crypto_sign_SECRETKEYBYTES, Qt::Uninitialized);
    crypto_sign_keypair(reinterpret_cast<unsigned char*>(pk.data()),
                        reinterpret_cast<unsigned char*>(sk.data()));
    KeyPair pair{QString::fromLatin1(pk.toBase64()), QString::fromLatin1(sk.toBase64())};
    sodium_memzero(sk.data(), size_t(sk.size()));
    return pair;
}

QString ReleaseSignature::sign(const QByteArray& data, const QString& secretKey) {
    ensureSodium();
    QByteArray sk = fromBase64(secretKey.toLatin1(), crypto_sign_SECRETKEYBYTES);
    if (sk.isEmpty())
        throw std::runtime_error("not a secret key");
    QByteArray sig(crypto_sign_BYTES, Qt::Uninitialized);
    crypto_sign_detached(reinterpret_cast<unsigned char*>(sig.data()), nullptr,
                         reinterpret_cast<const unsigned char*>(data.constData()), quint64(data.size()),
                         reinterpret_cast<const unsigned char*>(sk.constData()));
    sodium_memzero(sk.data(), size_t(sk.size()));
    return QString::fromLatin1(sig.toBase64());
}

bool ReleaseSignature::verify(const QByteArray& data, const QByteArray& signatureText,
                              const QString& publicKey) {
    ensureSodium();
    const QByteArray pk = fromBase64(publicKey.toLatin1(), crypto_sign_PUBLICKEYBYTES);
    const QByteArray sig = fromBase64(signatureText, crypto_sign_BYTES);
    if (pk.isEmpty() || sig.isEmpty())
        return false;
    return crypto_sign_verify_detached(reinterpret_cast<const unsigned char*>(sig.constData()),
                                       reinterpret_cast<const unsigned char*>(data.constData()),
                                       quint64(data.size()),
                                       reinterpret_cast<const unsigned char*>(pk.constData())) == 0;
}

bool ReleaseSignature::isPublicKey(const QString& publicKey) {
    return !fromBase64(publicKey.toLatin1(), crypto_sign_PUBLICKEYBYTES).isEmpty();
}
