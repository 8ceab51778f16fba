#include "entry/form2.h"

#include "ui/click_watcher.h"
#include "data/app_context.h"
#include "data/dates.h"
#include "ui/ui.h"

#include <QCalendarWidget>
#include <QLineEdit>
#include <QScreen>
#include <QSettings>
#include <QKeyEvent>
#include <QVBoxLayout>

namespace mervalis {

Form2::Form2(AppContext& context, DateFields fields, QWidget* parent)
    : QWidget(parent, Qt::Window), context_(context), fields_(std::move(fields))
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Date"));
    setAttribute(Qt::WA_DeleteOnClose);
    QFont arial(QStringLiteral("Arial"));
    arial.setPointSize(font().pointSize());
    setFont(arial);

    Calendar1 = named(new QCalendarWidget(this), "Calendar1", QStringLiteral("Calendar"));
    // The calendar as it was drawn: 240 twips from the left, 360 from the top,
    // 4215 x 3375 in a client area of 4770 x 3990.
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(twips(240), twips(360), twips(4770 - 240 - 4215), twips(3990 - 360 - 3375));
    layout->addWidget(Calendar1);
    resize(twips(4770), twips(3990));

    // A click on a day, or Enter on the selected day, is the pick.
    connect(Calendar1, &QCalendarWidget::clicked, this, [this] { Calendar1_Click(); });
    connect(Calendar1, &QCalendarWidget::activated, this, [this] { Calendar1_Click(); });
    Form_Load();
}

void Form2::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void Form2::Form_Load()
{
    Calendar1->setSelectedDate(QDate::currentDate());
}

void Form2::Calendar1_Click()
{
    // A double click reports a pick twice; only the first one counts.
    if (picked_) return;
    picked_ = true;
    const QString text = shortDateText(Calendar1->selectedDate());
    const int target = context_.settings.value(DatePicker::targetKey()).toString().trimmed().toInt();
    if (target == DatePicker::invoiceDateTarget().toInt()) {
        if (fields_.invoiceDate) fields_.invoiceDate->setText(text);
    } else if (target == DatePicker::sellDateTarget().toInt()) {
        if (fields_.sellDate) fields_.sellDate->setText(text);
    }
    close();
}

DatePicker::DatePicker(AppContext& context, DateFields fields, QWidget* window)
    : QObject(window), context_(context), fields_(std::move(fields)), window_(window)
{
    if (fields_.sellDate) {
        connect(ClickWatcher::watch(fields_.sellDate), &ClickWatcher::clicked, this, &DatePicker::Text33_Click);
    }
    if (fields_.invoiceDate) {
        connect(ClickWatcher::watch(fields_.invoiceDate), &ClickWatcher::clicked, this, &DatePicker::Text27_Click);
    }
}

void DatePicker::Text33_Click() { open(sellDateTarget(), fields_.sellDate); }

void DatePicker::Text27_Click() { open(invoiceDateTarget(), fields_.invoiceDate); }

QPoint DatePicker::placeBeside(const QRect& box, const QSize& size, const QRect& screen)
{
    const int roomBelow = screen.bottom() - box.bottom();
    const int roomAbove = box.top() - screen.top();
    int y = box.bottom() + 1;
    if (size.height() > roomBelow && (size.height() <= roomAbove || roomAbove > roomBelow)) {
        y = box.top() - size.height();
    }
    return keptInside(QRect(QPoint(box.left(), y), size), screen).topLeft();
}

void DatePicker::open(const QString& target, QWidget* box)
{
    context_.settings.setValue(targetKey(), target);
    // A window that has just closed is on its way out: load a new one.
    if (!form_ || !form_->isVisible()) form_ = new Form2(context_, fields_, window_);
    if (box && box->screen()) {
        // The date window's frame is not known before it is shown: the main
        // window's stands in for it.
        const QSize frame = window_->window()->frameGeometry().size() - window_->window()->size();
        const QRect place(box->mapToGlobal(QPoint(0, 0)), box->size());
        form_->move(placeBeside(place, form_->size() + frame, box->screen()->availableGeometry()));
    }
    form_->show();
    form_->raise();
    form_->activateWindow();
}

}  // namespace mervalis
