#include "invoice/document_fit.h"

#include "invoice/document_model.h"

#include <QFontMetricsF>
#include <QHash>
#include <QTextLayout>

#include <algorithm>
#include <cmath>

namespace mervalis {

namespace {

double lineHeight(int pixelSize, bool bold) { return QFontMetricsF(documentFont(pixelSize, bold)).height(); }

double advance(const QString& text, int pixelSize, bool bold)
{
    return QFontMetricsF(documentFont(pixelSize, bold)).horizontalAdvance(text);
}

// How many lines of a size fit a height.
int room(double height, int pixelSize, bool bold)
{
    return static_cast<int>(std::floor(height / lineHeight(pixelSize, bold) + 1e-9));
}

// The largest size from `low` to `high` for which `fits` holds (it holds
// for every size below one for which it holds); 0 when there is none.
template <class Fits>
int largestSize(int low, int high, Fits fits)
{
    if (high < low || !fits(low)) return 0;
    while (low < high) {
        const int middle = (low + high + 1) / 2;
        if (fits(middle)) low = middle;
        else high = middle - 1;
    }
    return low;
}

// Paragraphs flowed into lines of a width, breaking between words, or
// within a word longer than a line.
QStringList flowed(const QStringList& paragraphs, int pixelSize, bool bold, double width)
{
    QStringList lines;
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    for (const QString& paragraph : paragraphs) {
        if (paragraph.isEmpty()) {
            lines << QString();
            continue;
        }
        QTextLayout layout(paragraph, documentFont(pixelSize, bold));
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(width);
            QString text = paragraph.mid(line.textStart(), line.textLength());
            while (text.endsWith(QLatin1Char(' '))) text.chop(1);
            lines << text;
        }
        layout.endLayout();
    }
    return lines;
}

FittedLine fitLine(const QString& text, int pixelSize, bool bold, double width)
{
    const auto fits = [&](int size) { return advance(text, size, bold) <= width; };
    if (fits(pixelSize)) return {text, pixelSize, false, {}};
    if (const int smaller = largestSize(kSmallestPixelSize, pixelSize - 1, fits)) return {text, smaller, false, {}};
    // Even 6 pt is too wide: the longest start that fits.
    const QFontMetricsF metrics(documentFont(kSmallestPixelSize, bold));
    qsizetype low = 0;
    qsizetype high = text.size();
    while (low < high) {
        const qsizetype middle = (low + high + 1) / 2;
        if (metrics.horizontalAdvance(text.left(middle)) <= width) low = middle;
        else high = middle - 1;
    }
    if (low > 0 && text.at(low - 1).isHighSurrogate()) --low;
    return {text.left(low), kSmallestPixelSize, true, text};
}

QString quoted(const QString& text)
{
    constexpr qsizetype kShown = 40;
    return QLatin1Char('"') + (text.size() > kShown ? text.left(kShown) + QStringLiteral("...") : text) +
           QLatin1Char('"');
}

// What does not fit of a label, in the user's words.
void tell(const DocumentLabel& label, const FittedLabel& fitted, DocumentFit& fit)
{
    const bool figure = label.kind == LabelKind::Figure;
    QStringList& list = figure ? fit.figuresThatDoNotFit : fit.textsCut;
    const auto value = [figure](const QString& text) { return figure ? text : quoted(text); };
    // Lines are numbered where a label holds lines of a table or several lines.
    const bool numbered = !label.wrap && (!label.lineGroup.isEmpty() || fitted.lines.size() + fitted.lost.size() > 1);
    for (qsizetype i = 0; i < fitted.lines.size(); ++i) {
        const FittedLine& line = fitted.lines[i];
        if (!line.cut) continue;
        list << (numbered ? QStringLiteral("%1, line %2: %3").arg(label.place).arg(i + 1).arg(value(line.whole))
                          : QStringLiteral("%1: %2").arg(label.place, value(line.whole)));
    }
    if (fitted.lost.isEmpty()) return;
    if (label.wrap) {
        list << QStringLiteral("%1: from %2 to the end").arg(label.place, quoted(fitted.lost.first()));
        return;
    }
    QStringList values;
    for (const QString& lost : fitted.lost) values << value(lost);
    const qsizetype first = fitted.lines.size() + 1;
    const QString where = fitted.lost.size() == 1
                              ? QStringLiteral("line %1").arg(first)
                              : QStringLiteral("lines %1 to %2").arg(first).arg(first + fitted.lost.size() - 1);
    list << QStringLiteral("%1, %2 (room for %3 lines): %4")
                .arg(label.place, where)
                .arg(fitted.lines.size())
                .arg(values.join(QStringLiteral(", ")));
}

}  // namespace

