#include "invoice/e_invoice.h"

#include "data/dates.h"
#include "data/sale_amounts.h"
#include "invoice/tax_summary.h"

namespace mervalis {

namespace {

int typeCodeOf(const QString& title)
{
    const QString t = title.trimmed();
    if (t.compare(QLatin1String("CREDIT NOTE"), Qt::CaseInsensitive) == 0) return 381;
    if (t.compare(QLatin1String("AMENDED INVOICE"), Qt::CaseInsensitive) == 0) return 384;
    return 380;
}

QString unitCodeOf(const QString& quantityHeading)
{
    const QString h = quantityHeading.trimmed();
    if (h.compare(QLatin1String("Hours"), Qt::CaseInsensitive) == 0) return QStringLiteral("HUR");
    if (h.compare(QLatin1String("Days"), Qt::CaseInsensitive) == 0) return QStringLiteral("DAY");
    return QStringLiteral("C62");
}

// What a party's details lack for an e-invoice, as items of the needs.
void checkParty(TaxParty party, const QString& name, const std::optional<TaxDetails>& details, QStringList* needs)
{
    const bool company = party == TaxParty::Company;
    const QString who = company ? QStringLiteral("the billing company \"%1\"").arg(name)
                                : QStringLiteral("the client \"%1\"").arg(name);
    const QString where = company ? QStringLiteral("Company tab") : QStringLiteral("Client tab");
    if (!details) {
        *needs << QStringLiteral("the tax details of %1: %2 (%3, \"Tax details...\")")
                      .arg(who, company ? QStringLiteral("its VAT ID, country code and currency")
                                        : QStringLiteral("at least its country code"),
                           where);
        return;
    }
    TaxDetails checked = *details;
    for (const TaxDetailsProblem& problem : checkTaxDetails(party, &checked)) {
        *needs << QStringLiteral("in the tax details of %1 (%2, \"Tax details...\"): %3")
                      .arg(who, where, problem.message);
    }
}

// A line's freight (a charge) or discount (an allowance) as the document
// states it: a negative one is the other kind, its reason said in words.
void adjust(EInvoice::Line& line, Currency amount, bool charge, const char* code, const char* reason)
{
    if (amount.isZero()) return;
    const bool negative = amount.units() < 0;
    line.adjustments << EInvoice::Adjustment{negative ? !charge : charge, negative ? -amount : amount,
                                             negative ? QString() : QLatin1String(code), QLatin1String(reason)};
}

}  // namespace

EInvoiceDraft makeEInvoice(const InvoiceScreen& screen, const std::optional<TaxDetails>& seller,
                           const std::optional<TaxDetails>& buyer)
{
    EInvoiceDraft draft;
    QStringList& needs = draft.needs;
    if (screen.company.name.trimmed().isEmpty()) {
        needs << QStringLiteral("a billing company, chosen in \"Bill from which company?\"");
    } else {
        checkParty(TaxParty::Company, screen.company.name, seller, &needs);
    }
    if (screen.client.name.trimmed().isEmpty()) {
        needs << QStringLiteral("a client: retrieve the invoice's reference ID");
    } else {
        checkParty(TaxParty::Client, screen.client.name, buyer, &needs);
    }
    if (screen.referenceId.trimmed().isEmpty()) needs << QStringLiteral("a reference ID, the invoice's number");
    const QDate issued = readShortDate(screen.invoiceDate);
    if (!issued.isValid()) {
        needs << QStringLiteral("an invoice date such as %1 (\"%2\" is no date)")
                     .arg(shortDateText(QDate::currentDate()), screen.invoiceDate);
    }
    const TaxSummary summary = summariseTax(screen);
    if (!summary.holds()) {
        needs << QStringLiteral("figures that add up: %1").arg(summary.problems.join(QLatin1Char(' ')));
    }
    for (const TaxedLine& taxed : summary.lines) {
        if (taxed.rate.units() < 0) {
            needs << QStringLiteral("line %1: a tax rate of 0 or more (it is %2%)")
                         .arg(taxed.line)
                         .arg(taxed.rate.text());
        }
    }
    if (!needs.isEmpty()) return draft;

    EInvoice e;
    e.number = screen.referenceId.trimmed();
    e.typeCode = typeCodeOf(screen.title);
    e.issueDate = issued;
    e.currency = seller->currency;
    e.seller = {screen.company, *seller};
    e.buyer = {screen.client, *buyer};
    checkTaxDetails(TaxParty::Company, &e.seller.tax);
    checkTaxDetails(TaxParty::Client, &e.buyer.tax);
    e.notes = screen.notes.trimmed();
    e.paymentTerms = screen.paymentTerms.trimmed();

    // A credit note states what it credits: the ledger's signs turned round.
    const bool credit = e.typeCode == 381;
    auto signed_ = [credit](Currency amount) { return credit ? -amount : amount; };
    const QString unitCode = unitCodeOf(screen.quantityHeading);
    for (const TaxedLine& taxed : summary.lines) {
        EInvoice::Line line;
        line.id = taxed.line;
        line.name = taxed.product.trimmed().isEmpty() ? screen.productHeading.trimmed() : taxed.product.trimmed();
        if (line.name.isEmpty()) line.name = QStringLiteral("Line %1").arg(taxed.line);
        line.unitCode = unitCode;
        // A price is never negative: a line that takes off does so by its
        // quantity.
        const bool negativePrice = taxed.price.units() < 0;
        line.price = negativePrice ? -taxed.price : taxed.price;
        line.quantity = negativePrice != credit ? -taxed.quantity : taxed.quantity;
        adjust(line, signed_(taxed.freight), true, "FC", "Freight");
        adjust(line, signed_(taxed.discount), false, "95", "Discount");
        line.netAmount = signed_(taxed.net);
        line.rate = taxed.rate;
        line.category = taxed.rate.isZero() ? QLatin1Char('Z') : QLatin1Char('S');
        e.lineTotal += line.netAmount;
        e.lines << line;
    }
    // EN 16931 works the tax out per rate on the rate's net amount, where
    // the ledger rounds it line by line; what that adds goes into the
    // rounding amount, so that the amount due is Total Due.
    for (const TaxRateTotal& rate : summary.rates) {
        EInvoice::VatBreakdown vat{rate.rate.isZero() ? QLatin1Char('Z') : QLatin1Char('S'), rate.rate,
                                   signed_(rate.net), {}};
        if (!taxAt(vat.rate, vat.basis, &vat.tax)) {
            needs << QStringLiteral("figures that add up: the tax at %1% comes to more than the ledger can add up")
                         .arg(rate.rate.text());
            return draft;
        }
        e.taxTotal += vat.tax;
        e.vat << vat;
    }
    e.taxBasis = e.lineTotal;
    e.grandTotal = e.taxBasis + e.taxTotal;
    e.duePayable = signed_(summary.net + summary.tax);
    e.rounding = e.duePayable + -e.grandTotal;
    // An amount due needs its terms (or a due date, which the ledger does
    // not keep).
    if (e.duePayable.units() > 0 && e.paymentTerms.isEmpty()) {
        needs << QStringLiteral("payment terms, typed or chosen under the invoice date");
        return draft;
    }
    draft.invoice = e;
    return draft;
}

EInvoiceDraft makeEInvoice(const InvoiceScreen& screen, TaxDetailsStore& store)
{
    std::optional<TaxDetails> details[2];
    const std::pair<TaxParty, const QString*> parties[] = {{TaxParty::Company, &screen.company.name},
                                                           {TaxParty::Client, &screen.client.name}};
    for (int i = 0; i < 2; ++i) {
        if (parties[i].second->trimmed().isEmpty()) continue;
        std::optional<StoredTaxDetails> stored;
        if (!store.read(parties[i].first, *parties[i].second, &stored)) {
            return EInvoiceDraft{std::nullopt, {QStringLiteral("tax details that can be read. %1").arg(store.error())}};
        }
        if (stored) details[i] = stored->details;
    }
    return makeEInvoice(screen, details[0], details[1]);
}

}  // namespace mervalis
