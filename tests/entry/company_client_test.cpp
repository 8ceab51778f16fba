#include "entry/client_tab.h"
#include "entry/company_tab.h"
#include "entry/sales_tab.h"
#include "ui/drop_down_combo.h"
#include "entry/list_files.h"
#include "ui/list_fill.h"
#include "grids/client_grid_tab.h"
#include "data/company_table.h"
#include "data/data_control.h"
#include "grids/data_grid.h"
#include "binding/module1.h"
#include "grids/sales_grid_tab.h"
#include "support/test_env.h"
#include "support/texts.h"
#include "support/widgets.h"


using namespace mervalis;
using namespace mervalis::test;

namespace {

const QString kAdded = "Record added. You may need to refresh the database view to see the change.";
const QString kHint = " It is important to press the Clear Screen Button before entering details.";
// Every box gets a text of its own, so that a value stored in the wrong column shows.
const QStringList kTyped{"First", "Sur", "Addr1", "Addr2", "PC", "City", "Country", "Tel1", "Tel2", "Fax", "Mob",
                         "Mail", "Notes"};

QList<QWidget*> companyBoxes(CompanyTab& tab)
{
    return {tab.Text19, tab.Text12, tab.Text11, tab.Text7, tab.Text8, tab.Text9, tab.Text13,
            tab.Text18, tab.Text1,  tab.Text6,  tab.Text14, tab.Text2, tab.Text4, tab.Text3};
}

void typeCompany(CompanyTab& tab, const QString& name) { setTexts(companyBoxes(tab), QStringList{name} + kTyped); }

void typeClient(ClientTab& tab, const QString& name)
{
    setTexts({tab.Text61, tab.Text54, tab.Text55, tab.Text56, tab.Text57, tab.Text58, tab.Text59, tab.Text60,
              tab.Text53, tab.Text16, tab.Text20, tab.Text52, tab.Text51, tab.Text5},
             QStringList{name} + kTyped);
}

QStringList profile(ClientTab& tab)
{
    return textsOf({tab.Combo23, tab.Combo24, tab.Combo25, tab.Combo26, tab.Combo27});
}

const char* kCompanyColumns = "SELECT CompanyName, ContactFirstName, ContactSurname, Address1, Address2, PostCode, "
                              "City, Country, Telephone, Telephone2, Fax, Mobile, Email, Notes FROM Mervalis3 "
                              "ORDER BY ID";
const char* kClientColumns = "SELECT ClientName, ContactFirstName, ContactSurname, Address1, Address2, PostCode, "
                             "City, Country, Telephone, Telephone2, Fax, Mobile, Email, Notes, Sex, Age, Income, "
                             "Ethnicity, LeadGivenTo FROM Mervalis ORDER BY ID";

}  // namespace

TEST(CompanyTab, AddsACompanyWithEveryFieldInItsColumn)
{
    TestLedger l;
    CompanyTab tab(*l.context);
    EXPECT_FALSE(tab.Command12->isEnabled());

    // Until Clear Screen, a click into the name gives the hint.
    click(tab.Text19);
    EXPECT_EQ(l.dialogs.texts(), QStringList({kHint}));
    tab.Command23->click();
    EXPECT_TRUE(tab.Command12->isEnabled() && tab.Text3->toPlainText().isEmpty());
    click(tab.Text19);
    EXPECT_EQ(l.dialogs.take().size(), 1);

    // The empty name is refused; No stores nothing.
    tab.Command12->click();
    EXPECT_EQ(l.dialogs.texts(), QStringList({"You must include a company name."}));
    typeCompany(tab, "Own Ltd");
    l.dialogs.answerNo();
    tab.Command12->click();
    EXPECT_EQ(l.env.scalar("SELECT COUNT(*) FROM Mervalis3"), "0");
    EXPECT_EQ(tab.Text19->text(), "Own Ltd");

    l.dialogs.clear();
    tab.Command12->click();
    EXPECT_EQ(l.dialogs.texts(),
              QStringList({"This will add a new company to the database. Do you want to continue?", kAdded}));
    EXPECT_EQ(l.env.rows(kCompanyColumns), QStringList({"Own Ltd|" + kTyped.join('|')}));
    EXPECT_EQ(textsOf({tab.Text19, tab.Text3}), QStringList({"", ""}));
    EXPECT_TRUE(tab.Command12->isEnabled());

    // A name made of spaces passes; empty boxes are stored as empty text.
    tab.Text19->setText("   ");
    tab.Command12->click();
    EXPECT_EQ(l.env.rows("SELECT '[' || CompanyName || ']', City, Notes FROM Mervalis3 WHERE ID = 2"),
              QStringList({"[   ]||"}));
}

