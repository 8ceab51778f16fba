// mervalis-bench: how long the sales data control takes to load a large
// ledger through ODBC, and how much memory it needs, against SQLite's own C
// API reading the same rows as text.
//
// For every size: a temporary database made by the installation's schema
// code and filled with the sample ledger, a temporary ODBC set-up
// (ODBCSYSINI) registering the data source "Mervalis" for it, then each
// phase in a child process of its own, so that its peak resident memory is
// its own.
#include "setup/sample_data.h"
#include "setup/schema.h"
#include "data/dialogs.h"
#include "data/store.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <sqlite3.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr double kRatioGoal = 2.0;
constexpr double kMemoryGoalMiB = 1024.0;
constexpr long long kMemoryGoalSales = 1000000;

// Message boxes of the data control go to the terminal.
class ConsoleDialogs final : public mervalis::DialogService {
public:
    Answer show(const QString& text, Icon, Buttons buttons, const QString& caption) override
    {
        std::fprintf(stderr, "[%s] %s\n", qPrintable(caption), qPrintable(text));
        return buttons == Buttons::YesNo ? Answer::Yes : Answer::Ok;
    }
};

struct PhaseResult {
    bool ok = false;
    double seconds = 0;
    long long rows = 0;
    double peakMiB = 0;
    double cpuSeconds = 0;  // user and system time: what the wall time is worth on a busy machine
};

// Runs `work` in a child process; it answers the rows it saw (negative on
// failure). The child's wall time and peak resident memory come back.
PhaseResult runInChild(const std::function<long long()>& work)
{
    std::fflush(stdout);
    std::fflush(stderr);
    int channel[2];
    if (pipe(channel) != 0) return {};
    const pid_t child = fork();
    if (child < 0) return {};
    if (child == 0) {
        close(channel[0]);
        const Clock::time_point start = Clock::now();
        const long long rows = work();
        const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
        const struct {
            double seconds;
            long long rows;
        } answer{seconds, rows};
        [[maybe_unused]] const ssize_t written = write(channel[1], &answer, sizeof answer);
        close(channel[1]);
        std::fflush(stderr);
        _exit(rows < 0 ? 1 : 0);
    }
    close(channel[1]);
    struct {
        double seconds;
        long long rows;
    } answer{0, -1};
    const ssize_t got = read(channel[0], &answer, sizeof answer);
    close(channel[0]);
    int status = 0;
    struct rusage usage {};
    wait4(child, &status, 0, &usage);
    PhaseResult result;
    result.ok = got == static_cast<ssize_t>(sizeof answer) && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    result.seconds = answer.seconds;
    result.rows = answer.rows;
    result.peakMiB = static_cast<double>(usage.ru_maxrss) / 1024.0;  // kibibytes on Linux
    const auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
    result.cpuSeconds = seconds(usage.ru_utime) + seconds(usage.ru_stime);
    return result;
}

// The SQLite 3 ODBC driver library, by its absolute path (unixODBC does not
// resolve a bare file name given in a data source's section).
QString sqliteOdbcDriver()
{
    // Debian keeps ODBC drivers in /usr/lib/<multiarch triplet>/odbc.
    QStringList folders;
    const QStringList triplets =
        QDir(QStringLiteral("/usr/lib")).entryList({QStringLiteral("*-linux-gnu*")}, QDir::Dirs);
    for (const QString& triplet : triplets) folders << QStringLiteral("/usr/lib/%1/odbc").arg(triplet);
    folders << QStringLiteral("/usr/lib/odbc") << QStringLiteral("/usr/local/lib");
    for (const QString& folder : folders) {
        const QString path = QDir(folder).filePath(QStringLiteral("libsqlite3odbc.so"));
        if (QFileInfo::exists(path)) return path;
    }
    return {};
}

bool writeText(const QString& path, const QString& text)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(text.toUtf8()) >= 0;
}

// odbcinst.ini and odbc.ini in `folder`, the data source "Mervalis" on
// `database`, and ODBCSYSINI pointing there.
bool registerDataSource(const QString& folder, const QString& database, const QString& driver)
{
    const bool ok =
        writeText(QDir(folder).filePath(QStringLiteral("odbcinst.ini")),
                  QStringLiteral("[SQLite3]\nDescription=SQLite3 ODBC Driver\nDriver=%1\nSetup=%1\nUsageCount=1\n")
                      .arg(driver)) &&
        writeText(QDir(folder).filePath(QStringLiteral("odbc.ini")),
                  QStringLiteral("[ODBC Data Sources]\nMervalis=SQLite3\n\n[Mervalis]\nDriver=%1\nDatabase=%2\n")
                      .arg(driver, database));
    return ok && qputenv("ODBCSYSINI", folder.toUtf8());
}

