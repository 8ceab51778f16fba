#include "data/sales_table.h"

#include "data/kept_figures.h"
#include "data/sql.h"

namespace mervalis::sales_table {

QString selectAll()
{
    return QStringLiteral("SELECT * FROM Mervalis2");
}

QString distinctValues(const QString& field)
{
    // The compared columns' values are read from the kept figures.
    if (kept_figures::comparedColumns().contains(field)) {
        const QString exact = exactText(QStringLiteral("Value"));
        return QStringLiteral("SELECT %1 AS %2 FROM %3 WHERE Field = %4 AND Value IS NOT NULL GROUP BY %1 "
                              "ORDER BY MIN(FirstID)")
            .arg(exact, field, kept_figures::table(), quoted(kept_figures::byColumn(field)));
    }
    const QString exact = exactText(field);
    // Every part reads the exact form, so that its index answers alone.
    return QStringLiteral("SELECT %1 AS %2 FROM Mervalis2 WHERE %1 IS NOT NULL GROUP BY %1 ORDER BY MIN(ID)")
        .arg(exact, field);
}

QString selectOrderedByReferenceId()
{
    return QStringLiteral("SELECT * FROM Mervalis2 order by referenceID");
}

QString selectUnpaid()
{
    return QStringLiteral("SELECT * FROM Mervalis2 where paid = 'unpaid'");
}

QString referenceIds(bool unpaidOnly)
{
    // Read from the reference IDs the database keeps, each exact text once
    // with its first sale and its first unpaid one. All of them come ordered
    // by reference ID without regard to case (ties in the order the sales
    // were added); the unpaid ones in table order.
    const QString exact = exactText(QStringLiteral("Value"));
    const QString where = unpaidOnly ? QStringLiteral(" AND FirstUnpaidID IS NOT NULL") : QString();
    const QString order = unpaidOnly ? QStringLiteral("FirstUnpaidID") : QStringLiteral("LOWER(%1), FirstID").arg(exact);
    return QStringLiteral("SELECT %1 AS ReferenceID FROM %2 WHERE Field = %3%4 AND %1 <> '' ORDER BY %5")
        .arg(exact, kept_figures::table(), quoted(kept_figures::byReferenceId()), where, order);
}

QString selectByReferenceId(const QString& referenceId)
{
    return QStringLiteral("SELECT * FROM Mervalis2 WHERE ReferenceID = ") + quoted(referenceId) + QStringLiteral(" ");
}

QString markPaid(const QString& referenceId)
{
    return QStringLiteral("UPDATE Mervalis2 SET PAID = 'PAID' WHERE ReferenceID = ") + quoted(referenceId);
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

QStringList sellDateParts(const QDate& date)
{
    return {QString::number(date.day()), QString::number(date.month()),
            QStringLiteral("%1").arg(date.year(), 4, 10, QLatin1Char('0'))};
}

QStringList sellDatePartFields()
{
    return {QStringLiteral("Day"), QStringLiteral("Month"), QStringLiteral("Year")};
}

QStringList sellDateOrderColumns(bool postgres)
{
    return {wholeNumberOf(QStringLiteral("Year"), postgres), wholeNumberOf(QStringLiteral("Month"), postgres),
            QStringLiteral("Day"), QStringLiteral("ID")};
}

QString sellDateOrder(bool postgres)
{
    QStringList keys = sellDateOrderColumns(postgres);
    for (QString& key : keys) key += QStringLiteral(" NULLS FIRST");
    return keys.join(QStringLiteral(", "));
}

}  // namespace mervalis::sales_table
