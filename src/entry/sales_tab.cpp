#include "entry/sales_tab.h"

#include "store/app_context.h"
#include "store/help.h"
#include "store/ui.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace mervalis {

SalesTab::SalesTab(AppContext& context, QWidget* parent) : QWidget(parent), context_(context)
{
    auto* layout = new QVBoxLayout(this);
    Text33 = named(new QLineEdit(this), "Text33", QStringLiteral("Sell Date"));
    layout->addWidget(captionFor(Text33, QStringLiteral("Sell Date"), this));
    layout->addWidget(Text33);
    Command41 = namedButton(new QPushButton(QStringLiteral("Help"), this), "Command41");
    layout->addWidget(Command41);
    layout->addStretch();
    connect(Command41, &QPushButton::clicked, this, [this] { context_.help.open(QStringLiteral("sales")); });
}

}  // namespace mervalis
