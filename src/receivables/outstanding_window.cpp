#include "receivables/outstanding_window.h"

#include "data/app_context.h"
#include "data/client_table.h"
#include "data/company_table.h"
#include "data/data_control.h"
#include "data/dialogs.h"
#include "data/row_block.h"
#include "grids/grid_export.h"
#include "invoice/document_window.h"
#include "receivables/outstanding_model.h"
#include "receivables/statement_document.h"
#include "ui/drop_down_combo.h"
#include "ui/list_fill.h"
#include "ui/ui.h"
#include "ui/wait_cursor.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTableView>
#include <QVBoxLayout>

#include <string>

namespace mervalis {

namespace {

// A name and postal block as the client or company table holds it; only
// the name when the table holds no such record.
PartyDetails partyOf(DataControl& control, const QString& sql, const QString& nameField, const QString& name)
{
    RowBlock rows;
    if (!control.lookUp(sql, rows) || rows.rowCount() == 0) {
        PartyDetails named;
        named.name = name;
        return named;
    }
    const auto field = [&rows](const char* field) {
        const int column = rows.columnIndex(QLatin1String(field));
        return column < 0 ? QString() : rows.value(0, column);
    };
    return PartyDetails{.name = rows.value(0, rows.columnIndex(nameField)),
                        .contactFirstName = field("ContactFirstName"),
                        .contactSurname = field("ContactSurname"),
                        .address1 = field("Address1"),
                        .address2 = field("Address2"),
                        .city = field("City"),
                        .postCode = field("PostCode"),
                        .country = field("Country"),
                        .telephone = field("Telephone"),
                        .telephone2 = field("Telephone2"),
                        .fax = field("Fax"),
                        .email = field("Email")};
}

QLineEdit* figureBox(QWidget* parent, const QString& name)
{
    auto* box = new QLineEdit(parent);
    box->setObjectName(name);
    box->setReadOnly(true);
    box->setAlignment(Qt::AlignRight);
    return box;
}

QComboBox* filterBox(QWidget* parent, const char* name)
{
    auto* combo = makeEditable(new QComboBox(parent));
    combo->setObjectName(QLatin1String(name));
    combo->setMinimumContentsLength(18);
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    return combo;
}

}  // namespace

OutstandingWindow::OutstandingWindow(AppContext& context, std::function<void(const QString&)> retrieve,
                                     QWidget* parent)
    : QWidget(parent, Qt::Window), context_(context), retrieve_(std::move(retrieve))
{
    setObjectName(QStringLiteral("OutstandingInvoices"));
    setWindowTitle(QStringLiteral("Outstanding Invoices"));
    setAccessibleName(windowTitle());
    QFont arial(QStringLiteral("Arial"));  // as the main window
    arial.setPointSize(font().pointSize());
    setFont(arial);
    model_ = new OutstandingModel(this);
    filter_ = new OutstandingFilter(model_, this);
    buildControls();
    layOut();

    connect(clientFilter, &QComboBox::currentTextChanged, this, &OutstandingWindow::applyFilters);
    connect(companyFilter, &QComboBox::currentTextChanged, this, &OutstandingWindow::applyFilters);
    connect(refreshButton, &QPushButton::clicked, this, &OutstandingWindow::refresh);
    connect(view, &QTableView::activated, this, &OutstandingWindow::retrieveCurrent);
    connect(statementButton, &QPushButton::clicked, this, &OutstandingWindow::statement_Click);
    connect(exportButton, &QPushButton::clicked, this, &OutstandingWindow::export_Click);
    connect(billingCompany, &DropDownCombo::dropDown, this, &OutstandingWindow::billingCompany_DropDown);
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this, &QWidget::close);
    resize(twips(14400), twips(9000));
}

OutstandingWindow::~OutstandingWindow() = default;

