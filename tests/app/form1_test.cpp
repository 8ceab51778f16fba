#include "analysis/analysis_sql.h"
#include "analysis/analysis_tab.h"
#include "app/form1.h"
#include "entry/client_tab.h"
#include "entry/company_tab.h"
#include "entry/sales_tab.h"
#include "grids/client_grid_tab.h"
#include "grids/data_grid.h"
#include "grids/grid_count.h"
#include "grids/sales_grid_tab.h"
#include "invoice/invoice_tab.h"
#include "ui/drop_down_combo.h"
#include "data/dates.h"
#include "support/test_env.h"
#include "support/texts.h"
#include "support/widgets.h"

#include <QAbstractScrollArea>
#include <QCompleter>
#include <QDate>
#include <QScreen>
#include <QTabBar>

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

// Every control a user sees on a tab: parts of a control (a combo box's
// edit line, a grid's headers) speak through it.
QList<QWidget*> controlsOn(QWidget* page)
{
    const auto isControl = [](const QWidget* w) {
        return qobject_cast<const QLabel*>(w) || qobject_cast<const QAbstractButton*>(w) ||
               qobject_cast<const QComboBox*>(w) || qobject_cast<const QLineEdit*>(w) ||
               qobject_cast<const QAbstractScrollArea*>(w);
    };
    QList<QWidget*> controls;
    for (QWidget* w : page->findChildren<QWidget*>()) {
        bool part = false;
        for (QWidget* p = w->parentWidget(); p != page; p = p->parentWidget()) part = part || isControl(p);
        if (isControl(w) && !part && w->isVisibleTo(page)) controls << w;
    }
    return controls;
}

}  // namespace

TEST(Form1, EveryControlOfEveryTabHasItsNamesAndLiesOverNoOtherAtTheOpeningAndTheSmallestSize)
{
    TestLedger l;
    Form1 form(*l.context);
    form.show();
    form.Form_Load();
    EXPECT_TRUE(form.width() >= 670 && form.height() >= 442) << form.width() << "x" << form.height();
    QStringList found;
    for (const QSize size : {form.size(), form.minimumSize()}) {
        form.resize(size);
        for (int tab = 0; tab < form.SSTab1->count(); ++tab) {
            form.SSTab1->setCurrentIndex(tab);
            QWidget* page = form.SSTab1->currentWidget();
            const auto place = [page](const QWidget* w) { return QRect(w->mapTo(page, QPoint(0, 0)), w->size()); };
            const QList<QWidget*> controls = controlsOn(page);
            for (qsizetype i = 0; i < controls.size(); ++i) {
                const QString name = form.SSTab1->tabText(tab) + "/" + controls[i]->objectName() + " ";
                if (controls[i]->focusPolicy() != Qt::NoFocus &&
                    (controls[i]->objectName().isEmpty() || controls[i]->accessibleName().trimmed().isEmpty())) {
                    found << name + controls[i]->metaObject()->className() + " has no name";
                }
                if (!(place(controls[i]->parentWidget()) & page->rect()).contains(place(controls[i]))) found << name + "is cut";
                for (qsizetype j = i + 1; j < controls.size(); ++j) {
                    if (place(controls[i]).intersects(place(controls[j]))) found << name + controls[j]->objectName();
                }
            }
        }
    }
    EXPECT_EQ(found, QStringList()) << form.width() << "x" << form.height();
}

