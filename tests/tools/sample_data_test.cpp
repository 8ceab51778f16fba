#include "setup/install.h"
#include "setup/sample_data.h"
#include "store/dates.h"
#include "store/money.h"
#include "support/test_env.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QSet>

#include <gtest/gtest.h>

using namespace mervalis;
using mervalis::test::TestEnvironment;
using mervalis::test::TestLedger;

namespace {

const QStringList kIncomeBands{"Less than 10,000", "10-20,000",   "20-30,000",   "30-40,000",   "40-50,000",
                               "50-60,000",        "60-70,000",   "70-80,000",   "80-90,000",   "90-100,000",
                               "100-110,000",      "110-120,000", "120-130,000", "130-140,000", "140-150,000",
                               "150-160,000",      "160-170,000", "170-180,000", "180-190,000", "190-200,000",
                               "More than 200,000"};

// The total of a sale line worked out afresh from its stored texts.
double expectedTotal(const QStringList& texts)
{
    const auto r = [](const QString& text) { return roundMoney(text.toDouble()); };
    const double price = r(texts[0]), quantity = r(texts[1]), discount = r(texts[2]), tax = r(texts[3]),
                 freight = r(texts[4]);
    double s = roundMoney(quantity * price);
    if (freight != 0) s = roundMoney(s + freight);
    if (discount != 0) s = roundMoney(s - discount);
    if (tax != 0) s = roundMoney(s + roundMoney(tax * (s / 100)));
    return s;
}

QStringList listFileLines(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.endsWith("\r\n"));
    EXPECT_EQ(bytes.count("\n"), bytes.count("\r\n"));
    QStringList lines = QString::fromUtf8(bytes).split(QStringLiteral("\r\n"));
    lines.removeLast();
    return lines;
}

}  // namespace

