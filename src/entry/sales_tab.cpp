#include "entry/sales_tab.h"

#include "ui/drop_down_combo.h"
#include "entry/list_files.h"
#include "ui/list_fill.h"
#include "data/app_context.h"
#include "data/sales_table.h"
#include "data/client_table.h"
#include "data/company_table.h"
#include "data/data_control.h"
#include "data/dates.h"
#include "data/dialogs.h"
#include "data/help.h"
#include "data/money.h"
#include "ui/ui.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace mervalis {

namespace {

const QString kNone = QStringLiteral("None");

// The client fields copied into the hidden boxes when a client is chosen.
struct ProfileCopy {
    const char* field;
    QLineEdit* SalesTab::*box;
};

const ProfileCopy kProfileCopies[] = {
    {"Sex", &SalesTab::Text21},       {"Age", &SalesTab::Text22},  {"Income", &SalesTab::Text26},
    {"Ethnicity", &SalesTab::Text38}, {"LeadGivenTo", &SalesTab::Text40}, {"City", &SalesTab::Text42},
    {"Country", &SalesTab::Text43},
};

QComboBox* fixedCombo(QWidget* parent, const QStringList& entries, const QString& text)
{
    auto* combo = makeEditable(new QComboBox(parent));
    combo->addItems(entries);
    combo->setEditText(text);
    return combo;
}

QStringList numbers(int from, int to, int step)
{
    QStringList list;
    for (int n = from; n <= to; n += step) list << QString::number(n);
    return list;
}

void setIfChanged(QLineEdit* box, const QString& text)
{
    if (box->text() != text) box->setText(text);
}

void setIfChanged(QComboBox* combo, const QString& text)
{
    if (combo->currentText() != text) combo->setEditText(text);
}

void setIfChanged(QPlainTextEdit* box, const QString& text)
{
    if (box->toPlainText() != text) box->setPlainText(text);
}

}  // namespace

SalesTab::SalesTab(AppContext& context, QWidget* parent) : QWidget(parent), context_(context)
{
    buildControls();
    layOut();
    connectHandlers();
}

void SalesTab::buildControls()
{
    Frame2 = named(new QGroupBox(this), "Frame2", QStringLiteral("Sale"));

    auto box = [this](const char* name, const QString& caption, const QString& text) {
        auto* edit = named(new QLineEdit(text, Frame2), name, caption);
        return edit;
    };
    auto dropDown = [this](const char* name, const QString& caption, const QString& text) {
        auto* combo = named(DropDownCombo::editable(Frame2), name, caption);
        combo->setEditText(text);
        return combo;
    };

    Combo1 = dropDown("Combo1", QStringLiteral("Client"), QString());
    Combo14 = dropDown("Combo14", QStringLiteral("Associate with which company?"), QString());
    Text15 = box("Text15", QStringLiteral("Unit Price"), QStringLiteral("0"));
    Text17 = box("Text17", QStringLiteral("Unit Quantity"), QStringLiteral("1"));
    Combo2 = dropDown("Combo2", QStringLiteral("Product / Service"), kNone);
    Text33 = box("Text33", QStringLiteral("Sell Date"), QStringLiteral("0"));
    Combo9 = named(fixedCombo(Frame2, numbers(5, 50, 5), QStringLiteral("0")), "Combo9", QStringLiteral("Discount"));
    Combo3 = named(fixedCombo(Frame2, numbers(5, 30, 1), QStringLiteral("0")), "Combo3", QStringLiteral("Tax %"));
    Text34 = box("Text34", QStringLiteral("Freight"), QStringLiteral("0"));
    Text28 = box("Text28", QStringLiteral("Reference ID"), QString());
    Combo22 = dropDown("Combo22", QStringLiteral("Sales Rep"), kNone);
    Combo21 = dropDown("Combo21", QStringLiteral("Marketing Tool"), kNone);
    Text25 = named(new QPlainTextEdit(Frame2), "Text25", QStringLiteral("Sale Notes"));
    Text25->setTabChangesFocus(true);
    Text63 = box("Text63", QStringLiteral("Sub Total"), QStringLiteral("0"));
    Text62 = box("Text62", QStringLiteral("Total"), QStringLiteral("0"));
    Label73 = named(new QLabel(QStringLiteral("Each sale should be added to the database. This will help your "
                                              "analysis.\nAll sales that should appear on one invoice should have "
                                              "the same ref ID."),
                               Frame2),
                    "Label73", QStringLiteral("Each sale should be added to the database"));
    Label73->setWordWrap(true);

    Frame7 = named(new QGroupBox(QStringLiteral("System - Do Not Touch"), Frame2), "Frame7",
                   QStringLiteral("System - Do Not Touch"));
    auto hidden = [this](const char* name, const QString& description) {
        return named(new QLineEdit(Frame7), name, description);
    };
    Text21 = hidden("Text21", QStringLiteral("Client's sex"));
    Text22 = hidden("Text22", QStringLiteral("Client's age"));
    Text26 = hidden("Text26", QStringLiteral("Client's income"));
    Text38 = hidden("Text38", QStringLiteral("Client's ethnicity"));
    Text40 = hidden("Text40", QStringLiteral("Client's lead given to"));
    Text42 = hidden("Text42", QStringLiteral("Client's city"));
    Text43 = hidden("Text43", QStringLiteral("Client's country"));
    Frame7->hide();

    auto button = [this](const char* name, const QString& caption) {
        return namedButton(new QPushButton(caption, Frame2), name);
    };
    Command1 = button("Command1", QStringLiteral("Calculate Total and Add to Database"));
    Command5 = button("Command5", QStringLiteral("Clear Screen"));
    Command14 = button("Command14", QStringLiteral("Add Product or Service to list / Modify"));
    Command29 = button("Command29", QStringLiteral("What's this ReferenceID?"));
    Command30 = button("Command30", QStringLiteral("Sell Date - READ THIS"));
    Command41 = button("Command41", QStringLiteral("Help"));
}

