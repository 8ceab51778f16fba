#include "data/sales_table.h"

#include "data/kept_figures.h"
#include "data/sql.h"

#include <QRegularExpression>

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

namespace {

// The kept reference IDs other than an empty one; on PostgreSQL told from
// the index of their order alone.
QString referenceIdRows(bool unpaidOnly, bool postgres)
{
    const QString exact = exactText(QStringLiteral("Value"));
    return QStringLiteral("FROM %1 WHERE Field = %2%3 AND %4 <> ''")
        .arg(kept_figures::table(), quoted(kept_figures::byReferenceId()),
             unpaidOnly ? QStringLiteral(" AND FirstUnpaidID IS NOT NULL") : QString(),
             postgres ? QStringLiteral("LEFT(LOWER(%1), 200)").arg(exact) : exact);
}

}  // namespace

QString referenceIds(bool unpaidOnly, bool postgres, bool reversed)
{
    // Read from the reference IDs the database keeps, each exact text once
    // with its first sale and its first unpaid one. All of them come ordered
    // by reference ID without regard to case (ties in the order the sales
    // were added); the unpaid ones in table order. PostgreSQL reads the
    // order from an index of the IDs' first 200 letters, which a B-tree
    // holds however long the IDs are.
    const QString exact = exactText(QStringLiteral("Value"));
    QStringList order{QStringLiteral("LOWER(%1)").arg(exact), QStringLiteral("FirstID")};
    if (postgres) order.prepend(QStringLiteral("LEFT(LOWER(%1), 200)").arg(exact));
    if (unpaidOnly) order = QStringList{QStringLiteral("FirstUnpaidID")};
    const QString direction = reversed ? QStringLiteral(" DESC, ") : QStringLiteral(", ");
    return QStringLiteral("SELECT %1 AS ReferenceID %2 ORDER BY %3%4")
        .arg(exact, referenceIdRows(unpaidOnly, postgres), order.join(direction),
             reversed ? QStringLiteral(" DESC") : QString());
}

QString referenceIdCount(bool unpaidOnly, bool postgres)
{
    return QStringLiteral("SELECT COUNT(*) %1").arg(referenceIdRows(unpaidOnly, postgres));
}

QString unpaid(bool postgres)
{
    return postgres ? QStringLiteral("PAID IS DISTINCT FROM 'PAID'") : QStringLiteral("PAID IS NOT 'PAID'");
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

QStringList typedColumns()
{
    return {QStringLiteral("ReferenceID"),   QStringLiteral("AssociatedCompany"), QStringLiteral("ClientName"),
            QStringLiteral("ProductService"), QStringLiteral("MarketingTool"),    QStringLiteral("SalesRep")};
}

QString orderKey(const QString& column, bool postgres)
{
    if (column.compare(QLatin1String("ID"), Qt::CaseInsensitive) == 0) return column;
    if (postgres && typedColumns().contains(column, Qt::CaseInsensitive)) {
        return QStringLiteral("LEFT(LOWER(CAST(%1 AS TEXT)), 200) NULLS FIRST").arg(column);
    }
    return column + QStringLiteral(" NULLS FIRST");
}

QString orderBy(const QString& column, bool postgres)
{
    const QString key = orderKey(column, postgres);
    return key.startsWith(QLatin1String("LEFT(")) ? key + QStringLiteral(", %1 NULLS FIRST").arg(column) : key;
}

QString reversedOrder(const QString& order)
{
    QStringList keys;
    int depth = 0;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= order.size(); ++i) {
        if (i < order.size() && order[i] == QLatin1Char('(')) ++depth;
        if (i < order.size() && order[i] == QLatin1Char(')')) --depth;
        if (i == order.size() || (depth == 0 && order[i] == QLatin1Char(','))) {
            keys << order.mid(start, i - start).trimmed();
            start = i + 1;
        }
    }
    for (QString& key : keys) {
        if (key.endsWith(QLatin1String(" NULLS FIRST"))) key.chop(12);
        key += QStringLiteral(" DESC NULLS LAST");
    }
    return keys.join(QStringLiteral(", "));
}

QString inIndexOrder(const QString& sql, bool postgres)
{
    static const QRegularExpression ordered(QStringLiteral("^(\\s*select\\s+\\*\\s+from\\s+mervalis2\\s.*\\border\\s+by\\s+)(\\w+)\\s*$"),
                                            QRegularExpression::CaseInsensitiveOption |
                                                QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch match = ordered.match(sql);
    if (!postgres || !match.hasMatch() || !typedColumns().contains(match.captured(2), Qt::CaseInsensitive)) return sql;
    return match.captured(1) + orderBy(match.captured(2), true);
}

}  // namespace mervalis::sales_table
