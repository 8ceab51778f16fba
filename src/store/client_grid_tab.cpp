#include "store/client_grid_tab.h"

#include "store/app_context.h"
#include "store/help.h"
#include "store/ui.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace mervalis {

ClientGridTab::ClientGridTab(AppContext& context, SalesGridTab& salesGrid, QWidget* parent)
    : QWidget(parent), context_(context), salesGrid_(salesGrid)
{
    auto* layout = new QVBoxLayout(this);

    Command17 = namedButton(new QPushButton(QStringLiteral("Help"), this), "Command17");
    layout->addWidget(Command17);
    layout->addStretch();
    connect(Command17, &QPushButton::clicked, this, [this] { context_.help.open(QStringLiteral("clientgrid")); });
}

}  // namespace mervalis
