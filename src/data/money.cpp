#include "data/money.h"

#include <QLocale>
#include <QRegularExpression>

#include <cfenv>
#include <cmath>

namespace mervalis {

namespace {

// The shortest decimal text that reads back as the value, in fixed notation.
QString shortestText(double value)
{
    return QString::number(value, 'f', QLocale::FloatingPointShortest);
}

}  // namespace

double roundMoney(double value)
{
    if (!std::isfinite(value) || std::fabs(value) >= 1e15) return value;
    const QString text = shortestText(std::fabs(value));
    const qsizetype point = text.indexOf(QLatin1Char('.'));
    const QString whole = point < 0 ? text : text.left(point);
    QString fraction = point < 0 ? QString() : text.mid(point + 1);
    while (fraction.size() < 2) fraction.append(QLatin1Char('0'));
    long long cents = whole.toLongLong() * 100 + fraction.left(2).toLongLong();
    const QString rest = fraction.mid(2);
    if (!rest.isEmpty()) {
        const QChar first = rest.at(0);
        bool moreThanHalf = false;
        for (qsizetype i = 1; i < rest.size() && !moreThanHalf; ++i) moreThanHalf = rest.at(i) != QLatin1Char('0');
        if (first > QLatin1Char('5') || (first == QLatin1Char('5') && (moreThanHalf || cents % 2 == 1))) ++cents;
    }
    const double rounded = static_cast<double>(cents) / 100.0;
    return value < 0 ? -rounded : rounded;
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

namespace {

// Divides by a power of ten, rounding a half to the even neighbour.
qint64 divideHalfEven(qint64 value, qint64 divisor)
{
    qint64 quotient = value / divisor;
    const qint64 remainder = value % divisor;
    const qint64 twice = 2 * (remainder < 0 ? -remainder : remainder);
    const int sign = value < 0 ? -1 : 1;
    if (twice > divisor || (twice == divisor && quotient % 2 != 0)) quotient += sign;
    return quotient;
}

}  // namespace

Currency Currency::fromDouble(double value)
{
    if (!std::isfinite(value)) return Currency();
    // nearbyint rounds in the current mode, which is to nearest, ties to even.
    const int mode = std::fegetround();
    std::fesetround(FE_TONEAREST);
    const double scaled = std::nearbyint(value * kScale);
    std::fesetround(mode);
    return Currency(static_cast<qint64>(scaled));
}

bool Currency::read(const QString& text, Currency* amount)
{
    static const QRegularExpression plain(QStringLiteral("^\\s*([+-]?)(\\d*)(?:\\.(\\d*))?\\s*$"));
    const QRegularExpressionMatch match = plain.match(text);
    if (!match.hasMatch() || (match.captured(2).isEmpty() && match.captured(3).isEmpty())) return false;
    const QString whole = match.captured(2);
    QString fraction = match.captured(3);
    if (whole.size() > 12) return false;  // beyond a trillion the units would overflow
    // Keep one digit past the fourth decimal to round on, and whether any
    // further digit is not zero.
    bool moreDigits = false;
    for (qsizetype i = 5; i < fraction.size(); ++i) moreDigits = moreDigits || fraction.at(i) != QLatin1Char('0');
    fraction = fraction.left(5).leftJustified(5, QLatin1Char('0'));
    // Two digits past the fourth decimal: the fifth, and a sticky digit that
    // is 1 when any later digit is not zero (so 0.000051 is above the half).
    const qint64 scaled = (whole.toLongLong() * kScale * 10 + fraction.toLongLong()) * 10 + (moreDigits ? 1 : 0);
    qint64 units = divideHalfEven(scaled, 100);
    if (match.captured(1) == QLatin1String("-")) units = -units;
    *amount = Currency(units);
    return true;
}

Currency Currency::roundedToCents() const
{
    return Currency(divideHalfEven(units_, 100) * 100);
}

QString Currency::text() const
{
    const qint64 magnitude = units_ < 0 ? -units_ : units_;
    QString result = QString::number(magnitude / kScale);
    qint64 fraction = magnitude % kScale;
    if (fraction != 0) {
        QString digits = QString::number(fraction).rightJustified(4, QLatin1Char('0'));
        while (digits.endsWith(QLatin1Char('0'))) digits.chop(1);
        result += QLatin1Char('.') + digits;
    }
    return units_ < 0 ? QLatin1Char('-') + result : result;
}

}  // namespace mervalis
