#pragma once

#include "ui/foot_line.h"

#include <QWidget>

class QComboBox;
class QLabel;
class QPushButton;

namespace mervalis {

struct AppContext;
class DataGrid;
class GridCountLine;

// The "Sales Grid" tab: the sales table in DataGrid2, the switches that allow
// updating and deleting in all three grids, Refresh View and View All
// Records, and sorting the sales.
class SalesGridTab : public QWidget {
    Q_OBJECT
public:
    SalesGridTab(AppContext& context, FootLine foot, QWidget* parent = nullptr);

    DataGrid* DataGrid2;     // "SALES", bound to Adodc2
    GridCountLine* SalesShown;  // beneath the grid: how many sales it holds, and which
    QPushButton* Command6;   // "Allow Update"
    QPushButton* Command8;   // "Allow Delete"
    QPushButton* Command9;   // "Reset to Not Allow (default)"
    QPushButton* Command3;   // "Refresh View"
    QPushButton* Command16;  // "View All Records /Refresh All Databases"
    QLabel* Label34;         // "Sort sales by"
    QComboBox* Combo12;      // the sales sort list
    QLabel* Label43;         // the ID 0 notice
    QPushButton* Command15;  // "Help"
    QPushButton* ExportSales;  // "Export Sales to CSV...": saves the grid as a CSV file

    void Command6_Click();
    void Command8_Click();
    void Command9_Click();
    void Command3_Click();
    void Command16_Click();
    void Combo12_Click();
    void DataGrid2_DblClick();
    void ExportSales_Click();

private:
    AppContext& context_;
    FootLine foot_;
};

}  // namespace mervalis
