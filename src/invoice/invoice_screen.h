#pragma once

#include <QString>

namespace mervalis {

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
    bool taxSummary = false;      // "Show tax summary"
};

}  // namespace mervalis
