#pragma once

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
    // the name Save as PDF proposes (without ".pdf"), `fallbackName` the one
    // it proposes when `fileName` leaves nothing usable; `kind` names the
    // document in messages ("invoice").
    struct Naming {
        QString title;
        QString fileName;
        QString fallbackName;
        QString kind;
    };
    DocumentWindow(DocumentPages pages, Naming naming, DialogService& dialogs, QWidget* parent = nullptr);

    const DocumentPages& pages() const { return pages_; }

    // The file the "Save as PDF" dialog proposes: the file name with ".pdf",
    // in the user's documents folder.
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
    DocumentPages pages_;
    Naming naming_;
    DialogService& dialogs_;
    QPrinter printer_;
    QPointer<QPrintDialog> printDialog_;
    QPointer<QFileDialog> fileDialog_;
};

}  // namespace mervalis