// The data control's way: the whole sales table into Adodc2.
long long loadThroughDataControl()
{
    ConsoleDialogs dialogs;
    mervalis::Store store(dialogs);
    if (!store.adodc2.query(QStringLiteral("SELECT * FROM Mervalis2"))) return -1;
    // Read the last row's total, as a walk would, so nothing is left lazy.
    store.adodc2.moveTo(store.adodc2.recordCount() - 1);
    if (store.adodc2.field(13).isEmpty() && store.adodc2.recordCount() > 0) return -1;
    return store.adodc2.recordCount();
}

// SQLite's own C API: every value of every row read as text and copied into
// client-side storage (packed text with an end offset per cell), the least a
// record set held in memory needs.
long long loadThroughSqlite(const QString& database)
{
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(database.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        std::fprintf(stderr, "%s\n", sqlite3_errmsg(db));
        sqlite3_close(db);
        return -1;
    }
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(db, "SELECT * FROM Mervalis2", -1, &stmt, nullptr) != SQLITE_OK) {
        std::fprintf(stderr, "%s\n", sqlite3_errmsg(db));
        sqlite3_close(db);
        return -1;
    }
    constexpr size_t kChunk = 4u << 20;
    std::vector<std::unique_ptr<char[]>> chunks;
    size_t used = kChunk;
    std::vector<const char*> rowStart;
    std::vector<uint32_t> cellEnd;
    std::string row;
    const int columns = sqlite3_column_count(stmt);
    long long rows = 0;
    while (sqlite3_step(stmt) == SQLITE_ROW) {
        row.clear();
        for (int c = 0; c < columns; ++c) {
            const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, c));
            const int size = sqlite3_column_bytes(stmt, c);
            if (text) row.append(text, static_cast<size_t>(size));
            cellEnd.push_back(static_cast<uint32_t>(row.size()) | (text ? 0u : 0x80000000u));
        }
        if (used + row.size() > kChunk) {
            chunks.push_back(std::make_unique<char[]>(std::max(kChunk, row.size())));
            used = 0;
        }
        char* where = chunks.back().get() + used;
        std::memcpy(where, row.data(), row.size());
        used += row.size();
        rowStart.push_back(where);
        ++rows;
    }
    sqlite3_finalize(stmt);
    sqlite3_close(db);
    return rows;
}

struct SizeResult {
    long long sales = 0;
    PhaseResult fill, control, sqlite;
};

// Keeps the faster of the runs of a phase so far, with the highest peak
// memory; a failed run spoils the result.
void keepFastest(PhaseResult& best, int run, const PhaseResult& next)
{
    if (run == 1 || !next.ok) {
        best = next;
        return;
    }
    if (!best.ok) return;
    const double peak = std::max(best.peakMiB, next.peakMiB);
    if (next.seconds < best.seconds) best = next;
    best.peakMiB = peak;
}

bool measure(long long sales, int runs, const QString& driver, SizeResult* result)
{
    QTemporaryDir dir;
    if (!dir.isValid()) return false;
    const QString database = QDir(dir.path()).filePath(QStringLiteral("Mervalis.db"));
    if (!registerDataSource(dir.path(), database, driver)) {
        std::fprintf(stderr, "The ODBC ini files could not be written in %s\n", qPrintable(dir.path()));
        return false;
    }
    result->sales = sales;
    std::fprintf(stderr, "%lld sales: filling the ledger...\n", sales);
    result->fill = runInChild([&] {
        QString error;
        mervalis::setup::SampleLedger size;
        size.sales = static_cast<int>(sales);
        if (!mervalis::setup::createDatabase(database, true, &error) ||
            !mervalis::setup::fillSampleLedger(database, size, &error)) {
            std::fprintf(stderr, "%s\n", qPrintable(error));
            return -1LL;
        }
        return sales;
    });
    if (!result->fill.ok) return false;
    std::fprintf(stderr, "%lld sales: filled in %.2f s (%.2f s CPU)\n", sales, result->fill.seconds,
                 result->fill.cpuSeconds);
    // The phases take turns, `runs` times each; the fastest run of each
    // counts (others on a shared machine only slow a run down), with the
    // highest peak memory of its runs.
    for (int run = 1; run <= runs; ++run) {
        std::fprintf(stderr, "%lld sales, run %d of %d: data control...\n", sales, run, runs);
        keepFastest(result->control, run, runInChild(loadThroughDataControl));
        std::fprintf(stderr, "%lld sales, run %d of %d: SQLite C API...\n", sales, run, runs);
        keepFastest(result->sqlite, run, runInChild([&] { return loadThroughSqlite(database); }));
    }
    const bool ok = result->control.ok && result->sqlite.ok && result->control.rows == sales &&
                    result->sqlite.rows == sales;
    if (!ok) {
        std::fprintf(stderr, "%lld sales: a phase failed (data control read %lld rows, SQLite %lld)\n", sales,
                     result->control.rows, result->sqlite.rows);
    }
    return ok;
}

