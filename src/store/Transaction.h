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

} // namespace listrion::store
