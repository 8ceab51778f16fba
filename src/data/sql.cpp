#include "data/sql.h"

namespace mervalis {

QString sqlEscape(const QString& value)
{
    QString escaped = value;
    escaped.replace(QLatin1Char('\''), QLatin1String("''"));
    return escaped;
}

}  // namespace mervalis