TEST(CompanyTab, RetrievesAndCorrectsCompaniesInPlace)
{
    TestLedger l;
    CompanyTab tab(*l.context);
    SalesGridTab sales(*l.context, FootLine{});
    ClientGridTab grids(*l.context, sales);

    // No company stored: the message, an empty list, adding off.
    tab.Command23->click();
    openList(tab.Combo19);
    EXPECT_EQ(l.dialogs.take(), QStringList({texts::kNoRecords}));
    EXPECT_EQ(tab.Combo19->count(), 0);
    EXPECT_FALSE(tab.Command12->isEnabled());

    tab.Command23->click();
    const std::pair<QString, QString> added[] = {
        {"O'Neill Ltd", "Galway"}, {"Twin", "First City"}, {"Twin", "Second City"}};
    for (const auto& [name, city] : added) {
        typeCompany(tab, name);
        tab.Text13->setText(city);
        tab.Command12->click();
    }
    tab.Combo19_DropDown();
    EXPECT_EQ(entries(tab.Combo19), QStringList({"O'Neill Ltd", "Twin", "Twin"}));
    EXPECT_EQ(tab.Combo19->currentIndex(), -1);
    EXPECT_FALSE(tab.Command12->isEnabled());

    // Duplicate names show the first; a correction goes to that one (ID 2,
    // the first row of the retrieve), and to no other.
    choose(tab.Combo19, 2);
    EXPECT_EQ(tab.Text13->text(), "First City");
    QTest::keyClick(tab.Text4, Qt::Key_End);
    QTest::keyClicks(tab.Text4, "@twin");
    sales.Command3_Click();
    EXPECT_EQ(l.env.rows("SELECT ID, Email FROM Mervalis3 ORDER BY ID"),
              QStringList({"1|Mail", "2|Mail@twin", "3|Mail"}));
    l.dialogs.clear();

    // A name with an apostrophe is found, every field in its box.
    l.dialogs.clear();
    choose(tab.Combo19, 0);
    QStringList shown = QStringList{"O'Neill Ltd"} + kTyped;
    shown[6] = "Galway";
    EXPECT_EQ(textsOf(companyBoxes(tab)), shown);
    EXPECT_TRUE(l.dialogs.texts().isEmpty());

    // Edited in its bound box, it is stored at Refresh View and the grid,
    // still holding the retrieved company, shows it.
    tab.Text13->setText("Cork");
    EXPECT_EQ(l.env.scalar("SELECT City FROM Mervalis3 WHERE ID = 1"), "Galway");  // not yet
    sales.Command3_Click();
    EXPECT_EQ(l.dialogs.take(), QStringList{"View refreshed!"});
    EXPECT_EQ(l.env.scalar("SELECT City FROM Mervalis3 WHERE ID = 1"), "Cork");
    const QAbstractItemModel* grid = grids.DataGrid3->model();
    ASSERT_EQ(grid->rowCount(), 1);
    EXPECT_EQ(grid->index(0, columnOf(grid, "City")).data().toString(), "Cork");
    EXPECT_EQ(tab.Text13->text(), "Cork");

    // Typed just before Clear Screen: written, then the boxes are detached and emptied.
    tab.Text3->setPlainText("Ring O'Brien first");
    tab.Command23->click();
    EXPECT_EQ(textsOf({tab.Text19, tab.Text13, tab.Text3}), QStringList({"", "", ""}));
    EXPECT_EQ(FieldBinding::of(tab.Text13), nullptr);
    EXPECT_TRUE(tab.Command12->isEnabled());
    // Detached boxes are plain boxes: typing a new company changes nothing stored.
    tab.Text19->setText("New Co");
    ASSERT_TRUE(l.store->adodc3.Refresh());
    EXPECT_EQ(l.env.rows("SELECT CompanyName, City, Notes FROM Mervalis3 ORDER BY ID"),
              QStringList({"O'Neill Ltd|Cork|Ring O'Brien first", "Twin|First City|Notes", "Twin|Second City|Notes"}));
    EXPECT_TRUE(l.dialogs.texts().isEmpty());
}

