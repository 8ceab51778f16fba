#include "support/test_env.h"

#include "support/widgets.h"

#include "setup/postgres_ledger.h"
#include "setup/schema.h"
#include "data/database.h"
#include "data/money.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <libpq-fe.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <memory>
#include <stdexcept>

namespace mervalis::test {

DialogService::Answer ScriptedDialogs::show(const QString& text, Icon icon, Buttons buttons, const QString& caption)
{
    shown_.push_back({text, icon, buttons, caption});
    if (!answers_.empty()) {
        const Answer next = answers_.front();
        answers_.pop_front();
        return next;
    }
    return buttons == Buttons::YesNo ? Answer::Yes : Answer::Ok;
}

QString ScriptedDialogs::askSaveFileName(const QString&, const QString& proposedPath, const QString&)
{
    proposedFiles << proposedPath;
    if (fileNames_.empty()) return {};
    const QString next = fileNames_.front();
    fileNames_.pop_front();
    return next;
}

QStringList ScriptedDialogs::texts() const
{
    QStringList list;
    for (const Shown& s : shown_) list << s.text;
    return list;
}

QStringList ScriptedDialogs::take()
{
    const QStringList shownTexts = texts();
    shown_.clear();
    return shownTexts;
}

void ensureApplication()
{
    // The usual umask, under which files holding the ledger must still be
    // their owner's alone.
    ::umask(022);
    if (QCoreApplication::instance()) return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "mervalis-test";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv);
    keepMachineNumbers();
    QCoreApplication::setOrganizationName(QStringLiteral("Mervalis"));
    QCoreApplication::setApplicationName(QStringLiteral("Mervalis"));
}

QString TestEnvironment::sqliteDriverPath()
{
    for (const char* candidate : {"/usr/lib/x86_64-linux-gnu/odbc/libsqlite3odbc.so",
                                  "/usr/lib/aarch64-linux-gnu/odbc/libsqlite3odbc.so",
                                  "/usr/lib/odbc/libsqlite3odbc.so"}) {
        if (QFileInfo::exists(QLatin1String(candidate))) return QLatin1String(candidate);
    }
    return QStringLiteral("libsqlite3odbc.so");
}

namespace {

QString postgresServer() { return qEnvironmentVariable("MERVALIS_TEST_POSTGRES"); }

using Connection = std::unique_ptr<PGconn, void (*)(PGconn*)>;

Connection connectTo(const QString& connection)
{
    Connection conn(PQconnectdb(connection.toUtf8().constData()), PQfinish);
    if (PQstatus(conn.get()) != CONNECTION_OK) {
        throw std::runtime_error(std::string("PostgreSQL: ") + PQerrorMessage(conn.get()));
    }
    // Notices ("... does not exist, skipping") are no failures.
    PQsetNoticeProcessor(conn.get(), [](void*, const char*) {}, nullptr);
    return conn;
}

// Runs one or more statements; the rows of the last one's result as
// "a|b|c" texts (NULL as "<null>").
QStringList runOn(const QString& connection, const QString& sql)
{
    const Connection conn = connectTo(connection);
    std::unique_ptr<PGresult, void (*)(PGresult*)> result(PQexec(conn.get(), sql.toUtf8().constData()), PQclear);
    const ExecStatusType status = PQresultStatus(result.get());
    if (status != PGRES_TUPLES_OK && status != PGRES_COMMAND_OK) {
        throw std::runtime_error(PQresultErrorMessage(result.get()));
    }
    QStringList rows;
    for (int r = 0; r < PQntuples(result.get()); ++r) {
        QStringList cells;
        for (int c = 0; c < PQnfields(result.get()); ++c) {
            cells << (PQgetisnull(result.get(), r, c) ? QStringLiteral("<null>")
                                                      : QString::fromUtf8(PQgetvalue(result.get(), r, c)));
        }
        rows << cells.join(QLatin1Char('|'));
    }
    return rows;
}

QString psqlodbcPath()
{
    for (const char* candidate : {"/usr/lib/x86_64-linux-gnu/odbc/psqlodbcw.so",
                                  "/usr/lib/aarch64-linux-gnu/odbc/psqlodbcw.so", "/usr/lib/odbc/psqlodbcw.so"}) {
        if (QFileInfo::exists(QLatin1String(candidate))) return QLatin1String(candidate);
    }
    return QStringLiteral("psqlodbcw.so");
}

}  // namespace

