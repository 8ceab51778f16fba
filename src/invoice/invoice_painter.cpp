#include "invoice/invoice_painter.h"

#include "invoice/invoice_document.h"

#include <QFontMetricsF>
#include <QLocale>
#include <QPageSize>
#include <QPaintDevice>
#include <QPainter>
#include <QPdfWriter>

#include <cmath>

namespace mervalis {

namespace {

constexpr double kTwipsPerInch = 1440.0;

// The longest start of `line` that fits in `width`.
QString cut(const QString& line, const QFontMetricsF& metrics, double width)
{
    if (metrics.horizontalAdvance(line) <= width) return line;
    qsizetype fits = 0;
    while (fits < line.size() && metrics.horizontalAdvance(line.left(fits + 1)) <= width) ++fits;
    return line.left(fits);
}

}  // namespace

QPageLayout InvoicePainter::pageLayout()
{
    const bool inches = QLocale::system().measurementSystem() == QLocale::ImperialUSSystem;
    const double margin = InvoiceDocument::kMargin / kTwipsPerInch;
    return QPageLayout(QPageSize(inches ? QPageSize::Letter : QPageSize::A4), QPageLayout::Portrait,
                       QMarginsF(margin, margin, margin, margin), QPageLayout::Inch);
}

QFont InvoicePainter::fontOf(const LabelFont& style)
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(static_cast<int>(std::lround(style.points * 20)));  // 20 twips to the point
    font.setBold(style.bold);
    // Outlines as designed, so that widths measured here are the widths printed.
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setKerning(false);
    return font;
}

int InvoicePainter::lineCapacity(const DocumentLabel& label)
{
    return static_cast<int>(std::floor(label.rect.height() / QFontMetricsF(fontOf(label.font)).height()));
}

QStringList InvoicePainter::drawnLines(const DocumentLabel& label)
{
    if (!label.visible || label.text.isEmpty()) return {};
    const QFontMetricsF metrics(fontOf(label.font));
    QString text = label.text;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    const QStringList lines = text.split(QLatin1Char('\n'));
    const int fitting = lineCapacity(label);
    QStringList drawn;
    for (qsizetype i = 0; i < lines.size() && i < fitting; ++i) drawn << cut(lines[i], metrics, label.rect.width());
    // Trailing empty lines draw nothing.
    while (!drawn.isEmpty() && drawn.last().isEmpty()) drawn.removeLast();
    return drawn;
}

void InvoicePainter::paint(QPainter& painter, const InvoiceDocument& document)
{
    painter.save();
    const QPaintDevice* device = painter.device();
    painter.scale(device->logicalDpiX() / kTwipsPerInch, device->logicalDpiY() / kTwipsPerInch);
    painter.setPen(Qt::black);
    int top = 0;
    for (const DocumentSection& section : document.sections()) {
        for (const DocumentLabel& label : section.labels) {
            const QStringList lines = drawnLines(label);
            if (lines.isEmpty()) continue;
            const QFont font = fontOf(label.font);
            const QFontMetricsF metrics(font);
            const QRect rect = label.rect.translated(0, top);
            painter.setFont(font);
            painter.setClipRect(rect);
            for (qsizetype i = 0; i < lines.size(); ++i) {
                painter.drawText(QPointF(rect.left(), rect.top() + i * metrics.height() + metrics.ascent()), lines[i]);
            }
            painter.setClipping(false);
        }
        top += section.height;
    }
    painter.restore();
}

bool InvoicePainter::writePdf(const InvoiceDocument& document, QIODevice* device, const QString& title)
{
    QPdfWriter writer(device);
    writer.setResolution(static_cast<int>(kTwipsPerInch));
    writer.setPageLayout(pageLayout());
    writer.setTitle(title);
    writer.setCreator(QStringLiteral("Mervalis"));
    QPainter painter;
    if (!painter.begin(&writer)) return false;
    paint(painter, document);
    return painter.end();
}

}  // namespace mervalis
