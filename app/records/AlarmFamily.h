#pragma once

#include <QString>

struct RecordFamily;

// The follow-up reminders: let houses of the lease table (H_出租表) whose follow-up flag is set and
// whose follow-up date lies in a range. Worked like lease listings, offered again by 再租 only.
class AlarmFamily {
public:
    static const RecordFamily& get();
    // The reminder query, written once for the list and the check run on activation (the words
    // true/false are the engine's yes/no literals, see SqlDialect::withBooleanLiterals).
    static QString query();
    // The state a reminder has.
    static QString state() { return QStringLiteral("已出租"); }
    // The first list and the check cover today minus this many days to today.
    static constexpr int Days = 7;
};
