// mervalis-test-add-sales COUNT PREFIX: adds COUNT sales to the ledger of the
// data source "Mervalis" one after the other, as the Sales tab adds them (the
// same field values, the same data control), each with the reference ID
// PREFIX-<n>. After each add the data control confirmed, it prints
// "confirmed PREFIX-<n>" and flushes; every message box the program would
// show is printed as "told <text>". The concurrency and crash tests start it
// (in the environment of their own ledger) and kill it.
#include "data/money.h"
#include "data/sales_table.h"
#include "data/store.h"
#include "entry/sale_calculation.h"
#include "helpers/printed_dialogs.h"

#include <QCoreApplication>
#include <QDate>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    mervalis::keepMachineNumbers();
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s COUNT PREFIX\n", argv[0]);
        return 2;
    }
    const int count = QString::fromUtf8(argv[1]).toInt();
    const QString prefix = QString::fromUtf8(argv[2]);
    PrintedDialogs dialogs;
    mervalis::Store store(dialogs);
    const QDate sold(2026, 7, 14);
    mervalis::SaleEntry sale;
    sale.client = QStringLiteral("O'Brien & Co");
    sale.company = QStringLiteral("Own Ltd");
    sale.unitPrice = QStringLiteral("19.99");
    sale.quantity = QStringLiteral("3");
    sale.product = QStringLiteral("Widget");
    sale.sellDate = QStringLiteral("14/07/2026");
    sale.discount = QStringLiteral("0");
    sale.tax = QStringLiteral("17.5");
    sale.freight = QStringLiteral("0");
    sale.salesRep = QStringLiteral("Kim");
    sale.marketingTool = QStringLiteral("None");
    sale.subTotal = sale.total = QStringLiteral("70.46");
    sale.city = QStringLiteral("Leeds");
    sale.country = QStringLiteral("UK");
    for (int n = 1; n <= count; ++n) {
        sale.referenceId = QStringLiteral("%1-%2").arg(prefix).arg(n);
        sale.notes = QStringLiteral("sale %1 of %2").arg(n).arg(prefix);
        if (store.adodc2.addNew(mervalis::sales_table::addFields(), mervalis::saleFieldValues(sale, sold))) {
            std::printf("confirmed %s\n", sale.referenceId.toUtf8().constData());
            std::fflush(stdout);
        }
    }
    std::printf("done\n");
    return 0;
}
