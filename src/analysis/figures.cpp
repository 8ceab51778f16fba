#include "analysis/figures.h"

#include "analysis/analysis_sql.h"
#include "data/data_control.h"
#include "data/row_block.h"

#include <QList>

namespace mervalis::figures {

namespace {

// A whole number the database returned; NULL and anything else read as 0.
qint64 wholeNumber(const RowBlock& rows, int row, int column)
{
    if (rows.isNull(row, column)) return 0;
    const QString text = rows.value(row, column).trimmed();
    bool ok = false;
    const qint64 n = text.toLongLong(&ok);
    if (ok) return n;
    // Some engines answer a whole sum as a decimal ("1050000.0").
    const double d = text.toDouble(&ok);
    return ok ? static_cast<qint64>(d) : 0;
}

Currency amount(const RowBlock& rows, int row, int column)
{
    return Currency::fromUnits(wholeNumber(rows, row, column));
}

}  // namespace

bool monthly(DataControl& sales, const QString& year, const QString& column, const QString& entity, Monthly* out)
{
    RowBlock rows;
    if (!sales.lookUp(analysis_sql::monthlyFigures(year, column, entity), rows)) return false;
    Monthly result;
    for (int m = 0; m < 12; ++m) {
        result.income << QStringLiteral("0");
        result.counts << QStringLiteral("0");
    }
    for (int r = 0; r < rows.rowCount(); ++r) {
        bool ok = false;
        const int month = rows.value(r, 0).toInt(&ok);
        if (!ok || month < 1 || month > 12) continue;
        result.income[month - 1] = amount(rows, r, 1).text();
        result.counts[month - 1] = QString::number(wholeNumber(rows, r, 2));
    }
    *out = result;
    return true;
}

namespace {

bool readCategories(DataControl& sales, const QString& sql, Categories* out)
{
    RowBlock rows;
    if (!sales.lookUp(sql, rows)) return false;
    Categories result;
    QList<Currency> values;
    for (int r = 0; r < rows.rowCount(); ++r) {
        // Sales without a value fall under the empty category with those
        // whose value is empty.
        const QString label = rows.value(r, 0);
        qsizetype at = label.isEmpty() ? result.labels.indexOf(label) : -1;
        if (at < 0) {
            at = result.labels.size();
            result.labels << label;
            values << Currency();
        }
        values[at] += amount(rows, r, 1);
        result.total += amount(rows, r, 2);
    }
    for (const Currency& value : values) result.values << value.text();
    *out = result;
    return true;
}

}  // namespace

bool incomePerCategory(DataControl& sales, const QString& column, const QString& year, Categories* out)
{
    return readCategories(sales, analysis_sql::categoryIncome(column, year), out);
}

bool incomePerYear(DataControl& sales, Categories* out)
{
    return readCategories(sales, analysis_sql::yearIncome(), out);
}

bool incomeShare(DataControl& sales, const QString& column, const QString& entity, Share* out)
{
    RowBlock rows;
    if (!sales.lookUp(analysis_sql::grandAndEntityIncome(column, entity), rows)) return false;
    Share share;
    if (rows.rowCount() > 0) {
        share.anyTotal = !rows.isNull(0, 0);
        share.total = amount(rows, 0, 0);
        share.value = amount(rows, 0, 1);
    }
    if (!share.value.isZero() && !share.total.isZero()) {
        share.percent = percentage(share.value.toDouble(), share.total.toDouble());
    }
    *out = share;
    return true;
}

bool clientsPerFixedCategory(DataControl& sales, const QString& column, const QStringList& categories,
                             QStringList* counts)
{
    QStringList result;
    for (qsizetype i = 0; i < categories.size(); ++i) result << QStringLiteral("0");
    if (!categories.isEmpty()) {
        RowBlock rows;
        if (!sales.lookUp(analysis_sql::clientsPerFixedCategory(column, categories), rows)) return false;
        for (int r = 0; r < rows.rowCount(); ++r) {
            bool ok = false;
            const int key = rows.value(r, 0).toInt(&ok);
            if (ok && key >= 0 && key < result.size()) result[key] = QString::number(wholeNumber(rows, r, 1));
        }
    }
    *counts = result;
    return true;
}

bool clientsPerStoredCategory(DataControl& sales, const QString& column, Categories* out)
{
    RowBlock rows;
    if (!sales.lookUp(analysis_sql::clientsPerStoredCategory(column), rows)) return false;
    Categories result;
    for (int r = 0; r < rows.rowCount(); ++r) {
        result.labels << rows.value(r, 0);
        result.values << QString::number(wholeNumber(rows, r, 1));
    }
    *out = result;
    return true;
}

bool closingRatios(DataControl& sales, QStringList* reps, QStringList* ratios)
{
    RowBlock rows;
    if (!sales.lookUp(analysis_sql::closingRatioFigures(), rows)) return false;
    QStringList names;
    QStringList values;
    for (int r = 0; r < rows.rowCount(); ++r) {
        const qint64 sold = wholeNumber(rows, r, 1);
        const qint64 given = wholeNumber(rows, r, 2);
        names << rows.value(r, 0);
        values << percentage(static_cast<double>(sold), static_cast<double>(given == 0 ? 1 : given)).text();
    }
    *reps = names;
    *ratios = values;
    return true;
}

Currency percentage(double part, double whole)
{
    if (whole == 0) return Currency();
    return Currency::fromDouble(part / whole * 100).roundedToCents();
}

}  // namespace mervalis::figures
