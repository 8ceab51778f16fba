#include "invoice/invoice_tab.h"

#include "data/app_context.h"
#include "data/client_table.h"
#include "data/company_table.h"
#include "data/data_control.h"
#include "data/dates.h"
#include "data/dialogs.h"
#include "data/help.h"
#include "data/money.h"
#include "data/row_block.h"
#include "data/sales_table.h"
#include "data/tax_details.h"
#include "invoice/e_invoice.h"
#include "invoice/invoice_generation.h"
#include "invoice/invoice_lines.h"
#include "invoice/document_window.h"
#include "ui/drop_down_combo.h"
#include "ui/list_fill.h"
#include "ui/paged_list.h"
#include "ui/ui.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDate>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QVBoxLayout>

namespace mervalis {

namespace {

const QString kClearText = QStringLiteral("Create text or clear");

void disable(QPushButton* button)
{
    if (button) button->setEnabled(false);
}

QLabel* redLabel(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Qt::red);
    label->setPalette(palette);
    return label;
}

// A multi-line column box: lines are never wrapped, so that line n of every
// column belongs to sale n.
QPlainTextEdit* columnBox(QWidget* parent, const char* name, const QString& accessibleName)
{
    auto* box = named(new QPlainTextEdit(parent), name, accessibleName);
    box->setLineWrapMode(QPlainTextEdit::NoWrap);
    box->setTabChangesFocus(true);
    box->setMinimumHeight(twips(1815));
    box->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Expanding);
    return box;
}

QComboBox* editableList(QWidget* parent, const char* name, const QString& accessibleName, const QStringList& entries,
                        const QString& text)
{
    auto* combo = named(makeEditable(new QComboBox(parent)), name, accessibleName);
    combo->addItems(entries);
    combo->setEditText(text);
    return combo;
}

QString noSaleMessage(const QString& referenceId)
{
    return QStringLiteral("No sale has the reference ID \"%1\".").arg(referenceId);
}

}  // namespace

InvoiceTab::InvoiceTab(AppContext& context, InvoiceLinks links, QWidget* parent)
    : QWidget(parent), context_(context), links_(std::move(links)),
      referenceIds_(new PagedList(context.database, this))
{
    buildControls();
    layOut();
    connectHandlers();
}

InvoiceTab::~InvoiceTab() = default;

QStringList InvoiceTab::titleEntries()
{
    return {QStringLiteral("INVOICE"), QStringLiteral("CREDIT NOTE"), QStringLiteral("AMENDED INVOICE")};
}

QStringList InvoiceTab::quantityEntries() { return {QStringLiteral("Hours"), QStringLiteral("Days")}; }

QStringList InvoiceTab::paymentTermsEntries()
{
    return {QStringLiteral("TO BE RECEIVED NOT 7 DAYS LATER THAN DATE OF INVOICE"),
            QStringLiteral("PLEASE MAKE CHEQUES PAYABLE TO MY BUSINESS LTD"),
            QStringLiteral("ACCOUNT # 12345678 SORT CODE 00-00-00"),
            QStringLiteral("PLEASE HELP OUR FINANCES BY PAYING PROMPTLY"),
            QStringLiteral("14 days"),
            QStringLiteral("21 days"),
            QStringLiteral("30 days"),
            QStringLiteral("60 days"),
            QStringLiteral("90 days"),
            QStringLiteral("CASH ON DELIVERY"),
            QStringLiteral("CASH ON RECEIPT"),
            QStringLiteral("CASH ON ARRIVAL"),
            QStringLiteral("SALE OR RETURN"),
            QStringLiteral("CIA"),
            QStringLiteral("COD"),
            QStringLiteral("ROG"),
            QStringLiteral("NET 10"),
            QStringLiteral("NET 15"),
            QStringLiteral("NET 30")};
}

QString InvoiceTab::notesText()
{
    return QStringLiteral("Or you can write notes here or clear\ne.g.\nThankyou for your custom\n");
}

QString InvoiceTab::noInvoicesMessage()
{
    return QStringLiteral("Either there are no invoices, no outstanding invoices, no records in the database or the "
                          "database needs to be refreshed. If you can see invoices when the 'Outstanding' check box "
                          "is unchecked, then there are no outstanding invoices. Else there are no invoice records. "
                          "Create a sale with a referenceID if none exists or refresh the database.");
}

