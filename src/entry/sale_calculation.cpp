#include "entry/sale_calculation.h"

#include "data/dates.h"
#include "data/dialogs.h"
#include "data/money.h"
#include "data/sales_table.h"

namespace mervalis {

namespace {

using Icon = DialogService::Icon;

enum class CheckKind {
    Refuse,       // the box, then stop
    SetZeroStop,  // the control becomes "0", the box, then stop
    ConfirmNone,  // Yes/No: No stops, Yes sets the control to "None" and goes on
    SilentZero,   // the control becomes "0" without a box, then stop
};

struct SaleCheck {
    QString SaleEntry::*field;
    CheckKind kind;
    const char* failsOn;  // the text that fails the check ("" = empty)
    Icon icon;
    const char* message;
};

const QString kNone = QStringLiteral("None");

const char kReferenceIdMessage[] =
    "You must choose a reference ID for invoice purposes. All sales that are to appear on the same invoice should "
    "have the same reference ID. It is wise to stick to the same format.";

// The checks of "Calculate Total and Add to Database", in the order they run.
const SaleCheck kSaleChecks[] = {
    {&SaleEntry::unitPrice, CheckKind::Refuse, "", Icon::Information, "You must enter an amount."},
    {&SaleEntry::quantity, CheckKind::Refuse, "", Icon::Information, "You must enter a quantity."},
    {&SaleEntry::client, CheckKind::Refuse, "", Icon::Information, "You must choose a client."},
    {&SaleEntry::referenceId, CheckKind::Refuse, "", Icon::Information, kReferenceIdMessage},
    {&SaleEntry::company, CheckKind::Refuse, "", Icon::Information,
     "You must associate this sale with a company."},
    {&SaleEntry::sellDate, CheckKind::Refuse, "", Icon::None,
     "The sell date was set to nothing. You should really enter a sell date as this is used for analysis "
     "purposes. This command will terminate to give you a chance to change this."},
    {&SaleEntry::sellDate, CheckKind::Refuse, "0", Icon::None,
     "The sell date was set to 0. You should really enter a sell date as this is used for analysis purposes. "
     "This command will terminate to give you a chance to change this."},
    {&SaleEntry::discount, CheckKind::SetZeroStop, "", Icon::None,
     "The discount field was empty. It has been set to 0. This command will terminate to give you a chance to "
     "change this if necessary."},
    {&SaleEntry::tax, CheckKind::SetZeroStop, "", Icon::None,
     "The tax field was empty. It has been set to 0. This command will terminate to give you a chance to change "
     "this if necessary."},
    {&SaleEntry::freight, CheckKind::SetZeroStop, "", Icon::None,
     "The freight field was empty. It has been set to 0. This command will terminate to give you a chance to "
     "change this if necessary."},
    {&SaleEntry::product, CheckKind::ConfirmNone, "", Icon::None,
     "The Product/Service was set to 'None'. This means that you are limiting the analysis possibilities of your "
     "products / services. Do you want to continue?"},
    {&SaleEntry::salesRep, CheckKind::ConfirmNone, "", Icon::None,
     "The Sales Rep was set to 'None'. This means that if you analyse sales rep performance, one of the sales "
     "reps will be 'None'. Do you want to continue?"},
    {&SaleEntry::marketingTool, CheckKind::ConfirmNone, "", Icon::None,
     "The Marketing Tool was set to 'None'. This means that if you analyse marketing tools, one of the tools "
     "will be 'None'. Do you want to continue?"},
    {&SaleEntry::subTotal, CheckKind::SilentZero, "", Icon::None, ""},
};

bool fails(const SaleCheck& check, const QString& text)
{
    // Exact, case-sensitive comparisons: "none" is a product like any other.
    if (check.kind == CheckKind::ConfirmNone) return text.isEmpty() || text == kNone;
    return text == QLatin1String(check.failsOn);
}

// One money figure of the entry, with the caption of its control.
struct AmountField {
    QString SaleEntry::*text;
    double SaleAmounts::*number;
    const char* caption;
};

const AmountField kAmountFields[] = {
    {&SaleEntry::unitPrice, &SaleAmounts::unitPrice, "Unit Price"},
    {&SaleEntry::quantity, &SaleAmounts::quantity, "Unit Quantity"},
    {&SaleEntry::discount, &SaleAmounts::discount, "Discount"},
    {&SaleEntry::tax, &SaleAmounts::tax, "Tax %"},
    {&SaleEntry::freight, &SaleAmounts::freight, "Freight"},
};

}  // namespace

bool runSaleChecks(SaleEntry& entry, DialogService& dialogs)
{
    for (const SaleCheck& check : kSaleChecks) {
        QString& text = entry.*check.field;
        if (!fails(check, text)) continue;
        const QString message = QString::fromUtf8(check.message);
        switch (check.kind) {
        case CheckKind::Refuse:
            dialogs.show(message, check.icon, DialogService::Buttons::Ok);
            return false;
        case CheckKind::SetZeroStop:
            text = QStringLiteral("0");
            dialogs.show(message, check.icon, DialogService::Buttons::Ok);
            return false;
        case CheckKind::ConfirmNone:
            if (!dialogs.askYesNo(message, check.icon)) return false;
            text = kNone;
            break;
        case CheckKind::SilentZero:
            text = QStringLiteral("0");
            return false;
        }
    }
    return true;
}

bool readSaleInput(const SaleEntry& entry, SaleAmounts* amounts, QDate* sellDate, DialogService& dialogs)
{
    for (const AmountField& field : kAmountFields) {
        const QString& text = entry.*field.text;
        if (!readNumber(text, &(amounts->*field.number))) {
            dialogs.inform(QStringLiteral("The %1 field holds \"%2\", which is not a number. Please type %3 "
                                          "and try again. Nothing has been added to the database.")
                               .arg(QString::fromUtf8(field.caption), text, numberAdvice()));
            return false;
        }
    }
    const QDate date = readShortDate(entry.sellDate);
    if (!date.isValid()) {
        dialogs.inform(QStringLiteral("The Sell Date field holds \"%1\", which is not a date. Please pick the date "
                                      "from the calendar by clicking into the field, or type it the way today is "
                                      "written: %2. Nothing has been added to the database.")
                           .arg(entry.sellDate, shortDateText(QDate::currentDate())));
        return false;
    }
    *sellDate = date;
    return true;
}

bool calculateSale(const SaleAmounts& amounts, SaleFigures* figures, DialogService& dialogs)
{
    if (saleFigures(amounts, figures)) return true;
    dialogs.inform(QStringLiteral("This sale comes to more than the ledger can add up: every figure, every step of "
                                  "the total and the total itself must stay below %1 either way. Please check Unit "
                                  "Price, Unit Quantity, Discount, Tax % and Freight. Nothing has been added to the "
                                  "database.")
                       .arg(currencyText(Currency::kLimit)));
    return false;
}

QStringList saleFieldValues(const SaleEntry& entry, const QDate& sellDate)
{
    // Numbers go to the database in its own form, whatever the region they
    // were typed in; readSaleInput() has read every one of them.
    const auto number = [](const QString& typed) {
        QString stored;
        return storedNumberOf(typed, &stored) ? stored : typed;
    };
    return QStringList{entry.city,
                       entry.country,
                       entry.sex,
                       entry.age,
                       entry.income,
                       entry.ethnicity,
                       entry.leadGivenTo,
                       entry.notes,
                       entry.marketingTool,
                       entry.company,
                       entry.referenceId,
                       number(entry.discount),
                       number(entry.freight),
                       entry.sellDate,
                       entry.salesRep,
                       entry.client,
                       entry.product,
                       number(entry.unitPrice),
                       number(entry.tax),
                       number(entry.quantity)} +
           sales_table::sellDateParts(sellDate) + QStringList{number(entry.subTotal), number(entry.total)};
}

QString addSaleQuestion()
{
    return QStringLiteral("The subtotal has been calculated. This sale should now be added to the database. "
                          "Do you wish to add the record to the database now?");
}

QString clearScreenQuestion()
{
    return QStringLiteral("Record added to database. You may need to refresh view to see the changes.\r\n\r\n"
                          "The system will now clear the screen unless you want to add another sale for the same "
                          "client with the same referenceID. Is it OK to clear the screen?");
}

QString referenceIdExplanation()
{
    return QString::fromUtf8(kReferenceIdMessage)
           + QStringLiteral("\r\n\r\nThe Reference ID is case insensitive, so an ID of 'CISCO' or 'cisco' or "
                            "'Cisco' will relate to the same invoice.");
}

QString sellDateExplanation()
{
    return QStringLiteral("The sell date is critical for analysis functions. Make sure it accurately reflects the "
                          "date your product/service was sold.\r\n\r\nThe data in the year field of the sales "
                          "database should have a year format of four digits (yyyy)- 2002 as opposed to 02, for "
                          "example. With most regional date settings the date will be entered into the database "
                          "correctly, however you should check this and manually set the regional date setting "
                          "from Start > Setting > Control Panel > Regional Settings > Date to dd/mm/yyyy or "
                          "mm/dd/yyyy if needbe.");
}

}  // namespace mervalis
