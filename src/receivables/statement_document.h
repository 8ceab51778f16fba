#pragma once

#include "invoice/document_model.h"
#include "invoice/invoice_screen.h"
#include "receivables/outstanding_invoices.h"

#include <optional>

namespace mervalis {

class DialogService;

// What a client's statement shows: who sends it, to whom, on which day, and
// the client's outstanding invoices.
struct StatementContent {
    PartyDetails company;
    bool letterhead = false;  // the sender block stays blank for pre-printed paper
    PartyDetails client;
    QDate date;
    QList<OutstandingInvoice> invoices;
};

// The statement's pages. The first is headed as an invoice is (the sender
// block, the client's block, the date and the title "STATEMENT"); the
// others by the title, the client and the date. Every page shows the column
// headings ("Date", "Reference ID", "Amount due", "Days outstanding") over
// its share of the invoices, oldest first, and "Page n of m" at its foot;
// the last page the age band totals and the total owed.
DocumentPages fillStatement(const StatementContent& content);

// The statement, once the user has been told what would not be right on
// it: a figure that does not fit even at 6 pt means no statement; texts that
// would be cut are listed, and the user decides whether to open it anyway.
// Empty when there is no statement to show.
std::optional<DocumentPages> generateStatement(const StatementContent& content, DialogService& dialogs);

}  // namespace mervalis
