#include "store/sales_table.h"

namespace mervalis::sales_table {

QString selectAll()
{
    return QStringLiteral("SELECT * FROM Mervalis2");
}

}  // namespace mervalis::sales_table
