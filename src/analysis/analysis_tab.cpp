#include "analysis/analysis_tab.h"

#include "analysis/analysis_chart.h"
#include "analysis/analysis_options.h"
#include "analysis/analysis_sql.h"
#include "analysis/figures.h"
#include "data/app_context.h"
#include "data/client_table.h"
#include "data/company_table.h"
#include "data/data_control.h"
#include "data/dialogs.h"
#include "data/help.h"
#include "data/list_file.h"
#include "data/sales_table.h"
#include "ui/drop_down_combo.h"
#include "ui/list_fill.h"
#include "ui/ui.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <functional>

namespace mervalis {

using analysis_options::Kind;

namespace {

const QString kSystem = QStringLiteral("system");

// Keeps the chart over its place in the layout: the chart is laid over the
// tab rather than into the layout, so that "Large Chart" can bring it in
// front of the controls below it.
class ChartPlacer : public QObject {
public:
    ChartPlacer(QObject* parent, std::function<void()> place) : QObject(parent), place_(std::move(place)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Resize || event->type() == QEvent::Move) place_();
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> place_;
};

}  // namespace

QString AnalysisTab::mustEnterYearMessage()
{
    return QStringLiteral("You must enter a year.");
}

AnalysisTab::AnalysisTab(AppContext& context, FootLine foot, QWidget* parent)
    : QWidget(parent), context_(context), foot_(foot)
{
    buildControls();
    buildWorkingArea();
    layOut();
    connectHandlers();
}

void AnalysisTab::buildControls()
{
    auto label = [this](const char* name, const QString& caption) {
        auto* l = new QLabel(caption, this);
        l->setObjectName(QLatin1String(name));
        return l;
    };
    Label26 = label("Label26", QStringLiteral("To resize the chart, double click each section and drag or extend "
                                              "from the borders. You should see both a graph and it's values."));
    Label26->setWordWrap(true);
    MSChart1 = new AnalysisChart(this);

    Combo8 = named(makeEditable(new QComboBox(this)), "Combo8", QStringLiteral("Step 1 - choose a year."));
    for (int year = 1995; year <= 2005; ++year) Combo8->addItem(QString::number(year));
    Combo8->setEditText(QString());
    Label25 = captionFor(Combo8, QStringLiteral("Step 1 - choose a year."), this);
    Label25->setObjectName(QStringLiteral("Label25"));

    Combo7 = named(new DropDownCombo(this), "Combo7", QStringLiteral("Step 2 - choose an analysis option"));
    Combo7->addItems(analysis_options::texts());
    Combo7->setCurrentIndex(-1);
    Combo7->setMaxVisibleItems(20);
    Label15 = captionFor(Combo7, QStringLiteral("Step 2 - choose an analysis option"), this);
    Label15->setObjectName(QStringLiteral("Label15"));
    Label23 = label("Label23", QStringLiteral("Click on the drop down lists and HOLD to select."));

    Combo16 = named(DropDownCombo::editable(this), "Combo16", QStringLiteral("Choose a Product / Service"));
    Label48 = captionFor(Combo16, QStringLiteral("Choose a Product / Service"), this);
    Label48->setObjectName(QStringLiteral("Label48"));
    auto ageList = [this](const char* name, const QString& caption) {
        auto* combo = named(makeEditable(new QComboBox(this)), name, caption);
        combo->addItems(client_table::ageEntries());
        combo->setEditText(QStringLiteral("0"));
        return combo;
    };
    Combo28 = ageList("Combo28", QStringLiteral("Age from"));
    Combo29 = ageList("Combo29", QStringLiteral("Age to"));
    Label49 = label("Label49", QStringLiteral("The Product / Service list can be modified in the sales section."));
    Label28 = label("Label28",
                    QStringLiteral("Please wait...the larger your database, the longer this will take......."));
    Label28->setWordWrap(true);
    for (QWidget* hidden : {static_cast<QWidget*>(Label48), static_cast<QWidget*>(Combo16),
                            static_cast<QWidget*>(Combo28), static_cast<QWidget*>(Combo29),
                            static_cast<QWidget*>(Label49), static_cast<QWidget*>(Label28)}) {
        hidden->hide();
    }

    Check2 = namedButton(new QCheckBox(QStringLiteral("View Quarterly"), this), "Check2");
    Check8 = namedButton(new QCheckBox(kSystem, this), "Check8");
    Check8->setAccessibleName(QStringLiteral("Monthly figures view"));
    Check8->hide();
    Check3 = namedButton(new QCheckBox(QStringLiteral("Show Values and/or Chart"), this), "Check3");
    Combo10 = named(new QComboBox(this), "Combo10", QStringLiteral("Chart Type"));
    Combo10->addItems({QStringLiteral("Bar Chart"), QStringLiteral("Pie Chart")});
    Combo10->setPlaceholderText(QStringLiteral("Chart Type"));
    Combo10->setCurrentIndex(-1);

    auto button = [this](const char* name, const QString& caption) {
        return namedButton(new QPushButton(caption, this), name);
    };
    Command49 = button("Command49", QStringLiteral("Why do my results seem incorrect?"));
    Command51 = button("Command51", QStringLiteral("Paste to clipboard"));
    Command37 = button("Command37", QStringLiteral("Export to Excel"));
    Command53 = button("Command53", QStringLiteral("Large Chart"));
    Command54 = button("Command54", QStringLiteral("Small Chart"));
    Command10 = button("Command10", QStringLiteral("Help"));
    Picture1 = label("Picture1", QString());
    Picture1->hide();
}

void AnalysisTab::buildWorkingArea()
{
    Frame4 = named(new QGroupBox(QStringLiteral("ALL NEEDED for system, do not delete"), this), "Frame4",
                   QStringLiteral("Working area"));
    Text23 = named(new QLineEdit(kSystem, Frame4), "Text23", QStringLiteral("Field selector"));
    Text24 = named(new QLineEdit(kSystem, Frame4), "Text24", QStringLiteral("Compare field"));
    Combo15 = named(new QComboBox(Frame4), "Combo15", QStringLiteral("Values"));
    Combo18 = named(new QComboBox(Frame4), "Combo18", QStringLiteral("Labels"));
    auto button = [this](const char* name, const QString& caption) {
        return namedButton(new QPushButton(caption, Frame4), name);
    };
    Command27 = button("Command27", QStringLiteral("Total Income 1"));
    Command28 = button("Command28", QStringLiteral("Total Income 2(take values and make monthly chart)"));
    Command31 = button("Command31", QStringLiteral("system for combo16"));
    Command36 = button("Command36", QStringLiteral("for number #"));
    Command32 = button("Command32", QStringLiteral("system for compare combo16"));
    Command38 = button("Command38", QStringLiteral("compare year"));
    Command48 = button("Command48", QStringLiteral("total income all years"));
    Command50 = button("Command50", QStringLiteral("compare all years"));
    Command13 = button("Command13", QStringLiteral("compare sold clients by age"));
    Command26 = button("Command26", QStringLiteral("compare ethnicity"));
    Command43 = button("Command43", QStringLiteral("compare sex"));
    Command44 = button("Command44", QStringLiteral("compare income"));
    Command46 = button("Command46", QStringLiteral("compare city"));
    Command47 = button("Command47", QStringLiteral("compare country"));
    Command11 = button("Command11", QStringLiteral("sales/records%"));
    Command45 = button("Command45", QStringLiteral("closing ratios"));
    Command35 = button("Command35", QStringLiteral("make chart for compare"));
    auto* layout = new QGridLayout(Frame4);
    const QList<QWidget*> parts = Frame4->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (int i = 0; i < parts.size(); ++i) layout->addWidget(parts[i], i / 4, i % 4);
    // Nothing ever shows the working area.
    Frame4->hide();
}

void AnalysisTab::layOut()
{
    // As drawn: the note and the chart across the top; below it the chart's
    // switches, the year and the option list on the left, the chooser and the
    // progress text on the right; the buttons along the foot.
    chartSlot_ = new QWidget(this);
    chartSlot_->setObjectName(QStringLiteral("chartSlot"));
    chartSlot_->setMinimumHeight(twips(2775));
    chartSlot_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);

