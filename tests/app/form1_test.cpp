#include "analysis/analysis_tab.h"
#include "app/form1.h"
#include "entry/client_tab.h"
#include "entry/company_tab.h"
#include "entry/sales_tab.h"
#include "grids/client_grid_tab.h"
#include "grids/data_grid.h"
#include "grids/sales_grid_tab.h"
#include "invoice/invoice_tab.h"
#include "ui/drop_down_combo.h"
#include "data/dates.h"
#include "support/test_env.h"
#include "support/widgets.h"

#include <QApplication>
#include <QAbstractScrollArea>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QCompleter>
#include <QComboBox>
#include <QDate>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
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

// Controls of a tab that lie over each other or reach out of their container.
QStringList overlaps(QTabWidget* tabs)
{
    QStringList found;
    for (int tab = 0; tab < tabs->count(); ++tab) {
        tabs->setCurrentIndex(tab);
        QWidget* page = tabs->currentWidget();
        const auto isControl = [](const QWidget* w) {
            return qobject_cast<const QLabel*>(w) || qobject_cast<const QAbstractButton*>(w) ||
                   qobject_cast<const QComboBox*>(w) || qobject_cast<const QLineEdit*>(w) ||
                   qobject_cast<const QAbstractScrollArea*>(w);
        };
        QList<QWidget*> controls;
        for (QWidget* w : page->findChildren<QWidget*>()) {
            bool part = false;  // of a combo box or a grid, which speaks for it
            for (QWidget* p = w->parentWidget(); p != page; p = p->parentWidget()) part = part || isControl(p);
            if (isControl(w) && !part && w->isVisibleTo(page)) controls << w;
        }
        const auto place = [page](const QWidget* w) { return QRect(w->mapTo(page, QPoint(0, 0)), w->size()); };
        for (qsizetype i = 0; i < controls.size(); ++i) {
            const QString name = tabs->tabText(tab) + "/" + controls[i]->objectName();
            if (!(place(controls[i]->parentWidget()) & page->rect()).contains(place(controls[i]))) found << name;
            for (qsizetype j = i + 1; j < controls.size(); ++j) {
                if (place(controls[i]).intersects(place(controls[j]))) found << name + " " + controls[j]->objectName();
            }
        }
    }
    return found;
}

}  // namespace

TEST(Form1, NoControlOfATabLiesOverAnotherAndTheWindowComesBackWhereItWasLeftOnTheScreen)
{
    TestLedger l;
    {
        Form1 form(*l.context);
        form.show();
        form.Form_Load();
        EXPECT_TRUE(form.width() >= 670 && form.height() >= 442) << form.width() << "x" << form.height();
        EXPECT_EQ(overlaps(form.SSTab1), QStringList());
        form.resize(form.minimumSize());
        EXPECT_EQ(overlaps(form.SSTab1), QStringList()) << form.width() << "x" << form.height();
    }
    // Size, place and state as the user left them; a place on a larger
    // screen comes back onto this one.
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
            box->setPlainText("a");
            box->moveCursor(QTextCursor::End);
            QTest::keyClick(box, Qt::Key_Tab, Qt::ControlModifier);
            QTest::keyClick(box, Qt::Key_Tab);
            if (box->toPlainText() != "a\t" || box->hasFocus() || form.SSTab1->currentIndex() != tab) kept << box->objectName();
        }
    }
    EXPECT_TRUE(kept.isEmpty()) << kept.join(", ").toStdString();
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
