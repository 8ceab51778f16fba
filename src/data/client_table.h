#pragma once

#include <QString>
#include <QStringList>

namespace mervalis::client_table {

// The SQL texts of the clients table Mervalis (Adodc1).

// "SELECT * FROM Mervalis"
QString selectAll();
// The clients of one name; the name is quoted safely, so names such as
// O'Brien are found.
QString selectByName(const QString& clientName);
// The fields of an added client, in the order its values are given.
QStringList addFields();
// The profile lists of a client: "Male", "Female"; the ages "0" to "80";
// the 21 income bands from "Less than 10,000" to "More than 200,000".
QStringList sexEntries();
QStringList ageEntries();
QStringList incomeBands();
// Position of ClientName in the table's column order.
constexpr int kClientNamePosition = 1;

}  // namespace mervalis::client_table
