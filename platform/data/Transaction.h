#pragma once

class DatabaseConnection;

// Every write runs inside one of these: it begins a transaction on the connection (or joins the
// one already running there, whose owner then decides), commit() makes the work final, and when
// it goes out of scope uncommitted, because an exception is leaving, the work is rolled back.
class Transaction {
public:
    explicit Transaction(DatabaseConnection& connection);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    void commit();
    // True when this guard began the transaction (false when it joined a caller's).
    bool owns() const { return m_own; }

private:
    DatabaseConnection& m_connection;
    bool m_own = false;
    bool m_done = false;
};
