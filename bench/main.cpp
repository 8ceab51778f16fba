// mervalis-bench: every action a user takes on the ledger, timed on ledgers
// of 100,000 and 1,000,000 sales on SQLite and on PostgreSQL, with the
// program's peak memory, beside a hand-written query through the engine's
// own C API that gives the same figures.
//
// Each ledger is built once into a temporary folder (a program folder with
// its database, list files and ODBC set-up; on PostgreSQL a database of a
// throwaway cluster of the bench's own) and used by every row. Each row
// runs in a process of its own, started afresh on the ledger, so that its
// peak memory is the program's with that action, and one action's cache
// does not help the next.
#include "bench/bench.h"

#include "app/form1.h"
#include "app/form3.h"
#include "data/app_context.h"
#include "data/dialogs.h"
#include "data/help.h"
#include "data/installation.h"
#include "data/money.h"
#include "data/store.h"
#include "setup/install.h"
#include "setup/sample_data.h"
#include "setup/schema.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <memory>
#include <sqlite3.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

extern char** environ;

namespace {

using namespace mervalis;
using namespace mervalis::bench;
using Clock = std::chrono::steady_clock;

constexpr double kMemoryGoalMiB = 200;
// A hand-written query counts as taking at least this long: below it, what
// the program spends is the window system's own work of showing a list or a
// chart, which no query has to do.
constexpr double kReferenceFloor = 0.02;

// Message boxes go to the terminal; every question is answered Yes.
class ConsoleDialogs final : public DialogService {
public:
    Answer show(const QString& text, Icon, Buttons buttons, const QString&) override
    {
        std::fprintf(stderr, "  [box] %s\n", qPrintable(text.left(160).replace(QLatin1String("\r\n"), " ")));
        return buttons == Buttons::YesNo ? Answer::Yes : Answer::Ok;
    }
};

class NoHelp final : public HelpLauncher {
public:
    void open(const QString&) override {}
};

// Where the bench tells its progress: the terminal's standard error. Its
// own standard error, which the measured programs inherit, goes to the log.
FILE* progress = stderr;

void say(const char* format, ...) __attribute__((format(printf, 1, 2)));
void say(const char* format, ...)
{
    va_list arguments;
    va_start(arguments, format);
    std::vfprintf(progress, format, arguments);
    va_end(arguments);
    std::fflush(progress);
}

// Sends what the bench and the programs it measures write to standard error
// (Qt's warnings, message boxes, the cluster's script) to the file `path`.
bool logTo(const QString& path)
{
    const int log = open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    const int terminal = fcntl(STDERR_FILENO, F_DUPFD_CLOEXEC, 0);
    if (log < 0 || terminal < 0) return false;
    progress = fdopen(terminal, "w");
    const bool ok = progress && dup2(log, STDERR_FILENO) >= 0;
    close(log);
    if (!progress) progress = stderr;
    return ok;
}

double secondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// --- the child: one action on one ledger -------------------------------

int runChild(int index, Engine engine, const std::string& target)
{
    int argc = 1;
    char name[] = "mervalis-bench";
    char* argv[] = {name, nullptr};
    QApplication app(argc, argv);
    mervalis::keepMachineNumbers();
    QCoreApplication::setOrganizationName(QStringLiteral("Mervalis"));
    QCoreApplication::setApplicationName(QStringLiteral("Mervalis"));
    const std::vector<Action> list = actions();
    if (index < 0 || index >= static_cast<int>(list.size())) return 2;
    const Action& action = list[static_cast<size_t>(index)];

    ConsoleDialogs dialogs;
    NoHelp help;
    QSettings settings;
    const Installation installation = Installation::load();
    Store store(dialogs);
    AppContext context{store.database, store.adodc1, store.adodc2, store.adodc3,
                       dialogs,        help,         settings,     installation};
    Form3 form3(context);
    Program program{context, nullptr, nullptr};
    program.start = [&] {
        form3.Form_Load();
        program.form1 = form3.mainWindow();
    };
    if (!action.startsItself) program.start();
    if (action.prepare) action.prepare(program);

    std::unique_ptr<Reference> db;
    if (action.reference) {
        db = engine == Engine::PostgreSQL ? openPostgres(target) : openSqlite(target);
        if (!db) return 3;
        action.reference(*db);  // warms the cache as the program's own start did
    }
    Clock::time_point start = Clock::now();
    action.act(program);
    const double seconds = secondsSince(start);
    double reference = -1;
    if (db) {
        start = Clock::now();
        const bool ok = action.reference(*db);
        reference = ok ? secondsSince(start) : -1;
        db.reset();
    }
    // The process's own peak: its resource usage would also count what the
    // parent held when it was started.
    double peakMiB = 0;
    QFile status(QStringLiteral("/proc/self/status"));
    if (status.open(QIODevice::ReadOnly)) {
        for (const QByteArray& line : status.readAll().split('\n')) {
            if (line.startsWith("VmHWM:")) peakMiB = line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
        }
    }
    std::printf("RESULT %.6f %.6f %.1f\n", seconds, reference, peakMiB);
    std::fflush(stdout);
    // The windows go with the process.
    std::_Exit(0);
}

// --- the parent: ledgers, children, the table ---------------------------

struct Row {
    Engine engine = Engine::SQLite;
    QString action;
    long long sales = 0;
    double seconds = -1;
    double peakMiB = 0;
    double reference = -1;
    Goal goal = Goal::Action;
    bool ok = false;
};

bool writeText(const QString& path, const QString& text)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(text.toUtf8()) >= 0;
}

