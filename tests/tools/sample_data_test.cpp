#include "entry/client_tab.h"
#include "entry/sale_calculation.h"
#include "setup/install.h"
#include "setup/sample_data.h"
#include "data/dates.h"
#include "data/money.h"
#include "support/test_env.h"
#include "support/widgets.h"

#include <QMap>
#include <QSet>


using namespace mervalis;
using namespace mervalis::test;

namespace {

// The entries of a list file, checking that every line ends with CR LF.
QStringList listFileLines(const QString& path)
{
    const QByteArray bytes = readFile(path);
    EXPECT_TRUE(bytes.endsWith("\r\n"));
    EXPECT_EQ(bytes.count("\n"), bytes.count("\r\n"));
    QStringList lines = QString::fromUtf8(bytes).split(QStringLiteral("\r\n"));
    lines.removeLast();
    return lines;
}

QString sqlList(const QStringList& texts) { return "('" + texts.join("', '") + "')"; }

}  // namespace

TEST(SampleLedger, WritesSalesAsTheSalesTabWouldWithTotalsDatesAndProfiles)
{
    TestEnvironment env;
    QString error;
    ASSERT_TRUE(env.fillSampleLedger(setup::SampleLedger{}, &error)) << error.toStdString();
    const auto count = [&](const QString& from) { return env.scalar("SELECT COUNT(*) FROM " + from).toInt(); };
    EXPECT_EQ(count("Mervalis3"), 3);
    EXPECT_EQ(count("Mervalis"), 50);
    EXPECT_EQ(count("Mervalis2"), 2000);
    EXPECT_EQ(count("Mervalis3 WHERE '' IN (CompanyName, Address1, City, PostCode, Country)"), 0);

    // Client profiles: the Client tab's fixed entries, or empty for businesses.
    QMap<QString, QString> profiles;
    for (const QString& row :
         env.rows("SELECT ClientName, City, Country, Sex, Age, Income, Ethnicity, LeadGivenTo FROM Mervalis")) {
        const QStringList f = row.split(QLatin1Char('|'));
        profiles[f[0]] = row;
        EXPECT_TRUE(f[3].isEmpty() ? (f[4] + f[5] + f[6]).isEmpty()
                                   : ClientTab::sexEntries().contains(f[3]) && ClientTab::ageEntries().contains(f[4]) &&
                                         ClientTab::incomeEntries().contains(f[5]) && !f[6].isEmpty())
            << row.toStdString();
        EXPECT_FALSE(f[7].isEmpty());
    }
    EXPECT_EQ(profiles.size(), 50);
    EXPECT_EQ(env.scalar(QString("SELECT %1 FROM Mervalis WHERE Age <> '' LIMIT 1").arg(env.kindOf("Age"))),
              env.onPostgres() ? "citext" : "text");

    // Every sale: its client's profile copied, the sell date split as the
    // Sales tab splits it, the total as the Sales tab works it out.
    const QDate today = QDate::currentDate();
    QSet<QString> years;
    for (const QString& row : env.rows("SELECT ClientName, City, Country, Sex, Age, Income, Ethnicity, LeadGivenTo, "
                                         "SellDate, Day, Month, Year, Amount, Quantity, Discount, Tax, Freight, "
                                         "SubTotal, TotalDue FROM Mervalis2")) {
        const QStringList f = row.split(QLatin1Char('|'));
        ASSERT_EQ(f.size(), 19) << row.toStdString();
        EXPECT_EQ(QStringList(f.mid(0, 8)).join(QLatin1Char('|')), profiles.value(f[0]));
        const QDate sold = readShortDate(f[8]);
        ASSERT_TRUE(sold.isValid()) << f[8].toStdString();
        EXPECT_EQ(shortDateText(sold), f[8]);
        EXPECT_TRUE(sold <= today && sold.year() >= today.year() - 2) << f[8].toStdString();
        EXPECT_EQ(f.mid(9, 3), QStringList({QString::number(sold.day()), QString::number(sold.month()),
                                            QString::number(sold.year())}));
        years << f[11];
        const SaleAmounts amounts{f[12].toDouble(), f[13].toDouble(), f[14].toDouble(), f[15].toDouble(),
                                  f[16].toDouble()};
        SaleFigures figures;
        ASSERT_TRUE(saleFigures(amounts, &figures));
        EXPECT_EQ(f.mid(17, 2), QStringList(2, storedNumberText(figures.total.toDouble()))) << row.toStdString();
    }
    EXPECT_GE(years.size(), 2);
    // Month and Year are texts; written without the number columns' checks,
    // every number is one (on PostgreSQL the columns' types see to both).
    if (!env.onPostgres()) {
        EXPECT_EQ(count("Mervalis2 WHERE typeof(Month) <> 'text' OR typeof(Year) <> 'text'"), 0);
        QStringList notNumbers;
        for (const char* column : {"Day", "Amount", "Quantity", "Discount", "Freight", "SubTotal", "Tax", "TotalDue"}) {
            notNumbers << QStringLiteral("typeof(%1) NOT IN ('integer', 'real')").arg(QLatin1String(column));
        }
        EXPECT_EQ(count("Mervalis2 WHERE " + notNumbers.join(" OR ")), 0);
    }
    // One invoice: one to four lines, one client, company, date, rep, tool
    // and status; paid only when older than two months; credits among the
    // sales, and "None" reps and tools.
    const QDate twoMonthsAgo = today.addMonths(-2);
    const QString newer = QStringLiteral("(CAST(Year AS INTEGER) * 10000 + CAST(Month AS INTEGER) * 100 + Day) >= %1")
                              .arg(twoMonthsAgo.year() * 10000 + twoMonthsAgo.month() * 100 + twoMonthsAgo.day());
    EXPECT_EQ(count("(SELECT ReferenceID FROM Mervalis2 GROUP BY ReferenceID HAVING COUNT(*) > 4 OR COUNT(DISTINCT "
                    "ClientName || '|' || SellDate || '|' || AssociatedCompany || '|' || PAID || '|' || SalesRep || "
                    "'|' || MarketingTool) > 1) AS invoices") +
                  count("Mervalis2 WHERE PAID IS NULL OR PAID NOT IN ('PAID', 'unpaid') OR (PAID = 'PAID' AND " +
                        newer + ")"),
              0);
    for (const char* some : {"Amount < 0", "SalesRep = 'None'", "MarketingTool = 'None'", "PAID = 'PAID'"}) {
        EXPECT_GT(count(QStringLiteral("Mervalis2 WHERE ") + some), 0) << some;
    }
}

