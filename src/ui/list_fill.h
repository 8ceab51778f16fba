#pragma once

#include <QSet>
#include <QSignalBlocker>
#include <QString>
#include <QStringList>

class QComboBox;

namespace mervalis {

struct AppContext;
class DataControl;
class DialogService;

// Rebuilds a combo's list without touching the text the user sees in its
// edit box. An editable combo's signals are held meanwhile, since its text
// ends as it began: a box bound to a record must not take the rebuild for an
// edit. The entries are gathered and put into the list in one go when the
// rebuild ends, so that a list of half a million reference IDs is quick.
class ListRebuild {
public:
    explicit ListRebuild(QComboBox* combo);
    ~ListRebuild();
    ListRebuild(const ListRebuild&) = delete;
    ListRebuild& operator=(const ListRebuild&) = delete;

    void add(const QString& entry);
    void add(const QStringList& entries);
    // Appends `entry` unless an entry of exactly the same text is listed.
    void addDistinct(const QString& entry);

private:
    QComboBox* combo_;
    bool editable_;
    QString text_;
    QSignalBlocker blocker_;
    QStringList entries_;
    QSet<QString> listed_;  // filled by the first addDistinct
};

// The drop-downs of stored names (Combo19, Combo20, Combo1, Combo14): the
// list is rebuilt from one column of every row `sql` returns through
// `control`, in table order with repeats; the column is `column` when named,
// else the one at `position`. No row, or a row without a name, shows the
// no-records message and ends the list. The edit text of an editable combo
// stays as it was. False when the list could not be filled.
bool fillFromTable(QComboBox* combo, DataControl& control, const QString& sql, int position, const QString& column,
                   DialogService& dialogs);

// Combo21_DropDown (column "MarketingTool", no lead list), Combo22_DropDown
// (column "SalesRep", then the lead list) and the Analysis tab's chooser
// Combo16_DropDown: the values `valuesSql` gives of a column of the stored
// sales (sales_table::distinctValues(): each exact text once, in the order of
// their first row), asked of the database in one query; Adodc2 is left holding
// "SELECT * FROM Mervalis2". With `joinLeadList` the lines of the lead list
// file follow, each unless the same text is listed. No stored sale (or a lead
// list file that cannot be opened) shows the no-records message and keeps
// what was listed so far. The edit text of an editable combo stays as it was.
void fillFromStoredSales(QComboBox* combo, const QString& valuesSql, bool joinLeadList, AppContext& context);

// The message shown when a drop-down finds no stored record.
QString noRecordsMessage();

}  // namespace mervalis
