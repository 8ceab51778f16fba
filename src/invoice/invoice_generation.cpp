#include "invoice/invoice_generation.h"

#include "data/dialogs.h"
#include "invoice/document_pages.h"
#include "invoice/tax_summary.h"

namespace mervalis {

std::optional<InvoiceDocument> generateInvoice(const InvoiceScreen& screen, DialogService& dialogs)
{
    std::optional<TaxSummary> summary;
    if (screen.taxSummary) {
        summary = summariseTax(screen);
        if (!summary->holds()) dialogs.inform(taxSummaryLeftOutMessage(*summary));
    }
    InvoiceDocument document = fillInvoice(screen, summary ? &*summary : nullptr);
    const QString advice = QStringLiteral("Shorten them on the Invoice tab, or give some of the sales a reference ID "
                                          "of their own, and generate the document again.");
    if (!mayShow(fitDocument(document), dialogs, advice)) return std::nullopt;
    return document;
}

}  // namespace mervalis
