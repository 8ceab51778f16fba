#include "ui/drop_down_combo.h"
#include "entry/list_files.h"
#include "ui/list_fill.h"
#include "data/sales_table.h"
#include "support/test_env.h"
#include "support/texts.h"
#include "support/widgets.h"

#include <QDesktopServices>
#include <QUrl>

using namespace mervalis;
using namespace mervalis::test;

namespace {

void addSale(TestLedger& l, const QString& rep, const QString& tool)
{
    l.env.exec(QStringLiteral("INSERT INTO Mervalis2 (ClientName, SalesRep, MarketingTool) VALUES ('c', '%1', '%2')")
                   .arg(rep, tool));
}

// Records the address handed to the desktop instead of starting an editor.
class UrlRecorder : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl& url) { opened << url; }
};

}  // namespace

TEST(ListFiles, ReadsWholeLinesWithEitherLineEnd)
{
    TestLedger l;
    const QString path = l.env.programFile("productfile.txt");
    bool opened = true;
    EXPECT_TRUE(readListFile(path, &opened).isEmpty());
    EXPECT_FALSE(opened);

    // CR LF, untrimmed, an empty line in the middle and one at the end.
    writeFile(path, "  Widget \r\n\r\nService\r\nWidget\r\n\r\n");
    EXPECT_EQ(readListFile(path, &opened), QStringList({"  Widget ", "", "Service", "Widget", ""}));
    EXPECT_TRUE(opened);
    // Written by an editor with LF ends, the last line without one.
    writeFile(path, "Widget\nService\r\nRepair");
    EXPECT_EQ(readListFile(path, nullptr), QStringList({"Widget", "Service", "Repair"}));
    writeFile(path, "");
    EXPECT_TRUE(readListFile(path, &opened).isEmpty());
    EXPECT_TRUE(opened);
}

TEST(ListFiles, FirstUseCreatesEachFileHoldingNoneAndTheProductListOpensInTheEditor)
{
    TestLedger l;
    QComboBox combo;
    combo.setEditable(true);
    const QString inactiveFile = "An inactive file was detected. This usually happens the very first time it is "
                                 "used. The product file has been activated. Please try again.";
    const QString ethnicityNotice = "You can change contents of the drop down list by modifying the ethnicity file. "
                                    "It is located at " + l.env.programFile("ethnicity.txt") + ".";
    struct FirstUse {
        ListFile list;
        QString file;
        QStringList messages;
    };
    const FirstUse cases[] = {
        {ListFile::Ethnicity, "ethnicity.txt", {ethnicityNotice, inactiveFile}},
        {ListFile::LeadsGivenTo, "leadsgivento.txt",
         {"You can change the contents of the drop down list by modifying the LeadsGivenTo file. It is located at " +
              l.env.programFile("leadsgivento.txt") + ".",
          inactiveFile}},
        {ListFile::Products, "productfile.txt",
         {"An inactive product list was detected. This usually happens the very first time it is used. The product "
          "list has been activated. Please try again."}}};
    for (const FirstUse& first : cases) {
        fillFromListFile(&combo, first.list, *l.context);
        EXPECT_EQ(l.dialogs.shown().front().icon, DialogService::Icon::Information);
        EXPECT_EQ(l.dialogs.take(), first.messages);
        EXPECT_EQ(readFile(l.env.programFile(first.file)), "None\r\n");
        EXPECT_EQ(combo.count(), 0);
    }
    // The second time only the notice, and the entry.
    fillFromListFile(&combo, ListFile::Ethnicity, *l.context);
    EXPECT_EQ(l.dialogs.take(), QStringList({ethnicityNotice}));
    EXPECT_EQ(entries(&combo), QStringList({"None"}));

    // Repeats stay, an empty last line gives an empty last entry, and a
    // typed text survives the list opening.
    writeFile(l.env.programFile("productfile.txt"), "Widget\r\nWidget\r\n\r\n");
    combo.setEditText("Typed product");
    fillFromListFile(&combo, ListFile::Products, *l.context);
    EXPECT_TRUE(l.dialogs.texts().isEmpty());
    EXPECT_EQ(entries(&combo), QStringList({"Widget", "Widget", ""}));
    EXPECT_EQ(combo.currentText(), "Typed product");

    // The product list goes to the desktop's editor.
    UrlRecorder recorder;
    QDesktopServices::setUrlHandler("file", &recorder, "open");
    openProductFile(*l.context);
    QDesktopServices::unsetUrlHandler("file");
    EXPECT_EQ(recorder.opened, QList<QUrl>({QUrl::fromLocalFile(l.env.programFile("productfile.txt"))}));
}

