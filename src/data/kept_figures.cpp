#include "data/kept_figures.h"

namespace mervalis::kept_figures {

QString table() { return QStringLiteral("MervalisFigures"); }

QStringList comparedColumns()
{
    return {QStringLiteral("AssociatedCompany"), QStringLiteral("ClientName"), QStringLiteral("ProductService"),
            QStringLiteral("MarketingTool"), QStringLiteral("SalesRep")};
}

QStringList profileColumns()
{
    return {QStringLiteral("Sex"),       QStringLiteral("Age"),  QStringLiteral("Income"),
            QStringLiteral("Ethnicity"), QStringLiteral("City"), QStringLiteral("Country")};
}

QString byColumn(const QString& column) { return column; }

QString distinctUnder(const QString& column, const QString& counted) { return column + QLatin1Char('/') + counted; }

QString countOf(const QString& column, const QString& counted)
{
    return distinctUnder(column, counted) + QStringLiteral("/count");
}

QString byReferenceId() { return QStringLiteral("ReferenceID"); }

QString receivables() { return QStringLiteral("Receivables"); }

QString allSales() { return byColumn(QStringLiteral("AssociatedCompany")); }

QString countOfAllSales()
{
    return QStringLiteral("SELECT COALESCE(SUM(Sales), 0) FROM %1 WHERE Field = '%2'").arg(table(), allSales());
}

QString allClients() { return distinctUnder(QStringLiteral("Sex"), QStringLiteral("ClientName")); }

}  // namespace mervalis::kept_figures
