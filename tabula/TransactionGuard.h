#pragma once

class CVOConnection;

// Begins a transaction on the connection and rolls it back when it goes out
// of scope without Commit. Nests like the other begins on the connection.
class TransactionGuard {
public:
    explicit TransactionGuard(CVOConnection* connection);
    ~TransactionGuard();
    TransactionGuard(const TransactionGuard&) = delete;
    TransactionGuard& operator=(const TransactionGuard&) = delete;

    // Whether the begin succeeded.
    bool IsActive() const { return m_active; }
    // 1 when committed (at the outermost level: written), 0 otherwise.
    [[nodiscard]] int Commit();
    int Rollback();

private:
    CVOConnection* m_connection;
    bool m_active = false;
};
