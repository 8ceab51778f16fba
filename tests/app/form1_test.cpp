#include "analysis/analysis_tab.h"
#include "app/form1.h"
#include "entry/client_tab.h"
#include "entry/company_tab.h"
#include "entry/sales_tab.h"
#include "invoice/invoice_tab.h"
#include "ui/drop_down_combo.h"
#include "data/dates.h"
#include "support/test_env.h"
#include "support/widgets.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QCompleter>
#include <QComboBox>
#include <QDate>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTabBar>
#include <QTest>

#include <gtest/gtest.h>

using namespace mervalis;
using namespace mervalis::test;

namespace {

void fillAllTables(TestLedger& l)
{
    l.env.exec("INSERT INTO Mervalis (ClientName) VALUES ('Acme');"
               "INSERT INTO Mervalis2 (ClientName, SubTotal, TotalDue) VALUES ('Acme', 1, 1);"
               "INSERT INTO Mervalis3 (CompanyName) VALUES ('Own Ltd');");
}

// How many connections a signal has; QObject keeps that to itself.
struct SignalPeek : QObject {
    static int connections(const QObject* object, const char* signal)
    {
        const auto count = &SignalPeek::receivers;
        return (object->*count)(signal);
    }
};

}  // namespace

TEST(Form1, OpensWithItsTabsMenuHelpButtonsAndStartUpDefaults)
{
    TestLedger l;
    Form1 form(*l.context);
    form.SSTab1->setCurrentIndex(Form1::SalesIndex);
    form.Form_Load();

    EXPECT_EQ(form.windowTitle(), "Mervalis Ver5.1");
    QStringList captions;
    for (int i = 0; i < form.SSTab1->count(); ++i) captions << form.SSTab1->tabText(i);
    EXPECT_EQ(captions, QStringList({"Company", "Client", "Sales", "Invoice", "Sales Grid", "Client Grid", "Analysis"}));
    EXPECT_EQ(form.SSTab1->currentIndex(), Form1::CompanyIndex);
    // The year of analysis and both dates are today's, the year in four digits.
    const QString today = shortDateText(QDate::currentDate());
    EXPECT_TRUE(today.contains(QString::number(QDate::currentDate().year())));
    EXPECT_EQ(readShortDate(today), QDate::currentDate());
    EXPECT_EQ(textsOf({form.analysisTab->Combo8, form.salesTab->Text33, form.invoiceTab->Text27}),
              QStringList({QString::number(QDate::currentDate().year()), today, today}));
    EXPECT_TRUE(form.Label4->text().startsWith("Download latest Version and Custom Orders from "));
    EXPECT_TRUE(form.Label37->isHidden());

    const QList<QAction*> menus = form.menuBar()->actions();
    ASSERT_EQ(menus.size(), 1);
    EXPECT_EQ(menus[0]->text(), "Help");
    QStringList items;
    for (QAction* item : menus[0]->menu()->actions()) items << item->text();
    EXPECT_EQ(items, QStringList({"Help File", "Suggestions and Bugs"}));
    form.Suggestions_Click();
    EXPECT_TRUE(l.dialogs.last().startsWith("Please email bugs / errors / suggestions or functions you would like "
                                            "included in the next version to "));
    EXPECT_TRUE(l.dialogs.last().endsWith(".\r\n\r\nThankyou."));
    EXPECT_EQ(l.dialogs.shown().back().icon, DialogService::Icon::Information);

    // Every help button opens a new help window at its anchor, at each press.
    const std::vector<std::pair<const char*, const char*>> buttons{
        {"Command39", "company"},   {"Command40", "client"},     {"Command41", "sales"},
        {"Command42", "invoice"},   {"Command7", "modifyinvoice"}, {"Command15", "salesgrid"},
        {"Command17", "clientgrid"}, {"Command10", "analyse"}};
    QStringList expected;
    for (const auto& [name, anchor] : buttons) {
        auto* button = form.findChild<QPushButton*>(QLatin1String(name));
        ASSERT_NE(button, nullptr) << name;
        button->click();
        expected << QLatin1String(anchor);
    }
    form.findChild<QPushButton*>("Command39")->click();
    expected << "company";
    form.Help_Click();
    expected << "";
    EXPECT_EQ(l.help.anchors, expected);
}

