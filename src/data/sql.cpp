#include "data/sql.h"

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
    if (!value) return column + QStringLiteral(" IS NULL");
    // A quoted number takes the column's kind on both engines, so that it
    // compares as a number.
    return number ? QStringLiteral("%1 = %2").arg(column, quoted(*value)) : exactlyEquals(column, *value);
}

}  // namespace mervalis
