#include "analysis/analysis_sql.h"

#include "data/sql.h"

namespace mervalis::analysis_sql {

namespace {

// A client name counted once per exact text; sales without a name count as
// one more name, as a distinct list of the names would show them.
QString distinctClientCount()
{
    // Both read the exact form, so that the profiles' indexes answer alone.
    return QStringLiteral("COUNT(DISTINCT %1) + MAX(CASE WHEN %1 IS NULL THEN 1 ELSE 0 END)")
        .arg(exactText(QStringLiteral("ClientName")));
}

QString quotedList(const QStringList& values)
{
    QStringList literals;
    for (const QString& value : values) literals << quoted(value);
    return literals.join(QStringLiteral(", "));
}

// The category of a sale: its exact text, a sale without a value falling
// under the empty category.
QString categoryOf(const QString& column)
{
    return QStringLiteral("COALESCE(%1, '')").arg(exactText(column));
}

}  // namespace

bool isEntityColumn(const QString& column)
{
    static const QStringList columns{QStringLiteral("AssociatedCompany"), QStringLiteral("ClientName"),
                                     QStringLiteral("ProductService"), QStringLiteral("MarketingTool"),
                                     QStringLiteral("SalesRep")};
    return columns.contains(column);
}

QString incomeUnits()
{
    return QStringLiteral("CAST(ROUND(SubTotal * 10000) AS BIGINT)");
}

QString monthSales(int month, const QString& year)
{
    return QStringLiteral("SELECT * FROM Mervalis2 WHERE month = '%1' and year =  %2  ").arg(month).arg(quoted(year));
}

QString monthSalesOf(int month, const QString& year, const QString& column, const QString& entity)
{
    return QStringLiteral("SELECT * FROM Mervalis2 WHERE month = '%1' and year =  %2 and %3  ")
        .arg(month)
        .arg(quoted(year), exactlyEquals(column, entity));
}

QString monthlyFigures(const QString& year, const QString& column, const QString& entity)
{
    QStringList months;
    for (int m = 1; m <= 12; ++m) months << QString::number(m);
    QString condition = QStringLiteral("Year = %1 AND Month IN (%2)").arg(quoted(year), quotedList(months));
    if (!column.isEmpty()) condition += QStringLiteral(" AND ") + exactlyEquals(column, entity);
    return QStringLiteral("SELECT Month, SUM(%1), COUNT(*) FROM Mervalis2 WHERE %2 GROUP BY Month")
        .arg(incomeUnits(), condition);
}

QString categoryIncome(const QString& column, const QString& year)
{
    const QString category = categoryOf(column);
    const QString where = year.isNull() ? QString() : QStringLiteral(" WHERE Year = %1").arg(quoted(year));
    return QStringLiteral("SELECT %1, COALESCE(SUM(CASE WHEN %2 IS NULL THEN 0 ELSE %3 END), 0), "
                          "COALESCE(SUM(%3), 0) FROM Mervalis2%4 GROUP BY %1 ORDER BY MIN(ID)")
        .arg(category, column, incomeUnits(), where);
}

QString yearIncome()
{
    // The years compare exactly, read from their index with the totals; a
    // sale without a year falls under the empty year with one of "".
    const QString year = exactText(QStringLiteral("Year"));
    return QStringLiteral("SELECT COALESCE(y, ''), SUM(a), SUM(b) FROM (SELECT %1 AS y, "
                          "SUM(CASE WHEN %1 IS NULL THEN 0 ELSE %2 END) AS a, SUM(%2) AS b "
                          "FROM Mervalis2 GROUP BY %1) AS years GROUP BY COALESCE(y, '') ORDER BY COALESCE(y, '')")
        .arg(year, incomeUnits());
}

QString grandAndEntityIncome(const QString& column, const QString& entity)
{
    const QString chosen = column.isEmpty() ? QStringLiteral("0")
                                            : QStringLiteral("CASE WHEN %1 THEN %2 ELSE 0 END")
                                                  .arg(exactlyEquals(column, entity), incomeUnits());
    return QStringLiteral("SELECT SUM(%1), COALESCE(SUM(%2), 0) FROM Mervalis2").arg(incomeUnits(), chosen);
}

QString salesOfYear(const QString& year)
{
    return QStringLiteral("SELECT * FROM Mervalis2 WHERE year =  %1").arg(quoted(year));
}

QString salesByYear()
{
    return QStringLiteral("SELECT * FROM Mervalis2 order by year");
}

QString incomeOfYear(const QString& year)
{
    return QStringLiteral("SELECT SUM(SUBTOTAL) FROM Mervalis2 WHERE year =   %1 ").arg(quoted(year));
}

QString incomeOfYearFor(const QString& year, const QString& column, const QString& category)
{
    return QStringLiteral("SELECT SUM(SUBTOTAL) FROM Mervalis2 WHERE year =  %1 and %2 ")
        .arg(quoted(year), exactlyEquals(column, category));
}

QString incomeOf(const QString& column, const QString& category)
{
    return QStringLiteral("SELECT SUM(SUBTOTAL) FROM Mervalis2 WHERE %1 ").arg(exactlyEquals(column, category));
}

QString totalIncome()
{
    return QStringLiteral("SELECT SUM(SUBTOTAL) FROM Mervalis2");
}

QString clientsPerFixedCategory(const QString& column, const QStringList& categories)
{
    QString key = QStringLiteral("CASE");
    for (int i = 0; i < categories.size(); ++i) {
        key += QStringLiteral(" WHEN %1 = %2 THEN %3").arg(column, quoted(categories[i])).arg(i);
    }
    key += QStringLiteral(" END");
    return QStringLiteral("SELECT %1, %2 FROM Mervalis2 WHERE %3 IN (%4) GROUP BY %1")
        .arg(key, distinctClientCount(), column, quotedList(categories));
}

QString clientsPerStoredCategory(const QString& column)
{
    const QString category = exactText(column);
    return QStringLiteral("SELECT %1, %2 FROM Mervalis2 WHERE %1 <> '' GROUP BY %1 ORDER BY MIN(ID)")
        .arg(category, distinctClientCount());
}

QString clientsOfCategory(const QString& column, const QString& category, bool exact)
{
    const QString name = exactText(QStringLiteral("ClientName"));
    const QString condition =
        exact ? exactlyEquals(column, category) : QStringLiteral("%1 = %2").arg(column, quoted(category));
    return QStringLiteral("SELECT %1 AS ClientName FROM Mervalis2 WHERE %2 GROUP BY %1 ORDER BY MIN(ID)")
        .arg(name, condition);
}

QString soldClients()
{
    const QString name = exactText(QStringLiteral("ClientName"));
    return QStringLiteral("SELECT %1 AS ClientName FROM Mervalis2 GROUP BY %1 ORDER BY MIN(ID)").arg(name);
}

QString invoicesPerRep()
{
    const QString rep = exactText(QStringLiteral("SalesRep"));
    return QStringLiteral("SELECT %1, COUNT(DISTINCT UPPER(ReferenceID)) + "
                          "MAX(CASE WHEN ReferenceID IS NULL THEN 1 ELSE 0 END) FROM Mervalis2 "
                          "WHERE SalesRep <> '' AND SalesRep <> 'None' GROUP BY %1 ORDER BY MIN(ID)")
        .arg(rep);
}

QString leadsPerPerson()
{
    const QString person = exactText(QStringLiteral("LeadGivenTo"));
    return QStringLiteral("SELECT %1, COUNT(*) FROM Mervalis WHERE LeadGivenTo IS NOT NULL GROUP BY %1").arg(person);
}

QString invoicesOfRep(const QString& rep)
{
    return QStringLiteral("SELECT DISTINCT ReferenceID FROM Mervalis2 WHERE %1")
        .arg(exactlyEquals(QStringLiteral("SalesRep"), rep));
}

QString leadsOf(const QString& rep)
{
    return QStringLiteral("SELECT * FROM Mervalis WHERE %1").arg(exactlyEquals(QStringLiteral("LeadGivenTo"), rep));
}

}  // namespace mervalis::analysis_sql
