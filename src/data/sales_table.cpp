#include "data/sales_table.h"

#include "data/sql.h"

namespace mervalis::sales_table {

QString selectAll()
{
    return QStringLiteral("SELECT * FROM Mervalis2");
}

QString distinctValues(const QString& field)
{
    const QString exact = exactText(field);
    return QStringLiteral("SELECT %1 AS %2 FROM Mervalis2 WHERE %2 IS NOT NULL GROUP BY %1 ORDER BY MIN(ID)")
        .arg(exact, field);
}

QStringList addFields()
{
    return {QStringLiteral("City"),          QStringLiteral("Country"),           QStringLiteral("Sex"),
            QStringLiteral("Age"),           QStringLiteral("Income"),            QStringLiteral("Ethnicity"),
            QStringLiteral("LeadGivenTo"),   QStringLiteral("Notes"),             QStringLiteral("MarketingTool"),
            QStringLiteral("AssociatedCompany"), QStringLiteral("ReferenceID"),   QStringLiteral("Discount"),
            QStringLiteral("Freight"),       QStringLiteral("SellDate"),          QStringLiteral("SalesRep"),
            QStringLiteral("ClientName"),    QStringLiteral("ProductService"),    QStringLiteral("Amount"),
            QStringLiteral("Tax"),           QStringLiteral("Quantity"),          QStringLiteral("Day"),
            QStringLiteral("Month"),         QStringLiteral("Year"),              QStringLiteral("SubTotal"),
            QStringLiteral("TotalDue")};
}

}  // namespace mervalis::sales_table
