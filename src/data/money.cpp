#include "data/money.h"

#include <QLocale>
#include <QRegularExpression>

#include <charconv>
#include <clocale>
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

namespace {

// The region's decimal separator and minus sign, read once: the system
// locale does not change while the program runs.
struct RegionalSigns {
    QString point;
    QString group;
    QString minus;
    QString plus;
};

const RegionalSigns& regionalSigns()
{
    static const RegionalSigns signs = [] {
        const QLocale locale = QLocale::system();
        return RegionalSigns{locale.decimalPoint(), locale.groupSeparator(), locale.negativeSign(),
                             locale.positiveSign()};
    }();
    return signs;
}

const QRegularExpression& plainNumber()
{
    static const QRegularExpression plain(QStringLiteral("^[+-]?(\\d+\\.?\\d*|\\.\\d+)$"));
    return plain;
}

}  // namespace

QString numberText(double value)
{
    return shownNumber(storedNumberText(value));
}

QString storedNumberText(double value)
{
    if (value == 0) return QStringLiteral("0");
    return shortestText(value);
}

QString shownNumber(const QString& stored)
{
    const RegionalSigns& signs = regionalSigns();
    if ((signs.point == QLatin1String(".") && signs.minus == QLatin1String("-")) ||
        !plainNumber().match(stored).hasMatch()) {
        return stored;
    }
    QString shown = stored;
    shown.replace(QLatin1Char('.'), signs.point);
    if (shown.startsWith(QLatin1Char('-'))) shown.replace(0, 1, signs.minus);
    return shown;
}

QString numberAdvice()
{
    const QString& point = regionalSigns().point;
    const QString name = point == QLatin1String(".")   ? QStringLiteral("a point")
                         : point == QLatin1String(",") ? QStringLiteral("a comma")
                                                       : QStringLiteral("\"%1\"").arg(point);
    return QStringLiteral("a number such as %1 (%2 before any decimals, no thousands separators)")
        .arg(shownNumber(QStringLiteral("19.99")), name);
}

bool storedNumberOf(const QString& typed, QString* stored)
{
    const RegionalSigns& signs = regionalSigns();
    QString text = typed.trimmed();
    if (text.startsWith(signs.minus)) text.replace(0, signs.minus.size(), QStringLiteral("-"));
    else if (text.startsWith(signs.plus)) text.replace(0, signs.plus.size(), QStringLiteral("+"));
    if (signs.point != QLatin1String(".")) {
        const bool regional = text.contains(signs.point);
        if (regional && text.contains(QLatin1Char('.'))) return false;
        if (regional) {
            text.replace(signs.point, QStringLiteral("."));
        } else if (signs.group == QLatin1String(".")) {
            // "1.500" may mean fifteen hundred here: refused rather than
            // guessed; "1.5" and "1234.5" cannot, and read as decimals.
            static const QRegularExpression grouped(QStringLiteral("^[+-]?\\d{1,3}(\\.\\d{3})+$"));
            if (grouped.match(text).hasMatch()) return false;
        }
    }
    if (!plainNumber().match(text).hasMatch()) return false;
    *stored = text;
    return true;
}

bool readNumber(const QString& typed, double* value)
{
    QString stored;
    if (!storedNumberOf(typed, &stored)) return false;
    bool ok = false;
    const double number = stored.toDouble(&ok);
    if (!ok || !std::isfinite(number)) return false;
    *value = number;
    return true;
}

void keepMachineNumbers()
{
    std::setlocale(LC_NUMERIC, "C");
}

namespace {

bool currencyUnitsOf(double number, CurrencyUnits* units)
{
    // The range of a currency amount: about 922 billion million / 10,000.
    if (!std::isfinite(number) || std::fabs(number) >= 9e14) return false;
    *units = roundedUnits(number, 4);
    return true;
}

}  // namespace

bool readCurrency(const QString& text, CurrencyUnits* units)
{
    bool ok = false;
    const double number = text.trimmed().toDouble(&ok);
    return ok && currencyUnitsOf(number, units);
}

bool readCellCurrency(std::string_view text, CurrencyUnits* units)
{
    double number = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, number);
    return !text.empty() && error == std::errc() && stop == end && currencyUnitsOf(number, units);
}

QString storedCurrencyText(CurrencyUnits units)
{
    const CurrencyUnits magnitude = units < 0 ? -units : units;
    QString text = QString::number(magnitude / 10000);
    QString fraction = QStringLiteral("%1").arg(magnitude % 10000, 4, 10, QLatin1Char('0'));
    while (fraction.endsWith(QLatin1Char('0'))) fraction.chop(1);
    if (!fraction.isEmpty()) text += QLatin1Char('.') + fraction;
    return units < 0 ? QLatin1Char('-') + text : text;
}

QString currencyText(CurrencyUnits units)
{
    return shownNumber(storedCurrencyText(units));
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

bool Currency::read(const QString& shown, Currency* amount)
{
    QString stored;
    CurrencyUnits units = 0;
    if (!storedNumberOf(shown, &stored) || !readCurrency(stored, &units)) return false;
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
