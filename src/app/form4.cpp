#include "app/form4.h"

#include "data/app_context.h"
#include "data/help.h"
#include "ui/ui.h"

#include <QCheckBox>
#include <QPushButton>
#include <QSettings>

#include <algorithm>

namespace mervalis {

namespace {

const QString kNoShowKey = QStringLiteral("Noshow/Help");

}  // namespace

QString Form4::captionText() { return QStringLiteral("How do I use this software?"); }

Form4::Form4(AppContext& context, QWidget* parent) : QWidget(parent, Qt::Window), context_(context)
{
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(captionText());
    QFont arial(QStringLiteral("Arial"));
    arial.setPointSize(font().pointSize());
    setFont(arial);

    Command1 = namedButton(new QPushButton(QStringLiteral("How do I use this software?"), this), "Command1");
    Command1->setGeometry(twips(720), twips(360), twips(3255), twips(1935));
    Check1 = namedButton(new QCheckBox(QStringLiteral("Don't show me this again."), this), "Check1");
    // Drawn for one font; wide enough for its caption in the font at hand.
    Check1->setGeometry(twips(1320), twips(2760), std::max(twips(2295), Check1->sizeHint().width()),
                        std::max(twips(255), Check1->sizeHint().height()));
    setFixedSize(twips(4680), twips(3195));

    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    // Every change of the tick counts: mouse, keyboard or the accessibility
    // interface's Toggle action, which does not signal a click.
    connect(Check1, &QCheckBox::toggled, this, [this] { Check1_Click(); });
}

void Form4::Command1_Click()
{
    context_.help.open(QStringLiteral("use"));
}

void Form4::Check1_Click()
{
    if (!Check1->isChecked()) return;
    context_.settings.setValue(kNoShowKey, QStringLiteral("1"));
    context_.settings.sync();
}

bool Form4::hiddenBySettings(const AppContext& context)
{
    return context.settings.value(kNoShowKey).toString() == QLatin1String("1");
}

}  // namespace mervalis