QString InvoiceTab::creditNoteAdvice()
{
    return QStringLiteral("Ensure that credits are added as seperate sales with a negative value. This way the total "
                          "sales to the client will reflect the credit note.\r\n\r\ne.g.\r\nIf the credit is for "
                          "(whatever currency)25, the sale should read -25.\r\n\r\nIf you associate the credit with "
                          "the same reference ID, client and company name as the original invoice then it will "
                          "appear in the same invoice, else you can create a seperate invoice / credit note by "
                          "creating a seperate Reference ID.");
}

void InvoiceTab::buildControls()
{
    Combo4 = named(DropDownCombo::editable(this), "Combo4", QStringLiteral("Retrieve Reference ID"));
    Check4 = namedButton(new QCheckBox(QStringLiteral("Outstanding"), this), "Check4");
    outstandingInvoicesButton = namedButton(new QPushButton(QStringLiteral("Outstanding Invoices..."), this),
                                            "outstandingInvoicesButton");
    outstandingInvoicesButton->setToolTip(QStringLiteral("Lists every invoice that is owed: by whom, and since when"));
    giveKey(outstandingInvoicesButton, QKeySequence(Qt::CTRL | Qt::Key_O));
    Text66 = named(new QLineEdit(this), "Text66", QStringLiteral("Client"));
    Combo5 = named(DropDownCombo::editable(this), "Combo5", QStringLiteral("Bill from which company?"));

    Label62 = named(new QLabel(QStringLiteral("Price"), this), "Label62", QStringLiteral("Price"));
    Combo6 = editableList(this, "Combo6", QStringLiteral("Quantity heading"), quantityEntries(),
                          QStringLiteral("Quantity"));
    Label64 = named(new QLabel(QStringLiteral("Product / Service"), this), "Label64",
                    QStringLiteral("Product / Service"));
    sellDateLabel = named(new QLabel(QStringLiteral("Sell Date"), this), "sellDateLabel", QStringLiteral("Sell Date"));
    shipDateLabel = named(new QLabel(QStringLiteral("Ship Date"), this), "shipDateLabel", QStringLiteral("Ship Date"));
    Label67 = named(new QLabel(QStringLiteral("Discount"), this), "Label67", QStringLiteral("Discount"));
    Label68 = named(new QLabel(QStringLiteral("Tax"), this), "Label68", QStringLiteral("Tax"));
    Label69 = named(new QLabel(QStringLiteral("Freight"), this), "Label69", QStringLiteral("Freight"));
    Label77 = named(new QLabel(QStringLiteral("SubTotal"), this), "Label77", QStringLiteral("SubTotal"));

    Text29 = columnBox(this, "Text29", QStringLiteral("Price"));
    Text30 = columnBox(this, "Text30", QStringLiteral("Quantity"));
    Text31 = columnBox(this, "Text31", QStringLiteral("Product / Service"));
    Text32 = columnBox(this, "Text32", QStringLiteral("Sell Date"));
    Text39 = columnBox(this, "Text39", QStringLiteral("Ship Date"));
    Text35 = columnBox(this, "Text35", QStringLiteral("Discount"));
    Text36 = columnBox(this, "Text36", QStringLiteral("Tax"));
    Text37 = columnBox(this, "Text37", QStringLiteral("Freight"));
    Text64 = columnBox(this, "Text64", QStringLiteral("SubTotal"));
    shipDateLabel->hide();
    Text39->hide();

    Check6 = named(new QCheckBox(QStringLiteral("Visible"), this), "Check6", QStringLiteral("Discount visible"));
    Check5 = named(new QCheckBox(QStringLiteral("Visible"), this), "Check5", QStringLiteral("Tax visible"));
    Check7 = named(new QCheckBox(QStringLiteral("Visible"), this), "Check7", QStringLiteral("Freight visible"));
    for (QCheckBox* visible : {Check6, Check5, Check7}) visible->setChecked(true);

    Text27 = named(new QLineEdit(this), "Text27", QStringLiteral("Invoice date"));
    Check1 = namedButton(new QCheckBox(QStringLiteral("I am using letterheaded paper"), this), "Check1");
    Combo17 = editableList(this, "Combo17", QStringLiteral("Title"), titleEntries(), QStringLiteral("INVOICE"));
    Combo11 = editableList(this, "Combo11", QStringLiteral("Payment terms"), paymentTermsEntries(),
                           QStringLiteral("Drop down to select or create your own or clear"));
    Combo11->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    Combo11->setMinimumContentsLength(20);
    Text41 = named(new QPlainTextEdit(notesText(), this), "Text41", QStringLiteral("Notes"));
    Text41->setTabChangesFocus(true);
    // Room for the four lines the notes start with.
    Text41->setMinimumHeight(std::max(twips(615), Text41->fontMetrics().lineSpacing() * 4 + 12));
    Label63 = named(redLabel(QStringLiteral("This invoice has been paid."), this), "Label63",
                    QStringLiteral("This invoice has been paid."));
    Label63->setWordWrap(true);
    Label63->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label63->hide();

    Command4 = namedButton(new QPushButton(QStringLiteral("Generate Invoice"), this), "Command4");
    Command25 = namedButton(new QPushButton(QStringLiteral("Clear Screen"), this), "Command25");
    Command34 = namedButton(new QPushButton(QStringLiteral("Mark Invoice as PAID"), this), "Command34");
    Command42 = namedButton(new QPushButton(QStringLiteral("Help"), this), "Command42");
    Command7 = namedButton(new QPushButton(QStringLiteral("Modify Invoice"), this), "Command7");
    Text10 = named(new QLineEdit(QStringLiteral("0"), this), "Text10", QStringLiteral("Total Due"));

    footLabel = named(new QLabel(QStringLiteral("Retrieve a reference ID from the drop down box. This will pull all "
                                                "sales associated with the ID.  The related sales will appear in "
                                                "the appropriate grids where they can be modified if necessary."),
                                 this),
                      "footLabel", QStringLiteral("Retrieve a reference ID from the drop down box"));
    footLabel->setWordWrap(true);

    showTaxSummary = new QCheckBox(QStringLiteral("Show tax summary"), this);
    showTaxSummary->setObjectName(QStringLiteral("showTaxSummary"));
    showTaxSummary->setAccessibleName(showTaxSummary->text());
    showTaxSummary->setToolTip(QStringLiteral("Shows beneath Total Due the net amount and the tax of each tax rate"));
    showTaxSummary->setChecked(context_.settings.value(taxSummaryKey(), false).toBool());
    titleSeen_ = Combo17->currentText();
}

