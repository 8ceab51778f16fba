#pragma once

#include "invoice/document_model.h"

#include <QPageLayout>
#include <QString>

class QIODevice;
class QPainter;

namespace mervalis {

// Draws a document: the one routine behind the preview, the printer and the
// PDF file. Coordinates are twips from the top-left corner of the printable
// area, 1,440 to the inch. Every label is drawn as fitDocument fits it.
class DocumentPainter {
public:
    // The page: A4, or Letter where the machine measures in inches, with
    // margins of 1,440 twips (one inch) on every side.
    static QPageLayout pageLayout();

    // Draws the document on a painter whose origin is the top-left corner of
    // the printable area (a QPrinter or QPdfWriter with the page layout
    // above), at the device's resolution.
    static void paint(QPainter& painter, const Document& document);
    // Draws each page on a page of its own: the painter's device (a QPrinter
    // or QPdfWriter) starts a new page between them.
    static void paint(QPainter& painter, const DocumentPages& pages);

    // Writes the pages as a PDF; `archival` makes it a PDF/A-1b (fonts
    // embedded, sRGB output intent, XMP metadata). False when it could not be
    // written.
    static bool writePdf(const DocumentPages& pages, QIODevice* device, const QString& title, bool archival = false);
};

}  // namespace mervalis
