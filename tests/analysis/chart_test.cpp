// The chart builder and the controls around the chart.
#include "analysis_support.h"
#include "data/money.h"
#include "ui/drop_down_combo.h"

#include <QAccessible>
#include <QClipboard>
#include <QImage>
#include <QLocale>
#include <QMimeData>
#include <QValueAxis>

using namespace mervalis;
using namespace mervalis::test;

namespace {

// Three companies in the working lists, as a comparison leaves them.
void fillThreeCompanies(AnalysisTab& tab)
{
    tab.Combo15->addItems({"100", "250", "50"});
    tab.Combo18->addItems({"Acme", "Bolt", "Core"});
}

}  // namespace

TEST(AnalysisChart, BuildsLabelledColumnsAsBarsOrPieAndTellsScreenReaders)
{
    AnalysisFixture f;
    f.tab->Combo7->setCurrentIndex(f.tab->Combo7->findText("Compare sales by company"));
    fillThreeCompanies(*f.tab);
    f.tab->Combo15->setItemText(2, "-50");  // a loss: its bar reaches below the axis, none is cut off
    f.tab->Command35->click();
    EXPECT_EQ(f.drawn(), QStringList({"Acme: 100 = 100", "Bolt: 250 = 250", "Core: -50 = -50"}));
    EXPECT_LE(qobject_cast<QValueAxis*>(f.tab->MSChart1->chart()->axes(Qt::Vertical).value(0))->min(), -50);
    EXPECT_EQ(f.title(), "Compare sales by company");
    EXPECT_TRUE(f.legendShown());
    EXPECT_EQ(f.tab->MSChart1->chartType(), AnalysisChart::Bar);
    EXPECT_EQ(f.tab->Label28->text(), "Drawing chart...");
    EXPECT_EQ(f.tab->MSChart1->accessibleName(), "Compare sales by company");
    EXPECT_EQ(f.tab->MSChart1->accessibleDescription(), "Acme: 100\nBolt: 250\nCore: -50");

    // The type is set only by the chart type list and stays for later charts.
    choose(f.tab->Combo10, 1);
    EXPECT_EQ(f.tab->MSChart1->chartType(), AnalysisChart::Pie);
    f.tab->Check3->click();
    f.tab->Check3->click();
    EXPECT_FALSE(f.legendShown());
    f.tab->Command35->click();
    EXPECT_TRUE(f.legendShown());
    f.tab->MSChart1->redrawNow();
    const QList<QAbstractSeries*> series = f.tab->MSChart1->chart()->series();
    ASSERT_EQ(series.size(), 1);
    EXPECT_TRUE(qobject_cast<QPieSeries*>(series[0]));
    EXPECT_EQ(f.drawn(), QStringList({"Acme: 100 = 100", "Bolt: 250 = 250", "Core: -50 = 0"}));

    // An empty value list leaves the chart as it was.
    f.tab->Combo15->clear();
    f.tab->Combo18->clear();
    f.tab->Command35->click();
    EXPECT_EQ(f.tab->MSChart1->columnCount(), 3);
}

TEST(AnalysisChart, ExportPutsTwoColumnsOnTheClipboardAndPasteSavesTheImage)
{
    AnalysisFixture f;
    f.tab->Combo7->setCurrentIndex(f.tab->Combo7->findText("Compare sales by company"));
    fillThreeCompanies(*f.tab);
    f.tab->Command35->click();

    f.tab->Command37->click();
    const QMimeData* data = QApplication::clipboard()->mimeData();
    ASSERT_TRUE(data);
    EXPECT_EQ(data->text(), "Acme: 100\t100\r\nBolt: 250\t250\r\nCore: 50\t50\r\n");
    EXPECT_EQ(f.l.dialogs.take(), QStringList({"The chart figurs have now been copied. You can now, for example, paste the figures "
                                               "into an Excel spreadsheet and use the chart wizard in Excel to create a "
                                               "custom chart. You can then export the chart into other programs, such as "
                                               "Word.\r\n\r\n( Just open a new Excel document, right click on the "
                                               "document and click paste...you will see figures automatically pasted "
                                               "...then highlight the figures you need and click on the Chart Wizard "
                                               "icon in the standard toolbar to begin customising your chart. )"}));

    const QString bmp = f.l.env.programFile("Mervalis.bmp");
    f.tab->Command51->click();
    EXPECT_EQ(f.l.dialogs.take(),
              QStringList({"The chart image has been copied. You can now, for example, paste the chart image "
                           "directly into any part of a Word document. The image has been saved as " + bmp}));
    EXPECT_FALSE(QImage(bmp, "BMP").isNull());
    EXPECT_EQ(modeOf(bmp), "0600");  // the owner's alone
    EXPECT_FALSE(QApplication::clipboard()->image().isNull());

    // A folder that cannot be written: the clipboard copy still counts.
    QApplication::clipboard()->clear();
    QFile::remove(bmp);
    QFile::setPermissions(f.l.env.programFolder(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    f.tab->Command51->click();
    QFile::setPermissions(f.l.env.programFolder(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    if (!QFileInfo::exists(bmp)) {  // root writes anywhere
        EXPECT_TRUE(f.l.dialogs.last().contains("The image could not be saved as " + bmp));
    }
    EXPECT_FALSE(QApplication::clipboard()->image().isNull());

    f.l.dialogs.clear();
    f.tab->Command49->click();
    ASSERT_EQ(f.l.dialogs.texts().size(), 1);
    EXPECT_TRUE(f.l.dialogs.last().startsWith("Remember, empty values or 'None' values may not be counted."));
    EXPECT_EQ(f.l.dialogs.last().count("\r\n\r\n"), 3);
}

// Under an English and a German desktop: figures on the chart, for screen
// readers, in the quarters and for a spreadsheet carry the region's
// separator; shares are rounded, not cut (2 of 3 clients is 66.67).
TEST(RegionalNumbersAnalysis, FiguresCarryTheRegionsSeparatorAndSharesAreRounded)
{
    AnalysisFixture f;
    const auto regional = [](QString text) { return QLocale::system().name() == "de_DE" ? text.replace('.', ',') : text; };
    f.l.env.exec("INSERT INTO Mervalis (ClientName) VALUES ('C1'), ('C2'), ('C3')");
    addSale(f.l, {.client = "C1", .subTotal = "10.25"});
    addSale(f.l, {.client = "C2", .subTotal = "0.5"});
    f.chooseOption("Total Income (all companies)");
    f.tab->Command37->click();
    f.tab->MSChart1->redrawNow();
    EXPECT_TRUE(f.tab->MSChart1->accessibleDescription().startsWith(regional("Jan: 10.75\n")));
    EXPECT_TRUE(QApplication::clipboard()->mimeData()->text().startsWith(regional("Jan: 10.75\t10.75\r\n")));
    f.tab->Check2->click();
    EXPECT_EQ(f.tab->MSChart1->columnLabel(1), regional("1st: 10.75"));
    f.chooseOption("conversion ratio (sold clients \\ clients)%");
    EXPECT_EQ(f.tab->MSChart1->columnLabel(3), regional("Conversion Percentage: 66.67%"));
}
