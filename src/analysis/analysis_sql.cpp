#include "analysis/analysis_sql.h"

#include "data/sql.h"

namespace mervalis::analysis_sql {

namespace {

// A client name counted once as the database compares text ("ThomasW" and
// "thomasw" are one client); sales without a name count as one more name, as
// a distinct list of the names would show them.
QString distinctClientCount()
{
    return QStringLiteral("COUNT(DISTINCT ClientName) + MAX(CASE WHEN ClientName IS NULL THEN 1 ELSE 0 END)");
}

QString quotedList(const QStringList& values)
{
    QStringList literals;
    for (const QString& value : values) literals << quoted(value);
    return literals.join(QStringLiteral(", "));
}

// The sales grouped by what `column` holds, as the database compares text
// (SQLite's NOCASE, PostgreSQL's citext: "Ben Carter" and "ben carter" are
// one group), in the order of each group's first sale. One row per group:
// the value its first sale holds (named as the column), then each of
// `figures`, aggregates over the group's sales, then each of `perGroup`,
// expressions that may read the group's value as g.name (in any of its
// spellings) and the figures as g.figure0, g.figure1 ... Only the sales that
// meet `where` (when given) count; a missing value is a group of its own.
QString groupsByName(const QString& column, const QStringList& figures, const QString& where = QString(),
                     const QStringList& perGroup = QStringList())
{
    QStringList inner{QStringLiteral("MIN(ID) AS first"), QStringLiteral("MIN(%1) AS name").arg(column)};
    QStringList outer{QStringLiteral("(SELECT f.%1 FROM Mervalis2 f WHERE f.ID = g.first) AS %1").arg(column)};
    for (qsizetype i = 0; i < figures.size(); ++i) {
        inner << QStringLiteral("%1 AS figure%2").arg(figures[i]).arg(i);
        outer << QStringLiteral("g.figure%1").arg(i);
    }
    outer << perGroup;
    return QStringLiteral("SELECT %1 FROM (SELECT %2 FROM Mervalis2%3 GROUP BY %4) AS g ORDER BY g.first")
        .arg(outer.join(QStringLiteral(", ")), inner.join(QStringLiteral(", ")),
             where.isEmpty() ? QString() : QStringLiteral(" WHERE ") + where, column);
}

// The sales whose column holds `value`, as the database compares text.
QString holds(const QString& column, const QString& value)
{
    return QStringLiteral("%1 = %2").arg(column, quoted(value));
}

}  // namespace

bool isEntityColumn(const QString& column)
{
    static const QStringList columns{QStringLiteral("AssociatedCompany"), QStringLiteral("ClientName"),
                                     QStringLiteral("ProductService"), QStringLiteral("MarketingTool"),
                                     QStringLiteral("SalesRep")};
    return columns.contains(column);
}

QString entityNames(const QString& column)
{
    return groupsByName(column, {}, QStringLiteral("%1 IS NOT NULL").arg(column));
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
        .arg(quoted(year), holds(column, entity));
}

QString monthlyFigures(const QString& year, const QString& column, const QString& entity)
{
    QStringList months;
    for (int m = 1; m <= 12; ++m) months << QString::number(m);
    QString condition = QStringLiteral("Year = %1 AND Month IN (%2)").arg(quoted(year), quotedList(months));
    if (!column.isEmpty()) condition += QStringLiteral(" AND ") + holds(column, entity);
    return QStringLiteral("SELECT Month, SUM(%1), COUNT(*) FROM Mervalis2 WHERE %2 GROUP BY Month")
        .arg(incomeUnits(), condition);
}

QString categoryIncome(const QString& column, const QString& year)
{
    const QString where = year.isNull() ? QString() : QStringLiteral("Year = %1").arg(quoted(year));
    return groupsByName(column,
                        {QStringLiteral("COALESCE(SUM(CASE WHEN %1 IS NULL THEN 0 ELSE %2 END), 0)")
                             .arg(column, incomeUnits()),
                         QStringLiteral("COALESCE(SUM(%1), 0)").arg(incomeUnits())},
                        where);
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
                                                  .arg(holds(column, entity), incomeUnits());
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
    // The year as a range of one: SQLite then takes the sales from the
    // category's index, which holds fewer of them than a year's.
    return QStringLiteral("SELECT SUM(SUBTOTAL) FROM Mervalis2 WHERE year BETWEEN %1 AND %1 and %2 ")
        .arg(quoted(year), holds(column, category));
}

QString incomeOf(const QString& column, const QString& category)
{
    return QStringLiteral("SELECT SUM(SUBTOTAL) FROM Mervalis2 WHERE %1 ").arg(holds(column, category));
}

QString totalIncome()
{
    return QStringLiteral("SELECT SUM(SUBTOTAL) FROM Mervalis2");
}

QString clientsPerFixedCategory(const QString& column, const QStringList& categories)
{
    QString key = QStringLiteral("CASE");
    for (int i = 0; i < categories.size(); ++i) {
        key += QStringLiteral(" WHEN %1 THEN %2").arg(holds(column, categories[i])).arg(i);
    }
    key += QStringLiteral(" END");
    return QStringLiteral("SELECT %1, %2 FROM Mervalis2 WHERE %3 IN (%4) GROUP BY %1")
        .arg(key, distinctClientCount(), column, quotedList(categories));
}

QString clientsPerStoredCategory(const QString& column)
{
    return groupsByName(column, {distinctClientCount()}, QStringLiteral("%1 <> ''").arg(column));
}

QString clientsOfCategory(const QString& column, const QString& category)
{
    return groupsByName(QStringLiteral("ClientName"), {}, holds(column, category));
}

QString soldClients()
{
    return groupsByName(QStringLiteral("ClientName"), {});
}

QString closingRatioFigures()
{
    // Reference IDs compare as the column does, without regard to case.
    return groupsByName(QStringLiteral("SalesRep"),
                        {QStringLiteral("COUNT(DISTINCT ReferenceID) + MAX(CASE WHEN ReferenceID IS NULL THEN 1 "
                                        "ELSE 0 END)")},
                        QStringLiteral("SalesRep <> '' AND SalesRep <> 'None'"),
                        {QStringLiteral("(SELECT COUNT(*) FROM Mervalis c WHERE c.LeadGivenTo = g.name)")});
}

QString invoicesOfRep(const QString& rep)
{
    return QStringLiteral("SELECT DISTINCT ReferenceID FROM Mervalis2 WHERE %1").arg(holds(QStringLiteral("SalesRep"), rep));
}

QString leadsOf(const QString& rep)
{
    return QStringLiteral("SELECT * FROM Mervalis WHERE %1").arg(holds(QStringLiteral("LeadGivenTo"), rep));
}

}  // namespace mervalis::analysis_sql
