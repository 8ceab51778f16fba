#include "setup/postgres_ledger.h"

#include "setup/kept_figures.h"
#include "setup/schema.h"
#include "data/database.h"
#include "data/row_block.h"
#include "data/sql.h"

#include <QTemporaryDir>
#include <sqlite3.h>

#include <algorithm>
#include <memory>

namespace mervalis::setup {

namespace {

// The libpq keywords taken, and the psqlODBC value each becomes.
const QList<QPair<QString, QString>>& knownKeywords()
{
    static const QList<QPair<QString, QString>> known{
        {QStringLiteral("host"), QStringLiteral("Servername")}, {QStringLiteral("hostaddr"), QStringLiteral("Servername")},
        {QStringLiteral("port"), QStringLiteral("Port")},       {QStringLiteral("dbname"), QStringLiteral("Database")},
        {QStringLiteral("user"), QStringLiteral("Username")},   {QStringLiteral("password"), QStringLiteral("Password")},
        {QStringLiteral("sslmode"), QStringLiteral("SSLmode")},
        // Handed through to libpq (psqlODBC's pqopt), which checks the
        // server's certificate against this root certificate.
        {QStringLiteral("sslrootcert"), QStringLiteral("pqopt")},
    };
    return known;
}

bool fail(QString* error, const QString& text)
{
    if (error) *error = text;
    return false;
}

bool failed(Database& database, QString* error, const QString& what)
{
    return fail(error, QStringLiteral("%1: %2").arg(what, database.lastError()));
}

// The number a one-number query gives; false with `what` and the
// database's words when it cannot be read.
bool numberOf(Database& database, const QString& sql, qint64* number, QString* error, const QString& what)
{
    RowBlock found;
    if (!database.query(sql, found) || found.rowCount() != 1) return failed(database, error, what);
    *number = found.value(0, 0).toLongLong();
    return true;
}

bool executeAll(Database& database, const QStringList& statements, QString* error)
{
    for (const QString& statement : statements) {
        if (!database.execute(statement)) return failed(database, error, statement);
    }
    return true;
}

bool runAll(Database& database, const QStringList& statements, QString* error)
{
    TransactionGuard transaction(database);
    if (!transaction.active()) return failed(database, error, QStringLiteral("No transaction could be started"));
    if (!executeAll(database, statements, error)) return false;
    return transaction.commit() || failed(database, error, QStringLiteral("The tables could not be saved"));
}

}  // namespace

bool postgresSettings(const QString& connection, Settings* settings, QString* error)
{
    settings->clear();
    qsizetype i = 0;
    const qsizetype n = connection.size();
    const auto skipBlanks = [&] {
        while (i < n && connection[i].isSpace()) ++i;
    };
    while (true) {
        skipBlanks();
        if (i >= n) break;
        const qsizetype keyStart = i;
        while (i < n && !connection[i].isSpace() && connection[i] != QLatin1Char('=')) ++i;
        const QString key = connection.mid(keyStart, i - keyStart);
        skipBlanks();
        if (i >= n || connection[i] != QLatin1Char('=')) {
            return fail(error, QStringLiteral("The connection text needs keyword=value pairs; \"%1\" has no value.")
                                   .arg(key));
        }
        ++i;
        skipBlanks();
        QString value;
        if (i < n && connection[i] == QLatin1Char('\'')) {
            ++i;
            bool closed = false;
            while (i < n) {
                const QChar c = connection[i++];
                if (c == QLatin1Char('\\') && i < n) value += connection[i++];
                else if (c == QLatin1Char('\'')) { closed = true; break; }
                else value += c;
            }
            if (!closed) return fail(error, QStringLiteral("The value of \"%1\" lacks its closing quote.").arg(key));
        } else {
            while (i < n && !connection[i].isSpace()) {
                const QChar c = connection[i++];
                if (c == QLatin1Char('\\') && i < n) value += connection[i++];
                else value += c;
            }
        }
        QString odbcName;
        for (const auto& [libpq, odbc] : knownKeywords()) {
            if (libpq == key) odbcName = odbc;
        }
        if (odbcName.isEmpty()) {
            return fail(error, QStringLiteral("The connection text names \"%1\"; Mervalis takes host, hostaddr, port, "
                                              "dbname, user, password, sslmode and sslrootcert.")
                                   .arg(key));
        }
        if (key == QLatin1String("sslrootcert")) {
            value.replace(QLatin1Char('\\'), QLatin1String("\\\\")).replace(QLatin1Char('\''), QLatin1String("\\'"));
            value = QStringLiteral("sslrootcert='%1'").arg(value);
        }
        settings->removeIf([&](const auto& s) { return s.first == odbcName; });
        settings->append({odbcName, value});
    }
    // The traffic is encrypted unless the text asks otherwise.
    if (std::none_of(settings->cbegin(), settings->cend(),
                     [](const auto& s) { return s.first == QLatin1String("SSLmode"); })) {
        settings->append({QStringLiteral("SSLmode"), QStringLiteral("require")});
    }
    const bool named = std::any_of(settings->cbegin(), settings->cend(),
                                   [](const auto& s) { return s.first == QLatin1String("Database") && !s.second.isEmpty(); });
    return named || fail(error, QStringLiteral("The connection text must name the database: dbname=..."));
}

QString postgresConnectionString(const Settings& settings)
{
    QString text = QStringLiteral("Driver={PostgreSQL Unicode}");
    for (const auto& [name, value] : settings) {
        // A value that would end the keyword goes between braces.
        QString written = value;
        if (value.contains(QLatin1Char(';')) || value.contains(QLatin1Char('=')) ||
            value.startsWith(QLatin1Char('{'))) {
            written = QLatin1Char('{') + written.replace(QLatin1Char('}'), QLatin1String("}}")) + QLatin1Char('}');
        }
        text += QStringLiteral(";%1=%2").arg(name, written);
    }
    return text;
}

bool createPostgresLedger(Database& database, bool replace, bool* existed, QString* error)
{
    qint64 tables = 0;
    if (!numberOf(database,
                  QStringLiteral("SELECT COUNT(*) FROM information_schema.tables WHERE table_schema = "
                                 "current_schema() AND table_name IN ('mervalis', 'mervalis2', 'mervalis3')"),
                  &tables, error, QStringLiteral("The database could not be read"))) {
        return false;
    }
    *existed = tables > 0;
    QStringList statements;
    if (*existed && !replace) {
        // Its rows stay as they are; indexes a later version looks up by are
        // added, and the kept figures filled once from its sales.
        qint64 kept = 0;
        qint64 agree = 0;
        if (!numberOf(database, keptTableExistsQuery(Engine::PostgreSQL), &kept, error,
                      QStringLiteral("The database could not be read")) ||
            (kept > 0 && !numberOf(database, keptCountsAgreeQuery(), &agree, error,
                                   QStringLiteral("The kept figures could not be read")))) {
            return false;
        }
        return runAll(database,
                      taxDetailsStatements(Engine::PostgreSQL) + retiredIndexStatements(Engine::PostgreSQL) +
                          indexStatements(Engine::PostgreSQL) + keepFiguresStatements(Engine::PostgreSQL, kept > 0, agree == 1),
                      error);
    }
    if (*existed) {
        statements << QStringLiteral("DROP TABLE IF EXISTS Mervalis, Mervalis2, Mervalis3, MervalisTaxDetails, "
                                     "MervalisFigures");
    }
    return runAll(database, statements + schemaStatements(Engine::PostgreSQL), error);
}

namespace {

// Copies every row of `table` from a SQLite ledger in ID order, the IDs
// given anew by the target in the same order.
bool copyTable(sqlite3* source, Database& target, const QString& table, QString* error)
{
    sqlite3_stmt* stmt = nullptr;
    const QByteArray select = QStringLiteral("SELECT * FROM %1 ORDER BY ID").arg(table).toUtf8();
    if (sqlite3_prepare_v2(source, select.constData(), -1, &stmt, nullptr) != SQLITE_OK) {
        return fail(error, QString::fromUtf8(sqlite3_errmsg(source)));
    }
    const std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)> owner(stmt, sqlite3_finalize);
    QStringList columns;
    for (int c = 1; c < sqlite3_column_count(stmt); ++c) columns << QString::fromUtf8(sqlite3_column_name(stmt, c));
    const QString head = QStringLiteral("INSERT INTO %1 (%2) VALUES ").arg(table, columns.join(QStringLiteral(", ")));
    QStringList rows;
    const auto flush = [&] {
        if (rows.isEmpty()) return true;
        const bool ok = target.execute(head + rows.join(QStringLiteral(", ")));
        rows.clear();
        return ok || failed(target, error, QStringLiteral("The sample %1 could not be written").arg(table));
    };
    while (sqlite3_step(stmt) == SQLITE_ROW) {
        QStringList values;
        for (int c = 1; c < sqlite3_column_count(stmt); ++c) {
            const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, c));
            values << (text ? quoted(QString::fromUtf8(text)) : QStringLiteral("NULL"));
        }
        rows << QLatin1Char('(') + values.join(QStringLiteral(", ")) + QLatin1Char(')');
        if (rows.size() >= 500 && !flush()) return false;
    }
    return flush();
}

}  // namespace