void SalesTab::layOut()
{
    // Two columns of captioned fields: who and what on the left, the money
    // on the right; notes, explanations and actions below.
    auto* fields = new QGridLayout;
    fields->setHorizontalSpacing(8);
    fields->setVerticalSpacing(4);
    auto addRow = [this, fields](int row, int column, QWidget* control, const QString& caption) {
        fields->addWidget(captionFor(control, caption, Frame2), row, column);
        fields->addWidget(control, row, column + 1);
    };
    addRow(0, 0, Combo1, QStringLiteral("Client"));
    addRow(1, 0, Combo14, QStringLiteral("Associate with which company?"));
    addRow(2, 0, Combo2, QStringLiteral("Product / Service"));
    addRow(3, 0, Combo22, QStringLiteral("Sales Rep"));
    addRow(4, 0, Combo21, QStringLiteral("Marketing Tool"));
    addRow(5, 0, Text28, QStringLiteral("Reference ID"));
    addRow(6, 0, Text33, QStringLiteral("Sell Date"));
    addRow(0, 2, Text15, QStringLiteral("Unit Price"));
    addRow(1, 2, Text17, QStringLiteral("Unit Quantity"));
    addRow(2, 2, Combo9, QStringLiteral("Discount"));
    addRow(3, 2, Combo3, QStringLiteral("Tax %"));
    addRow(4, 2, Text34, QStringLiteral("Freight"));
    addRow(5, 2, Text63, QStringLiteral("Sub Total"));
    addRow(6, 2, Text62, QStringLiteral("Total"));
    fields->setColumnStretch(1, 3);
    fields->setColumnStretch(3, 2);
    fields->setColumnMinimumWidth(2, 16);

    auto* notes = new QGridLayout;
    notes->addWidget(captionFor(Text25, QStringLiteral("Sale Notes"), Frame2), 0, 0);
    notes->addWidget(Text25, 1, 0);
    notes->addWidget(Label73, 1, 1, Qt::AlignTop);
    notes->setColumnStretch(0, 3);
    notes->setColumnStretch(1, 2);
    notes->setRowStretch(1, 1);
    // The notes take the height the fields leave, at least three lines.
    Text25->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Ignored);
    Text25->setMinimumHeight(60);

    auto* explanations = new QHBoxLayout;
    explanations->addWidget(Command14);
    explanations->addWidget(Command29);
    explanations->addWidget(Command30);
    explanations->addStretch();

    auto* actions = new QHBoxLayout;
    actions->addWidget(Command1);
    actions->addWidget(Command5);
    actions->addStretch();
    actions->addWidget(Command41);

    auto* hiddenBoxes = new QGridLayout(Frame7);
    int i = 0;
    for (QLineEdit* hidden : {Text21, Text22, Text26, Text38, Text40, Text42, Text43}) {
        hiddenBoxes->addWidget(hidden, i / 4, i % 4);
        ++i;
    }

    auto* frame = new QVBoxLayout(Frame2);
    frame->setSpacing(6);
    frame->addLayout(fields);
    frame->addLayout(notes, 1);  // the notes grow with the window
    frame->addLayout(explanations);
    frame->addWidget(Frame7);
    frame->addLayout(actions);

    auto* tab = new QVBoxLayout(this);
    tab->setContentsMargins(6, 6, 6, 6);
    tab->addWidget(Frame2);
}

