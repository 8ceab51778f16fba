#pragma once

#include "data/money.h"

namespace mervalis {

// The money figures of a sale, as numbers read from what was typed.
struct SaleAmounts {
    double unitPrice = 0;
    double quantity = 0;
    double discount = 0;  // an amount, taken off
    double tax = 0;       // a percentage
    double freight = 0;   // an amount, added before discount and tax
};

// What a sale comes to: the net amount before tax, the tax on it, and the
// total stored as the sale's SubTotal and TotalDue (net + tax, exactly).
struct SaleFigures {
    Currency net;
    Currency tax;
    Currency total;
};

// The total of a sale, every figure and every step rounded to two decimals,
// ties to even: S = R(quantity x price), S + freight, S - discount, then
// tax = R(tax rate x S / 100) and total = S + tax. Freight is thus taxed and
// discounted with the goods. Exact decimal arithmetic, so that the same
// figures always give the same cents. False when a figure or a step leaves
// the range of amounts the ledger adds up.
bool saleFigures(const SaleAmounts& amounts, SaleFigures* figures);

// The tax at `rate` percent on `net`, both to the cent: R(rate x net / 100),
// two decimals, ties to even. False when it leaves the range of amounts.
bool taxAt(Currency rate, Currency net, Currency* tax);

}  // namespace mervalis
