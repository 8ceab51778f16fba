#pragma once

#include <QDate>
#include <QString>

namespace mervalis {

// The machine's short date format, always with a four-digit year: a two-digit
// year would be read back in the wrong century.
QString shortDateFormat();
QString shortDateText(const QDate& date);
// Reads a date written in the short date format; an invalid QDate when the
// text is not one.
QDate readShortDate(const QString& text);

}  // namespace mervalis
