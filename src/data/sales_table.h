#pragma once

#include <QString>
#include <QStringList>

namespace mervalis::sales_table {

// The SQL texts of the sales table Mervalis2 (Adodc2).

// "SELECT * FROM Mervalis2"
QString selectAll();

// The 25 fields a new sale line writes, in the order the add call writes them.
QStringList addFields();

}  // namespace mervalis::sales_table
