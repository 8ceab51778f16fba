#include "entry/company_tab.h"

#include "ui/click_watcher.h"
#include "ui/drop_down_combo.h"
#include "entry/field_columns.h"
#include "entry/tax_details_dialog.h"
#include "entry/list_files.h"
#include "ui/list_fill.h"
#include "data/app_context.h"
#include "data/company_table.h"
#include "data/data_control.h"
#include "data/dialogs.h"
#include "data/help.h"
#include "ui/ui.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace mervalis {

namespace {

QLineEdit* box(QWidget* parent, const char* name)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    return edit;
}

}  // namespace

CompanyTab::CompanyTab(AppContext& context, QWidget* parent) : QWidget(parent), context_(context)
{
    buildFrame();

    Label42 = new QLabel(QStringLiteral("Always clear the screen before adding a new company. These details will "
                                        "appear in the header of all your invoices - unless you choose to use "
                                        "letterheaded paper. The Name, Address, City and Post Code are required "
                                        "for an invoice."),
                         this);
    Label42->setObjectName(QStringLiteral("Label42"));
    Label42->setWordWrap(true);

    Combo19 = new DropDownCombo(this);
    Combo19->setObjectName(QStringLiteral("Combo19"));
    Command12 = namedButton(new QPushButton(QStringLiteral("Add company to database"), this), "Command12");
    Command12->setEnabled(false);
    Command12->setMinimumWidth(Command12->sizeHint().width());  // the side column never clips its caption
    Command23 = namedButton(new QPushButton(QStringLiteral("Clear Screen"), this), "Command23");
    taxDetailsButton = namedButton(new QPushButton(QStringLiteral("Tax details..."), this), "taxDetailsButton");
    taxDetailsButton->setToolTip(
        QStringLiteral("The VAT ID, country, currency and bank account that e-invoices of this company give"));
    Command39 = namedButton(new QPushButton(QStringLiteral("Help"), this), "Command39");

    auto* side = new QVBoxLayout;
    side->addWidget(Label42);
    side->addSpacing(8);
    side->addWidget(captionFor(Combo19, QStringLiteral("Retrieve Company"), this));
    side->addWidget(Combo19);
    side->addSpacing(8);
    side->addWidget(Command12);
    side->addWidget(Command23);
    side->addWidget(taxDetailsButton);
    side->addStretch();
    side->addWidget(Command39);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(Frame1, 3);
    layout->addLayout(side, 1);

    connect(Command12, &QPushButton::clicked, this, &CompanyTab::Command12_Click);
    connect(Command23, &QPushButton::clicked, this, &CompanyTab::Command23_Click);
    connect(taxDetailsButton, &QPushButton::clicked, this, &CompanyTab::taxDetails_Click);
    connect(Combo19, &DropDownCombo::dropDown, this, &CompanyTab::Combo19_DropDown);
    connect(Combo19, &QComboBox::activated, this, &CompanyTab::Combo19_Click);
    connect(ClickWatcher::watch(Text19), &ClickWatcher::clicked, this, &CompanyTab::Text19_Click);
    connect(Command39, &QPushButton::clicked, this, [this] { context_.help.open(QStringLiteral("company")); });
}

void CompanyTab::buildFrame()
{
    Frame1 = new QGroupBox(QStringLiteral("Company Address - press Clear Screen to begin"), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Text19 = box(Frame1, "Text19");
    Text12 = box(Frame1, "Text12");
    Text11 = box(Frame1, "Text11");
    Text7 = box(Frame1, "Text7");
    Text8 = box(Frame1, "Text8");
    Text9 = box(Frame1, "Text9");
    Text13 = box(Frame1, "Text13");
    Text18 = box(Frame1, "Text18");
    Text1 = box(Frame1, "Text1");
    Text6 = box(Frame1, "Text6");
    Text14 = box(Frame1, "Text14");
    Text2 = box(Frame1, "Text2");
    Text4 = box(Frame1, "Text4");
    Text3 = named(new QPlainTextEdit(QStringLiteral("        "), Frame1), "Text3", QStringLiteral("Notes"));

    FieldColumns columns(Frame1, 3);
    columns.add(0, Text19, QStringLiteral("Company Name"));
    columns.add(0, Text7, QStringLiteral("Address"));
    columns.addBox(0, named(Text8, "Text8", QStringLiteral("Address, second line")));
    columns.add(0, Text9, QStringLiteral("Post Code / Zip"));
    columns.add(0, Text13, QStringLiteral("City"));
    columns.add(1, Text12, QStringLiteral("Contact First Name"));
    columns.add(1, Text11, QStringLiteral("Contact Surame"));
    columns.add(1, Text18, QStringLiteral("Country"));
    columns.add(1, Text1, QStringLiteral("Telephone"));
    columns.add(1, Text6, QStringLiteral("Telephone2"));
    columns.add(2, Text14, QStringLiteral("Fax"));
    columns.add(2, Text2, QStringLiteral("Mobile"));
    columns.add(2, Text4, QStringLiteral("Email"));
    columns.add(2, Text3, QStringLiteral("Notes"));
    columns.finish();
}

CompanyBoxes CompanyTab::boxes() const
{
    return {Text19, Text12, Text11, Text7, Text8, Text9, Text13, Text18, Text1, Text6, Text14, Text2, Text4, Text3};
}

void CompanyTab::Command12_Click()
{
    if (Text19->text().isEmpty()) {
        context_.dialogs.inform(QStringLiteral("You must include a company name."));
        return;
    }
    if (!context_.dialogs.askYesNo(
            QStringLiteral("This will add a new company to the database. Do you want to continue?"))) {
        return;
    }
    // Values in the order of company_table::addFields().
    const QStringList values{Text6->text(),  Text14->text(), Text19->text(), Text12->text(), Text11->text(),
                             Text7->text(),  Text8->text(),  Text9->text(),  Text13->text(), Text18->text(),
                             Text1->text(),  Text2->text(),  Text4->text(),  Text3->toPlainText()};
    // A failed write has been reported by the data control; what was typed
    // stays on screen to be tried again.
    if (!context_.adodc3.addNew(company_table::addFields(), values)) return;
    Command12->setEnabled(false);
    Command23_Click();
    context_.dialogs.inform(
        QStringLiteral("Record added. You may need to refresh the database view to see the change."));
}

void CompanyTab::Combo19_DropDown()
{
    Command12->setEnabled(false);
    fillFromTable(Combo19, context_.adodc3, company_table::selectAll(), -1, QStringLiteral("CompanyName"),
                  context_.dialogs);
    Combo19->setCurrentIndex(-1);  // nothing is chosen until the user picks
}

void CompanyTab::Combo19_Click()
{
    const QString name = Combo19->currentText();
    if (name.isEmpty()) return;
    context_.adodc3.setCommandType(DataControl::CommandType::Text);
    if (!context_.adodc3.query(company_table::selectByName(name))) return;
    BindCompanyFields(boxes(), context_.adodc3);
}

void CompanyTab::Command23_Click()
{
    // Boxes kept to show what another program's change refused stay as they are.
    if (!ClearCompanyFields(boxes())) return;
    Command12->setEnabled(true);
}

void CompanyTab::Text19_Click()
{
    if (!Command12->isEnabled()) {
        context_.dialogs.inform(QStringLiteral(" It is important to press the Clear Screen Button before entering "
                                               "details."));
    }
}

void CompanyTab::taxDetails_Click()
{
    TaxDetailsDialog::open(context_, TaxParty::Company, Text19->text(), this);
}

}  // namespace mervalis
