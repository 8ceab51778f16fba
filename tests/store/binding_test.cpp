#include "store/client_grid_tab.h"
#include "store/client_table.h"
#include "store/company_table.h"
#include "store/data_control.h"
#include "store/data_grid.h"
#include "store/module1.h"
#include "store/sales_grid_tab.h"
#include "support/test_env.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using namespace mervalis;
using mervalis::test::TestLedger;

namespace {

void addCompany(TestLedger& l, const QString& name, const QString& city)
{
    l.env.exec(QStringLiteral("INSERT INTO Mervalis3 (CompanyName, ContactFirstName, ContactSurname, Address1, City, "
                              "Country, Notes) VALUES ('%1', 'Ann', 'Smith', '1 High St', '%2', 'UK', 'first note')")
                   .arg(name, city));
}

void addClient(TestLedger& l, const QString& name, const QString& city, const QString& age)
{
    l.env.exec(QStringLiteral("INSERT INTO Mervalis (ClientName, City, Sex, Age, Income, Ethnicity, LeadGivenTo) "
                              "VALUES ('%1', '%2', 'Female', '%3', '10-20,000', 'Irish', 'Bob')")
                   .arg(name, city, age));
}

// Company boxes as the Company tab hands them over; the widgets live here.
struct CompanyScreen {
    std::vector<std::unique_ptr<QWidget>> owned;
    CompanyBoxes boxes;

    CompanyScreen()
    {
        for (QLineEdit** box : {&boxes.Text19, &boxes.Text12, &boxes.Text11, &boxes.Text7, &boxes.Text8,
                                &boxes.Text9, &boxes.Text13, &boxes.Text18, &boxes.Text1, &boxes.Text6,
                                &boxes.Text14, &boxes.Text2, &boxes.Text4}) {
            *box = new QLineEdit;
            owned.emplace_back(*box);
        }
        boxes.Text3 = new QPlainTextEdit;
        owned.emplace_back(boxes.Text3);
    }
};

struct ClientScreen {
    std::vector<std::unique_ptr<QWidget>> owned;
    ClientBoxes boxes;

    ClientScreen()
    {
        for (QLineEdit** box : {&boxes.Text61, &boxes.Text54, &boxes.Text55, &boxes.Text56, &boxes.Text57,
                                &boxes.Text58, &boxes.Text59, &boxes.Text60, &boxes.Text53, &boxes.Text16,
                                &boxes.Text20, &boxes.Text52, &boxes.Text51}) {
            *box = new QLineEdit;
            owned.emplace_back(*box);
        }
        boxes.Text5 = new QPlainTextEdit;
        owned.emplace_back(boxes.Text5);
        for (QComboBox** list : {&boxes.Combo23, &boxes.Combo24, &boxes.Combo25, &boxes.Combo26, &boxes.Combo27}) {
            *list = new QComboBox;
            (*list)->setEditable(true);
            owned.emplace_back(*list);
        }
        boxes.Combo23->addItems({"Male", "Female"});
    }
};

// The user typing over a box's text.
void type(QLineEdit* box, const QString& text)
{
    box->selectAll();
    box->insert(text);
}

int columnOf(const QAbstractItemModel* model, const QString& name)
{
    for (int c = 0; c < model->columnCount(); ++c) {
        if (model->headerData(c, Qt::Horizontal).toString() == name) return c;
    }
    return -1;
}

}  // namespace