QString InvoiceTab::taxSummaryKey() { return QStringLiteral("Invoice/TaxSummary"); }

void InvoiceTab::layOut()
{
    // As the tab was drawn: the invoice's key, client and company across the
    // top; the sale columns under their headings, the "Visible" boxes under
    // discount, tax and freight; then date, letterhead and title, payment
    // terms, notes and the actions on the left, help, the paid notice and
    // the total on the right. Widths keep the drawn proportions (twips / 100).
    auto* top = new QGridLayout;
    auto* retrieveCaption = new QHBoxLayout;
    retrieveCaption->setSpacing(4);
    retrieveCaption->addWidget(captionFor(Combo4, QStringLiteral("Retrieve Reference ID"), this));
    retrieveCaption->addWidget(named(redLabel(QStringLiteral("- START HERE"), this), "startHereLabel",
                                     QStringLiteral("- START HERE")));
    retrieveCaption->addStretch();
    top->addLayout(retrieveCaption, 0, 0);
    top->addWidget(Combo4, 1, 0);
    auto* outstanding = new QHBoxLayout;
    outstanding->addWidget(Check4);
    outstanding->addWidget(outstandingInvoicesButton);
    top->addLayout(outstanding, 1, 1);
    top->addWidget(captionFor(Text66, QStringLiteral("Client"), this), 0, 2);
    top->addWidget(Text66, 1, 2);
    top->addWidget(captionFor(Combo5, QStringLiteral("Bill from which company?"), this), 0, 3);
    top->addWidget(Combo5, 1, 3);
    const int topWidths[] = {28, 13, 25, 24};
    for (int c = 0; c < 4; ++c) top->setColumnStretch(c, topWidths[c]);

    auto* columns = new QGridLayout;
    columns->setHorizontalSpacing(6);
    columns->setVerticalSpacing(2);
    const QList<QWidget*> headings{Label62, Combo6, Label64, sellDateLabel, Label67, Label68, Label69, Label77};
    const QList<QPlainTextEdit*> boxes{Text29, Text30, Text31, Text32, Text35, Text36, Text37, Text64};
    const int columnWidths[] = {6, 10, 18, 21, 7, 7, 10, 7};
    for (int c = 0; c < headings.size(); ++c) {
        columns->addWidget(headings[c], 0, c, Qt::AlignBottom);
        columns->addWidget(boxes[c], 1, c);
        columns->setColumnStretch(c, columnWidths[c]);
    }
    for (QLabel* label : {Label62, Label64, sellDateLabel, Label67, Label68, Label69, Label77}) {
        label->setBuddy(boxes[headings.indexOf(label)]);
    }
    // The hidden ship date shares the sell date's place.
    columns->addWidget(shipDateLabel, 0, 3, Qt::AlignBottom);
    columns->addWidget(Text39, 1, 3);
    columns->addWidget(showTaxSummary, 2, 0, 1, 4);
    columns->addWidget(Check6, 2, 4);
    columns->addWidget(Check5, 2, 5);
    columns->addWidget(Check7, 2, 6);
    columns->setRowStretch(1, 1);

    auto* actions = new QHBoxLayout;
    actions->addWidget(Command4, 28);
    actions->addWidget(Command25, 16);
    actions->addWidget(Command34, 25);

    auto* bottom = new QGridLayout;
    bottom->setVerticalSpacing(6);
    bottom->addWidget(captionFor(Text27, QStringLiteral("Invoice date"), this), 0, 0);
    bottom->addWidget(Text27, 1, 0);
    bottom->addWidget(Check1, 1, 1);
    bottom->addWidget(captionFor(Combo17, QStringLiteral("Title"), this), 0, 2);
    bottom->addWidget(Combo17, 1, 2);
    bottom->addWidget(Combo11, 2, 0, 1, 3);
    bottom->addWidget(Text41, 3, 0, 1, 3);
    bottom->addLayout(actions, 4, 0, 1, 3);
    bottom->addWidget(Command42, 1, 4);
    bottom->addWidget(Command7, 2, 4);
    bottom->addWidget(Label63, 3, 4);
    bottom->addWidget(captionFor(Text10, QStringLiteral("Total Due"), this), 4, 4, Qt::AlignBottom);
    bottom->addWidget(Text10, 5, 4);
    const int bottomWidths[] = {13, 25, 31, 4, 18};
    for (int c = 0; c < 5; ++c) bottom->setColumnStretch(c, bottomWidths[c]);
    bottom->setColumnMinimumWidth(3, 8);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(8);
    layout->addLayout(top);
    layout->addLayout(columns, 1);
    layout->addLayout(bottom);
    layout->addWidget(footLabel);
}

