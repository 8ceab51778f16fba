#include "analysis/analysis_sql.h"

#include "data/kept_figures.h"
#include "data/sql.h"

namespace mervalis::analysis_sql {

namespace {

const QString kClient = QStringLiteral("ClientName");

// The number of distinct texts counted under a value, as the database
// compares text ("ThomasW" and "thomasw" are one client), a missing one
// counting as one more: one kept row each.
QString distinctCount()
{
    return QStringLiteral("COUNT(*)");
}

QString quotedList(const QStringList& values)
{
    QStringList literals;
    for (const QString& value : values) literals << quoted(value);
    return literals.join(QStringLiteral(", "));
}

// The kept rows of one grouping (data/kept_figures.h).
QString ofGrouping(const QString& field)
{
    return QStringLiteral("Field = %1").arg(quoted(field));
}

// The kept rows of grouping `field` grouped by what their column `column`
// (Value or Counted) holds, as the database compares text ("Ben Carter" and
// "ben carter" are one group), in the order of each group's first sale. One
// row per group: the text its first sale holds (named `name`), then each of
// `figures`, aggregates over the group's rows, then each of `perGroup`,
// expressions that may read the group's text as g.name (in any of its
// spellings). Only the rows that meet `where` (when given) count; a missing
// text is a group of its own.
QString groupsByName(const QString& field, const QString& column, const QString& name, const QStringList& figures,
                     const QString& where = QString(), const QStringList& perGroup = QStringList())
{
    const QString table = kept_figures::table();
    QStringList inner{QStringLiteral("MIN(FirstID) AS first"), QStringLiteral("MIN(%1) AS name").arg(column)};
    QStringList outer{QStringLiteral("(SELECT f.%1 FROM %2 f WHERE f.%3 AND f.FirstID = g.first) AS %4")
                          .arg(column, table, ofGrouping(field), name)};
    for (qsizetype i = 0; i < figures.size(); ++i) {
        inner << QStringLiteral("%1 AS figure%2").arg(figures[i]).arg(i);
        outer << QStringLiteral("g.figure%1").arg(i);
    }
    outer << perGroup;
    QString condition = ofGrouping(field);
    if (!where.isEmpty()) condition += QStringLiteral(" AND ") + where;
    return QStringLiteral("SELECT %1 FROM (SELECT %2 FROM %3 WHERE %4 GROUP BY %5) AS g ORDER BY g.first")
        .arg(outer.join(QStringLiteral(", ")), inner.join(QStringLiteral(", ")), table, condition, column);
}

// The sales whose column holds `value`, as the database compares text.
QString holds(const QString& column, const QString& value)
{
    return QStringLiteral("%1 = %2").arg(column, quoted(value));
}

}  // namespace

bool isEntityColumn(const QString& column)
{
    return kept_figures::comparedColumns().contains(column);
}

QString entityNames(const QString& column)
{
    return groupsByName(kept_figures::byColumn(column), QStringLiteral("Value"), column, {},
                        QStringLiteral("Value IS NOT NULL"));
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
    QString condition = QStringLiteral("%1 AND Year = %2 AND Month IN (%3)")
                            .arg(ofGrouping(column.isEmpty() ? kept_figures::allSales() : kept_figures::byColumn(column)),
                                 quoted(year), quotedList(months));
    if (!column.isEmpty()) condition += QStringLiteral(" AND ") + holds(QStringLiteral("Value"), entity);
    return QStringLiteral("SELECT Month, SUM(Income), SUM(Sales) FROM %1 WHERE %2 GROUP BY Month")
        .arg(kept_figures::table(), condition);
}

QString categoryIncome(const QString& column, const QString& year)
{
    const QString where = year.isNull() ? QString() : holds(QStringLiteral("Year"), year);
    return groupsByName(kept_figures::byColumn(column), QStringLiteral("Value"), column,
                        {QStringLiteral("COALESCE(SUM(CASE WHEN Value IS NULL THEN 0 ELSE Income END), 0)"),
                         QStringLiteral("COALESCE(SUM(Income), 0)")},
                        where);
}

QString yearIncome()
{
    // The years compare exactly; a sale without a year falls under the
    // empty year with one of "".
    const QString year = exactText(QStringLiteral("Year"));
    return QStringLiteral("SELECT COALESCE(y, ''), SUM(a), SUM(b) FROM (SELECT %1 AS y, "
                          "SUM(CASE WHEN Year IS NULL THEN 0 ELSE Income END) AS a, SUM(Income) AS b "
                          "FROM %2 WHERE %3 GROUP BY %1) AS years GROUP BY COALESCE(y, '') ORDER BY COALESCE(y, '')")
        .arg(year, kept_figures::table(), ofGrouping(kept_figures::allSales()));
}

QString grandAndEntityIncome(const QString& column, const QString& entity)
{
    const QString chosen = column.isEmpty() ? QStringLiteral("0")
                                            : QStringLiteral("CASE WHEN %1 THEN Income ELSE 0 END")
                                                  .arg(holds(QStringLiteral("Value"), entity));
    return QStringLiteral("SELECT CASE WHEN SUM(Totaled) > 0 THEN SUM(Income) END, COALESCE(SUM(%1), 0) FROM %2 "
                          "WHERE %3")
        .arg(chosen, kept_figures::table(),
             ofGrouping(column.isEmpty() ? kept_figures::allSales() : kept_figures::byColumn(column)));
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
        key += QStringLiteral(" WHEN %1 THEN %2").arg(holds(QStringLiteral("Value"), categories[i])).arg(i);
    }
    key += QStringLiteral(" END");
    return QStringLiteral("SELECT %1, %2 FROM %3 WHERE %4 AND Value IN (%5) GROUP BY %1")
        .arg(key, distinctCount(), kept_figures::table(), ofGrouping(kept_figures::distinctUnder(column, kClient)),
             quotedList(categories));
}

QString clientsPerStoredCategory(const QString& column)
{
    return groupsByName(kept_figures::distinctUnder(column, kClient), QStringLiteral("Value"), column,
                        {distinctCount()}, QStringLiteral("Value <> ''"));
}

QString clientsOfCategory(const QString& column, const QString& category)
{
    return groupsByName(kept_figures::distinctUnder(column, kClient), QStringLiteral("Counted"), kClient, {},
                        holds(QStringLiteral("Value"), category));
}

QString soldClients()
{
    return groupsByName(kept_figures::allClients(), QStringLiteral("Counted"), kClient, {});
}

QString closingRatioFigures()
{
    // Reference IDs compare as the column does, without regard to case; the
    // database keeps their number per rep.
    const QString rep = QStringLiteral("SalesRep");
    return groupsByName(kept_figures::byColumn(rep), QStringLiteral("Value"), rep, {},
                        QStringLiteral("Value <> '' AND Value <> 'None'"),
                        {QStringLiteral("(SELECT n.Sales FROM %1 n WHERE n.%2 AND n.Value = g.name)")
                             .arg(kept_figures::table(),
                                  ofGrouping(kept_figures::countOf(rep, QStringLiteral("ReferenceID")))),
                         QStringLiteral("(SELECT COUNT(*) FROM Mervalis c WHERE c.LeadGivenTo = g.name)")});
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
