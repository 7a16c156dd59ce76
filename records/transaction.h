#pragma once

#include <QSqlDatabase>

// Statements run together as one on the connection: committed by commit(), undone when the
// transaction goes out of scope without it (a statement failed on the way). Throws DatabaseError
// when the engine cannot begin or commit.
class Transaction {
public:
    explicit Transaction(const QSqlDatabase &db);
    ~Transaction();
    Transaction(const Transaction &) = delete;
    Transaction &operator=(const Transaction &) = delete;

    void commit();

private:
    QSqlDatabase m_db;
    bool m_open = true;
};
