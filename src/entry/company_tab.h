#pragma once

#include "binding/module1.h"

#include <QWidget>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace mervalis {

struct AppContext;
class DropDownCombo;

// The "Company" tab: the user's own billing companies, whose details head
// the invoices. Adding is allowed only after Clear Screen (Command12
// enabled); a retrieved company is shown and edited in place through Adodc3.
class CompanyTab : public QWidget {
    Q_OBJECT
public:
    explicit CompanyTab(AppContext& context, QWidget* parent = nullptr);

    // The fourteen company boxes, for the binding routines.
    CompanyBoxes boxes() const;

    void Command12_Click();  // add the company typed in
    void Combo19_DropDown(); // fill the retrieve list
    void Combo19_Click();    // retrieve the chosen company into the boxes
    void Command23_Click();  // Clear Screen
    void taxDetails_Click();  // the tax details of the company shown
    void Text19_Click();     // hint when adding is not allowed

    QGroupBox* Frame1;
    QLineEdit* Text19;  // "Company Name"
    QLineEdit* Text12;  // "Contact First Name"
    QLineEdit* Text11;  // "Contact Surame"
    QLineEdit* Text7;   // "Address"
    QLineEdit* Text8;   // second address line
    QLineEdit* Text9;   // "Post Code / Zip"
    QLineEdit* Text13;  // "City"
    QLineEdit* Text18;  // "Country"
    QLineEdit* Text1;   // "Telephone"
    QLineEdit* Text6;   // "Telephone2"
    QLineEdit* Text14;  // "Fax"
    QLineEdit* Text2;   // "Mobile"
    QLineEdit* Text4;   // "Email"
    QPlainTextEdit* Text3;  // "Notes"
    QLabel* Label42;
    DropDownCombo* Combo19;  // "Retrieve Company"
    QPushButton* Command12;  // "Add company to database"
    QPushButton* Command23;  // "Clear Screen"
    QPushButton* taxDetailsButton;  // "Tax details..."
    QPushButton* Command39;  // "Help"

private:
    void buildFrame();
    AppContext& context_;
};

}  // namespace mervalis
