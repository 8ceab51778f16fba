#pragma once

// mervalis-bench: how long every action a user takes on the ledger lasts, and
// how much memory the program then needs, on ledgers of 100,000 and
// 1,000,000 sales on SQLite and on PostgreSQL, beside a hand-written query
// through the engine's own C API (SQLite's, libpq) that computes the same
// figures straight from the sales.

#include <QString>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace mervalis {
struct AppContext;
class Form1;
}  // namespace mervalis

namespace mervalis::bench {

// The program as a user has it, in the child process that measures one
// action: started on the ledger, main window open.
struct Program {
    AppContext& context;
    Form1* form1 = nullptr;
    // Starts the program as main() does: the splash window's loading opens
    // the main window.
    std::function<void()> start;
};

// What an action must reach.
enum class Goal {
    Start,         // under half a second
    Action,        // under a second
    Figures,       // under a second, and within 3 times its hand-written query
    WholeTable,    // within 2 times SQLite's C API reading every row
    Context,       // no goal: a figure that explains another row
};

enum class Engine { SQLite, PostgreSQL };

// A connection of the engine's own C API for the hand-written queries.
class Reference {
public:
    virtual ~Reference() = default;
    virtual Engine engine() const = 0;
    // Runs one query, stepping every row and reading every value as text,
    // as a program holding the result would; false when it failed.
    virtual bool readAll(const std::string& sql) = 0;
    // The first value of the first row; empty when there is none.
    virtual std::string firstValue(const std::string& sql) = 0;
};
std::unique_ptr<Reference> openSqlite(const std::string& databaseFile);
std::unique_ptr<Reference> openPostgres(const std::string& connection);

struct Action {
    QString name;
    Goal goal = Goal::Action;
    // Untimed: what the user did before (the program is started first
    // unless `startsItself`).
    std::function<void(Program&)> prepare;
    // Timed.
    std::function<void(Program&)> act;
    // Timed, for Figures and WholeTable: the same figures through the
    // engine's own C API; false when the query failed.
    std::function<bool(Reference&)> reference;
    bool startsItself = false;
};

// Every action measured, in the order of the table.
std::vector<Action> actions();
// The Analysis tab's: its option list and each of its options.
void addAnalysis(std::vector<Action>& list);

// The reference ID of the invoice of 20 sales every ledger holds.
inline const char* benchInvoice() { return "BENCH20"; }
// The client who owes 100 invoices in every ledger.
inline const char* benchStatementClient() { return "Bench Statement Ltd"; }

// A column grouped and compared exactly, case and all, in the engine's SQL.
std::string exact(Engine engine, const std::string& column);

// A throwaway PostgreSQL cluster of the bench's own (postgres.cpp): started
// in `folder` (anew, or the one kept there by an earlier run), stopped when
// this goes. connection() is empty when it could not be started.
class Cluster {
public:
    Cluster(const std::string& folder, bool keep);
    ~Cluster();
    Cluster(const Cluster&) = delete;
    Cluster& operator=(const Cluster&) = delete;
    const std::string& connection() const { return connection_; }

private:
    std::string folder_;
    bool keep_;
    std::string connection_;
};

// A program folder with a ledger of `sales` sales on PostgreSQL, database
// `name` of the cluster: the rows of the SQLite ledger `source` loaded
// before the indexes and the kept figures are made. Its data source goes
// into the folder's ODBC set-up.
bool buildPostgresLedger(const std::string& cluster, const std::string& name, const QString& folder,
                         const QString& source);
// Brings a ledger built by an earlier run up to this version, as the set-up
// does with an existing ledger.
bool updatePostgresLedger(const std::string& cluster, const std::string& name);

}  // namespace mervalis::bench
