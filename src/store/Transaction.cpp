#include "store/Transaction.h"

#include "store/ChangeLog.h"
#include "store/Database.h"
#include "store/History.h"

namespace listrion::store {

Transaction::Transaction(Database& db) : m_db(db), m_nested(db.inTransaction())
{
    m_db.exec(m_nested ? "SAVEPOINT listrion_command" : "BEGIN IMMEDIATE");
    ChangeLog& log = m_db.changeLog();
    if (m_nested) {
        m_mark = log.mark();
    } else {
        log.clear();
        log.setCollecting(true);
    }
}

Transaction::~Transaction()
{
    if (m_done) {
        return;
    }
    ChangeLog& log = m_db.changeLog();
    try {
        if (m_nested) {
            m_db.exec("ROLLBACK TO listrion_command; RELEASE listrion_command");
            log.rollbackTo(m_mark);
        } else if (m_db.inTransaction()) {
            m_db.exec("ROLLBACK");
        }
    } catch (...) {
        // Rolling back only fails when the engine already ended the transaction itself.
    }
    if (!m_nested) {
        log.setCollecting(false);
        log.clear();
    }
}

void Transaction::commit()
{
    if (m_nested) {
        m_db.exec("RELEASE listrion_command");
        m_done = true;
        return;
    }
    // The command's changes become its history step, in the same transaction.
    ChangeLog& log = m_db.changeLog();
    if (!log.empty()) {
        log.setCollecting(false);
        History::record(m_db, m_db.stepName(), log);
    }
    m_db.exec("COMMIT");
    m_done = true;
    log.setCollecting(false);
    log.clear();
}

ReadTransaction::ReadTransaction(Database& db) : m_db(db)
{
    if (m_db.inTransaction()) {
        return;
    }
    m_db.exec("BEGIN DEFERRED");
    m_open = true;
    try {
        // A deferred transaction takes its snapshot at its first read.
        m_db.scalarInt("SELECT count(*) FROM sqlite_schema", 0);
    } catch (...) {
        m_db.exec("ROLLBACK");
        throw;
    }
}

ReadTransaction::~ReadTransaction()
{
    if (m_open && m_db.inTransaction()) {
        try {
            m_db.exec("ROLLBACK");
        } catch (...) {
            // Nothing was written; the engine ends the read when the connection closes.
        }
    }
}

} // namespace listrion::store
