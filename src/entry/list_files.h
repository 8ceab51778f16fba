#pragma once

#include "data/list_file.h"

#include <QString>
#include <QStringList>

class QComboBox;

namespace mervalis {

struct AppContext;
class DialogService;
struct Installation;

// Combo2_DropDown, Combo26_DropDown, Combo27_DropDown: for the ethnicity and
// lead lists first the notice naming the file; then the list is cleared and
// filled from the file. A missing file is created holding "None" and the
// user is told to try again (the list stays empty this time). A file that
// cannot be created, or one that exists but cannot be read, gets a message
// naming its path and is left as it is. The edit text of an editable combo
// stays as it was.
void fillFromListFile(QComboBox* combo, ListFile file, AppContext& context);

// Combo21_DropDown (column "MarketingTool", no lead list) and
// Combo22_DropDown (column "SalesRep", then the lead list): the distinct
// values of a column of the stored sales, compared whole and case-sensitively,
// in the order of their first row, asked of the database in one query;
// Adodc2 is left holding "SELECT * FROM Mervalis2". With `joinLeadList` the
// lines of the lead list
// file follow, under the same test. No stored sale (or a lead list file that
// cannot be opened) shows the no-records message and keeps what was listed so
// far. The edit text of an editable combo stays as it was.
void fillFromStoredSales(QComboBox* combo, const QString& column, bool joinLeadList, AppContext& context);

// Command14_Click: opens productfile.txt with the desktop's default
// application for it, without waiting.
void openProductFile(AppContext& context);

}  // namespace mervalis
