// The monthly analyses (income and number of sales per month of the year in
// Combo8) and the two views of their figures: quarters (Check2) and month
// labels (Check8).
#include "analysis/analysis_chart.h"
#include "analysis/analysis_sql.h"
#include "analysis/analysis_tab.h"
#include "analysis/figures.h"
#include "data/app_context.h"
#include "data/data_control.h"
#include "data/dialogs.h"
#include "data/money.h"
#include "ui/drop_down_combo.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

namespace mervalis {

namespace {

const char* const kMonths[12] = {"Jan: ", "Feb: ", "Mar: ", "Apr: ", "May: ", "Jun: ",
                                 "Jul: ", "Aug: ", "Sep: ", "Oct: ", "Nov: ", "Dec: "};
const char* const kQuarters[4] = {"1st: ", "2nd: ", "3rd: ", "4th: "};

}  // namespace

QString AnalysisTab::noQuarterlyFiguresMessage()
{
    return QStringLiteral("You must perform an analysis before you can retrieve quarterly figures.");
}

// Income per month: all sales (Command27) or the sales of the entity chosen
// in Combo16 under the column named by Text23 (Command31).
void AnalysisTab::Command27_Click()
{
    monthlyIncome(QString(), QString());
}

void AnalysisTab::Command31_Click()
{
    const QString entity = Combo16->currentText();
    if (entity.isEmpty()) return;
    monthlyIncome(Text23->text(), entity);
}

void AnalysisTab::monthlyIncome(const QString& column, const QString& entity)
{
    Combo15->clear();
    yield();
    if (foot_.Label4) foot_.Label4->hide();
    if (foot_.Label37) foot_.Label37->show();
    Label28->show();
    const QString year = Combo8->currentText();
    const auto caption = [this](int month) {
        const QString text = QStringLiteral("Please wait...   %1").arg(month);
        Label28->setText(text);
        if (foot_.Label37) foot_.Label37->setText(text);
    };
    caption(1);
    yield();
    // Only a sale column of the options selects sales.
    const bool all = column.isNull();
    const bool known = all || analysis_sql::isEntityColumn(column);
    figures::Monthly figures;
    const bool computed = known && figures::monthly(context_.adodc2, year, column, entity, &figures);
    if (computed) {
        Combo15->addItems(figures.income);
        // The sales grid shows the last month looked at, December.
        context_.adodc2.query(all ? analysis_sql::monthSales(12, year)
                                  : analysis_sql::monthSalesOf(12, year, column, entity));
    }
    caption(13);
    yield();
    if (foot_.Label4) foot_.Label4->show();
    if (foot_.Label37) foot_.Label37->hide();
    Label28->hide();
}

// Number of sales per month, all sales (Text23 "AllCompanies") or those of
// the chosen entity, and its chart.
void AnalysisTab::Command36_Click()
{
    Combo15->clear();
    yield();
    progress(QStringLiteral("Initailising..."));
    yield();
    const QString column = Text23->text();
    const bool all = column == QLatin1String("AllCompanies");
    if (!all && !analysis_sql::isEntityColumn(column)) {
        Label28->hide();
        return;
    }
    const QString year = Combo8->currentText();
    const QString entity = Combo16->currentText();
    figures::Monthly figures;
    if (!figures::monthly(context_.adodc2, year, all ? QString() : column, entity, &figures)) {
        Label28->hide();
        return;
    }
    Combo15->addItems(figures.counts);
    context_.adodc2.query(all ? analysis_sql::monthSales(12, year)
                              : analysis_sql::monthSalesOf(12, year, column, entity));
    yield();
    Label28->setText(QStringLiteral("Please wait...12"));

    const int count = Combo15->count();
    MSChart1->setColumnCount(count);
    MSChart1->setTitleText(QStringLiteral("Sales per month for: ") + entity);
    MSChart1->setShowLegend(true);
    for (int i = 0; i < count; ++i) {
        MSChart1->setData(i + 1, Combo15->itemText(i));
        MSChart1->setColumnLabel(i + 1, QString::number(i + 1));
    }
    rebuildMonthlyView();
    Label28->hide();
}

// The monthly income chart from the twelve figures of Combo15.
void AnalysisTab::Command28_Click()
{
    yield();
    progress(QStringLiteral("Drawing chart..."));
    yield();
    MSChart1->setColumnCount(12);
    MSChart1->setTitleText(QStringLiteral("Total Amount per month"));
    for (int c = 1; c <= 12; ++c) MSChart1->setData(c, Combo15->itemText(c - 1));
    rebuildMonthlyView();
    Label28->hide();
}

// "View Quarterly".
void AnalysisTab::Check2_Click()
{
    if (Combo15->itemText(0).isEmpty()) {
        context_.dialogs.inform(noQuarterlyFiguresMessage());
        if (Check2->isChecked()) {
            const QSignalBlocker once(Check2);
            Check2->setChecked(false);
        }
        return;
    }
    yield();
    if (!Check2->isChecked()) {
        Command28->click();
        Check8->setChecked(false);
        return;
    }
    Currency quarters[4];
    for (int month = 0; month < 12; ++month) {
        Currency figure;
        // Figures that are not numbers (none are written so) add nothing.
        if (Currency::read(Combo15->itemText(month), &figure)) quarters[month / 3] += figure;
    }
    MSChart1->setColumnCount(4);
    MSChart1->setTitleText(QStringLiteral("Total Amount per quarter"));
    for (int c = 1; c <= 4; ++c) {
        MSChart1->setData(c, quarters[c - 1].text());
        MSChart1->setColumnLabel(c, QLatin1String(kQuarters[c - 1]) + quarters[c - 1].text());
    }
}

// The monthly figures view: month names and figures as the column labels.
void AnalysisTab::Check8_Click()
{
    if (!Check8->isChecked()) {
        MSChart1->setShowLegend(false);
        return;
    }
    MSChart1->setShowLegend(true);
    if (Check2->isChecked()) return;
    for (int c = 1; c <= 12; ++c) {
        MSChart1->setColumnLabel(c, QLatin1String(kMonths[c - 1]) + Combo15->itemText(c - 1));
    }
}

}  // namespace mervalis
