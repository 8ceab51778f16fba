#pragma once

#include <QString>
#include <QStringList>

namespace mervalis::sales_table {

// The SQL texts of the sales table Mervalis2 (Adodc2).

// "SELECT * FROM Mervalis2"
QString selectAll();

// The distinct values of a text field of the stored sales, compared
// exactly (case and all), in the order of the first sale holding each; sales
// without a value in the field offer none. One column, named as the field.
QString distinctValues(const QString& field);

// The 25 fields a new sale line writes, in the order the add call writes them.
QStringList addFields();

}  // namespace mervalis::sales_table
