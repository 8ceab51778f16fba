#include "analysis/analysis_tab.h"

#include "store/app_context.h"
#include "store/help.h"
#include "store/ui.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace mervalis {

AnalysisTab::AnalysisTab(AppContext& context, QWidget* parent) : QWidget(parent), context_(context)
{
    auto* layout = new QVBoxLayout(this);
    Combo8 = named(new QComboBox(this), "Combo8", QStringLiteral("Year"));
    Combo8->setEditable(true);
    layout->addWidget(captionFor(Combo8, QStringLiteral("Year"), this));
    layout->addWidget(Combo8);
    Command10 = namedButton(new QPushButton(QStringLiteral("Help"), this), "Command10");
    layout->addWidget(Command10);
    layout->addStretch();
    connect(Command10, &QPushButton::clicked, this, [this] { context_.help.open(QStringLiteral("analyse")); });
}

}  // namespace mervalis
