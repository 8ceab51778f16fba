#pragma once

#include <QString>
#include <QStringList>

namespace mervalis::analysis_options {

// What the selector does with a chosen option of Combo7.
enum class Kind {
    Separator,       // an empty item: nothing
    TotalIncome,     // procedure A: Command27, then Command28
    EntityIncome,    // procedure B: the chooser, then Command31 and Command28
    YearComparison,  // Command38
    EntityComparison,  // procedure C: Command32, then Command35
    Conversion,      // Command11
    ClosingRatios,   // Command45
    AgeProfile,      // procedure F: the age range pair, then Command13
    Profile,         // Command26, Command43, Command44, Command46 or Command47
    TotalCount,      // Command36 over all sales
    EntityCount,     // procedure D: the chooser, then Command36
    AllYearsIncome,  // Command48
    EntityAllYears,  // procedure E: the chooser, then Command48
    AllYearsComparison,  // Command50
};

struct Option {
    QString text;
    Kind kind;
    QString column;    // the sale column the option works on; empty when none
    QString question;  // the confirmation asked by the selector; empty when none
    QString prompt;    // the caption of Label48 for the chooser (procedure B)
};

// The 42 items of Combo7, in list order.
const QList<Option>& all();
QStringList texts();
// The option whose text is exactly `text` (case-sensitive); nullptr for the
// separators and for any other text.
const Option* find(const QString& text);

// The closing-ratio question.
QString closingRatioQuestion();

}  // namespace mervalis::analysis_options
