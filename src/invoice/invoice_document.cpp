#include "invoice/invoice_document.h"

namespace mervalis {

namespace {

const QString kSenderSection = QStringLiteral("Section4");
const QString kBodySection = QStringLiteral("Section2");

// The styles the layout carries, each chosen to fit the heights of the
// labels that use it.
constexpr LabelFont kRegular{8.25, false};
constexpr LabelFont kBold{8.25, true};
constexpr LabelFont kLarge{12, true};

DocumentLabel make(const char* name, int left, int top, int width, int height, LabelFont font = kRegular,
                   const char* caption = "")
{
    return DocumentLabel{QLatin1String(name), QRect(left, top, width, height), QLatin1String(caption), font, true};
}

}  // namespace

InvoiceDocument InvoiceDocument::design()
{
    InvoiceDocument document;
    document.sections_ = {
        {kSenderSection,
         3345,
         {make("label16", 0, 0, 7370, 300, kLarge), make("label32", 0, 300, 7370, 200),
          make("label33", 0, 500, 7365, 200), make("label34", 0, 700, 7370, 200),
          make("label35", 0, 900, 7370, 200)}},
        {kBodySection,
         9604,
         {make("label23", 0, 0, 3500, 210, kBold),
          make("label25", 0, 210, 3500, 195),
          make("label19", 0, 400, 3500, 195),
          make("label1", 0, 600, 3500, 195),
          make("label21", 0, 820, 3500, 195),
          make("label22", 0, 1134, 3500, 200),
          make("label24", 0, 1334, 3510, 200),
          make("label26", 0, 1534, 3500, 200),
          make("label31", 0, 2300, 2500, 200),
          make("label36", 3000, 2300, 4800, 200),
          make("label27", 0, 3000, 2265, 255, kBold, "INVOICE"),
          make("label9", 0, 3500, 650, 195, kBold, "Amount"),
          make("label10", 750, 3500, 1200, 195, kBold, "Quantity"),
          make("label11", 2100, 3500, 2000, 195, kBold, "Product / Service"),
          make("label12", 4200, 3500, 1300, 200, kBold, "Date"),
          make("label13", 5600, 3500, 750, 200, kBold, "Discount"),
          make("label14", 6500, 3500, 700, 200, kBold, "Tax"),
          make("label15", 7300, 3500, 700, 200, kBold, "Freight"),
          make("label30", 8100, 3500, 750, 210, kBold, "SubTotal"),
          make("label2", 0, 4000, 650, 2265),
          make("label3", 750, 4000, 1200, 2265),
          make("label4", 2100, 4000, 2010, 2265),
          make("label5", 4200, 4000, 1305, 2265),
          make("label6", 5600, 4000, 750, 2268),
          make("label7", 6500, 4000, 700, 2268),
          make("label8", 7300, 4000, 700, 2268),
          make("label29", 8100, 4000, 750, 2268),
          make("label17", 0, 6803, 8505, 450, kLarge),
          make("label20", 6236, 7500, 900, 195, kBold, "Total : "),
          make("label18", 7937, 7500, 1000, 195, kBold),
          make("label28", 0, 8100, 8505, 1100)}},
        {QStringLiteral("Section1"), 0, {}},
        {QStringLiteral("Section3"), 0, {}},
        {QStringLiteral("Section5"), 0, {}},
    };
    return document;
}

const DocumentSection* InvoiceDocument::section(const QString& name) const
{
    for (const DocumentSection& s : sections_) {
        if (s.name.compare(name, Qt::CaseInsensitive) == 0) return &s;
    }
    return nullptr;
}

const DocumentLabel* InvoiceDocument::label(const QString& sectionName, const QString& name) const
{
    const DocumentSection* s = section(sectionName);
    if (!s) return nullptr;
    for (const DocumentLabel& l : s->labels) {
        if (l.name.compare(name, Qt::CaseInsensitive) == 0) return &l;
    }
    return nullptr;
}

DocumentLabel* InvoiceDocument::label(const QString& sectionName, const QString& name)
{
    return const_cast<DocumentLabel*>(std::as_const(*this).label(sectionName, name));
}

void InvoiceDocument::setText(const QString& sectionName, const QString& name, const QString& text)
{
    if (DocumentLabel* l = label(sectionName, name)) l->text = text;
}

void InvoiceDocument::hide(const QString& sectionName, const QString& name)
{
    if (DocumentLabel* l = label(sectionName, name)) l->visible = false;
}

int InvoiceDocument::sectionTop(const QString& sectionName) const
{
    int top = 0;
    for (const DocumentSection& s : sections_) {
        if (s.name.compare(sectionName, Qt::CaseInsensitive) == 0) return top;
        top += s.height;
    }
    return top;
}

QRect InvoiceDocument::pageRect(const QString& sectionName, const QString& name) const
{
    const DocumentLabel* l = label(sectionName, name);
    return l ? l->rect.translated(0, sectionTop(sectionName)) : QRect();
}

InvoiceDocument fillInvoice(const InvoiceScreen& screen)
{
    InvoiceDocument document = InvoiceDocument::design();
    auto body = [&document](const char* name, const QString& text) {
        document.setText(kBodySection, QLatin1String(name), text);
    };

    const PartyDetails& client = screen.client;
    body("label23", client.name);
    body("label25", client.contactFirstName + QStringLiteral(" ") + client.contactSurname);
    body("label19", client.address1 + QStringLiteral(", ") + client.address2);
    body("label1", client.city + QStringLiteral(", ") + client.postCode);
    body("label21", client.country);
    body("label22", QStringLiteral("Tel: ") + client.telephone + QStringLiteral("  ") + client.telephone2);
    body("label24", QStringLiteral("Fax: ") + client.fax);
    body("label26", QStringLiteral("Email: ") + client.email);

    body("label9", screen.priceHeading);
    body("label10", screen.quantityHeading);
    body("label11", screen.productHeading);
    body("label12", QStringLiteral("Date"));
    body("label13", screen.discountHeading);
    body("label14", screen.taxHeading);
    body("label15", screen.freightHeading);
    body("label30", screen.subTotalHeading);

    body("label31", screen.invoiceDate);
    body("label27", screen.title);
    body("label36", QStringLiteral("Ref: ") + screen.referenceId);

    body("label2", screen.prices);
    body("label3", screen.quantities);
    body("label4", screen.products);
    body("label5", screen.sellDates);
    body("label6", screen.discounts);
    body("label7", screen.taxes);
    body("label8", screen.freights);
    body("label29", screen.subTotals);

    body("label18", screen.total);
    body("label17", screen.paymentTerms);
    body("label28", screen.notes);

    // Hidden columns leave their place empty; nothing moves into the gap.
    if (!screen.discountVisible) {
        document.hide(kBodySection, QStringLiteral("label13"));
        document.hide(kBodySection, QStringLiteral("label6"));
    }
    if (!screen.taxVisible) {
        document.hide(kBodySection, QStringLiteral("label14"));
        document.hide(kBodySection, QStringLiteral("label7"));
    }
    if (!screen.freightVisible) {
        document.hide(kBodySection, QStringLiteral("label15"));
        document.hide(kBodySection, QStringLiteral("label8"));
    }

    // Letterheaded paper leaves the sender block blank.
    if (!screen.letterhead) {
        const PartyDetails& company = screen.company;
        auto sender = [&document](const char* name, const QString& text) {
            document.setText(kSenderSection, QLatin1String(name), text);
        };
        sender("label16", company.name);
        sender("label32", company.address1 + QStringLiteral(" ") + company.address2 + QStringLiteral(", ") +
                              company.city + QStringLiteral(", ") + company.postCode + QStringLiteral(", ") +
                              company.country);
        sender("label33", QStringLiteral("Tel: ") + company.telephone + QStringLiteral("  ") + company.telephone2);
        if (!company.fax.isEmpty()) sender("label35", QStringLiteral("Fax: ") + company.fax);
        sender("label34", QStringLiteral("Email: ") + company.email);
    }
    return document;
}

}  // namespace mervalis
