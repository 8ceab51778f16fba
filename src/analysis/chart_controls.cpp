// The chart builder Command35 and the user's controls around the chart: type,
// values switch, size, copying the figures and the image, and the advice.
#include "analysis/analysis_chart.h"
#include "analysis/analysis_tab.h"
#include "data/app_context.h"
#include "data/dialogs.h"
#include "data/owner_only.h"
#include "ui/drop_down_combo.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QMimeData>
#include <QPixmap>

namespace mervalis {

namespace {

// The figures as an HTML table too, which spreadsheets paste cell by cell.
QString figuresTable(const QString& tabSeparated)
{
    QString html = QStringLiteral("<table>");
    for (const QString& row : tabSeparated.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts)) {
        html += QStringLiteral("<tr>");
        for (const QString& cell : row.split(QLatin1Char('\t'))) {
            html += QStringLiteral("<td>") + cell.toHtmlEscaped() + QStringLiteral("</td>");
        }
        html += QStringLiteral("</tr>");
    }
    return html + QStringLiteral("</table>");
}

}  // namespace

QString AnalysisTab::figuresCopiedMessage()
{
    return QStringLiteral("The chart figurs have now been copied. You can now, for example, paste the figures into "
                          "an Excel spreadsheet and use the chart wizard in Excel to create a custom chart. You can "
                          "then export the chart into other programs, such as Word.\r\n\r\n( Just open a new Excel "
                          "document, right click on the document and click paste...you will see figures "
                          "automatically pasted ...then highlight the figures you need and click on the Chart "
                          "Wizard icon in the standard toolbar to begin customising your chart. )");
}

QString AnalysisTab::adviceMessage()
{
    return QStringLiteral(
        "Remember, empty values or 'None' values may not be counted. Empty values may even cause the program to "
        "error and shut down (even though this program tries to guard against this). That's because it is "
        "impossible to perform calculations without a number.\r\n\r\nIf the results seem incorrect, then check "
        "that records have actually been added and fields for the record have been filled in.\r\n\r\nFor example, "
        "if you know that a TV ad has provided 100% of your sales, but the results show less than 100%, then the "
        "MarketingTools field for a sale may be empty or 'None'. Most errors are caused by incorrect data "
        "entry.\r\n\r\nDrop down lists in the analysis section may differ from the same list elsewhere in the "
        "program, because this section only reflects actual sales. For instance, you may have 25 sales people, but "
        "only 3 have made sales. The drop down list in this section will only show 3 sales people.");
}

// The chart from the value list Combo15 and the label list Combo18, titled
// with the chosen option.
void AnalysisTab::Command35_Click()
{
    yield();
    Label28->setText(QStringLiteral("Drawing chart..."));
    yield();
    QStringList labels;
    for (int i = 0; i < Combo18->count(); ++i) labels << Combo18->itemText(i);
    drawValues(labels, QString());
}

void AnalysisTab::drawValues(const QStringList& names, const QString& prefix)
{
    const int count = Combo15->count();
    if (count == 0) return;
    MSChart1->setColumnCount(count);
    MSChart1->setTitleText(Combo7->currentText());
    MSChart1->setShowLegend(true);
    for (int i = 0; i < count; ++i) {
        MSChart1->setData(i + 1, Combo15->itemText(i));
        MSChart1->setColumnLabel(i + 1, prefix + names.value(i) + QStringLiteral(": ") + Combo15->itemText(i));
    }
}

void AnalysisTab::Combo10_Click()
{
    if (Combo10->currentText() == QLatin1String("Bar Chart")) MSChart1->setChartType(AnalysisChart::Bar);
    else if (Combo10->currentText() == QLatin1String("Pie Chart")) MSChart1->setChartType(AnalysisChart::Pie);
}

void AnalysisTab::Check3_Click()
{
    MSChart1->setShowLegend(Check3->isChecked());
    MSChart1->redrawNow();
}

// "Export to Excel": the figures on the clipboard, as tab-separated text
// and as an HTML table, a label and a value per row.
void AnalysisTab::Command37_Click()
{
    const QString figures = MSChart1->figuresText();
    auto* data = new QMimeData;
    data->setText(figures);
    data->setHtml(figuresTable(figures));
    // No picture beside the figures: offered together, spreadsheets (LibreOffice
    // Calc) paste the picture and drop the figures. "Paste to clipboard"
    // copies the picture.
    QApplication::clipboard()->setMimeData(data);
    context_.dialogs.inform(figuresCopiedMessage());
}

// "Paste to clipboard": the chart's image on the clipboard and in
// Mervalis.bmp of the program folder.
void AnalysisTab::Command51_Click()
{
    const QImage image = MSChart1->image();
    Picture1->resize(MSChart1->size());
    Picture1->setPixmap(QPixmap::fromImage(image));
    QApplication::clipboard()->clear();
    QApplication::clipboard()->setImage(image);
    const QString path = context_.installation.path(QStringLiteral("Mervalis.bmp"));
    const QString copied = QStringLiteral("The chart image has been copied. You can now, for example, paste the "
                                          "chart image directly into any part of a Word document.");
    // The chart shows the ledger's figures: the file is the owner's alone.
    if (writeOwnerOnlyFile(path, [&image](QIODevice& file, QString*) { return image.save(&file, "BMP"); })) {
        context_.dialogs.inform(copied + QStringLiteral(" The image has been saved as ") + path);
    } else {
        // The copy on the clipboard stands; only the file is missing.
        context_.dialogs.inform(copied + QStringLiteral(" The image could not be saved as ") + path +
                                QStringLiteral(": check that the folder exists and may be written to."));
    }
}

void AnalysisTab::Command53_Click()
{
    largeChart_ = true;
    MSChart1->raise();
    placeChart();
}

void AnalysisTab::Command54_Click()
{
    largeChart_ = false;
    placeChart();
}

void AnalysisTab::Command49_Click()
{
    context_.dialogs.inform(adviceMessage());
}

}  // namespace mervalis
