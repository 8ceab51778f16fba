#include "analysis/analysis_tab.h"

#include "data/app_context.h"
#include "data/help.h"
#include "ui/ui.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QGridLayout>

namespace mervalis {

AnalysisTab::AnalysisTab(AppContext& context, QWidget* parent) : QWidget(parent), context_(context)
{
    auto* layout = new QGridLayout(this);
    Combo8 = named(makeEditable(new QComboBox(this)), "Combo8", QStringLiteral("Year"));
    layout->addWidget(captionFor(Combo8, QStringLiteral("Year"), this), 0, 0);
    layout->addWidget(Combo8, 0, 1);
    Command10 = namedButton(new QPushButton(QStringLiteral("Help"), this), "Command10");
    layout->setRowStretch(1, 1);
    layout->setColumnStretch(2, 1);
    layout->addWidget(Command10, 2, 3);
    connect(Command10, &QPushButton::clicked, this, [this] { context_.help.open(QStringLiteral("analyse")); });
}

}  // namespace mervalis
