// Income compared by category: by the values of one sale column within a
// year (Command32), by year (Command38), over all years (Command48, Command50).
#include "analysis/analysis_chart.h"
#include "analysis/analysis_sql.h"
#include "analysis/analysis_tab.h"
#include "analysis/figures.h"
#include "data/app_context.h"
#include "data/data_control.h"
#include "data/dialogs.h"
#include "ui/drop_down_combo.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace mervalis {

QString AnalysisTab::noRecordsToCompareMessage()
{
    return QStringLiteral("Either there are no records in the database or the database needs to be refreshed. "
                          "Create a record if none exists or refresh the database.");
}

// The income of each value of the compare field (Text24) within the year.
void AnalysisTab::Command32_Click()
{
    yield();
    progress(QStringLiteral("Please wait...the larger your database, the longer this will take."));
    yield();
    const QString year = Combo8->currentText();
    const QString column = Text24->text();
    if (Combo18->count() > 0) Combo18->clear();
    if (!analysis_sql::isEntityColumn(column)) return;
    figures::Categories categories;
    if (!figures::incomePerCategory(context_.adodc2, column, year, &categories)) {
        return;
    }
    if (categories.labels.isEmpty()) {
        context_.adodc2.query(analysis_sql::salesOfYear(year));
        context_.dialogs.inform(QStringLiteral("There are no records for this year."));
        return;
    }
    Combo18->addItems(categories.labels);
    Combo15->addItems(categories.values);
    context_.adodc2.query(analysis_sql::incomeOfYearFor(year, column, categories.labels.last()));
    yield();
    Label28->setText(QStringLiteral("Please wait...1"));
}

// The income of each year, ascending.
void AnalysisTab::Command38_Click()
{
    Label28->show();
    Combo18->clear();
    Combo15->clear();
    figures::Categories years;
    if (!figures::incomePerYear(context_.adodc2, &years)) {
        return;
    }
    if (years.labels.isEmpty()) {
        context_.adodc2.query(analysis_sql::salesByYear());
        context_.dialogs.inform(noRecordsToCompareMessage());
        return;
    }
    Combo18->addItems(years.labels);
    Combo15->addItems(years.values);
    context_.adodc2.query(analysis_sql::incomeOfYear(years.labels.last()));
    yield();
    Label28->setText(QStringLiteral("Please wait...1"));
    Label28->hide();
    Command35->click();
}

// The income of all years, and for the options per entity the chosen value's
// income and share of it.
void AnalysisTab::Command48_Click()
{
    const QString option = Combo7->currentText();
    if (!context_.dialogs.askYesNo(option + QStringLiteral("?"))) return;
    Combo18->clear();
    Combo15->clear();
    const bool totalOnly = option == QLatin1String("Total Income (all years)");
    const QString column = Text23->text();
    const QString entity = Combo16->currentText();
    const bool byEntity = !totalOnly && analysis_sql::isEntityColumn(column);
    figures::Share share;
    if (!figures::incomeShare(context_.adodc2, byEntity ? column : QString(), entity, &share)) {
        return;
    }
    context_.adodc2.query(byEntity ? analysis_sql::incomeOf(column, entity) : analysis_sql::totalIncome());
    if (!share.anyTotal || (share.total.isZero() && !share.value.isZero())) {
        context_.dialogs.inform(QStringLiteral("A total of 0 will prevent this function executing. Ensure there are "
                                               "records in the database and that totals are greater than 0."));
        return;
    }
    const QString total = share.total.text();
    // The chart says what it shows and its figures, whatever the previous
    // analysis left in its title and legend.
    MSChart1->setTitleText(option);
    MSChart1->setShowLegend(true);
    MSChart1->setColumnCount(totalOnly ? 1 : 2);
    MSChart1->setData(1, total);
    MSChart1->setColumnLabel(1, QStringLiteral("Total all years: ") + total);
    if (totalOnly) return;
    const QString value = share.value.text();
    MSChart1->setData(2, value);
    MSChart1->setColumnLabel(2, QStringLiteral("Total all years for: %1= %2(%3%)")
                                    .arg(entity, value, share.percent.text()));
}

// Every value of the field selector (Text23) over all years, and the total.
void AnalysisTab::Command50_Click()
{
    if (!context_.dialogs.askYesNo(Combo7->currentText() + QStringLiteral("?"))) return;
    progress(QStringLiteral("Please wait..."));
    Combo18->clear();
    Combo15->clear();
    const QString column = Text23->text();
    figures::Categories categories;
    if (!analysis_sql::isEntityColumn(column)) {
        Label28->hide();
        return;
    }
    if (!figures::incomePerCategory(context_.adodc2, column, QString(), &categories)) {
        Label28->hide();
        return;
    }
    if (categories.labels.isEmpty()) {
        Label28->hide();
        context_.dialogs.inform(noRecordsToCompareMessage());
        return;
    }
    Combo18->addItems(categories.labels);
    Combo15->addItems(categories.values);
    Label28->setText(QString::number(categories.labels.size() - 1));
    yield();
    Label28->setText(QStringLiteral("Drawing chart..."));
    context_.adodc2.query(analysis_sql::totalIncome());
    Combo18->addItem(QStringLiteral("Total"));
    Combo15->addItem(categories.total.text());
    Command35->click();
    Label28->setText(QStringLiteral("Please wait..."));
    Label28->hide();
}

}  // namespace mervalis
