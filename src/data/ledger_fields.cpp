#include "data/ledger_fields.h"

#include "data/client_table.h"
#include "data/company_table.h"
#include "data/sales_table.h"

#include <QHash>

namespace mervalis {

namespace {

// Every field of the three tables, by its lower-case name.
QHash<QString, QString> ledgerFields()
{
    QHash<QString, QString> fields;
    const QStringList all = QStringList{QStringLiteral("ID"), QStringLiteral("PAID")} + client_table::addFields() +
                            company_table::addFields() + sales_table::addFields();
    for (const QString& field : all) fields.insert(field.toLower(), field);
    return fields;
}

}  // namespace

QString ledgerFieldName(const QString& reported)
{
    static const QHash<QString, QString> fields = ledgerFields();
    return fields.value(reported.toLower(), reported);
}

}  // namespace mervalis
