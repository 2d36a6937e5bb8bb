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

    QString readString(const QString& section, const QString& key, const QString& def = QString()) const;
    // A value that is not a whole number gives the default.
    int readInteger(const QString& section, const QString& key, int def) const;
    bool hasKey(const QString& section, const QString& key) const;
    bool hasSection(const QString& section) const;

    QStringList sections() const;
    QStringList keys(const QString& section) const;
    // Every "name=value" line of a section in file order, split at its first "=".
    QList<QPair<QString, QString>> entries(const QString& section) const;

    // Throws std::runtime_error when the file cannot be written.
    void writeString(const QString& section, const QString& key, const QString& value);
    void writeInteger(const QString& section, const QString& key, int value);

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
    std::optional<QFileDevice::Permissions> m_perms;
};