    // The year with its caption on the row of the chart's switches, so that
    // the chart keeps the height a dozen labelled columns need.
    auto* switches = new QHBoxLayout;
    switches->addWidget(Label25);
    switches->addWidget(Combo8);
    Combo8->setMinimumWidth(twips(1575));
    switches->addWidget(Check8);
    switches->addStretch(1);
    switches->addWidget(Check3);
    switches->addSpacing(twips(240));
    switches->addWidget(Check2);
    switches->addSpacing(twips(240));
    switches->addWidget(Combo10);

    auto* ages = new QHBoxLayout;
    ages->setContentsMargins(0, 0, 0, 0);
    ages->addWidget(Combo16, 2);
    ages->addWidget(Combo28, 1);
    ages->addWidget(Combo29, 1);
    ages->addStretch(0);

    auto* selector = new QGridLayout;
    selector->setVerticalSpacing(2);
    selector->setHorizontalSpacing(twips(105));
    selector->addWidget(Label15, 1, 0);
    selector->addWidget(Label48, 1, 1);
    selector->addWidget(Combo7, 2, 0);
    selector->addLayout(ages, 2, 1);
    selector->addWidget(Label23, 3, 0);
    selector->addWidget(Label49, 3, 1);
    selector->addWidget(Label28, 4, 1);
    selector->setColumnStretch(0, 4095);
    selector->setColumnStretch(1, 5175);
    Combo7->setMinimumWidth(twips(3500));

