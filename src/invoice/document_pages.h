#pragma once

#include "invoice/document_fit.h"
#include "invoice/document_model.h"

namespace mervalis {

// How a table flows over the pages of a document. Its columns are the
// labels of one line group in one section of each page's layout, each
// holding one line per row; their headings are labels of the layouts too,
// so that every page shows them.
struct TableFlow {
    QString section;    // the section that holds the columns, on every page
    QString lineGroup;  // the columns' group
    // Labels of `section` that only the last page shows (the totals beneath
    // the table).
    QStringList lastPageOnly;
    // The label that reads "Page n of m" on every page.
    QString pageNumberSection;
    QString pageNumberLabel;
};

// Flows `rows` (one text per column, in the order the section holds the
// columns) over pages: the first laid out as `first`, every other one as
// `next`; each takes as many rows as its columns hold lines at their size,
// so nothing is drawn smaller for want of room. A table without rows still
// makes one page.
DocumentPages flowTable(const Document& first, const Document& next, const TableFlow& flow,
                        const QList<QStringList>& rows);

class DialogService;

// What does not fit on any page of a document, as fitDocument says it for
// one; on a document of several pages each place names its page ("page 2,
// Reference ID, line 3: ...").
DocumentFit fitPages(const DocumentPages& pages);

// Tells the user what would not be right on a document about to be shown:
// figures that do not fit mean no document (`advice` says what to do about
// them); texts that would be cut are listed, and the user decides whether
// to open it anyway. True when the document may be shown.
bool mayShow(const DocumentFit& fit, DialogService& dialogs, const QString& advice);

}  // namespace mervalis
