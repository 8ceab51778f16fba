#include "store/sales_grid_tab.h"

#include "store/app_context.h"
#include "store/help.h"
#include "store/ui.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace mervalis {

SalesGridTab::SalesGridTab(AppContext& context, FootLine foot, QWidget* parent)
    : QWidget(parent), context_(context), foot_(foot)
{
    auto* layout = new QVBoxLayout(this);

    Command15 = namedButton(new QPushButton(QStringLiteral("Help"), this), "Command15");
    layout->addWidget(Command15);
    layout->addStretch();
    connect(Command15, &QPushButton::clicked, this, [this] { context_.help.open(QStringLiteral("salesgrid")); });
}

}  // namespace mervalis
