#pragma once

#include <QList>
#include <QRect>
#include <QString>

namespace mervalis {

// The text style of a document label. The family is always Arial (served by
// its metric-compatible Liberation Sans).
struct LabelFont {
    double points = 8.25;
    bool bold = false;
};

// One label of the document: a rectangle in twips within its section, the
// text it prints (lines separated by '\n'), its style, and whether it shows.
struct DocumentLabel {
    QString name;
    QRect rect;
    QString text;
    LabelFont font;
    bool visible = true;
};

struct DocumentSection {
    QString name;
    int height = 0;  // twips
    QList<DocumentLabel> labels;
};

// The one-page invoice, credit note or amended invoice as a report layout:
// sections from the top of the page down, each holding labels at fixed
// places. It is filled from the screen first and drawn second, by one
// painter routine for the preview, the printer and the PDF file.
class InvoiceDocument {
public:
    static constexpr int kMargin = 1440;       // twips, on every side of the page
    static constexpr int kReportWidth = 9000;  // twips

    // The layout as designed: design captions, every label visible.
    static InvoiceDocument design();

    // A label by its name within a section, ignoring case ("label2" in
    // "Section2"); null when there is none.
    DocumentLabel* label(const QString& section, const QString& name);
    const DocumentLabel* label(const QString& section, const QString& name) const;
    // Sets a label's text; a name that is not in the layout is a programming
    // error and is ignored.
    void setText(const QString& section, const QString& name, const QString& text);
    void hide(const QString& section, const QString& name);

    // Where a section starts, in twips below the top margin.
    int sectionTop(const QString& section) const;
    // A label's rectangle on the page's printable area (inside the margins).
    QRect pageRect(const QString& section, const QString& name) const;

    const QList<DocumentSection>& sections() const { return sections_; }

private:
    const DocumentSection* section(const QString& name) const;
    QList<DocumentSection> sections_;
};

// A name and postal block as the Client or Company tab's boxes show it.
struct PartyDetails {
    QString name;
    QString contactFirstName;
    QString contactSurname;
    QString address1;
    QString address2;
    QString city;
    QString postCode;
    QString country;
    QString telephone;
    QString telephone2;
    QString fax;
    QString email;
};

// What the screen shows at the moment "Generate Invoice" is pressed.
struct InvoiceScreen {
    PartyDetails client;   // Client tab: Text61, Text54, Text55, Text56, ...
    PartyDetails company;  // Company tab: Text19, Text7, Text8, Text13, ...
    QString referenceId;   // Combo4
    QString title;         // Combo17
    QString invoiceDate;   // Text27
    // Headings: Label62, Combo6, Label64, Label67, Label68, Label69, Label77.
    QString priceHeading, quantityHeading, productHeading, discountHeading, taxHeading, freightHeading,
        subTotalHeading;
    // Column boxes: Text29, Text30, Text31, Text32, Text35, Text36, Text37, Text64.
    QString prices, quantities, products, sellDates, discounts, taxes, freights, subTotals;
    QString total;         // Text10
    QString paymentTerms;  // Combo11
    QString notes;         // Text41
    bool letterhead = false;      // Check1
    bool discountVisible = true;  // Check6
    bool taxVisible = true;       // Check5
    bool freightVisible = true;   // Check7
};

// The document filled from the screen.
InvoiceDocument fillInvoice(const InvoiceScreen& screen);

}  // namespace mervalis
