#pragma once

#include <QWidget>

class QComboBox;
class QLabel;
class QPushButton;

namespace mervalis {

struct AppContext;
class DataGrid;
class GridCountLine;
class SalesGridTab;

// The "Client Grid" tab: the companies in DataGrid3 and the clients in
// DataGrid1. Its buttons press their twins on the Sales Grid tab; only the
// clients' sort list is its own.
class ClientGridTab : public QWidget {
    Q_OBJECT
public:
    ClientGridTab(AppContext& context, SalesGridTab& salesGrid, QWidget* parent = nullptr);

    DataGrid* DataGrid3;     // "COMPANIES", bound to Adodc3
    DataGrid* DataGrid1;     // "CLIENTS", bound to Adodc1
    GridCountLine* CompaniesShown;  // beneath each grid: how many rows it holds, and which
    GridCountLine* ClientsShown;
    QPushButton* Command19;  // "Allow Update"
    QPushButton* Command20;  // "Allow Delete"
    QPushButton* Command21;  // "Reset to Not Allow (default)"
    QPushButton* Command18;  // "Refresh View"
    QPushButton* Command22;  // "View All Records /Refresh All Databases"
    QLabel* Label35;         // "Sort clients by"
    QComboBox* Combo13;      // the clients sort list
    QLabel* Label38;         // the ID 0 notice
    QPushButton* Command17;  // "Help"
    QPushButton* ExportCompanies;  // "Export Companies to CSV...": saves DataGrid3
    QPushButton* ExportClients;    // "Export Clients to CSV...": saves DataGrid1

    void Command19_Click();
    void Command20_Click();
    void Command21_Click();
    void Command18_Click();
    void Command22_Click();
    void Combo13_Click();
    void DataGrid3_DblClick();
    void DataGrid1_DblClick();
    void ExportCompanies_Click();
    void ExportClients_Click();

private:
    AppContext& context_;
    SalesGridTab& salesGrid_;
};

}  // namespace mervalis