TEST(CompanyTab, ABoundEditIsNeverLostSilentlyAndNeverWrittenToAnotherRecord)
{
    TestLedger l;
    l.env.exec("INSERT INTO Mervalis3 (CompanyName, City) VALUES ('Acme', 'Leeds'), ('Other', 'Hull')");
    CompanyTab tab(*l.context);
    const CompanyBoxes b = tab.boxes();
    DataControl& companies = l.store->adodc3;
    ASSERT_TRUE(companies.query(company_table::selectByName("Acme")));
    BindCompanyFields(b, companies);  // as the retrieve list does
    const auto storedCity = [&](const char* name) {
        return l.env.scalar(QString("SELECT City FROM Mervalis3 WHERE CompanyName = '%1'").arg(name));
    };

    // The database refuses the write: its reason is shown, the text stays,
    // and it is written once the database accepts it.
    l.env.refuseUpdates("Mervalis3");
    b.Text13->setText("York");
    companies.Refresh();
    ASSERT_EQ(l.dialogs.shown().size(), 1u);
    EXPECT_TRUE(l.dialogs.last().contains("ledger is locked")) << l.dialogs.last().toStdString();
    EXPECT_EQ(b.Text13->text(), "York");
    EXPECT_TRUE(FieldBinding::of(b.Text13)->hasEdit());
    EXPECT_EQ(storedCity("Acme"), "Leeds");
    l.env.allowUpdates("Mervalis3");
    l.dialogs.clear();
    ASSERT_TRUE(companies.Refresh());
    EXPECT_EQ(storedCity("Acme"), "York");
    EXPECT_TRUE(l.dialogs.shown().empty());

    // An unsaved edit never follows the data control to another record.
    l.env.refuseUpdates("Mervalis3");
    b.Text13->setText("Ripon");
    companies.query(company_table::selectByName("Other"));
    l.env.allowUpdates("Mervalis3");
    EXPECT_EQ(textsOf({b.Text19, b.Text13}), QStringList({"Other", "Hull"}));
    ASSERT_TRUE(companies.Refresh());
    EXPECT_EQ(l.env.rows("SELECT CompanyName, City FROM Mervalis3 ORDER BY ID"),
              (QStringList{"Acme|York", "Other|Hull"}));
}

