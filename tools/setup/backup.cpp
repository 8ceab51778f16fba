#include "setup/backup.h"

#include "setup/kept_figures.h"
#include "setup/schema.h"
#include "data/owner_only.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <sqlite3.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <span>
#include <utility>
#include <vector>

namespace mervalis::setup {

namespace {

struct Closer {
    void operator()(sqlite3* db) const { sqlite3_close(db); }
};
using Connection = std::unique_ptr<sqlite3, Closer>;

QString errorOf(sqlite3* db) { return QString::fromUtf8(db ? sqlite3_errmsg(db) : "out of memory"); }

// Opens an existing database file (never creates one); `error` gets SQLite's
// words when it cannot.
Connection openDatabase(const QString& path, int flags, QString* error)
{
    sqlite3* db = nullptr;
    const int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &db, flags, nullptr);
    Connection connection(db);
    if (rc != SQLITE_OK) {
        *error = errorOf(db);
        return {};
    }
    return connection;
}

bool exec(sqlite3* db, const QString& sql) { return sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, nullptr) == SQLITE_OK; }

// The first column of every row of a query; false when the query fails.
bool firstColumn(sqlite3* db, const QString& sql, QStringList* values, QString* error = nullptr)
{
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &statement, nullptr) != SQLITE_OK) {
        if (error) *error = errorOf(db);
        return false;
    }
    int rc;
    while ((rc = sqlite3_step(statement)) == SQLITE_ROW) {
        values->append(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, 0))));
    }
    sqlite3_finalize(statement);
    if (rc != SQLITE_DONE && error) *error = errorOf(db);
    return rc == SQLITE_DONE;
}

QStringList columnsOf(sqlite3* db, const QString& table)
{
    QStringList names;
    firstColumn(db, QStringLiteral("SELECT name FROM pragma_table_info('%1') ORDER BY cid").arg(table), &names);
    return names;
}

// The tables and their columns (ID first) as the set-up creates them: the
// three a ledger must have, then the tax details, which a backup made by an
// earlier version lacks.
const std::vector<std::pair<QString, QStringList>>& createdTables()
{
    static const std::vector<std::pair<QString, QStringList>> tables = [] {
        std::vector<std::pair<QString, QStringList>> list;
        sqlite3* db = nullptr;
        sqlite3_open(":memory:", &db);
        Connection memory(db);
        runStatements(db, schemaStatements(), nullptr);
        for (const char* table : {"Mervalis", "Mervalis2", "Mervalis3", "MervalisTaxDetails"}) {
            list.emplace_back(QLatin1String(table), columnsOf(db, QLatin1String(table)));
        }
        return list;
    }();
    return tables;
}

std::span<const std::pair<QString, QStringList>> ledgerTables() { return std::span(createdTables()).first(3); }

const std::pair<QString, QStringList>& taxDetailsTable() { return createdTables().back(); }

bool samePath(const QString& a, const QString& b)
{
    const QFileInfo first(a), second(b);
    return first.exists() && second.exists() && first.canonicalFilePath() == second.canonicalFilePath();
}

long long count(sqlite3* db, const QString& table)
{
    QStringList values;
    firstColumn(db, QStringLiteral("SELECT COUNT(*) FROM %1").arg(table), &values);
    return values.value(0).toLongLong();
}

// "2000 sales, 50 clients and 3 companies"
QString contents(sqlite3* db)
{
    return QStringLiteral("%1 sales, %2 clients and %3 companies")
        .arg(count(db, QStringLiteral("Mervalis2")))
        .arg(count(db, QStringLiteral("Mervalis")))
        .arg(count(db, QStringLiteral("Mervalis3")));
}

