#pragma once

#include "ui/foot_line.h"

#include <QMainWindow>
#include <QPointer>

class QLabel;
class QTabWidget;

namespace mervalis {

struct AppContext;
class AnalysisTab;
class Database;
class ClientGridTab;
class ClientTab;
class CompanyTab;
class DatePicker;
class InvoiceTab;
class OutstandingWindow;
class SalesGridTab;
class SalesTab;

// The main window: seven tabs, the Help menu, the notice and progress lines.
class Form1 : public QMainWindow {
    Q_OBJECT
public:
    enum Tab { CompanyIndex, ClientIndex, SalesIndex, InvoiceIndex, SalesGridIndex, ClientGridIndex, AnalysisIndex };

    explicit Form1(AppContext& context, QWidget* parent = nullptr);
    ~Form1() override;

    // Start-up defaults: connects the data controls, then the analysis year,
    // today's dates and the Company tab.
    void Form_Load();

    QTabWidget* SSTab1;
    QLabel* Label4;
    QLabel* Label37;
    CompanyTab* companyTab;
    ClientTab* clientTab;
    SalesTab* salesTab;
    InvoiceTab* invoiceTab;
    SalesGridTab* salesGridTab;
    ClientGridTab* clientGridTab;
    AnalysisTab* analysisTab;
    DatePicker* datePicker;  // the date window of "Sell Date" and "Invoice date"

    void Help_Click();
    void Suggestions_Click();
    // The guard run on every change of tab.
    void SSTab1_Click();
    // The Invoice tab's "Outstanding Invoices...": the one window of what is
    // owed, opened or brought forward and read again.
    void showOutstandingInvoices();
    OutstandingWindow* outstandingWindow() const;

    static QString noticeText();
    static QString suggestionsText();
    static QString analysisGuardText();
    // Told once at start-up when the ledger cannot be reached; a missing
    // database file is named with the way to create it.
    static QString unreachableLedgerText(const Database& database);

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    AppContext& context_;
    QPointer<OutstandingWindow> outstanding_;
};

}  // namespace mervalis
