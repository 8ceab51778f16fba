#include "invoice/document_window.h"

#include "data/dialogs.h"
#include "data/owner_only.h"
#include "invoice/document_painter.h"
#include "invoice/factur_x.h"

#include <QAction>
#include <QBuffer>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QStandardPaths>
#include <QToolBar>
#include <QVBoxLayout>

namespace mervalis {

namespace {

QAction* action(QToolBar* bar, const QString& text, const char* name, const QKeySequence& key)
{
    QAction* a = bar->addAction(text);
    a->setObjectName(QLatin1String(name));
    a->setShortcut(key);
    a->setShortcutContext(Qt::WindowShortcut);
    QString tip = text;
    tip.remove(QLatin1String("..."));
    if (!key.isEmpty()) tip += QStringLiteral(" (%1)").arg(key.toString(QKeySequence::NativeText));
    a->setToolTip(tip);
    return a;
}

}  // namespace

DocumentWindow::DocumentWindow(DocumentPages pages, Naming naming, DialogService& dialogs, QWidget* parent)
    : QWidget(parent, Qt::Window),
      pages_(std::move(pages)),
      naming_(std::move(naming)),
      dialogs_(dialogs),
      printer_(QPrinter::HighResolution)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(naming_.title);
    setAccessibleName(windowTitle());

    printer_.setPageLayout(DocumentPainter::pageLayout());
    printer_.setDocName(windowTitle());

    toolBar = new QToolBar(this);
    toolBar->setObjectName(QStringLiteral("toolBar"));
    toolBar->setAccessibleName(QStringLiteral("Document"));
    toolBar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    printAction = action(toolBar, QStringLiteral("Print..."), "printAction", QKeySequence::Print);
    saveAction = action(toolBar, QStringLiteral("Save as PDF"), "saveAction", QKeySequence());
    saveXmlAction = action(toolBar, QStringLiteral("Save e-invoice XML..."), "saveXmlAction", QKeySequence());
    saveXmlAction->setEnabled(false);
    saveXmlAction->setVisible(false);
    toolBar->addSeparator();
    zoomInAction = action(toolBar, QStringLiteral("Zoom In"), "zoomInAction", QKeySequence::ZoomIn);
    zoomOutAction = action(toolBar, QStringLiteral("Zoom Out"), "zoomOutAction", QKeySequence::ZoomOut);
    // The shortcuts work wherever the focus is in this window.
    addActions({printAction, saveAction, saveXmlAction, zoomInAction, zoomOutAction});

    preview = new QPrintPreviewWidget(&printer_, this);
    preview->setObjectName(QStringLiteral("preview"));
    preview->setAccessibleName(QStringLiteral("Print preview"));
    connect(preview, &QPrintPreviewWidget::paintRequested, this, [this](QPrinter* printer) {
        QPainter painter(printer);
        DocumentPainter::paint(painter, pages_);
    });

    eInvoiceLine = new QLabel(this);
    eInvoiceLine->setObjectName(QStringLiteral("eInvoiceLine"));
    eInvoiceLine->setAccessibleName(QStringLiteral("E-invoice"));
    eInvoiceLine->setWordWrap(true);
    eInvoiceLine->setTextInteractionFlags(Qt::TextSelectableByMouse);
    eInvoiceLine->setContentsMargins(6, 3, 6, 3);
    eInvoiceLine->hide();

    // Where the last save went, said without a box in the way.
    statusLine = new QLabel(this);
    statusLine->setObjectName(QStringLiteral("statusLine"));
    statusLine->setAccessibleName(QStringLiteral("Status"));
    statusLine->setTextInteractionFlags(Qt::TextSelectableByMouse);
    statusLine->setContentsMargins(6, 3, 6, 3);
    statusLine->hide();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(toolBar);
    layout->addWidget(eInvoiceLine);
    layout->addWidget(preview, 1);
    layout->addWidget(statusLine);

