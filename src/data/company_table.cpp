#include "data/company_table.h"

#include "data/sql.h"

namespace mervalis::company_table {

QString selectAll()
{
    return QStringLiteral("SELECT * FROM Mervalis3");
}

QString selectByName(const QString& companyName)
{
    return QStringLiteral("SELECT * FROM Mervalis3 WHERE CompanyName = '") + sqlEscape(companyName)
           + QStringLiteral("' ");
}

QStringList addFields()
{
    return {QStringLiteral("Telephone2"), QStringLiteral("Fax"),        QStringLiteral("CompanyName"),
            QStringLiteral("ContactFirstName"), QStringLiteral("ContactSurname"), QStringLiteral("Address1"),
            QStringLiteral("Address2"),   QStringLiteral("PostCode"),   QStringLiteral("City"),
            QStringLiteral("Country"),    QStringLiteral("Telephone"),  QStringLiteral("Mobile"),
            QStringLiteral("Email"),      QStringLiteral("Notes")};
}

}  // namespace mervalis::company_table
