#include "entry/client_tab.h"

#include "ui/click_watcher.h"
#include "ui/drop_down_combo.h"
#include "entry/field_columns.h"
#include "entry/tax_details_dialog.h"
#include "entry/list_files.h"
#include "ui/list_fill.h"
#include "data/app_context.h"
#include "data/client_table.h"
#include "data/data_control.h"
#include "data/dialogs.h"
#include "data/help.h"
#include "ui/ui.h"

#include <QComboBox>
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

// An editable profile list holding its fixed entries, showing no choice.
template <class Combo = QComboBox>
Combo* profileList(QWidget* parent, const char* name, const QStringList& entries)
{
    auto* combo = new Combo(parent);
    combo->setObjectName(QLatin1String(name));
    makeEditable(combo);
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    combo->setMinimumContentsLength(6);
    combo->addItems(entries);
    combo->setCurrentIndex(-1);
    combo->clearEditText();
    return combo;
}

}  // namespace

QStringList ClientTab::sexEntries() { return client_table::sexEntries(); }

QStringList ClientTab::ageEntries() { return client_table::ageEntries(); }

QStringList ClientTab::incomeEntries() { return client_table::incomeBands(); }

ClientTab::ClientTab(AppContext& context, QWidget* parent) : QWidget(parent), context_(context)
{
    buildAddressFrame();
    buildProfileFrame();

    Label61 = new QLabel(QStringLiteral("Always clear the screen before adding new clients. These clients will "
                                        "automatically appear in the client drop down list in sales. The Name, "
                                        "Address, City and Post Code are required for an invoice."),
                         this);
    Label61->setObjectName(QStringLiteral("Label61"));
    Label61->setWordWrap(true);

    Combo20 = new DropDownCombo(this);
    Combo20->setObjectName(QStringLiteral("Combo20"));
    Command2 = namedButton(new QPushButton(QStringLiteral("Add client to database"), this), "Command2");
    Command2->setEnabled(false);
    Command2->setMinimumWidth(Command2->sizeHint().width());  // the side column never clips its caption
    Command24 = namedButton(new QPushButton(QStringLiteral("Clear Screen"), this), "Command24");
    taxDetailsButton = namedButton(new QPushButton(QStringLiteral("Tax details..."), this), "taxDetailsButton");
    taxDetailsButton->setToolTip(
        QStringLiteral("The VAT ID, country and buyer reference that e-invoices to this client give"));
    Command40 = namedButton(new QPushButton(QStringLiteral("Help"), this), "Command40");

    auto* side = new QVBoxLayout;
    side->addWidget(Label61);
    side->addSpacing(8);
    side->addWidget(captionFor(Combo20, QStringLiteral("Retrieve Client"), this));
    side->addWidget(Combo20);
    side->addSpacing(8);
    side->addWidget(Command2);
    side->addWidget(Command24);
    side->addWidget(taxDetailsButton);
    side->addStretch();
    side->addWidget(Command40);

    auto* frames = new QVBoxLayout;
    frames->addWidget(Frame5, 1);
    frames->addWidget(Frame6);

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(frames, 3);
    layout->addLayout(side, 1);

    connect(Command2, &QPushButton::clicked, this, &ClientTab::Command2_Click);
    connect(Command24, &QPushButton::clicked, this, &ClientTab::Command24_Click);
    connect(taxDetailsButton, &QPushButton::clicked, this, &ClientTab::taxDetails_Click);
    connect(Combo20, &DropDownCombo::dropDown, this, &ClientTab::Combo20_DropDown);
    connect(Combo20, &QComboBox::activated, this, &ClientTab::Combo20_Click);
    connect(Combo26, &DropDownCombo::dropDown, this, &ClientTab::Combo26_DropDown);
    connect(Combo27, &DropDownCombo::dropDown, this, &ClientTab::Combo27_DropDown);
    connect(ClickWatcher::watch(Text61), &ClickWatcher::clicked, this, &ClientTab::Text61_Click);
    connect(Command40, &QPushButton::clicked, this, [this] { context_.help.open(QStringLiteral("client")); });
}

void ClientTab::buildAddressFrame()
{
    Frame5 = new QGroupBox(QStringLiteral("Client's Billing Address- press Clear Screen to begin"), this);
    Frame5->setObjectName(QStringLiteral("Frame5"));
    Text61 = box(Frame5, "Text61");
    Text54 = box(Frame5, "Text54");
    Text55 = box(Frame5, "Text55");
    Text56 = box(Frame5, "Text56");
    Text57 = box(Frame5, "Text57");
    Text58 = box(Frame5, "Text58");
    Text59 = box(Frame5, "Text59");
    Text60 = box(Frame5, "Text60");
    Text53 = box(Frame5, "Text53");
    Text16 = box(Frame5, "Text16");
    Text20 = box(Frame5, "Text20");
    Text52 = box(Frame5, "Text52");
    Text51 = box(Frame5, "Text51");
    Text5 = named(new QPlainTextEdit(QStringLiteral("        "), Frame5), "Text5", QStringLiteral("Notes"));

    FieldColumns columns(Frame5, 3);
    columns.add(0, Text61, QStringLiteral("Client Company Name"));
    columns.add(0, Text56, QStringLiteral("Address"));
    columns.addBox(0, named(Text57, "Text57", QStringLiteral("Address, second line")));
    columns.add(0, Text58, QStringLiteral("Post Code / Zip"));
    columns.add(0, Text59, QStringLiteral("City"));
    columns.add(1, Text54, QStringLiteral("Contact First Name"));
    columns.add(1, Text55, QStringLiteral("Contact Surame"));
    columns.add(1, Text60, QStringLiteral("Country"));
    columns.add(1, Text53, QStringLiteral("Telephone"));
    columns.add(1, Text16, QStringLiteral("Telephone2"));
    columns.add(2, Text20, QStringLiteral("Fax"));
    columns.add(2, Text52, QStringLiteral("Mobile"));
    columns.add(2, Text51, QStringLiteral("Email"));
    columns.add(2, Text5, QStringLiteral("Notes"));
    columns.finish();
}