void InvoiceTab::connectHandlers()
{
    connect(Combo4, &DropDownCombo::dropDown, this, &InvoiceTab::Combo4_DropDown);
    connect(Combo4, &QComboBox::activated, this, &InvoiceTab::Combo4_Click);
    connect(Combo5, &DropDownCombo::dropDown, this, &InvoiceTab::Combo5_DropDown);
    connect(Combo5, &QComboBox::activated, this, &InvoiceTab::Combo5_Click);
    // The advice follows a title picked from the list, or typed and left.
    connect(Combo17, &QComboBox::activated, this, [this] {
        titleSeen_ = Combo17->currentText();
        Combo17_Click();
    });
    connect(Combo17->lineEdit(), &QLineEdit::editingFinished, this, [this] {
        if (Combo17->currentText() == titleSeen_) return;
        titleSeen_ = Combo17->currentText();
        Combo17_Click();
    });
    connect(showTaxSummary, &QCheckBox::toggled, this, [this](bool on) {
        context_.settings.setValue(taxSummaryKey(), on);
        context_.settings.sync();
    });
    connect(Command4, &QPushButton::clicked, this, &InvoiceTab::Command4_Click);
    connect(Command25, &QPushButton::clicked, this, &InvoiceTab::Command25_Click);
    connect(Command34, &QPushButton::clicked, this, &InvoiceTab::Command34_Click);
    connect(outstandingInvoicesButton, &QPushButton::clicked, this, &InvoiceTab::outstandingInvoicesButton_Click);
    connect(Command7, &QPushButton::clicked, this, [this] { context_.help.open(QStringLiteral("modifyinvoice")); });
    connect(Command42, &QPushButton::clicked, this, [this] { context_.help.open(QStringLiteral("invoice")); });
}

QList<QPlainTextEdit*> InvoiceTab::columnBoxes() const
{
    return {Text29, Text30, Text31, Text32, Text35, Text36, Text37, Text64};
}

