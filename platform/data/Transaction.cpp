#include "Transaction.h"

#include "DatabaseConnection.h"
#include "DbError.h"

Transaction::Transaction(DatabaseConnection& connection) : m_connection(connection) {
    m_own = !connection.inTransaction();
    if (m_own)
        connection.begin();
}

Transaction::~Transaction() {
    if (!m_own || m_done || !m_connection.inTransaction())
        return;
    try {
        m_connection.rollback();
    } catch (const DbError&) {
        // The error that is leaving is the one worth reporting.
    }
}

void Transaction::commit() {
    if (m_own && !m_done)
        m_connection.commit();
    m_done = true;
}