void printTable(const std::vector<SizeResult>& results)
{
    // Wall seconds decide the ratio; the CPU seconds (user + system) beside
    // them show what a machine busy with other work did to the wall time.
    std::printf("%9s %8s %10s %8s %12s %9s %8s %11s %6s %7s  %s\n", "sales", "fill s", "control s", "(cpu s)",
                "control MiB", "SQLite s", "(cpu s)", "SQLite MiB", "ratio", "(cpu)", "goals");
    bool allMet = true;
    for (const SizeResult& r : results) {
        const double ratio = r.sqlite.seconds > 0 ? r.control.seconds / r.sqlite.seconds : 0;
        const double cpuRatio = r.sqlite.cpuSeconds > 0 ? r.control.cpuSeconds / r.sqlite.cpuSeconds : 0;
        const bool ratioMet = ratio <= kRatioGoal;
        const bool memoryMet = r.sales < kMemoryGoalSales || r.control.peakMiB < kMemoryGoalMiB;
        allMet = allMet && ratioMet && memoryMet;
        std::string goals = std::string("ratio <= 2 ") + (ratioMet ? "met" : "MISSED");
        if (r.sales >= kMemoryGoalSales) goals += std::string(", RSS < 1024 MiB ") + (memoryMet ? "met" : "MISSED");
        std::printf("%9lld %8.2f %10.2f %8.2f %12.1f %9.2f %8.2f %11.1f %6.2f %7.2f  %s\n", r.sales,
                    r.fill.seconds, r.control.seconds, r.control.cpuSeconds, r.control.peakMiB, r.sqlite.seconds,
                    r.sqlite.cpuSeconds, r.sqlite.peakMiB, ratio, cpuRatio, goals.c_str());
    }
    std::printf("Goals: data control / SQLite C API wall time ratio <= %.0f; data control peak RSS < %.0f MiB "
                "at 1,000,000 sales. %s\n",
                kRatioGoal, kMemoryGoalMiB, allMet ? "All met." : "Not all met.");
}

void usage()
{
    std::fprintf(stderr, "usage: mervalis-bench [--sales N] [--runs R]\n"
                         "Without --sales, measures 100000 and 1000000 sales. Each phase runs R times\n"
                         "(3 unless told) and its fastest run counts.\n");
}

// A whole number from `low` to `high`, or -1.
long long wholeNumber(const char* text, long long low, long long high)
{
    char* end = nullptr;
    const long long n = std::strtoll(text, &end, 10);
    return end && !*end && n >= low && n <= high ? n : -1;
}

}  // namespace

int main(int argc, char** argv)
{
    std::vector<long long> sizes;
    int runs = 3;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--sales" && i + 1 < argc) {
            const long long n = wholeNumber(argv[++i], 1, 2000000000LL);
            if (n < 0) {
                std::fprintf(stderr, "--sales wants a whole number of sales from 1 up, not %s\n", argv[i]);
                return 2;
            }
            sizes.push_back(n);
        } else if (arg == "--runs" && i + 1 < argc) {
            const long long n = wholeNumber(argv[++i], 1, 100);
            if (n < 0) {
                std::fprintf(stderr, "--runs wants a whole number from 1 to 100, not %s\n", argv[i]);
                return 2;
            }
            runs = static_cast<int>(n);
        } else {
            usage();
            return arg == "--help" || arg == "-h" ? 0 : 2;
        }
    }
    if (sizes.empty()) sizes = {100000, 1000000};

    QCoreApplication app(argc, argv);
    const QString driver = sqliteOdbcDriver();
    if (driver.isEmpty()) {
        std::fprintf(stderr, "The SQLite 3 ODBC driver (libsqlite3odbc.so, Debian package libsqliteodbc) "
                             "was not found.\n");
        return 1;
    }
    std::vector<SizeResult> results;
    for (long long sales : sizes) {
        SizeResult result;
        if (!measure(sales, runs, driver, &result)) return 1;
        results.push_back(result);
    }
    printTable(results);
    return 0;
}