TEST(SampleLedger, WritesSalesAsTheSalesTabWouldWithTotalsDatesAndProfiles)
{
    TestLedger l;
    QString error;
    ASSERT_TRUE(setup::fillSampleLedger(l.env.databasePath(), setup::SampleLedger{}, &error)) << error.toStdString();
    EXPECT_EQ(l.env.scalar("SELECT COUNT(*) FROM Mervalis3"), "3");
    EXPECT_EQ(l.env.scalar("SELECT COUNT(*) FROM Mervalis"), "50");
    EXPECT_EQ(l.env.scalar("SELECT COUNT(*) FROM Mervalis2"), "2000");
    EXPECT_EQ(l.env.scalar("SELECT COUNT(*) FROM Mervalis3 WHERE CompanyName = '' OR Address1 = '' OR City = '' "
                           "OR PostCode = '' OR Country = ''"),
              "0");

    // Client profiles: the fixed entries, or empty for businesses.
    QMap<QString, QString> profiles;
    for (const QString& row :
         l.env.rows("SELECT ClientName, City, Country, Sex, Age, Income, Ethnicity, LeadGivenTo FROM Mervalis")) {
        const QStringList f = row.split(QLatin1Char('|'));
        profiles[f[0]] = row;
        if (f[3].isEmpty()) {
            EXPECT_TRUE(f[4].isEmpty() && f[5].isEmpty() && f[6].isEmpty()) << row.toStdString();
        } else {
            EXPECT_TRUE(f[3] == "Male" || f[3] == "Female") << row.toStdString();
            bool ok = false;
            const int age = f[4].toInt(&ok);
            EXPECT_TRUE(ok && age >= 0 && age <= 80 && QString::number(age) == f[4]) << row.toStdString();
            EXPECT_TRUE(kIncomeBands.contains(f[5])) << row.toStdString();
            EXPECT_FALSE(f[6].isEmpty());
        }
        EXPECT_FALSE(f[7].isEmpty());
    }
    EXPECT_EQ(profiles.size(), 50);
    EXPECT_EQ(l.env.scalar("SELECT typeof(Age) FROM Mervalis WHERE Age <> '' LIMIT 1"), "text");

    // Every sale: its client's profile copied, the sell date split as the
    // Sales tab splits it, the total worked out step by step.
    const QDate today = QDate::currentDate();
    QSet<QString> years;
    QMap<QString, QString> invoiceHead;
    QMap<QString, int> invoiceLines;
    int credits = 0, discounted = 0, withFreight = 0;
    for (const QString& row : l.env.rows(
             "SELECT ClientName, City, Country, Sex, Age, Income, Ethnicity, LeadGivenTo, SellDate, Day, Month, "
             "Year, Amount, Quantity, Discount, Tax, Freight, SubTotal, TotalDue, ReferenceID, AssociatedCompany, "
             "PAID, SalesRep, MarketingTool, ProductService, typeof(Month), typeof(Year), typeof(SubTotal) "
             "FROM Mervalis2")) {
        const QStringList f = row.split(QLatin1Char('|'));
        ASSERT_EQ(f.size(), 28) << row.toStdString();
        ASSERT_TRUE(profiles.contains(f[0]));
        EXPECT_EQ(QStringList(f.mid(0, 8)).join(QLatin1Char('|')), profiles[f[0]]);
        const QDate sold = readShortDate(f[8]);
        ASSERT_TRUE(sold.isValid()) << f[8].toStdString();
        EXPECT_EQ(shortDateText(sold), f[8]);
        EXPECT_LE(sold, today);
        EXPECT_GE(sold.year(), today.year() - 2);
        EXPECT_EQ(f[9], QString::number(sold.day()));
        EXPECT_EQ(f[10], QString::number(sold.month()));
        EXPECT_EQ(f[11], QString::number(sold.year()));
        EXPECT_EQ(f.mid(25, 2), QStringList({"text", "text"}));
        EXPECT_NE(f[27], "text");
        years << f[11];
        EXPECT_EQ(f[17], f[18]);
        EXPECT_EQ(f[17], numberText(expectedTotal(f.mid(12, 5)))) << row.toStdString();
        EXPECT_TRUE(f[21] == "PAID" || f[21] == "unpaid");
        if (f[12].startsWith(QLatin1Char('-'))) ++credits;
        if (f[14] != "0") ++discounted;
        if (f[16] != "0") ++withFreight;
        // One invoice: one client, company, date, rep, tool and status.
        const QString head = QStringList{f[0], f[8], f[20], f[21], f[22], f[23]}.join(QLatin1Char('|'));
        if (invoiceHead.contains(f[19])) {
            EXPECT_EQ(invoiceHead[f[19]], head) << f[19].toStdString();
        }
        invoiceHead[f[19]] = head;
        ++invoiceLines[f[19]];
    }
    // Written without the number columns' checks: every number is one.
    QStringList notNumbers;
    for (const char* column : {"Day", "Amount", "Quantity", "Discount", "Freight", "SubTotal", "Tax", "TotalDue"}) {
        notNumbers << QStringLiteral("typeof(%1) NOT IN ('integer', 'real')").arg(QLatin1String(column));
    }
    EXPECT_EQ(l.env.scalar("SELECT COUNT(*) FROM Mervalis2 WHERE " + notNumbers.join(" OR ")), "0");
    EXPECT_GE(years.size(), 2);
    EXPECT_GT(credits, 0);
    EXPECT_GT(discounted, 50);
    EXPECT_GT(withFreight, 50);
    for (int lines : invoiceLines) EXPECT_TRUE(lines >= 1 && lines <= 4);
    EXPECT_GT(invoiceLines.size(), 600);
    EXPECT_LT(invoiceLines.size(), 1500);

    // About 60% of the invoices older than two months are paid, none newer.
    int old = 0, oldPaid = 0;
    for (auto it = invoiceHead.cbegin(); it != invoiceHead.cend(); ++it) {
        const QStringList f = it.value().split(QLatin1Char('|'));
        const bool paid = f[3] == "PAID";
        if (readShortDate(f[1]) < today.addMonths(-2)) {
            ++old;
            oldPaid += paid;
        } else {
            EXPECT_FALSE(paid) << it.key().toStdString();
        }
    }
    ASSERT_GT(old, 100);
    EXPECT_NEAR(double(oldPaid) / old, 0.6, 0.08);

    // Clients who never bought exist, and "None" reps and tools occur.
    EXPECT_LT(l.env.scalar("SELECT COUNT(DISTINCT ClientName) FROM Mervalis2").toInt(), 50);
    EXPECT_NE(l.env.scalar("SELECT COUNT(*) FROM Mervalis2 WHERE SalesRep = 'None'"), "0");
    EXPECT_NE(l.env.scalar("SELECT COUNT(*) FROM Mervalis2 WHERE MarketingTool = 'None'"), "0");

    // Through the data source, as the program reads it.
    ASSERT_TRUE(l.store->adodc2.query("SELECT * FROM Mervalis2"));
    EXPECT_EQ(l.store->adodc2.recordCount(), 2000);
    EXPECT_EQ(l.store->adodc2.field(13), l.store->adodc2.field("TotalDue"));
    const QString year = QString::number(today.year() - 1);
    ASSERT_TRUE(l.store->adodc2.query("SELECT SUM(SUBTOTAL) FROM Mervalis2 WHERE month = '11' and year = '" + year +
                                      "'"));
    EXPECT_GT(l.store->adodc2.field(0).toDouble(), 0);
    EXPECT_TRUE(l.dialogs.shown().empty());
}

