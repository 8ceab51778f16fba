#pragma once

#include "invoice/invoice_document.h"

#include <optional>

namespace mervalis {

class DialogService;

// The document "Generate Invoice" shows for the screen, once the user has
// been told what would not be right on it: a tax summary that does not add
// up is left out, with the reason; a figure that does not fit even at 6 pt
// means no document; texts that would be cut are listed, and the user
// decides whether to open the document anyway. Empty when there is no
// document to show.
std::optional<InvoiceDocument> generateInvoice(const InvoiceScreen& screen, DialogService& dialogs);

}  // namespace mervalis
