#pragma once

#include "invoice/document_model.h"
#include "invoice/invoice_screen.h"

namespace mervalis {

struct TaxSummary;

// The one-page invoice, credit note or amended invoice: a report header
// (the sender block, Section4) and a page header holding the whole body
// (Section2), with the labels of the report layout.
class InvoiceDocument : public Document {
public:
    // The layout as designed: design captions, every label visible.
    static InvoiceDocument design();
};

// The blocks every document shares, as the invoice lays them out: the
// sender (the billing company: name, address line, telephones, e-mail and
// a fax line only when there is a fax) in a section of its own at the top of
// the page, and the client's billing block at the top of the body.
QList<DocumentLabel> senderBlockDesign();
QList<DocumentLabel> clientBlockDesign();
void fillSenderBlock(Document& document, const QString& section, const PartyDetails& company);
void fillClientBlock(Document& document, const QString& section, const PartyDetails& client);

// The document filled from the screen. A tax summary that holds is laid out
// beneath Total Due, and the notes then leave it the room on their right.
InvoiceDocument fillInvoice(const InvoiceScreen& screen, const TaxSummary* taxSummary = nullptr);

}  // namespace mervalis
