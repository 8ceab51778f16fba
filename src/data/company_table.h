#pragma once

#include <QString>
#include <QStringList>

namespace mervalis::company_table {

// The SQL texts of the companies table Mervalis3 (Adodc3).

// "SELECT * FROM Mervalis3"
QString selectAll();
// The companies of one name; the name is quoted safely, so names such as
// O'Neill Ltd are found.
QString selectByName(const QString& companyName);
// The fields of an added company, in the order its values are given.
QStringList addFields();

}  // namespace mervalis::company_table
