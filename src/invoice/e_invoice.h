#pragma once

#include "data/money.h"
#include "data/tax_details.h"
#include "invoice/invoice_screen.h"

#include <QDate>
#include <QList>
#include <QStringList>

#include <optional>

namespace mervalis {

// An invoice as EN 16931 models it, made from what the invoice document
// prints: the same parties, lines and Total Due, with the tax details the
// ledger keeps beside the companies and clients. Amounts are to the cent.
//
// A credit note (type 381) follows EN 16931's convention for credit notes:
// it states what is credited with the opposite sign to the ledger's, so the
// ledger's negative sales are positive amounts in it, and its amount due is
// what Total Due credits.
struct EInvoice {
    // A line allowance (a discount) or charge (freight).
    struct Adjustment {
        bool charge = false;
        Currency amount;     // never negative
        QString reasonCode;  // UNTDID 5189 or 7161; empty when the reason says it alone
        QString reason;
    };
    struct Line {
        int id = 0;  // the line of the document's columns
        QString name;
        Currency quantity;  // negative for a line that takes off
        QString unitCode;   // UN/ECE Rec 20: C62, HUR, DAY
        Currency price;     // never negative
        QList<Adjustment> adjustments;
        Currency netAmount;
        QChar category;  // 'S' standard rate, 'Z' zero rate
        Currency rate;   // percent
    };
    // The VAT breakdown of one category and rate.
    struct VatBreakdown {
        QChar category;
        Currency rate;
        Currency basis;
        Currency tax;
    };
    struct Party {
        PartyDetails details;
        TaxDetails tax;
    };

    QString number;  // the reference ID
    int typeCode = 380;  // 380 invoice, 381 credit note, 384 corrected invoice
    QDate issueDate;
    QString currency;
    Party seller;
    Party buyer;
    QString notes;
    QString paymentTerms;
    QList<Line> lines;
    QList<VatBreakdown> vat;
    Currency lineTotal;   // the lines' net amounts
    Currency taxBasis;    // the same: no allowances or charges on the whole document
    Currency taxTotal;    // each rate's tax worked out on its basis
    Currency grandTotal;
    Currency rounding;    // what the ledger's tax per line adds to it
    Currency duePayable;  // Total Due (credited, for a credit note)
};

// Makes the e-invoice of what the screen shows, or says what it lacks.
struct EInvoiceDraft {
    std::optional<EInvoice> invoice;
    // What the ledger or the screen would need to give for an e-invoice, one
    // item each: "the tax details of the billing company "Acme" (...)".
    QStringList needs;
};
EInvoiceDraft makeEInvoice(const InvoiceScreen& screen, const std::optional<TaxDetails>& seller,
                           const std::optional<TaxDetails>& buyer);
// The same with the tax details of the screen's company and client read
// from the ledger.
EInvoiceDraft makeEInvoice(const InvoiceScreen& screen, TaxDetailsStore& store);

// The e-invoice as CII D16B XML (UN/CEFACT Cross Industry Invoice, EN 16931
// profile), UTF-8, numbers with "." whatever the region.
QByteArray ciiXml(const EInvoice& invoice);

}  // namespace mervalis
