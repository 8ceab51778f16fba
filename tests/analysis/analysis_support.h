#pragma once

#include "analysis/analysis_chart.h"
#include "analysis/analysis_tab.h"
#include "data/money.h"
#include "data/sql.h"
#include "ui/drop_down_combo.h"
#include "ui/ui.h"
#include "support/test_env.h"
#include "support/widgets.h"

#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <QLabel>
#include <QPieSeries>
#include <QPieSlice>

#include <memory>

namespace mervalis::test {

// One stored sale line with the fields the analyses read.
struct Sale {
    QString client = "A", month = "1", year = "2004", subTotal = "0", company = "Acme", product = "Widget",
            tool = "None", rep = "None", reference = "R1";
    QString age{}, sex{}, income{}, ethnicity{}, city{}, country{};
};

inline void addSale(TestLedger& l, const Sale& s)
{
    QStringList texts;
    for (const QString& text : {s.client, s.company, s.product, s.tool, s.rep, s.reference, s.month, s.year, s.age,
                                s.sex, s.income, s.ethnicity, s.city, s.country}) {
        texts << quoted(text);
    }
    l.env.exec(QStringLiteral("INSERT INTO Mervalis2 (ClientName, AssociatedCompany, ProductService, MarketingTool, "
                              "SalesRep, ReferenceID, Month, Year, Age, Sex, Income, Ethnicity, City, Country, "
                              "SubTotal, TotalDue) VALUES (%1, %2, %2)")
                   .arg(texts.join(", "), s.subTotal));
}

// The Analysis tab with the main window's foot lines, as Form1 builds it.
struct AnalysisFixture {
    TestLedger l;
    QLabel label4{QStringLiteral("notice")};
    QLabel label37{QStringLiteral("Please wait...")};
    std::unique_ptr<AnalysisTab> tab;

    AnalysisFixture()
    {
        label37.hide();
        tab = std::make_unique<AnalysisTab>(*l.context, FootLine{&label4, &label37});
        tab->resize(660, 400);
    }

    // The user typing the year, opening the option list and picking an option.
    void chooseOption(const QString& text, const QString& year = QStringLiteral("2004"))
    {
        tab->Combo8->setFocus();
        tab->Combo8->lineEdit()->selectAll();
        QTest::keyClicks(tab->Combo8, year);
        openList(tab->Combo7);
        choose(tab->Combo7, tab->Combo7->findText(text));
    }

    // Opening the chooser and picking one of its entries.
    void pick(const QString& entity)
    {
        openList(tab->Combo16);
        choose(tab->Combo16, tab->Combo16->findText(entity));
    }

    QStringList values() const { return entries(tab->Combo15); }
    QStringList labels() const { return entries(tab->Combo18); }

    // What the chart object draws: the label and value of every column.
    QStringList drawn() const
    {
        tab->MSChart1->redrawNow();
        QStringList columns;
        for (QAbstractSeries* series : tab->MSChart1->chart()->series()) {
            if (auto* bars = qobject_cast<QBarSeries*>(series)) {
                for (QBarSet* set : bars->barSets()) columns << set->label() + QStringLiteral(" = ") + numberText(set->at(0));
            } else if (auto* pie = qobject_cast<QPieSeries*>(series)) {
                for (QPieSlice* slice : pie->slices()) columns << slice->label() + QStringLiteral(" = ") + numberText(slice->value());
            }
        }
        return columns;
    }
    QString title() const
    {
        tab->MSChart1->redrawNow();
        return tab->MSChart1->chart()->title();
    }
    bool legendShown() const { return !tab->MSChart1->legend()->isHidden(); }
};

}  // namespace mervalis::test
