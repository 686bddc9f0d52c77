#include "tabula/TransactionGuard.h"

#include "tabula/CVOConnection.h"

TransactionGuard::TransactionGuard(CVOConnection* connection) : m_connection(connection)
{
    m_active = m_connection != nullptr && m_connection->BeginTrans() != 0;
}

TransactionGuard::~TransactionGuard()
{
    if (m_active) {
        m_connection->RollbackTrans();
    }
}

int TransactionGuard::Commit()
{
    if (!m_active) {
        return 0;
    }
    m_active = false;
    return m_connection->CommitTrans();
}

int TransactionGuard::Rollback()
{
    if (!m_active) {
        return 0;
    }
    m_active = false;
    return m_connection->RollbackTrans();
}
