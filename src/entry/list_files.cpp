#include "entry/list_files.h"

#include "data/list_file.h"

#include "data/app_context.h"
#include "data/data_control.h"
#include "data/dialogs.h"
#include "data/installation.h"
#include "data/row_block.h"
#include "data/sales_table.h"
#include "ui/list_fill.h"

#include <QComboBox>
#include <QDesktopServices>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

namespace mervalis {

namespace {

// The notice shown every time the list of a profile combo opens.
QString noticeFor(ListFile file, const QString& path)
{
    switch (file) {
    case ListFile::Ethnicity:
        return QStringLiteral("You can change contents of the drop down list by modifying the ethnicity file. "
                              "It is located at %1.").arg(path);
    case ListFile::LeadsGivenTo:
        return QStringLiteral("You can change the contents of the drop down list by modifying the LeadsGivenTo "
                              "file. It is located at %1.").arg(path);
    case ListFile::Products: break;
    }
    return {};
}

QString activatedMessage(ListFile file)
{
    if (file == ListFile::Products) {
        return QStringLiteral("An inactive product list was detected. This usually happens the very first time "
                              "it is used. The product list has been activated. Please try again.");
    }
    return QStringLiteral("An inactive file was detected. This usually happens the very first time it is used. "
                          "The product file has been activated. Please try again.");
}

}  // namespace

void fillFromListFile(QComboBox* combo, ListFile file, AppContext& context)
{
    const QString path = listFilePath(context.installation, file);
    if (file != ListFile::Products) context.dialogs.inform(noticeFor(file, path));

    ListRebuild rebuild(combo);
    bool opened = false;
    const QStringList lines = readListFile(path, &opened);
    if (opened) {
        combo->addItems(lines);
        return;
    }

    if (QFileInfo::exists(path)) {
        // Never replace a list the user wrote only because it cannot be read.
        context.dialogs.inform(QStringLiteral("The list file %1 exists but cannot be read. "
                                              "Check its permissions and try again.").arg(path));
        return;
    }
    QFile created(path);
    if (!created.open(QIODevice::WriteOnly | QIODevice::Truncate) || created.write("None\r\n") != 6
        || !created.flush()) {
        created.close();
        context.dialogs.inform(QStringLiteral("The list file %1 could not be created. "
                                              "Check that the folder exists and may be written to, "
                                              "then try again.").arg(path));
        return;
    }
    created.close();
    context.dialogs.inform(activatedMessage(file));
}

void fillFromStoredSales(QComboBox* combo, const QString& column, bool joinLeadList, AppContext& context)
{
    ListRebuild rebuild(combo);
    DataControl& sales = context.adodc2;
    // Adodc2 is left holding every sale, as the list was always read from
    // it; the values themselves come from one query, not a walk of them all.
    if (!sales.query(sales_table::selectAll())) return;  // the data control has reported
    sales.moveFirst();
    if (sales.eof()) {
        context.dialogs.inform(noRecordsMessage());
        return;
    }
    RowBlock values;
    if (!sales.lookUp(sales_table::distinctValues(column), values)) return;
    for (int row = 0; row < values.rowCount(); ++row) rebuild.add(values.value(row, 0));

    if (!joinLeadList) return;
    bool opened = false;
    const QStringList leads = readListFile(listFilePath(context.installation, ListFile::LeadsGivenTo), &opened);
    if (!opened) {
        context.dialogs.inform(noRecordsMessage());
        return;
    }
    for (const QString& lead : leads) rebuild.addDistinct(lead);
}

void openProductFile(AppContext& context)
{
    QDesktopServices::openUrl(QUrl::fromLocalFile(listFilePath(context.installation, ListFile::Products)));
}

}  // namespace mervalis