TEST(Binding, RetrievedCompanyEditedInItsBoxIsStoredAndSeenAfterRefreshView)
{
    test::ensureApplication();
    TestLedger l;
    addCompany(l, "Acme", "Leeds");
    addCompany(l, "Other", "Hull");
    SalesGridTab sales(*l.context, FootLine{});
    ClientGridTab clients(*l.context, sales);
    CompanyScreen screen;
    const CompanyBoxes& b = screen.boxes;

    ASSERT_TRUE(l.store->adodc3.query(company_table::selectByName("Acme")));
    BindCompanyFields(b, l.store->adodc3);
    EXPECT_EQ(b.Text19->text(), "Acme");
    EXPECT_EQ(b.Text11->text(), "Smith");  // ContactSurName names ContactSurname
    EXPECT_EQ(b.Text13->text(), "Leeds");
    EXPECT_EQ(b.Text3->toPlainText(), "first note");
    ASSERT_NE(FieldBinding::of(b.Text13), nullptr);
    EXPECT_EQ(FieldBinding::of(b.Text13)->dataSource(), &l.store->adodc3);
    EXPECT_EQ(FieldBinding::of(b.Text13)->dataField(), "City");
    EXPECT_EQ(FieldBinding::of(b.Text11)->dataField(), "ContactSurName");

    type(b.Text13, "York");
    b.Text3->setPlainText("Ring O'Brien first");
    EXPECT_EQ(l.env.scalar("SELECT City FROM Mervalis3 WHERE CompanyName = 'Acme'"), "Leeds");  // not yet
    sales.Command3_Click();
    EXPECT_EQ(l.dialogs.last(), "View refreshed!");
    EXPECT_EQ(l.env.scalar("SELECT City FROM Mervalis3 WHERE CompanyName = 'Acme'"), "York");
    EXPECT_EQ(l.env.scalar("SELECT Notes FROM Mervalis3 WHERE CompanyName = 'Acme'"), "Ring O'Brien first");
    EXPECT_EQ(l.env.scalar("SELECT City FROM Mervalis3 WHERE CompanyName = 'Other'"), "Hull");
    // The companies grid, still holding the retrieved company, shows it.
    const QAbstractItemModel* grid = clients.DataGrid3->model();
    ASSERT_EQ(grid->rowCount(), 1);
    EXPECT_EQ(grid->data(grid->index(0, columnOf(grid, "City"))).toString(), "York");
    EXPECT_EQ(b.Text13->text(), "York");
    EXPECT_FALSE(FieldBinding::of(b.Text13)->hasEdit());
    EXPECT_EQ(l.dialogs.texts(), QStringList{"View refreshed!"});
}

TEST(Binding, ClearScreenDetachesAndEmptiesButKeepsStoredValues)
{
    test::ensureApplication();
    TestLedger l;
    addCompany(l, "Acme", "Leeds");
    addClient(l, "Zed", "Derby", "41");
    CompanyScreen companies;
    ClientScreen clients;

    ASSERT_TRUE(l.store->adodc3.query(company_table::selectByName("Acme")));
    BindCompanyFields(companies.boxes, l.store->adodc3);
    ASSERT_TRUE(l.store->adodc1.query(client_table::selectByName("Zed")));
    BindClientFields(clients.boxes, l.store->adodc1);
    EXPECT_EQ(clients.boxes.Text61->text(), "Zed");
    EXPECT_EQ(clients.boxes.Combo23->currentText(), "Female");
    EXPECT_EQ(clients.boxes.Combo24->currentText(), "41");
    EXPECT_EQ(clients.boxes.Combo27->currentText(), "Bob");

    // A profile list edited while bound reaches the record like a text box.
    clients.boxes.Combo24->setEditText("42");
    ASSERT_TRUE(l.store->adodc1.Refresh());
    EXPECT_EQ(l.env.scalar("SELECT Age FROM Mervalis WHERE ClientName = 'Zed'"), "42");

    // Typed just before Clear Screen: written, not dropped.
    type(companies.boxes.Text7, "2 Low St");
    EXPECT_TRUE(ClearCompanyFields(companies.boxes));
    EXPECT_TRUE(ClearClientFields(clients.boxes));
    for (QLineEdit* box : {companies.boxes.Text19, companies.boxes.Text13, companies.boxes.Text7}) {
        EXPECT_TRUE(box->text().isEmpty());
        EXPECT_EQ(FieldBinding::of(box), nullptr);
    }
    EXPECT_TRUE(companies.boxes.Text3->toPlainText().isEmpty());
    EXPECT_TRUE(clients.boxes.Text61->text().isEmpty());
    EXPECT_TRUE(clients.boxes.Text5->toPlainText().isEmpty());
    for (QComboBox* list : {clients.boxes.Combo23, clients.boxes.Combo24, clients.boxes.Combo25,
                            clients.boxes.Combo26, clients.boxes.Combo27}) {
        EXPECT_TRUE(list->currentText().isEmpty());
        EXPECT_EQ(FieldBinding::of(list), nullptr);
    }
    EXPECT_EQ(l.env.rows("SELECT CompanyName, Address1, City FROM Mervalis3"), QStringList{"Acme|2 Low St|Leeds"});
    EXPECT_EQ(l.env.rows("SELECT ClientName, City, Sex, Age FROM Mervalis"), QStringList{"Zed|Derby|Female|42"});

    // Detached boxes are plain boxes: typing a new company changes nothing stored.
    type(companies.boxes.Text19, "New Co");
    ASSERT_TRUE(l.store->adodc3.Refresh());
    EXPECT_EQ(l.env.rows("SELECT CompanyName FROM Mervalis3"), QStringList{"Acme"});
    EXPECT_EQ(companies.boxes.Text19->text(), "New Co");
    EXPECT_TRUE(l.dialogs.shown().empty());
}

