#pragma once

#include <QWidget>

class QLineEdit;
class QPushButton;

namespace mervalis {

struct AppContext;

// The "Sales" tab: entry of one sale line.
class SalesTab : public QWidget {
    Q_OBJECT
public:
    explicit SalesTab(AppContext& context, QWidget* parent = nullptr);

    QLineEdit* Text33;       // "Sell Date"
    QPushButton* Command41;  // "Help"

private:
    AppContext& context_;
};

}  // namespace mervalis
