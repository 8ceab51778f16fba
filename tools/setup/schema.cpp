#include "setup/schema.h"

#include "data/sql.h"

#include <QFile>
#include <QFileInfo>
#include <sqlite3.h>

namespace mervalis::setup {

namespace {

QString text(const char* name) { return QStringLiteral("%1 VARCHAR(255) COLLATE NOCASE").arg(QLatin1String(name)); }

QString number(const char* name)
{
    return QStringLiteral("%1 NUMERIC CHECK (typeof(%1) <> 'text' AND typeof(%1) <> 'blob')").arg(QLatin1String(name));
}

QString memo(const char* name) { return QStringLiteral("%1 TEXT COLLATE NOCASE").arg(QLatin1String(name)); }

QString table(const char* name, const QStringList& columns)
{
    return QStringLiteral("CREATE TABLE %1 (\n  ID INTEGER PRIMARY KEY AUTOINCREMENT,\n  %2\n)")
        .arg(QLatin1String(name), columns.join(QStringLiteral(",\n  ")));
}

}  // namespace

QStringList schemaStatements()
{
    return QStringList{
        table("Mervalis", {text("ClientName"), text("ContactFirstName"), text("ContactSurname"), text("Address1"),
                           text("Address2"), text("PostCode"), text("City"), text("Country"), text("Telephone"),
                           text("Telephone2"), text("Fax"), text("Mobile"), text("Email"), memo("Notes"),
                           text("Sex"), text("Age"), text("Income"), text("Ethnicity"), text("LeadGivenTo")}),
        table("Mervalis2",
              {text("ClientName"), text("AssociatedCompany"), text("ReferenceID"), text("SellDate"),
               number("Day"), text("Month"), text("Year"), text("ProductService"), number("Amount"),
               number("Quantity"), number("Discount"), number("Freight"), number("SubTotal"), number("Tax"),
               number("TotalDue"), QStringLiteral("PAID VARCHAR(255) COLLATE NOCASE DEFAULT 'unpaid'"),
               text("SalesRep"), text("MarketingTool"), memo("Notes"), text("City"), text("Country"), text("Sex"),
               text("Age"), text("Income"), text("Ethnicity"), text("LeadGivenTo")}),
        table("Mervalis3", {text("CompanyName"), text("ContactFirstName"), text("ContactSurname"), text("Address1"),
                            text("Address2"), text("PostCode"), text("City"), text("Country"), text("Telephone"),
                            text("Telephone2"), text("Fax"), text("Mobile"), text("Email"), memo("Notes")}),
    } + indexStatements();
}

QStringList indexStatements()
{
    // The sales are looked up by reference ID, payment, year and month, and
    // by the five fields the analyses compare; the grid sorts them by its
    // sort list's fields. An index on one field also orders by ID between
    // equal values.
    QStringList statements;
    const char* const sales[] = {"ReferenceID",    "PAID",          "Year",      "Month",    "AssociatedCompany",
                                 "ClientName",     "ProductService", "MarketingTool", "SalesRep", "SellDate",
                                 "TotalDue"};
    for (const char* field : sales) {
        statements << QStringLiteral("CREATE INDEX IF NOT EXISTS Mervalis2_%1 ON Mervalis2 (%1)").arg(QLatin1String(field));
    }
    statements << QStringLiteral("CREATE INDEX IF NOT EXISTS Mervalis2_YearMonth ON Mervalis2 (Year, Month)");
    // Lists of distinct values compare them exactly, through the expression
    // exactText() writes; an index on it answers such a list alone.
    const char* const exact[] = {"ReferenceID", "AssociatedCompany", "ClientName", "ProductService", "MarketingTool",
                                 "SalesRep"};
    for (const char* field : exact) {
        statements << QStringLiteral("CREATE INDEX IF NOT EXISTS Mervalis2_Exact%1 ON Mervalis2 (%2)")
                          .arg(QLatin1String(field), exactText(QLatin1String(field)));
    }
    // The profiles count the distinct clients of each category: sex, age
    // and income bands as the database compares text, ethnicity, city and
    // country exactly.
    const QString client = exactText(QStringLiteral("ClientName"));
    for (const char* field : {"Sex", "Age", "Income"}) {
        statements << QStringLiteral("CREATE INDEX IF NOT EXISTS Mervalis2_Clients%1 ON Mervalis2 (%1, %2)")
                          .arg(QLatin1String(field), client);
    }
    for (const char* field : {"Ethnicity", "City", "Country"}) {
        statements << QStringLiteral("CREATE INDEX IF NOT EXISTS Mervalis2_Clients%1 ON Mervalis2 (%2, %3)")
                          .arg(QLatin1String(field), exactText(QLatin1String(field)), client);
    }
    return statements;
}

bool addMissingIndexes(const QString& path, QString* error)
{
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
        if (error) *error = QString::fromUtf8(db ? sqlite3_errmsg(db) : "out of memory");
        sqlite3_close(db);
        return false;
    }
    sqlite3_busy_timeout(db, 10000);
    const bool ok = runStatements(db, indexStatements(), error);
    sqlite3_close(db);
    return ok;
}

bool runStatements(sqlite3* db, const QStringList& statements, QString* error)
{
    char* message = nullptr;
    QString script = QStringLiteral("BEGIN;\n");
    for (const QString& statement : statements) script += statement + QStringLiteral(";\n");
    script += QStringLiteral("COMMIT;\n");
    if (sqlite3_exec(db, script.toUtf8().constData(), nullptr, nullptr, &message) != SQLITE_OK) {
        if (error) *error = QString::fromUtf8(message ? message : "unknown error");
        sqlite3_free(message);
        sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
        return false;
    }
    return true;
}

bool createDatabase(const QString& path, bool replace, QString* error)
{
    if (QFileInfo::exists(path)) {
        if (!replace) {
            if (error) *error = QStringLiteral("%1 exists already.").arg(path);
            return false;
        }
        if (!QFile::remove(path)) {
            if (error) *error = QStringLiteral("%1 could not be removed.").arg(path);
            return false;
        }
    }
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) !=
        SQLITE_OK) {
        if (error) *error = QString::fromUtf8(db ? sqlite3_errmsg(db) : "out of memory");
        sqlite3_close(db);
        return false;
    }
    const bool ok = runStatements(db, schemaStatements(), error);
    sqlite3_close(db);
    if (!ok) QFile::remove(path);
    return ok;
}

}  // namespace mervalis::setup
