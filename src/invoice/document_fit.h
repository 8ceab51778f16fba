#pragma once

#include <QFont>
#include <QList>
#include <QString>
#include <QStringList>

namespace mervalis {

class Document;
struct DocumentLabel;
struct LabelFont;

// Sizes are pixel sizes in twips, the unit documents are drawn in: 20 to the
// point. Nothing is drawn smaller than 6 pt.
constexpr int kSmallestPixelSize = 120;

// Arial at a pixel size, measured as printed: outlines as designed, no
// kerning, so that widths measured here are the widths drawn.
QFont documentFont(int pixelSize, bool bold);
// A style's size as a pixel size.
int pixelSizeOf(const LabelFont& font);

// One line of a label as drawn.
struct FittedLine {
    QString text;       // as drawn: the whole line unless `cut`
    int pixelSize = 0;  // at most the label's; smaller for a line too wide at that size
    bool cut = false;   // too wide even at 6 pt: `text` is the start that fits
    QString whole;      // the whole line, when cut
};

// A label as it fits its rectangle: the lines drawn top down, spaced by the
// height of the label's size; a line too wide is drawn smaller on its own.
struct FittedLabel {
    int pixelSize = 0;        // spaces the lines
    QList<FittedLine> lines;  // at most as many as fit the height
    QStringList lost;         // the text's further lines, for which even 6 pt leaves no room
};

// The largest size, at most the label's style, at which `lineCount` lines
// fit the label's height (6 pt when none does).
int lineSpacingSize(const DocumentLabel& label, int lineCount);

// How many lines a label holds at its own size.
int linesThatFit(const DocumentLabel& label);

// Fits a label: its size is the largest at which all its lines fit the
// height (after flowing words, for a label that wraps); each line too wide
// at that size is drawn smaller, down to 6 pt, and cut only there.
// `spacingSize` imposes the size that spaces the lines (a line group's).
// An empty or hidden label has no lines.
FittedLabel fitLabel(const DocumentLabel& label, int spacingSize = 0);

// How every label of a document fits, section by section and label by
// label as the document holds them, and what does not fit even at 6 pt, in
// the user's words ("Price, line 2: 123456789.5"): figures, for which the
// document must not be made, and texts, which would be cut.
struct DocumentFit {
    QList<QList<FittedLabel>> sections;
    QStringList figuresThatDoNotFit;
    QStringList textsCut;
};
DocumentFit fitDocument(const Document& document);

// What the user is told of a fit: why a document is not made (figures that
// do not fit, and `advice` on what to do about them), and the question
// whether to open it with texts cut.
QString figuresDoNotFitMessage(const QStringList& figures, const QString& advice);
QString textsCutQuestion(const QStringList& texts);

}  // namespace mervalis
