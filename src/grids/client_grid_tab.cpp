#include "grids/client_grid_tab.h"

#include "data/app_context.h"
#include "grids/data_grid.h"
#include "data/dialogs.h"
#include "grids/grid_controls.h"
#include "grids/grid_count.h"
#include "grids/grid_export.h"
#include "data/help.h"
#include "grids/sales_grid_tab.h"
#include "ui/ui.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace mervalis {

ClientGridTab::ClientGridTab(AppContext& context, SalesGridTab& salesGrid, QWidget* parent)
    : QWidget(parent), context_(context), salesGrid_(salesGrid)
{
    using namespace grid_controls;
    DataGrid3 = new DataGrid(context_.adodc3, "DataGrid3", this);
    QLabel* companiesCaption = captionFor(DataGrid3, QStringLiteral("COMPANIES"), this);
    DataGrid1 = new DataGrid(context_.adodc1, "DataGrid1", this);
    QLabel* clientsCaption = captionFor(DataGrid1, QStringLiteral("CLIENTS"), this);
    CompaniesShown = new GridCountLine(context_.adodc3, GridSubject::companies(), "CompaniesShown", this);
    ClientsShown = new GridCountLine(context_.adodc1, GridSubject::clients(), "ClientsShown", this);

    Command19 = gridButton(allowUpdateCaption(), allowUpdateTip(), "Command19", this);
    Command20 = gridButton(allowDeleteCaption(), allowDeleteTip(), "Command20", this);
    Command21 = gridButton(resetCaption(), resetTip(), "Command21", this);
    Command18 = gridButton(refreshCaption(), refreshTip(), "Command18", this);
    Command22 = gridButton(viewAllCaption(), viewAllTip(), "Command22", this);
    Command17 = namedButton(new QPushButton(QStringLiteral("Help"), this), "Command17");
    ExportCompanies = gridButton(exportCaption(QStringLiteral("Companies")), exportTip(QStringLiteral("companies")),
                                 "ExportCompanies", this);
    ExportClients = gridButton(exportCaption(QStringLiteral("Clients")), exportTip(QStringLiteral("clients")),
                               "ExportClients", this);
    giveKey(Command18, refreshKey());

    Combo13 = new QComboBox(this);
    Combo13->setObjectName(QStringLiteral("Combo13"));
    Combo13->addItems(clientSortFields());
    Combo13->setCurrentText(QStringLiteral("ClientName"));
    Label35 = captionFor(Combo13, QStringLiteral("Sort clients by"), this);
    Label35->setObjectName(QStringLiteral("Label35"));

    Label38 = new QLabel(idZeroNotice(), this);
    Label38->setObjectName(QStringLiteral("Label38"));
    Label38->setWordWrap(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(companiesCaption);
    layout->addWidget(DataGrid3, 1);
    layout->addWidget(CompaniesShown);
    layout->addWidget(clientsCaption);
    layout->addWidget(DataGrid1, 2);
    layout->addWidget(ClientsShown);
    layout->addWidget(Label38);
    auto* switches = new QHBoxLayout;
    switches->addWidget(Command19);
    switches->addWidget(Command20);
    switches->addWidget(Command21);
    switches->addStretch();
    switches->addWidget(ExportCompanies);
    switches->addWidget(ExportClients);
    layout->addLayout(switches);
    auto* views = new QHBoxLayout;
    views->addWidget(Command18);
    views->addWidget(Command22);
    views->addSpacing(24);
    views->addWidget(Label35);
    views->addWidget(Combo13);
    views->addStretch();
    views->addWidget(Command17);
    layout->addLayout(views);

    connect(Command19, &QPushButton::clicked, this, &ClientGridTab::Command19_Click);
    connect(Command20, &QPushButton::clicked, this, &ClientGridTab::Command20_Click);
    connect(Command21, &QPushButton::clicked, this, &ClientGridTab::Command21_Click);
    connect(Command18, &QPushButton::clicked, this, &ClientGridTab::Command18_Click);
    connect(Command22, &QPushButton::clicked, this, &ClientGridTab::Command22_Click);
    connect(Combo13, &QComboBox::activated, this, &ClientGridTab::Combo13_Click);
    connect(DataGrid3, &DataGrid::messageRequested, this, &ClientGridTab::DataGrid3_DblClick);
    connect(DataGrid1, &DataGrid::messageRequested, this, &ClientGridTab::DataGrid1_DblClick);
    connect(ExportCompanies, &QPushButton::clicked, this, &ClientGridTab::ExportCompanies_Click);
    connect(ExportClients, &QPushButton::clicked, this, &ClientGridTab::ExportClients_Click);
    connect(Command17, &QPushButton::clicked, this, [this] { context_.help.open(QStringLiteral("clientgrid")); });
}

void ClientGridTab::Command19_Click() { salesGrid_.Command6->click(); }

void ClientGridTab::Command20_Click() { salesGrid_.Command8->click(); }

void ClientGridTab::Command21_Click() { salesGrid_.Command9->click(); }

void ClientGridTab::Command18_Click() { salesGrid_.Command3->click(); }

void ClientGridTab::Command22_Click() { salesGrid_.Command16->click(); }

void ClientGridTab::Combo13_Click()
{
    if (Combo13->currentText().isEmpty()) return;
    DataGrid1->sortBy(Combo13->currentText());
}

void ClientGridTab::DataGrid3_DblClick() { context_.dialogs.plain(DataGrid3->text()); }

void ClientGridTab::DataGrid1_DblClick() { context_.dialogs.plain(DataGrid1->text()); }

void ClientGridTab::ExportCompanies_Click()
{
    exportGrid(*DataGrid3, context_.dialogs, QStringLiteral("companies"));
}

void ClientGridTab::ExportClients_Click() { exportGrid(*DataGrid1, context_.dialogs, QStringLiteral("clients")); }

}  // namespace mervalis
