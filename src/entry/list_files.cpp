#include "entry/list_files.h"

#include "data/app_context.h"
#include "data/data_control.h"
#include "data/dialogs.h"
#include "data/installation.h"
#include "data/sales_table.h"

#include <QComboBox>
#include <QDesktopServices>
#include <QFile>
#include <QFileInfo>
#include <QSignalBlocker>
#include <QUrl>

namespace mervalis {

namespace {

QString fileName(ListFile file)
{
    switch (file) {
    case ListFile::Products: return QStringLiteral("productfile.txt");
    case ListFile::Ethnicity: return QStringLiteral("ethnicity.txt");
    case ListFile::LeadsGivenTo: return QStringLiteral("leadsgivento.txt");
    }
    return {};
}

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

// Rebuilds a combo's list without touching the text the user sees in its
// edit box. An editable combo's signals are held meanwhile, since its text
// ends as it began: a box bound to a record must not take the rebuild for an
// edit.
class ListRebuild {
public:
    explicit ListRebuild(QComboBox* combo)
        : combo_(combo), editable_(combo->isEditable()), text_(combo->currentText()),
          blocker_(editable_ ? combo : nullptr)
    {
        combo_->clear();
    }
    ~ListRebuild()
    {
        if (editable_) combo_->setEditText(text_);
    }
    ListRebuild(const ListRebuild&) = delete;
    ListRebuild& operator=(const ListRebuild&) = delete;

    void add(const QString& entry) { combo_->addItem(entry); }

    // Appends `entry` unless an entry of exactly the same text is listed.
    void addDistinct(const QString& entry)
    {
        for (int i = 0; i < combo_->count(); ++i) {
            if (combo_->itemText(i) == entry) return;
        }
        combo_->addItem(entry);
    }

private:
    QComboBox* combo_;
    bool editable_;
    QString text_;
    QSignalBlocker blocker_;
};

}  // namespace

QString listFilePath(const Installation& installation, ListFile file)
{
    return installation.path(fileName(file));
}

QStringList readListFile(const QString& path, bool* opened)
{
    QFile file(path);
    const bool ok = file.open(QIODevice::ReadOnly);
    if (opened) *opened = ok;
    if (!ok) return {};

    const QByteArray content = file.readAll();
    QStringList lines;
    qsizetype start = 0;
    while (start < content.size()) {
        qsizetype end = content.indexOf('\n', start);
        const qsizetype next = end < 0 ? content.size() : end + 1;
        if (end < 0) end = content.size();
        qsizetype length = end - start;
        if (length > 0 && content.at(end - 1) == '\r') --length;
        lines << QString::fromLocal8Bit(content.constData() + start, length);
        start = next;
    }
    return lines;
}

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

QString noRecordsMessage()
{
    return QStringLiteral("Either there are no records in the database or the database needs to be refreshed. "
                          "Add a record if none exist or refresh the database.");
}

bool fillFromTable(QComboBox* combo, DataControl& control, const QString& sql, int position, const QString& column,
                   DialogService& dialogs)
{
    ListRebuild rebuild(combo);
    if (!control.query(sql)) return false;  // the data control has told the user
    if (!column.isEmpty()) position = control.rows().columnIndex(column);
    control.moveFirst();
    if (control.eof() || position < 0) {
        dialogs.inform(noRecordsMessage());
        return false;
    }
    for (; !control.eof(); control.moveNext()) {
        if (control.rows().isNull(control.currentRow(), position)) {
            dialogs.inform(noRecordsMessage());
            return false;
        }
        rebuild.add(control.field(position));
    }
    return true;
}

void fillFromStoredSales(QComboBox* combo, const QString& column, bool joinLeadList, AppContext& context)
{
    ListRebuild rebuild(combo);
    DataControl& sales = context.adodc2;
    if (!sales.query(sales_table::selectAll())) return;  // the data control has reported

    sales.moveFirst();
    if (sales.eof()) {
        context.dialogs.inform(noRecordsMessage());
        return;
    }
    const int position = sales.rows().columnIndex(column);
    for (; !sales.eof(); sales.moveNext()) {
        // A sale without a value in the column has nothing to offer.
        if (position < 0 || sales.rows().isNull(sales.currentRow(), position)) continue;
        rebuild.addDistinct(sales.field(position));
    }

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
