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

void openProductFile(AppContext& context)
{
    QDesktopServices::openUrl(QUrl::fromLocalFile(listFilePath(context.installation, ListFile::Products)));
}

}  // namespace mervalis