TEST(ClientTab, AddsAClientWithItsProfileInTheRightColumns)
{
    TestLedger l;
    ClientTab tab(*l.context);
    // The profile's lists: sexes, ages 0 to 80 and the 21 income bands, each editable and empty at first.
    const QStringList ages = entries(tab.Combo24), incomes = entries(tab.Combo25);
    EXPECT_EQ(entries(tab.Combo23) + QStringList({ages.first(), ages.last(), QString::number(ages.size())}) +
                  incomes.mid(0, 2) + incomes.mid(19) + QStringList(QString::number(incomes.size())),
              QStringList({"Male", "Female", "0", "80", "81", "Less than 10,000", "10-20,000", "190-200,000",
                           "More than 200,000", "21"}));
    EXPECT_EQ(profile(tab), QStringList({"", "", "", "", ""}));
    for (QComboBox* combo : std::initializer_list<QComboBox*>{tab.Combo23, tab.Combo24, tab.Combo25, tab.Combo26, tab.Combo27}) {
        EXPECT_TRUE(combo->isEditable());
    }

    tab.Command24->click();
    tab.Command2->click();
    ASSERT_EQ(l.dialogs.shown().size(), 1u);
    EXPECT_EQ(l.dialogs.shown().front().icon, DialogService::Icon::Exclamation);
    EXPECT_TRUE(l.dialogs.last().startsWith("You must add a client company name. If your client is an individual,"));
    EXPECT_TRUE(l.dialogs.last().contains("individuals who are clients.\r\n\r\nThis information is crucial and is "
                                          "constantly used to reference the client."));
    EXPECT_EQ(l.env.scalar("SELECT COUNT(*) FROM Mervalis"), "0");

    // A full profile, the age and the income typed by hand.
    writeFile(listFilePath(l.context->installation, ListFile::Ethnicity), "Irish\r\nOther\r\n");
    openList(tab.Combo26);
    EXPECT_EQ(entries(tab.Combo26), QStringList({"Irish", "Other"}));
    EXPECT_TRUE(tab.Combo26->currentText().isEmpty());
    tab.Combo26->setCurrentIndex(1);
    typeClient(tab, "Mary Smith");
    tab.Combo23->setCurrentIndex(1);
    setTexts({tab.Combo24, tab.Combo25, tab.Combo27}, {"95", "about 42k", "Dave"});
    l.dialogs.clear();
    tab.Command2->click();
    EXPECT_EQ(l.dialogs.texts(),
              QStringList({"This will add a new client to the database. Do you want to continue?", kAdded}));
    EXPECT_EQ(l.env.rows(kClientColumns),
              QStringList({"Mary Smith|" + kTyped.join('|') + "|Female|95|about 42k|Other|Dave"}));
    EXPECT_EQ(profile(tab), QStringList({"", "", "", "", ""}));

    // A name of spaces and no profile at all.
    tab.Text61->setText("  ");
    tab.Command2->click();
    EXPECT_EQ(l.env.rows("SELECT '[' || ClientName || ']', Sex, Age, Income, Ethnicity, LeadGivenTo, Notes "
                         "FROM Mervalis WHERE ID = 2"),
              QStringList({"[  ]||||||"}));
}

TEST(ClientTab, RetrievesTheFirstClientOfANameAndCorrectsItInPlace)
{
    TestLedger l;
    ClientTab tab(*l.context);
    tab.Command24->click();
    l.env.exec("INSERT INTO Mervalis (ClientName, City, Sex, Age, Income, Ethnicity, LeadGivenTo) "
               "VALUES ('O''Brien', 'Cork', 'Male', '41', '10-20,000', 'Irish', 'Bob');"
               "INSERT INTO Mervalis (ClientName, City) VALUES ('Same', 'One');"
               "INSERT INTO Mervalis (ClientName, City) VALUES ('Same', 'Two');");
    openList(tab.Combo20);
    EXPECT_EQ(entries(tab.Combo20), QStringList({"O'Brien", "Same", "Same"}));

    choose(tab.Combo20, 2);
    EXPECT_EQ(tab.Text59->text(), "One");
    choose(tab.Combo20, 0);
    EXPECT_EQ(textsOf({tab.Text61, tab.Text59}) + profile(tab),
              QStringList({"O'Brien", "Cork", "Male", "41", "10-20,000", "Irish", "Bob"}));

    // Opening the ethnicity list of a retrieved client does not change it.
    openList(tab.Combo26);
    openList(tab.Combo26);
    EXPECT_EQ(entries(tab.Combo26), QStringList({"None"}));
    EXPECT_EQ(tab.Combo26->currentText(), "Irish");
    tab.Text59->setText("Kinsale");
    tab.Combo24->setEditText("42");
    tab.Command24->click();
    EXPECT_EQ(l.env.rows("SELECT ClientName, City, Sex, Age, Ethnicity FROM Mervalis ORDER BY ID"),
              QStringList({"O'Brien|Kinsale|Male|42|Irish", "Same|One|<null>|<null>|<null>",
                           "Same|Two|<null>|<null>|<null>"}));
    EXPECT_EQ(textsOf({tab.Text61, tab.Text5}) + profile(tab), QStringList(7, ""));
    for (QWidget* box : {tab.Text61, tab.Text59}) EXPECT_EQ(FieldBinding::of(box), nullptr);
    for (QComboBox* box : std::initializer_list<QComboBox*>{tab.Combo23, tab.Combo27}) EXPECT_EQ(FieldBinding::of(box), nullptr);
    EXPECT_TRUE(tab.Command2->isEnabled());
}

