#include "data/client_table.h"

#include "data/sql.h"

namespace mervalis::client_table {

QString selectAll()
{
    return QStringLiteral("SELECT * FROM Mervalis");
}

QString selectByName(const QString& clientName)
{
    return QStringLiteral("SELECT * FROM Mervalis WHERE ClientName = '") + sqlEscape(clientName)
           + QStringLiteral("' ");
}

QStringList addFields()
{
    return {QStringLiteral("Sex"),        QStringLiteral("Age"),       QStringLiteral("Income"),
            QStringLiteral("Ethnicity"),  QStringLiteral("LeadGivenTo"), QStringLiteral("Telephone2"),
            QStringLiteral("Fax"),        QStringLiteral("ClientName"), QStringLiteral("ContactFirstName"),
            QStringLiteral("ContactSurname"), QStringLiteral("Address1"), QStringLiteral("Address2"),
            QStringLiteral("PostCode"),   QStringLiteral("City"),      QStringLiteral("Country"),
            QStringLiteral("Telephone"),  QStringLiteral("Mobile"),    QStringLiteral("Email"),
            QStringLiteral("Notes")};
}

QStringList sexEntries()
{
    return {QStringLiteral("Male"), QStringLiteral("Female")};
}

QStringList ageEntries()
{
    QStringList ages;
    for (int age = 0; age <= 80; ++age) ages << QString::number(age);
    return ages;
}

QStringList incomeBands()
{
    QStringList bands{QStringLiteral("Less than 10,000")};
    for (int from = 10; from < 200; from += 10) bands << QStringLiteral("%1-%2,000").arg(from).arg(from + 10);
    bands << QStringLiteral("More than 200,000");
    return bands;
}

}  // namespace mervalis::client_table
