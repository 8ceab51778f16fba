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


// Command14_Click: opens productfile.txt with the desktop's default
// application for it, without waiting.
void openProductFile(AppContext& context);

}  // namespace mervalis
