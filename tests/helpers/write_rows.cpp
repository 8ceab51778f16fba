// mervalis-test-write-rows: another workstation's program writing to the
// ledger of the data source "Mervalis" through the program's own grid path
// (the data control's record set model), as a user editing in a grid does:
//   change TABLE ID FIELD VALUE   reads TABLE, changes FIELD of row ID
//   delete TABLE ID               reads TABLE, deletes row ID
//   rounds COUNT NAME             COUNT times: reads the clients, waits a
//                                 moment, sets the Telephone of one (picked
//                                 at random) to NAME-<n>
// Each write prints "stored ID OLD NEW" or "refused ID"; every message box
// the program would show is printed as "told <text>".
#include "data/dialogs.h"
#include "data/record_set_model.h"
#include "data/store.h"

#include <QCoreApplication>
#include <QRandomGenerator>
#include <QThread>

#include <cstdio>

namespace {

class PrintedDialogs final : public mervalis::DialogService {
public:
    Answer show(const QString& text, Icon, Buttons buttons, const QString&) override
    {
        std::printf("told %s\n", QString(text).replace(QLatin1Char('\n'), QLatin1Char(' ')).toUtf8().constData());
        std::fflush(stdout);
        return buttons == Buttons::YesNo ? Answer::Yes : Answer::Ok;
    }
};

void print(const QString& line)
{
    std::printf("%s\n", line.toUtf8().constData());
    std::fflush(stdout);
}

// Reads the table and writes one row of it: changes `field` to `value`, or
// deletes it when `field` is empty.
bool write(mervalis::DataControl& control, int id, const QString& field, const QString& value)
{
    if (!control.query(QStringLiteral("SELECT * FROM ") + control.table())) return false;
    const int idColumn = control.rows().columnIndex(QStringLiteral("ID"));
    int row = 0;
    while (row < control.recordCount() && control.rows().value(row, idColumn).toInt() != id) ++row;
    if (row == control.recordCount()) return false;
    if (field.isEmpty()) {
        const bool deleted = control.deleteRow(row);
        print(deleted ? QStringLiteral("stored %1").arg(id) : QStringLiteral("refused %1").arg(id));
        return deleted;
    }
    const QString old = control.rows().value(row, control.rows().columnIndex(field));
    mervalis::RecordSetModel& grid = *control.model();
    grid.setEditable(true);
    QThread::msleep(QRandomGenerator::global()->bounded(4));  // the user types
    grid.setData(grid.index(row, control.rows().columnIndex(field)), value);
    const bool stored = grid.commitEdits(true);
    print(stored ? QStringLiteral("stored %1 %2 %3").arg(id).arg(old, value) : QStringLiteral("refused %1").arg(id));
    return stored;
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    PrintedDialogs dialogs;
    mervalis::Store store(dialogs);
    const auto control = [&](const QString& table) -> mervalis::DataControl& {
        return table == QLatin1String("Mervalis2") ? store.adodc2 : table == QLatin1String("Mervalis3") ? store.adodc3
                                                                                                         : store.adodc1;
    };
    if (args.size() == 5 && args[0] == QLatin1String("change")) return write(control(args[1]), args[2].toInt(), args[3], args[4]) ? 0 : 1;
    if (args.size() == 3 && args[0] == QLatin1String("delete")) return write(control(args[1]), args[2].toInt(), {}, {}) ? 0 : 1;
    if (args.size() == 3 && args[0] == QLatin1String("rounds")) {
        mervalis::RowBlock ids;
        store.database.query(QStringLiteral("SELECT ID FROM Mervalis ORDER BY ID"), ids);
        for (int n = 1; n <= args[1].toInt(); ++n) {
            const int id = ids.value(QRandomGenerator::global()->bounded(ids.rowCount()), 0).toInt();
            write(store.adodc1, id, QStringLiteral("Telephone"), QStringLiteral("%1-%2").arg(args[2]).arg(n));
        }
        return 0;
    }
    std::fprintf(stderr, "usage: %s change TABLE ID FIELD VALUE | delete TABLE ID | rounds COUNT NAME\n", argv[0]);
    return 2;
}
