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

}  // namespace mervalis