TEST(Form1, ComesBackWhereItWasLeftAndOnTheScreen)
{
    // Size, place and state as the user left them; a place on a larger
    // screen comes back onto this one, filling it or moved onto it.
    TestLedger l;
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const QRect place(screen.topLeft() + QPoint(30, 20), screen.size() - QSize(40, 30));
    const QRect beyond(screen.bottomRight() + QPoint(400, 300), screen.size() + QSize(200, 100));
    const QRect away(screen.bottomRight() + QPoint(400, 300), QSize(745, 560));
    for (const auto& [left, maximised] : {std::pair{place, false}, {place, true}, {beyond, false}, {away, false}}) {
        {
            Form1 form(*l.context);
            form.show();
            form.showNormal();
            form.setGeometry(left);
            if (maximised) form.showMaximized();
            QCoreApplication::processEvents();
            form.close();
        }
        Form1 form(*l.context);
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
        if (left == place && !maximised) {
            EXPECT_EQ(form.geometry(), place);
        }
        EXPECT_EQ(form.isMaximized(), maximised || left == beyond);
        EXPECT_TRUE(screen.contains(form.frameGeometry())) << form.x() << "," << form.y();
    }
}

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
    EXPECT_EQ(textsOf({form.analysisTab->Combo8, form.salesTab->Text33, form.invoiceTab->Text27}),
              QStringList({QString::number(QDate::currentDate().year()), today, today}));
    EXPECT_TRUE(form.Label4->text().startsWith("Download latest Version and Custom Orders from ") &&
                form.Label37->isHidden());

    form.Suggestions_Click();
    EXPECT_TRUE(l.dialogs.last().startsWith("Please email bugs / errors / suggestions or functions you would like "
                                            "included in the next version to "));
    EXPECT_TRUE(l.dialogs.last().endsWith(".\r\n\r\nThankyou."));
    EXPECT_EQ(l.dialogs.shown().back().icon, DialogService::Icon::Information);

    // The help buttons F1 does not reach, and the menu's: a new help window at each press.
    for (int press = 0; press < 2; ++press) form.findChild<QPushButton*>("Command7")->click();
    form.Help_Click();
    EXPECT_EQ(l.help.anchors, QStringList({"modifyinvoice", "modifyinvoice", ""}));
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
    EXPECT_FALSE(form.companyTab->Command12->isEnabled() || form.clientTab->Command2->isEnabled());

    // Empty tables: refused, and the user lands on the Client Grid.
    form.SSTab1->setCurrentIndex(Form1::AnalysisIndex);
    EXPECT_EQ(form.SSTab1->currentIndex(), Form1::ClientGridIndex);
    EXPECT_EQ(l.dialogs.take(), QStringList({texts::kAnalysisGuard}));

    // Rows stored but not yet read: still refused until the views are refreshed.
    fillAllTables(l);
    form.SSTab1->setCurrentIndex(Form1::AnalysisIndex);
    EXPECT_EQ(form.SSTab1->currentIndex(), Form1::ClientGridIndex);
    EXPECT_EQ(l.dialogs.take(), QStringList({texts::kAnalysisGuard}));
    ASSERT_TRUE(l.store->adodc1.Refresh() && l.store->adodc2.Refresh() && l.store->adodc3.Refresh());
    form.SSTab1->setCurrentIndex(Form1::AnalysisIndex);
    EXPECT_EQ(form.SSTab1->currentIndex(), Form1::AnalysisIndex);
    EXPECT_TRUE(l.dialogs.shown().empty());

    // A retrieve that found nothing empties what Adodc1 holds.
    form.SSTab1->setCurrentIndex(Form1::ClientIndex);
    ASSERT_TRUE(l.store->adodc1.query("SELECT * FROM Mervalis WHERE ClientName = 'Nobody' "));
    form.SSTab1->setCurrentIndex(Form1::AnalysisIndex);
    EXPECT_EQ(form.SSTab1->currentIndex(), Form1::ClientGridIndex);
    EXPECT_EQ(l.dialogs.texts(), QStringList({texts::kAnalysisGuard}));
}

