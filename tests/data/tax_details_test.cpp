#include "data/tax_details.h"
#include "support/test_env.h"

#include <gtest/gtest.h>

using namespace mervalis;
using Field = TaxDetailsProblem::Field;

namespace {

QList<Field> fieldsOf(const QList<TaxDetailsProblem>& problems)
{
    QList<Field> fields;
    for (const TaxDetailsProblem& p : problems) fields << p.field;
    return fields;
}

}  // namespace

TEST(TaxDetails, CodesAreCheckedAgainstTheIsoListsVatPrefixesAndIbanCheckDigits)
{
    const TaxDetails good{"de 123 456 789", "de", "eur", "DE89 3704 0044 0532 0130 00", "deutdeff", ""};
    struct Case {
        TaxParty party;
        TaxDetails details;
        QList<Field> wrong;
    };
    auto with = [&](QString TaxDetails::*member, const QString& value) {
        TaxDetails d = good;
        d.*member = value;
        return d;
    };
    const Case cases[] = {
        {TaxParty::Company, good, {}},
        {TaxParty::Company, with(&TaxDetails::countryCode, "XX"), {Field::CountryCode}},
        {TaxParty::Company, with(&TaxDetails::countryCode, "DEU"), {Field::CountryCode}},
        {TaxParty::Company, with(&TaxDetails::currency, "EURO"), {Field::Currency}},
        {TaxParty::Company, with(&TaxDetails::currency, ""), {Field::Currency}},
        {TaxParty::Company, with(&TaxDetails::vatId, "123456789"), {Field::VatId}},
        {TaxParty::Company, with(&TaxDetails::vatId, "EL123456789"), {}},  // Greece
        {TaxParty::Company, with(&TaxDetails::vatId, ""), {Field::VatId}},
        {TaxParty::Company, with(&TaxDetails::iban, "DE88370400440532013000"), {Field::Iban}},  // one digit off
        {TaxParty::Company, with(&TaxDetails::iban, "GB82WEST12345698765432"), {}},
        {TaxParty::Company, with(&TaxDetails::iban, "IBAN DE89"), {Field::Iban}},
        {TaxParty::Company, with(&TaxDetails::bic, "DEUT-DE"), {Field::Bic}},
        {TaxParty::Company, TaxDetails{"DE123456789", "DE", "EUR", "", "DEUTDEFF", ""}, {Field::Iban}},
        {TaxParty::Client, TaxDetails{"", "fr", "", "", "", " PO 17 "}, {}},
        {TaxParty::Client, TaxDetails{"", "", "", "", "", ""}, {Field::CountryCode}},
    };
    for (const Case& c : cases) {
        TaxDetails d = c.details;
        EXPECT_EQ(fieldsOf(checkTaxDetails(c.party, &d)), c.wrong) << d.vatId.toStdString() << d.iban.toStdString();
    }
    TaxDetails d = good;
    ASSERT_TRUE(checkTaxDetails(TaxParty::Company, &d).isEmpty());
    EXPECT_EQ(d, (TaxDetails{"DE123456789", "DE", "EUR", "DE89370400440532013000", "DEUTDEFF", ""}));
}

TEST(TaxDetails, AreStoredPerNameWithoutRegardToCaseAndAWriteHoldsOnlyOverWhatWasRead)
{
    test::TestLedger l;
    TaxDetailsStore a(l.store->database), b(l.store->database);
    std::optional<StoredTaxDetails> readByA, readByB;
    ASSERT_TRUE(a.read(TaxParty::Company, "O'Neill GmbH", &readByA));
    EXPECT_FALSE(readByA);
    const TaxDetails first{"DE123456789", "DE", "EUR", "", "", ""};
    ASSERT_EQ(a.write(TaxParty::Company, "O'Neill GmbH", readByA, first), TaxDetailsStore::Write::Stored);
    // One row per name: a second first write is told, not stored twice.
    EXPECT_EQ(b.write(TaxParty::Company, "o'neill gmbh", readByB, first), TaxDetailsStore::Write::Changed);
    // A client of the same name is another party.
    ASSERT_TRUE(a.read(TaxParty::Client, "O'Neill GmbH", &readByA));
    EXPECT_FALSE(readByA);

    ASSERT_TRUE(a.read(TaxParty::Company, "O'NEILL GMBH", &readByA));
    ASSERT_TRUE(b.read(TaxParty::Company, "o'neill gmbh", &readByB));
    ASSERT_TRUE(readByA);
    EXPECT_EQ(readByA->details, first);
    TaxDetails byB = first;
    byB.iban = "DE89370400440532013000";
    ASSERT_EQ(b.write(TaxParty::Company, "o'neill gmbh", readByB, byB), TaxDetailsStore::Write::Stored);
    TaxDetails byA = first;
    byA.currency = "CHF";
    EXPECT_EQ(a.write(TaxParty::Company, "O'Neill GmbH", readByA, byA), TaxDetailsStore::Write::Changed);
    // Writing again what B wrote holds.
    EXPECT_EQ(a.write(TaxParty::Company, "O'Neill GmbH", readByA, byB), TaxDetailsStore::Write::Stored);
    EXPECT_EQ(l.env.rows("SELECT Kind, Name, Currency, IBAN FROM MervalisTaxDetails"),
              QStringList({"company|O'Neill GmbH|EUR|DE89370400440532013000"}));
    l.env.exec("DELETE FROM MervalisTaxDetails");
    EXPECT_EQ(b.write(TaxParty::Company, "o'neill gmbh", readByB, byB), TaxDetailsStore::Write::Changed);
}
