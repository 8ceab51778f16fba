// The Analysis tab's actions measured by mervalis-bench: the option list
// opening (its reset reloads the sales), and every one of the 42 options as a
// user takes it (the option, then the chooser's first entry or an age range
// where it asks for one), each beside a hand-written SQLite query giving the
// same figures.
#include "bench/bench.h"

#include "analysis/analysis_options.h"
#include "analysis/analysis_tab.h"
#include "app/form1.h"
#include "ui/drop_down_combo.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDate>
#include <QLineEdit>
#include <QTabWidget>

#include <sqlite3.h>

#include <string>

namespace mervalis::bench {

namespace {

using analysis_options::Kind;

// The year every analysis looks at: this year's, as the tab starts with.
std::string thisYear() { return std::to_string(QDate::currentDate().year()); }

// The first value, in the order of the first sale, of a sale column (what
// the chooser lists first).
std::string firstValue(sqlite3* db, const std::string& column)
{
    const std::string sql = "SELECT " + column + " FROM Mervalis2 WHERE " + column + " IS NOT NULL GROUP BY " +
                            column + " ORDER BY MIN(ID) LIMIT 1";
    sqlite3_stmt* statement = nullptr;
    std::string value;
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &statement, nullptr) == SQLITE_OK &&
        sqlite3_step(statement) == SQLITE_ROW) {
        value = reinterpret_cast<const char*>(sqlite3_column_text(statement, 0));
    }
    sqlite3_finalize(statement);
    return value;
}

std::string literal(const std::string& text)
{
    std::string quoted = "'";
    for (char c : text) quoted += c == '\'' ? std::string("''") : std::string(1, c);
    return quoted + "'";
}

// The figures of an option, as a hand-written query computes them.
bool reference(sqlite3* db, const analysis_options::Option& option)
{
    const std::string year = literal(thisYear());
    const std::string column = option.column.toStdString();
    const auto run = [db](const std::string& sql) { return readAll(db, sql.c_str()); };
    // The chooser's list, then the figures of its first entry.
    const auto chosen = [&](const std::string& figures) {
        const std::string list = "SELECT " + column + " FROM Mervalis2 WHERE " + column +
                                 " IS NOT NULL GROUP BY " + column + " ORDER BY MIN(ID)";
        const std::string entity = literal(firstValue(db, column));
        return run(list) && run("SELECT Month, " + figures + " FROM Mervalis2 WHERE Year = " + year + " AND " +
                                column + " = " + entity + " GROUP BY Month");
    };
    switch (option.kind) {
    case Kind::Separator: return true;
    case Kind::TotalIncome:
        return run("SELECT Month, SUM(SubTotal) FROM Mervalis2 WHERE Year = " + year + " GROUP BY Month");
    case Kind::TotalCount:
        return run("SELECT Month, COUNT(*) FROM Mervalis2 WHERE Year = " + year + " GROUP BY Month");
    case Kind::EntityIncome: return chosen("SUM(SubTotal)");
    case Kind::EntityCount: return chosen("COUNT(*)");
    case Kind::YearComparison:
    case Kind::AllYearsIncome:
        return run("SELECT Year, SUM(SubTotal) FROM Mervalis2 GROUP BY Year ORDER BY Year");
    case Kind::EntityComparison:
        return run("SELECT " + column + ", SUM(SubTotal) FROM Mervalis2 WHERE Year = " + year + " GROUP BY " +
                   column + " ORDER BY MIN(ID)");
    case Kind::EntityAllYears:
        return run("SELECT " + column + " FROM Mervalis2 WHERE " + column + " IS NOT NULL GROUP BY " + column +
                   " ORDER BY MIN(ID)") &&
               run("SELECT SUM(SubTotal), SUM(CASE WHEN " + column + " = " + literal(firstValue(db, column)) +
                   " THEN SubTotal ELSE 0 END) FROM Mervalis2");
    case Kind::AllYearsComparison:
        return run("SELECT " + column + ", SUM(SubTotal) FROM Mervalis2 GROUP BY " + column +
                   " ORDER BY MIN(ID)");
    case Kind::Conversion:
        return run("SELECT COUNT(DISTINCT ClientName) FROM Mervalis2") &&
               run("SELECT COUNT(*) FROM Mervalis");
    case Kind::ClosingRatios:
        return run("SELECT SalesRep, COUNT(DISTINCT UPPER(ReferenceID)) FROM Mervalis2 "
                   "WHERE SalesRep <> '' AND SalesRep <> 'None' GROUP BY SalesRep ORDER BY MIN(ID)") &&
               run("SELECT LeadGivenTo, COUNT(*) FROM Mervalis GROUP BY LeadGivenTo");
    case Kind::AgeProfile:
        return run("SELECT Age, COUNT(DISTINCT ClientName) FROM Mervalis2 "
                   "WHERE CAST(Age AS INTEGER) BETWEEN 18 AND 70 GROUP BY Age");
    case Kind::Profile:
        return run("SELECT " + column + ", COUNT(DISTINCT ClientName) FROM Mervalis2 WHERE " +
                   column + " <> '' GROUP BY " + column + " ORDER BY MIN(ID)");
    }
    return false;
}

void settle() { QCoreApplication::processEvents(); }

void onAnalysisTab(Program& p)
{
    p.form1->SSTab1->setCurrentIndex(Form1::AnalysisIndex);
    settle();
}

// The user opening a list, picking an entry, and the list closing.
void pick(QComboBox* combo, int index)
{
    combo->showPopup();
    settle();
    combo->hidePopup();
    if (index >= combo->count()) return;
    combo->setCurrentIndex(index);
    emit combo->activated(index);
    settle();
}

}  // namespace

void addAnalysis(std::vector<Action>& list)
{
    list.push_back({QStringLiteral("Analysis: option list opened"), Goal::Action, onAnalysisTab,
                    [](Program& p) {
                        AnalysisTab* tab = p.form1->analysisTab;
                        tab->Combo7->showPopup();
                        settle();
                        tab->Combo7->hidePopup();
                    },
                    nullptr});
    const QList<analysis_options::Option>& options = analysis_options::all();
    for (qsizetype i = 0; i < options.size(); ++i) {
        const analysis_options::Option option = options[i];
        if (option.kind == Kind::Separator) continue;
        const int index = static_cast<int>(i);
        list.push_back({QStringLiteral("Analysis: %1").arg(option.text), Goal::Figures, onAnalysisTab,
                        [index](Program& p) {
                            AnalysisTab* tab = p.form1->analysisTab;
                            tab->Combo8->setEditText(QString::fromStdString(thisYear()));
                            pick(tab->Combo7, index);
                            if (tab->Combo16->isVisibleTo(tab)) pick(tab->Combo16, 0);
                            if (tab->Combo29->isVisibleTo(tab)) {
                                tab->Combo28->setEditText(QStringLiteral("18"));
                                tab->Combo29->setEditText(QStringLiteral("70"));
                                emit tab->Combo29->activated(tab->Combo29->currentIndex());
                                settle();
                            }
                        },
                        [option](sqlite3* db) { return reference(db, option); }});
    }
}

}  // namespace mervalis::bench