QFont documentFont(int pixelSize, bool bold)
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setKerning(false);
    return font;
}

int pixelSizeOf(const LabelFont& font) { return static_cast<int>(std::lround(font.points * 20)); }

int lineSpacingSize(const DocumentLabel& label, int lineCount)
{
    const double height = label.rect.height();
    const int size = largestSize(kSmallestPixelSize, pixelSizeOf(label.font), [&](int s) {
        return room(height, s, label.font.bold) >= lineCount;
    });
    return size ? size : kSmallestPixelSize;
}

int linesThatFit(const DocumentLabel& label)
{
    return room(label.rect.height(), pixelSizeOf(label.font), label.font.bold);
}

FittedLabel fitLabel(const DocumentLabel& label, int spacingSize)
{
    FittedLabel fitted;
    const QStringList paragraphs = label.visible ? textLines(label.text) : QStringList();
    if (paragraphs.isEmpty()) return fitted;
    const bool bold = label.font.bold;
    const double width = label.rect.width();
    const double height = label.rect.height();
    QStringList lines = paragraphs;
    if (label.wrap) {
        const int size = largestSize(kSmallestPixelSize, pixelSizeOf(label.font), [&](int s) {
            return room(height, s, bold) >= flowed(paragraphs, s, bold, width).size();
        });
        fitted.pixelSize = size ? size : kSmallestPixelSize;
        lines = flowed(paragraphs, fitted.pixelSize, bold, width);
    } else {
        fitted.pixelSize = spacingSize > 0 ? spacingSize : lineSpacingSize(label, static_cast<int>(lines.size()));
    }
    const int fitting = std::max(1, room(height, fitted.pixelSize, bold));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (i < fitting) fitted.lines << fitLine(lines[i], fitted.pixelSize, bold, width);
        else fitted.lost << lines[i];
    }
    return fitted;
}

DocumentFit fitDocument(const Document& document)
{
    // A line group is spaced for the most lines any of its labels holds, at
    // the smallest size any of them needs for that.
    QHash<QString, int> groupLines;
    QHash<QString, int> groupSize;
    for (const DocumentSection& section : document.sections()) {
        for (const DocumentLabel& label : section.labels) {
            if (label.visible && !label.lineGroup.isEmpty()) {
                int& lines = groupLines[label.lineGroup];
                lines = std::max(lines, static_cast<int>(textLines(label.text).size()));
            }
        }
    }
    for (const DocumentSection& section : document.sections()) {
        for (const DocumentLabel& label : section.labels) {
            if (!label.visible || label.lineGroup.isEmpty()) continue;
            const int size = lineSpacingSize(label, std::max(1, groupLines.value(label.lineGroup)));
            const auto known = groupSize.constFind(label.lineGroup);
            groupSize[label.lineGroup] = known == groupSize.constEnd() ? size : std::min(*known, size);
        }
    }
    DocumentFit fit;
    for (const DocumentSection& section : document.sections()) {
        QList<FittedLabel>& labels = fit.sections.emplace_back();
        for (const DocumentLabel& label : section.labels) {
            labels << fitLabel(label, groupSize.value(label.lineGroup));
            tell(label, labels.last(), fit);
        }
    }
    return fit;
}

QString figuresDoNotFitMessage(const QStringList& figures, const QString& advice)
{
    return QStringLiteral("The document cannot be made: these figures do not fit their places on it, even at 6 pt, "
                          "and a figure is never cut:\r\n\r\n%1\r\n\r\n%2")
        .arg(figures.join(QStringLiteral("\r\n")), advice);
}

QString textsCutQuestion(const QStringList& texts)
{
    return QStringLiteral("These texts do not fit their places, even at 6 pt, and will be cut on the document:\r\n"
                          "\r\n%1\r\n\r\nOpen the document anyway?")
        .arg(texts.join(QStringLiteral("\r\n")));
}

}  // namespace mervalis
