#include "FileDigest.h"

#include <QFile>

#include <openssl/evp.h>

struct FileDigest::Context {
    EVP_MD_CTX* md = EVP_MD_CTX_new();
    bool ok = md && EVP_DigestInit_ex(md, EVP_sha256(), nullptr) == 1;
    ~Context() { EVP_MD_CTX_free(md); }
};

FileDigest::FileDigest() : m_ctx(new Context) {}

FileDigest::~FileDigest() {
    delete m_ctx;
}

void FileDigest::add(const char* data, qint64 size) {
    if (m_ctx->ok && size > 0)
        m_ctx->ok = EVP_DigestUpdate(m_ctx->md, data, size_t(size)) == 1;
}

bool FileDigest::addFile(const QString& path, qint64 size) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    QByteArray block(1 << 20, Qt::Uninitialized);
    for (;;) {
        const qint64 want = size < 0 ? block.size() : qMin<qint64>(block.size(), size);
        if (want == 0)
            return true;
        const qint64 n = file.read(block.data(), want);
        if (n < 0)
            return false;
        if (n == 0)
            return size < 0;
        add(block.constData(), n);
        if (size > 0)
            size -= n;
    }
}

QByteArray FileDigest::hex() {
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    if (!m_ctx->ok || EVP_DigestFinal_ex(m_ctx->md, digest, &length) != 1)
        return {};
    m_ctx->ok = false;
    return QByteArray(reinterpret_cast<const char*>(digest), int(length)).toHex();
}

QByteArray FileDigest::sha256Hex(const QString& path) {
    FileDigest d;
    return d.addFile(path, -1) ? d.hex() : QByteArray();
}
