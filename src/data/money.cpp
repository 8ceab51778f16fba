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

}  // namespace mervalis
