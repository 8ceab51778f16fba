#include "invoice/invoice_window.h"

#include "data/dialogs.h"
#include "data/owner_only.h"
#include "invoice/document_painter.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QSaveFile>
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

InvoiceWindow::InvoiceWindow(InvoiceDocument document, QString referenceId, DialogService& dialogs,
                             QWidget* parent)
    : QWidget(parent, Qt::Window),
      document_(std::move(document)),
      referenceId_(std::move(referenceId)),
      dialogs_(dialogs),
      printer_(QPrinter::HighResolution)
{
    setObjectName(QStringLiteral("DataReport1"));
    setAttribute(Qt::WA_DeleteOnClose);
    const DocumentLabel* title = document_.label(QStringLiteral("Section2"), QStringLiteral("label27"));
    setWindowTitle(QStringLiteral("%1 - Ref: %2").arg(title ? title->text : QString(), referenceId_));
    setAccessibleName(windowTitle());

    printer_.setPageLayout(DocumentPainter::pageLayout());
    printer_.setDocName(windowTitle());

    toolBar = new QToolBar(this);
    toolBar->setObjectName(QStringLiteral("toolBar"));
    toolBar->setAccessibleName(QStringLiteral("Document"));
    toolBar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    printAction = action(toolBar, QStringLiteral("Print..."), "printAction", QKeySequence::Print);
    saveAction = action(toolBar, QStringLiteral("Save as PDF"), "saveAction", QKeySequence());
    toolBar->addSeparator();
    zoomInAction = action(toolBar, QStringLiteral("Zoom In"), "zoomInAction", QKeySequence::ZoomIn);
    zoomOutAction = action(toolBar, QStringLiteral("Zoom Out"), "zoomOutAction", QKeySequence::ZoomOut);
    // The shortcuts work wherever the focus is in this window.
    addActions({printAction, saveAction, zoomInAction, zoomOutAction});

    preview = new QPrintPreviewWidget(&printer_, this);
    preview->setObjectName(QStringLiteral("preview"));
    preview->setAccessibleName(QStringLiteral("Print preview"));
    connect(preview, &QPrintPreviewWidget::paintRequested, this, [this](QPrinter* printer) {
        QPainter painter(printer);
        DocumentPainter::paint(painter, document_);
    });

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
    layout->addWidget(preview, 1);
    layout->addWidget(statusLine);

    connect(printAction, &QAction::triggered, this, &InvoiceWindow::print);
    connect(saveAction, &QAction::triggered, this, &InvoiceWindow::saveAsPdf);
    connect(zoomInAction, &QAction::triggered, preview, [this] { preview->zoomIn(); });
    connect(zoomOutAction, &QAction::triggered, preview, [this] { preview->zoomOut(); });

    resize(760, 900);
    preview->fitInView();
}

QPrintDialog* InvoiceWindow::printDialog() const { return printDialog_; }

QFileDialog* InvoiceWindow::fileDialog() const { return fileDialog_; }

QString InvoiceWindow::proposedPdfPath() const
{
    QString name = referenceId_.trimmed();
    // A reference ID may hold characters that have no place in a file name.
    for (QChar& c : name) {
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c.category() == QChar::Other_Control) {
            c = QLatin1Char('-');
        }
    }
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String("..")) name = QStringLiteral("Invoice");
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) folder = QDir::homePath();
    return QDir(folder).filePath(name + QStringLiteral(".pdf"));
}

void InvoiceWindow::print()
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
            dialogs_.warn(QStringLiteral("The invoice could not be printed: the printer could not be opened."));
            return;
        }
        DocumentPainter::paint(painter, document_);
        painter.end();
    });
    printDialog_->open();
}

void InvoiceWindow::saveAsPdf()
{
    if (fileDialog_) {
        fileDialog_->raise();
        fileDialog_->activateWindow();
        return;
    }
    fileDialog_ = new QFileDialog(this, QStringLiteral("Save as PDF"), proposedPdfPath(),
                                  QStringLiteral("PDF files (*.pdf)"));
    fileDialog_->setObjectName(QStringLiteral("fileDialog"));
    fileDialog_->setAttribute(Qt::WA_DeleteOnClose);
    // Qt's own dialog: the same on every desktop and open to assistive technology.
    fileDialog_->setOption(QFileDialog::DontUseNativeDialog, true);
    fileDialog_->setAcceptMode(QFileDialog::AcceptSave);
    fileDialog_->setFileMode(QFileDialog::AnyFile);
    fileDialog_->setDefaultSuffix(QStringLiteral("pdf"));
    fileDialog_->selectFile(proposedPdfPath());
    connect(fileDialog_, &QFileDialog::fileSelected, this, [this](const QString& path) { writePdf(path); });
    fileDialog_->open();
}

bool InvoiceWindow::writePdf(const QString& path)
{
    makeOwnerOnly(path);
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && DocumentPainter::writePdf(document_, &file, windowTitle()) &&
        file.commit()) {
        statusLine->setText(QStringLiteral("Saved as %1").arg(QDir::toNativeSeparators(path)));
        statusLine->show();
        return true;
    }
    const QString reason = file.errorString();
    file.cancelWriting();
    dialogs_.warn(QStringLiteral("The invoice could not be saved as %1.\r\n\r\n%2")
                      .arg(QDir::toNativeSeparators(path), reason));
    return false;
}

}  // namespace mervalis
