#pragma once

#include <QString>

// How passwords are kept in S_用户表: never as typed, but as a salted, slow hash (Argon2id) in its
// own text form. A stored value is a hash when it has that form and is longer than any password
// the program accepts, so it can never be mistaken for a typed password; a shorter value is a
// password an older program stored as typed.
class PasswordHash {
public:
    // The longest password a user may choose (the width the column had before hashing).
    static constexpr int MaxPasswordLength = 20;

    // A new hash of the password (a fresh salt every time). Throws std::runtime_error when the
    // machine cannot spare the memory the hash needs.
    static QString hash(const QString& password);
    static bool isHash(const QString& stored);
    // True when the password is the one stored: a hash is verified, a value stored as typed is
    // compared exactly.
    static bool verify(const QString& stored, const QString& password);
};