    connect(printAction, &QAction::triggered, this, &DocumentWindow::print);
    connect(saveAction, &QAction::triggered, this, &DocumentWindow::saveAsPdf);
    connect(saveXmlAction, &QAction::triggered, this, &DocumentWindow::saveXml);
    connect(zoomInAction, &QAction::triggered, preview, [this] { preview->zoomIn(); });
    connect(zoomOutAction, &QAction::triggered, preview, [this] { preview->zoomOut(); });

    resize(760, 900);
    preview->fitInView();
}

QPrintDialog* DocumentWindow::printDialog() const { return printDialog_; }

QFileDialog* DocumentWindow::fileDialog() const { return fileDialog_; }

void DocumentWindow::setEInvoice(const EInvoiceDraft& draft)
{
    xml_ = draft.invoice ? ciiXml(*draft.invoice) : QByteArray();
    saveXmlAction->setVisible(true);
    saveXmlAction->setEnabled(draft.invoice.has_value());
    if (draft.invoice) {
        eInvoiceLine->setText(QStringLiteral("Save as PDF writes a Factur-X e-invoice (EN 16931): the PDF carries "
                                             "the invoice as XML for the client's software."));
        saveXmlAction->setToolTip(QStringLiteral("Saves the e-invoice's XML alone, for portals that take XML"));
    } else {
        eInvoiceLine->setText(QStringLiteral("Save as PDF writes a plain PDF. An e-invoice (Factur-X, EN 16931) "
                                             "would need %1.")
                                  .arg(draft.needs.join(QStringLiteral("; "))));
        saveXmlAction->setToolTip(
            QStringLiteral("An e-invoice would need %1").arg(draft.needs.join(QStringLiteral("; "))));
    }
    eInvoiceLine->show();
}

QString DocumentWindow::proposedPath(const QString& suffix) const
{
    QString name = naming_.fileName.trimmed();
    // A reference ID or a name may hold characters that have no place in a
    // file name.
    for (QChar& c : name) {
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c.category() == QChar::Other_Control) {
            c = QLatin1Char('-');
        }
    }
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String("..")) name = naming_.fallbackName;
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) folder = QDir::homePath();
    return QDir(folder).filePath(name + QLatin1Char('.') + suffix);
}

void DocumentWindow::print()
{
    if (printDialog_) {
        printDialog_->raise();
        printDialog_->activateWindow();
        return;
    }
    // Printing to a file proposes the file Save as PDF proposes: the dialog
    // makes its name from the document's, and shows it in its file box.
    printer_.setDocName(QFileInfo(proposedPdfPath()).fileName());
    printDialog_ = new QPrintDialog(&printer_, this);
    printDialog_->setObjectName(QStringLiteral("printDialog"));
    printDialog_->setAttribute(Qt::WA_DeleteOnClose);
    printDialog_->setOption(QAbstractPrintDialog::PrintToFile, true);
    if (auto* file = printDialog_->findChild<QLineEdit*>(QStringLiteral("filename"))) file->setText(proposedPdfPath());
    connect(printDialog_, &QDialog::finished, this, [this] { printer_.setDocName(windowTitle()); });
    connect(printDialog_, &QDialog::accepted, this, [this] {
        printer_.setDocName(windowTitle());
        // A file is written as Save as PDF writes one.
        if (printer_.outputFormat() == QPrinter::PdfFormat && !printer_.outputFileName().isEmpty()) {
            writePdf(printer_.outputFileName());
            return;
        }
        QPainter painter;
        if (!painter.begin(&printer_)) {
            dialogs_.warn(QStringLiteral("The %1 could not be printed: the printer could not be opened.")
                              .arg(naming_.kind));
            return;
        }
        DocumentPainter::paint(painter, pages_);
        painter.end();
    });
    printDialog_->open();
}

void DocumentWindow::saveAsPdf()
{
    askFile(QStringLiteral("Save as PDF"), QStringLiteral("pdf"), QStringLiteral("PDF files (*.pdf)"),
            &DocumentWindow::writePdf);
}

