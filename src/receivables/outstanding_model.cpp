#include "receivables/outstanding_model.h"

#include "data/dates.h"

#include <QSet>

namespace mervalis {

namespace {

// Each name once (without regard to case, one of its spellings), in
// alphabetical order. The list holds few names, each many times over.
QStringList distinctNames(const QList<OutstandingInvoice>& invoices, QString OutstandingInvoice::*field)
{
    QSet<QString> spellings;
    for (const OutstandingInvoice& invoice : invoices) spellings.insert(invoice.*field);
    QSet<QString> seen;
    QStringList names;
    for (const QString& name : std::as_const(spellings)) {
        if (!seen.contains(name.toCaseFolded())) {
            seen.insert(name.toCaseFolded());
            names << name;
        }
    }
    names.sort(Qt::CaseInsensitive);
    return names;
}

int compareNames(const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive); }

}  // namespace

OutstandingModel::OutstandingModel(QObject* parent) : QAbstractTableModel(parent) {}

void OutstandingModel::reset(QList<OutstandingInvoice> invoices, const QDate& today)
{
    beginResetModel();
    invoices_ = std::move(invoices);
    today_ = today;
    clients_ = distinctNames(invoices_, &OutstandingInvoice::client);
    companies_ = distinctNames(invoices_, &OutstandingInvoice::company);
    endResetModel();
}

QString OutstandingModel::heading(int column)
{
    static const char* const headings[] = {"Client",           "Reference ID", "Company",    "Invoice date",
                                           "Days outstanding", "Unpaid lines", "Amount due", "Age band"};
    return column >= 0 && column < ColumnCount ? QLatin1String(headings[column]) : QString();
}

QString OutstandingModel::text(int row, int column) const
{
    return column == AmountDue ? figureText(invoices_[row].due) : storedText(row, column);
}

QString OutstandingModel::storedText(int row, int column) const
{
    const OutstandingInvoice& invoice = invoices_[row];
    switch (column) {
    case Client: return invoice.client;
    case ReferenceId: return invoice.referenceId;
    case Company: return invoice.company;
    case InvoiceDate: return invoice.date.isValid() ? shortDateText(invoice.date) : QString();
    case DaysOutstanding: {
        const std::optional<qint64> days = daysOutstanding(invoice.date, today_);
        return days ? QString::number(*days) : QString();
    }
    case UnpaidLines: return QString::number(invoice.unpaidLines);
    case AmountDue: return invoice.due ? invoice.due->storedText() : QString();
    case Band: return ageBandText(ageBandOf(invoice.date, today_));
    }
    return {};
}

int OutstandingModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(invoices_.size());
}

int OutstandingModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : ColumnCount; }

QVariant OutstandingModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid()) return {};
    if (role == Qt::DisplayRole) return text(index.row(), index.column());
    const bool figure = index.column() == DaysOutstanding || index.column() == UnpaidLines ||
                        index.column() == AmountDue;
    if (role == Qt::TextAlignmentRole && figure) return QVariant(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

QVariant OutstandingModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole) return heading(section);
    return QAbstractTableModel::headerData(section, orientation, role);
}

OutstandingFilter::OutstandingFilter(OutstandingModel* model, QObject* parent)
    : QSortFilterProxyModel(parent), model_(model)
{
    setSourceModel(model);
}

bool OutstandingFilter::NameFilter::accepts(const QString& name) const
{
    if (text.isEmpty()) return true;
    return whole ? compareNames(name, text) == 0 : name.contains(text, Qt::CaseInsensitive);
}

OutstandingFilter::NameFilter OutstandingFilter::filterFor(const QString& text, const QStringList& names)
{
    NameFilter filter{text.trimmed(), false};
    for (const QString& name : names) filter.whole = filter.whole || compareNames(name, filter.text) == 0;
    return filter;
}

void OutstandingFilter::setFilters(const QString& client, const QString& company)
{
    client_ = filterFor(client, model_->clients());
    company_ = filterFor(company, model_->companies());
    invalidateFilter();
}

const OutstandingInvoice& OutstandingFilter::invoiceAt(int row) const
{
    return model_->invoice(mapToSource(index(row, 0)).row());
}

QList<const OutstandingInvoice*> OutstandingFilter::shown() const
{
    QList<const OutstandingInvoice*> list;
    list.reserve(rowCount());
    for (int row = 0; row < rowCount(); ++row) list << &invoiceAt(row);
    return list;
}

bool OutstandingFilter::filterAcceptsRow(int sourceRow, const QModelIndex&) const
{
    const OutstandingInvoice& invoice = model_->invoice(sourceRow);
    return client_.accepts(invoice.client) && company_.accepts(invoice.company);
}

bool OutstandingFilter::lessThan(const QModelIndex& left, const QModelIndex& right) const
{
    const OutstandingInvoice& a = model_->invoice(left.row());
    const OutstandingInvoice& b = model_->invoice(right.row());
    switch (left.column()) {
    case OutstandingModel::Client: return compareNames(a.client, b.client) < 0;
    case OutstandingModel::ReferenceId: return compareNames(a.referenceId, b.referenceId) < 0;
    case OutstandingModel::Company: return compareNames(a.company, b.company) < 0;
    // An invoice without a date counts as the oldest, owed the longest.
    case OutstandingModel::InvoiceDate:
        return a.date.isValid() && b.date.isValid() ? a.date < b.date : !a.date.isValid() && b.date.isValid();
    case OutstandingModel::DaysOutstanding:
        return a.date.isValid() && b.date.isValid() ? a.date > b.date : a.date.isValid() && !b.date.isValid();
    case OutstandingModel::UnpaidLines: return a.unpaidLines < b.unpaidLines;
    // An amount beyond those the ledger adds up counts as the largest.
    case OutstandingModel::AmountDue: return a.due && (!b.due || a.due->units() < b.due->units());
    case OutstandingModel::Band:
        return ageBandOf(a.date, model_->today()) < ageBandOf(b.date, model_->today());
    }
    return false;
}

}  // namespace mervalis