    auto* foot = new QHBoxLayout;
    foot->addWidget(Command49);
    foot->addStretch(1);
    foot->addWidget(Command51);
    foot->addWidget(Command37);
    foot->addWidget(Command53);
    foot->addWidget(Command54);
    foot->addWidget(Command10);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(twips(120), twips(60), twips(120), twips(60));
    layout->setSpacing(3);
    layout->addWidget(Label26);
    layout->addWidget(chartSlot_, 1);
    layout->addLayout(switches);
    layout->addLayout(selector);
    layout->addLayout(foot);

    chartSlot_->installEventFilter(new ChartPlacer(this, [this] { placeChart(); }));
}

void AnalysisTab::placeChart()
{
    // "Large Chart" adds the difference between the large and the small
    // height (5000 and 2775 twips) to the place the layout gives the chart,
    // but never covers the buttons at the foot, so "Small Chart" stays in
    // reach.
    const QRect slot = chartSlot_->geometry();
    int height = slot.height();
    if (largeChart_) {
        const int footTop = std::min(Command49->y(), Command53->y()) - layout()->spacing();
        height = std::max(height, std::min(height + twips(5000) - twips(2775), footTop - slot.y()));
    }
    MSChart1->setGeometry(slot.x(), slot.y(), slot.width(), height);
}