void SalesTab::connectHandlers()
{
    connect(Combo1, &DropDownCombo::dropDown, this, &SalesTab::Combo1_DropDown);
    connect(Combo1, &QComboBox::activated, this, &SalesTab::Combo1_Click);
    connect(Combo14, &DropDownCombo::dropDown, this, &SalesTab::Combo14_DropDown);
    connect(Combo2, &DropDownCombo::dropDown, this, &SalesTab::Combo2_DropDown);
    connect(Combo21, &DropDownCombo::dropDown, this, &SalesTab::Combo21_DropDown);
    connect(Combo22, &DropDownCombo::dropDown, this, &SalesTab::Combo22_DropDown);
    connect(Command1, &QPushButton::clicked, this, &SalesTab::Command1_Click);
    connect(Command5, &QPushButton::clicked, this, &SalesTab::Command5_Click);
    connect(Command14, &QPushButton::clicked, this, &SalesTab::Command14_Click);
    connect(Command29, &QPushButton::clicked, this, &SalesTab::Command29_Click);
    connect(Command30, &QPushButton::clicked, this, &SalesTab::Command30_Click);
    connect(Command41, &QPushButton::clicked, this, [this] { context_.help.open(QStringLiteral("sales")); });
}

SaleEntry SalesTab::entry() const
{
    SaleEntry e;
    e.client = Combo1->currentText();
    e.company = Combo14->currentText();
    e.unitPrice = Text15->text();
    e.quantity = Text17->text();
    e.product = Combo2->currentText();
    e.sellDate = Text33->text();
    e.discount = Combo9->currentText();
    e.tax = Combo3->currentText();
    e.freight = Text34->text();
    e.referenceId = Text28->text();
    e.salesRep = Combo22->currentText();
    e.marketingTool = Combo21->currentText();
    e.notes = Text25->toPlainText();
    e.subTotal = Text63->text();
    e.total = Text62->text();
    e.sex = Text21->text();
    e.age = Text22->text();
    e.income = Text26->text();
    e.ethnicity = Text38->text();
    e.leadGivenTo = Text40->text();
    e.city = Text42->text();
    e.country = Text43->text();
    return e;
}

void SalesTab::showEntry(const SaleEntry& e)
{
    setIfChanged(Combo1, e.client);
    setIfChanged(Combo14, e.company);
    setIfChanged(Text15, e.unitPrice);
    setIfChanged(Text17, e.quantity);
    setIfChanged(Combo2, e.product);
    setIfChanged(Text33, e.sellDate);
    setIfChanged(Combo9, e.discount);
    setIfChanged(Combo3, e.tax);
    setIfChanged(Text34, e.freight);
    setIfChanged(Text28, e.referenceId);
    setIfChanged(Combo22, e.salesRep);
    setIfChanged(Combo21, e.marketingTool);
    setIfChanged(Text25, e.notes);
    setIfChanged(Text63, e.subTotal);
    setIfChanged(Text62, e.total);
    setIfChanged(Text21, e.sex);
    setIfChanged(Text22, e.age);
    setIfChanged(Text26, e.income);
    setIfChanged(Text38, e.ethnicity);
    setIfChanged(Text40, e.leadGivenTo);
    setIfChanged(Text42, e.city);
    setIfChanged(Text43, e.country);
}

