#pragma once

#include "setup/sample_data.h"

#include <QList>
#include <QPair>
#include <QString>

namespace mervalis {
class Database;
}

namespace mervalis::setup {

using Settings = QList<QPair<QString, QString>>;

// The data source values psqlODBC reads (Servername, Port, Database,
// Username, Password, SSLmode, and pqopt for libpq's sslrootcert) for a
// PostgreSQL connection text in libpq's form, "host=db1 port=5432
// dbname=ledger user=anna" (a value with blanks between single quotes, \'
// and \\ inside). SSLmode is "require" unless the text names an sslmode:
// the traffic is encrypted. False with a message for a text that cannot be
// read, a keyword other than those, or no dbname.
bool postgresSettings(const QString& connection, Settings* settings, QString* error);

// An ODBC connection string on the PostgreSQL Unicode driver with those
// values, a value holding a semicolon between braces.
QString postgresConnectionString(const Settings& settings);

// Creates the ledger's three tables with their indexes in the connected
// PostgreSQL database, all in one transaction. Tables there already are left
// as they are (missing indexes are added) unless `replace`, which drops them
// with their rows first. `existed` tells which happened.
bool createPostgresLedger(Database& database, bool replace, bool* existed, QString* error);

// Fills an empty ledger on PostgreSQL with the same sample ledger as
// fillSampleLedger() writes into a SQLite file, in one transaction.
bool fillPostgresSampleLedger(Database& database, const SampleLedger& size, QString* error);

}  // namespace mervalis::setup
