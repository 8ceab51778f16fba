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

}  // namespace mervalis::client_table
