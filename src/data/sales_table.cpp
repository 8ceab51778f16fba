#include "data/sales_table.h"

namespace mervalis::sales_table {

QString selectAll()
{
    return QStringLiteral("SELECT * FROM Mervalis2");
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
