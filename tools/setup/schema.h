#pragma once

#include <QString>
#include <QStringList>

struct sqlite3;

namespace mervalis::setup {

enum class Engine { SQLite, PostgreSQL };

// The three tables of the ledger. Text compares without regard to case;
// Year and Month are text; the number fields refuse text that is not a
// number. ClientName is stored column 1 of Mervalis and the sale's total
// (SubTotal) column 13 of Mervalis2, where whole-row reads by position look.
// The same columns in the same order on both engines (on PostgreSQL the
// citext extension gives the case-insensitive text).
QStringList schemaStatements(Engine engine = Engine::SQLite);

// The table of the tax details e-invoices need, beside the three described
// ones: MervalisTaxDetails, one row per company or client name (Kind
// "company" or "client"), the name compared without regard to case. Created
// only when missing.
QStringList taxDetailsStatements(Engine engine = Engine::SQLite);

// The indexes the program's look-ups, lists, analyses and sorts need, each
// created only when missing.
QStringList indexStatements(Engine engine = Engine::SQLite);
// Indexes of earlier versions that newer ones took the place of, dropped
// when an existing ledger gets its missing indexes.
QStringList retiredIndexStatements(Engine engine = Engine::SQLite);

// Adds the indexes, the tax details table and the kept figures an existing
// ledger lacks (filling the figures once from its sales); its rows are not
// touched.
bool addMissingIndexes(const QString& path, QString* error);

// Creates a new database file with the three tables. Fails when the file
// exists unless `replace` is set. `error` receives SQLite's words.
bool createDatabase(const QString& path, bool replace, QString* error);

// Runs statements on an open database, within the transaction open there.
bool execStatements(sqlite3* db, const QStringList& statements, QString* error);
// Runs statements on an open database inside one transaction.
bool runStatements(sqlite3* db, const QStringList& statements, QString* error);

}  // namespace mervalis::setup