bool fillPostgresSampleLedger(Database& database, const SampleLedger& size, QString* error)
{
    qint64 records = 0;
    if (!numberOf(database,
                  QStringLiteral("SELECT (SELECT COUNT(*) FROM Mervalis) + (SELECT COUNT(*) FROM Mervalis2) + "
                                 "(SELECT COUNT(*) FROM Mervalis3)"),
                  &records, error, QStringLiteral("The ledger could not be read"))) {
        return false;
    }
    if (records != 0) {
        return fail(error, QStringLiteral("The ledger holds records already; the sample ledger goes only into an "
                                          "empty one."));
    }
    // The sample ledger is made as for a SQLite installation, then copied.
    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("sample.db"));
    if (!folder.isValid() || !createDatabase(file, false, error) || !fillSampleLedger(file, size, error)) return false;
    sqlite3* source = nullptr;
    if (sqlite3_open_v2(file.toUtf8().constData(), &source, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        sqlite3_close(source);
        return fail(error, QStringLiteral("The sample ledger could not be read."));
    }
    const std::unique_ptr<sqlite3, int (*)(sqlite3*)> owner(source, sqlite3_close);
    TransactionGuard transaction(database);
    if (!transaction.active()) return failed(database, error, QStringLiteral("No transaction could be started"));
    // The kept figures are filled from all the sales at once.
    if (!executeAll(database, dropKeptTriggerStatements(Engine::PostgreSQL), error)) return false;
    for (const char* table : {"Mervalis3", "Mervalis", "Mervalis2"}) {
        if (!copyTable(source, database, QLatin1String(table), error)) return false;
    }
    if (!executeAll(database, refillKeptStatements(Engine::PostgreSQL) + keptTriggerStatements(Engine::PostgreSQL),
                    error)) {
        return false;
    }
    return transaction.commit() || failed(database, error, QStringLiteral("The sample ledger could not be saved"));
}

}  // namespace mervalis::setup