TEST(ListFiles, NeverReplacesOrPretendsWhenTheFileCannotBeUsed)
{
    TestLedger l;
    QComboBox combo;
    // A list "file" that exists but cannot be read is left alone.
    const QString products = l.env.programFile("productfile.txt");
    ASSERT_TRUE(QDir().mkpath(products));
    fillFromListFile(&combo, ListFile::Products, *l.context);
    ASSERT_EQ(l.dialogs.texts().size(), 1);
    EXPECT_TRUE(l.dialogs.last().contains(products) && l.dialogs.last().contains("cannot be read"));
    EXPECT_TRUE(QFileInfo(products).isDir());

    // A program folder that is not there: the file cannot be created.
    l.dialogs.clear();
    l.context->installation.programFolder = l.env.file("missing");
    const QString ethnicity = listFilePath(l.context->installation, ListFile::Ethnicity);
    fillFromListFile(&combo, ListFile::Ethnicity, *l.context);
    ASSERT_EQ(l.dialogs.texts().size(), 2);
    EXPECT_TRUE(l.dialogs.texts().at(0).contains(ethnicity));  // the notice
    EXPECT_TRUE(l.dialogs.last().contains(ethnicity) && l.dialogs.last().contains("could not be created"));
    EXPECT_FALSE(QFileInfo::exists(ethnicity));
}

TEST(ListFiles, StoredSalesGiveDistinctValuesThenTheLeadList)
{
    TestLedger l;
    const QString leads = l.env.programFile("leadsgivento.txt");
    writeFile(leads, "Bob\r\nCarl\r\n");
    DropDownCombo salesRep;
    salesRep.setEditable(true);
    salesRep.addItem("stale");

    // No stored sale: the message, an empty list, even with names in the file.
    fillFromStoredSales(&salesRep, sales_table::distinctValues("SalesRep"), true, *l.context);
    EXPECT_EQ(l.dialogs.take(), QStringList({texts::kNoRecords}));
    EXPECT_EQ(salesRep.count(), 0);

    addSale(l, "Ann", "Radio");
    addSale(l, "Ann", "Web");
    addSale(l, "Anne", "Radio");
    addSale(l, "Bob", "radio");
    fillFromStoredSales(&salesRep, sales_table::distinctValues("SalesRep"), true, *l.context);
    EXPECT_TRUE(l.dialogs.texts().isEmpty());
    EXPECT_EQ(entries(&salesRep), QStringList({"Ann", "Anne", "Bob", "Carl"}));
    EXPECT_EQ(l.store->adodc2.sql(), "SELECT * FROM Mervalis2");

    // Case-sensitive: "ann" follows "Ann"; a typed text stays.
    addSale(l, "ann", "Web");
    salesRep.setEditText("Zoe");
    fillFromStoredSales(&salesRep, sales_table::distinctValues("SalesRep"), true, *l.context);
    EXPECT_EQ(entries(&salesRep), QStringList({"Ann", "Anne", "Bob", "ann", "Carl"}));
    EXPECT_EQ(salesRep.currentText(), "Zoe");

    // Marketing tools: no lead list.
    QComboBox tools;
    fillFromStoredSales(&tools, sales_table::distinctValues("MarketingTool"), false, *l.context);
    EXPECT_EQ(entries(&tools), QStringList({"Radio", "Web", "radio"}));

    // A sale without a sales rep offers nothing; a missing lead list is
    // reported, keeps the stored names and is not created.
    l.env.exec("INSERT INTO Mervalis2 (ClientName) VALUES ('c')");
    QFile::remove(leads);
    fillFromStoredSales(&salesRep, sales_table::distinctValues("SalesRep"), true, *l.context);
    EXPECT_EQ(entries(&salesRep), QStringList({"Ann", "Anne", "Bob", "ann"}));
    EXPECT_EQ(l.dialogs.last(), texts::kNoRecords);
    EXPECT_FALSE(QFileInfo::exists(leads));
}

#include "list_files_test.moc"