TEST(SampleLedger, SameSeedSameLedgerAndOnlyIntoAnEmptyDatabase)
{
    TestEnvironment a, b, c;
    setup::SampleLedger small;
    small.sales = 300;
    QString error;
    ASSERT_TRUE(a.fillSampleLedger(small, &error)) << error.toStdString();
    ASSERT_TRUE(b.fillSampleLedger(small, &error)) << error.toStdString();
    small.seed = 7;
    ASSERT_TRUE(c.fillSampleLedger(small, &error)) << error.toStdString();
    for (const char* sql : {"SELECT * FROM Mervalis2", "SELECT * FROM Mervalis", "SELECT * FROM Mervalis3"}) {
        EXPECT_EQ(a.rows(sql), b.rows(sql)) << sql;
    }
    EXPECT_NE(a.rows("SELECT * FROM Mervalis2"), c.rows("SELECT * FROM Mervalis2"));

    // A second fill would mix two ledgers: refused, nothing added.
    EXPECT_FALSE(a.fillSampleLedger(small, &error));
    EXPECT_TRUE(error.contains(QLatin1String("holds records already")));
    EXPECT_EQ(a.scalar("SELECT COUNT(*) FROM Mervalis2"), "300");
    small.companies = 0;
    EXPECT_FALSE(b.fillSampleLedger(small, &error));
    EXPECT_FALSE(setup::fillSampleLedger(a.file("none.db"), setup::SampleLedger{}, &error));
    EXPECT_FALSE(QFile::exists(a.file("none.db")));
}

TEST(SampleLedger, SetupWritesMissingListFilesWithCrLfAndKeepsExistingOnes)
{
    TestEnvironment env;
    writeFile(env.programFile("ethnicity.txt"), "Mine\r\n");
    setup::InstallOptions options;
    options.programFolder = env.programFolder();
    options.sampleData = true;
    options.replaceDatabase = true;
    // On PostgreSQL: the tables made anew there, and the data source on them.
    if (env.onPostgres()) options.postgres = env.postgresConnection();
    QString message;
    ASSERT_TRUE(setup::install(options, &message)) << message.toStdString();
    EXPECT_EQ(env.scalar("SELECT COUNT(*) FROM Mervalis2"), "2000");

    const QStringList products = listFileLines(env.programFile("productfile.txt"));
    EXPECT_TRUE(products.contains("Laptop computer"));
    EXPECT_EQ(env.scalar("SELECT COUNT(*) FROM Mervalis2 WHERE ProductService NOT IN " + sqlList(products)), "0");
    EXPECT_EQ(listFileLines(env.programFile("ethnicity.txt")), QStringList{"Mine"});
    const QStringList leads = listFileLines(env.programFile("leadsgivento.txt"));
    EXPECT_EQ(leads.size(), 5);
    EXPECT_EQ(env.scalar("SELECT COUNT(*) FROM Mervalis WHERE LeadGivenTo NOT IN " + sqlList(leads)), "0");

    QString error;
    EXPECT_FALSE(setup::writeSampleListFiles(env.programFile("missing/folder"), &error));
    EXPECT_TRUE(error.contains(QLatin1String("could not be written")));
}
