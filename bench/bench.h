#pragma once

// mervalis-bench: how long every action a user takes on the ledger lasts, and
// how much memory the program then needs, on ledgers of 100,000 and
// 1,000,000 sales, beside a hand-written query through SQLite's own C API
// that computes the same figures.

#include <QString>

#include <functional>
#include <memory>
#include <vector>

struct sqlite3;

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

struct Action {
    QString name;
    Goal goal = Goal::Action;
    // Untimed: what the user did before (the program is started first
    // unless `startsItself`).
    std::function<void(Program&)> prepare;
    // Timed.
    std::function<void(Program&)> act;
    // Timed, for Figures and WholeTable: the same figures through SQLite's C
    // API; false when the query failed.
    std::function<bool(sqlite3*)> reference;
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

// Runs one query through SQLite's C API, stepping every row and reading
// every value as text, as a program holding the result would; false when it
// failed.
bool readAll(sqlite3* db, const char* sql);

}  // namespace mervalis::bench
