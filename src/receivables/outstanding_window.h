#pragma once

#include "invoice/document_window.h"
#include "receivables/outstanding_invoices.h"

#include <QList>
#include <QWidget>

#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

namespace mervalis {

struct AppContext;
class DropDownCombo;
class OutstandingFilter;
class OutstandingModel;

// "Outstanding Invoices": every invoice with an unpaid sale, who owes it and
// since when, with the totals of each age band above the list, and the
// statements of its clients. A window of its own, not modal; it reads the
// ledger again whenever it is opened or refreshed, aged as of today.
class OutstandingWindow : public QWidget {
    Q_OBJECT
public:
    // `retrieve` shows an invoice on the Invoice tab, as picking its
    // reference ID in "Retrieve Reference ID" does.
    OutstandingWindow(AppContext& context, std::function<void(const QString&)> retrieve, QWidget* parent = nullptr);
    ~OutstandingWindow() override;

    // "Refresh": reads what the ledger owes, keeping the filters and the
    // sort. False when the ledger could not be read (the user was told).
    bool refresh();
    // Enter or a double-click on a row.
    void retrieveCurrent();
    // "Statement...": the statement of the current row's client.
    void statement_Click();
    // "Export to CSV...": the rows shown, as the grids export theirs.
    void export_Click();
    // The billing companies, listed as the Invoice tab lists them.
    void billingCompany_DropDown();

    // The statement windows still open, oldest first.
    QList<DocumentWindow*> documents() const;
    const OutstandingFilter& shown() const { return *filter_; }

    QComboBox* clientFilter;     // "Client"
    QComboBox* companyFilter;    // "Company"
    QPushButton* refreshButton;  // "Refresh", F5
    QList<QLabel*> bandCaptions;        // "0-30 days" ... "No date"
    QList<QLineEdit*> bandTotals;       // their totals, in AgeBand order
    QLineEdit* grandTotal;              // "Total"
    QLabel* countLabel;                 // "n invoices"
    QLabel* withoutReferenceLabel;      // unpaid sales on no invoice, when there are any
    QLabel* unheldLabel;                // figures left empty, beyond the amounts the ledger adds up
    QTableView* view;
    DropDownCombo* billingCompany;      // "Bill from which company?"
    QCheckBox* letterhead;              // "I am using letterheaded paper"
    QPushButton* statementButton;       // "Statement..."
    QPushButton* exportButton;          // "Export to CSV..."

private:
    void buildControls();
    void layOut();
    void applyFilters();
    void showTotals();

    AppContext& context_;
    std::function<void(const QString&)> retrieve_;
    OutstandingModel* model_;
    OutstandingFilter* filter_;
    OpenDocuments documents_;
};

}  // namespace mervalis
