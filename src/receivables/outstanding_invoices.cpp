#include "receivables/outstanding_invoices.h"

#include "data/data_control.h"
#include "data/kept_figures.h"
#include "data/row_block.h"
#include "data/sql.h"

#include <QHash>
#include <QStringList>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace mervalis {

namespace {

// A number as the database hands it over ("12", "35.5", "1e+20"); 0 for
// NULL or what is no number.
double numberOf(std::string_view text)
{
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() ? value : 0;
}

// A yyyymmdd key as a date; invalid for no key or no such day.
QDate dateOfKey(double key)
{
    if (key < 10101 || key >= 1e8 || key != std::floor(key)) return {};
    const auto whole = static_cast<int>(key);
    return QDate(whole / 10000, whole / 100 % 100, whole % 100);
}

}  // namespace

QString ageBandText(AgeBand band)
{
    switch (band) {
    case AgeBand::UpTo30: return QStringLiteral("0-30 days");
    case AgeBand::UpTo60: return QStringLiteral("31-60 days");
    case AgeBand::UpTo90: return QStringLiteral("61-90 days");
    case AgeBand::Over90: return QStringLiteral("Over 90 days");
    case AgeBand::Undated: break;
    }
    return QStringLiteral("No date");
}

std::optional<qint64> daysOutstanding(const QDate& date, const QDate& today)
{
    if (!date.isValid()) return std::nullopt;
    return date.daysTo(today);
}

AgeBand ageBandOf(const QDate& date, const QDate& today)
{
    const std::optional<qint64> days = daysOutstanding(date, today);
    if (!days) return AgeBand::Undated;
    if (*days <= 30) return AgeBand::UpTo30;
    if (*days <= 60) return AgeBand::UpTo60;
    if (*days <= 90) return AgeBand::UpTo90;
    return AgeBand::Over90;
}

AgedTotals agedTotals(const QList<const OutstandingInvoice*>& invoices, const QDate& today)
{
    AgedTotals totals;
    for (const OutstandingInvoice* invoice : invoices) {
        addChecked(totals.bands[static_cast<size_t>(ageBandOf(invoice->date, today))], invoice->due);
        addChecked(totals.total, invoice->due);
    }
    return totals;
}

QString figureText(const std::optional<Currency>& amount) { return amount ? amount->text() : QString(); }

void addChecked(std::optional<Currency>& sum, const std::optional<Currency>& amount)
{
    if (sum && !(amount && Currency::add(*sum, *amount, &*sum))) sum.reset();
}

QString unheldFiguresText(const QList<const OutstandingInvoice*>& invoices, const AgedTotals& totals,
                          const QString& totalName)
{
    // A few invoices by name; a ledger with many such amounts has a fault
    // of its own.
    constexpr int kNamed = 10;
    QStringList figures;
    int more = 0;
    for (const OutstandingInvoice* invoice : invoices) {
        if (invoice->due) continue;
        if (figures.size() == kNamed) ++more;
        else figures << QStringLiteral("the amount due of invoice %1").arg(invoice->referenceId);
    }
    if (more > 0) figures << QStringLiteral("the amounts due of %1 more invoices").arg(more);
    for (int b = 0; b < kAgeBandCount; ++b) {
        if (!totals.bands[b]) figures << QStringLiteral("the total of %1").arg(ageBandText(static_cast<AgeBand>(b)));
    }
    if (!totals.total) figures << QStringLiteral("the %1").arg(totalName);
    if (figures.isEmpty()) return {};
    return QStringLiteral("beyond the amounts the ledger adds up (below %1 either way): %2")
        .arg(currencyText(Currency::kLimit), figures.join(QStringLiteral("; ")));
}

QString outstandingInvoicesQuery(bool postgres)
{
    // The kept rows of what is owed, a few hundred thousand at most, read
    // through the index of those with an unpaid sale; what each owes comes
    // back from ten-thousandths as the sum of the sales' totals would.
    return QStringLiteral("SELECT Counted, Value, Company, Unpaid, %1, FirstDate FROM %2 WHERE Field = %3 AND "
                          "Unpaid > 0")
        .arg(postgres ? QStringLiteral("ROUND(Due / 10000, 4)") : QStringLiteral("Due / 10000.0"),
             kept_figures::table(), quoted(kept_figures::receivables()));
}

bool readReceivables(DataControl& sales, Receivables* receivables)
{
    // The engine is known once connected; a failure to connect is told by
    // the look-up.
    sales.database().connect();
    RowBlock rows;
    if (!sales.lookUp(outstandingInvoicesQuery(sales.database().engine() == Database::Engine::PostgreSQL), rows)) {
        return false;
    }
    *receivables = {};
    // Clients and companies repeat from invoice to invoice: one copy of each
    // name, and each client's place in alphabetical order, for the order of
    // the list.
    std::unordered_map<std::string_view, QString> names;
    const auto shared = [&names, &rows](int row, int column) {
        const std::string_view raw = rows.raw(row, column);
        auto known = names.find(raw);
        if (known == names.end()) known = names.emplace(raw, QString::fromUtf8(raw.data(), qsizetype(raw.size()))).first;
        return known->second;
    };
    QList<OutstandingInvoice> invoices;
    invoices.reserve(rows.rowCount());
    for (int r = 0; r < rows.rowCount(); ++r) {
        // A sum beyond the amounts the ledger adds up is no figure, never 0;
        // unpaid sales whose SubTotals are all empty owe 0.
        std::optional<Currency> due = Currency();
        CurrencyUnits units = 0;
        if (readCellCurrency(rows.raw(r, 4), &units)) due = Currency::fromUnits(units);
        else if (!rows.isNull(r, 4)) due.reset();
        const int lines = static_cast<int>(numberOf(rows.raw(r, 3)));
        if (rows.raw(r, 1).empty()) {
            receivables->salesWithoutReference += lines;
            addChecked(receivables->owedWithoutReference, due);
            continue;
        }
        invoices.append(OutstandingInvoice{shared(r, 0), rows.value(r, 1), shared(r, 2),
                                           dateOfKey(numberOf(rows.raw(r, 5))), lines, due});
    }
    // By client, then date, then as the ledger gave them (by reference ID).
    QStringList clients;
    for (const auto& [raw, name] : names) clients << name;
    clients.sort(Qt::CaseInsensitive);
    QHash<QString, int> place;
    for (int i = 0; i < clients.size(); ++i) place.insert(clients[i], i);
    struct Key {
        int client;
        qint64 day;
        int invoice;
        auto operator<=>(const Key&) const = default;
    };
    std::vector<Key> order;
    order.reserve(static_cast<size_t>(invoices.size()));
    for (int i = 0; i < invoices.size(); ++i) {
        const QDate& date = invoices[i].date;
        order.push_back({place.value(invoices[i].client), date.isValid() ? date.toJulianDay() : 0, i});
    }
    std::sort(order.begin(), order.end());
    receivables->invoices.reserve(invoices.size());
    for (const Key& key : order) receivables->invoices.append(std::move(invoices[key.invoice]));
    return true;
}

}  // namespace mervalis
