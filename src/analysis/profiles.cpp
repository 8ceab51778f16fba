// The clients sold to compared by their profile (age, ethnicity, sex, income,
// city, country), the conversion ratio and the closing ratios.
#include "analysis/analysis_chart.h"
#include "analysis/analysis_sql.h"
#include "analysis/analysis_tab.h"
#include "analysis/figures.h"
#include "data/app_context.h"
#include "data/client_table.h"
#include "data/data_control.h"
#include "data/dialogs.h"
#include "data/money.h"
#include "ui/drop_down_combo.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

#include <cmath>

namespace mervalis {

namespace {

constexpr int kOldestAge = 150;

// A whole number of years from 0 to kOldestAge, typed as the region writes
// numbers.
bool readAge(const QString& text, int* age)
{
    double value = 0;
    if (!readNumber(text, &value) || value != std::floor(value) || value < 0 || value > kOldestAge) return false;
    *age = static_cast<int>(value);
    return true;
}

}  // namespace

QString AnalysisTab::ageRangeMessage()
{
    return QStringLiteral("Please enter the age range as whole numbers from 0 to %1.").arg(kOldestAge);
}

// Distinct clients per age of the range Combo28 to Combo29.
void AnalysisTab::Command13_Click()
{
    yield();
    Combo15->clear();
    Combo18->clear();
    progress(QStringLiteral("Please wait...if you have a large database, this could take time..."));
    yield();
    int from = 0;
    int to = 0;
    if (!readAge(Combo28->currentText(), &from) || !readAge(Combo29->currentText(), &to)) {
        Label28->hide();
        context_.dialogs.inform(ageRangeMessage());
        return;
    }
    QStringList ages;
    for (int age = from; age <= to; ++age) ages << QString::number(age);
    if (!ages.isEmpty()) {
        QStringList counts;
        if (!figures::clientsPerFixedCategory(context_.adodc2, QStringLiteral("Age"), ages, &counts)) {
            Label28->hide();
            return;
        }
        fillLists(counts, ages);
        context_.adodc2.query(analysis_sql::clientsOfCategory(QStringLiteral("Age"), ages.last()));
        Label28->setText(ages.last());
    }
    yield();
    Label28->setText(QStringLiteral("Drawing chart..."));
    yield();
    drawValues(ages, QStringLiteral("Age"));
    Label28->hide();
}

void AnalysisTab::compareStoredCategories(const QString& column)
{
    yield();
    progress(QStringLiteral("Please wait..."));
    Combo18->clear();
    Combo15->clear();
    yield();
    figures::Categories categories;
    if (!figures::clientsPerStoredCategory(context_.adodc2, column, &categories)) {
        Label28->hide();
        return;
    }
    if (categories.labels.isEmpty()) {
        Label28->hide();
        context_.dialogs.inform(QStringLiteral("No sale has the client's %1 entered, so there is nothing to compare.")
                                    .arg(column.toLower()));
        return;
    }
    fillLists(categories.values, categories.labels);
    Label28->setText(QString::number(categories.labels.size() - 1));
    context_.adodc2.query(analysis_sql::clientsOfCategory(column, categories.labels.last()));
    yield();
    Command35->click();
    Label28->hide();
}

void AnalysisTab::Command26_Click()
{
    compareStoredCategories(QStringLiteral("Ethnicity"));
}

void AnalysisTab::Command46_Click()
{
    compareStoredCategories(QStringLiteral("City"));
}

void AnalysisTab::Command47_Click()
{
    compareStoredCategories(QStringLiteral("Country"));
}

// Male, then Female, always both.
void AnalysisTab::Command43_Click()
{
    Combo15->clear();
    Combo18->clear();
    const QStringList sexes = client_table::sexEntries();
    QStringList counts;
    if (!figures::clientsPerFixedCategory(context_.adodc2, QStringLiteral("Sex"), sexes, &counts)) {
        return;
    }
    fillLists(counts, sexes);
    context_.adodc2.query(analysis_sql::clientsOfCategory(QStringLiteral("Sex"), sexes.last()));
    Command35->click();
}

// The 21 income bands of the client profile, in order.
void AnalysisTab::Command44_Click()
{
    yield();
    progress(QStringLiteral("Please wait..."));
    yield();
    Combo15->clear();
    const QStringList bands = client_table::incomeBands();
    QStringList counts;
    if (!figures::clientsPerFixedCategory(context_.adodc2, QStringLiteral("Income"), bands, &counts)) {
        Label28->hide();
        return;
    }
    Combo15->addItems(counts);
    context_.adodc2.query(analysis_sql::clientsOfCategory(QStringLiteral("Income"), bands.last()));
    Label28->setText(QString::number(bands.size() - 1));
    yield();
    Label28->setText(QStringLiteral("Drawing chart..."));
    yield();
    drawValues(bands, QString());
    Label28->hide();
}

// The distinct clients of the sales against all clients.
void AnalysisTab::Command11_Click()
{
    if (!context_.dialogs.askYesNo(Combo7->currentText() + QStringLiteral("?"))) return;
    yield();
    progress(QStringLiteral("Please wait..."));
    yield();
    if (!context_.adodc2.query(analysis_sql::soldClients())) {
        Label28->hide();
        return;
    }
    const int sold = context_.adodc2.recordCount();
    yield();
    Label28->setText(QStringLiteral("30%"));
    yield();
    if (!context_.adodc1.query(client_table::selectAll())) {
        Label28->hide();
        return;
    }
    const int clients = context_.adodc1.recordCount();
    yield();
    Label28->setText(QStringLiteral("60%"));
    if (clients == 0) {
        Label28->hide();
        context_.dialogs.inform(QStringLiteral("There are no clients in the database, so there is no conversion "
                                               "ratio to compute."));
        return;
    }
    const QString ratio = figures::percentage(sold, clients).text();
    // The chart says what it shows and its figures, whatever the previous
    // analysis left in its title and legend.
    MSChart1->setTitleText(Combo7->currentText());
    MSChart1->setShowLegend(true);
    MSChart1->setColumnCount(3);
    MSChart1->setData(1, QString::number(sold));
    MSChart1->setColumnLabel(1, QStringLiteral("Clients sold to: %1").arg(sold));
    MSChart1->setData(2, QString::number(clients));
    MSChart1->setColumnLabel(2, QStringLiteral("Clients in database: %1").arg(clients));
    MSChart1->setData(3, ratio);
    MSChart1->setColumnLabel(3, QStringLiteral("Conversion Percentage: %1%").arg(ratio));
    yield();
    Label28->setText(QStringLiteral("Please wait..."));
    Label28->hide();
}

// Each sales rep's invoices against the leads given to the rep.
void AnalysisTab::Command45_Click()
{
    yield();
    progress(QStringLiteral("Please wait..."));
    Combo18->clear();
    Combo15->clear();
    yield();
    QStringList reps;
    QStringList ratios;
    if (!figures::closingRatios(context_.adodc2, &reps, &ratios)) {
        Label28->hide();
        return;
    }
    if (reps.isEmpty()) {
        Label28->hide();
        context_.dialogs.inform(QStringLiteral("No sale names a sales rep (other than 'None'), so there are no "
                                               "closing ratios to compare."));
        return;
    }
    fillLists(ratios, reps);
    Label28->setText(QString::number(reps.size() - 1));
    context_.adodc2.query(analysis_sql::invoicesOfRep(reps.last()));
    context_.adodc1.query(analysis_sql::leadsOf(reps.last()));
    Command35->click();
    Label28->hide();
}

}  // namespace mervalis
