#pragma once

#include <QFileDevice>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

#include <optional>

// A Windows-style profile (ini) file: sections and keys matched without regard to case,
// keys kept in file order, lines we do not touch kept as they are on write. Every write
// goes to disk at once and replaces the file atomically, so a crash never leaves half a file.
class ProfileFile {
public:
    explicit ProfileFile(const QString& path);

    const QString& path() const { return m_path; }
    bool exists() const;
    // False for a file that is there but is no UTF-8 text (binary junk, another code page): it is
    // read as empty, since its values would be misread and writing back would mangle its lines.
    bool readable() const { return m_readable; }

    QString readString(const QString& section, const QString& key, const QString& def = QString()) const;
    // A value that is not a whole number gives the default.
    int readInteger(const QString& section, const QString& key, int def) const;
    bool hasKey(const QString& section, const QString& key) const;
    bool hasSection(const QString& section) const;

    QStringList sections() const;
    QStringList keys(const QString& section) const;
    // Every "name=value" line of a section in file order, split at its first "=".
    QList<QPair<QString, QString>> entries(const QString& section) const;

    // Writes the value so that it reads back exactly as given: quoted when it has blanks at
    // either end or is itself quoted. A value with a line break or another control character
    // cannot be written that way and is refused (std::invalid_argument; see writable()).
    // Throws std::runtime_error when the file cannot be written.
    void writeString(const QString& section, const QString& key, const QString& value);
    void writeInteger(const QString& section, const QString& key, int value);
    static bool writable(const QString& value);

    // Permissions the file gets whenever this object writes it (files holding passwords).
    void setWritePermissions(QFileDevice::Permissions perms) { m_perms = perms; }

    void reload();

private:
    struct Line {
        enum Kind { Other, Section, Key };
        Kind kind = Other;
        QString text;  // the line as it stands in the file
        QString name;  // section name or key, trimmed
        QString value; // key lines: the value, trimmed
    };
    static Line parse(const QString& text);
    int sectionHeader(const QString& section) const;
    int sectionEnd(int header) const;
    int findKey(const QString& section, const QString& key) const;
    void save();

    QString m_path;
    QList<Line> m_lines;
    bool m_readable = true;
    std::optional<QFileDevice::Permissions> m_perms;
};
