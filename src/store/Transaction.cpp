#include "store/Transaction.h"

#include "store/Database.h"

namespace listrion::store {

Transaction::Transaction(Database& db) : m_db(db), m_nested(db.inTransaction())
{
    m_db.exec(m_nested ? "SAVEPOINT listrion_command" : "BEGIN IMMEDIATE");
}

Transaction::~Transaction()
{
    if (m_done) {
        return;
    }
    try {
        if (m_nested) {
            m_db.exec("ROLLBACK TO listrion_command; RELEASE listrion_command");
        } else if (m_db.inTransaction()) {
            m_db.exec("ROLLBACK");
        }
    } catch (...) {
        // Rolling back only fails when the engine already ended the transaction itself.
    }
}

void Transaction::commit()
{
    m_db.exec(m_nested ? "RELEASE listrion_command" : "COMMIT");
    m_done = true;
}

} // namespace listrion::store
