#include "entry/client_tab.h"

#include "store/app_context.h"
#include "store/help.h"
#include "store/ui.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace mervalis {

ClientTab::ClientTab(AppContext& context, QWidget* parent) : QWidget(parent), context_(context)
{
    auto* layout = new QVBoxLayout(this);
    Command2 = namedButton(new QPushButton(QStringLiteral("Add client to database"), this), "Command2");
    Command2->setEnabled(false);
    Command24 = namedButton(new QPushButton(QStringLiteral("Clear Screen"), this), "Command24");
    layout->addWidget(Command2);
    layout->addWidget(Command24);
    Command40 = namedButton(new QPushButton(QStringLiteral("Help"), this), "Command40");
    layout->addWidget(Command40);
    layout->addStretch();
    connect(Command40, &QPushButton::clicked, this, [this] { context_.help.open(QStringLiteral("client")); });
}

}  // namespace mervalis
