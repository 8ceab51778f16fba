#pragma once

#include "ui/foot_line.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace mervalis {

struct AppContext;
class AnalysisChart;
class DropDownCombo;

// The "Analysis" tab: the option list Combo7 over the year Combo8, the
// entity chooser Combo16 (or the age range pair), the chart MSChart1 and its
// controls, and the hidden working area Frame4 through which the handlers
// pass parameters (Text23, Text24) and figures (Combo15 values, Combo18
// labels). The computing handlers are the click handlers of Frame4's hidden
// buttons; the selector presses them (QAbstractButton::click runs the handler
// at once). Figures are computed by the database (figures.h); the handlers
// keep the progress captions and leave in the shared data controls the
// record sources an analysis ends on, so the grids show what it looked at.
class AnalysisTab : public QWidget {
    Q_OBJECT
public:
    AnalysisTab(AppContext& context, FootLine foot, QWidget* parent = nullptr);

    // The selector.
    QLabel* Label25;         // "Step 1 - choose a year."
    QComboBox* Combo8;       // the year, "1995" to "2005", editable
    QLabel* Label15;         // "Step 2 - choose an analysis option"
    DropDownCombo* Combo7;   // the 42 analysis options
    QLabel* Label23;         // "Click on the drop down lists and HOLD to select."
    QLabel* Label48;         // the chooser's prompt
    DropDownCombo* Combo16;  // the entity chooser, editable
    QComboBox* Combo28;      // age range: from
    QComboBox* Combo29;      // age range: to
    QLabel* Label49;         // the product list note
    QLabel* Label28;         // progress text
    QCheckBox* Check2;       // "View Quarterly"
    QCheckBox* Check8;       // "system": the monthly figures view, hidden

    // The chart and its controls.
    QLabel* Label26;
    AnalysisChart* MSChart1;
    QCheckBox* Check3;       // "Show Values and/or Chart"
    QComboBox* Combo10;      // "Chart Type": "Bar Chart", "Pie Chart"
    QPushButton* Command49;  // "Why do my results seem incorrect?"
    QPushButton* Command51;  // "Paste to clipboard"
    QPushButton* Command37;  // "Export to Excel"
    QPushButton* Command53;  // "Large Chart"
    QPushButton* Command54;  // "Small Chart"
    QLabel* Picture1;        // hidden: the last captured chart image
    QPushButton* Command10;  // "Help"

    // The hidden working area.
    QGroupBox* Frame4;
    QLineEdit* Text23;  // field selector
    QLineEdit* Text24;  // compare field
    QComboBox* Combo15;  // value list
    QComboBox* Combo18;  // label list
    QPushButton* Command27;  // "Total Income 1"
    QPushButton* Command28;  // "Total Income 2(take values and make monthly chart)"
    QPushButton* Command31;  // "system for combo16"
    QPushButton* Command36;  // "for number #"
    QPushButton* Command32;  // "system for compare combo16"
    QPushButton* Command38;  // "compare year"
    QPushButton* Command48;  // "total income all years"
    QPushButton* Command50;  // "compare all years"
    QPushButton* Command13;  // "compare sold clients by age"
    QPushButton* Command26;  // "compare ethnicity"
    QPushButton* Command43;  // "compare sex"
    QPushButton* Command44;  // "compare income"
    QPushButton* Command46;  // "compare city"
    QPushButton* Command47;  // "compare country"
    QPushButton* Command11;  // "sales/records%"
    QPushButton* Command45;  // "closing ratios"
    QPushButton* Command35;  // "make chart for compare"

    // The selector (analysis_tab.cpp).
    void Combo7_DropDown();
    void Combo7_Click();
    void Combo16_DropDown();
    void Combo16_Click();
    void Combo29_Click();

    // Monthly figures and their views (monthly_figures.cpp).
    void Command27_Click();
    void Command31_Click();
    void Command36_Click();
    void Command28_Click();
    void Check2_Click();
    void Check8_Click();

    // The chart's controls (chart_controls.cpp).
    void Command35_Click();
    void Combo10_Click();
    void Check3_Click();
    void Command37_Click();
    void Command51_Click();
    void Command53_Click();
    void Command54_Click();
    void Command49_Click();

    // Year and all-years comparisons (comparisons.cpp).
    void Command32_Click();
    void Command38_Click();
    void Command48_Click();
    void Command50_Click();

    // Sold-client profiles and ratios (profiles.cpp).
    void Command13_Click();
    void Command26_Click();
    void Command43_Click();
    void Command44_Click();
    void Command46_Click();
    void Command47_Click();
    void Command11_Click();
    void Command45_Click();

    // The texts of the tab's message boxes.
    static QString mustEnterYearMessage();
    static QString noQuarterlyFiguresMessage();
    static QString figuresCopiedMessage();
    static QString adviceMessage();
    static QString noRecordsToCompareMessage();
    static QString ageRangeMessage();

private:
    void buildControls();
    void buildWorkingArea();
    void layOut();
    void connectHandlers();
    void placeChart();

    // Progress: Label28 shown with a caption, and the window system's turn.
    void progress(const QString& caption);
    static void yield();
    // The value and label lists.
    void fillLists(const QStringList& values, const QStringList& labels);
    // Income per month of all sales (column null) or of one entity.
    void monthlyIncome(const QString& column, const QString& entity);
    // Check8 off and on: the monthly figures view rebuilt.
    void rebuildMonthlyView();
    // Ethnicity, city or country: distinct clients per stored value, drawn
    // through Command35.
    void compareStoredCategories(const QString& column);
    // The chart of the values of Combo15, titled with the option: column i
    // labelled with the prefix, name i, ": " and value i.
    void drawValues(const QStringList& names, const QString& prefix);

    AppContext& context_;
    FootLine foot_;
    QWidget* chartSlot_ = nullptr;  // where the small chart lies in the layout
    bool largeChart_ = false;
};

}  // namespace mervalis