void SalesTab::Combo1_DropDown()
{
    Command5_Click();
    Text28->setText(QString());
    fillFromTable(Combo1, context_.adodc1, client_table::selectAll(), client_table::kClientNamePosition, QString(),
              context_.dialogs);
}

void SalesTab::Combo1_Click()
{
    DataControl& clients = context_.adodc1;
    if (!clients.query(client_table::selectByName(Combo1->currentText()))) return;
    clients.moveFirst();
    if (clients.eof()) return;  // no such client: every box stays as it was
    for (const ProfileCopy& copy : kProfileCopies) {
        const int column = clients.rows().columnIndex(QLatin1String(copy.field));
        // A field without value is not copied; the box keeps its text.
        if (column < 0 || clients.rows().isNull(clients.currentRow(), column)) continue;
        (this->*copy.box)->setText(clients.field(column));
    }
}

void SalesTab::Combo14_DropDown()
{
    fillFromTable(Combo14, context_.adodc3, company_table::selectAll(), -1, QStringLiteral("CompanyName"), context_.dialogs);
}

void SalesTab::Combo2_DropDown() { fillFromListFile(Combo2, ListFile::Products, context_); }

void SalesTab::Combo21_DropDown() { fillFromStoredSales(Combo21, sales_table::distinctValues(QStringLiteral("MarketingTool")), false, context_); }

void SalesTab::Combo22_DropDown() { fillFromStoredSales(Combo22, sales_table::distinctValues(QStringLiteral("SalesRep")), true, context_); }

void SalesTab::Command1_Click()
{
    SaleEntry sale = entry();
    const bool checked = runSaleChecks(sale, context_.dialogs);
    showEntry(sale);  // the corrections of the checks stay behind
    if (!checked) return;

    SaleAmounts amounts;
    QDate sellDate;
    if (!readSaleInput(sale, &amounts, &sellDate, context_.dialogs)) return;

    SaleFigures figures;
    if (!calculateSale(amounts, &figures, context_.dialogs)) return;
    Text62->setText(figures.total.text());
    Text63->setText(Text62->text());
    sale.total = Text62->text();
    sale.subTotal = Text63->text();

    if (!context_.dialogs.askYesNo(addSaleQuestion())) return;
    // A row the database refuses has been reported by the data control; the
    // entry stays as it is so that nothing typed is lost.
    if (!context_.adodc2.addNew(sales_table::addFields(), saleFieldValues(sale, sellDate))) return;
    if (context_.dialogs.askYesNo(clearScreenQuestion())) Command5_Click();
}

void SalesTab::Command5_Click()
{
    Combo1->setEditText(QString());
    Text15->setText(QStringLiteral("0"));
    Text17->setText(QStringLiteral("0"));
    Combo2->setEditText(kNone);
    Text33->setText(shortDateText(QDate::currentDate()));
    for (QComboBox* combo : {Combo9, Combo3}) combo->setEditText(QStringLiteral("0"));
    for (QLineEdit* box : {Text34, Text63, Text62}) box->setText(QStringLiteral("0"));
    Text28->setText(QString());
    Text25->setPlainText(QString());
    for (QLineEdit* box : {Text21, Text22, Text26, Text38, Text40, Text42, Text43}) box->setText(QString());
    Combo21->setEditText(kNone);
    Combo22->setEditText(kNone);
}

void SalesTab::Command14_Click() { openProductFile(context_); }

void SalesTab::Command29_Click() { context_.dialogs.inform(referenceIdExplanation()); }

void SalesTab::Command30_Click() { context_.dialogs.inform(sellDateExplanation()); }

}  // namespace mervalis
