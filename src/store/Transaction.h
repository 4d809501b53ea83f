#pragma once

#include <cstddef>

namespace listrion::store {

class Database;

// One command's changes: commit() applies them, leaving the scope without it rolls them back.
// Inside an open transaction it becomes a savepoint, so routines that each run as one
// transaction can also be combined into a larger command.
class Transaction {
public:
    explicit Transaction(Database& db);
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    ~Transaction();

    void commit();

private:
    Database& m_db;
    bool m_nested = false;
    bool m_done = false;
    std::size_t m_mark = 0; // the change log's size when the savepoint began
};

// One consistent view of the store for a command that only reads (a save, an export, a check):
// every statement while it lives sees the store as one committed state, however other
// programs commit meanwhile. It takes no write lock, so it also works on a read-only
// connection and never waits for a writer. Inside an open transaction it does nothing.
class ReadTransaction {
public:
    explicit ReadTransaction(Database& db);
    ReadTransaction(const ReadTransaction&) = delete;
    ReadTransaction& operator=(const ReadTransaction&) = delete;
    ~ReadTransaction();

private:
    Database& m_db;
    bool m_open = false;
};

} // namespace listrion::store