void AnalysisTab::connectHandlers()
{
    connect(Combo7, &DropDownCombo::dropDown, this, &AnalysisTab::Combo7_DropDown);
    connect(Combo7, &QComboBox::activated, this, &AnalysisTab::Combo7_Click);
    connect(Combo16, &DropDownCombo::dropDown, this, &AnalysisTab::Combo16_DropDown);
    connect(Combo16, &QComboBox::activated, this, &AnalysisTab::Combo16_Click);
    connect(Combo29, &QComboBox::activated, this, &AnalysisTab::Combo29_Click);
    connect(Combo10, &QComboBox::activated, this, &AnalysisTab::Combo10_Click);
    connect(Check2, &QCheckBox::toggled, this, &AnalysisTab::Check2_Click);
    connect(Check8, &QCheckBox::toggled, this, &AnalysisTab::Check8_Click);
    connect(Check3, &QCheckBox::toggled, this, &AnalysisTab::Check3_Click);
    const std::pair<QPushButton*, void (AnalysisTab::*)()> handlers[] = {
        {Command27, &AnalysisTab::Command27_Click}, {Command28, &AnalysisTab::Command28_Click},
        {Command31, &AnalysisTab::Command31_Click}, {Command36, &AnalysisTab::Command36_Click},
        {Command32, &AnalysisTab::Command32_Click}, {Command38, &AnalysisTab::Command38_Click},
        {Command48, &AnalysisTab::Command48_Click}, {Command50, &AnalysisTab::Command50_Click},
        {Command13, &AnalysisTab::Command13_Click}, {Command26, &AnalysisTab::Command26_Click},
        {Command43, &AnalysisTab::Command43_Click}, {Command44, &AnalysisTab::Command44_Click},
        {Command46, &AnalysisTab::Command46_Click}, {Command47, &AnalysisTab::Command47_Click},
        {Command11, &AnalysisTab::Command11_Click}, {Command45, &AnalysisTab::Command45_Click},
        {Command35, &AnalysisTab::Command35_Click}, {Command37, &AnalysisTab::Command37_Click},
        {Command51, &AnalysisTab::Command51_Click}, {Command53, &AnalysisTab::Command53_Click},
        {Command54, &AnalysisTab::Command54_Click}, {Command49, &AnalysisTab::Command49_Click},
    };
    for (const auto& [button, handler] : handlers) connect(button, &QPushButton::clicked, this, handler);
    connect(Command10, &QPushButton::clicked, this, [this] { context_.help.open(QStringLiteral("analyse")); });
}

void AnalysisTab::yield()
{
    QCoreApplication::processEvents();
}

void AnalysisTab::progress(const QString& caption)
{
    Label28->setText(caption);
    Label28->show();
}

void AnalysisTab::fillLists(const QStringList& values, const QStringList& labels)
{
    Combo15->clear();
    Combo15->addItems(values);
    Combo18->clear();
    Combo18->addItems(labels);
}

void AnalysisTab::rebuildMonthlyView()
{
    Check8->setChecked(false);
    Check8->setChecked(true);
}

// Reset, every time the option list is about to open.
void AnalysisTab::Combo7_DropDown()
{
    yield();
    Combo28->hide();
    Combo29->hide();
    Check2->show();
    progress(QStringLiteral("Initialising..."));
    yield();
    context_.adodc2.query(sales_table::selectAll());
    yield();
    Check8->setChecked(false);
    Check2->setChecked(false);
    Label48->hide();
    Combo16->hide();
    Label49->hide();
    Combo15->clear();
    Combo18->clear();
    Label28->hide();
}