bool TestEnvironment::postgresRun() { return !postgresServer().isEmpty(); }

QString TestEnvironment::postgresConnection() const
{
    // The last dbname wins in a libpq connection text.
    return postgresServer() + QStringLiteral(" dbname=") + postgresDatabase_;
}

void TestEnvironment::makePostgresDatabase()
{
    static std::atomic<int> made{0};
    postgresDatabase_ = QStringLiteral("mervalis_test_%1_%2").arg(getpid()).arg(made++);
    runOn(postgresServer(), QStringLiteral("CREATE DATABASE %1").arg(postgresDatabase_));
    setup::Settings settings;
    QString error;
    if (!setup::postgresSettings(postgresConnection(), &settings, &error)) throw std::runtime_error(error.toStdString());
    {
        Database database(QStringLiteral("Mervalis"), setup::postgresConnectionString(settings));
        bool existed = false;
        if (!database.connect() || !setup::createPostgresLedger(database, false, &existed, &error)) {
            throw std::runtime_error((database.lastError() + QLatin1Char(' ') + error).toStdString());
        }
    }
    QString section = QStringLiteral("[ODBC Data Sources]\nMervalis=PostgreSQL Unicode\n\n[Mervalis]\n"
                                     "Driver=PostgreSQL Unicode\n");
    for (const auto& [name, value] : settings) section += name + QLatin1Char('=') + value + QLatin1Char('\n');
    writeFile(odbcFile(QStringLiteral("odbc.ini")), section.toUtf8());
}

TestEnvironment::~TestEnvironment()
{
    if (!onPostgres()) return;
    try {
        runOn(postgresServer(), QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(postgresDatabase_));
    } catch (const std::exception&) {
        // The cluster goes at the end of the run anyway.
    }
}

TestEnvironment::TestEnvironment(bool registerDataSource)
{
    ensureApplication();
    if (!dir_.isValid()) throw std::runtime_error("no temporary folder");
    for (const char* folder : {"Mervalis", "odbc", "config"}) QDir(dir_.path()).mkpath(QLatin1String(folder));
    const QString config = file(QStringLiteral("config"));
    qputenv("MERVALIS_HOME", programFolder().toUtf8());
    qputenv("ODBCSYSINI", odbcFolder().toUtf8());
    qputenv("XDG_CONFIG_HOME", config.toUtf8());
    qputenv("HOME", dir_.path().toUtf8());
    // Qt reads the settings folder once per process; point it here anew.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, config);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, config);

    QString error;
    if (!setup::createDatabase(databasePath(), true, &error)) throw std::runtime_error(error.toStdString());
    writeFile(odbcFile(QStringLiteral("odbcinst.ini")),
              QStringLiteral("[SQLite3]\nDescription=SQLite3 ODBC Driver\nDriver=%1\nSetup=%1\nUsageCount=1\n\n"
                             "[PostgreSQL Unicode]\nDescription=PostgreSQL ODBC driver (Unicode version)\n"
                             "Driver=%2\nUsageCount=1\n")
                  .arg(sqliteDriverPath(), psqlodbcPath())
                  .toUtf8());
    writeFile(odbcFile(QStringLiteral("odbc.ini")),
              registerDataSource
                  ? QStringLiteral("[ODBC Data Sources]\nMervalis=SQLite3\n\n[Mervalis]\nDriver=%1\nDatabase=%2\n")
                        .arg(sqliteDriverPath(), databasePath())
                        .toUtf8()
                  : QByteArray());
    if (registerDataSource && postgresRun()) makePostgresDatabase();
}

QString TestEnvironment::programFolder() const { return file(QStringLiteral("Mervalis")); }

QString TestEnvironment::odbcFolder() const { return file(QStringLiteral("odbc")); }

QString TestEnvironment::databasePath() const { return programFile(QStringLiteral("Mervalis.db")); }

QString TestEnvironment::file(const QString& name) const { return QDir(dir_.path()).filePath(name); }

QString TestEnvironment::programFile(const QString& name) const { return QDir(programFolder()).filePath(name); }

QString TestEnvironment::odbcFile(const QString& name) const { return QDir(odbcFolder()).filePath(name); }

Installation TestEnvironment::installation() const { return Installation::load(programFolder()); }

