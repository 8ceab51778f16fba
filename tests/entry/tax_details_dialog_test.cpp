#include "entry/tax_details_dialog.h"

#include "entry/client_tab.h"
#include "entry/company_tab.h"
#include "support/test_env.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

using namespace mervalis;
using namespace mervalis::test;

namespace {

TaxDetailsDialog* dialogOf(QWidget* tab)
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return tab->findChild<TaxDetailsDialog*>();
}

}  // namespace

TEST(TaxDetailsDialog, ChecksWhatIsTypedStoresOnlyWhatPassesAndShowsWhatIsStored)
{
    TestLedger l;
    CompanyTab company(*l.context);
    company.show();
    EXPECT_EQ(company.taxDetailsButton->accessibleName(), "Tax details...");
    EXPECT_FALSE(company.taxDetailsButton->toolTip().isEmpty());
    company.taxDetailsButton->click();
    EXPECT_EQ(l.dialogs.take(), QStringList({"Retrieve a company first: tax details belong to the company shown."}));
    EXPECT_EQ(dialogOf(&company), nullptr);

    company.Text19->setText("Müller & Söhne");
    company.taxDetailsButton->click();
    TaxDetailsDialog* dialog = dialogOf(&company);
    ASSERT_TRUE(dialog);
    EXPECT_EQ(dialog->windowTitle(), "Tax details - Müller & Söhne");
    EXPECT_EQ(dialog->countryCode->accessibleName(), "Country code");
    EXPECT_EQ(dialog->buyerReference, nullptr);
    QTest::keyClicks(dialog->vatId, "de 123456789");
    QTest::keyClicks(dialog->countryCode, "de");
    EXPECT_EQ(dialog->countryName->text(), "Germany");
    QTest::keyClicks(dialog->currency, "eur");
    QTest::keyClicks(dialog->iban, "DE88 3704 0044 0532 0130 00");
    dialog->saveButton->click();
    const QString told = l.dialogs.last();
    EXPECT_TRUE(told.startsWith("The tax details were not stored:\r\n\r\nThe IBAN \"DE88370400440532013000\" has a "
                                "typing error"))
        << told.toStdString();
    EXPECT_EQ(l.env.scalar("SELECT COUNT(*) FROM MervalisTaxDetails"), "0");
    ASSERT_EQ(dialogOf(&company), dialog);
    EXPECT_EQ(dialog->iban->selectedText(), "DE88 3704 0044 0532 0130 00");
    QTest::keyClicks(dialog->iban, "DE89 3704 0044 0532 0130 00");  // over the selected text
    QTest::keyClick(dialog->iban, Qt::Key_Return);
    EXPECT_EQ(dialogOf(&company), nullptr);
    EXPECT_EQ(l.env.rows("SELECT Kind, Name, VATID, CountryCode, Currency, IBAN, BIC FROM MervalisTaxDetails"),
              QStringList({"company|Müller & Söhne|DE123456789|DE|EUR|DE89370400440532013000|"}));

    // Shown again as stored; Escape leaves them as they are.
    company.taxDetailsButton->click();
    dialog = dialogOf(&company);
    ASSERT_TRUE(dialog);
    EXPECT_EQ(dialog->vatId->text(), "DE123456789");
    QTest::keyClicks(dialog->bic, "DEUTDEFF");
    QTest::keyClick(dialog->bic, Qt::Key_Escape);
    EXPECT_EQ(dialogOf(&company), nullptr);
    EXPECT_EQ(l.env.scalar("SELECT BIC FROM MervalisTaxDetails"), "");

    // A client's: a country code and a buyer reference, no currency.
    ClientTab client(*l.context);
    client.show();
    client.Text61->setText("O'Brien");
    client.taxDetailsButton->click();
    dialog = dialogOf(&client);
    ASSERT_TRUE(dialog);
    EXPECT_EQ(dialog->currency, nullptr);
    QTest::keyClicks(dialog->countryCode, "ie");
    QTest::keyClicks(dialog->buyerReference, "PO 17");
    dialog->saveButton->click();
    EXPECT_EQ(l.env.rows("SELECT Kind, Name, CountryCode, BuyerReference FROM MervalisTaxDetails WHERE ID = 2"),
              QStringList({"client|O'Brien|IE|PO 17"}));
}
