#pragma once

#include <QWidget>

class QPushButton;

namespace mervalis {

struct AppContext;
class SalesGridTab;

// The "Client Grid" tab: the companies in DataGrid3 and the clients in DataGrid1.
class ClientGridTab : public QWidget {
    Q_OBJECT
public:
    // Its buttons press their twins on the Sales Grid tab.
    ClientGridTab(AppContext& context, SalesGridTab& salesGrid, QWidget* parent = nullptr);

    QPushButton* Command17;  // "Help"

private:
    AppContext& context_;
    SalesGridTab& salesGrid_;
};

}  // namespace mervalis
