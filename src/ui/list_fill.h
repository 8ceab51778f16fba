#pragma once

#include <QSignalBlocker>
#include <QString>
#include <QStringList>

class QComboBox;

namespace mervalis {

class DataControl;
class DialogService;

// Rebuilds a combo's list without touching the text the user sees in its
// edit box. An editable combo's signals are held meanwhile, since its text
// ends as it began: a box bound to a record must not take the rebuild for an
// edit.
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
};

// The drop-downs of stored names (Combo19, Combo20, Combo1, Combo14): the
// list is rebuilt from one column of every row `sql` returns through
// `control`, in table order with repeats; the column is `column` when named,
// else the one at `position`. No row, or a row without a name, shows the
// no-records message and ends the list. The edit text of an editable combo
// stays as it was. False when the list could not be filled.
bool fillFromTable(QComboBox* combo, DataControl& control, const QString& sql, int position, const QString& column,
                   DialogService& dialogs);

// A list computed by the database (distinct values, in the order the query
// gives): rebuilt from the first column of every row of `sql`, asked beside
// `control` so that its record source and rows stay as they are. Answers the
// number of entries, or -1 when the query failed (the user has been told).
// The edit text of an editable combo stays as it was.
int fillFromQuery(QComboBox* combo, DataControl& control, const QString& sql);

// The message shown when a drop-down finds no stored record.
QString noRecordsMessage();

}  // namespace mervalis
