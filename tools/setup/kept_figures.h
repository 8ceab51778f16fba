#pragma once

#include "setup/schema.h"

#include <QString>
#include <QStringList>

// The statements that make and fill the figures the database keeps itself
// (data/kept_figures.h): the table with its indexes, the triggers on
// Mervalis2 that keep it, and the statements that fill it from the stored
// sales. `schema` ("kept.") names an attached SQLite database; empty for the
// ledger itself.
namespace mervalis::setup {

QStringList keptTableStatements(Engine engine, const QString& schema = QString());
QStringList keptTriggerStatements(Engine engine, const QString& schema = QString());
QStringList dropKeptTriggerStatements(Engine engine, const QString& schema = QString());
// Empties the table and fills it anew from the sales.
QStringList refillKeptStatements(Engine engine, const QString& schema = QString());

// For an existing ledger: makes what is missing and puts the current
// triggers in place; fills the table when it was not there before (or no
// longer counts the sales there are). Statements to run in one transaction,
// given whether the table exists and holds as many sales as Mervalis2.
QStringList keepFiguresStatements(Engine engine, bool tableExists, bool countsAgree);
// Tells whether the table exists as this version keeps it (one made by an
// earlier version is made anew) and whether it counts every sale:
// statements answering one row, one number each.
QString keptTableExistsQuery(Engine engine);
QString keptCountsAgreeQuery();

}  // namespace mervalis::setup