QStringList rowsIn(const QString& databaseFile, const QString& sql)
{
    sqlite3* db = nullptr;
    sqlite3_open(databaseFile.toUtf8().constData(), &db);
    // Another program may be writing (the backup tests): wait for it.
    sqlite3_busy_timeout(db, 10000);
    sqlite3_stmt* stmt = nullptr;
    QStringList result;
    if (sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &stmt, nullptr) != SQLITE_OK) {
        const std::string message = sqlite3_errmsg(db);
        sqlite3_close(db);
        throw std::runtime_error(message);
    }
    while (sqlite3_step(stmt) == SQLITE_ROW) {
        QStringList cells;
        for (int c = 0; c < sqlite3_column_count(stmt); ++c) {
            const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, c));
            cells << (text ? QString::fromUtf8(text) : QStringLiteral("<null>"));
        }
        result << cells.join(QLatin1Char('|'));
    }
    sqlite3_finalize(stmt);
    sqlite3_close(db);
    return result;
}

QStringList TestEnvironment::rows(const QString& sql) const
{
    return onPostgres() ? runOn(postgresConnection(), sql) : rowsIn(databasePath(), sql);
}

void TestEnvironment::exec(const QString& sql) const
{
    if (onPostgres()) {
        runOn(postgresConnection(), sql);
        return;
    }
    sqlite3* db = nullptr;
    sqlite3_open(databasePath().toUtf8().constData(), &db);
    char* message = nullptr;
    const int rc = sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &message);
    const std::string error = message ? message : "";
    sqlite3_free(message);
    sqlite3_close(db);
    if (rc != SQLITE_OK) throw std::runtime_error(error);
}

void TestEnvironment::refuseUpdates(const QString& table) const
{
    if (onPostgres()) {
        exec(QStringLiteral("CREATE OR REPLACE FUNCTION refuse() RETURNS trigger LANGUAGE plpgsql AS "
                            "'BEGIN RAISE EXCEPTION ''ledger is locked''; END'; "
                            "CREATE TRIGGER refuse BEFORE UPDATE ON %1 FOR EACH ROW EXECUTE FUNCTION refuse()")
                 .arg(table));
    } else {
        exec(QStringLiteral("CREATE TRIGGER refuse BEFORE UPDATE ON %1 BEGIN SELECT RAISE(ABORT, 'ledger is locked'); "
                            "END")
                 .arg(table));
    }
}

void TestEnvironment::allowUpdates(const QString& table) const
{
    exec(onPostgres() ? QStringLiteral("DROP TRIGGER refuse ON %1").arg(table) : QStringLiteral("DROP TRIGGER refuse"));
}

QString TestEnvironment::kindOf(const QString& column) const
{
    return onPostgres() ? QStringLiteral("pg_typeof(%1)::text").arg(column) : QStringLiteral("typeof(%1)").arg(column);
}

bool TestEnvironment::fillSampleLedger(const setup::SampleLedger& size, QString* error) const
{
    if (!onPostgres()) return setup::fillSampleLedger(databasePath(), size, error);
    setup::Settings settings;
    if (!setup::postgresSettings(postgresConnection(), &settings, error)) return false;
    Database database(QStringLiteral("sample"), setup::postgresConnectionString(settings));
    if (!database.connect()) {
        *error = database.lastError();
        return false;
    }
    return setup::fillPostgresSampleLedger(database, size, error);
}

QString TestEnvironment::repeated(char letter, const QString& count) const
{
    return onPostgres() ? QStringLiteral("repeat('%1', %2)").arg(QLatin1Char(letter)).arg(count)
                        : QStringLiteral("printf('%.*c', %2, '%1')").arg(QLatin1Char(letter)).arg(count);
}

QString TestEnvironment::scalar(const QString& sql) const
{
    const QStringList result = rows(sql);
    return result.isEmpty() ? QString() : result.first();
}

TestLedger::TestLedger(bool registerDataSource)
    : env(registerDataSource),
      settings(std::make_unique<QSettings>(QStringLiteral("Mervalis"), QStringLiteral("Mervalis"))),
      store(std::make_unique<Store>(dialogs)),
      context(std::make_unique<AppContext>(AppContext{store->database, store->adodc1, store->adodc2, store->adodc3,
                                                      dialogs, help, *settings, env.installation()}))
{
}

}  // namespace mervalis::test
