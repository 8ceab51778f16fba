#pragma once

#include <QString>

namespace mervalis {

// A column name as a result reports it, in the ledger's own spelling when it
// names one of the ledger's fields ("clientname" becomes "ClientName"):
// PostgreSQL folds every field name written without quotes to lower case,
// and grids and exports show the names as the ledger spells them on every
// engine. Any other name is given back as it is.
QString ledgerFieldName(const QString& reported);

}  // namespace mervalis