TEST(SampleLedger, SameSeedSameLedgerAndOnlyIntoAnEmptyDatabase)
{
    TestEnvironment a, b, c;
    setup::SampleLedger small;
    small.sales = 300;
    QString error;
    ASSERT_TRUE(setup::fillSampleLedger(a.databasePath(), small, &error)) << error.toStdString();
    ASSERT_TRUE(setup::fillSampleLedger(b.databasePath(), small, &error)) << error.toStdString();
    small.seed = 7;
    ASSERT_TRUE(setup::fillSampleLedger(c.databasePath(), small, &error)) << error.toStdString();
    for (const char* sql : {"SELECT * FROM Mervalis2", "SELECT * FROM Mervalis", "SELECT * FROM Mervalis3"}) {
        EXPECT_EQ(a.rows(sql), b.rows(sql)) << sql;
    }
    EXPECT_NE(a.rows("SELECT * FROM Mervalis2"), c.rows("SELECT * FROM Mervalis2"));

    // A second fill would mix two ledgers: refused, nothing added.
    EXPECT_FALSE(setup::fillSampleLedger(a.databasePath(), small, &error));
    EXPECT_TRUE(error.contains(QLatin1String("holds records already")));
    EXPECT_EQ(a.scalar("SELECT COUNT(*) FROM Mervalis2"), "300");
    small.companies = 0;
    EXPECT_FALSE(setup::fillSampleLedger(b.databasePath(), small, &error));
    EXPECT_FALSE(setup::fillSampleLedger(QDir(a.root()).filePath("none.db"), setup::SampleLedger{}, &error));
    EXPECT_FALSE(QFile::exists(QDir(a.root()).filePath("none.db")));
}

TEST(SampleLedger, SetupWritesMissingListFilesWithCrLfAndKeepsExistingOnes)
{
    TestEnvironment env;
    const QDir folder(env.programFolder());
    {
        QFile mine(folder.filePath("ethnicity.txt"));
        ASSERT_TRUE(mine.open(QIODevice::WriteOnly));
        mine.write("Mine\r\n");
    }
    setup::InstallOptions options;
    options.programFolder = env.programFolder();
    options.sampleData = true;
    options.replaceDatabase = true;
    QString message;
    ASSERT_TRUE(setup::install(options, &message)) << message.toStdString();
    EXPECT_EQ(env.scalar("SELECT COUNT(*) FROM Mervalis2"), "2000");

    const QStringList products = listFileLines(folder.filePath("productfile.txt"));
    EXPECT_TRUE(products.contains("Laptop computer"));
    EXPECT_EQ(env.scalar("SELECT COUNT(*) FROM Mervalis2 WHERE ProductService NOT IN ('" +
                         products.join("', '") + "')"),
              "0");
    EXPECT_EQ(listFileLines(folder.filePath("ethnicity.txt")), QStringList{"Mine"});
    const QStringList leads = listFileLines(folder.filePath("leadsgivento.txt"));
    EXPECT_EQ(leads.size(), 5);
    EXPECT_EQ(env.scalar("SELECT COUNT(*) FROM Mervalis WHERE LeadGivenTo NOT IN ('" + leads.join("', '") + "')"),
              "0");

    // The ethnicities of the sample clients are the entries written.
    QFile::remove(folder.filePath("ethnicity.txt"));
    QString error;
    ASSERT_TRUE(setup::writeSampleListFiles(env.programFolder(), &error)) << error.toStdString();
    const QStringList ethnicities = listFileLines(folder.filePath("ethnicity.txt"));
    EXPECT_EQ(env.scalar("SELECT COUNT(*) FROM Mervalis WHERE Ethnicity <> '' AND Ethnicity NOT IN ('" +
                         ethnicities.join("', '") + "')"),
              "0");
    EXPECT_FALSE(setup::writeSampleListFiles(folder.filePath("missing/folder"), &error));
    EXPECT_TRUE(error.contains(QLatin1String("could not be written")));
}
