#pragma once

#include "data/sale_amounts.h"

#include <QDate>
#include <QString>
#include <QStringList>

namespace mervalis {

class DialogService;

// The texts of the Sales tab's entry controls, as the user left them. The
// checks, the total and the stored row work on this, without widgets.
struct SaleEntry {
    QString client;         // Combo1 "Client"
    QString company;        // Combo14 "Associate with which company?"
    QString unitPrice;      // Text15 "Unit Price"
    QString quantity;       // Text17 "Unit Quantity"
    QString product;        // Combo2 "Product / Service"
    QString sellDate;       // Text33 "Sell Date"
    QString discount;       // Combo9 "Discount"
    QString tax;            // Combo3 "Tax %"
    QString freight;        // Text34 "Freight"
    QString referenceId;    // Text28 "Reference ID"
    QString salesRep;       // Combo22 "Sales Rep"
    QString marketingTool;  // Combo21 "Marketing Tool"
    QString notes;          // Text25 "Sale Notes"
    QString subTotal;       // Text63 "Sub Total"
    QString total;          // Text62 "Total"
    // Copies of the chosen client's fields (the hidden Frame7 boxes).
    QString sex;            // Text21
    QString age;            // Text22
    QString income;         // Text26
    QString ethnicity;      // Text38
    QString leadGivenTo;    // Text40
    QString city;           // Text42
    QString country;        // Text43

    bool operator==(const SaleEntry&) const = default;
};

// The checks run before a sale is calculated, in their fixed order; the first
// that fails ends them. Some correct the entry (an empty discount, tax,
// freight or sub total becomes "0"; a product, sales rep or marketing tool
// confirmed as 'None' becomes "None"), and the corrections stay behind even
// when a check stops. Returns true when the calculation may go on.
bool runSaleChecks(SaleEntry& entry, DialogService& dialogs);

// Reads unit price, quantity, discount, tax and freight as numbers and the
// sell date as a date. On the first that does not read, tells the user which
// field it is and returns false.
bool readSaleInput(const SaleEntry& entry, SaleAmounts* amounts, QDate* sellDate, DialogService& dialogs);

// Works out what the sale comes to (saleFigures). When a figure or a step
// leaves the range of amounts the ledger adds up, tells the user and
// returns false.
bool calculateSale(const SaleAmounts& amounts, SaleFigures* figures, DialogService& dialogs);

// The values of the row added to Mervalis2 for a sale, in the order of
// sales_table::addFields() (the texts as typed, numbers in the database's
// form; Day, Month and Year from the sell date).
QStringList saleFieldValues(const SaleEntry& entry, const QDate& sellDate);

// The Sales tab's questions and explanations.
QString addSaleQuestion();
QString clearScreenQuestion();
QString referenceIdExplanation();
QString sellDateExplanation();

}  // namespace mervalis