const char* engineName(Engine engine) { return engine == Engine::PostgreSQL ? "postgres" : "sqlite"; }

// The ODBC set-up and settings of a program folder.
bool prepareFolder(const QString& folder)
{
    const QString odbc = QDir(folder).filePath(QStringLiteral("odbc"));
    QDir().mkpath(odbc);
    QFile::copy(QStringLiteral("/etc/odbcinst.ini"), QDir(odbc).filePath(QStringLiteral("odbcinst.ini")));
    QDir().mkpath(QDir(folder).filePath(QStringLiteral("config/Mervalis")));
    setenv("ODBCSYSINI", QFile::encodeName(odbc).constData(), 1);
    // The help offer stays away, as for a user who turned it off.
    return writeText(QDir(odbc).filePath(QStringLiteral("odbc.ini")), QString()) &&
           writeText(QDir(folder).filePath(QStringLiteral("config/Mervalis/Mervalis.conf")),
                     QStringLiteral("[Noshow]\nHelp=1\n"));
}

// A program folder with a sample ledger of `sales` sales, one invoice of 20
// sales and a client owing 100 invoices among them, and the ODBC set-up of
// its data source.
bool buildLedger(const QString& folder, long long sales)
{
    setup::InstallOptions options;
    options.programFolder = folder;
    QString message;
    if (!prepareFolder(folder) || !setup::install(options, &message)) {
        std::fprintf(stderr, "%s\n", qPrintable(message));
        return false;
    }
    const QString database = QDir(folder).filePath(QStringLiteral("Mervalis.db"));
    setup::SampleLedger size;
    size.sales = static_cast<int>(sales);
    QString error;
    if (!setup::fillSampleLedger(database, size, &error) || !setup::writeSampleListFiles(folder, &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return false;
    }
    sqlite3* db = nullptr;
    sqlite3_open(database.toUtf8().constData(), &db);
    const std::string invoice = std::string("UPDATE Mervalis2 SET ReferenceID = '") + benchInvoice() +
                                "', PAID = 'unpaid' WHERE ID IN (SELECT ID FROM Mervalis2 ORDER BY ID DESC LIMIT 20)";
    // ... and a client who owes 100 whole invoices.
    const std::string client = benchStatementClient();
    const std::string owing = "INSERT INTO Mervalis (ClientName, City) VALUES ('" + client + "', 'Leeds'); "
                              "UPDATE Mervalis2 SET ClientName = '" + client + "' WHERE ReferenceID IN (SELECT "
                              "ReferenceID FROM Mervalis2 WHERE PAID = 'unpaid' AND ReferenceID <> '" +
                              benchInvoice() + "' GROUP BY ReferenceID ORDER BY MIN(ID) LIMIT 100)";
    const bool ok = sqlite3_exec(db, invoice.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK &&
                    sqlite3_exec(db, owing.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    return ok;
}

// The same ledger on PostgreSQL, in database bench_<sales> of the cluster.
bool buildLedgerOnPostgres(const QString& folder, const std::string& cluster, long long sales, const QString& source)
{
    QString error;
    return prepareFolder(folder) &&
           buildPostgresLedger(cluster, "bench_" + std::to_string(sales), folder,
                               QDir(source).filePath(QStringLiteral("Mervalis.db"))) &&
           setup::writeSampleListFiles(folder, &error) &&
           writeText(QDir(folder).filePath(QStringLiteral("built")), QStringLiteral("1"));
}

// Runs action `index` in a child process on the ledger in `folder`.
Row runAction(const std::string& self, int index, const Action& action, const QString& folder, long long sales,
              Engine engine, const std::string& target)
{
    Row row;
    row.engine = engine;
    row.action = action.name;
    row.sales = sales;
    row.goal = action.goal;
    setenv("MERVALIS_HOME", QFile::encodeName(folder).constData(), 1);
    setenv("ODBCSYSINI", QFile::encodeName(QDir(folder).filePath(QStringLiteral("odbc"))).constData(), 1);
    setenv("XDG_CONFIG_HOME", QFile::encodeName(QDir(folder).filePath(QStringLiteral("config"))).constData(), 1);
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    int channel[2];
    if (pipe(channel) != 0) return row;
    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_adddup2(&files, channel[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&files, channel[0]);
    const std::string indexText = std::to_string(index);
    std::vector<char*> argv{const_cast<char*>(self.c_str()), const_cast<char*>("--child"),
                            const_cast<char*>(indexText.c_str()), const_cast<char*>(engineName(engine)),
                            const_cast<char*>(target.c_str()), nullptr};
    pid_t child = 0;
    const int spawned = posix_spawn(&child, self.c_str(), &files, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&files);
    close(channel[1]);
    if (spawned != 0) {
        close(channel[0]);
        return row;
    }
    std::string output;
    char buffer[256];
    ssize_t got;
    while ((got = read(channel[0], buffer, sizeof buffer)) > 0) output.append(buffer, static_cast<size_t>(got));
    close(channel[0]);
    int status = 0;
    waitpid(child, &status, 0);
    const size_t result = output.rfind("RESULT ");
    row.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0 && result != std::string::npos &&
             std::sscanf(output.c_str() + result, "RESULT %lf %lf %lf", &row.seconds, &row.reference,
                         &row.peakMiB) == 3;
    return row;
}

const char* goalText(Goal goal)
{
    switch (goal) {
    case Goal::Start: return "< 0.5 s";
    case Goal::Action: return "< 1 s";
    case Goal::Figures: return "< 1 s, 3x";
    case Goal::WholeTable: return "2x";
    case Goal::Context: return "-";
    }
    return "";
}

bool met(const Row& row)
{
    if (!row.ok) return false;
    const double ratio = row.reference > 0 ? row.seconds / std::max(row.reference, kReferenceFloor) : 0;
    const bool memory = row.sales < 1000000 || row.peakMiB < kMemoryGoalMiB;
    switch (row.goal) {
    case Goal::Start: return memory && row.seconds < 0.5;
    case Goal::Action: return memory && row.seconds < 1.0;
    case Goal::Figures: return memory && row.seconds < 1.0 && row.reference > 0 && ratio <= 3.0;
    case Goal::WholeTable: return memory && row.reference > 0 && row.seconds / row.reference <= 2.0;
    case Goal::Context: return true;
    }
    return false;
}

void printTable(const std::vector<Row>& rows, const QString& log)
{
    std::printf("%-8s %-46s %9s %9s %9s %11s %7s %-10s %s\n", "engine", "action", "sales", "seconds", "peak MiB",
                "reference s", "ratio", "goal", "met");
    int missed[2] = {0, 0};
    int measured[2] = {0, 0};
    for (const Row& row : rows) {
        const int e = row.engine == Engine::PostgreSQL ? 1 : 0;
        const bool yes = met(row);
        ++measured[e];
        if (!yes) ++missed[e];
        const char* verdict = row.goal == Goal::Context ? "-" : yes ? "yes" : "no";
        char reference[32] = "-";
        char ratio[32] = "-";
        if (row.reference > 0) {
            std::snprintf(reference, sizeof reference, "%.4f", row.reference);
            const double floor = row.goal == Goal::WholeTable || row.goal == Goal::Context ? 0 : kReferenceFloor;
            std::snprintf(ratio, sizeof ratio, "%.2f", row.seconds / std::max(row.reference, floor));
        }
        std::printf("%-8s %-46s %9lld %9.4f %9.1f %11s %7s %-10s %s\n", engineName(row.engine),
                    qPrintable(row.action), row.sales, row.ok ? row.seconds : -1.0, row.peakMiB, reference, ratio,
                    goalText(row.goal), row.ok ? verdict : "no (failed)");
    }
    for (Engine engine : {Engine::SQLite, Engine::PostgreSQL}) {
        const int e = engine == Engine::PostgreSQL ? 1 : 0;
        if (measured[e] == 0) continue;
        std::printf("%s: %d of %d rows miss their goal (peak memory under %.0f MiB at 1,000,000 sales; a ratio "
                    "counts the hand-written query as at least %.0f ms).\n",
                    engineName(engine), missed[e], measured[e], kMemoryGoalMiB, kReferenceFloor * 1000);
    }
    std::printf("What the measured programs wrote (Qt's warnings, message boxes): %s\n", qPrintable(log));
}

void usage()
{
    std::fprintf(stderr, "usage: mervalis-bench [--engine sqlite|postgres] [--sales N]... [--only TEXT] [--keep FOLDER]\n"
                         "Without --engine, measures both engines; PostgreSQL on a throwaway cluster of\n"
                         "its own. Without --sales, measures ledgers of 100000 and 1000000 sales. --only\n"
                         "keeps the actions whose name holds TEXT. --keep builds each ledger in FOLDER/N\n"
                         "(FOLDER/N-postgres and the cluster in FOLDER/postgres), or uses the one built\n"
                         "there before, and leaves it for a later run or a profiler. --list numbers the\n"
                         "actions.\n");
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 5 && std::strcmp(argv[1], "--child") == 0) {
        return runChild(std::atoi(argv[2]), std::strcmp(argv[3], "postgres") == 0 ? Engine::PostgreSQL : Engine::SQLite,
                        argv[4]);
    }
    if (argc == 2 && std::strcmp(argv[1], "--list") == 0) {
        // The actions by number, for running one alone under a profiler:
        // mervalis-bench --child N sqlite FOLDER/Mervalis.db (or N postgres
        // CONNECTION) with the folder's MERVALIS_HOME, ODBCSYSINI and
        // XDG_CONFIG_HOME.
        const std::vector<Action> list = actions();
        for (size_t i = 0; i < list.size(); ++i) std::printf("%zu %s\n", i, qPrintable(list[i].name));
        return 0;
    }
    std::vector<long long> sizes;
    std::vector<Engine> engines;
    QString only;
    QString keep;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--sales" && i + 1 < argc) {
            char* end = nullptr;
            const long long n = std::strtoll(argv[++i], &end, 10);
            if (!end || *end || n < 1 || n > 100000000) {
                std::fprintf(stderr, "--sales wants a whole number of sales from 1 up, not %s\n", argv[i]);
                return 2;
            }
            sizes.push_back(n);
        } else if (arg == "--engine" && i + 1 < argc && (std::strcmp(argv[i + 1], "sqlite") == 0 ||
                                                          std::strcmp(argv[i + 1], "postgres") == 0)) {
            engines.push_back(std::strcmp(argv[++i], "postgres") == 0 ? Engine::PostgreSQL : Engine::SQLite);
        } else if (arg == "--only" && i + 1 < argc) {
            only = QString::fromLocal8Bit(argv[++i]);
        } else if (arg == "--keep" && i + 1 < argc) {
            keep = QDir(QString::fromLocal8Bit(argv[++i])).absolutePath();
        } else {
            usage();
            return arg == "--help" || arg == "-h" ? 0 : 2;
        }
    }
    if (sizes.empty()) sizes = {100000, 1000000};
    if (engines.empty()) engines = {Engine::SQLite, Engine::PostgreSQL};

    const std::string self = QFile::encodeName(QFile::symLinkTarget(QStringLiteral("/proc/self/exe"))).toStdString();
    QCoreApplication app(argc, argv);
    mervalis::keepMachineNumbers();
    const std::vector<Action> list = actions();
    std::vector<Row> rows;
    QTemporaryDir temporary;
    const QString top = keep.isEmpty() ? temporary.path() : keep;
    QDir().mkpath(top);
    const QString log = keep.isEmpty() ? QDir::temp().filePath(QStringLiteral("mervalis-bench-%1.log").arg(getpid()))
                                       : QDir(top).filePath(QStringLiteral("bench.log"));
    if (!logTo(log)) {
        std::fprintf(stderr, "The log %s could not be written.\n", qPrintable(log));
        return 1;
    }
    // The cluster's folder must be reachable by the user that runs PostgreSQL.
    QFile::setPermissions(top, QFile::permissions(top) | QFileDevice::ExeOther | QFileDevice::ReadOther);
    std::unique_ptr<Cluster> cluster;
    if (std::find(engines.begin(), engines.end(), Engine::PostgreSQL) != engines.end()) {
        cluster = std::make_unique<Cluster>(QDir(top).filePath(QStringLiteral("postgres")).toStdString(), !keep.isEmpty());
        if (cluster->connection().empty()) {
            say("The PostgreSQL cluster could not be started (scripts/postgres-cluster.sh); see %s.\n",
                qPrintable(log));
            return 1;
        }
    }
    for (long long sales : sizes) {
        const QString folder = QDir(top).filePath(QString::number(sales));
        if (!QFile::exists(QDir(folder).filePath(QStringLiteral("Mervalis.db")))) {
            say("%lld sales: building the ledger in %s...\n", sales, qPrintable(folder));
            const Clock::time_point built = Clock::now();
            if (!QDir().mkpath(folder) || !buildLedger(folder, sales)) {
                say("The ledger could not be built; see %s.\n", qPrintable(log));
                return 1;
            }
            say("%lld sales: built in %.1f s\n", sales, secondsSince(built));
        } else {
            // One built by an earlier run gets what this version adds.
            QString error;
            if (!setup::addMissingIndexes(QDir(folder).filePath(QStringLiteral("Mervalis.db")), &error)) {
                say("%s\n", qPrintable(error));
                return 1;
            }
        }
        for (Engine engine : engines) {
            QString programFolder = folder;
            std::string target = QFile::encodeName(QDir(folder).filePath(QStringLiteral("Mervalis.db"))).toStdString();
            if (engine == Engine::PostgreSQL) {
                programFolder = folder + QStringLiteral("-postgres");
                target = cluster->connection() + " dbname=bench_" + std::to_string(sales);
                if (!QFile::exists(QDir(programFolder).filePath(QStringLiteral("built")))) {
                    say("%lld sales: loading the ledger into PostgreSQL...\n", sales);
                    const Clock::time_point built = Clock::now();
                    if (!QDir().mkpath(programFolder) ||
                        !buildLedgerOnPostgres(programFolder, cluster->connection(), sales, folder)) {
                        say("The ledger could not be loaded into PostgreSQL; see %s.\n", qPrintable(log));
                        return 1;
                    }
                    say("%lld sales: loaded in %.1f s\n", sales, secondsSince(built));
                } else if (!updatePostgresLedger(cluster->connection(), "bench_" + std::to_string(sales))) {
                    say("The ledger kept in PostgreSQL could not be updated; see %s.\n", qPrintable(log));
                    return 1;
                }
            }
            for (size_t i = 0; i < list.size(); ++i) {
                if (!only.isEmpty() && !list[i].name.contains(only, Qt::CaseInsensitive)) continue;
                say("%s, %lld sales: %s\n", engineName(engine), sales, qPrintable(list[i].name));
                rows.push_back(runAction(self, static_cast<int>(i), list[i], programFolder, sales, engine, target));
            }
        }
    }
    printTable(rows, log);
    return 0;
}