TEST(Binding, TypedTextIsNeverLostSilentlyAndNeverWrittenToAnotherRecord)
{
    test::ensureApplication();
    TestLedger l;
    addCompany(l, "Acme", "Leeds");
    addCompany(l, "Other", "Hull");
    CompanyScreen screen;
    const CompanyBoxes& b = screen.boxes;
    DataControl& companies = l.store->adodc3;
    ASSERT_TRUE(companies.query(company_table::selectByName("Acme")));
    BindCompanyFields(b, companies);

    // The database refuses the write: its reason is shown, the text stays,
    // and it is written once the database accepts it.
    l.env.exec("CREATE TRIGGER refuse BEFORE UPDATE ON Mervalis3 BEGIN SELECT RAISE(ABORT, 'ledger is locked'); END");
    type(b.Text13, "York");
    companies.Refresh();
    ASSERT_EQ(l.dialogs.shown().size(), 1u);
    EXPECT_TRUE(l.dialogs.last().contains("ledger is locked")) << l.dialogs.last().toStdString();
    EXPECT_EQ(b.Text13->text(), "York");
    EXPECT_TRUE(FieldBinding::of(b.Text13)->hasEdit());
    EXPECT_EQ(l.env.scalar("SELECT City FROM Mervalis3 WHERE CompanyName = 'Acme'"), "Leeds");
    EXPECT_FALSE(ClearCompanyFields(b));  // clearing would lose it: refused, still bound
    EXPECT_EQ(b.Text13->text(), "York");
    EXPECT_NE(FieldBinding::of(b.Text13), nullptr);
    l.env.exec("DROP TRIGGER refuse");
    l.dialogs.clear();
    ASSERT_TRUE(companies.Refresh());
    EXPECT_EQ(l.env.scalar("SELECT City FROM Mervalis3 WHERE CompanyName = 'Acme'"), "York");
    EXPECT_TRUE(l.dialogs.shown().empty());

    // An unsaved edit never follows the data control to another record.
    l.env.exec("CREATE TRIGGER refuse BEFORE UPDATE ON Mervalis3 BEGIN SELECT RAISE(ABORT, 'ledger is locked'); END");
    type(b.Text13, "Ripon");
    companies.query(company_table::selectByName("Other"));
    l.env.exec("DROP TRIGGER refuse");
    EXPECT_EQ(b.Text19->text(), "Other");
    EXPECT_EQ(b.Text13->text(), "Hull");
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
    EXPECT_EQ(l.env.scalar("SELECT City FROM Mervalis3 WHERE CompanyName = 'Fresh'"), "Bath");
}
