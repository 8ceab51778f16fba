#pragma once

#include "binding/module1.h"

#include <QStringList>
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

// The "Client" tab: the clients sold to, with a small profile for clients
// who are private persons. Adding is allowed only after Clear Screen
// (Command2 enabled); a retrieved client is shown and edited in place through
// Adodc1.
class ClientTab : public QWidget {
    Q_OBJECT
public:
    explicit ClientTab(AppContext& context, QWidget* parent = nullptr);

    // The fourteen client boxes and five profile lists, for the binding
    // routines.
    ClientBoxes boxes() const;

    // The fixed entries of the profile lists.
    static QStringList sexEntries();
    static QStringList ageEntries();     // "0" to "80"
    static QStringList incomeEntries();  // the 21 income bands

    void Command2_Click();    // add the client typed in
    void Combo20_DropDown();  // fill the retrieve list
    void Combo20_Click();     // retrieve the chosen client into the boxes
    void Command24_Click();   // Clear Screen
    void taxDetails_Click();  // the tax details of the client shown
    void Text61_Click();      // hint when adding is not allowed
    void Combo26_DropDown();  // ethnicity list file
    void Combo27_DropDown();  // lead list file

    QGroupBox* Frame5;
    QLineEdit* Text61;  // "Client Company Name"
    QLineEdit* Text54;  // "Contact First Name"
    QLineEdit* Text55;  // "Contact Surame"
    QLineEdit* Text56;  // "Address"
    QLineEdit* Text57;  // second address line
    QLineEdit* Text58;  // "Post Code / Zip"
    QLineEdit* Text59;  // "City"
    QLineEdit* Text60;  // "Country"
    QLineEdit* Text53;  // "Telephone"
    QLineEdit* Text16;  // "Telephone2"
    QLineEdit* Text20;  // "Fax"
    QLineEdit* Text52;  // "Mobile"
    QLineEdit* Text51;  // "Email"
    QPlainTextEdit* Text5;  // "Notes"

    QGroupBox* Frame6;
    QComboBox* Combo23;      // "Sex"
    QComboBox* Combo24;      // "Age"
    QComboBox* Combo25;      // "Income"
    DropDownCombo* Combo26;  // "Ethnicity"
    DropDownCombo* Combo27;  // "Lead Given To"

    QLabel* Label61;
    DropDownCombo* Combo20;  // "Retrieve Client"
    QPushButton* Command2;   // "Add client to database"
    QPushButton* Command24;  // "Clear Screen"
    QPushButton* taxDetailsButton;  // "Tax details..."
    QPushButton* Command40;  // "Help"

private:
    void buildAddressFrame();
    void buildProfileFrame();
    AppContext& context_;
};

}  // namespace mervalis
