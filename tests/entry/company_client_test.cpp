#include "entry/client_tab.h"
#include "entry/company_tab.h"
#include "entry/drop_down_combo.h"
#include "entry/list_files.h"
#include "support/test_env.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>

#include <gtest/gtest.h>

using namespace mervalis;
using mervalis::test::TestLedger;

namespace {

const QString kAdded = "Record added. You may need to refresh the database view to see the change.";
const QString kHint = " It is important to press the Clear Screen Button before entering details.";

void click(QWidget* box)
{
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(2, 2), box->mapToGlobal(QPointF(2, 2)), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(box, &press);
}

QStringList entries(const QComboBox* combo)
{
    QStringList list;
    for (int i = 0; i < combo->count(); ++i) list << combo->itemText(i);
    return list;
}

// Picks an entry of a retrieve list as the user does.
void choose(QComboBox* combo, int index)
{
    combo->setCurrentIndex(index);
    emit combo->activated(index);
}

// Every box gets a text of its own, so that a value stored in the wrong
// column shows.
void typeCompany(CompanyTab& tab, const QString& name)
{
    tab.Text19->setText(name);
    tab.Text12->setText("First");
    tab.Text11->setText("Sur");
    tab.Text7->setText("Addr1");
    tab.Text8->setText("Addr2");
    tab.Text9->setText("PC");
    tab.Text13->setText("City");
    tab.Text18->setText("Country");
    tab.Text1->setText("Tel1");
    tab.Text6->setText("Tel2");
    tab.Text14->setText("Fax");
    tab.Text2->setText("Mob");
    tab.Text4->setText("Mail");
    tab.Text3->setPlainText("Notes");
}

void typeClient(ClientTab& tab, const QString& name)
{
    tab.Text61->setText(name);
    tab.Text54->setText("First");
    tab.Text55->setText("Sur");
    tab.Text56->setText("Addr1");
    tab.Text57->setText("Addr2");
    tab.Text58->setText("PC");
    tab.Text59->setText("City");
    tab.Text60->setText("Country");
    tab.Text53->setText("Tel1");
    tab.Text16->setText("Tel2");
    tab.Text20->setText("Fax");
    tab.Text52->setText("Mob");
    tab.Text51->setText("Mail");
    tab.Text5->setPlainText("Notes");
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
    EXPECT_EQ(tab.Frame1->title(), "Company Address - press Clear Screen to begin");
    EXPECT_EQ(tab.Text3->toPlainText(), "        ");
    EXPECT_FALSE(tab.Command12->isEnabled());

    // Until Clear Screen, a click into the name gives the hint.
    click(tab.Text19);
    EXPECT_EQ(l.dialogs.texts(), QStringList({kHint}));
    tab.Command23->click();
    EXPECT_TRUE(tab.Command12->isEnabled());
    EXPECT_TRUE(tab.Text3->toPlainText().isEmpty());
    click(tab.Text19);
    EXPECT_EQ(l.dialogs.texts().size(), 1);

    // The empty name is refused; No stores nothing.
    l.dialogs.clear();
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
    EXPECT_EQ(l.env.rows(kCompanyColumns),
              QStringList({"Own Ltd|First|Sur|Addr1|Addr2|PC|City|Country|Tel1|Tel2|Fax|Mob|Mail|Notes"}));
    EXPECT_TRUE(tab.Text19->text().isEmpty());
    EXPECT_TRUE(tab.Text3->toPlainText().isEmpty());
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

    // No company stored: the message, an empty list, adding off.
    tab.Command23->click();
    tab.Combo19->showPopup();
    tab.Combo19->hidePopup();
    EXPECT_EQ(l.dialogs.texts(), QStringList({noRecordsMessage()}));
    EXPECT_EQ(tab.Combo19->count(), 0);
    EXPECT_FALSE(tab.Command12->isEnabled());

    tab.Command23->click();
    typeCompany(tab, "O'Neill Ltd");
    tab.Command12->click();
    typeCompany(tab, "Twin");
    tab.Text13->setText("First City");
    tab.Command12->click();
    typeCompany(tab, "Twin");
    tab.Text13->setText("Second City");
    tab.Command12->click();

    tab.Combo19_DropDown();
    EXPECT_EQ(entries(tab.Combo19), QStringList({"O'Neill Ltd", "Twin", "Twin"}));
    EXPECT_EQ(tab.Combo19->currentIndex(), -1);
    EXPECT_FALSE(tab.Command12->isEnabled());

    // Duplicate names show the first.
    choose(tab.Combo19, 2);
    EXPECT_EQ(tab.Text13->text(), "First City");

    // A name with an apostrophe is found and corrected in place.
    l.dialogs.clear();
    choose(tab.Combo19, 0);
    EXPECT_TRUE(l.dialogs.texts().isEmpty());
    EXPECT_EQ(tab.Text19->text(), "O'Neill Ltd");
    EXPECT_EQ(tab.Text3->toPlainText(), "Notes");
    tab.Text13->setText("Galway");
    tab.Command23->click();  // writes the edit, then detaches
    EXPECT_TRUE(tab.Text13->text().isEmpty());
    EXPECT_TRUE(tab.Command12->isEnabled());
    EXPECT_EQ(l.env.rows("SELECT City FROM Mervalis3 ORDER BY ID"),
              QStringList({"Galway", "First City", "Second City"}));
    EXPECT_EQ(l.env.scalar("SELECT COUNT(*) FROM Mervalis3"), "3");
}

TEST(ClientTab, AddsAClientWithItsProfileInTheRightColumns)
{
    TestLedger l;
    ClientTab tab(*l.context);
    EXPECT_EQ(tab.Frame5->title(), "Client's Billing Address- press Clear Screen to begin");
    EXPECT_EQ(tab.Frame6->title(), "For use if a client is an individual");
    EXPECT_EQ(tab.Text5->toPlainText(), "        ");
    EXPECT_EQ(entries(tab.Combo23), QStringList({"Male", "Female"}));
    ASSERT_EQ(tab.Combo24->count(), 81);
    EXPECT_EQ(tab.Combo24->itemText(0), "0");
    EXPECT_EQ(tab.Combo24->itemText(80), "80");
    const QStringList incomes = entries(tab.Combo25);
    ASSERT_EQ(incomes.size(), 21);
    EXPECT_EQ(incomes.mid(0, 3), QStringList({"Less than 10,000", "10-20,000", "20-30,000"}));
    EXPECT_EQ(incomes.mid(18), QStringList({"180-190,000", "190-200,000", "More than 200,000"}));
    for (QComboBox* combo : QList<QComboBox*>{tab.Combo23, tab.Combo24, tab.Combo25, tab.Combo26, tab.Combo27}) {
        EXPECT_TRUE(combo->isEditable());
        EXPECT_TRUE(combo->currentText().isEmpty()) << combo->objectName().toStdString();
    }

    click(tab.Text61);
    EXPECT_EQ(l.dialogs.texts(), QStringList({kHint}));
    tab.Command24->click();
    l.dialogs.clear();
    tab.Command2->click();
    ASSERT_EQ(l.dialogs.shown().size(), 1u);
    EXPECT_EQ(l.dialogs.shown().front().icon, DialogService::Icon::Exclamation);
    EXPECT_TRUE(l.dialogs.last().startsWith("You must add a client company name. If your client is an individual,"));
    EXPECT_TRUE(l.dialogs.last().contains("individuals who are clients.\r\n\r\nThis information is crucial and is "
                                          "constantly used to reference the client."));
    EXPECT_EQ(l.env.scalar("SELECT COUNT(*) FROM Mervalis"), "0");

    // A full profile, the age and the income typed by hand.
    QFile ethnicity(listFilePath(l.context->installation, ListFile::Ethnicity));
    ASSERT_TRUE(ethnicity.open(QIODevice::WriteOnly));
    ethnicity.write("Irish\r\nOther\r\n");
    ethnicity.close();
    tab.Combo26->showPopup();
    tab.Combo26->hidePopup();
    EXPECT_EQ(entries(tab.Combo26), QStringList({"Irish", "Other"}));
    EXPECT_TRUE(tab.Combo26->currentText().isEmpty());
    tab.Combo26->setCurrentIndex(1);
    typeClient(tab, "Mary Smith");
    tab.Combo23->setCurrentIndex(1);
    tab.Combo24->setEditText("95");
    tab.Combo25->setEditText("about 42k");
    tab.Combo27->setEditText("Dave");
    l.dialogs.clear();
    tab.Command2->click();
    EXPECT_EQ(l.dialogs.texts(),
              QStringList({"This will add a new client to the database. Do you want to continue?", kAdded}));
    EXPECT_EQ(l.env.rows(kClientColumns),
              QStringList({"Mary Smith|First|Sur|Addr1|Addr2|PC|City|Country|Tel1|Tel2|Fax|Mob|Mail|Notes|"
                           "Female|95|about 42k|Other|Dave"}));
    for (QComboBox* combo : QList<QComboBox*>{tab.Combo23, tab.Combo24, tab.Combo25, tab.Combo26, tab.Combo27}) {
        EXPECT_TRUE(combo->currentText().isEmpty()) << combo->objectName().toStdString();
    }

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
    tab.Combo20_DropDown();
    EXPECT_EQ(l.dialogs.texts(), QStringList({noRecordsMessage()}));
    EXPECT_EQ(tab.Combo20->count(), 0);
    EXPECT_FALSE(tab.Command2->isEnabled());

    l.env.exec("INSERT INTO Mervalis (ClientName, City, Sex, Age) VALUES ('O''Brien', 'Cork', 'Male', '41');"
               "INSERT INTO Mervalis (ClientName, City) VALUES ('Same', 'One');"
               "INSERT INTO Mervalis (ClientName, City) VALUES ('Same', 'Two');");
    tab.Combo20->showPopup();
    tab.Combo20->hidePopup();
    EXPECT_EQ(entries(tab.Combo20), QStringList({"O'Brien", "Same", "Same"}));

    choose(tab.Combo20, 2);
    EXPECT_EQ(tab.Text59->text(), "One");
    choose(tab.Combo20, 0);
    EXPECT_EQ(tab.Text61->text(), "O'Brien");
    EXPECT_EQ(tab.Combo23->currentText(), "Male");
    EXPECT_EQ(tab.Combo24->currentText(), "41");

    // Opening the ethnicity list of a retrieved client does not change it.
    l.dialogs.clear();
    tab.Combo26->showPopup();
    tab.Combo26->hidePopup();
    tab.Combo26->showPopup();
    tab.Combo26->hidePopup();
    EXPECT_EQ(entries(tab.Combo26), QStringList({"None"}));
    tab.Text59->setText("Kinsale");
    tab.Combo24->setEditText("42");
    tab.Command24->click();
    EXPECT_EQ(l.env.rows("SELECT ClientName, City, Sex, Age, Ethnicity FROM Mervalis ORDER BY ID"),
              QStringList({"O'Brien|Kinsale|Male|42|<null>", "Same|One|<null>|<null>|<null>",
                           "Same|Two|<null>|<null>|<null>"}));
    EXPECT_TRUE(tab.Combo24->currentText().isEmpty());
    EXPECT_TRUE(tab.Command2->isEnabled());
}

TEST(EntryTabs, EveryControlCarriesItsNames)
{
    TestLedger l;
    CompanyTab company(*l.context);
    ClientTab client(*l.context);
    for (QWidget* tab : {static_cast<QWidget*>(&company), static_cast<QWidget*>(&client)}) {
        for (QWidget* control : tab->findChildren<QWidget*>()) {
            if (!control->focusPolicy() || qobject_cast<QLabel*>(control) || control->isWindow()) continue;
            bool insideCombo = false;  // a combo's own edit box and list
            for (QWidget* up = control->parentWidget(); up; up = up->parentWidget()) {
                if (qobject_cast<QComboBox*>(up)) insideCombo = true;
            }
            if (insideCombo) continue;
            EXPECT_FALSE(control->objectName().isEmpty()) << control->metaObject()->className();
            EXPECT_FALSE(control->accessibleName().isEmpty()) << control->objectName().toStdString();
        }
    }
    EXPECT_EQ(company.Text11->accessibleName(), "Contact Surame");
    EXPECT_EQ(company.Combo19->accessibleName(), "Retrieve Company");
    EXPECT_EQ(client.Combo27->accessibleName(), "Lead Given To");
    EXPECT_EQ(client.Command2->accessibleName(), "Add client to database");
    EXPECT_EQ(client.Label61->text().left(46), "Always clear the screen before adding new clie");
    company.Command39->click();
    client.Command40->click();
    EXPECT_EQ(l.help.anchors, QStringList({"company", "client"}));
}