// Dispatch of the chosen option.
void AnalysisTab::Combo7_Click()
{
    if (Combo16->count() > 0) Combo16->clear();
    yield();
    const analysis_options::Option* option = analysis_options::find(Combo7->currentText());
    if (!option) return;
    auto confirmed = [this, option] { return context_.dialogs.askYesNo(option->question); };

    switch (option->kind) {
    case Kind::Separator:
        return;
    case Kind::TotalIncome:  // procedure A
        if (!confirmed()) return;
        if (Combo8->currentText().isEmpty()) {
            context_.dialogs.inform(mustEnterYearMessage());
            Combo7->setCurrentIndex(-1);
            return;
        }
        Command27->click();
        Command28->click();
        Combo7->setCurrentIndex(-1);
        MSChart1->setShowLegend(true);
        return;
    case Kind::EntityIncome: {  // procedure B
        bool filled = true;
        if (option->column == QLatin1String("AssociatedCompany")) {
            filled = fillFromTable(Combo16, context_.adodc3, company_table::selectAll(), 0,
                                   QStringLiteral("CompanyName"), context_.dialogs);
        } else if (option->column == QLatin1String("ClientName")) {
            filled = fillFromTable(Combo16, context_.adodc1, client_table::selectAll(), 0,
                                   QStringLiteral("ClientName"), context_.dialogs);
        } else if (option->column == QLatin1String("ProductService")) {
            bool opened = false;
            const QString path = listFilePath(context_.installation, ListFile::Products);
            const QStringList products = readListFile(path, &opened);
            if (opened) {
                ListRebuild rebuild(Combo16);
                for (const QString& product : products) rebuild.add(product);
            } else {
                // The chooser still lists the products of the stored sales when it opens.
                context_.dialogs.inform(QStringLiteral("The product list %1 could not be read. The list below "
                                                       "shows the products found in the stored sales when it "
                                                       "opens.").arg(path));
            }
        }
        if (!filled) return;
        Combo16->show();
        Label48->show();
        Label48->setText(option->prompt);
        Combo16->setAccessibleName(option->prompt);
        Text23->setText(option->column);
        if (option->column == QLatin1String("ProductService")) Label49->show();
        return;
    }
    case Kind::YearComparison:
        if (!confirmed()) return;
        Check2->hide();
        Command38->click();
        return;
    case Kind::EntityComparison:  // procedure C
        if (!confirmed()) return;
        Check2->hide();
        Text24->setText(option->column);
        Command32->click();
        Command35->click();
        Text23->setText(kSystem);
        Text24->setText(kSystem);
        Label28->hide();
        return;
    case Kind::Conversion:
        Check2->hide();
        Command11->click();
        return;
    case Kind::ClosingRatios:
        Check2->hide();
        if (!confirmed()) return;
        Command45->click();
        return;
    case Kind::AgeProfile:  // procedure F
        Check2->hide();
        yield();
        Combo28->show();
        Combo29->show();
        Label48->show();
        Label48->setText(QStringLiteral("Enter age range(from and to)"));
        return;
    case Kind::Profile: {
        Check2->hide();
        if (!confirmed()) return;
        const std::pair<const char*, QPushButton*> buttons[] = {{"Ethnicity", Command26}, {"Sex", Command43},
                                                                {"Income", Command44},    {"City", Command46},
                                                                {"Country", Command47}};
        for (const auto& [column, button] : buttons) {
            if (option->column == QLatin1String(column)) button->click();
        }
        return;
    }
    case Kind::TotalCount:
        if (!confirmed()) return;
        Check2->hide();
        Text23->setText(QStringLiteral("AllCompanies"));
        Command36->click();
        return;
    case Kind::EntityCount:  // procedure D
        Text23->setText(option->column);
        Combo16->show();
        return;
    case Kind::AllYearsIncome:
        Check2->hide();
        Command48->click();
        return;
    case Kind::EntityAllYears:  // procedure E
        Text23->setText(option->column);
        Check2->hide();
        Combo16->show();
        return;
    case Kind::AllYearsComparison:
        Text23->setText(option->column);
        Check2->hide();
        Command50->click();
        return;
    }
}

// Every time the chooser opens: the values of the selected column in the
// stored sales, those that differ only in case once (the filter does not tell
// them apart), in the order of their first sale.
void AnalysisTab::Combo16_DropDown()
{
    const analysis_options::Option* option = analysis_options::find(Combo7->currentText());
    if (option && option->kind == Kind::EntityIncome) Text23->setText(option->column);
    const QString column = Text23->text();
    // Only the sale columns of the options are listed ("system" selects none).
    if (!analysis_sql::isEntityColumn(column)) {
        ListRebuild empty(Combo16);
        return;
    }
    fillFromStoredSales(Combo16, analysis_sql::entityNames(column), false, context_);
}

// The analysis of the chosen entity.
void AnalysisTab::Combo16_Click()
{
    if (Combo16->currentText().isEmpty()) return;
    const analysis_options::Option* option = analysis_options::find(Combo7->currentText());
    const Kind kind = option ? option->kind : Kind::Separator;
    if (kind == Kind::TotalCount || kind == Kind::EntityCount) {
        Command36->click();
        return;
    }
    if (kind == Kind::AllYearsIncome || kind == Kind::EntityAllYears) {
        Command48->click();
        return;
    }
    // A pick made without opening the list (the keyboard on the closed list)
    // finds the field selector reset: the option names the column.
    if (option && option->kind == Kind::EntityIncome && !analysis_sql::isEntityColumn(Text23->text())) {
        Text23->setText(option->column);
    }
    Command31->click();
    Command28->click();
    rebuildMonthlyView();
    Text23->setText(kSystem);
    Text24->setText(kSystem);
}

void AnalysisTab::Combo29_Click()
{
    Command13->click();
}

}  // namespace mervalis