void InvoiceTab::Combo4_DropDown()
{
    QCoreApplication::processEvents();
    Label63->hide();
    disable(links_.Command2);
    // The sales grid shows the sales the list is made of.
    const bool unpaidOnly = Check4->isChecked();
    DataControl& sales = context_.adodc2;
    if (!sales.query(unpaidOnly ? sales_table::selectUnpaid() : sales_table::selectOrderedByReferenceId())) return;
    // The IDs are counted at once and read as the list shows them.
    const bool postgres = context_.database.engine() == Database::Engine::PostgreSQL;
    RowBlock count;
    if (!sales.lookUp(sales_table::referenceIdCount(unpaidOnly, postgres), count) || count.rowCount() != 1) return;
    referenceIds_->show(Combo4, sales_table::referenceIds(unpaidOnly, postgres),
                        sales_table::referenceIds(unpaidOnly, postgres, true), count.value(0, 0).toInt());
    if (Combo4->count() == 0) context_.dialogs.inform(noInvoicesMessage());
}

void InvoiceTab::Combo4_Click()
{
    disable(links_.Command2);
    const QString referenceId = Combo4->currentText();
    if (referenceId.isEmpty()) return;
    Command25_Click();

    DataControl& sales = context_.adodc2;
    if (!sales.query(sales_table::selectByReferenceId(referenceId))) return;
    if (sales.recordCount() == 0) {
        context_.dialogs.inform(noSaleMessage(referenceId) +
                                QStringLiteral(" Its sales may have been deleted since the list was filled: open "
                                               "the list again to see the invoices stored."));
        return;
    }
    const InvoiceLines lines = InvoiceLines::read(sales);
    if (lines.firstSalePaid) Label63->show();
    Text66->setText(lines.clientName);
    const QList<QPlainTextEdit*> boxes = columnBoxes();
    for (int c = 0; c < InvoiceLines::ColumnCount; ++c) {
        boxes[c]->setPlainText(lines.text(static_cast<InvoiceLines::Column>(c)));
    }
    Text10->setText(lines.totalText());
    // A total that leaves lines out, or none, is said once, here.
    const QString totalMessage = lines.totalMessage();
    if (!totalMessage.isEmpty()) context_.dialogs.inform(totalMessage);

    // The invoice's client goes into the Client tab's boxes, where the
    // document takes the billing address from.
    if (!context_.adodc1.query(client_table::selectByName(Text66->text()))) return;
    BindClientFields(links_.client, context_.adodc1);
}

void InvoiceTab::outstandingInvoicesButton_Click() { emit outstandingInvoicesRequested(); }

void InvoiceTab::retrieve(const QString& referenceId)
{
    // Opening the list hides the paid notice before an ID is picked.
    Label63->hide();
    Combo4->setEditText(referenceId);
    Combo4_Click();
}

void InvoiceTab::Command25_Click()
{
    Text66->clear();
    Combo5->setEditText(QString());
    for (QPlainTextEdit* box : {Text29, Text30, Text31, Text32, Text39, Text35, Text36, Text37, Text64}) box->clear();
    Text27->setText(shortDateText(QDate::currentDate()));
    Combo11->setEditText(kClearText);
    Text41->setPlainText(kClearText);
    Text10->setText(QStringLiteral("0"));
    for (QCheckBox* visible : {Check6, Check7, Check5}) visible->setChecked(true);
}

void InvoiceTab::Command34_Click()
{
    const QString referenceId = Combo4->currentText();
    if (referenceId.isEmpty()) {
        context_.dialogs.inform(QStringLiteral("You must choose an invoice by retrieving the invoice's reference ID."));
        return;
    }
    DataControl& sales = context_.adodc2;
    if (!sales.query(sales_table::selectByReferenceId(referenceId))) return;
    if (sales.recordCount() == 0) {
        context_.dialogs.inform(noSaleMessage(referenceId) + QStringLiteral(" No invoice was marked as paid."));
        return;
    }
    // One statement marks every sale of the invoice; the sales grid then
    // shows them with their new status.
    long marked = 0;
    if (!sales.execute(sales_table::markPaid(referenceId), &marked)) return;
    sales.Refresh();
    if (marked == 0) {
        // Another workstation deleted the invoice's sales since they were read.
        context_.dialogs.inform(noSaleMessage(referenceId) +
                                QStringLiteral(" Its sales were deleted by someone else after they were shown. "
                                               "No invoice was marked as paid."));
        return;
    }
    Label63->show();
    context_.dialogs.inform(QStringLiteral("This invoice has been PAID."));
}