void DocumentWindow::saveXml()
{
    if (xml_.isEmpty()) return;
    askFile(QStringLiteral("Save e-invoice XML"), QStringLiteral("xml"), QStringLiteral("XML files (*.xml)"),
            &DocumentWindow::writeXml);
}

void DocumentWindow::askFile(const QString& caption, const QString& suffix, const QString& filter,
                             bool (DocumentWindow::*write)(const QString&))
{
    if (fileDialog_) {
        fileDialog_->raise();
        fileDialog_->activateWindow();
        return;
    }
    fileDialog_ = new QFileDialog(this, caption, proposedPath(suffix), filter);
    fileDialog_->setObjectName(QStringLiteral("fileDialog"));
    fileDialog_->setAttribute(Qt::WA_DeleteOnClose);
    // Qt's own dialog: the same on every desktop and open to assistive technology.
    fileDialog_->setOption(QFileDialog::DontUseNativeDialog, true);
    fileDialog_->setAcceptMode(QFileDialog::AcceptSave);
    fileDialog_->setFileMode(QFileDialog::AnyFile);
    fileDialog_->setDefaultSuffix(suffix);
    fileDialog_->selectFile(proposedPath(suffix));
    connect(fileDialog_, &QFileDialog::fileSelected, this,
            [this, write](const QString& path) { (this->*write)(path); });
    fileDialog_->open();
}

bool DocumentWindow::writePdf(const QString& path)
{
    if (xml_.isEmpty()) return writeFile(path, nullptr, naming_.kind);
    // A Factur-X invoice: the document as PDF/A, the XML embedded.
    QBuffer archival;
    QByteArray pdf;
    QString reason;
    if (!archival.open(QIODevice::WriteOnly) ||
        !DocumentPainter::writePdf(pages_, &archival, windowTitle(), true) ||
        !factur_x::embed(archival.data(), xml_, windowTitle(), QDateTime::currentDateTime(), &pdf, &reason)) {
        dialogs_.warn(QStringLiteral("The invoice could not be saved as %1: its e-invoice could not be made.\r\n\r\n%2")
                          .arg(QDir::toNativeSeparators(path), reason));
        return false;
    }
    return writeFile(path, &pdf, naming_.kind);
}

bool DocumentWindow::writeXml(const QString& path)
{
    if (xml_.isEmpty()) return false;
    return writeFile(path, &xml_, QStringLiteral("e-invoice"));
}

bool DocumentWindow::writeFile(const QString& path, const QByteArray* bytes, const QString& what)
{
    QString reason;
    const bool written = writeOwnerOnlyFile(
        path,
        [&](QIODevice& file, QString*) {
            if (bytes) return file.write(*bytes) == bytes->size();
            return DocumentPainter::writePdf(pages_, &file, windowTitle());
        },
        &reason);
    // The status line never keeps saying an earlier save went well.
    const QString shown = QDir::toNativeSeparators(path);
    statusLine->setText((written ? QStringLiteral("Saved as %1") : QStringLiteral("Not saved as %1")).arg(shown));
    statusLine->show();
    if (!written) {
        dialogs_.warn(QStringLiteral("The %1 could not be saved as %2: %3\r\n\r\nNo file was written.")
                          .arg(what, shown, reason));
    }
    return written;
}

OpenDocuments::~OpenDocuments()
{
    for (const QPointer<DocumentWindow>& window : std::as_const(windows_)) delete window.data();
}

void OpenDocuments::show(DocumentWindow* window)
{
    windows_.removeAll(nullptr);
    windows_ << window;
    window->show();
}

QList<DocumentWindow*> OpenDocuments::open() const
{
    QList<DocumentWindow*> open;
    for (const QPointer<DocumentWindow>& window : windows_) {
        if (window) open << window.data();
    }
    return open;
}

}  // namespace mervalis
