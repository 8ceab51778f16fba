#pragma once

#include <QLabel>
#include <QString>
#include <QStringList>

#include <utility>
#include <vector>

namespace mervalis {

class DataControl;

// What a grid holds, in the words of the line beneath it.
struct GridContents {
    enum class Kind {
        Nothing,     // nothing read from the ledger
        WholeTable,  // the whole table, as at the last refresh
        Subset,      // some rows of the table, `which` says which
        Computed,    // rows an analysis worked out, not rows of the table
    };
    Kind kind = Kind::Nothing;
    int shown = 0;    // rows the grid holds
    int stored = -1;  // rows the table holds; -1 when not known
    QString which;    // "the sales of invoice NU-0002"
};

// The rows of one table and the record sources that read them.
struct GridSubject {
    QString one;   // "sale"
    QString many;  // "sales"
    QString accessibleName;
    // Record sources that read the whole table.
    QStringList wholeTable;
    // Record sources made from one typed value, and the words for their rows
    // with the value as %1: {selectByReferenceId, "the sales of invoice %1"}.
    std::vector<std::pair<QString (*)(const QString&), QString>> lookUps;
    // Other record sources of the program's own, and the words for their rows.
    std::vector<std::pair<QString, QString>> subsets;

    static GridSubject sales();
    static GridSubject clients();
    static GridSubject companies();
};

// The line beneath a grid: "2 of 2,002 sales: the sales of invoice NU-0002.
// View All Records /Refresh All Databases shows them all."
QString gridCountText(const GridContents& contents, const GridSubject& subject);
// What the data control's record source reads; `shown` and `stored` are
// left to the caller.
GridContents describeSource(const DataControl& control, const GridSubject& subject);

// The line beneath a grid, following every query, refresh, added and deleted
// row of its data control. The table's rows are counted (one COUNT(*)) only
// while the line is on screen, so that the many queries of an analysis cost
// nothing more, and each time it is shown again, so that it tells rows that
// other workstations added or deleted meanwhile.
class GridCountLine : public QLabel {
    Q_OBJECT
public:
    GridCountLine(DataControl& control, GridSubject subject, const char* controlName, QWidget* parent = nullptr);

    // Counts the table's rows and says what the grid holds.
    void recount();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void changed();

    DataControl& control_;
    GridSubject subject_;
};

}  // namespace mervalis
