#pragma once

#include "receivables/outstanding_invoices.h"

#include <QAbstractTableModel>
#include <QSortFilterProxyModel>

namespace mervalis {

// The outstanding invoices as a table: client, reference ID, company,
// invoice date (short date form), days outstanding, unpaid lines, amount
// due and age band, numbers and dates as the region writes them.
class OutstandingModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Client, ReferenceId, Company, InvoiceDate, DaysOutstanding, UnpaidLines, AmountDue, Band, ColumnCount };

    explicit OutstandingModel(QObject* parent = nullptr);

    // Shows `invoices`, aged as of `today`.
    void reset(QList<OutstandingInvoice> invoices, const QDate& today);
    const OutstandingInvoice& invoice(int row) const { return invoices_[row]; }
    const QDate& today() const { return today_; }
    // The clients and the companies of the invoices, each once (names
    // compared without regard to case), in alphabetical order.
    const QStringList& clients() const { return clients_; }
    const QStringList& companies() const { return companies_; }

    static QString heading(int column);
    // A cell as shown, and as a CSV file holds it (numbers with ".").
    QString text(int row, int column) const;
    QString storedText(int row, int column) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QList<OutstandingInvoice> invoices_;
    QDate today_;
    QStringList clients_;
    QStringList companies_;
};

// The invoices shown: those of the client and company filters (each a name
// typed or picked: a name the list holds shows that one alone, without
// regard to case; other text shows the names that contain it), sorted by
// any column, numbers and dates by value.
class OutstandingFilter : public QSortFilterProxyModel {
    Q_OBJECT
public:
    explicit OutstandingFilter(OutstandingModel* model, QObject* parent = nullptr);

    void setFilters(const QString& client, const QString& company);
    const OutstandingModel& invoices() const { return *model_; }
    // The invoice a row shows.
    const OutstandingInvoice& invoiceAt(int row) const;
    // The invoices shown, in their order.
    QList<const OutstandingInvoice*> shown() const;

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;

private:
    struct NameFilter {
        QString text;
        bool whole = false;  // the list holds a name that is exactly the text
        bool accepts(const QString& name) const;
    };
    static NameFilter filterFor(const QString& text, const QStringList& names);

    OutstandingModel* model_;
    NameFilter client_;
    NameFilter company_;
};

}  // namespace mervalis
