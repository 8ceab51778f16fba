// The Analysis tab's actions measured by mervalis-bench: the option list
// opening (its reset reloads the sales), and every one of the 42 options as a
// user takes it (the option, then the chooser's first entry or an age range
// where it asks for one), each beside a hand-written SQLite query giving the
// same figures straight from the sales.
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

#include <string>

namespace mervalis::bench {

namespace {

using analysis_options::Kind;

// The year every analysis looks at: this year's, as the tab starts with.
std::string thisYear() { return std::to_string(QDate::currentDate().year()); }

std::string literal(const std::string& text)
{
    std::string quoted = "'";
    for (char c : text) quoted += c == '\'' ? std::string("''") : std::string(1, c);
    return quoted + "'";
}

// The figures of an option, as a hand-written query computes them straight
// from the sales.
bool reference(Reference& db, const analysis_options::Option& option)
{
    const std::string year = literal(thisYear());
    const std::string column = option.column.toStdString();
    const auto run = [&db](const std::string& sql) { return db.readAll(sql); };
    // The values of the column, in the order of the first sale (what the
    // chooser lists), and the first of them.
    const std::string list = "SELECT " + column + " FROM Mervalis2 WHERE " + column + " IS NOT NULL GROUP BY " +
                             column + " ORDER BY MIN(ID)";
    const auto first = [&] { return literal(db.firstValue(list + " LIMIT 1")); };
    // The chooser's list, then the figures of its first entry.
    const auto chosen = [&](const std::string& figures) {
        const std::string entity = first();
        return run(list) && run("SELECT Month, " + figures + " FROM Mervalis2 WHERE Year = " + year + " AND " +
                                column + " = " + entity + " GROUP BY Month");
    };
    std::string ages;
    for (int age = 18; age <= 70; ++age) ages += (ages.empty() ? "'" : ", '") + std::to_string(age) + "'";
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
        return run(list) && run("SELECT SUM(SubTotal), SUM(CASE WHEN " + column + " = " + first() +
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
        return run("SELECT Age, COUNT(DISTINCT ClientName) FROM Mervalis2 WHERE Age IN (" + ages + ") GROUP BY Age");
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
                        [option](Reference& db) { return reference(db, option); }});
    }
}

}  // namespace mervalis::bench
