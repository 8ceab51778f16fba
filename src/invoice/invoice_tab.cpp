#include "invoice/invoice_tab.h"

#include "data/app_context.h"
#include "data/help.h"
#include "ui/ui.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace mervalis {

InvoiceTab::InvoiceTab(AppContext& context, QWidget* parent) : QWidget(parent), context_(context)
{
    auto* layout = new QVBoxLayout(this);
    Text27 = named(new QLineEdit(this), "Text27", QStringLiteral("Invoice date"));
    layout->addWidget(captionFor(Text27, QStringLiteral("Invoice date"), this));
    layout->addWidget(Text27);
    Command7 = namedButton(new QPushButton(QStringLiteral("Modify Invoice"), this), "Command7");
    layout->addWidget(Command7);
    connect(Command7, &QPushButton::clicked, this, [this] { context_.help.open(QStringLiteral("modifyinvoice")); });
    Command42 = namedButton(new QPushButton(QStringLiteral("Help"), this), "Command42");
    layout->addWidget(Command42);
    layout->addStretch();
    connect(Command42, &QPushButton::clicked, this, [this] { context_.help.open(QStringLiteral("invoice")); });
}

}  // namespace mervalis