TEST(Form1, F1OpensTheHelpOfTheTabOnScreenAndF5RefreshesTheGridTabs)
{
    TestLedger l;
    fillAllTables(l);
    Form1 form(*l.context);
    form.Form_Load();
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    const auto press = [&](Qt::Key key) {
        QWidget* focus = QApplication::focusWidget();
        QTest::keyClick(focus ? focus : &form, key);
    };

    // Each tab's Help button names the key; F1 presses the one on screen.
    const QStringList anchors{"company", "client", "sales", "invoice", "salesgrid", "clientgrid", "analyse"};
    const QStringList buttons{"Command39", "Command40", "Command41", "Command42", "Command15", "Command17", "Command10"};
    for (int tab = 0; tab < form.SSTab1->count(); ++tab) {
        form.SSTab1->setCurrentIndex(tab);
        ASSERT_EQ(form.SSTab1->currentIndex(), tab);
        EXPECT_EQ(form.findChild<QPushButton*>(buttons[tab])->toolTip(), "Opens the help for this tab (F1)");
        press(Qt::Key_F1);
        ASSERT_TRUE(QTest::qWaitFor([&] { return l.help.anchors.size() > tab; }, 2000)) << tab;
        EXPECT_EQ(l.help.anchors, anchors.mid(0, tab + 1));
    }

    // F5 is Refresh View on both grid tabs: rows stored meanwhile appear.
    l.env.exec("INSERT INTO Mervalis2 (ClientName, SubTotal, TotalDue) VALUES ('Bolt', 2, 2)");
    form.SSTab1->setCurrentIndex(Form1::SalesGridIndex);
    form.salesGridTab->DataGrid2->setFocus();
    l.dialogs.clear();
    press(Qt::Key_F5);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !l.dialogs.shown().empty(); }, 2000));
    EXPECT_EQ(l.dialogs.take(), QStringList{"View refreshed!"});
    EXPECT_EQ(form.salesGridTab->DataGrid2->model()->rowCount(), 2);
    l.env.exec("INSERT INTO Mervalis (ClientName) VALUES ('Bolt')");
    form.SSTab1->setCurrentIndex(Form1::ClientGridIndex);
    press(Qt::Key_F5);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !l.dialogs.shown().empty(); }, 2000));
    EXPECT_EQ(l.dialogs.take(), QStringList{"View refreshed!"});
    EXPECT_EQ(form.clientGridTab->DataGrid1->model()->rowCount(), 2);
    // Elsewhere F5 does nothing.
    form.SSTab1->setCurrentIndex(Form1::CompanyIndex);
    press(Qt::Key_F5);
    QTest::qWait(300);
    EXPECT_TRUE(l.dialogs.shown().empty());
}

TEST(Form1, EveryEditableListKeepsWhatIsTypedEveryCheckBoxAnswersEveryChangeAndTabLeavesEveryNotesBox)
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

    // Tab leaves every multi-line box; Ctrl+Tab types a tab there.
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    QStringList kept;
    for (int tab = 0; tab < form.SSTab1->count(); ++tab) {
        form.SSTab1->setCurrentIndex(tab);
        for (QPlainTextEdit* box : form.SSTab1->currentWidget()->findChildren<QPlainTextEdit*>()) {
            if (!box->isVisible()) continue;
            box->setFocus();
            box->clear();
            QTest::keyClick(box, Qt::Key_Tab, Qt::ControlModifier);
            QTest::keyClick(box, Qt::Key_Tab);
            if (box->toPlainText() != "\t" || box->hasFocus() || form.SSTab1->currentIndex() != tab) kept << box->objectName();
        }
    }
    EXPECT_TRUE(kept.isEmpty()) << kept.join(", ").toStdString();
}

