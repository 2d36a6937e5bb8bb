#include "PasswordHash.h"

#include <sodium.h>

#include <stdexcept>

namespace {
void initSodium() {
    if (sodium_init() < 0)
        throw std::runtime_error("密码库无法初始化");
}

const char* kPrefix = crypto_pwhash_STRPREFIX; // "$argon2id$"
} // namespace

QString PasswordHash::hash(const QString& password) {
    initSodium();
    const QByteArray bytes = password.toUtf8();
    char out[crypto_pwhash_STRBYTES];
    if (crypto_pwhash_str(out, bytes.constData(), size_t(bytes.size()), crypto_pwhash_OPSLIMIT_INTERACTIVE,
                          crypto_pwhash_MEMLIMIT_INTERACTIVE) != 0)
        throw std::runtime_error("内存不足,无法计算密码");
    return QString::fromLatin1(out);
}

bool PasswordHash::isHash(const QString& stored) {
    return stored.size() > MaxPasswordLength && stored.startsWith(QLatin1String(kPrefix));
}

bool PasswordHash::verify(const QString& stored, const QString& password) {
    if (!isHash(stored))
        return stored == password;
    initSodium();
    const QByteArray hashed = stored.toLatin1();
    const QByteArray bytes = password.toUtf8();
    return crypto_pwhash_str_verify(hashed.constData(), bytes.constData(), size_t(bytes.size())) == 0;
}
