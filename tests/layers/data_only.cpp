// Links the data layer alone: connection, data controls, record sets, the
// tables' SQL, money and dates. A test checks that the program it makes
// needs Qt Core and unixODBC, and no widgets.
#include "data/data_control.h"
#include "data/dialogs.h"
#include "data/money.h"
#include "data/sales_table.h"
#include "data/store.h"

#include <cstdio>

namespace {

class NoDialogs final : public mervalis::DialogService {
public:
    Answer show(const QString&, Icon, Buttons, const QString&) override { return Answer::Ok; }
};

}  // namespace

int main()
{
    NoDialogs dialogs;
    mervalis::Store store(dialogs, QStringLiteral("NoSuchDataSource"));
    const bool read = store.adodc2.query(mervalis::sales_table::selectAll());
    std::printf("%s %s\n", read ? "read" : "not read", qPrintable(mervalis::numberText(59.97)));
    return 0;
}
