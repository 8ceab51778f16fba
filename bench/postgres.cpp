// The bench's PostgreSQL side: a throwaway cluster of its own (as the tests
// have, through scripts/postgres-cluster.sh), ledgers loaded quickly from the
// bench's SQLite ledgers, and the hand-written queries through libpq.
#include "bench/bench.h"

#include "data/database.h"
#include "setup/install.h"
#include "setup/kept_figures.h"
#include "setup/postgres_ledger.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <libpq-fe.h>
#include <sqlite3.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace mervalis::bench {

namespace {

using Connection = std::unique_ptr<PGconn, void (*)(PGconn*)>;
using Result = std::unique_ptr<PGresult, void (*)(PGresult*)>;

Connection connectTo(const std::string& connection)
{
    Connection conn(PQconnectdb(connection.c_str()), PQfinish);
    if (PQstatus(conn.get()) != CONNECTION_OK) {
        std::fprintf(stderr, "PostgreSQL: %s", PQerrorMessage(conn.get()));
        return Connection(nullptr, PQfinish);
    }
    PQsetNoticeProcessor(conn.get(), [](void*, const char*) {}, nullptr);
    return conn;
}

bool run(PGconn* conn, const std::string& sql)
{
    Result result(PQexec(conn, sql.c_str()), PQclear);
    const ExecStatusType status = PQresultStatus(result.get());
    if (status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK) return true;
    std::fprintf(stderr, "PostgreSQL: %s\n  in %s\n", PQresultErrorMessage(result.get()), sql.substr(0, 200).c_str());
    return false;
}

std::string shell(const std::string& command)
{
    std::string output;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return output;
    char buffer[512];
    while (std::fgets(buffer, sizeof buffer, pipe)) output += buffer;
    if (pclose(pipe) != 0) return {};
    while (!output.empty() && (output.back() == '\n' || output.back() == '\r')) output.pop_back();
    return output;
}

std::string quotedForShell(const std::string& text)
{
    std::string quoted = "'";
    for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

const std::string kScript = std::string(MERVALIS_SOURCE_DIR) + "/scripts/postgres-cluster.sh";

class PostgresReference final : public Reference {
public:
    explicit PostgresReference(Connection conn) : conn_(std::move(conn)) {}
    Engine engine() const override { return Engine::PostgreSQL; }

    bool readAll(const std::string& sql) override
    {
        // Row by row, as a program holding the result would read it,
        // without holding all of it at once.
        if (!PQsendQuery(conn_.get(), sql.c_str()) || !PQsetSingleRowMode(conn_.get())) return false;
        bool ok = true;
        size_t bytes = 0;
        while (PGresult* raw = PQgetResult(conn_.get())) {
            Result result(raw, PQclear);
            const ExecStatusType status = PQresultStatus(raw);
            if (status == PGRES_SINGLE_TUPLE) {
                for (int c = 0; c < PQnfields(raw); ++c) bytes += static_cast<size_t>(PQgetlength(raw, 0, c));
            } else if (status != PGRES_TUPLES_OK) {
                std::fprintf(stderr, "PostgreSQL: %s", PQresultErrorMessage(raw));
                ok = false;
            }
        }
        return ok && bytes != static_cast<size_t>(-1);
    }

    std::string firstValue(const std::string& sql) override
    {
        Result result(PQexec(conn_.get(), sql.c_str()), PQclear);
        if (PQresultStatus(result.get()) != PGRES_TUPLES_OK || PQntuples(result.get()) == 0) return {};
        return PQgetvalue(result.get(), 0, 0);
    }

private:
    Connection conn_;
};

// Copies the rows of `table` from the SQLite ledger, IDs and all, through
// COPY.
bool copyTable(sqlite3* source, PGconn* target, const std::string& table)
{
    sqlite3_stmt* statement = nullptr;
    const std::string select = "SELECT * FROM " + table + " ORDER BY ID";
    if (sqlite3_prepare_v2(source, select.c_str(), -1, &statement, nullptr) != SQLITE_OK) return false;
    const std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)> owner(statement, sqlite3_finalize);
    std::string columns;
    const int count = sqlite3_column_count(statement);
    for (int c = 0; c < count; ++c) columns += std::string(c ? ", " : "") + sqlite3_column_name(statement, c);
    Result started(PQexec(target, ("COPY " + table + " (" + columns + ") FROM STDIN").c_str()), PQclear);
    if (PQresultStatus(started.get()) != PGRES_COPY_IN) return false;
    std::string block;
    while (sqlite3_step(statement) == SQLITE_ROW) {
        for (int c = 0; c < count; ++c) {
            if (c) block += '\t';
            const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, c));
            if (!text) {
                block += "\\N";
                continue;
            }
            for (const char* p = text; *p; ++p) {
                switch (*p) {
                case '\\': block += "\\\\"; break;
                case '\t': block += "\\t"; break;
                case '\n': block += "\\n"; break;
                case '\r': block += "\\r"; break;
                default: block += *p;
                }
            }
        }
        block += '\n';
        if (block.size() > (1 << 20)) {
            if (PQputCopyData(target, block.data(), static_cast<int>(block.size())) != 1) return false;
            block.clear();
        }
    }
    if (PQputCopyData(target, block.data(), static_cast<int>(block.size())) != 1 || PQputCopyEnd(target, nullptr) != 1) {
        return false;
    }
    Result done(PQgetResult(target), PQclear);
    if (PQresultStatus(done.get()) != PGRES_COMMAND_OK) {
        std::fprintf(stderr, "PostgreSQL: %s", PQresultErrorMessage(done.get()));
        return false;
    }
    return run(target, "SELECT setval(pg_get_serial_sequence('" + table + "', 'id'), (SELECT MAX(ID) FROM " + table +
                           "))");
}

}  // namespace

