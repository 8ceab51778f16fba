#include "data/sale_amounts.h"

namespace mervalis {

namespace {

__extension__ using Wide = __int128;

// n / d rounded to a whole number, ties to even (d > 0).
Wide dividedTiesToEven(Wide n, Wide d)
{
    const Wide magnitude = n < 0 ? -n : n;
    Wide quotient = magnitude / d;
    const Wide twiceRest = (magnitude % d) * 2;
    if (twiceRest > d || (twiceRest == d && quotient % 2 != 0)) ++quotient;
    return n < 0 ? -quotient : quotient;
}

// Cents as a currency amount, when in range.
bool fromCents(Wide cents, Currency* amount)
{
    const Wide units = cents * 100;
    if (units <= -Currency::kLimit || units >= Currency::kLimit) return false;
    *amount = Currency::fromUnits(static_cast<CurrencyUnits>(units));
    return true;
}

Wide cents(Currency amount) { return amount.units() / 100; }

}  // namespace

bool taxAt(Currency rate, Currency net, Currency* tax)
{
    // The rate in hundredths of a percent times cents is the tax in
    // ten-thousandths of a cent.
    return fromCents(dividedTiesToEven(cents(rate.roundedToCents()) * cents(net.roundedToCents()), 10000), tax);
}

bool saleFigures(const SaleAmounts& amounts, SaleFigures* figures)
{
    Currency price, quantity, discount, rate, freight;
    if (!Currency::fromDoubleCents(amounts.unitPrice, &price) ||
        !Currency::fromDoubleCents(amounts.quantity, &quantity) ||
        !Currency::fromDoubleCents(amounts.discount, &discount) || !Currency::fromDoubleCents(amounts.tax, &rate) ||
        !Currency::fromDoubleCents(amounts.freight, &freight)) {
        return false;
    }
    // Cents x cents is ten-thousandths of a cent.
    Currency net;
    if (!fromCents(dividedTiesToEven(cents(quantity) * cents(price), 100), &net) ||
        !Currency::add(net, freight, &net) || !Currency::subtract(net, discount, &net)) {
        return false;
    }
    Currency tax;
    if (!taxAt(rate, net, &tax)) return false;
    Currency total;
    if (!Currency::add(net, tax, &total)) return false;
    *figures = SaleFigures{net, tax, total};
    return true;
}

}  // namespace mervalis
