#pragma once

#include <QFont>
#include <QPageLayout>
#include <QString>
#include <QStringList>

class QIODevice;
class QPainter;

namespace mervalis {

class InvoiceDocument;
struct DocumentLabel;
struct LabelFont;

// Draws an invoice document: the one routine behind the preview, the
// printer and the PDF file. Coordinates are twips from the top-left corner
// of the printable area, 1,440 to the inch.
class InvoicePainter {
public:
    // The page: A4, or Letter where the machine measures in inches, with
    // margins of 1,440 twips (one inch) on every side.
    static QPageLayout pageLayout();

    // Arial at the style's size, measured in twips (its pixel size in the
    // twips coordinate system the document is drawn in).
    static QFont fontOf(const LabelFont& style);

    // How many whole lines of its text a label has room for.
    static int lineCapacity(const DocumentLabel& label);

    // The lines of a label as drawn: only whole lines that fit its height,
    // each cut at the label's right edge, so that no text reaches a
    // neighbour. Empty for a hidden label.
    static QStringList drawnLines(const DocumentLabel& label);

    // Draws the document on a painter whose origin is the top-left corner of
    // the printable area (a QPrinter or QPdfWriter with the page layout
    // above), at the device's resolution.
    static void paint(QPainter& painter, const InvoiceDocument& document);

    // Writes the document as a one-page PDF. False when it could not be
    // written.
    static bool writePdf(const InvoiceDocument& document, QIODevice* device, const QString& title);
};

}  // namespace mervalis
