#include "invoice/document_pages.h"

#include "data/dialogs.h"

#include <algorithm>

namespace mervalis {

namespace {

// The columns of the flowing table in a layout, in the order its section
// holds them.
QList<DocumentLabel*> columnsOf(Document& page, const TableFlow& flow)
{
    QList<DocumentLabel*> columns;
    for (const DocumentSection& section : page.sections()) {
        if (section.name.compare(flow.section, Qt::CaseInsensitive) != 0) continue;
        for (const DocumentLabel& label : section.labels) {
            if (label.lineGroup == flow.lineGroup) columns << page.label(section.name, label.name);
        }
    }
    return columns;
}

int rowsPerPage(const Document& layout, const TableFlow& flow)
{
    Document copy = layout;
    const QList<DocumentLabel*> columns = columnsOf(copy, flow);
    return columns.isEmpty() ? 0 : std::max(1, linesThatFit(*columns.first()));
}

}  // namespace

DocumentPages flowTable(const Document& first, const Document& next, const TableFlow& flow,
                        const QList<QStringList>& rows)
{
    const int onFirst = rowsPerPage(first, flow);
    const int onNext = rowsPerPage(next, flow);
    DocumentPages pages;
    qsizetype taken = 0;
    do {
        Document page = pages.isEmpty() ? first : next;
        const qsizetype count = std::min<qsizetype>(pages.isEmpty() ? onFirst : onNext, rows.size() - taken);
        const QList<DocumentLabel*> columns = columnsOf(page, flow);
        for (qsizetype c = 0; c < columns.size(); ++c) {
            QStringList lines;
            for (qsizetype r = taken; r < taken + count; ++r) lines << rows[r].value(c);
            columns[c]->text = lines.join(QLatin1Char('\n'));
        }
        taken += count;
        pages << page;
    } while (taken < rows.size() && onNext > 0);

    for (qsizetype p = 0; p < pages.size(); ++p) {
        if (p + 1 < pages.size()) {
            for (const QString& name : flow.lastPageOnly) pages[p].hide(flow.section, name);
        }
        pages[p].setText(flow.pageNumberSection, flow.pageNumberLabel,
                         QStringLiteral("Page %1 of %2").arg(p + 1).arg(pages.size()));
    }
    return pages;
}

DocumentFit fitPages(const DocumentPages& pages)
{
    DocumentFit all;
    for (qsizetype p = 0; p < pages.size(); ++p) {
        DocumentFit fit = fitDocument(pages[p]);
        if (pages.size() > 1) {
            const QString page = QStringLiteral("page %1, ").arg(p + 1);
            for (QString& figure : fit.figuresThatDoNotFit) figure.prepend(page);
            for (QString& text : fit.textsCut) text.prepend(page);
        }
        all.sections += fit.sections;
        all.figuresThatDoNotFit += fit.figuresThatDoNotFit;
        all.textsCut += fit.textsCut;
    }
    return all;
}

bool mayShow(const DocumentFit& fit, DialogService& dialogs, const QString& advice)
{
    if (!fit.figuresThatDoNotFit.isEmpty()) {
        dialogs.inform(figuresDoNotFitMessage(fit.figuresThatDoNotFit, advice));
        return false;
    }
    return fit.textsCut.isEmpty() || dialogs.askYesNo(textsCutQuestion(fit.textsCut));
}

}  // namespace mervalis
