#include "setup/help_file.h"
#include "support/test_env.h"
#include "support/widgets.h"

#include <QDir>
#include <QFile>
#include <QTextBlock>
#include <QTextDocument>

#include <gtest/gtest.h>

using namespace mervalis;

namespace {

// The anchor names Qt's rich text engine finds in a document, as the help
// window scrolls to them.
QStringList anchorsOf(const QString& html)
{
    QTextDocument document;
    document.setHtml(html);
    QStringList names;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) names << it.fragment().charFormat().anchorNames();
    }
    return names;
}

}  // namespace

TEST(HelpFile, HasEverySectionTheHelpButtonsOpenAndIsWrittenWhole)
{
    test::ensureApplication();
    const QString html = setup::helpHtml();
    ASSERT_FALSE(html.isEmpty());
    const QStringList found = anchorsOf(html);
    for (const char* anchor :
         {"use", "company", "client", "sales", "invoice", "modifyinvoice", "salesgrid", "clientgrid", "analyse"}) {
        const QString name = QLatin1String(anchor);
        EXPECT_TRUE(html.contains(QStringLiteral("id=\"%1\"").arg(name))) << anchor;
        EXPECT_TRUE(found.contains(name)) << anchor;
    }
    // Sections say what the user needs, in the program's own captions.
    for (const char* text : {"MERVALIS_HOME", "productfile.txt", "ethnicity.txt", "leadsgivento.txt",
                             "Calculate Total and Add to Database", "Mark Invoice as PAID", "Allow Update",
                             "Reset to Not Allow (default)", "View Quarterly", "70.46"}) {
        EXPECT_TRUE(html.contains(QLatin1String(text))) << text;
    }

    QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath(QStringLiteral("Mervalis.html"));
    QString error;
    ASSERT_TRUE(setup::writeHelpFile(path, &error)) << error.toStdString();
    EXPECT_EQ(QString::fromUtf8(test::readFile(path)), html);
    EXPECT_FALSE(setup::writeHelpFile(QDir(dir.path()).filePath(QStringLiteral("missing/Mervalis.html")), &error));
    EXPECT_TRUE(error.contains(QLatin1String("could not be written")));
}
