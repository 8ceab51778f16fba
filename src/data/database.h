#pragma once


#include <QString>

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace mervalis {

class Database;
class RowBlock;

// An open result, read a part at a time (Database::open). It holds its
// statement until it is read to the end or destroyed.
class Cursor {
public:
    enum class Read {
        More,     // the rows asked for were read; more may follow
        End,      // the result is read to its end
        TooLong,  // a value did not fit its buffer: nothing was appended and
                  // the cursor is closed; open the query again (the widths
                  // are learnt)
        Failed,   // see Database::lastError()
    };
    ~Cursor();
    Cursor(const Cursor&) = delete;
    Cursor& operator=(const Cursor&) = delete;

    const QStringList& columnNames() const;
    // False once read to its end, or closed because another statement ran
    // on the connection.
    bool isOpen() const;
    // Appends up to `maxRows` rows (all that are left when negative) to
    // `rows`, giving it the result's columns when it has none.
    Read read(RowBlock& rows, qint64 maxRows);

private:
    friend class Database;
    struct State;
    explicit Cursor(std::unique_ptr<State> state);
    std::unique_ptr<State> state_;
};

// One connection to the ODBC data source, through unixODBC's C API. Every
// call answers true or false and leaves the driver's own error text in
// lastError(); nothing is thrown.
class Database {
public:
    explicit Database(QString dataSourceName = QStringLiteral("Mervalis"));
    // A connection through an ODBC connection string of its own (for
    // example "Driver={PostgreSQL Unicode};Servername=..."), named
    // `dataSourceName` in messages.
    Database(QString dataSourceName, QString connectionString);
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    // The database engines the ledger lives on.
    enum class Engine { SQLite, PostgreSQL, Other };

    const QString& dataSourceName() const { return dataSourceName_; }
    QString connectionString() const
    {
        return connectionString_.isEmpty() ? QStringLiteral("DSN=") + dataSourceName_ : connectionString_;
    }
    // The keywords added to the connection string: settings of the SQLite
    // and PostgreSQL drivers, each ignored by the other.
    static QString driverSettings();
    // How long a SQLite ledger locked by another program's write is waited
    // for before a statement is given up and the user told. The driver
    // waits this long at each step of a statement that finds the lock (an
    // add waits about twice as long in all).
    static constexpr int kBusyTimeoutMilliseconds = 5000;
    // Rows the PostgreSQL driver reads from the server at a time.
    static constexpr int kRowsPerServerFetch = 1000;

    bool connect();
    bool isConnected() const { return dbc_ != nullptr; }
    // The engine behind the data source, known once connected.
    Engine engine() const { return engine_; }
    void disconnect();

    // Runs a query and replaces `rows` with its whole result.
    bool query(const QString& sql, RowBlock& rows);
    // Runs a query and leaves its result open to be read a part at a time;
    // nullptr when it failed. Only one result is open at a time: opening
    // another, or running any statement, closes it. `oneRowAtATime` reads every value whole
    // whatever its length, at some cost in speed.
    std::unique_ptr<Cursor> open(const QString& sql, bool oneRowAtATime = false);
    // Runs a statement that returns no rows.
    bool execute(const QString& sql, long* rowsAffected = nullptr);

    bool beginTransaction();
    bool commit();
    bool rollback();

    const QString& lastError() const { return lastError_; }

private:
    friend class Cursor;
    bool fail(short handleType, void* handle, const QString& context);
    void learnWidths(const std::string& signature, const std::vector<long>& room);
    void closeOpenResults();

    QString dataSourceName_;
    QString connectionString_;
    void* env_ = nullptr;
    void* dbc_ = nullptr;
    QString lastError_;
    Engine engine_ = Engine::Other;
    // Buffer widths that held every value of an earlier result with the same
    // columns, so that the next fetch of such a result needs a single pass.
    std::unordered_map<std::string, std::vector<long>> fetchWidths_;
    std::vector<Cursor::State*> cursors_;  // open results, closed before the connection
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