void OutstandingWindow::buildControls()
{
    clientFilter = filterBox(this, "clientFilter");
    companyFilter = filterBox(this, "companyFilter");
    refreshButton = namedButton(new QPushButton(QStringLiteral("Refresh"), this), "refreshButton");
    refreshButton->setToolTip(QStringLiteral("Reads again what is owed, as of today"));
    giveKey(refreshButton, QKeySequence(Qt::Key_F5));
    for (int b = 0; b < kAgeBandCount; ++b) {
        const QString band = ageBandText(static_cast<AgeBand>(b));
        bandTotals << figureBox(this, QStringLiteral("bandTotal%1").arg(b));
        bandCaptions << captionFor(bandTotals.last(), band, this);
    }
    grandTotal = figureBox(this, QStringLiteral("grandTotal"));
    countLabel = named(new QLabel(this), "countLabel", QStringLiteral("Invoices listed"));
    withoutReferenceLabel = named(new QLabel(this), "withoutReferenceLabel", QStringLiteral("Sales on no invoice"));
    withoutReferenceLabel->setWordWrap(true);
    withoutReferenceLabel->hide();
    unheldLabel = named(new QLabel(this), "unheldLabel", QStringLiteral("Figures left empty"));
    unheldLabel->setWordWrap(true);
    unheldLabel->hide();

    view = named(new QTableView(this), "view", QStringLiteral("Outstanding invoices"));
    view->setModel(filter_);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setTabKeyNavigation(false);
    view->setWordWrap(false);
    view->verticalHeader()->hide();
    // Rows of one height, laid out without measuring each of many thousands.
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 6);
    view->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    view->setSortingEnabled(true);
    // Columns as wide as their headings and the first rows need: measuring
    // every row of a large ledger would take seconds.
    view->horizontalHeader()->setResizeContentsPrecision(200);
    view->horizontalHeader()->setStretchLastSection(true);

    billingCompany = named(DropDownCombo::editable(this), "billingCompany",
                           QStringLiteral("Bill from which company?"));
    letterhead = namedButton(new QCheckBox(QStringLiteral("I am using letterheaded paper"), this), "letterhead");
    statementButton = namedButton(new QPushButton(QStringLiteral("Statement..."), this), "statementButton");
    statementButton->setToolTip(QStringLiteral("Makes a statement of what the selected invoice's client owes"));
    exportButton = namedButton(new QPushButton(QStringLiteral("Export to CSV..."), this), "exportButton");
    exportButton->setToolTip(QStringLiteral("Saves the invoices listed as a CSV file"));
}

void OutstandingWindow::layOut()
{
    auto* filters = new QHBoxLayout;
    filters->addWidget(captionFor(clientFilter, QStringLiteral("Client"), this));
    filters->addWidget(clientFilter, 1);
    filters->addSpacing(12);
    filters->addWidget(captionFor(companyFilter, QStringLiteral("Company"), this));
    filters->addWidget(companyFilter, 1);
    filters->addStretch();
    filters->addWidget(refreshButton);

    // The totals: a caption over each band's figure, the grand total last.
    auto* totals = new QGridLayout;
    for (int b = 0; b < kAgeBandCount; ++b) {
        totals->addWidget(bandCaptions[b], 0, b);
        totals->addWidget(bandTotals[b], 1, b);
    }
    totals->addWidget(captionFor(grandTotal, QStringLiteral("Total"), this), 0, kAgeBandCount);
    totals->addWidget(grandTotal, 1, kAgeBandCount);

    auto* statement = new QHBoxLayout;
    statement->addWidget(captionFor(billingCompany, QStringLiteral("Bill from which company?"), this));
    statement->addWidget(billingCompany, 1);
    statement->addWidget(letterhead);
    statement->addStretch();
    statement->addWidget(statementButton);
    statement->addWidget(exportButton);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(filters);
    layout->addLayout(totals);
    layout->addWidget(withoutReferenceLabel);
    layout->addWidget(unheldLabel);
    layout->addWidget(view, 1);
    layout->addWidget(countLabel);
    layout->addLayout(statement);
}

bool OutstandingWindow::refresh()
{
    Receivables owed;
    {
        WaitCursor hourglass;
        if (!readReceivables(context_.adodc2, &owed)) return false;
    }
    const QString client = clientFilter->currentText();
    const QString company = companyFilter->currentText();
    const bool firstRead = model_->rowCount() == 0;
    model_->reset(std::move(owed.invoices), QDate::currentDate());
    for (const auto& [combo, names, text] : {std::tuple{clientFilter, &model_->clients(), client},
                                             std::tuple{companyFilter, &model_->companies(), company}}) {
        ListRebuild list(combo);
        list.add(QString());  // all of them
        list.add(*names);
    }
    filter_->setFilters(client, company);
    if (firstRead) view->resizeColumnsToContents();
    withoutReferenceLabel->setVisible(owed.salesWithoutReference > 0);
    const QString inAll = owed.owedWithoutReference
                              ? owed.owedWithoutReference->text() + QStringLiteral(" in all")
                              : QStringLiteral("together beyond the amounts the ledger adds up (below %1 either way)")
                                    .arg(currencyText(Currency::kLimit));
    withoutReferenceLabel->setText(
        QStringLiteral("%1 unpaid %2 no reference ID, so no invoice lists %3: %4. Give %3 a reference ID in "
                       "the Sales Grid to list %3 here.")
            .arg(owed.salesWithoutReference)
            .arg(owed.salesWithoutReference == 1 ? QStringLiteral("sale has") : QStringLiteral("sales have"),
                 owed.salesWithoutReference == 1 ? QStringLiteral("it") : QStringLiteral("them"), inAll));
    showTotals();
    return true;
}

