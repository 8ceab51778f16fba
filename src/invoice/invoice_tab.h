#pragma once

#include "binding/module1.h"
#include "invoice/document_window.h"
#include "invoice/invoice_document.h"

#include <QList>
#include <QWidget>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace mervalis {

struct AppContext;
class DropDownCombo;

// What the Invoice tab uses of the Client and Company tabs: the boxes into
// which an invoice's client and its billing company are bound (the document
// reads them), and the add buttons that binding turns off.
struct InvoiceLinks {
    ClientBoxes client;
    QPushButton* Command2 = nullptr;   // Client tab, "Add client to database"
    CompanyBoxes company;
    QPushButton* Command12 = nullptr;  // Company tab, "Add company to database"
};

// The "Invoice" tab: the sales of one reference ID gathered as an invoice,
// its document, and its payment status.
class PagedList;

class InvoiceTab : public QWidget {
    Q_OBJECT
public:
    InvoiceTab(AppContext& context, InvoiceLinks links, QWidget* parent = nullptr);
    ~InvoiceTab() override;

    // The fixed lists.
    static QStringList titleEntries();         // Combo17
    static QStringList quantityEntries();      // Combo6
    static QStringList paymentTermsEntries();  // Combo11
    static QString notesText();                // Text41 at start
    static QString noInvoicesMessage();
    static QString creditNoteAdvice();

    void Combo4_DropDown();   // fill the reference-ID list
    void Combo4_Click();      // retrieve the chosen invoice
    void Command25_Click();   // Clear Screen
    void Command34_Click();   // Mark Invoice as PAID
    void Command4_Click();    // Generate Invoice
    void Combo5_DropDown();   // fill the billing-company list
    void Combo5_Click();      // bind the chosen company into the Company tab's boxes
    void Combo17_Click();     // advice for a credit note or amended invoice
    // "Outstanding Invoices...": asks for the window of what is owed.
    void outstandingInvoicesButton_Click();
    // Shows an invoice as picking its reference ID from the list does.
    void retrieve(const QString& referenceId);

    // The per-user setting that remembers "Show tax summary".
    static QString taxSummaryKey();

    // What the screen shows, as the document takes it.
    InvoiceScreen screen() const;
    // The document windows still open, oldest first.
    QList<DocumentWindow*> documents() const;

    DropDownCombo* Combo4;   // "Retrieve Reference ID"
    QCheckBox* Check4;       // "Outstanding"
    QPushButton* outstandingInvoicesButton;  // "Outstanding Invoices...", beside it
    QLineEdit* Text66;       // "Client"
    DropDownCombo* Combo5;   // "Bill from which company?"

    QLabel* Label62;         // "Price"
    QComboBox* Combo6;       // heading of the quantity column
    QLabel* Label64;         // "Product / Service"
    QLabel* sellDateLabel;   // "Sell Date"
    QLabel* shipDateLabel;   // "Ship Date", hidden
    QLabel* Label67;         // "Discount"
    QLabel* Label68;         // "Tax"
    QLabel* Label69;         // "Freight"
    QLabel* Label77;         // "SubTotal"
    QPlainTextEdit* Text29;  // Amount, one line per sale
    QPlainTextEdit* Text30;  // Quantity
    QPlainTextEdit* Text31;  // ProductService
    QPlainTextEdit* Text32;  // SellDate
    QPlainTextEdit* Text39;  // ship date, hidden, never filled
    QPlainTextEdit* Text35;  // Discount
    QPlainTextEdit* Text36;  // Tax
    QPlainTextEdit* Text37;  // Freight
    QPlainTextEdit* Text64;  // SubTotal
    QCheckBox* Check6;       // "Visible": the discount column of the document
    QCheckBox* Check5;       // "Visible": the tax column
    QCheckBox* Check7;       // "Visible": the freight column

    QLineEdit* Text27;       // "Invoice date"
    QCheckBox* Check1;       // "I am using letterheaded paper"
    QComboBox* Combo17;      // "Title"
    QComboBox* Combo11;      // payment terms
    QPlainTextEdit* Text41;  // notes
    QLabel* Label63;         // "This invoice has been paid.", red
    QPushButton* Command4;   // "Generate Invoice"
    QPushButton* Command25;  // "Clear Screen"
    QPushButton* Command34;  // "Mark Invoice as PAID"
    QPushButton* Command42;  // "Help"
    QPushButton* Command7;   // "Modify Invoice"
    QLineEdit* Text10;       // "Total Due"
    QLabel* footLabel;
    QCheckBox* showTaxSummary;  // "Show tax summary", remembered per user

signals:
    // The window of the outstanding invoices, which the main window keeps.
    void outstandingInvoicesRequested();

private:
    void buildControls();
    void layOut();
    void connectHandlers();
    // The column boxes in the order the sales fill them.
    QList<QPlainTextEdit*> columnBoxes() const;

    AppContext& context_;
    InvoiceLinks links_;
    QString titleSeen_;  // the title last chosen or typed, advised on once
    PagedList* referenceIds_;  // Combo4's entries, read as the list shows them
    OpenDocuments documents_;
};

}  // namespace mervalis
