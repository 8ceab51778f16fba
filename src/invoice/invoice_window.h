#pragma once

#include "invoice/invoice_document.h"

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

// The document window of one generated invoice: a print preview of the
// document, from which the user prints it (Ctrl+P) or saves it as a PDF
// file. A window of its own, not modal; it deletes itself when closed.
class InvoiceWindow : public QWidget {
    Q_OBJECT
public:
    InvoiceWindow(InvoiceDocument document, QString referenceId, DialogService& dialogs, QWidget* parent = nullptr);

    const InvoiceDocument& document() const { return document_; }

    // The file the "Save as PDF" dialog proposes: the reference ID (or
    // "Invoice" without one) with ".pdf", in the user's documents folder.
    QString proposedPdfPath() const;

    // Opens the print dialog; the document is printed when it is accepted.
    void print();
    // Opens Qt's own file dialog; the document is written to the file chosen.
    void saveAsPdf();
    // Writes the document to `path` as a PDF, replacing the file only once
    // the whole document is written: the one place PDF files are written.
    // Says where it went on the status line, and tells the user when it
    // fails.
    bool writePdf(const QString& path);

    QToolBar* toolBar;
    QAction* printAction;
    QAction* saveAction;
    QAction* zoomInAction;
    QAction* zoomOutAction;
    QPrintPreviewWidget* preview;
    QLabel* statusLine;  // "Saved as ...", hidden until a save

    // The dialogs while they are open, else null.
    QPrintDialog* printDialog() const;
    QFileDialog* fileDialog() const;

private:
    InvoiceDocument document_;
    QString referenceId_;
    DialogService& dialogs_;
    QPrinter printer_;
    QPointer<QPrintDialog> printDialog_;
    QPointer<QFileDialog> fileDialog_;
};

}  // namespace mervalis