QString keptPathFor(const QString& database)
{
    const QFileInfo info(database);
    const QString stem = QStringLiteral("%1-replaced-%2")
                             .arg(info.completeBaseName(),
                                  QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss")));
    QString path = info.dir().filePath(stem + QStringLiteral(".db"));
    for (int n = 2; QFileInfo::exists(path); ++n) path = info.dir().filePath(QStringLiteral("%1-%2.db").arg(stem).arg(n));
    return path;
}

// Attaches a database file under `schema`; the path is bound, never quoted.
bool attach(sqlite3* db, const QString& path, const char* schema)
{
    sqlite3_stmt* statement = nullptr;
    const QByteArray sql = QByteArray("ATTACH ?1 AS ") + schema;
    if (sqlite3_prepare_v2(db, sql.constData(), -1, &statement, nullptr) != SQLITE_OK) return false;
    const QByteArray name = QFile::encodeName(path);
    sqlite3_bind_text(statement, 1, name.constData(), static_cast<int>(name.size()), SQLITE_TRANSIENT);
    const bool ok = sqlite3_step(statement) == SQLITE_DONE;
    sqlite3_finalize(statement);
    return ok;
}

// The statements of one restore: the current records into the kept copy
// (when there are any to keep), then the restored ones into their place,
// with the tables' last numbers.
QStringList restoreStatements(bool keep, bool incomingHasSequence, bool incomingHasTaxDetails)
{
    // A ledger of an earlier version gets the tax details table first.
    QStringList statements = taxDetailsStatements();
    const auto& [taxTable, taxColumns] = taxDetailsTable();
    const QString taxList = taxColumns.join(QStringLiteral(", "));
    // The figures the database keeps are filled anew from the restored
    // sales, once, rather than sale by sale.
    const QStringList schemas{QStringLiteral("main."), QStringLiteral("kept.")};
    for (const QString& schema : schemas) {
        statements << keptTableStatements(Engine::SQLite, schema) << dropKeptTriggerStatements(Engine::SQLite, schema);
    }
    if (keep) {
        statements << QStringLiteral("INSERT INTO kept.%1 (%2) SELECT %2 FROM main.%1").arg(taxTable, taxList);
        for (const auto& [table, columns] : ledgerTables()) {
            const QString list = columns.join(QStringLiteral(", "));
            statements << QStringLiteral("INSERT INTO kept.%1 (%2) SELECT %2 FROM main.%1").arg(table, list);
        }
        statements << QStringLiteral("DELETE FROM kept.sqlite_sequence")
                   << QStringLiteral("INSERT INTO kept.sqlite_sequence (name, seq) "
                                     "SELECT name, seq FROM main.sqlite_sequence");
    }
    for (const auto& [table, columns] : ledgerTables()) {
        const QString list = columns.join(QStringLiteral(", "));
        statements << QStringLiteral("DELETE FROM main.%1").arg(table)
                   << QStringLiteral("INSERT INTO main.%1 (%2) SELECT %2 FROM incoming.%1").arg(table, list);
    }
    // A backup without tax details leaves those stored as they are.
    if (incomingHasTaxDetails) {
        statements << QStringLiteral("DELETE FROM main.%1").arg(taxTable)
                   << QStringLiteral("INSERT INTO main.%1 (%2) SELECT %2 FROM incoming.%1").arg(taxTable, taxList);
    }
    if (incomingHasSequence) {
        statements << QStringLiteral("DELETE FROM main.sqlite_sequence")
                   << QStringLiteral("INSERT INTO main.sqlite_sequence (name, seq) "
                                     "SELECT name, seq FROM incoming.sqlite_sequence");
    }
    for (const QString& schema : schemas) {
        statements << refillKeptStatements(Engine::SQLite, schema) << keptTriggerStatements(Engine::SQLite, schema);
    }
    return statements;
}

}  // namespace

