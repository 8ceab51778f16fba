#pragma once

#include <QString>

namespace mervalis::sales_table {

// The SQL texts of the sales table Mervalis2 (Adodc2).

// "SELECT * FROM Mervalis2"
QString selectAll();

}  // namespace mervalis::sales_table
