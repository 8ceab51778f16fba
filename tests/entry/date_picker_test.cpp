#include "entry/form2.h"
#include "data/dates.h"
#include "support/test_env.h"
#include "support/widgets.h"

#include <QCalendarWidget>
#include <QCoreApplication>
#include <QEvent>
#include <QScreen>

using namespace mervalis;
using namespace mervalis::test;

namespace {

void pick(Form2* form, const QDate& day)
{
    form->Calendar1->setSelectedDate(day);
    emit form->Calendar1->clicked(day);
}

// A box's place on the screen.
QRect placeOf(const QWidget* box) { return QRect(box->mapToGlobal(QPoint(0, 0)), box->size()); }

// Lets a closed date window finish closing.
void settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

// The two date boxes in a window standing for the main window, and their picker.
struct Fields {
    explicit Fields(TestLedger& l) : picker(new DatePicker(*l.context, DateFields{sellDate, invoiceDate}, &window)) {}
    QWidget window;
    QLineEdit* sellDate = new QLineEdit(QStringLiteral("sell"), &window);
    QLineEdit* invoiceDate = new QLineEdit(QStringLiteral("invoice"), &window);
    DatePicker* picker;
};

}  // namespace

TEST(DatePicker, TheLastClickedFieldGetsThePickedDayAndTheWindowOpensBesideIt)
{
    TestLedger l;
    Fields f(l);
    DatePicker* picker = f.picker;
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    f.window.setGeometry(QRect(screen.topLeft() + QPoint(40, 40), QSize(300, 120)));
    f.sellDate->move(160, 80);
    f.window.show();

    // Below the box where there is room, else above it; on the screen.
    click(f.invoiceDate);
    Form2* form = picker->form();
    ASSERT_TRUE(form && form->isVisible());
    EXPECT_EQ(form->frameGeometry().top(), placeOf(f.invoiceDate).bottom() + 1);
    EXPECT_EQ(form->Calendar1->selectedDate(), QDate::currentDate());
    EXPECT_EQ(l.settings->value("Calendar/date").toString(), "2");

    // With the window still open, a click into "Sell Date" brings the same
    // window forward, its date as the user left it, and retargets it.
    const QDate shown = QDate::currentDate().addMonths(-1);
    form->Calendar1->setSelectedDate(shown);
    f.window.move(screen.bottomRight() - QPoint(250, 110));
    click(f.sellDate);
    EXPECT_EQ(picker->form(), form);
    EXPECT_EQ(form->frameGeometry().bottom(), placeOf(f.sellDate).top() - 1);
    EXPECT_TRUE(screen.contains(form->frameGeometry()));
    EXPECT_EQ(form->Calendar1->selectedDate(), shown);
    EXPECT_EQ(l.settings->value("Calendar/date").toString(), "1");

    const QDate third(shown.year(), shown.month(), 3);
    pick(form, third);
    EXPECT_EQ(f.sellDate->text(), shortDateText(third));
    EXPECT_EQ(readShortDate(f.sellDate->text()), third);
    EXPECT_EQ(f.invoiceDate->text(), "invoice");
    EXPECT_FALSE(form->isVisible());
    settle();
    EXPECT_EQ(picker->form(), nullptr);

    // The target stays stored for the next start.
    l.settings->sync();
    EXPECT_EQ(QSettings("Mervalis", "Mervalis").value("Calendar/date").toString(), "1");

    // The invoice date the other way round; a new window starts at today.
    click(f.invoiceDate);
    ASSERT_NE(picker->form(), nullptr);
    EXPECT_EQ(picker->form()->Calendar1->selectedDate(), QDate::currentDate());
    pick(picker->form(), QDate(2026, 12, 31));
    EXPECT_EQ(textsOf({f.sellDate, f.invoiceDate}),
              QStringList({shortDateText(third), shortDateText(QDate(2026, 12, 31))}));
    settle();
}

TEST(DatePicker, ClosingTheWindowOrEscapeOrAnUnknownTargetWritesNothing)
{
    TestLedger l;
    Fields f(l);
    DatePicker* picker = f.picker;

    picker->Text33_Click();
    Form2* form = picker->form();
    ASSERT_NE(form, nullptr);
    form->close();  // by the window frame
    settle();
    EXPECT_EQ(picker->form(), nullptr);
    picker->Text27_Click();
    form = picker->form();
    QTest::keyClick(form->Calendar1, Qt::Key_Escape);
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(textsOf({f.sellDate, f.invoiceDate}), QStringList({"sell", "invoice"}));

    // A double click reports the pick twice; the second one is not a new pick.
    picker->Text33_Click();
    form = picker->form();
    pick(form, QDate(2026, 2, 6));
    l.settings->setValue("Calendar/date", "2");
    emit form->Calendar1->activated(QDate(2026, 2, 6));
    EXPECT_EQ(textsOf({f.sellDate, f.invoiceDate}), QStringList({shortDateText(QDate(2026, 2, 6)), "invoice"}));
    settle();
}
