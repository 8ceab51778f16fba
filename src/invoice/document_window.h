#pragma once

#include "invoice/e_invoice.h"
#include "invoice/document_model.h"

#include <QPointer>
#include <QPrinter>
#include <QWidget>

class QAction;
class QFileDialog;
class QLabel;
class QPrintDialog;
class QPrintPreviewWidget;
class QToolBar;

namespace mervalis {

class DialogService;

// The window of one generated document (an invoice, a statement): a print
// preview of its pages, from which the user prints it (Ctrl+P) or saves it
// as a PDF file. A window of its own, not modal; it deletes itself when
// closed.
class DocumentWindow : public QWidget {
    Q_OBJECT
public:
    // `title` names the window, the print job and the PDF; `fileName` is
    // the name the save dialogs propose (without a suffix), `fallbackName`
    // the one they propose when `fileName` leaves nothing usable; `kind`
    // names the document in messages ("invoice").
    struct Naming {
        QString title;
        QString fileName;
        QString fallbackName;
        QString kind;
    };
    DocumentWindow(DocumentPages pages, Naming naming, DialogService& dialogs, QWidget* parent = nullptr);

    const DocumentPages& pages() const { return pages_; }

    // The e-invoice of an invoice, or what it would need. With one, Save as
    // PDF (and Print to file) writes a Factur-X PDF/A-3 carrying it, and
    // "Save e-invoice XML..." writes its XML alone; without, the plain PDF,
    // and the window says what is missing. Other documents have no such
    // action.
    void setEInvoice(const EInvoiceDraft& draft);
    bool hasEInvoice() const { return !xml_.isEmpty(); }

    // The file the "Save as PDF" dialog proposes: the file name with ".pdf",
    // in the user's documents folder; the XML's with ".xml".
    QString proposedPdfPath() const { return proposedPath(QStringLiteral("pdf")); }
    QString proposedPath(const QString& suffix) const;

    // Opens the print dialog; the document is printed when it is accepted.
    void print();
    // Opens Qt's own file dialog; the document is written to the file chosen.
    void saveAsPdf();
    // Writes the document to `path` as a PDF, replacing the file only once
    // the whole document is written: the one place PDF files are written.
    // Says on the status line where it went, or that it was not saved; a
    // failed save leaves no file behind, and the user is told why.
    bool writePdf(const QString& path);
    // Opens the file dialog for the e-invoice's XML, and writes it.
    void saveXml();
    bool writeXml(const QString& path);

    QToolBar* toolBar;
    QAction* printAction;
    QAction* saveAction;
    QAction* saveXmlAction;  // "Save e-invoice XML...": on invoices, for an e-invoice
    QAction* zoomInAction;
    QAction* zoomOutAction;
    QPrintPreviewWidget* preview;
    QLabel* eInvoiceLine;  // whether Save as PDF makes an e-invoice, and what one would need
    QLabel* statusLine;    // "Saved as ...", hidden until a save

    // The dialogs while they are open, else null.
    QPrintDialog* printDialog() const;
    QFileDialog* fileDialog() const;

private:
    // Opens Qt's own save dialog proposing `suffix`; `write` gets the path.
    void askFile(const QString& caption, const QString& suffix, const QString& filter,
                 bool (DocumentWindow::*write)(const QString&));
    // Writes `bytes` (or, without, the document as a plain PDF) to `path`,
    // replacing the file only once all is written; tells the user when it
    // fails.
    bool writeFile(const QString& path, const QByteArray* bytes, const QString& what);

    DocumentPages pages_;
    Naming naming_;
    DialogService& dialogs_;
    QPrinter printer_;
    QPointer<QPrintDialog> printDialog_;
    QPointer<QFileDialog> fileDialog_;
    QByteArray xml_;  // the e-invoice's XML; empty without one
};

// The document windows a tab or window opened. They stand on their own, but
// not beyond it: those still open close with it.
class OpenDocuments {
public:
    OpenDocuments() = default;
    OpenDocuments(const OpenDocuments&) = delete;
    OpenDocuments& operator=(const OpenDocuments&) = delete;
    ~OpenDocuments();

    void show(DocumentWindow* window);
    QList<DocumentWindow*> open() const;

private:
    QList<QPointer<DocumentWindow>> windows_;
};

}  // namespace mervalis
