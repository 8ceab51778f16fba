#include "data/tax_details.h"

#include "data/database.h"
#include "data/row_block.h"
#include "data/sql.h"
#include "data/tax_codes.h"

namespace mervalis {

namespace {

using Field = TaxDetailsProblem::Field;

// The columns beside ID, Kind and Name, and the member each holds.
struct Column {
    const char* name;
    QString TaxDetails::*member;
};
const Column kColumns[] = {
    {"VATID", &TaxDetails::vatId}, {"CountryCode", &TaxDetails::countryCode},
    {"Currency", &TaxDetails::currency}, {"IBAN", &TaxDetails::iban},
    {"BIC", &TaxDetails::bic}, {"BuyerReference", &TaxDetails::buyerReference},
};

// A column holds `value`, case and all; an empty text and no value are one.
QString holds(const QString& column, const QString& value)
{
    return exactlyEquals(QStringLiteral("COALESCE(%1, '')").arg(column), value);
}

}  // namespace

QList<TaxDetailsProblem> checkTaxDetails(TaxParty party, TaxDetails* d)
{
    for (QString* code : {&d->vatId, &d->countryCode, &d->currency, &d->iban, &d->bic}) *code = compactCode(*code);
    d->buyerReference = d->buyerReference.trimmed();
    const bool company = party == TaxParty::Company;
    QList<TaxDetailsProblem> problems;
    if (d->vatId.isEmpty()) {
        if (company) {
            problems << TaxDetailsProblem{Field::VatId,
                                          QStringLiteral("The VAT ID is missing: every e-invoice names the VAT ID "
                                                         "of the company that bills, such as DE123456789.")};
        }
    } else if (!hasVatPrefix(d->vatId)) {
        problems << TaxDetailsProblem{
            Field::VatId, QStringLiteral("The VAT ID \"%1\" does not start with a country prefix: it begins with the "
                                         "two letters of the country that issued it, such as DE123456789 or "
                                         "FR12345678901 (EL for Greece).")
                              .arg(d->vatId)};
    }
    if (d->countryCode.isEmpty()) {
        problems << TaxDetailsProblem{Field::CountryCode,
                                      QStringLiteral("The country code is missing: type the two letters of the "
                                                     "country of the address, such as DE for Germany.")};
    } else if (!isCountryCode(d->countryCode)) {
        problems << TaxDetailsProblem{Field::CountryCode,
                                      QStringLiteral("The country code \"%1\" is not in the ISO 3166 list: type the "
                                                     "two letters of the country, such as DE for Germany, FR for "
                                                     "France or GB for the United Kingdom.")
                                          .arg(d->countryCode)};
    }
    if (company && d->currency.isEmpty()) {
        problems << TaxDetailsProblem{Field::Currency,
                                      QStringLiteral("The currency is missing: type the three letters of the "
                                                     "currency the company bills in, such as EUR or GBP.")};
    } else if (!d->currency.isEmpty() && !isCurrencyCode(d->currency)) {
        problems << TaxDetailsProblem{Field::Currency,
                                      QStringLiteral("The currency \"%1\" is not in the ISO 4217 list: type its "
                                                     "three letters, such as EUR, GBP, USD or CHF.")
                                          .arg(d->currency)};
    }
    if (!d->iban.isEmpty() && !isIbanShaped(d->iban)) {
        problems << TaxDetailsProblem{Field::Iban,
                                      QStringLiteral("\"%1\" is not an IBAN: an IBAN starts with the two letters of "
                                                     "its country and two check digits, followed by up to 30 "
                                                     "letters and digits, such as DE89370400440532013000.")
                                          .arg(d->iban)};
    } else if (!d->iban.isEmpty() && !ibanCheckDigitsHold(d->iban)) {
        problems << TaxDetailsProblem{Field::Iban,
                                      QStringLiteral("The IBAN \"%1\" has a typing error: its check digits do not "
                                                     "match the rest. Please copy it again from a bank statement.")
                                          .arg(d->iban)};
    }
    if (!d->bic.isEmpty() && !isBic(d->bic)) {
        problems << TaxDetailsProblem{Field::Bic,
                                      QStringLiteral("\"%1\" is not a BIC: a BIC has 8 or 11 letters and digits, "
                                                     "such as DEUTDEFF or DEUTDEFF500.")
                                          .arg(d->bic)};
    } else if (!d->bic.isEmpty() && d->iban.isEmpty()) {
        problems << TaxDetailsProblem{Field::Iban, QStringLiteral("A BIC goes with an IBAN: type the IBAN too.")};
    }
    return problems;
}

namespace tax_details_table {

QString kindOf(TaxParty party)
{
    return party == TaxParty::Company ? QStringLiteral("company") : QStringLiteral("client");
}

QString selectFor(TaxParty party, const QString& name)
{
    return QStringLiteral("SELECT * FROM MervalisTaxDetails WHERE Kind = %1 AND Name = %2 ORDER BY ID")
        .arg(quoted(kindOf(party)), quoted(name));
}

}  // namespace tax_details_table

bool TaxDetailsStore::fail(const QString& action)
{
    error_ = QStringLiteral("The tax details could not be %1: %2\r\n\r\nA ledger made by an earlier version of "
                            "Mervalis gets their table from mervalis-setup --keep-existing.")
                 .arg(action, database_.lastError());
    return false;
}

bool TaxDetailsStore::read(TaxParty party, const QString& name, std::optional<StoredTaxDetails>* stored)
{
    stored->reset();
    RowBlock rows;
    if (!database_.query(tax_details_table::selectFor(party, name), rows)) return fail(QStringLiteral("read"));
    if (rows.rowCount() == 0) return true;
    StoredTaxDetails found;
    found.id = rows.value(0, rows.columnIndex(QStringLiteral("ID"))).toLongLong();
    for (const Column& column : kColumns) {
        found.details.*column.member = rows.value(0, rows.columnIndex(QLatin1String(column.name)));
    }
    *stored = found;
    return true;
}

TaxDetailsStore::Write TaxDetailsStore::write(TaxParty party, const QString& name,
                                              const std::optional<StoredTaxDetails>& was, const TaxDetails& details)
{
    if (!was) {
        QStringList names{QStringLiteral("Kind"), QStringLiteral("Name")};
        QStringList values{quoted(tax_details_table::kindOf(party)), quoted(name)};
        for (const Column& column : kColumns) {
            names << QLatin1String(column.name);
            values << quoted(details.*column.member);
        }
        if (database_.execute(QStringLiteral("INSERT INTO MervalisTaxDetails (%1) VALUES (%2)")
                                  .arg(names.join(QStringLiteral(", ")), values.join(QStringLiteral(", "))))) {
            return Write::Stored;
        }
        // One row per name: another workstation stored some meanwhile.
        fail(QStringLiteral("stored"));
        std::optional<StoredTaxDetails> now;
        return read(party, name, &now) && now ? Write::Changed : Write::Failed;
    }
    // Only over what was read: each field still holds what was read, or
    // already what is written.
    QStringList assignments, conditions{QStringLiteral("ID = %1").arg(was->id)};
    for (const Column& column : kColumns) {
        const QString field = QLatin1String(column.name);
        assignments << QStringLiteral("%1 = %2").arg(field, quoted(details.*column.member));
        conditions << QStringLiteral("(%1 OR %2)")
                          .arg(holds(field, was->details.*column.member), holds(field, details.*column.member));
    }
    long changed = 0;
    if (!database_.execute(QStringLiteral("UPDATE MervalisTaxDetails SET %1 WHERE %2")
                               .arg(assignments.join(QStringLiteral(", ")), conditions.join(QStringLiteral(" AND "))),
                           &changed)) {
        fail(QStringLiteral("stored"));
        return Write::Failed;
    }
    return changed == 1 ? Write::Stored : Write::Changed;
}

}  // namespace mervalis
