#pragma once

#include <QList>
#include <QPair>
#include <QString>

namespace mervalis {

struct Installation;

// The machine-wide ODBC settings the program looks at and writes at start-up.
// They live in unixODBC's system ini files (the folder $ODBCSYSINI, else
// /etc), read and written through its installer API. A key path of the
// ODBC registry names an ini file and a section:
//
//   SOFTWARE\ODBC\ODBCINST.INI\<driver>   odbcinst.ini, section [<driver>]
//   SOFTWARE\ODBC\ODBC.INI\<section>      odbc.ini, section [<section>]
//   SOFTWARE\ODBC\ODBC.INI\<dsn>\<sub>    odbc.ini, section [<dsn>], value
//                                         names prefixed "<sub>\"
//
// The last row keeps the data source's "Engines\Jet" settings inside its own
// section (as "Engines\Jet\Threads=3" and so on): every section of odbc.ini
// is a data source to unixODBC, so a section of their own would show up in
// `odbcinst -q -s` as a data source that cannot connect.
//
// None of these routines raises anything to its caller; each answers yes or no.

// The driver the data source uses: the SQLite 3 ODBC driver.
QString wantedDriverSection();  // "SQLite3"
QString driverKeyPath();        // SOFTWARE\ODBC\ODBCINST.INI\SQLite3
QString dataSourceListKeyPath();  // SOFTWARE\ODBC\ODBC.INI\ODBC Data Sources
QString dataSourceKeyPath(const QString& dataSourceName);
QString jetEngineKeyPath(const QString& dataSourceName);

// Reads the value `szKeyName` of the key `szKeyPath`. `szKeyValue` comes in
// as the room offered (its length: checkAccessDriver offers 255 blanks) and
// leaves holding the value read. Yes when the key exists and holds the value
// and the value fits the room; a longer value counts as not found and leaves
// `szKeyValue` as it was.
bool isSZKeyExist(const QString& szKeyPath, const QString& szKeyName, QString& szKeyValue);

// Yes when the SQLite 3 driver is registered; then `szDriverName` receives
// the file of its library. A bare file name (Debian registers
// "libsqlite3odbc.so") is looked up in the ODBC driver folders, since
// unixODBC does not find a bare name written into a data source; a name found
// nowhere becomes the driver's section name, which unixODBC looks up in
// odbcinst.ini. On no, `szDriverName` is left as it was.
bool checkAccessDriver(QString& szDriverName);

// Yes when a data source of that name is registered, whatever driver it
// uses. To unixODBC a data source is its section in odbc.ini holding a
// "Driver" value: that is what connections and `odbcinst -q -s` read, and
// `odbcinst -u -s` removes the section but leaves the entry in
// [ODBC Data Sources]. So the section is what is tested, not the list entry.
bool checkWantedAccessDSN(const QString& szWantedDSN);

// Registers the data source for the driver `szDriverName`, writing into
// three keys in this order: the data source's own (UID, DBQ, Driver, FIL,
// DriverId, SafeTransactions and Database, the key the SQLite driver reads,
// both holding the installation's database path, and NoCreat, so that the
// driver never creates a missing database file), its "Engines\Jet" settings
// (ImplicitCommitSync, UserCommitSync, MaxBufferSize, PageTimeout, Threads)
// and the entry of [ODBC Data Sources], which names the driver section
// ("SQLite3") as unixODBC's own tools write it. Answers no at the first key
// that cannot be written, keeping what was written before; the later value
// writes inside a key that could be written are not checked.
bool createAccessDSN(const QString& szDriverName, const QString& szWantedDSN, const Installation& installation);

// Registers the data source `szWantedDSN` on the PostgreSQL Unicode driver
// (its odbcinst.ini section "PostgreSQL Unicode") with `values` (Servername,
// Database, Username and so on, as psqlODBC reads them). A section of that
// name left from an earlier registration is replaced whole, so that no value
// of another driver stays behind. Answers no when odbc.ini cannot be written.
bool createPostgresDSN(const QString& szWantedDSN, const QList<QPair<QString, QString>>& values);
QString postgresDriverSection();  // "PostgreSQL Unicode"

// The database file a data source on the SQLite driver names (its
// "Database" value); empty when it names none or uses another driver.
QString dataSourceDatabaseFile(const QString& dataSourceName);

// The library file a driver section names, as a data source must hold it:
// an absolute path stays; a bare name is looked for in the ODBC driver
// folders; empty when it is found nowhere.
QString resolveDriverLibrary(const QString& driverValue);

// The system odbc.ini the installer API reads and writes.
QString systemOdbcIniPath();

}  // namespace mervalis
