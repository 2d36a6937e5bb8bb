#include "ProfileFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>

#include <stdexcept>

ProfileFile::ProfileFile(const QString& path) : m_path(path) {
    reload();
}

bool ProfileFile::exists() const {
    return QFileInfo(m_path).isFile();
}

void ProfileFile::reload() {
    m_lines.clear();
    m_readable = true;
    QFile file(m_path);
    if (!QFileInfo(m_path).isFile())
        return;
    if (!file.open(QIODevice::ReadOnly)) {
        m_readable = false;
        return;
    }
    QByteArray data = file.readAll();
    if (data.startsWith("\xEF\xBB\xBF"))
        data.remove(0, 3);
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString text = decoder.decode(data);
    if (decoder.hasError() || data.contains('\0') || text.contains(QChar::ReplacementCharacter)) {
        m_readable = false;
        return;
    }
    QStringList lines = text.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    for (QString line : lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        m_lines.append(parse(line));
    }
}

ProfileFile::Line ProfileFile::parse(const QString& text) {
    Line line;
    line.text = text;
    const QString t = text.trimmed();
    if (t.isEmpty() || t.startsWith(QLatin1Char(';')))
        return line;
    if (t.startsWith(QLatin1Char('['))) {
        const int close = t.indexOf(QLatin1Char(']'));
        if (close > 0) {
            line.kind = Line::Section;
            line.name = t.mid(1, close - 1).trimmed();
        }
        return line;
    }
    const int eq = t.indexOf(QLatin1Char('='));
    if (eq < 0)
        return line;
    line.kind = Line::Key;
    line.name = t.left(eq).trimmed();
    line.value = t.mid(eq + 1).trimmed();
    // Windows drops one pair of quotes around a whole value.
    if (line.value.size() >= 2 &&
        ((line.value.startsWith(QLatin1Char('"')) && line.value.endsWith(QLatin1Char('"'))) ||
         (line.value.startsWith(QLatin1Char('\'')) && line.value.endsWith(QLatin1Char('\'')))))
        line.value = line.value.mid(1, line.value.size() - 2);
    return line;
}

int ProfileFile::sectionHeader(const QString& section) const {
    for (int i = 0; i < m_lines.size(); ++i)
        if (m_lines[i].kind == Line::Section && m_lines[i].name.compare(section, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

int ProfileFile::sectionEnd(int header) const {
    int i = header + 1;
    while (i < m_lines.size() && m_lines[i].kind != Line::Section)
        ++i;
    return i;
}

int ProfileFile::findKey(const QString& section, const QString& key) const {
    const int header = sectionHeader(section);
    if (header < 0)
        return -1;
    const int end = sectionEnd(header);
    for (int i = header + 1; i < end; ++i)
        if (m_lines[i].kind == Line::Key && m_lines[i].name.compare(key, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

QString ProfileFile::readString(const QString& section, const QString& key, const QString& def) const {
    const int i = findKey(section, key);
    return i < 0 ? def : m_lines[i].value;
}

int ProfileFile::readInteger(const QString& section, const QString& key, int def) const {
    const int i = findKey(section, key);
    if (i < 0)
        return def;
    bool ok = false;
    const int v = m_lines[i].value.toInt(&ok);
    return ok ? v : def;
}

bool ProfileFile::hasKey(const QString& section, const QString& key) const {
    return findKey(section, key) >= 0;
}

bool ProfileFile::hasSection(const QString& section) const {
    return sectionHeader(section) >= 0;
}

QStringList ProfileFile::sections() const {
    QStringList out;
    for (const Line& l : m_lines)
        if (l.kind == Line::Section)
            out << l.name;
    return out;
}

QStringList ProfileFile::keys(const QString& section) const {
    QStringList out;
    for (const auto& e : entries(section))
        out << e.first;
    return out;
}

QList<QPair<QString, QString>> ProfileFile::entries(const QString& section) const {
    QList<QPair<QString, QString>> out;
    const int header = sectionHeader(section);
    if (header < 0)
        return out;
    const int end = sectionEnd(header);
    for (int i = header + 1; i < end; ++i)
        if (m_lines[i].kind == Line::Key)
            out.append({m_lines[i].name, m_lines[i].value});
    return out;
}

bool ProfileFile::writable(const QString& value) {
    for (const QChar c : value)
        if (c.category() == QChar::Other_Control || c == QChar::LineSeparator ||
            c == QChar::ParagraphSeparator)
            return false;
    return true;
}

namespace {
// The form of a value on its line: reading trims blanks and drops one pair of quotes around the
// whole value, so a value that would lose something gets a pair of quotes of its own.
QString encoded(const QString& value) {
    const bool quoted =
        value.size() >= 2 && ((value.startsWith(QLatin1Char('"')) && value.endsWith(QLatin1Char('"'))) ||
                              (value.startsWith(QLatin1Char('\'')) && value.endsWith(QLatin1Char('\''))));
    if (value.trimmed() != value || quoted)
        return QLatin1Char('"') + value + QLatin1Char('"');
    return value;
}
} // namespace

void ProfileFile::writeString(const QString& section, const QString& key, const QString& rawValue) {
    if (!writable(rawValue))
        throw std::invalid_argument(
            QStringLiteral("%1 的值含有换行或控制字符,无法写入 %2").arg(key, m_path).toStdString());
    if (!m_readable)
        throw std::runtime_error(QStringLiteral("文件 %1 无法读取,不能改写").arg(m_path).toStdString());
    const QString value = encoded(rawValue);
    const QString text = key + QLatin1Char('=') + value;
    const int existing = findKey(section, key);
    if (existing >= 0) {
        Line& l = m_lines[existing];
        l.text = l.name + QLatin1Char('=') + value;
        l.value = rawValue;
    } else {
        int header = sectionHeader(section);
        if (header < 0) {
            if (!m_lines.isEmpty() && !m_lines.last().text.trimmed().isEmpty())
                m_lines.append(parse(QString()));
            m_lines.append(parse(QLatin1Char('[') + section + QLatin1Char(']')));
            header = m_lines.size() - 1;
        }
        // New keys go after the last key of the section, before trailing blank lines.
        int at = sectionEnd(header);
        while (at > header + 1 && m_lines[at - 1].kind == Line::Other &&
               m_lines[at - 1].text.trimmed().isEmpty())
            --at;
        m_lines.insert(at, parse(text));
        m_lines[at].value = rawValue;
    }
    save();
}

void ProfileFile::writeInteger(const QString& section, const QString& key, int value) {
    writeString(section, key, QString::number(value));
}

void ProfileFile::save() {
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly))
        throw std::runtime_error(
            QStringLiteral("无法写入文件 %1: %2").arg(m_path, file.errorString()).toStdString());
    QByteArray out;
    for (const Line& l : m_lines) {
        out += l.text.toUtf8();
        out += "\n";
    }
    file.write(out);
    if (m_perms)
        file.setPermissions(*m_perms);
    if (!file.commit())
        throw std::runtime_error(
            QStringLiteral("无法写入文件 %1: %2").arg(m_path, file.errorString()).toStdString());
}
