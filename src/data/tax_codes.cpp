#include "data/tax_codes.h"

#include <QRegularExpression>

namespace mervalis {

namespace {

// The code lists of EN 16931's business rules (version 1.3.16): what an
// e-invoice may name, so that what is accepted here passes there.
const char kCountries[] =
    " 1A AD AE AF AG AI AL AM AN AO AQ AR AS AT AU AW AX AZ BA BB BD BE BF BG BH BI BL BJ BM BN BO"
    " BQ BR BS BT BV BW BY BZ CA CC CD CF CG CH CI CK CL CM CN CO CR CU CV CW CX CY CZ DE DJ DK DM DO"
    " DZ EC EE EG EH ER ES ET FI FJ FK FM FO FR GA GB GD GE GF GG GH GI GL GM GN GP GQ GR GS GT GU GW"
    " GY HK HM HN HR HT HU ID IE IL IM IN IO IQ IR IS IT JE JM JO JP KE KG KH KI KM KN KP KR KW KY KZ"
    " LA LB LC LI LK LR LS LT LU LV LY MA MC MD ME MF MG MH MK ML MM MN MO MP MQ MR MS MT MU MV MW MX"
    " MY MZ NA NC NE NF NG NI NL NO NP NR NU NZ OM PA PE PF PG PH PK PL PM PN PR PS PT PW PY QA RE RO"
    " RS RU RW SA SB SC SD SE SG SH SI SJ SK SL SM SN SO SR ST SV SX SY SZ TC TD TF TG TH TJ TK TL TM"
    " TN TO TR TT TV TW TZ UA UG UM US UY UZ VA VC VE VG VI VN VU WF WS XI YE YT ZA ZM ZW ";

const char kCurrencies[] =
    " AED AFN ALL AMD AOA ARS AUD AWG AZN BAM BBD BDT BHD BIF BMD BND BOB BOV BRL BSD BTN BWP BYN"
    " BZD CAD CDF CHE CHF CHW CLF CLP CNH CNY COP COU CRC CUP CVE CZK DJF DKK DOP DZD EGP ERN ETB EUR"
    " FJD FKP GBP GEL GHS GIP GMD GNF GTQ GYD HKD HNL HTG HUF IDR ILS INR IQD IRR ISK JMD JOD JPY KES"
    " KGS KHR KMF KPW KRW KWD KYD KZT LAK LBP LKR LRD LSL LYD MAD MDL MGA MKD MMK MNT MOP MRU MUR MVR"
    " MWK MXN MXV MYR MZN NAD NGN NIO NOK NPR NZD OMR PAB PEN PGK PHP PKR PLN PYG QAR RON RSD RUB RWF"
    " SAR SBD SCR SDG SEK SGD SHP SLE SOS SRD SSP STD SVC SYP SZL THB TJS TMT TND TOP TRY TTD TWD TZS"
    " UAH UGX USD USN UYI UYU UYW UZS VES VED VND VUV WST XAF XAG XAU XBA XBB XBC XBD XCD XCG XDR XOF"
    " XPD XPF XPT XSU XTS XUA XXX YER ZAR ZMW ZWG ";

bool listed(const char* list, const QString& code, qsizetype length)
{
    if (code.size() != length) return false;
    for (QChar c : code) {
        if (!(c.isDigit() || (c >= QLatin1Char('A') && c <= QLatin1Char('Z')))) return false;
    }
    return QLatin1String(list).contains(QLatin1Char(' ') + code + QLatin1Char(' '));
}

}  // namespace

QString compactCode(const QString& typed)
{
    QString code;
    for (QChar c : typed) {
        if (!c.isSpace()) code += c.toUpper();
    }
    return code;
}

bool isCountryCode(const QString& code) { return listed(kCountries, code, 2); }

bool isCurrencyCode(const QString& code) { return listed(kCurrencies, code, 3); }

bool hasVatPrefix(const QString& vatId)
{
    const QString prefix = vatId.left(2);
    return vatId.size() > 2 && (prefix == QLatin1String("EL") || isCountryCode(prefix));
}

bool isIbanShaped(const QString& iban)
{
    static const QRegularExpression shape(QStringLiteral("^[A-Z]{2}[0-9]{2}[A-Z0-9]{1,30}$"));
    return shape.match(iban).hasMatch() && isCountryCode(iban.left(2));
}

bool ibanCheckDigitsHold(const QString& iban)
{
    if (!isIbanShaped(iban)) return false;
    // The first four characters move to the end, letters count as 10 to 35,
    // and the number is 1 modulo 97.
    const QString moved = iban.mid(4) + iban.left(4);
    int rest = 0;
    for (QChar c : moved) {
        const int value = c.isDigit() ? c.digitValue() : c.unicode() - 'A' + 10;
        rest = (rest * (value < 10 ? 10 : 100) + value) % 97;
    }
    return rest == 1;
}

bool isBic(const QString& bic)
{
    static const QRegularExpression shape(QStringLiteral("^[A-Z]{4}[A-Z]{2}[A-Z0-9]{2}([A-Z0-9]{3})?$"));
    return shape.match(bic).hasMatch() && isCountryCode(bic.mid(4, 2));
}

}  // namespace mervalis