void ClientTab::buildProfileFrame()
{
    Frame6 = new QGroupBox(QStringLiteral("For use if a client is an individual"), this);
    Frame6->setObjectName(QStringLiteral("Frame6"));
    Combo23 = profileList(Frame6, "Combo23", sexEntries());
    Combo24 = profileList(Frame6, "Combo24", ageEntries());
    Combo25 = profileList(Frame6, "Combo25", incomeEntries());
    Combo26 = profileList<DropDownCombo>(Frame6, "Combo26", {});
    Combo27 = profileList<DropDownCombo>(Frame6, "Combo27", {});

    FieldColumns columns(Frame6, 5);
    columns.add(0, Combo23, QStringLiteral("Sex"));
    columns.add(1, Combo24, QStringLiteral("Age"));
    columns.add(2, Combo25, QStringLiteral("Income"));
    columns.add(3, Combo26, QStringLiteral("Ethnicity"));
    columns.add(4, Combo27, QStringLiteral("Lead Given To"));
}

ClientBoxes ClientTab::boxes() const
{
    return {Text61, Text54, Text55, Text56, Text57, Text58, Text59, Text60, Text53, Text16,
            Text20, Text52, Text51, Text5,  Combo23, Combo24, Combo25, Combo26, Combo27};
}

void ClientTab::Command2_Click()
{
    if (Text61->text().isEmpty()) {
        context_.dialogs.warn(
            QStringLiteral("You must add a client company name. If your client is an individual, then create a "
                           "username for the client of some combination of First Name, Surname and Initials and "
                           "then use the username as the client company name. It is wise to stick to the same "
                           "format for all individuals who are clients.\r\n\r\n"
                           "This information is crucial and is constantly used to reference the client."));
        return;
    }
    if (!context_.dialogs.askYesNo(
            QStringLiteral("This will add a new client to the database. Do you want to continue?"))) {
        return;
    }
    // Values in the order of client_table::addFields().
    const QStringList values{Combo23->currentText(), Combo24->currentText(), Combo25->currentText(),
                             Combo26->currentText(), Combo27->currentText(), Text16->text(),
                             Text20->text(),         Text61->text(),         Text54->text(),
                             Text55->text(),         Text56->text(),         Text57->text(),
                             Text58->text(),         Text59->text(),         Text60->text(),
                             Text53->text(),         Text52->text(),         Text51->text(),
                             Text5->toPlainText()};
    // A failed write has been reported by the data control; what was typed
    // stays on screen to be tried again.
    if (!context_.adodc1.addNew(client_table::addFields(), values)) return;
    Command2->setEnabled(false);
    Command24_Click();
    context_.dialogs.inform(
        QStringLiteral("Record added. You may need to refresh the database view to see the change."));
}

void ClientTab::Combo20_DropDown()
{
    Command2->setEnabled(false);
    fillFromTable(Combo20, context_.adodc1, client_table::selectAll(), client_table::kClientNamePosition, QString(),
                  context_.dialogs);
    Combo20->setCurrentIndex(-1);  // nothing is chosen until the user picks
}

void ClientTab::Combo20_Click()
{
    const QString name = Combo20->currentText();
    if (name.isEmpty()) return;
    context_.adodc1.setCommandType(DataControl::CommandType::Text);
    if (!context_.adodc1.query(client_table::selectByName(name))) return;
    BindClientFields(boxes(), context_.adodc1);
}

void ClientTab::Command24_Click()
{
    // Boxes kept to show what another program's change refused stay as they are.
    if (!ClearClientFields(boxes())) return;
    Command2->setEnabled(true);
}

void ClientTab::Text61_Click()
{
    if (!Command2->isEnabled()) {
        context_.dialogs.inform(QStringLiteral(" It is important to press the Clear Screen Button before entering "
                                               "details."));
    }
}

void ClientTab::Combo26_DropDown()
{
    fillFromListFile(Combo26, ListFile::Ethnicity, context_);
}

void ClientTab::Combo27_DropDown()
{
    fillFromListFile(Combo27, ListFile::LeadsGivenTo, context_);
}

void ClientTab::taxDetails_Click()
{
    TaxDetailsDialog::open(context_, TaxParty::Client, Text61->text(), this);
}

}  // namespace mervalis
