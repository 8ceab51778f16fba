#include "app/form1.h"

#include "app/registry.h"
#include "app/window_geometry.h"

#include "analysis/analysis_tab.h"
#include "entry/client_tab.h"
#include "entry/company_tab.h"
#include "entry/form2.h"
#include "entry/sales_tab.h"
#include "invoice/invoice_tab.h"
#include "data/app_context.h"
#include "grids/client_grid_tab.h"
#include "data/data_control.h"
#include "data/database.h"
#include "data/dates.h"
#include "data/dialogs.h"
#include "data/help.h"
#include "grids/sales_grid_tab.h"
#include "receivables/outstanding_window.h"
#include "ui/ui.h"

#include <QApplication>
#include <QCloseEvent>
#include <QShowEvent>
#include <QGridLayout>
#include <QKeySequence>
#include <QComboBox>
#include <QDate>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>

namespace mervalis {

QString Form1::noticeText()
{
    return QStringLiteral("Download latest Version and Custom Orders from https://mervalis.org");
}

QString Form1::suggestionsText()
{
    return QStringLiteral("Please email bugs / errors / suggestions or functions you would like included in the "
                          "next version to support@mervalis.org.\r\n\r\nThankyou.");
}

QString Form1::analysisGuardText()
{
    return QStringLiteral("You can only use this function if there is at least one record in each of the company, "
                          "client and sales databases. If you have records in these databases, please refresh all "
                          "databases and try again.");
}

Form1::Form1(AppContext& context, QWidget* parent) : QMainWindow(parent), context_(context)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Mervalis Ver5.1"));
    QFont arial(QStringLiteral("Arial"));
    arial.setPointSize(font().pointSize());
    setFont(arial);

    auto* help = menuBar()->addMenu(QStringLiteral("Help"));
    help->setObjectName(QStringLiteral("File"));
    QAction* helpFile = help->addAction(QStringLiteral("Help File"));
    helpFile->setObjectName(QStringLiteral("Help"));
    QAction* suggestions = help->addAction(QStringLiteral("Suggestions and Bugs"));
    suggestions->setObjectName(QStringLiteral("Suggestions"));
    connect(helpFile, &QAction::triggered, this, &Form1::Help_Click);
    connect(suggestions, &QAction::triggered, this, &Form1::Suggestions_Click);

    auto* central = new QWidget(this);
    SSTab1 = named(new QTabWidget(central), "SSTab1", QStringLiteral("Mervalis"));
    Label4 = named(new QLabel(noticeText(), central), "Label4", QStringLiteral("Notice"));
    Label37 = named(new QLabel(QStringLiteral("Please wait..."), central), "Label37", QStringLiteral("Progress"));
    Label37->hide();
    FootLine foot{Label4, Label37};

    companyTab = new CompanyTab(context_, SSTab1);
    clientTab = new ClientTab(context_, SSTab1);
    salesTab = new SalesTab(context_, SSTab1);
    invoiceTab = new InvoiceTab(context_,
                                InvoiceLinks{clientTab->boxes(), clientTab->Command2, companyTab->boxes(),
                                             companyTab->Command12},
                                SSTab1);
    salesGridTab = new SalesGridTab(context_, foot, SSTab1);
    clientGridTab = new ClientGridTab(context_, *salesGridTab, SSTab1);
    analysisTab = new AnalysisTab(context_, foot, SSTab1);
    SSTab1->addTab(companyTab, QStringLiteral("Company"));
    SSTab1->addTab(clientTab, QStringLiteral("Client"));
    SSTab1->addTab(salesTab, QStringLiteral("Sales"));
    SSTab1->addTab(invoiceTab, QStringLiteral("Invoice"));
    SSTab1->addTab(salesGridTab, QStringLiteral("Sales Grid"));
    SSTab1->addTab(clientGridTab, QStringLiteral("Client Grid"));
    SSTab1->addTab(analysisTab, QStringLiteral("Analysis"));
    connect(SSTab1, &QTabWidget::currentChanged, this, [this] { SSTab1_Click(); });
    connect(invoiceTab, &InvoiceTab::outstandingInvoicesRequested, this, &Form1::showOutstandingInvoices);
    datePicker = new DatePicker(context_, DateFields{salesTab->Text33, invoiceTab->Text27}, this);
    // Tab leaves every multi-line box (notes, the invoice's columns).
    for (QPlainTextEdit* box : findChildren<QPlainTextEdit*>()) tabMovesFocus(box);
    // F1 presses the Help button of the tab on screen.
    for (QPushButton* help : {companyTab->Command39, clientTab->Command40, salesTab->Command41, invoiceTab->Command42,
                              salesGridTab->Command15, clientGridTab->Command17, analysisTab->Command10}) {
        help->setToolTip(QStringLiteral("Opens the help for this tab"));
        giveKey(help, QKeySequence(Qt::Key_F1));
    }

