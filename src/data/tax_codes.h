#pragma once

#include <QString>

namespace mervalis {

// The codes an EN 16931 e-invoice names its parties, currency and bank
// account by, checked as its business rules check them.

// A code as stored: upper case, without blanks ("de 12 345" gives "DE12345").
QString compactCode(const QString& typed);

// ISO 3166-1 alpha-2, as EN 16931 takes it (with XI for Northern Ireland and
// 1A for Kosovo): "DE", "FR".
bool isCountryCode(const QString& code);
// ISO 4217: "EUR", "GBP".
bool isCurrencyCode(const QString& code);
// A VAT ID starts with the prefix of the country that issued it (a country
// code, or EL for Greece) followed by its number: "DE123456789".
bool hasVatPrefix(const QString& vatId);
// An IBAN: a country code, two check digits and up to 30 letters and digits,
// compact. `checkDigitsHold` tells whether its check digits match the rest
// (ISO 7064 mod 97-10).
bool isIbanShaped(const QString& iban);
bool ibanCheckDigitsHold(const QString& iban);
// A BIC: bank (4 letters), country (2 letters), place (2 letters or digits)
// and an optional branch (3 letters or digits).
bool isBic(const QString& bic);

}  // namespace mervalis