std::string exact(Engine engine, const std::string& column)
{
    return engine == Engine::PostgreSQL ? "CAST(" + column + " AS TEXT)" : column + " COLLATE BINARY";
}

std::unique_ptr<Reference> openPostgres(const std::string& connection)
{
    Connection conn = connectTo(connection);
    if (!conn) return nullptr;
    return std::make_unique<PostgresReference>(std::move(conn));
}

Cluster::Cluster(const std::string& folder, bool keep) : folder_(folder), keep_(keep)
{
    const bool kept = QFileInfo::exists(QString::fromStdString(folder + "/options"));
    if (!kept) QDir().mkpath(QFileInfo(QString::fromStdString(folder)).absolutePath());
    connection_ = shell("bash " + quotedForShell(kScript) + (kept ? " resume " : " start ") + quotedForShell(folder));
}

Cluster::~Cluster()
{
    if (connection_.empty() && !QFileInfo::exists(QString::fromStdString(folder_))) return;
    shell("bash " + quotedForShell(kScript) + (keep_ ? " pause " : " stop ") + quotedForShell(folder_));
}

bool buildPostgresLedger(const std::string& cluster, const std::string& name, const QString& folder,
                         const QString& source)
{
    const Connection admin = connectTo(cluster);
    if (!admin || !run(admin.get(), "DROP DATABASE IF EXISTS " + name) || !run(admin.get(), "CREATE DATABASE " + name)) {
        return false;
    }
    // The ledger's tables, indexes and kept figures as the set-up makes them,
    // and its data source in the folder's ODBC set-up.
    const std::string ledger = cluster + " dbname=" + name;
    setup::InstallOptions options;
    options.programFolder = folder;
    options.postgres = QString::fromStdString(ledger);
    QString message;
    if (!setup::install(options, &message)) {
        std::fprintf(stderr, "%s\n", qPrintable(message));
        return false;
    }
    // The rows go in before the indexes and the kept figures: they are then
    // made once from all of them.
    const Connection conn = connectTo(ledger);
    if (!conn) return false;
    Result indexes(PQexec(conn.get(), "SELECT indexname FROM pg_indexes WHERE tablename = 'mervalis2' AND indexname "
                                      "<> 'mervalis2_pkey'"),
                   PQclear);
    for (int r = 0; r < PQntuples(indexes.get()); ++r) {
        if (!run(conn.get(), std::string("DROP INDEX ") + PQgetvalue(indexes.get(), r, 0))) return false;
    }
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(source).constData(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        return false;
    }
    const std::unique_ptr<sqlite3, int (*)(sqlite3*)> owner(db, sqlite3_close);
    if (!run(conn.get(), "BEGIN")) return false;
    for (const QString& statement : setup::dropKeptTriggerStatements(setup::Engine::PostgreSQL)) {
        if (!run(conn.get(), statement.toStdString())) return false;
    }
    for (const char* table : {"Mervalis3", "Mervalis", "Mervalis2"}) {
        if (!copyTable(db, conn.get(), table)) return false;
    }
    return run(conn.get(), "COMMIT") && updatePostgresLedger(cluster, name);
}

bool updatePostgresLedger(const std::string& cluster, const std::string& name)
{
    // The set-up on an existing ledger adds what is missing: the indexes, the
    // kept figures (which no longer count the sales) and their triggers.
    const std::string ledger = cluster + " dbname=" + name;
    setup::Settings settings;
    QString error;
    setup::postgresSettings(QString::fromStdString(ledger), &settings, &error);
    Database database(QStringLiteral("Mervalis"), setup::postgresConnectionString(settings));
    bool existed = false;
    if (!database.connect() || !setup::createPostgresLedger(database, false, &existed, &error)) {
        std::fprintf(stderr, "%s %s\n", qPrintable(database.lastError()), qPrintable(error));
        return false;
    }
    const Connection conn = connectTo(ledger);
    return conn && run(conn.get(), "VACUUM ANALYZE");
}

}  // namespace mervalis::bench
