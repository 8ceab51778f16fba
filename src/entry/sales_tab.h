#pragma once

#include "entry/sale_calculation.h"

#include <QWidget>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace mervalis {

struct AppContext;
class DropDownCombo;

// The "Sales" tab: entry of one sale line, its checks, its total and the
// stored sale.
class SalesTab : public QWidget {
    Q_OBJECT
public:
    explicit SalesTab(AppContext& context, QWidget* parent = nullptr);

    QGroupBox* Frame2;
    DropDownCombo* Combo1;   // "Client"
    DropDownCombo* Combo14;  // "Associate with which company?"
    QLineEdit* Text15;       // "Unit Price"
    QLineEdit* Text17;       // "Unit Quantity"
    DropDownCombo* Combo2;   // "Product / Service"
    QLineEdit* Text33;       // "Sell Date"; a click opens the date window (DatePicker)
    QComboBox* Combo9;       // "Discount"
    QComboBox* Combo3;       // "Tax %"
    QLineEdit* Text34;       // "Freight"
    QLineEdit* Text28;       // "Reference ID"
    DropDownCombo* Combo22;  // "Sales Rep"
    DropDownCombo* Combo21;  // "Marketing Tool"
    QPlainTextEdit* Text25;  // "Sale Notes"
    QLineEdit* Text63;       // "Sub Total"
    QLineEdit* Text62;       // "Total"
    QLabel* Label73;

    // Hidden: the chosen client's data carried into the sale.
    QGroupBox* Frame7;  // "System - Do Not Touch"
    QLineEdit* Text21;  // Sex
    QLineEdit* Text22;  // Age
    QLineEdit* Text26;  // Income
    QLineEdit* Text38;  // Ethnicity
    QLineEdit* Text40;  // LeadGivenTo
    QLineEdit* Text42;  // City
    QLineEdit* Text43;  // Country

    QPushButton* Command1;   // "Calculate Total and Add to Database"
    QPushButton* Command5;   // "Clear Screen"
    QPushButton* Command14;  // "Add Product or Service to list / Modify"
    QPushButton* Command29;  // "What's this ReferenceID?"
    QPushButton* Command30;  // "Sell Date - READ THIS"
    QPushButton* Command41;  // "Help"

    void Combo1_DropDown();
    void Combo1_Click();
    void Combo14_DropDown();
    void Combo2_DropDown();
    void Combo21_DropDown();
    void Combo22_DropDown();
    void Command1_Click();
    void Command5_Click();
    void Command14_Click();
    void Command29_Click();
    void Command30_Click();

    // The texts of the entry controls, and putting (changed) texts back.
    SaleEntry entry() const;
    void showEntry(const SaleEntry& entry);

private:
    void buildControls();
    void layOut();
    void connectHandlers();

    AppContext& context_;
};

}  // namespace mervalis
