#include "invoice/invoice_generation.h"

#include "data/dialogs.h"
#include "invoice/document_fit.h"
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
    const DocumentFit fit = fitDocument(document);
    if (!fit.figuresThatDoNotFit.isEmpty()) {
        dialogs.inform(figuresDoNotFitMessage(fit.figuresThatDoNotFit));
        return std::nullopt;
    }
    if (!fit.textsCut.isEmpty() && !dialogs.askYesNo(textsCutQuestion(fit.textsCut))) return std::nullopt;
    return document;
}

}  // namespace mervalis
