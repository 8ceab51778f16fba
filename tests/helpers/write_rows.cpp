// mervalis-test-write-rows TABLE FIELD VALUE ROUNDS [ID]: another
// workstation's program on the ledger of the data source "Mervalis". ROUNDS
// times it reads TABLE and, after a moment's typing, sets FIELD of the row ID
// (of a row picked at random without one) to VALUE (VALUE-<n> over several
// rounds) through the grid's own path; FIELD "-" deletes the row instead.
// Each write prints "stored ID [OLD NEW]" or "refused ID"; every message box
// the program would show is printed as "told <text>".
#include "data/record_set_model.h"
#include "data/store.h"
#include "helpers/printed_dialogs.h"

#include <QCoreApplication>
#include <QRandomGenerator>
#include <QThread>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 5) return 2;
    PrintedDialogs dialogs;
    mervalis::Store store(dialogs);
    mervalis::DataControl& control = args[1] == QLatin1String("Mervalis2") ? store.adodc2 : store.adodc1;
    mervalis::RecordSetModel& grid = *control.model();
    QRandomGenerator& random = *QRandomGenerator::global();
    for (int n = 1, rounds = args[4].toInt(); n <= rounds; ++n) {
        if (!control.query(QStringLiteral("SELECT * FROM ") + control.table())) return 1;
        const mervalis::RecordSet& rows = control.rows();
        int row = random.bounded(rows.rowCount());
        for (int r = 0; args.size() > 5 && r < rows.rowCount(); ++r) {
            if (rows.value(r, rows.columnIndex(QStringLiteral("ID"))) == args[5]) row = r;
        }
        QString line = rows.value(row, rows.columnIndex(QStringLiteral("ID")));
        QThread::msleep(random.bounded(4));
        bool stored;
        if (args[2] == QLatin1String("-")) {
            stored = control.deleteRow(row);
        } else {
            const QString value = rounds == 1 ? args[3] : QStringLiteral("%1-%2").arg(args[3]).arg(n);
            line += QStringLiteral(" %1 %2").arg(rows.value(row, rows.columnIndex(args[2])), value);
            grid.setEditable(true);
            grid.setData(grid.index(row, rows.columnIndex(args[2])), value);
            stored = grid.commitEdits(true);
        }
        const QString written = stored ? line : line.section(' ', 0, 0);
        std::printf("%s %s\n", stored ? "stored" : "refused", written.toUtf8().constData());
        std::fflush(stdout);
    }
    return 0;
}
