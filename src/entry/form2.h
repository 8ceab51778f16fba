#pragma once

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QString>
#include <QWidget>

class QCalendarWidget;
class QKeyEvent;
class QLineEdit;

namespace mervalis {

struct AppContext;

// The two fields a picked date can go to.
struct DateFields {
    QPointer<QLineEdit> sellDate;     // Sales tab, Text33 (target "1")
    QPointer<QLineEdit> invoiceDate;  // Invoice tab, Text27 (target "2")
};

// The calendar window "Date". Which field a picked day goes to is read from
// the per-user setting "Calendar"/"date" at the moment of the pick, so the
// last field clicked decides. Escape closes it without a pick. The window
// deletes itself when closed.
class Form2 : public QWidget {
    Q_OBJECT
public:
    Form2(AppContext& context, DateFields fields, QWidget* parent = nullptr);

    QCalendarWidget* Calendar1;

    // The calendar starts at today.
    void Form_Load();
    // A day was picked: it goes, as a short date, into the target field, and
    // the window closes (also when the target is unknown).
    void Calendar1_Click();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    AppContext& context_;
    DateFields fields_;
    bool picked_ = false;
};

// The date fields and the one date window of the program: a click into
// "Sell Date" or "Invoice date" stores that field's target and opens the
// window; a window already open is brought forward with its date as it was.
class DatePicker : public QObject {
    Q_OBJECT
public:
    // Watches clicks into both fields; `window` (the main window) owns the
    // picker and the date window.
    DatePicker(AppContext& context, DateFields fields, QWidget* window);

    // Click into the Sales tab's "Sell Date": target "1".
    void Text33_Click();
    // Click into the Invoice tab's "Invoice date": target "2".
    void Text27_Click();

    static QString sellDateTarget() { return QStringLiteral("1"); }
    static QString invoiceDateTarget() { return QStringLiteral("2"); }
    // The setting that carries the target from the click to the pick.
    static QString targetKey() { return QStringLiteral("Calendar/date"); }

    // Stores `target` under "Calendar"/"date", then shows the date window
    // beside `box`, the field clicked.
    void open(const QString& target, QWidget* box = nullptr);
    // Where a window of `size` (frame included) goes beside `box` (both in
    // screen coordinates): below it where `screen` allows, else above it,
    // else on the side with more room, always on the screen.
    static QPoint placeBeside(const QRect& box, const QSize& size, const QRect& screen);
    // The window while it is open, else null.
    Form2* form() const { return form_; }

private:
    AppContext& context_;
    DateFields fields_;
    QWidget* window_;
    QPointer<Form2> form_;
};

}  // namespace mervalis
