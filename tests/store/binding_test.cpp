#include "entry/client_tab.h"
#include "entry/company_tab.h"
#include "store/client_grid_tab.h"
#include "store/client_table.h"
#include "store/company_table.h"
#include "store/data_control.h"
#include "store/data_grid.h"
#include "store/module1.h"
#include "store/sales_grid_tab.h"
#include "support/test_env.h"
#include "support/widgets.h"

#include <QComboBox>
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

// The boxes are the tabs' own, bound by the Module1 routines directly.
TEST(Binding, RetrievedCompanyEditedInItsBoxIsStoredAndSeenAfterRefreshView)
{
    TestLedger l;
    addCompany(l, "Acme", "Leeds");
    addCompany(l, "Other", "Hull");
    SalesGridTab sales(*l.context, FootLine{});
    ClientGridTab clients(*l.context, sales);
    CompanyTab tab(*l.context);
    const CompanyBoxes b = tab.boxes();

    ASSERT_TRUE(l.store->adodc3.query(company_table::selectByName("Acme")));
    BindCompanyFields(b, l.store->adodc3);
    EXPECT_EQ(textsOf({b.Text19, b.Text11, b.Text13, b.Text3}), QStringList({"Acme", "Smith", "Leeds", "first note"}));
    ASSERT_NE(FieldBinding::of(b.Text13), nullptr);
    EXPECT_EQ(FieldBinding::of(b.Text13)->dataSource(), &l.store->adodc3);
    EXPECT_EQ(FieldBinding::of(b.Text13)->dataField(), "City");
    EXPECT_EQ(FieldBinding::of(b.Text11)->dataField(), "ContactSurName");  // names ContactSurname

    type(b.Text13, "York");
    b.Text3->setPlainText("Ring O'Brien first");
    EXPECT_EQ(storedCity(l, "Acme"), "Leeds");  // not yet
    sales.Command3_Click();
    EXPECT_EQ(l.dialogs.texts(), QStringList{"View refreshed!"});
    EXPECT_EQ(l.env.rows("SELECT City, Notes FROM Mervalis3 ORDER BY ID"),
              QStringList({"York|Ring O'Brien first", "Hull|first note"}));
    // The companies grid, still holding the retrieved company, shows it.
    const QAbstractItemModel* grid = clients.DataGrid3->model();
    ASSERT_EQ(grid->rowCount(), 1);
    EXPECT_EQ(grid->data(grid->index(0, columnOf(grid, "City"))).toString(), "York");
    EXPECT_EQ(b.Text13->text(), "York");
    EXPECT_FALSE(FieldBinding::of(b.Text13)->hasEdit());
}

TEST(Binding, ClearScreenDetachesAndEmptiesButKeepsStoredValues)
{
    TestLedger l;
    addCompany(l, "Acme", "Leeds");
    l.env.exec("INSERT INTO Mervalis (ClientName, City, Sex, Age, Income, Ethnicity, LeadGivenTo) "
               "VALUES ('Zed', 'Derby', 'Female', '41', '10-20,000', 'Irish', 'Bob')");
    CompanyTab companyTab(*l.context);
    ClientTab clientTab(*l.context);
    const CompanyBoxes companies = companyTab.boxes();
    const ClientBoxes clients = clientTab.boxes();

    ASSERT_TRUE(l.store->adodc3.query(company_table::selectByName("Acme")));
    BindCompanyFields(companies, l.store->adodc3);
    ASSERT_TRUE(l.store->adodc1.query(client_table::selectByName("Zed")));
    BindClientFields(clients, l.store->adodc1);
    EXPECT_EQ(textsOf({clients.Text61, clients.Combo23, clients.Combo24, clients.Combo27}),
              QStringList({"Zed", "Female", "41", "Bob"}));

    // A profile list edited while bound reaches the record like a text box.
    clients.Combo24->setEditText("42");
    ASSERT_TRUE(l.store->adodc1.Refresh());
    EXPECT_EQ(l.env.scalar("SELECT Age FROM Mervalis WHERE ClientName = 'Zed'"), "42");

    // Typed just before Clear Screen: written, not dropped.
    type(companies.Text7, "2 Low St");
    EXPECT_TRUE(ClearCompanyFields(companies));
    EXPECT_TRUE(ClearClientFields(clients));
    for (QWidget* box : std::initializer_list<QWidget*>{companies.Text19, companies.Text13, companies.Text7,
                                                        companies.Text3, clients.Text61, clients.Text5, clients.Combo23,
                                                        clients.Combo24, clients.Combo25, clients.Combo26,
                                                        clients.Combo27}) {
        EXPECT_TRUE(textOf(box).isEmpty()) << box->objectName().toStdString();
        EXPECT_EQ(FieldBinding::of(box), nullptr) << box->objectName().toStdString();
    }
    EXPECT_EQ(l.env.rows("SELECT CompanyName, Address1, City FROM Mervalis3"), QStringList{"Acme|2 Low St|Leeds"});
    EXPECT_EQ(l.env.rows("SELECT ClientName, City, Sex, Age FROM Mervalis"), QStringList{"Zed|Derby|Female|42"});

    // Detached boxes are plain boxes: typing a new company changes nothing stored.
    type(companies.Text19, "New Co");
    ASSERT_TRUE(l.store->adodc3.Refresh());
    EXPECT_EQ(l.env.rows("SELECT CompanyName FROM Mervalis3"), QStringList{"Acme"});
    EXPECT_EQ(companies.Text19->text(), "New Co");
    EXPECT_TRUE(l.dialogs.shown().empty());
}

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
