#include "data/money.h"

#include <QLocale>
#include <QRegularExpression>

#include <cmath>

namespace mervalis {

namespace {

// The shortest decimal text that reads back as the value, in fixed notation.
QString shortestText(double value)
{
    return QString::number(value, 'f', QLocale::FloatingPointShortest);
}

// The value rounded to `places` decimals, ties to even, reading it as the
// decimal number it prints as; answered as a whole number of 10^-places.
long long roundedUnits(double value, int places)
{
    const QString text = shortestText(std::fabs(value));
    const qsizetype point = text.indexOf(QLatin1Char('.'));
    const QString whole = point < 0 ? text : text.left(point);
    QString fraction = point < 0 ? QString() : text.mid(point + 1);
    while (fraction.size() < places) fraction.append(QLatin1Char('0'));
    long long scale = 1;
    for (int i = 0; i < places; ++i) scale *= 10;
    long long units = whole.toLongLong() * scale + fraction.left(places).toLongLong();
    const QString rest = fraction.mid(places);
    if (!rest.isEmpty()) {
        const QChar first = rest.at(0);
        bool moreThanHalf = false;
        for (qsizetype i = 1; i < rest.size() && !moreThanHalf; ++i) moreThanHalf = rest.at(i) != QLatin1Char('0');
        if (first > QLatin1Char('5') || (first == QLatin1Char('5') && (moreThanHalf || units % 2 == 1))) ++units;
    }
    return value < 0 ? -units : units;
}

}  // namespace

double roundMoney(double value)
{
    if (!std::isfinite(value) || std::fabs(value) >= 1e15) return value;
    return static_cast<double>(roundedUnits(value, 2)) / 100.0;
}

QString numberText(double value)
{
    if (value == 0) return QStringLiteral("0");
    return shortestText(value);
}

bool readNumber(const QString& text, double* value)
{
    static const QRegularExpression plain(QStringLiteral("^\\s*[+-]?(\\d+\\.?\\d*|\\.\\d+)\\s*$"));
    if (!plain.match(text).hasMatch()) return false;
    bool ok = false;
    const double number = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(number)) return false;
    *value = number;
    return true;
}

bool readCurrency(const QString& text, CurrencyUnits* units)
{
    bool ok = false;
    const double number = text.trimmed().toDouble(&ok);
    // The range of a currency amount: about 922 billion million / 10,000.
    if (!ok || !std::isfinite(number) || std::fabs(number) >= 9e14) return false;
    *units = roundedUnits(number, 4);
    return true;
}

QString currencyText(CurrencyUnits units)
{
    const CurrencyUnits magnitude = units < 0 ? -units : units;
    QString text = QString::number(magnitude / 10000);
    QString fraction = QStringLiteral("%1").arg(magnitude % 10000, 4, 10, QLatin1Char('0'));
    while (fraction.endsWith(QLatin1Char('0'))) fraction.chop(1);
    if (!fraction.isEmpty()) text += QLatin1Char('.') + fraction;
    return units < 0 ? QLatin1Char('-') + text : text;
}

Currency Currency::fromDouble(double value)
{
    if (!std::isfinite(value) || std::fabs(value) >= 9e14) return Currency();
    return Currency(roundedUnits(value, 4));
}

bool Currency::fromDoubleCents(double value, Currency* amount)
{
    if (!std::isfinite(value) || std::fabs(value) >= static_cast<double>(kLimit / kScale)) return false;
    const CurrencyUnits cents = roundedUnits(value, 2);
    if (!inRange(cents * 100)) return false;
    *amount = Currency(cents * 100);
    return true;
}

bool Currency::add(Currency a, Currency b, Currency* sum)
{
    CurrencyUnits units = 0;
    if (__builtin_add_overflow(a.units_, b.units_, &units) || !inRange(units)) return false;
    *sum = Currency(units);
    return true;
}

bool Currency::subtract(Currency a, Currency b, Currency* difference)
{
    CurrencyUnits units = 0;
    if (__builtin_sub_overflow(a.units_, b.units_, &units) || !inRange(units)) return false;
    *difference = Currency(units);
    return true;
}

bool Currency::read(const QString& text, Currency* amount)
{
    CurrencyUnits units = 0;
    if (!readCurrency(text, &units)) return false;
    *amount = Currency(units);
    return true;
}

Currency Currency::roundedToCents() const
{
    const CurrencyUnits magnitude = units_ < 0 ? -units_ : units_;
    CurrencyUnits cents = magnitude / 100;
    const CurrencyUnits rest = magnitude % 100;
    if (rest > 50 || (rest == 50 && cents % 2 != 0)) ++cents;
    return Currency((units_ < 0 ? -cents : cents) * 100);
}

}  // namespace mervalis
