#pragma once

#include "data/record_set.h"

#include <QString>

#include <string>
#include <unordered_map>
#include <vector>

namespace mervalis {

// One connection to the ODBC data source, through unixODBC's C API. Every
// call answers true or false and leaves the driver's own error text in
// lastError(); nothing is thrown.
class Database {
public:
    explicit Database(QString dataSourceName = QStringLiteral("Mervalis"));
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    const QString& dataSourceName() const { return dataSourceName_; }
    QString connectionString() const { return QStringLiteral("DSN=") + dataSourceName_; }

    bool connect();
    bool isConnected() const { return dbc_ != nullptr; }
    void disconnect();

    // Runs a query and replaces `rows` with its result.
    bool query(const QString& sql, RecordSet& rows);
    // Runs a statement that returns no rows.
    bool execute(const QString& sql, long* rowsAffected = nullptr);

    bool beginTransaction();
    bool commit();
    bool rollback();

    const QString& lastError() const { return lastError_; }

private:
    bool fail(short handleType, void* handle, const QString& context);

    QString dataSourceName_;
    void* env_ = nullptr;
    void* dbc_ = nullptr;
    QString lastError_;
    // Buffer widths that held every value of an earlier result with the same
    // columns, so that the next fetch of such a result needs a single pass.
    std::unordered_map<std::string, std::vector<long>> fetchWidths_;
};

// Writes that must happen together: rolls back unless commit() was called.
class TransactionGuard {
public:
    explicit TransactionGuard(Database& database);
    ~TransactionGuard();
    TransactionGuard(const TransactionGuard&) = delete;
    TransactionGuard& operator=(const TransactionGuard&) = delete;
    bool active() const { return active_; }
    bool commit();

private:
    Database& database_;
    bool active_;
};

}  // namespace mervalis
