#include "FileDigest.h"

#include <QFile>

#include <openssl/evp.h>

#include <memory>

QByteArray FileDigest::sha256Hex(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const std::unique_ptr<EVP_MD_CTX, decltype(&EVP_MD_CTX_free)> ctx(EVP_MD_CTX_new(), &EVP_MD_CTX_free);
    if (!ctx || EVP_DigestInit_ex(ctx.get(), EVP_sha256(), nullptr) != 1)
        return {};
    QByteArray block(1 << 20, Qt::Uninitialized);
    for (;;) {
        const qint64 n = file.read(block.data(), block.size());
        if (n < 0)
            return {};
        if (n == 0)
            break;
        if (EVP_DigestUpdate(ctx.get(), block.constData(), size_t(n)) != 1)
            return {};
    }
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    if (EVP_DigestFinal_ex(ctx.get(), digest, &length) != 1)
        return {};
    return QByteArray(reinterpret_cast<const char*>(digest), int(length)).toHex();
}
