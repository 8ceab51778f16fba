#include "data/sql.h"

#include <QRegularExpression>

namespace mervalis {

QString sqlEscape(const QString& value)
{
    QString escaped = value;
    escaped.replace(QLatin1Char('\''), QLatin1String("''"));
    return escaped;
}

QString quoted(const QString& value)
{
    return QLatin1Char('\'') + sqlEscape(value) + QLatin1Char('\'');
}

QString countRows(const QString& table)
{
    return QStringLiteral("SELECT COUNT(*) FROM %1").arg(table);
}

QString exactText(const QString& column)
{
    return QStringLiteral("(%1 || '')").arg(column);
}

QString exactlyEquals(const QString& column, const QString& value)
{
    const QString literal = quoted(value);
    return QStringLiteral("(%1 = %2 AND %3 = %2)").arg(column, literal, exactText(column));
}

QString holdsValue(const QString& column, const std::optional<QString>& value, bool number)
{
    static const QRegularExpression numeral(QStringLiteral("^[+-]?([0-9]+[.]?[0-9]*|[.][0-9]+)([eE][+-]?[0-9]+)?$"));
    if (!value) return column + QStringLiteral(" IS NULL");
    if (!number) return exactlyEquals(column, *value);
    // The SQLite driver reads a stored double to 15 digits, so a number
    // holds its value read to within its last digit.
    if (numeral.match(*value).hasMatch()) return QStringLiteral("ABS(%1 - %2) <= ABS(%2) * 1e-14").arg(column, *value);
    // Anything else compares as the database converts it.
    return QStringLiteral("%1 = %2").arg(column, quoted(*value));
}

QString wholeNumberOf(const QString& column, bool postgres)
{
    if (postgres) return QStringLiteral("(CASE WHEN %1 ~ '^[0-9]+$' THEN CAST(CAST(%1 AS TEXT) AS NUMERIC) END)").arg(column);
    return QStringLiteral("(CASE WHEN %1 GLOB '[0-9]*' AND %1 NOT GLOB '*[^0-9]*' THEN CAST(%1 AS INTEGER) END)")
        .arg(column);
}

}  // namespace mervalis
