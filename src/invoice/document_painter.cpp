#include "invoice/document_painter.h"

#include "invoice/document_fit.h"
#include "invoice/document_model.h"

#include <QFontMetricsF>
#include <QLocale>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPaintDevice>
#include <QPainter>
#include <QPdfWriter>

namespace mervalis {

namespace {

constexpr double kTwipsPerInch = 1440.0;

}  // namespace

QPageLayout DocumentPainter::pageLayout()
{
    const bool inches = QLocale::system().measurementSystem() == QLocale::ImperialUSSystem;
    const double margin = Document::kMargin / kTwipsPerInch;
    return QPageLayout(QPageSize(inches ? QPageSize::Letter : QPageSize::A4), QPageLayout::Portrait,
                       QMarginsF(margin, margin, margin, margin), QPageLayout::Inch);
}

void DocumentPainter::paint(QPainter& painter, const Document& document)
{
    painter.save();
    const QPaintDevice* device = painter.device();
    painter.scale(device->logicalDpiX() / kTwipsPerInch, device->logicalDpiY() / kTwipsPerInch);
    painter.setPen(Qt::black);
    const DocumentFit fit = fitDocument(document);
    int top = 0;
    for (qsizetype s = 0; s < document.sections().size(); ++s) {
        const DocumentSection& section = document.sections()[s];
        for (qsizetype l = 0; l < section.labels.size(); ++l) {
            const FittedLabel& fitted = fit.sections[s][l];
            if (fitted.lines.isEmpty()) continue;
            const DocumentLabel& label = section.labels[l];
            // Lines keep their places when one of them is drawn smaller: each
            // stands on the baseline the label's size gives it.
            const QFontMetricsF spacing(documentFont(fitted.pixelSize, label.font.bold));
            const QRect rect = label.rect.translated(0, top);
            painter.setClipRect(rect);
            for (qsizetype i = 0; i < fitted.lines.size(); ++i) {
                const FittedLine& line = fitted.lines[i];
                painter.setFont(documentFont(line.pixelSize, label.font.bold));
                painter.drawText(QPointF(rect.left(), rect.top() + i * spacing.height() + spacing.ascent()), line.text);
            }
            painter.setClipping(false);
        }
        top += section.height;
    }
    painter.restore();
}

void DocumentPainter::paint(QPainter& painter, const DocumentPages& pages)
{
    auto* device = dynamic_cast<QPagedPaintDevice*>(painter.device());
    for (qsizetype p = 0; p < pages.size(); ++p) {
        if (p > 0 && device) device->newPage();
        paint(painter, pages[p]);
    }
}

bool DocumentPainter::writePdf(const DocumentPages& pages, QIODevice* device, const QString& title, bool archival)
{
    QPdfWriter writer(device);
    if (archival) writer.setPdfVersion(QPagedPaintDevice::PdfVersion_A1b);
    writer.setResolution(static_cast<int>(kTwipsPerInch));
    writer.setPageLayout(pageLayout());
    writer.setTitle(title);
    writer.setCreator(QStringLiteral("Mervalis"));
    QPainter painter;
    if (!painter.begin(&writer)) return false;
    paint(painter, pages);
    return painter.end();
}

}  // namespace mervalis