bool backupDatabase(const QString& database, const QString& file, QString* message)
{
    if (!QFileInfo::exists(database)) {
        *message = QStringLiteral("There is no database %1 to back up.").arg(database);
        return false;
    }
    if (samePath(database, file)) {
        *message = QStringLiteral("%1 is the database itself; choose another file for the backup.").arg(file);
        return false;
    }
    QString error;
    Connection source = openDatabase(database, SQLITE_OPEN_READONLY, &error);
    if (!source) {
        *message = QStringLiteral("The database %1 could not be opened: %2").arg(database, error);
        return false;
    }
    // Waits for a writer to finish its transaction rather than failing.
    sqlite3_busy_timeout(source.get(), 30000);

    // A temporary file is its owner's alone (0600) from the start, whatever
    // the umask; it becomes the backup.
    QTemporaryFile partial(QFileInfo(file).absoluteFilePath() + QStringLiteral(".XXXXXX"));
    if (!partial.open() || !makeOwnerOnly(partial.fileName(), &error)) {
        *message = QStringLiteral("%1 could not be written: %2")
                       .arg(file, error.isEmpty() ? partial.errorString() : error);
        return false;
    }
    Connection copy = openDatabase(partial.fileName(), SQLITE_OPEN_READWRITE, &error);
    bool ok = false;
    if (copy) {
        // One step copies every page under one read lock: one committed state.
        sqlite3_backup* backup = sqlite3_backup_init(copy.get(), "main", source.get(), "main");
        if (backup) {
            const int rc = sqlite3_backup_step(backup, -1);
            sqlite3_backup_finish(backup);
            ok = rc == SQLITE_DONE;
        }
        if (!ok) error = errorOf(copy.get());
    }
    if (!ok) {
        *message = QStringLiteral("The database %1 could not be backed up: %2").arg(database, error);
        return false;
    }
    const QString held = contents(copy.get());
    copy.reset();
    if (std::rename(QFile::encodeName(partial.fileName()).constData(), QFile::encodeName(file).constData()) != 0) {
        *message = QStringLiteral("%1 could not be written: %2").arg(file, QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    partial.setAutoRemove(false);
    *message = QStringLiteral("The ledger %1 was backed up to %2 (%3).").arg(database, file, held);
    return true;
}

QString ledgerProblem(const QString& file)
{
    if (!QFileInfo(file).isFile()) return QStringLiteral("there is no file %1").arg(file);
    QString error;
    Connection db = openDatabase(file, SQLITE_OPEN_READONLY, &error);
    QStringList check;
    if (!db || !firstColumn(db.get(), QStringLiteral("PRAGMA quick_check"), &check, &error)) {
        return QStringLiteral("it is not an SQLite database (%1)").arg(error);
    }
    if (check != QStringList{QStringLiteral("ok")}) {
        return QStringLiteral("it is damaged (%1)").arg(check.join(QStringLiteral("; ")));
    }
    for (const auto& [table, columns] : ledgerTables()) {
        const QStringList found = columnsOf(db.get(), table);
        if (found.isEmpty()) return QStringLiteral("it has no table %1").arg(table);
        QStringList missing, foreign;
        for (const QString& column : columns) {
            if (!found.contains(column, Qt::CaseInsensitive)) missing << column;
        }
        for (const QString& column : found) {
            if (!columns.contains(column, Qt::CaseInsensitive)) foreign << column;
        }
        if (!missing.isEmpty()) {
            return QStringLiteral("its table %1 lacks the columns %2").arg(table, missing.join(QStringLiteral(", ")));
        }
        if (!foreign.isEmpty()) {
            return QStringLiteral("its table %1 has columns a Mervalis ledger does not have: %2")
                .arg(table, foreign.join(QStringLiteral(", ")));
        }
    }
    return {};
}

bool restoreDatabase(const QString& file, const QString& database, QString* message, QString* keptFile)
{
    const QString unchanged = QStringLiteral(" The database %1 was not changed.").arg(database);
    if (samePath(database, file)) {
        *message = QStringLiteral("%1 is the database itself.").arg(file) + unchanged;
        return false;
    }
    const QString problem = ledgerProblem(file);
    if (!problem.isEmpty()) {
        *message = QStringLiteral("%1 is not a Mervalis ledger: %2.").arg(file, problem) + unchanged;
        return false;
    }
    if (!QFileInfo::exists(database)) {
        *message = QStringLiteral("There is no database %1 to restore into.").arg(database);
        return false;
    }
    QString error;
    Connection db = openDatabase(database, SQLITE_OPEN_READWRITE, &error);
    if (!db) {
        *message = QStringLiteral("The database %1 could not be opened: %2").arg(database, error) + unchanged;
        return false;
    }
    const QString kept = keptPathFor(database);
    if (!createDatabase(kept, false, &error)) {
        *message = QStringLiteral("The copy of the replaced ledger, %1, could not be made: %2").arg(kept, error) +
                   unchanged;
        return false;
    }
    const auto fail = [&](const QString& text) {
        exec(db.get(), QStringLiteral("ROLLBACK"));
        exec(db.get(), QStringLiteral("DETACH kept"));
        exec(db.get(), QStringLiteral("DETACH incoming"));
        QFile::remove(kept);
        *message = text + unchanged;
        return false;
    };
    if (!attach(db.get(), file, "incoming") || !attach(db.get(), kept, "kept")) {
        return fail(QStringLiteral("%1 could not be read: %2").arg(file, errorOf(db.get())));
    }
    // A writer holds the database for the length of its transaction; wait a
    // moment for one to end, then refuse rather than break into its work.
    sqlite3_busy_timeout(db.get(), 1000);
    if (sqlite3_exec(db.get(), "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) != SQLITE_OK) {
        return fail(QStringLiteral("The database %1 is locked by a program that is writing to it; try again when "
                                   "it has finished (%2).")
                        .arg(database, errorOf(db.get())));
    }
    // Readers may hold the file a little longer before the change is saved.
    sqlite3_busy_timeout(db.get(), 10000);
    QStringList sequence, taxDetails;
    firstColumn(db.get(), QStringLiteral("SELECT name FROM incoming.sqlite_master WHERE name = 'sqlite_sequence'"),
                &sequence);
    firstColumn(db.get(),
                QStringLiteral("SELECT name FROM incoming.sqlite_master WHERE name = 'MervalisTaxDetails'"), &taxDetails);
    // An empty ledger (a new installation) leaves nothing worth keeping.
    QStringList held;
    firstColumn(db.get(),
                QStringLiteral("SELECT (SELECT COUNT(*) FROM main.Mervalis) + (SELECT COUNT(*) FROM main.Mervalis2) + "
                               "(SELECT COUNT(*) FROM main.Mervalis3)"),
                &held);
    const bool keep = held.value(0) != QLatin1String("0");
    for (const QString& statement : restoreStatements(keep, !sequence.isEmpty(), !taxDetails.isEmpty())) {
        if (!exec(db.get(), statement)) {
            return fail(QStringLiteral("The ledger could not be restored: %1").arg(errorOf(db.get())));
        }
    }
    if (!exec(db.get(), QStringLiteral("COMMIT"))) {
        return fail(QStringLiteral("The ledger could not be restored, the database being in use: %1")
                        .arg(errorOf(db.get())));
    }
    *message = QStringLiteral("The ledger %1 now holds the %2 of %3.").arg(database, contents(db.get()), file);
    exec(db.get(), QStringLiteral("DETACH kept"));
    exec(db.get(), QStringLiteral("DETACH incoming"));
    if (keep) {
        *message += QStringLiteral(" The records it held before are kept in %1.").arg(kept);
        if (keptFile) *keptFile = kept;
    } else {
        QFile::remove(kept);
    }
    return true;
}

}  // namespace mervalis::setup