TEST(Form1, TabChangesEndTheAddingStateAndTheAnalysisTabGuardCountsWhatTheDataControlsHold)
{
    TestLedger l;
    Form1 form(*l.context);
    form.Form_Load();

    // Leaving the Company or Client tab ends the adding state Clear Screen left.
    form.companyTab->Command12->setEnabled(true);
    form.clientTab->Command2->setEnabled(true);
    form.SSTab1->setCurrentIndex(Form1::ClientIndex);
    form.SSTab1->setCurrentIndex(Form1::CompanyIndex);
    EXPECT_FALSE(form.companyTab->Command12->isEnabled());
    EXPECT_FALSE(form.clientTab->Command2->isEnabled());

    // Empty tables: refused, and the user lands on the Client Grid.
    form.SSTab1->setCurrentIndex(Form1::AnalysisIndex);
    EXPECT_EQ(form.SSTab1->currentIndex(), Form1::ClientGridIndex);
    EXPECT_EQ(l.dialogs.take(), QStringList({Form1::analysisGuardText()}));

    // Rows stored but not yet read: still refused until the views are refreshed.
    fillAllTables(l);
    form.SSTab1->setCurrentIndex(Form1::AnalysisIndex);
    EXPECT_EQ(form.SSTab1->currentIndex(), Form1::ClientGridIndex);
    EXPECT_EQ(l.dialogs.take(), QStringList({Form1::analysisGuardText()}));
    ASSERT_TRUE(l.store->adodc1.Refresh() && l.store->adodc2.Refresh() && l.store->adodc3.Refresh());
    form.SSTab1->setCurrentIndex(Form1::AnalysisIndex);
    EXPECT_EQ(form.SSTab1->currentIndex(), Form1::AnalysisIndex);
    EXPECT_TRUE(l.dialogs.shown().empty());

    // A retrieve that found nothing empties what Adodc1 holds.
    form.SSTab1->setCurrentIndex(Form1::ClientIndex);
    ASSERT_TRUE(l.store->adodc1.query("SELECT * FROM Mervalis WHERE ClientName = 'Nobody' "));
    form.SSTab1->setCurrentIndex(Form1::AnalysisIndex);
    EXPECT_EQ(form.SSTab1->currentIndex(), Form1::ClientGridIndex);
    EXPECT_EQ(l.dialogs.texts(), QStringList({Form1::analysisGuardText()}));
}

TEST(Form1, EveryReachableControlHasAnAccessibleNameAndItsControlName)
{
    TestLedger l;
    Form1 form(*l.context);
    form.Form_Load();
    QStringList unnamed;
    for (int tab = 0; tab < form.SSTab1->count(); ++tab) {
        QWidget* page = form.SSTab1->widget(tab);
        for (QWidget* w : page->findChildren<QWidget*>()) {
            if (w->focusPolicy() == Qt::NoFocus || !w->isVisibleTo(page)) continue;
            // Parts of composite controls speak through their owner.
            if (qobject_cast<QScrollBar*>(w) || qobject_cast<QTabBar*>(w)) continue;
            if (qobject_cast<QComboBox*>(w->parentWidget())) continue;
            bool inComposite = false;
            for (QWidget* p = w->parentWidget(); p && p != page; p = p->parentWidget()) {
                if (qobject_cast<QCalendarWidget*>(p)) inComposite = true;
            }
            if (inComposite) continue;
            if (w->accessibleName().trimmed().isEmpty() || w->objectName().isEmpty()) {
                unnamed << QStringLiteral("%1/%2 (%3)")
                               .arg(form.SSTab1->tabText(tab), w->objectName(), w->metaObject()->className());
            }
        }
    }
    EXPECT_TRUE(unnamed.isEmpty()) << unnamed.join(", ").toStdString();
}

TEST(Form1, EveryEditableListKeepsWhatIsTypedAndEveryCheckBoxAnswersEveryChange)
{
    TestLedger l;
    Form1 form(*l.context);
    form.Form_Load();
    form.show();
    QStringList changed;
    for (QComboBox* combo : form.findChildren<QComboBox*>()) {
        if (!combo->isEditable()) continue;
        // Typing the start of an entry must leave just what was typed.
        QString typed = QStringLiteral("z");
        for (int i = 0; i < combo->count(); ++i) {
            if (combo->itemText(i).size() > 1) {
                typed = combo->itemText(i).left(1).toLower();
                break;
            }
        }
        combo->lineEdit()->clear();
        QTest::keyClicks(combo->lineEdit(), typed);
        if (combo->currentText() != typed || combo->completer()) changed << combo->objectName();
    }
    EXPECT_TRUE(changed.isEmpty()) << changed.join(", ").toStdString();

    // A Check*_Click handler listens to every change of the tick; one that
    // listened to clicks alone would miss the keyboard's and a screen
    // reader's changes.
    QStringList clickOnly;
    for (QCheckBox* box : form.findChildren<QCheckBox*>()) {
        if (SignalPeek::connections(box, SIGNAL(clicked(bool))) > 0) clickOnly << box->objectName();
    }
    EXPECT_TRUE(clickOnly.isEmpty()) << clickOnly.join(", ").toStdString();
}

TEST(Form1, TheInvoiceTabBindsTheInvoicesClientAndBillingCompanyIntoTheirTabs)
{
    TestLedger l;
    l.env.exec("INSERT INTO Mervalis (ClientName, City) VALUES ('Acme', 'Leeds');"
               "INSERT INTO Mervalis3 (CompanyName, City) VALUES ('Own Ltd', 'York');"
               "INSERT INTO Mervalis2 (ClientName, ReferenceID, SubTotal) VALUES ('Acme', 'R1', 4)");
    Form1 form(*l.context);
    form.Form_Load();
    form.clientTab->Command2->setEnabled(true);
    form.companyTab->Command12->setEnabled(true);
    InvoiceTab& tab = *form.invoiceTab;
    openList(tab.Combo4);
    choose(tab.Combo4, 0);
    openList(tab.Combo5);
    choose(tab.Combo5, 0);
    EXPECT_EQ(textsOf({form.clientTab->Text61, form.clientTab->Text59, form.companyTab->Text19,
                       form.companyTab->Text13}),
              QStringList({"Acme", "Leeds", "Own Ltd", "York"}));
    EXPECT_FALSE(form.clientTab->Command2->isEnabled());
    EXPECT_FALSE(form.companyTab->Command12->isEnabled());
    EXPECT_TRUE(l.dialogs.shown().empty());
}
