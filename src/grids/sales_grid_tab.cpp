#include "grids/sales_grid_tab.h"

#include "data/app_context.h"
#include "data/client_table.h"
#include "data/company_table.h"
#include "data/data_control.h"
#include "grids/data_grid.h"
#include "data/dialogs.h"
#include "grids/grid_controls.h"
#include "grids/grid_count.h"
#include "grids/grid_export.h"
#include "data/help.h"
#include "data/record_set_model.h"
#include "data/sales_table.h"
#include "ui/ui.h"
#include "ui/wait_cursor.h"

#include <QApplication>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace mervalis {

namespace {

const QString kParagraph = QStringLiteral("\r\n\r\n");

QString refreshWarning()
{
    return QStringLiteral("If any item has an ID of 0 (usually the last record added), you must Refresh View "
                          "before you make any changes.");
}

void yield() { QCoreApplication::processEvents(); }

}  // namespace

SalesGridTab::SalesGridTab(AppContext& context, FootLine foot, QWidget* parent)
    : QWidget(parent), context_(context), foot_(foot)
{
    using namespace grid_controls;
    DataGrid2 = new DataGrid(context_.adodc2, "DataGrid2", this);
    QLabel* caption = captionFor(DataGrid2, QStringLiteral("SALES"), this);
    SalesShown = new GridCountLine(context_.adodc2, GridSubject::sales(), "SalesShown", this);

    Command6 = gridButton(allowUpdateCaption(), allowUpdateTip(), "Command6", this);
    Command8 = gridButton(allowDeleteCaption(), allowDeleteTip(), "Command8", this);
    Command9 = gridButton(resetCaption(), resetTip(), "Command9", this);
    Command3 = gridButton(refreshCaption(), refreshTip(), "Command3", this);
    Command16 = gridButton(viewAllCaption(), viewAllTip(), "Command16", this);
    Command15 = namedButton(new QPushButton(QStringLiteral("Help"), this), "Command15");
    ExportSales = gridButton(exportCaption(QStringLiteral("Sales")), exportTip(QStringLiteral("sales")), "ExportSales", this);
    giveKey(Command3, refreshKey());

    Combo12 = new QComboBox(this);
    Combo12->setObjectName(QStringLiteral("Combo12"));
    Combo12->addItems(salesSortFields());
    Combo12->setCurrentText(QStringLiteral("ClientName"));
    Label34 = captionFor(Combo12, QStringLiteral("Sort sales by"), this);
    Label34->setObjectName(QStringLiteral("Label34"));

    Label43 = new QLabel(idZeroNotice(), this);
    Label43->setObjectName(QStringLiteral("Label43"));
    Label43->setWordWrap(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(caption);
    layout->addWidget(DataGrid2, 1);
    layout->addWidget(SalesShown);
    layout->addWidget(Label43);
    auto* switches = new QHBoxLayout;
    switches->addWidget(Command6);
    switches->addWidget(Command8);
    switches->addWidget(Command9);
    switches->addStretch();
    switches->addWidget(ExportSales);
    layout->addLayout(switches);
    auto* views = new QHBoxLayout;
    views->addWidget(Command3);
    views->addWidget(Command16);
    views->addSpacing(24);
    views->addWidget(Label34);
    views->addWidget(Combo12);
    views->addStretch();
    views->addWidget(Command15);
    layout->addLayout(views);

    connect(Command6, &QPushButton::clicked, this, &SalesGridTab::Command6_Click);
    connect(Command8, &QPushButton::clicked, this, &SalesGridTab::Command8_Click);
    connect(Command9, &QPushButton::clicked, this, &SalesGridTab::Command9_Click);
    connect(Command3, &QPushButton::clicked, this, &SalesGridTab::Command3_Click);
    connect(Command16, &QPushButton::clicked, this, &SalesGridTab::Command16_Click);
    connect(Combo12, &QComboBox::activated, this, &SalesGridTab::Combo12_Click);
    connect(DataGrid2, &DataGrid::messageRequested, this, &SalesGridTab::DataGrid2_DblClick);
    connect(ExportSales, &QPushButton::clicked, this, &SalesGridTab::ExportSales_Click);
    connect(Command15, &QPushButton::clicked, this, [this] { context_.help.open(QStringLiteral("salesgrid")); });
}

// The switches belong to the grids of the three data controls: DataGrid1
// (Adodc1), DataGrid2 (Adodc2) and DataGrid3 (Adodc3), whichever tab shows them.

void SalesGridTab::Command6_Click()
{
    const QString question =
        QStringLiteral("This will allow you to update / change a record directly from the grid? After you make a "
                       "change, click on the arrow to the left of the item you change (on the grey area) to apply "
                       "that change. Then click on Refresh View and check to see the change has been applied.") +
        kParagraph + refreshWarning() + kParagraph + QStringLiteral("Do you want to update / change a record?");
    if (!context_.dialogs.askYesNo(question)) return;
    context_.adodc1.model()->setEditable(true);
    context_.adodc2.model()->setEditable(true);
    context_.adodc3.model()->setEditable(true);
    context_.dialogs.inform(QStringLiteral("Update set to allow. You don't have to press this button again. "
                                           "Remember to reset to default once you have finished."));
}

void SalesGridTab::Command8_Click()
{
    const QString question =
        QStringLiteral("This will allow you to delete whole records directly from the grid? Highlight a record by "
                       "clicking on the arrow next to the record (on the grey area) and press delete on your "
                       "keyboard.") +
        kParagraph + refreshWarning() + kParagraph + QStringLiteral("Do you want to delete records?");
    if (!context_.dialogs.askYesNo(question)) return;
    context_.adodc1.model()->setDeletable(true);
    context_.adodc2.model()->setDeletable(true);
    context_.adodc3.model()->setDeletable(true);
    context_.dialogs.inform(QStringLiteral("Delete set to allow. You don't have to press this button again. "
                                           "Please remember to reset to default once you have finished."));
}

void SalesGridTab::Command9_Click()
{
    RecordSetModel* grid1 = context_.adodc1.model();
    RecordSetModel* grid2 = context_.adodc2.model();
    RecordSetModel* grid3 = context_.adodc3.model();
    const bool unapplied = grid1->hasEdits() || grid2->hasEdits() || grid3->hasEdits();
    grid1->setDeletable(false);
    grid1->setEditable(false);
    grid2->setDeletable(false);
    grid2->setEditable(false);
    grid3->setEditable(false);
    grid3->setDeletable(false);
    if (unapplied) {
        context_.dialogs.inform(QStringLiteral("Changes that had not been applied with the arrow to the left of "
                                               "their item were discarded."));
    }
    context_.dialogs.inform(QStringLiteral("Defaults reset to not allow."));
}

void SalesGridTab::Command3_Click()
{
    bool refreshed = true;
    {
        yield();
        WaitCursor hourglass;
        yield();
        refreshed = context_.adodc1.Refresh() && refreshed;
        yield();
        refreshed = context_.adodc2.Refresh() && refreshed;
        yield();
        refreshed = context_.adodc3.Refresh() && refreshed;
        yield();
    }
    // A data control that could not refresh has shown the database's reason.
    if (refreshed) context_.dialogs.inform(QStringLiteral("View refreshed!"));
}

void SalesGridTab::Command16_Click()
{
    const auto progress = [this](const QString& caption) {
        if (foot_.Label37) foot_.Label37->setText(caption);
    };
    yield();
    if (foot_.Label4) foot_.Label4->hide();
    progress(QStringLiteral("10% completed...please wait"));
    if (foot_.Label37) foot_.Label37->show();
    yield();
    bool done = context_.adodc1.query(client_table::selectAll());
    progress(QStringLiteral("30% completed...please wait"));
    yield();
    done = context_.adodc2.query(sales_table::selectAll()) && done;
    progress(QStringLiteral("50% completed...please wait"));
    yield();
    done = context_.adodc3.query(company_table::selectAll()) && done;
    progress(QStringLiteral("70% completed...please wait"));
    yield();
    if (foot_.Label37) foot_.Label37->hide();
    if (foot_.Label4) foot_.Label4->show();
    if (done) context_.dialogs.inform(QStringLiteral("Done."));
}

void SalesGridTab::Combo12_Click()
{
    if (Combo12->currentText().isEmpty()) return;
    DataGrid2->sortBy(Combo12->currentText());
}

void SalesGridTab::DataGrid2_DblClick()
{
    context_.dialogs.plain(DataGrid2->text());
}

void SalesGridTab::ExportSales_Click() { exportGrid(*DataGrid2, context_.dialogs, QStringLiteral("sales")); }

}  // namespace mervalis
