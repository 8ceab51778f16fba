#pragma once

#include "store/foot_line.h"

#include <QWidget>

class QPushButton;

namespace mervalis {

struct AppContext;

// The "Sales Grid" tab: the sales table in DataGrid2.
class SalesGridTab : public QWidget {
    Q_OBJECT
public:
    SalesGridTab(AppContext& context, FootLine foot, QWidget* parent = nullptr);

    QPushButton* Command15;  // "Help"

private:
    AppContext& context_;
    FootLine foot_;
};

}  // namespace mervalis
