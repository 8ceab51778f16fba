#pragma once

#include <QString>
#include <QStringList>

// The SQL texts of the Analysis tab, all in one place. Every value between
// quotes goes through quoted(); column names come only from the fixed lists
// below. The texts are standard SQL for SQLite and PostgreSQL alike.
//
// Two kinds of text live here:
// - the record sources that the analyses leave in the sales and clients data
//   controls, so that the grids show what the analysis last looked at;
// - the figure statements, each computing a whole figure list in the
//   database (sums, counts, distinct values) from the figures it keeps of
//   the sales (data/kept_figures.h), a few rows per category, instead of
//   reading every sale. They give what the same statement over the sales
//   gives.
//
// Money sums come back as whole ten-thousandths (fixed point, four decimals).
// Names compare as the database compares text, without regard to case, as
// every look-up of the ledger does: client counts, entity filters and lead
// look-ups, and categories taken from the stored sales, where "Ann" and "ann"
// are one category shown with the spelling of its first sale, so that the
// categories still add up to the total. On SQLite only A to Z fold (NOCASE);
// on PostgreSQL every letter does (citext).
namespace mervalis::analysis_sql {

// The sale columns an analysis may select or group by: AssociatedCompany,
// ClientName, ProductService, MarketingTool, SalesRep.
bool isEntityColumn(const QString& column);
// The values of such a column in the stored sales, each once, in the order of
// the first sale holding it (the entity chooser's list). One column.
QString entityNames(const QString& column);

// Record sources left in Adodc2 by the monthly analyses: the sales of one
// month of a year, of all sales or of one entity.
QString monthSales(int month, const QString& year);
QString monthSalesOf(int month, const QString& year, const QString& column, const QString& entity);

// Month, income (ten-thousandths) and number of sales of each month 1 to 12
// of a year that has sales; `column` empty for all sales, else the sales
// whose column holds `entity`.
QString monthlyFigures(const QString& year, const QString& column, const QString& entity);

// Category (empty for no value), income of the category (a sale without a
// value adds nothing) and income of all its sales, one row per category in
// the order of its first sale; `year` limits the sales unless it is null.
// Sales without a value and those with an empty one come as two rows.
QString categoryIncome(const QString& column, const QString& year = QString());
// The same per year, in ascending order of the year.
QString yearIncome();
// Grand total of all sales (NULL when no sale has a total) and the total of
// the sales whose column holds `entity` (0 when `column` is empty).
QString grandAndEntityIncome(const QString& column, const QString& entity);
// Record sources the comparisons leave in Adodc2.
QString salesOfYear(const QString& year);
QString salesByYear();
QString incomeOfYear(const QString& year);
QString incomeOfYearFor(const QString& year, const QString& column, const QString& category);
QString incomeOf(const QString& column, const QString& category);
QString totalIncome();

// The number of distinct client names (an empty or missing name counting as
// one name) of the sales in each of the fixed `categories` of `column`: key
// (the category's index) and count, categories without sales left out.
QString clientsPerFixedCategory(const QString& column, const QStringList& categories);
// The same for every non-empty value of `column` found in the sales, in the
// order of its first sale: category and count.
QString clientsPerStoredCategory(const QString& column);
// Record source left in Adodc2 by the profile comparisons: the distinct client
// names of the sales whose column holds the category.
QString clientsOfCategory(const QString& column, const QString& category);

// The distinct client names of all sales (Adodc2, conversion ratio).
QString soldClients();
// Sales reps named in the sales other than an empty name and "None", in the
// order of their first sale, with the number of different invoices of each
// (reference IDs compare without regard to case, as invoices do) and the
// number of clients whose lead was given to the rep.
QString closingRatioFigures();
// Record sources left by the closing ratios: the reference IDs of one rep
// (Adodc2) and the clients whose lead was given to the rep (Adodc1).
QString invoicesOfRep(const QString& rep);
QString leadsOf(const QString& rep);

}  // namespace mervalis::analysis_sql