TEST(Form1, AnInvoiceRetrievedBindsItsClientAndCompanyAndTheLinesBeneathTheGridsSayWhatTheyHold)
{
    TestLedger l;
    const auto addSale = [&](const char* ref, const char* paid) {
        l.env.exec(QStringLiteral("INSERT INTO Mervalis2 (ClientName, ReferenceID, PAID, SubTotal) VALUES "
                                  "('O''Brien', '%1', '%2', 4)").arg(ref, paid));
    };
    l.env.exec("INSERT INTO Mervalis (ClientName, City) VALUES ('O''Brien', 'Leeds'), ('Acme', 'York');"
               "INSERT INTO Mervalis3 (CompanyName, City) VALUES ('Own Ltd', 'York')");
    for (const char* ref : {"NU-0001", "NU-0002", "NU-0002"}) addSale(ref, "unpaid");
    addSale("NU-0003", "PAID");
    Form1 form(*l.context);
    form.show();
    form.Form_Load();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    const QLabel* sales = form.salesGridTab->SalesShown;
    const auto show = [&](int tab) {
        QTest::mouseClick(form.SSTab1->tabBar(), Qt::LeftButton, {}, form.SSTab1->tabBar()->tabRect(tab).center());
        return sales->text();
    };
    const QString viewAll = " View All Records /Refresh All Databases shows them all.";
    EXPECT_EQ(show(Form1::SalesGridIndex), "4 sales: the whole table.");
    EXPECT_EQ(sales->accessibleName(), "Sales shown");

    // The invoice's client and billing company go into their tabs; the grids
    // hold the invoice's sales and its client.
    show(Form1::InvoiceIndex);
    form.clientTab->Command2->setEnabled(true);
    form.companyTab->Command12->setEnabled(true);
    openList(form.invoiceTab->Combo4);
    choose(form.invoiceTab->Combo4, form.invoiceTab->Combo4->findText("NU-0002"));
    openList(form.invoiceTab->Combo5);
    choose(form.invoiceTab->Combo5, 0);
    EXPECT_EQ(textsOf({form.clientTab->Text61, form.clientTab->Text59, form.companyTab->Text19,
                       form.companyTab->Text13}),
              QStringList({"O'Brien", "Leeds", "Own Ltd", "York"}));
    EXPECT_FALSE(form.clientTab->Command2->isEnabled() || form.companyTab->Command12->isEnabled());
    EXPECT_TRUE(l.dialogs.shown().empty());
    EXPECT_EQ(show(Form1::SalesGridIndex), "2 of 4 sales: the sales of invoice NU-0002." + viewAll);
    show(Form1::ClientGridIndex);
    EXPECT_EQ(textsOf({form.clientGridTab->CompaniesShown, form.clientGridTab->ClientsShown}),
              QStringList({"1 company: the companies named Own Ltd.", "1 of 2 clients: the clients named O'Brien." + viewAll}));

    // "Outstanding": the unpaid sales; one another workstation adds meanwhile
    // counts in the table at once, and in the grid after Refresh View.
    show(Form1::InvoiceIndex);
    QTest::mouseClick(form.invoiceTab->Check4, Qt::LeftButton);
    openList(form.invoiceTab->Combo4);
    addSale("NU-0004", "unpaid");
    EXPECT_EQ(show(Form1::SalesGridIndex), "3 of 5 sales: the unpaid sales." + viewAll);
    QTest::mouseClick(form.salesGridTab->Command3, Qt::LeftButton);
    EXPECT_EQ(sales->text(), "4 of 5 sales: the unpaid sales." + viewAll);
    QTest::mouseClick(form.salesGridTab->Command16, Qt::LeftButton);
    show(Form1::CompanyIndex);
    addSale("NU-0005", "unpaid");
    EXPECT_EQ(show(Form1::SalesGridIndex), "5 of 6 sales: the table as at the last refresh. Refresh View shows them all.");

    // What an analysis leaves: rows of its own, or some of the sales.
    ASSERT_TRUE(l.store->adodc2.query(analysis_sql::soldClients()));
    EXPECT_EQ(sales->text(), "1 row worked out by the last analysis, not sales of the table (6 sales). "
                             "View All Records /Refresh All Databases shows the table.");
    ASSERT_TRUE(l.store->adodc2.query(analysis_sql::monthSales(1, "2026")));
    EXPECT_EQ(sales->text(), "0 of 6 sales: those the last analysis looked at." + viewAll);
}
