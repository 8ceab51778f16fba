#pragma once

#include "data/money.h"

#include <QString>
#include <QStringList>

namespace mervalis {

class DataControl;

// The figure lists of the Analysis tab, each computed by one statement of
// analysis_sql in the database, asked through the sales data control without
// changing what it holds. Every function answers false when the database
// refused the statement (the data control has told the user) and leaves its
// outputs as they were.
namespace figures {

// Twelve figures of a year, January first, as the texts the value list holds:
// the income of each month (fixed point, "0" for a month without sales) and
// the number of its sales.
struct Monthly {
    QStringList income;
    QStringList counts;
};
// `column` empty: all sales of the year; else the sales whose column holds
// `entity` (compared without regard to case, as the database compares text).
bool monthly(DataControl& sales, const QString& year, const QString& column, const QString& entity, Monthly* out);

// Categories paired with their figures, in list order; `total` is the sum of
// every sale counted (comparisons over all years show it as a last column).
struct Categories {
    QStringList labels;
    QStringList values;
    Currency total;
};
// The income of each value of a sale column (values that differ only in case
// are one category, named as its first sale names it; a sale without a value
// falls under the empty category and adds 0 to it), in the order of the first
// sale; `year` null for all years.
bool incomePerCategory(DataControl& sales, const QString& column, const QString& year, Categories* out);
// The income of each year, in ascending order.
bool incomePerYear(DataControl& sales, Categories* out);

// The income of all years and of one value of a column, with its share.
struct Share {
    bool anyTotal = false;  // false when no sale has a total (an empty ledger)
    Currency total;
    Currency value;
    Currency percent;  // value / total x 100 to two decimals; 0 when value is 0
};
bool incomeShare(DataControl& sales, const QString& column, const QString& entity, Share* out);

// The number of distinct clients sold to under each fixed category of a sale
// column (sexes, income bands, ages), one count text per category, zeros
// included.
bool clientsPerFixedCategory(DataControl& sales, const QString& column, const QStringList& categories,
                             QStringList* counts);
// The same for each non-empty value of the column found in the sales.
bool clientsPerStoredCategory(DataControl& sales, const QString& column, Categories* out);

// Each sales rep (named in the sales, not empty, not "None") with the share of
// invoices made to leads given (leads taken as 1 when none).
bool closingRatios(DataControl& sales, QStringList* reps, QStringList* ratios);

// part / whole x 100, kept to four decimals, then rounded to two, a half to
// the even neighbour.
Currency percentage(double part, double whole);

}  // namespace figures
}  // namespace mervalis