void InvoiceTab::Command4_Click()
{
    if (!Check1->isChecked() && Combo5->currentText().isEmpty()) {
        context_.dialogs.inform(QStringLiteral("Choose a company to bill from."));
        return;
    }
    // The company boxes show the billing company only while the companies'
    // data control is still on it: another tab's list (the Analysis tab's
    // chooser, say) may have moved it since. Bind the chosen company again
    // then, so that the document never carries another sender.
    const FieldBinding* sender = FieldBinding::of(links_.company.Text19);
    if (!Check1->isChecked() &&
        (!sender || sender->dataSource() != &context_.adodc3 ||
         context_.adodc3.field(QStringLiteral("CompanyName")).compare(Combo5->currentText(), Qt::CaseInsensitive) != 0)) {
        Combo5_Click();
        if (links_.company.Text19->text().isEmpty()) {
            context_.dialogs.inform(QStringLiteral("No company named \"%1\" is stored. Choose a company to bill from.")
                                        .arg(Combo5->currentText()));
            return;
        }
    }
    std::optional<InvoiceDocument> document = generateInvoice(screen(), context_.dialogs);
    if (!document) return;
    const QString referenceId = Combo4->currentText();
    const QString title = QStringLiteral("%1 - Ref: %2").arg(Combo17->currentText(), referenceId);
    auto* window = new DocumentWindow({std::move(*document)},
                                      {title, referenceId, QStringLiteral("Invoice"), QStringLiteral("invoice")},
                                      context_.dialogs);
    window->setObjectName(QStringLiteral("DataReport1"));
    TaxDetailsStore taxDetails(context_.database);
    window->setEInvoice(makeEInvoice(screen(), taxDetails));
    documents_.show(window);
}

void InvoiceTab::Combo5_DropDown()
{
    fillFromTable(Combo5, context_.adodc3, company_table::selectAll(), -1, QStringLiteral("CompanyName"),
                  context_.dialogs);
}

void InvoiceTab::Combo5_Click()
{
    disable(links_.Command12);
    if (!context_.adodc3.query(company_table::selectByName(Combo5->currentText()))) return;
    BindCompanyFields(links_.company, context_.adodc3);
}

void InvoiceTab::Combo17_Click()
{
    if (Combo17->currentText() != QLatin1String("INVOICE")) context_.dialogs.inform(creditNoteAdvice());
}

InvoiceScreen InvoiceTab::screen() const
{
    const ClientBoxes& client = links_.client;
    const CompanyBoxes& company = links_.company;
    InvoiceScreen s;
    s.client = PartyDetails{.name = client.Text61->text(),
                            .contactFirstName = client.Text54->text(),
                            .contactSurname = client.Text55->text(),
                            .address1 = client.Text56->text(),
                            .address2 = client.Text57->text(),
                            .city = client.Text59->text(),
                            .postCode = client.Text58->text(),
                            .country = client.Text60->text(),
                            .telephone = client.Text53->text(),
                            .telephone2 = client.Text16->text(),
                            .fax = client.Text20->text(),
                            .email = client.Text51->text()};
    s.company = PartyDetails{.name = company.Text19->text(),
                             .contactFirstName = company.Text12->text(),
                             .contactSurname = company.Text11->text(),
                             .address1 = company.Text7->text(),
                             .address2 = company.Text8->text(),
                             .city = company.Text13->text(),
                             .postCode = company.Text9->text(),
                             .country = company.Text18->text(),
                             .telephone = company.Text1->text(),
                             .telephone2 = company.Text6->text(),
                             .fax = company.Text14->text(),
                             .email = company.Text4->text()};
    s.referenceId = Combo4->currentText();
    s.title = Combo17->currentText();
    s.invoiceDate = Text27->text();
    s.priceHeading = Label62->text();
    s.quantityHeading = Combo6->currentText();
    s.productHeading = Label64->text();
    s.discountHeading = Label67->text();
    s.taxHeading = Label68->text();
    s.freightHeading = Label69->text();
    s.subTotalHeading = Label77->text();
    s.prices = Text29->toPlainText();
    s.quantities = Text30->toPlainText();
    s.products = Text31->toPlainText();
    s.sellDates = Text32->toPlainText();
    s.discounts = Text35->toPlainText();
    s.taxes = Text36->toPlainText();
    s.freights = Text37->toPlainText();
    s.subTotals = Text64->toPlainText();
    s.total = Text10->text();
    s.paymentTerms = Combo11->currentText();
    s.notes = Text41->toPlainText();
    s.letterhead = Check1->isChecked();
    s.discountVisible = Check6->isChecked();
    s.taxVisible = Check5->isChecked();
    s.freightVisible = Check7->isChecked();
    s.taxSummary = showTaxSummary->isChecked();
    return s;
}

QList<DocumentWindow*> InvoiceTab::documents() const
{
    return documents_.open();
}

}  // namespace mervalis
