#include "entry/company_tab.h"

#include "store/app_context.h"
#include "store/help.h"
#include "store/ui.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace mervalis {

CompanyTab::CompanyTab(AppContext& context, QWidget* parent) : QWidget(parent), context_(context)
{
    auto* layout = new QVBoxLayout(this);
    Command12 = namedButton(new QPushButton(QStringLiteral("Add company to database"), this), "Command12");
    Command12->setEnabled(false);
    Command23 = namedButton(new QPushButton(QStringLiteral("Clear Screen"), this), "Command23");
    layout->addWidget(Command12);
    layout->addWidget(Command23);
    Command39 = namedButton(new QPushButton(QStringLiteral("Help"), this), "Command39");
    layout->addWidget(Command39);
    layout->addStretch();
    connect(Command39, &QPushButton::clicked, this, [this] { context_.help.open(QStringLiteral("company")); });
}

}  // namespace mervalis
