#pragma once

#include <QString>

// Texts the program shows in several places, letter for letter as the user
// reads them. Tests compare what was shown with these, never with the code
// that makes it, so that a wrong text fails.
namespace mervalis::test::texts {

inline const QString kNoRecords = QStringLiteral(
    "Either there are no records in the database or the database needs to be refreshed. Add a record if none "
    "exist or refresh the database.");
inline const QString kRefreshFirst = QStringLiteral(
    "This record was added since the view was last refreshed and still shows ID 0. Please press Refresh View, "
    "then make the change again.");
inline const QString kAnalysisGuard = QStringLiteral(
    "You can only use this function if there is at least one record in each of the company, client and sales "
    "databases. If you have records in these databases, please refresh all databases and try again.");
inline const QString kNoInvoices = QStringLiteral(
    "Either there are no invoices, no outstanding invoices, no records in the database or the database needs to "
    "be refreshed. If you can see invoices when the 'Outstanding' check box is unchecked, then there are no "
    "outstanding invoices. Else there are no invoice records. Create a sale with a referenceID if none exists or "
    "refresh the database.");
inline const QString kAddSale = QStringLiteral(
    "The subtotal has been calculated. This sale should now be added to the database. Do you wish to add the "
    "record to the database now?");
inline const QString kClearScreen = QStringLiteral(
    "Record added to database. You may need to refresh view to see the changes.\r\n\r\nThe system will now clear "
    "the screen unless you want to add another sale for the same client with the same referenceID. Is it OK to "
    "clear the screen?");
inline const QString kDriverMissing = QStringLiteral("You must Install Access ODBC Drivers before use this program.");

}  // namespace mervalis::test::texts