    // SSTab1 fills the window above the two foot lines, laid out in twips as
    // the window was drawn and growing with the window.
    auto* layout = new QGridLayout(central);
    layout->setContentsMargins(twips(120), 0, twips(75), 0);
    layout->addWidget(SSTab1, 0, 0, 1, 3);
    layout->setColumnMinimumWidth(0, twips(1440 - 120));
    layout->addWidget(Label4, 1, 1);
    layout->addWidget(Label37, 1, 2);
    layout->setRowMinimumHeight(1, twips(255));
    setCentralWidget(central);
    WindowGeometry::fit(*this, *SSTab1, QSize(twips(10050), twips(6630) + menuBar()->sizeHint().height()));
    WindowGeometry::restore(*this, context_.settings);
}

Form1::~Form1()
{
    // The window of what is owed retrieves invoices into this window's tab.
    delete outstanding_.data();
}

void Form1::Form_Load()
{
    QCoreApplication::processEvents();
    // The data controls open their tables as the window loads. A ledger that
    // cannot be reached is told once, not once by every control.
    if (context_.database.connect()) {
        context_.adodc1.Refresh();
        context_.adodc2.Refresh();
        context_.adodc3.Refresh();
    } else {
        context_.dialogs.warn(unreachableLedgerText(context_.database));
    }
    analysisTab->Combo8->setEditText(QString::number(QDate::currentDate().year()));
    salesTab->Text33->setText(shortDateText(QDate::currentDate()));
    SSTab1->setCurrentIndex(CompanyIndex);
    invoiceTab->Text27->setText(shortDateText(QDate::currentDate()));
}

QString Form1::unreachableLedgerText(const Database& database)
{
    const QString file = dataSourceDatabaseFile(database.dataSourceName());
    if (!file.isEmpty() && !QFileInfo::exists(file)) {
        return QStringLiteral("The ledger's database %1 does not exist, so there is nothing to show and nowhere to "
                              "store.\r\n\r\nOn a new installation, create it with the installation program: "
                              "mervalis-setup (mervalis-setup --sample-data adds a sample ledger). In a network "
                              "installation, make sure the shared folder is mounted. Then start Mervalis again.")
            .arg(file);
    }
    return QStringLiteral("The data source \"%1\" could not be reached.\r\n\r\n%2")
        .arg(database.dataSourceName(), database.lastError());
}

void Form1::Help_Click()
{
    context_.help.open(QString());
}

void Form1::Suggestions_Click()
{
    context_.dialogs.inform(suggestionsText());
}

void Form1::SSTab1_Click()
{
    if (clientTab->Command2->isEnabled()) clientTab->Command2->setEnabled(false);
    if (companyTab->Command12->isEnabled()) companyTab->Command12->setEnabled(false);
    if (SSTab1->currentIndex() != AnalysisIndex) return;
    QCoreApplication::processEvents();
    if (context_.adodc1.recordCount() >= 1) {
        QCoreApplication::processEvents();
        if (context_.adodc2.recordCount() >= 1) {
            QCoreApplication::processEvents();
            if (context_.adodc3.recordCount() >= 1) return;
        }
    }
    context_.dialogs.inform(analysisGuardText());
    SSTab1->setCurrentIndex(ClientGridIndex);
}

void Form1::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    // Where the user left it may lie beyond a screen that has shrunk since.
    if (!event->spontaneous()) WindowGeometry::keepOnScreen(*this);
}

void Form1::showOutstandingInvoices()
{
    if (!outstanding_) {
        outstanding_ = new OutstandingWindow(context_, [this](const QString& referenceId) {
            // The invoice on the Invoice tab, in front.
            SSTab1->setCurrentWidget(invoiceTab);
            invoiceTab->retrieve(referenceId);
            show();
            raise();
            activateWindow();
        });
    }
    if (!outstanding_->refresh() && !outstanding_->isVisible()) return;
    outstanding_->show();
    outstanding_->raise();
    outstanding_->activateWindow();
}

OutstandingWindow* Form1::outstandingWindow() const { return outstanding_.data(); }

void Form1::closeEvent(QCloseEvent* event)
{
    if (outstanding_) outstanding_->close();
    // Bound boxes write what was typed before the window goes.
    context_.adodc1.leaveRecord();
    context_.adodc2.leaveRecord();
    context_.adodc3.leaveRecord();
    WindowGeometry::save(*this, context_.settings);
    QMainWindow::closeEvent(event);
}

}  // namespace mervalis