void OutstandingWindow::applyFilters()
{
    filter_->setFilters(clientFilter->currentText(), companyFilter->currentText());
    view->setCurrentIndex(filter_->index(0, 0));
    view->scrollToTop();
    showTotals();
}

void OutstandingWindow::showTotals()
{
    const QList<const OutstandingInvoice*> shown = filter_->shown();
    const AgedTotals totals = agedTotals(shown, model_->today());
    for (int b = 0; b < kAgeBandCount; ++b) bandTotals[b]->setText(figureText(totals.bands[b]));
    // "No date" only when an invoice has none.
    const bool undated = totals.band(AgeBand::Undated) != Currency();
    bandCaptions.last()->setVisible(undated);
    bandTotals.last()->setVisible(undated);
    grandTotal->setText(figureText(totals.total));
    const QString unheld = unheldFiguresText(shown, totals, QStringLiteral("Total"));
    unheldLabel->setText(QStringLiteral("These figures are left empty, as %1. Correct the amounts in the Sales Grid.")
                             .arg(unheld));
    unheldLabel->setVisible(!unheld.isEmpty());
    const int count = filter_->rowCount();
    countLabel->setText(QStringLiteral("%1 %2").arg(count).arg(count == 1 ? QStringLiteral("invoice")
                                                                          : QStringLiteral("invoices")));
    if (count > 0 && !view->currentIndex().isValid()) view->setCurrentIndex(filter_->index(0, 0));
}

void OutstandingWindow::retrieveCurrent()
{
    const QModelIndex current = view->currentIndex();
    if (current.isValid()) retrieve_(filter_->invoiceAt(current.row()).referenceId);
}

void OutstandingWindow::statement_Click()
{
    const QModelIndex current = view->currentIndex();
    if (!current.isValid()) {
        context_.dialogs.inform(QStringLiteral("No invoice is listed, so there is no statement to make."));
        return;
    }
    const QString company = billingCompany->currentText();
    if (!letterhead->isChecked() && company.isEmpty()) {
        context_.dialogs.inform(QStringLiteral("Choose a company to bill from."));
        billingCompany->setFocus();
        return;
    }
    StatementContent content;
    content.letterhead = letterhead->isChecked();
    if (!content.letterhead) {
        content.company = partyOf(context_.adodc3, company_table::selectByName(company), QStringLiteral("CompanyName"),
                                  company);
    }
    const QString client = filter_->invoiceAt(current.row()).client;
    content.client = partyOf(context_.adodc1, client_table::selectByName(client), QStringLiteral("ClientName"), client);
    content.date = QDate::currentDate();
    // The client's invoices as the list shows them.
    for (const OutstandingInvoice* invoice : filter_->shown()) {
        if (invoice->client.compare(client, Qt::CaseInsensitive) == 0) content.invoices << *invoice;
    }
    std::optional<DocumentPages> pages = generateStatement(content, context_.dialogs);
    if (!pages) return;
    const QString name = QStringLiteral("%1 statement %2").arg(client, content.date.toString(Qt::ISODate));
    auto* window = new DocumentWindow(std::move(*pages),
                                      {QStringLiteral("STATEMENT - %1").arg(client), name,
                                       QStringLiteral("Statement"), QStringLiteral("statement")},
                                      context_.dialogs);
    window->setObjectName(QStringLiteral("statementWindow"));
    documents_.show(window);
}

void OutstandingWindow::export_Click()
{
    // The columns in their order on screen, the rows as sorted and filtered.
    const std::vector<int> columns = shownColumns(view->horizontalHeader());
    QStringList names;
    for (int column : columns) names << OutstandingModel::heading(column);
    std::vector<std::string> texts(columns.size());
    const auto row = [&](int r, std::vector<std::string_view>& cells) {
        const int source = filter_->mapToSource(filter_->index(r, 0)).row();
        for (size_t i = 0; i < columns.size(); ++i) {
            texts[i] = model_->storedText(source, columns[i]).toStdString();
            cells[i] = texts[i];
        }
        return true;
    };
    exportCsv(context_.dialogs, QStringLiteral("outstanding invoices"), names, filter_->rowCount(), row);
}

void OutstandingWindow::billingCompany_DropDown()
{
    fillFromTable(billingCompany, context_.adodc3, company_table::selectAll(), -1, QStringLiteral("CompanyName"),
                  context_.dialogs);
}

QList<DocumentWindow*> OutstandingWindow::documents() const
{
    return documents_.open();
}

}  // namespace mervalis
