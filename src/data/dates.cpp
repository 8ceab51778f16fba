#include "data/dates.h"

#include <QLocale>
#include <QRegularExpression>

namespace mervalis {

QString shortDateFormat()
{
    QString format = QLocale::system().dateFormat(QLocale::ShortFormat);
    static const QRegularExpression years(QStringLiteral("y+"));
    format.replace(years, QStringLiteral("yyyy"));
    return format;
}

QString shortDateText(const QDate& date)
{
    return QLocale::system().toString(date, shortDateFormat());
}

QDate readShortDate(const QString& text)
{
    const QString trimmed = text.trimmed();
    QDate date = QLocale::system().toDate(trimmed, shortDateFormat());
    if (!date.isValid()) date = QDate::fromString(trimmed, Qt::ISODate);
    return date;
}

}  // namespace mervalis
