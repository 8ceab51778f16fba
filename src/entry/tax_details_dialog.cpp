#include "entry/tax_details_dialog.h"

#include "data/app_context.h"
#include "data/dialogs.h"
#include "data/tax_codes.h"
#include "ui/ui.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

namespace mervalis {

namespace {

using Field = TaxDetailsProblem::Field;

QString partyWord(TaxParty party)
{
    return party == TaxParty::Company ? QStringLiteral("company") : QStringLiteral("client");
}

}  // namespace

TaxDetailsDialog* TaxDetailsDialog::open(AppContext& context, TaxParty party, const QString& name, QWidget* tab)
{
    if (name.trimmed().isEmpty()) {
        context.dialogs.inform(QStringLiteral("Retrieve a %1 first: tax details belong to the %1 shown.")
                                   .arg(partyWord(party)));
        return nullptr;
    }
    TaxDetailsStore store(context.database);
    std::optional<StoredTaxDetails> stored;
    if (!store.read(party, name, &stored)) {
        context.dialogs.warn(store.error());
        return nullptr;
    }
    auto* dialog = new TaxDetailsDialog(context, party, name, stored, tab);
    dialog->show();
    return dialog;
}

TaxDetailsDialog::TaxDetailsDialog(AppContext& context, TaxParty party, QString name,
                                   std::optional<StoredTaxDetails> stored, QWidget* parent)
    : QDialog(parent), context_(context), party_(party), name_(std::move(name)), stored_(std::move(stored))
{
    setObjectName(QStringLiteral("taxDetailsDialog"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowModality(Qt::WindowModal);
    setWindowTitle(QStringLiteral("Tax details - %1").arg(name_));
    setAccessibleName(windowTitle());
    const bool company = party == TaxParty::Company;

    const QString introText =
        company ? QStringLiteral("What the e-invoices of \"%1\" say of it as the seller. The VAT ID, country code "
                                 "and currency are needed; the bank account is given to clients to pay into.")
                : QStringLiteral("What e-invoices to \"%1\" say of it as the buyer. The country code is needed; "
                                 "give the VAT ID where the client has one, and the reference its accounts "
                                 "department asks invoices to quote.");
    auto* intro = new QLabel(introText.arg(name_), this);
    intro->setObjectName(QStringLiteral("introLabel"));
    intro->setWordWrap(true);

    auto* form = new QFormLayout;
    auto add = [this, form](QLineEdit** box, const char* name, const QString& caption, const QString& tip,
                            QWidget* beside = nullptr) {
        *box = new QLineEdit(this);
        (*box)->setObjectName(QLatin1String(name));
        (*box)->setToolTip(tip);
        QLabel* label = captionFor(*box, caption, this);
        if (!beside) {
            form->addRow(label, *box);
            return;
        }
        auto* row = new QHBoxLayout;
        row->addWidget(*box, 1);
        row->addWidget(beside, 1);
        form->addRow(label, row);
    };
    add(&vatId, "vatId", QStringLiteral("VAT ID"),
        QStringLiteral("The VAT identification number with its country prefix, such as DE123456789"));
    countryName = new QLabel(this);
    countryName->setObjectName(QStringLiteral("countryName"));
    add(&countryCode, "countryCode", QStringLiteral("Country code"),
        QStringLiteral("The two letters of the country of the address (ISO 3166), such as DE or FR"), countryName);
    if (company) {
        add(&currency, "currency", QStringLiteral("Currency"),
            QStringLiteral("The three letters of the currency invoiced in (ISO 4217), such as EUR or GBP"));
        add(&iban, "iban", QStringLiteral("IBAN"), QStringLiteral("The account clients pay into (optional)"));
        add(&bic, "bic", QStringLiteral("BIC"), QStringLiteral("The bank's BIC (optional)"));
    } else {
        add(&buyerReference, "buyerReference", QStringLiteral("Buyer reference"),
            QStringLiteral("The reference the client asks its invoices to quote (optional)"));
    }
    connect(countryCode, &QLineEdit::textChanged, this, &TaxDetailsDialog::showCountry);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Save | QDialogButtonBox::Cancel, this);
    saveButton = namedButton(buttons->button(QDialogButtonBox::Save), "saveButton");
    cancelButton = namedButton(buttons->button(QDialogButtonBox::Cancel), "cancelButton");
    saveButton->setDefault(true);
    connect(saveButton, &QPushButton::clicked, this, &TaxDetailsDialog::save);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addLayout(form);
    layout->addWidget(buttons);
    setMinimumWidth(460);

    if (stored_) showDetails(stored_->details);
    showCountry();
}

QLineEdit* TaxDetailsDialog::box(Field field) const
{
    switch (field) {
    case Field::VatId: return vatId;
    case Field::CountryCode: return countryCode;
    case Field::Currency: return currency;
    case Field::Iban: return iban;
    case Field::Bic: return bic;
    case Field::BuyerReference: return buyerReference;
    }
    return nullptr;
}

TaxDetails TaxDetailsDialog::typed() const
{
    auto text = [](const QLineEdit* box) { return box ? box->text() : QString(); };
    return TaxDetails{text(vatId), text(countryCode), text(currency), text(iban), text(bic), text(buyerReference)};
}

void TaxDetailsDialog::showDetails(const TaxDetails& d)
{
    const std::pair<QLineEdit*, const QString*> boxes[] = {{vatId, &d.vatId}, {countryCode, &d.countryCode},
                                                           {currency, &d.currency}, {iban, &d.iban},
                                                           {bic, &d.bic}, {buyerReference, &d.buyerReference}};
    for (const auto& [box, value] : boxes) {
        if (box) box->setText(*value);
    }
}

void TaxDetailsDialog::showCountry()
{
    const QString code = compactCode(countryCode->text());
    const QLocale::Territory territory = isCountryCode(code) ? QLocale::codeToTerritory(code) : QLocale::AnyTerritory;
    countryName->setText(territory == QLocale::AnyTerritory ? QString() : QLocale::territoryToString(territory));
}

bool TaxDetailsDialog::save()
{
    TaxDetails details = typed();
    const QList<TaxDetailsProblem> problems = checkTaxDetails(party_, &details);
    if (!problems.isEmpty()) {
        QStringList texts;
        for (const TaxDetailsProblem& problem : problems) texts << problem.message;
        context_.dialogs.inform(QStringLiteral("The tax details were not stored:\r\n\r\n%1")
                                    .arg(texts.join(QStringLiteral("\r\n\r\n"))));
        if (QLineEdit* first = box(problems.first().field)) {
            first->setFocus();
            first->selectAll();
        }
        return false;
    }
    TaxDetailsStore store(context_.database);
    switch (store.write(party_, name_, stored_, details)) {
    case TaxDetailsStore::Write::Stored:
        accept();
        return true;
    case TaxDetailsStore::Write::Changed:
        // What was typed stays; the next Save writes over what is stored now.
        if (!store.read(party_, name_, &stored_)) {
            context_.dialogs.warn(store.error());
            return false;
        }
        context_.dialogs.inform(
            QStringLiteral("The tax details of \"%1\" were changed by someone else after they were shown here. "
                           "Nothing was stored.\r\n\r\nWhat you typed is still in the dialog: press Save again to "
                           "store it in their place, or Cancel to keep theirs.")
                .arg(name_));
        return false;
    case TaxDetailsStore::Write::Failed: break;
    }
    context_.dialogs.warn(store.error());
    return false;
}

}  // namespace mervalis
