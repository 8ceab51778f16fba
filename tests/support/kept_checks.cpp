#include "support/kept_checks.h"

#include "analysis/analysis_sql.h"
#include "data/kept_figures.h"
#include "data/sales_table.h"
#include "data/sql.h"
#include "receivables/outstanding_invoices.h"


#include <algorithm>

namespace mervalis::test {

namespace {

namespace sql = analysis_sql;

const QString kUnits = QStringLiteral("CAST(ROUND(SubTotal * 10000) AS BIGINT)");

// Straight from the sales: groups of what `column` holds, as the database
// compares text, in the order of their first sale, named as that sale names
// them.
QString groups(const QString& column, const QStringList& figures, const QString& where = {},
               const QStringList& perGroup = {})
{
    QStringList inner{QStringLiteral("MIN(ID) AS first"), QStringLiteral("MIN(%1) AS name").arg(column)};
    QStringList outer{QStringLiteral("(SELECT f.%1 FROM Mervalis2 f WHERE f.ID = g.first)").arg(column)};
    for (qsizetype i = 0; i < figures.size(); ++i) {
        inner << QStringLiteral("%1 AS figure%2").arg(figures[i]).arg(i);
        outer << QStringLiteral("g.figure%1").arg(i);
    }
    return QStringLiteral("SELECT %1 FROM (SELECT %2 FROM Mervalis2%3 GROUP BY %4) AS g ORDER BY g.first")
        .arg((outer + perGroup).join(", "), inner.join(", "), where.isEmpty() ? QString() : " WHERE " + where, column);
}

QString distinct(const QString& column)
{
    return QStringLiteral("COUNT(DISTINCT %1) + MAX(CASE WHEN %1 IS NULL THEN 1 ELSE 0 END)").arg(column);
}

QString months()
{
    QStringList list;
    for (int m = 1; m <= 12; ++m) list << quoted(QString::number(m));
    return list.join(", ");
}

struct Check {
    QString analysis;
    QString kept;
    QString direct;
    bool ordered = true;
};

// What is owed per reference ID, client and company, straight from the sales.
QString owed(bool postgres)
{
    const QString owing = postgres ? "PAID IS DISTINCT FROM 'PAID'" : "PAID IS NOT 'PAID'";
    const QString date = postgres ? QStringLiteral("%1 * 10000 + %2 * 100 + Day")
                                        .arg(wholeNumberOf("Year", true), wholeNumberOf("Month", true))
                                  : "Year * 10000 + Month * 100 + Day";
    QStringList keys{"ReferenceID", "ClientName", "AssociatedCompany"};
    QStringList named;
    for (QString& key : keys) {
        named << QStringLiteral("(SELECT f.%1 FROM Mervalis2 f WHERE f.ID = g.first)").arg(key);
        if (postgres) key = "lower(" + key + "::text)";
    }
    return QStringLiteral("SELECT %1, %2, g.n, %3, g.d FROM (SELECT MIN(ID) AS first, SUM(CASE WHEN %4 THEN 1 ELSE 0 "
                          "END) AS n, SUM(CASE WHEN %4 THEN COALESCE(%5, 0) ELSE 0 END) AS due, MIN(%6) AS d FROM Mervalis2 GROUP "
                          "BY %7) AS g WHERE g.n > 0")
        .arg(named[1], named[0] + ", " + named[2], postgres ? "ROUND(g.due / 10000, 4)" : "g.due / 10000.0", owing,
             kUnits, date, keys.join(", "));
}

std::vector<Check> checks(const QString& e, bool postgres)
{
    const QString year = QStringLiteral("2004");
    const QString is = QStringLiteral(" = ") + quoted(e);
    std::vector<Check> list{
        {"monthly figures of all sales", sql::monthlyFigures(year, {}, {}),
         QStringLiteral("SELECT Month, COALESCE(SUM(%1), 0), COUNT(*) FROM Mervalis2 WHERE Year = '2004' AND Month "
                        "IN (%2) GROUP BY Month").arg(kUnits, months()), false},
        {"income per year", sql::yearIncome(),
         QStringLiteral("SELECT COALESCE(y, ''), SUM(a), SUM(b) FROM (SELECT (Year || '') AS y, COALESCE(SUM(CASE "
                        "WHEN Year IS NULL THEN 0 ELSE %1 END), 0) AS a, COALESCE(SUM(%1), 0) AS b FROM Mervalis2 "
                        "GROUP BY (Year || '')) AS t GROUP BY COALESCE(y, '') ORDER BY COALESCE(y, '')").arg(kUnits)},
        {"total income", sql::grandAndEntityIncome({}, {}), QStringLiteral("SELECT SUM(%1), 0 FROM Mervalis2").arg(kUnits)},
        {"sold clients", sql::soldClients(), groups("ClientName", {})},
        {"closing ratios", sql::closingRatioFigures(),
         groups("SalesRep", {distinct("ReferenceID")}, "SalesRep <> '' AND SalesRep <> 'None'",
                {"(SELECT COUNT(*) FROM Mervalis c WHERE c.LeadGivenTo = g.name)"})},
        {"reference IDs", sales_table::referenceIds(false, postgres),
         "SELECT (ReferenceID || '') FROM Mervalis2 WHERE (ReferenceID || '') <> '' GROUP BY (ReferenceID || '') "
         "ORDER BY LOWER(MIN(ReferenceID || '')), MIN(ID)"},
        {"reference IDs, last first", sales_table::referenceIds(false, postgres, true),
         "SELECT (ReferenceID || '') FROM Mervalis2 WHERE (ReferenceID || '') <> '' GROUP BY (ReferenceID || '') "
         "ORDER BY LOWER(MIN(ReferenceID || '')) DESC, MIN(ID) DESC"},
        {"unpaid reference IDs", sales_table::referenceIds(true, postgres),
         "SELECT (ReferenceID || '') FROM Mervalis2 WHERE paid = 'unpaid' AND (ReferenceID || '') <> '' GROUP BY "
         "(ReferenceID || '') ORDER BY MIN(ID)"},
        {"outstanding invoices", outstandingInvoicesQuery(postgres), owed(postgres), false},
    };
    for (const QString& c : kept_figures::comparedColumns()) {
        const QStringList income{QStringLiteral("COALESCE(SUM(CASE WHEN %1 IS NULL THEN 0 ELSE %2 END), 0)").arg(c, kUnits),
                                 QStringLiteral("COALESCE(SUM(%1), 0)").arg(kUnits)};
        list.push_back({"values of " + c, sql::entityNames(c), groups(c, {}, c + " IS NOT NULL")});
        list.push_back({"exact values of " + c, sales_table::distinctValues(c),
                        QStringLiteral("SELECT (%1 || '') FROM Mervalis2 WHERE %1 IS NOT NULL GROUP BY (%1 || '') "
                                       "ORDER BY MIN(ID)").arg(c)});
        list.push_back({"income per " + c + " in 2004", sql::categoryIncome(c, year), groups(c, income, "Year = '2004'")});
        list.push_back({"income per " + c + " over all years", sql::categoryIncome(c), groups(c, income)});
        list.push_back({"monthly figures of " + c + is, sql::monthlyFigures(year, c, e),
                        QStringLiteral("SELECT Month, COALESCE(SUM(%1), 0), COUNT(*) FROM Mervalis2 WHERE Year = "
                                       "'2004' AND Month IN (%2) AND %3%4 GROUP BY Month").arg(kUnits, months(), c, is),
                        false});
        list.push_back({"share of " + c + is, sql::grandAndEntityIncome(c, e),
                        QStringLiteral("SELECT SUM(%1), COALESCE(SUM(CASE WHEN %2%3 THEN %1 ELSE 0 END), 0) FROM "
                                       "Mervalis2").arg(kUnits, c, is)});
    }
    for (const QString& p : kept_figures::profileColumns()) {
        QStringList categories{e, "", "None", "Ben"};
        QString key = QStringLiteral("CASE");
        for (int i = 0; i < categories.size(); ++i) key += QStringLiteral(" WHEN %1 = %2 THEN %3").arg(p, quoted(categories[i])).arg(i);
        key += QStringLiteral(" END");
        list.push_back({"clients per " + p, sql::clientsPerStoredCategory(p), groups(p, {distinct("ClientName")}, p + " <> ''")});
        list.push_back({"clients per chosen " + p, sql::clientsPerFixedCategory(p, categories),
                        QStringLiteral("SELECT %1, %2 FROM Mervalis2 WHERE %3 IN ('%4', '', 'None', 'Ben') GROUP BY %1")
                            .arg(key, distinct("ClientName"), p, sqlEscape(e)), false});
        list.push_back({"clients of " + p + is, sql::clientsOfCategory(p, e), groups("ClientName", {}, p + is)});
    }
    return list;
}

}  // namespace

void expectKeptFiguresRight(const TestEnvironment& env, const QString& after, const QString& entity)
{
    for (const Check& check : checks(entity, env.onPostgres())) {
        QStringList kept = env.rows(check.kept);
        QStringList direct = env.rows(check.direct);
        if (!check.ordered) {
            std::sort(kept.begin(), kept.end());
            std::sort(direct.begin(), direct.end());
        }
        if (kept == direct) continue;
        qsizetype at = 0;
        while (at < kept.size() && at < direct.size() && kept[at] == direct[at]) ++at;
        ADD_FAILURE() << "After " << after.toStdString() << ", " << check.analysis.toStdString() << ": figure "
                      << at + 1 << " is \"" << kept.value(at, "<none>").toStdString() << "\", the sales give \""
                      << direct.value(at, "<none>").toStdString() << "\" (" << kept.size() << " against "
                      << direct.size() << " figures)";
    }
}

}  // namespace mervalis::test
