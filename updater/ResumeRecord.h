#pragma once

#include <QString>

// What a partial copy in "update/" belongs to: the release date of its list row, the server's
// full length and the server's ETag or Last-Modified. A copy is continued only while all three
// still match; otherwise its bytes may be of another release and it starts again from zero.
class ResumeRecord {
public:
    QString datetime;
    qint64 length = -1;
    QString validator;

    bool operator==(const ResumeRecord&) const = default;

    // The record of a copy lies beside it, hidden: ".<name>.resume".
    static QString pathFor(const QString& copy);
    // An empty record (length -1) when there is none or it cannot be read.
    static ResumeRecord read(const QString& copy);
    static bool write(const QString& copy, const ResumeRecord& record);
    static void remove(const QString& copy);
};
