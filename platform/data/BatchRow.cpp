#include "BatchRow.h"

#include <cstring>

// Block: [u8 flags][u16 columns][null bits][wide bits][columns+1 offsets, 16 or 32 bits][payload]
namespace {
constexpr unsigned char WideOffsets = 1;
constexpr int HeaderSize = 3;
} // namespace

struct BatchRow::Layout {
    const unsigned char* base;
    int columns;
    int bitBytes;
    bool wideOffsets;
    const unsigned char* offsets;
    const char* payload;

    quint32 offset(int i) const {
        if (wideOffsets) {
            quint32 v;
            std::memcpy(&v, offsets + 4 * i, 4);
            return v;
        }
        quint16 v;
        std::memcpy(&v, offsets + 2 * i, 2);
        return v;
    }
    bool bit(int group, int column) const {
        return (base[HeaderSize + group * bitBytes + column / 8] >> (column % 8)) & 1;
    }
};

BatchRow::Layout BatchRow::layout() const {
    Layout l{};
    l.base = reinterpret_cast<const unsigned char*>(m_data.get());
    quint16 columns;
    std::memcpy(&columns, l.base + 1, 2);
    l.columns = columns;
    l.bitBytes = (l.columns + 7) / 8;
    l.wideOffsets = l.base[0] & WideOffsets;
    l.offsets = l.base + HeaderSize + 2 * l.bitBytes;
    l.payload = reinterpret_cast<const char*>(l.offsets + (l.wideOffsets ? 4 : 2) * (l.columns + 1));
    return l;
}

int BatchRow::columnCount() const {
    return m_data ? layout().columns : 0;
}

bool BatchRow::isNull(int column) const {
    if (!m_data)
        return true;
    const Layout l = layout();
    return column < 0 || column >= l.columns || l.bit(0, column);
}

qint64 BatchRow::integer(int column) const {
    if (isNull(column))
        return 0;
    const Layout l = layout();
    const quint32 begin = l.offset(column);
    const quint32 size = l.offset(column + 1) - begin;
    const char* p = l.payload + begin;
    switch (size) {
    case 1:
        return qint8(p[0]);
    case 2: {
        qint16 v;
        std::memcpy(&v, p, 2);
        return v;
    }
    case 4: {
        qint32 v;
        std::memcpy(&v, p, 4);
        return v;
    }
    case 8: {
        qint64 v;
        std::memcpy(&v, p, 8);
        return v;
    }
    default:
        return 0;
    }
}

QString BatchRow::string(int column) const {
    if (isNull(column))
        return {};
    const Layout l = layout();
    const quint32 begin = l.offset(column);
    const quint32 size = l.offset(column + 1) - begin;
    if (size == 0)
        return QStringLiteral("");
    if (!l.bit(1, column))
        return QString::fromLatin1(l.payload + begin, size);
    QString text(size / 2, Qt::Uninitialized);
    std::memcpy(text.data(), l.payload + begin, size);
    return text;
}

QByteArray BatchRow::bytes(int column) const {
    if (isNull(column))
        return {};
    const Layout l = layout();
    const quint32 begin = l.offset(column);
    return QByteArray(l.payload + begin, l.offset(column + 1) - begin);
}

qsizetype BatchRow::byteSize() const {
    if (!m_data)
        return 0;
    const Layout l = layout();
    return (l.payload - reinterpret_cast<const char*>(l.base)) + l.offset(l.columns);
}

void BatchRow::Builder::start(int columns) {
    m_columns = columns;
    m_field = 0;
    m_flags.assign(2 * ((columns + 7) / 8), 0);
    m_offsets.clear();
    m_offsets.reserve(columns + 1);
    m_payload.clear();
}

void BatchRow::Builder::beginField() {
    m_offsets.push_back(quint32(m_payload.size()));
    ++m_field;
}

void BatchRow::Builder::addNull() {
    const int c = m_field;
    beginField();
    m_flags[c / 8] |= (1u << (c % 8));
}

void BatchRow::Builder::addInteger(qint64 value) {
    beginField();
    char buffer[8];
    int size;
    if (value >= -128 && value <= 127) {
        const qint8 v = qint8(value);
        std::memcpy(buffer, &v, 1);
        size = 1;
    } else if (value >= -32768 && value <= 32767) {
        const qint16 v = qint16(value);
        std::memcpy(buffer, &v, 2);
        size = 2;
    } else if (value >= -2147483647LL - 1 && value <= 2147483647LL) {
        const qint32 v = qint32(value);
        std::memcpy(buffer, &v, 4);
        size = 4;
    } else {
        std::memcpy(buffer, &value, 8);
        size = 8;
    }
    m_payload.insert(m_payload.end(), buffer, buffer + size);
}

void BatchRow::Builder::addString(const QString& text) {
    const int c = m_field;
    beginField();
    const ushort* p = text.utf16();
    const qsizetype n = text.size();
    bool narrow = true;
    for (qsizetype i = 0; i < n; ++i)
        if (p[i] > 0xff) {
            narrow = false;
            break;
        }
    const size_t at = m_payload.size();
    if (narrow) {
        m_payload.resize(at + size_t(n));
        for (qsizetype i = 0; i < n; ++i)
            m_payload[at + size_t(i)] = char(p[i]);
    } else {
        m_payload.resize(at + size_t(n) * 2);
        std::memcpy(m_payload.data() + at, p, size_t(n) * 2);
        const int bitBytes = (m_columns + 7) / 8;
        m_flags[bitBytes + c / 8] |= (1u << (c % 8));
    }
}

void BatchRow::Builder::addBytes(const QByteArray& bytes) {
    beginField();
    m_payload.insert(m_payload.end(), bytes.constData(), bytes.constData() + bytes.size());
}

BatchRow BatchRow::Builder::finish() {
    while (m_field < m_columns)
        addNull();
    m_offsets.push_back(quint32(m_payload.size()));
    const bool wide = m_payload.size() > 0xffff;
    const size_t offsetBytes = (wide ? 4 : 2) * m_offsets.size();
    const size_t total = HeaderSize + m_flags.size() + offsetBytes + m_payload.size();
    BatchRow row;
    row.m_data = std::make_unique_for_overwrite<char[]>(total);
    char* p = row.m_data.get();
    p[0] = char(wide ? WideOffsets : 0);
    const quint16 columns = quint16(m_columns);
    std::memcpy(p + 1, &columns, 2);
    p += HeaderSize;
    std::memcpy(p, m_flags.data(), m_flags.size());
    p += m_flags.size();
    for (const quint32 o : m_offsets) {
        if (wide) {
            std::memcpy(p, &o, 4);
            p += 4;
        } else {
            const quint16 s = quint16(o);
            std::memcpy(p, &s, 2);
            p += 2;
        }
    }
    if (!m_payload.empty())
        std::memcpy(p, m_payload.data(), m_payload.size());
    return row;
}