namespace {

// The user closing a combo box's open list with Escape, choosing nothing.
void openAndEscape(QComboBox* combo)
{
    combo->showPopup();
    QTest::keyClick(combo->view(), Qt::Key_Escape);
    combo->hidePopup();
}

// Clear Screen after an edit that cannot be written: one message, then the
// boxes empty and detached and adding allowed, every time.
void expectClearedAfterOneMessage(TestLedger& l, QPushButton* clear, QPushButton* add, QWidget* typedBox,
                                  QLineEdit* nameBox, const QString& message)
{
    QTest::keyClicks(typedBox, "Leeds");
    QTest::mouseClick(clear, Qt::LeftButton);
    const QStringList shown = l.dialogs.take();
    ASSERT_EQ(shown.size(), 1) << shown.join(" / ").toStdString();
    EXPECT_TRUE(shown.front().contains(message)) << shown.front().toStdString();
    EXPECT_EQ(textsOf({typedBox, nameBox}), QStringList({"", ""}));
    EXPECT_EQ(FieldBinding::of(typedBox), nullptr);
    EXPECT_TRUE(add->isEnabled());
    QTest::mouseClick(clear, Qt::LeftButton);
    EXPECT_TRUE(l.dialogs.take().isEmpty());
}

const QString kNoRecord = "There is no stored record here to change";

}  // namespace

TEST(ClearScreen, AlwaysClearsEvenWhenWhatWasTypedCannotBeStored)
{
    TestLedger l;
    l.env.exec("INSERT INTO Mervalis3 (CompanyName, City) VALUES ('Acme', 'York');"
               "INSERT INTO Mervalis (ClientName, City) VALUES ('Mary', 'Cork')");
    CompanyTab company(*l.context);
    ClientTab client(*l.context);
    SalesTab sales(*l.context);

    // Retrieved, then a list that walks the same data control opened and
    // closed with Escape (the fill walks the control to its end), a city
    // typed: on each tab through its own list and the Sales tab's.
    struct Path {
        QComboBox* retrieve;
        QComboBox* walked;
        QPushButton* clear;
        QPushButton* add;
        QLineEdit* city;
        QLineEdit* name;
    };
    const Path paths[] = {
        {company.Combo19, company.Combo19, company.Command23, company.Command12, company.Text13, company.Text19},
        {company.Combo19, sales.Combo14, company.Command23, company.Command12, company.Text13, company.Text19},
        {client.Combo20, client.Combo20, client.Command24, client.Command2, client.Text59, client.Text61},
        {client.Combo20, sales.Combo1, client.Command24, client.Command2, client.Text59, client.Text61}};
    for (const Path& path : paths) {
        openList(path.retrieve);
        choose(path.retrieve, 0);
        ASSERT_FALSE(path.city->text().isEmpty());
        openAndEscape(path.walked);
        expectClearedAfterOneMessage(l, path.clear, path.add, path.city, path.name, kNoRecord);
    }

    // A database that refuses the write: its reason, and the screen is
    // cleared all the same; the stored record keeps its values.
    openList(client.Combo20);
    choose(client.Combo20, 0);
    l.env.refuseUpdates("Mervalis");
    client.Text59->selectAll();
    expectClearedAfterOneMessage(l, client.Command24, client.Command2, client.Text59, client.Text61,
                                 "ledger is locked");
    EXPECT_EQ(l.env.rows("SELECT ClientName, City FROM Mervalis"), QStringList({"Mary|Cork"}));
    EXPECT_EQ(l.env.rows("SELECT CompanyName, City FROM Mervalis3"), QStringList({"Acme|York"}));
}
