#pragma once

#include <QList>
#include <QRect>
#include <QString>
#include <QStringList>

#include <initializer_list>

namespace mervalis {

// The lines of a text: split at its line breaks (CR LF, LF or CR); a
// trailing line break starts no line of its own.
QStringList textLines(const QString& text);

// The text style of a document label. The family is always Arial (served by
// its metric-compatible Liberation Sans).
struct LabelFont {
    double points = 8.25;
    bool bold = false;
};

// The styles documents print in, each chosen to fit the heights of the
// labels that use it.
namespace styles {
constexpr LabelFont kRegular{8.25, false};
constexpr LabelFont kBold{8.25, true};
constexpr LabelFont kLarge{12, true};
}  // namespace styles

// What a label holds decides what may happen to a text too long for it.
// Either is first drawn smaller, down to 6 pt.
enum class LabelKind {
    Text,    // names, addresses, products, terms, notes: cut at 6 pt, and the user is asked first
    Figure,  // amounts, quantities, rates, dates: never cut; a document where one does not fit is not made
};
namespace styles {
constexpr LabelKind kText = LabelKind::Text;
constexpr LabelKind kFigure = LabelKind::Figure;
}  // namespace styles

// One label of a document: a rectangle in twips within its section, the
// text it prints (lines separated by '\n'), its style, and whether it shows.
struct DocumentLabel {
    QString name;
    QRect rect;
    QString text;
    LabelFont font;
    bool visible = true;
    LabelKind kind = LabelKind::Text;
    // Words flow onto further lines within the width (notes, terms); without
    // it every line of the text is one line of the label (a column).
    bool wrap = false;
    // Labels of one group share their line spacing, so that line n of each
    // stands beside line n of the others (the columns of a table).
    QString lineGroup;
    // Where the label is, in the user's words, for messages ("company name").
    QString place;
};

// A label as a layout draws it: name, place and size in twips within its
// section, style, design caption, kind and place in the user's words.
struct LabelDesign {
    const char* name;
    int left, top, width, height;
    LabelFont font;
    const char* caption;
    LabelKind kind;
    const char* place;
};
DocumentLabel designedLabel(const LabelDesign& design);
QList<DocumentLabel> designedLabels(std::initializer_list<LabelDesign> designs);

struct DocumentSection {
    QString name;
    int height = 0;  // twips
    QList<DocumentLabel> labels;
};

// A page as a report layout: sections from the top of the page down, each
// holding labels at fixed places, within margins of 1,440 twips. Filled
// first and drawn second, by one painter for the preview, the printer and
// the PDF file.
class Document {
public:
    static constexpr int kMargin = 1440;       // twips, on every side of the page
    static constexpr int kReportWidth = 9000;  // twips

    // A label by its name within a section, ignoring case ("label2" in
    // "Section2"); null when there is none.
    DocumentLabel* label(const QString& section, const QString& name);
    const DocumentLabel* label(const QString& section, const QString& name) const;
    // Sets a label's text; a name that is not in the layout is a programming
    // error and is ignored.
    void setText(const QString& section, const QString& name, const QString& text);
    void hide(const QString& section, const QString& name);
    // Adds a label to a section.
    void addLabel(const QString& section, DocumentLabel label);
    // Adds a section below the others.
    void addSection(const QString& name, int height, QList<DocumentLabel> labels = {});

    // Where a section starts, in twips below the top margin.
    int sectionTop(const QString& section) const;
    // A label's rectangle on the page's printable area (inside the margins).
    QRect pageRect(const QString& section, const QString& name) const;

    const QList<DocumentSection>& sections() const { return sections_; }

protected:
    QList<DocumentSection> sections_;

private:
    const DocumentSection* section(const QString& name) const;
};

// A document of several pages, each a layout of its own, drawn one after the
// other by the same painter. An invoice is one page; a statement flows over
// as many as its lines need.
using DocumentPages = QList<Document>;

}  // namespace mervalis
