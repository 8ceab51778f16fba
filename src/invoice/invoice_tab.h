#pragma once

#include <QWidget>

class QLineEdit;
class QPushButton;

namespace mervalis {

struct AppContext;

// The "Invoice" tab: the sales of one reference ID as an invoice.
class InvoiceTab : public QWidget {
    Q_OBJECT
public:
    explicit InvoiceTab(AppContext& context, QWidget* parent = nullptr);

    QLineEdit* Text27;       // "Invoice date"
    QPushButton* Command42;  // "Help"
    QPushButton* Command7;   // "Modify Invoice"

private:
    AppContext& context_;
};

}  // namespace mervalis
