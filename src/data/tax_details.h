#pragma once

#include <QList>
#include <QString>

#include <optional>

namespace mervalis {

class Database;

// Whose tax details: a billing company (Mervalis3) or a client (Mervalis),
// stored as the Kind "company" or "client" of MervalisTaxDetails.
enum class TaxParty { Company, Client };

// What an EN 16931 e-invoice needs of a party beyond its name and address.
// Codes are held compact and in upper case.
struct TaxDetails {
    QString vatId;           // "DE123456789"
    QString countryCode;     // ISO 3166-1 alpha-2
    QString currency;        // ISO 4217, companies
    QString iban;            // companies, optional
    QString bic;             // companies, optional
    QString buyerReference;  // clients, optional

    bool operator==(const TaxDetails&) const = default;
};

// One thing wrong with typed tax details: the field and a message saying
// what is wrong and how to put it right.
struct TaxDetailsProblem {
    enum class Field { VatId, CountryCode, Currency, Iban, Bic, BuyerReference };
    Field field;
    QString message;
};

// Makes typed details stored form (codes compact and in upper case; the
// buyer reference trimmed) and checks them: country and currency codes
// against the ISO lists, a VAT ID's country prefix, an IBAN's check digits,
// and what a party of an e-invoice must have (a company its VAT ID, country
// and currency; a client its country). Empty when they may be stored.
QList<TaxDetailsProblem> checkTaxDetails(TaxParty party, TaxDetails* details);

// The table MervalisTaxDetails: one row per company or client name, the
// name matched without regard to case. Every statement is built here.
namespace tax_details_table {

QString kindOf(TaxParty party);  // "company" or "client"
QString selectFor(TaxParty party, const QString& name);

}  // namespace tax_details_table

// Tax details as read from the ledger: the row's ID and what it held, so
// that a write holds only over what was read.
struct StoredTaxDetails {
    long long id = 0;
    TaxDetails details;
};

// Reads and writes tax details on the ledger's connection.
class TaxDetailsStore {
public:
    explicit TaxDetailsStore(Database& database) : database_(database) {}

    // The details of a party; none when it has none. False when they could
    // not be read: error() says why.
    bool read(TaxParty party, const QString& name, std::optional<StoredTaxDetails>* stored);

    enum class Write {
        Stored,
        Changed,  // another workstation changed or deleted them since `was` was read; nothing stored
        Failed,   // error() says why; nothing stored
    };
    // Writes `details` in place of `was` (none: the party had none).
    Write write(TaxParty party, const QString& name, const std::optional<StoredTaxDetails>& was,
                const TaxDetails& details);

    // The reason of the last failure, with advice where the ledger lacks the
    // table.
    const QString& error() const { return error_; }

private:
    bool fail(const QString& action);
    Database& database_;
    QString error_;
};

}  // namespace mervalis
