#include "entry/company_tab.h"
#include "store/company_table.h"
#include "store/data_control.h"
#include "store/module1.h"
#include "support/test_env.h"
#include "support/widgets.h"

#include <QLineEdit>
#include <QPlainTextEdit>

#include <gtest/gtest.h>

using namespace mervalis;
using namespace mervalis::test;

namespace {

void addCompany(TestLedger& l, const QString& name, const QString& city)
{
    l.env.exec(QStringLiteral("INSERT INTO Mervalis3 (CompanyName, ContactFirstName, ContactSurname, Address1, City, "
                              "Country, Notes) VALUES ('%1', 'Ann', 'Smith', '1 High St', '%2', 'UK', 'first note')")
                   .arg(name, city));
}

// The user typing over a box's text.
void type(QLineEdit* box, const QString& text)
{
    box->selectAll();
    box->insert(text);
}

QString storedCity(TestLedger& l, const QString& company)
{
    return l.env.scalar("SELECT City FROM Mervalis3 WHERE CompanyName = '" + company + "'");
}

const QString kRefuse =
    "CREATE TRIGGER refuse BEFORE UPDATE ON Mervalis3 BEGIN SELECT RAISE(ABORT, 'ledger is locked'); END";

}  // namespace

// The boxes are the Company tab's own, bound by the Module1 routines directly;
// retrieving, correcting and clearing are checked through the tabs.
TEST(Binding, TypedTextIsNeverLostSilentlyAndNeverWrittenToAnotherRecord)
{
    TestLedger l;
    addCompany(l, "Acme", "Leeds");
    addCompany(l, "Other", "Hull");
    CompanyTab tab(*l.context);
    const CompanyBoxes b = tab.boxes();
    DataControl& companies = l.store->adodc3;
    ASSERT_TRUE(companies.query(company_table::selectByName("Acme")));
    BindCompanyFields(b, companies);

    // The database refuses the write: its reason is shown, the text stays,
    // and it is written once the database accepts it.
    l.env.exec(kRefuse);
    type(b.Text13, "York");
    companies.Refresh();
    ASSERT_EQ(l.dialogs.shown().size(), 1u);
    EXPECT_TRUE(l.dialogs.last().contains("ledger is locked")) << l.dialogs.last().toStdString();
    EXPECT_EQ(b.Text13->text(), "York");
    EXPECT_TRUE(FieldBinding::of(b.Text13)->hasEdit());
    EXPECT_EQ(storedCity(l, "Acme"), "Leeds");
    EXPECT_FALSE(ClearCompanyFields(b));  // clearing would lose it: refused, still bound
    EXPECT_EQ(b.Text13->text(), "York");
    EXPECT_NE(FieldBinding::of(b.Text13), nullptr);
    l.env.exec("DROP TRIGGER refuse");
    l.dialogs.clear();
    ASSERT_TRUE(companies.Refresh());
    EXPECT_EQ(storedCity(l, "Acme"), "York");
    EXPECT_TRUE(l.dialogs.shown().empty());

    // An unsaved edit never follows the data control to another record.
    l.env.exec(kRefuse);
    type(b.Text13, "Ripon");
    companies.query(company_table::selectByName("Other"));
    l.env.exec("DROP TRIGGER refuse");
    EXPECT_EQ(textsOf({b.Text19, b.Text13}), QStringList({"Other", "Hull"}));
    ASSERT_TRUE(companies.Refresh());
    EXPECT_EQ(l.env.rows("SELECT CompanyName, City FROM Mervalis3 ORDER BY ID"),
              (QStringList{"Acme|York", "Other|Hull"}));

    // A retrieve that finds nothing leaves the boxes empty; typing there is
    // told that it has no record to change.
    l.dialogs.clear();
    ASSERT_TRUE(companies.query(company_table::selectByName("Nobody")));
    EXPECT_TRUE(b.Text19->text().isEmpty());
    type(b.Text13, "Selby");
    companies.Refresh();
    ASSERT_EQ(l.dialogs.shown().size(), 1u);
    EXPECT_TRUE(l.dialogs.last().startsWith("There is no stored record here to change"));
    EXPECT_EQ(b.Text13->text(), "Selby");
    EXPECT_EQ(l.env.scalar("SELECT COUNT(*) FROM Mervalis3 WHERE City = 'Selby'"), "0");

    // A record added since the last refresh (ID 0) must be refreshed first.
    ASSERT_TRUE(companies.query(company_table::selectAll()));
    ASSERT_TRUE(companies.addNew({"CompanyName", "City"}, {"Fresh", "Bath"}));
    EXPECT_EQ(b.Text19->text(), "Fresh");
    l.dialogs.clear();
    type(b.Text13, "Wells");
    companies.moveFirst();
    ASSERT_GE(l.dialogs.shown().size(), 1u);
    EXPECT_EQ(l.dialogs.shown().front().text, DataControl::refreshFirstMessage());
    EXPECT_EQ(storedCity(l, "Fresh"), "Bath");
}
