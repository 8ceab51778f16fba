#pragma once

#include "data/tax_details.h"

#include <QDialog>

#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace mervalis {

struct AppContext;

// "Tax details...": the VAT ID, country code and, for a company, currency
// and bank account, or, for a client, the buyer reference, that an e-invoice
// of the company or client shown needs. Stored beside the record, matched by
// its name; what is typed is checked first, and nothing that fails is
// stored. Window-modal over its tab; deletes itself when closed.
class TaxDetailsDialog : public QDialog {
    Q_OBJECT
public:
    // Opens the dialog for the company or client `name` shown on `tab`. Tells
    // the user, and opens nothing, when no record is shown or its details
    // cannot be read.
    static TaxDetailsDialog* open(AppContext& context, TaxParty party, const QString& name, QWidget* tab);

    // Checks and stores what is typed, and closes when it is stored; what was
    // typed stays when it is not.
    bool save();

    // The boxes; those a party does not have are null.
    QLineEdit* vatId = nullptr;
    QLineEdit* countryCode = nullptr;
    QLabel* countryName = nullptr;  // the country the code stands for
    QLineEdit* currency = nullptr;  // companies
    QLineEdit* iban = nullptr;      // companies
    QLineEdit* bic = nullptr;       // companies
    QLineEdit* buyerReference = nullptr;  // clients
    QPushButton* saveButton = nullptr;
    QPushButton* cancelButton = nullptr;

private:
    TaxDetailsDialog(AppContext& context, TaxParty party, QString name, std::optional<StoredTaxDetails> stored,
                     QWidget* parent);
    QLineEdit* box(TaxDetailsProblem::Field field) const;
    TaxDetails typed() const;
    void showDetails(const TaxDetails& details);
    void showCountry();

    AppContext& context_;
    TaxParty party_;
    QString name_;
    std::optional<StoredTaxDetails> stored_;
};

}  // namespace mervalis
