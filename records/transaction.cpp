#include "records/transaction.h"

#include <QSqlError>

#include "records/dataset.h"

Transaction::Transaction(const QSqlDatabase &db)
    : m_db(db)
{
    if (!m_db.transaction())
        throw DatabaseError::fromEngine(m_db.lastError());
}

Transaction::~Transaction()
{
    if (m_open)
        m_db.rollback();
}

void Transaction::commit()
{
    if (!m_db.commit())
        throw DatabaseError::fromEngine(m_db.lastError());
    m_open = false;
}
