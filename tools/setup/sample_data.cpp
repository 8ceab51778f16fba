#include "setup/sample_data.h"

#include "data/dates.h"
#include "data/money.h"
#include "data/sale_amounts.h"
#include "setup/kept_figures.h"
#include "setup/sample_business.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <sqlite3.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace mervalis::setup {

namespace {

using namespace sample;

std::string utf8(const QString& text) { return text.toStdString(); }

std::string moneyText(long long cents) { return utf8(storedNumberText(static_cast<double>(cents) / 100.0)); }

// The total's text for the texts of one sale line, remembered: a ledger
// repeats the same few combinations of price, quantity, discount, tax and
// freight many times.
class TotalTexts {
public:
    const std::string& operator()(const std::string& price, const std::string& quantity,
                                  const std::string& discount, const std::string& tax, const std::string& freight)
    {
        key_.assign(price).append(1, '|').append(quantity).append(1, '|').append(discount);
        key_.append(1, '|').append(tax).append(1, '|').append(freight);
        auto found = known_.find(key_);
        if (found != known_.end()) return found->second;
        // The texts are plain decimals written by this file; read them
        // without regard to the locale.
        const auto number = [](const std::string& text) {
            double value = 0;
            std::from_chars(text.data(), text.data() + text.size(), value);
            return value;
        };
        SaleAmounts amounts;
        amounts.unitPrice = number(price);
        amounts.quantity = number(quantity);
        amounts.discount = number(discount);
        amounts.tax = number(tax);
        amounts.freight = number(freight);
        SaleFigures figures;
        saleFigures(amounts, &figures);  // the sample's figures are small
        return known_.emplace(key_, utf8(storedNumberText(figures.total.toDouble()))).first->second;
    }

private:
    std::string key_;
    std::unordered_map<std::string, std::string> known_;
};

// ---------------------------------------------------------------------------
// SQLite helpers.

class Statement {
public:
    Statement(sqlite3* db, const char* sql)
    {
        if (sqlite3_prepare_v2(db, sql, -1, &stmt_, nullptr) != SQLITE_OK) stmt_ = nullptr;
    }
    ~Statement() { sqlite3_finalize(stmt_); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;
    explicit operator bool() const { return stmt_ != nullptr; }

    // The text must stay unchanged until run() returns.
    void text(int position, std::string_view value)
    {
        sqlite3_bind_text(stmt_, position, value.data(), static_cast<int>(value.size()), SQLITE_STATIC);
    }
    void number(int position, int value) { sqlite3_bind_int(stmt_, position, value); }
    bool run()
    {
        const int rc = sqlite3_step(stmt_);
        sqlite3_reset(stmt_);
        return rc == SQLITE_DONE;
    }

private:
    sqlite3_stmt* stmt_ = nullptr;
};

// The field lists in the order the program's add operations write them.
constexpr const char* kInsertCompany =
    "INSERT INTO Mervalis3 (Telephone2, Fax, CompanyName, ContactFirstName, ContactSurname, Address1, Address2, "
    "PostCode, City, Country, Telephone, Mobile, Email, Notes) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, "
    "?11, ?12, ?13, ?14)";
constexpr const char* kInsertClient =
    "INSERT INTO Mervalis (Sex, Age, Income, Ethnicity, LeadGivenTo, Telephone2, Fax, ClientName, "
    "ContactFirstName, ContactSurname, Address1, Address2, PostCode, City, Country, Telephone, Mobile, Email, "
    "Notes) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12, ?13, ?14, ?15, ?16, ?17, ?18, ?19)";
constexpr const char* kInsertSale =
    "INSERT INTO Mervalis2 (City, Country, Sex, Age, Income, Ethnicity, LeadGivenTo, Notes, MarketingTool, "
    "AssociatedCompany, ReferenceID, Discount, Freight, SellDate, SalesRep, ClientName, ProductService, Amount, "
    "Tax, Quantity, Day, Month, Year, SubTotal, TotalDue, PAID) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, "
    "?11, ?12, ?13, ?14, ?15, ?16, ?17, ?18, ?19, ?20, ?21, ?22, ?23, ?24, ?25, ?26)";

// ---------------------------------------------------------------------------
// One sell date and its parts as the Sales tab stores them.
struct DateTexts {
    std::string text, month, year;
    int day = 0;
};

bool fail(sqlite3* db, QString* error, const QString& what)
{
    if (error) *error = QStringLiteral("%1: %2").arg(what, QString::fromUtf8(sqlite3_errmsg(db)));
    return false;
}

long long tableRows(sqlite3* db, const char* table)
{
    const std::string sql = std::string("SELECT COUNT(*) FROM ") + table;
    sqlite3_stmt* stmt = nullptr;
    long long count = -1;
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &stmt, nullptr) == SQLITE_OK && sqlite3_step(stmt) == SQLITE_ROW) {
        count = sqlite3_column_int64(stmt, 0);
    }
    sqlite3_finalize(stmt);
    return count;
}

// Writes the whole ledger on an open connection inside the caller's
// transaction.
class LedgerWriter {
public:
    LedgerWriter(sqlite3* db, const SampleLedger& size) : db_(db), size_(size), random_(size.seed) {}

    bool write(QString* error)
    {
        companies_ = makeCompanies(size_.companies, random_);
        clients_ = makeClients(size_.clients, random_);
        return writeCompanies(error) && writeClients(error) && writeSales(error);
    }

private:
    bool writeCompanies(QString* error)
    {
        Statement insert(db_, kInsertCompany);
        if (!insert) return fail(db_, error, QStringLiteral("The companies could not be written"));
        for (const CompanyRow& c : companies_) {
            const std::array<const std::string*, 14> values{&c.telephone2, &c.fax,     &c.name,     &c.first,
                                                            &c.surname,    &c.address1, &c.address2, &c.postCode,
                                                            &c.city,       &c.country, &c.telephone, &c.mobile,
                                                            &c.email,      &c.notes};
            for (size_t i = 0; i < values.size(); ++i) insert.text(static_cast<int>(i + 1), *values[i]);
            if (!insert.run()) return fail(db_, error, QStringLiteral("The companies could not be written"));
        }
        return true;
    }

    bool writeClients(QString* error)
    {
        Statement insert(db_, kInsertClient);
        if (!insert) return fail(db_, error, QStringLiteral("The clients could not be written"));
        for (const ClientRow& c : clients_) {
            const std::array<const std::string*, 19> values{
                &c.sex,     &c.age,      &c.income,   &c.ethnicity, &c.leadGivenTo, &c.telephone2, &c.fax,
                &c.name,    &c.first,    &c.surname,  &c.address1,  &c.address2,    &c.postCode,   &c.city,
                &c.country, &c.telephone, &c.mobile,  &c.email,     &c.notes};
            for (size_t i = 0; i < values.size(); ++i) insert.text(static_cast<int>(i + 1), *values[i]);
            if (!insert.run()) return fail(db_, error, QStringLiteral("The clients could not be written"));
        }
        return true;
    }

    // The sell dates: every day from the first of January `years` years back
    // up to today, weighted so that the charts show seasons, weekends and a
    // growing business.
    std::vector<int> invoiceDays(int invoices, const QDate& first, int dayCount)
    {
        static constexpr std::array<double, 12> kMonthWeights{0.7, 0.8, 1.0, 1.0, 1.1, 1.0,
                                                              0.8, 0.7, 1.1, 1.2, 1.3, 1.5};
        std::vector<double> weights(static_cast<size_t>(dayCount));
        for (int d = 0; d < dayCount; ++d) {
            const QDate date = first.addDays(d);
            const double weekday = date.dayOfWeek() >= 6 ? 0.25 : 1.0;
            const double growth = 1.0 + 0.2 * (date.year() - first.year());
            weights[static_cast<size_t>(d)] = kMonthWeights[static_cast<size_t>(date.month() - 1)] * weekday * growth;
        }
        const WeightedChoice choose(weights);
        std::vector<int> days(static_cast<size_t>(invoices));
        for (int& day : days) day = choose(random_);
        std::sort(days.begin(), days.end());
        return days;
    }

    bool writeSales(QString* error)
    {
        if (size_.sales <= 0) return true;
        const QDate today = QDate::currentDate();
        const QDate first(today.year() - size_.years + 1, 1, 1);
        const int dayCount = static_cast<int>(first.daysTo(today)) + 1;
        const QDate paidBefore = today.addMonths(-2);

        // Lines per invoice: 1 to 4, until the wanted number of sales.
        std::vector<uint8_t> lines;
        lines.reserve(static_cast<size_t>(size_.sales) / 2 + 1);
        for (int left = size_.sales; left > 0;) {
            const double x = random_.real();
            const int n = std::min(left, x < 0.45 ? 1 : x < 0.75 ? 2 : x < 0.9 ? 3 : 4);
            lines.push_back(static_cast<uint8_t>(n));
            left -= n;
        }
        const std::vector<int> days = invoiceDays(static_cast<int>(lines.size()), first, dayCount);

        std::vector<DateTexts> dates(static_cast<size_t>(dayCount));
        for (int d = 0; d < dayCount; ++d) {
            const QDate date = first.addDays(d);
            DateTexts& t = dates[static_cast<size_t>(d)];
            t.text = utf8(shortDateText(date));
            t.day = date.day();
            t.month = std::to_string(date.month());
            t.year = std::to_string(date.year());
        }

        // One client in seven never buys, so that the conversion ratio means
        // something; the others buy more or less often.
        std::vector<double> clientWeights(clients_.size());
        for (size_t i = 0; i < clients_.size(); ++i) {
            clientWeights[i] = (clients_.size() > 1 && i % 7 == 6) ? 0.0 : 1.0 / std::pow(1.0 + random_.below(10), 0.9);
        }
        const WeightedChoice clients(clientWeights);
        std::vector<double> companyWeights(companies_.size());
        for (size_t i = 0; i < companies_.size(); ++i) companyWeights[i] = kCompanyWeights[i % kCompanyWeights.size()];
        const WeightedChoice companies(companyWeights);
        // What each company sells; companies beyond the sample three sell
        // everything.
        std::vector<WeightedChoice> productsOf;
        for (size_t i = 0; i < companies_.size(); ++i) {
            std::vector<double> weights;
            for (const Product& p : kProducts) {
                weights.push_back(i >= kCompanies.size() || (p.sellers >> i) & 1u ? p.weight : 0.0);
            }
            productsOf.emplace_back(weights);
        }
        const WeightedChoice reps(kRepWeights);
        const WeightedChoice tools(kToolWeights);
        const WeightedChoice taxes(kTaxWeights);

        Statement insert(db_, kInsertSale);
        if (!insert) return fail(db_, error, QStringLiteral("The sales could not be written"));
        TotalTexts totals;
        std::vector<std::string> priceTexts;
        for (const Product& p : kProducts) priceTexts.push_back(moneyText(p.cents));
        const std::string zero = "0", none = "None", paid = "PAID", unpaid = "unpaid", noNote;
        std::string reference, price, quantity, discount, freight, tax;
        std::string_view note;

        for (size_t invoice = 0; invoice < lines.size(); ++invoice) {
            const DateTexts& date = dates[static_cast<size_t>(days[invoice])];
            const ClientRow& client = clients_[static_cast<size_t>(clients(random_))];
            const int companyIndex = companies(random_);
            const CompanyRow& company = companies_[static_cast<size_t>(companyIndex)];
            const WeightedChoice& products = productsOf[static_cast<size_t>(companyIndex)];
            reference = "INV" + std::to_string(10001 + invoice);
            // Most sales go to the rep the lead was given to.
            const double r = random_.real();
            const std::string_view rep = r < 0.04 ? std::string_view(none)
                                         : r < 0.72 ? std::string_view(kLeadPeople[static_cast<size_t>(client.rep)])
                                                    : std::string_view(kLeadPeople[static_cast<size_t>(reps(random_))]);
            const std::string_view tool = kMarketingTools[static_cast<size_t>(tools(random_))];
            tax = kTaxRates[static_cast<size_t>(taxes(random_))];
            const QDate sold = first.addDays(days[invoice]);
            const bool isPaid = sold < paidBefore && random_.chance(0.6);
            const bool credit = lines[invoice] >= 2 && random_.chance(0.02);
            int firstProduct = -1;
            bool freightCharged = false;

            for (int line = 0; line < lines[invoice]; ++line) {
                const bool creditLine = credit && line == lines[invoice] - 1;
                const int productIndex = creditLine ? firstProduct : products(random_);
                const Product& product = kProducts[static_cast<size_t>(productIndex)];
                if (firstProduct < 0) firstProduct = productIndex;

                long long cents = product.cents;
                if (!creditLine && random_.chance(0.15)) cents = cents * (random_.chance(0.5) ? 95 : 90) / 100;
                int halfHours = 2 * random_.between(product.minQuantity, product.maxQuantity);
                if (product.hours && random_.chance(0.25)) halfHours += halfHours > 2 ? -1 : 1;
                const bool returned = creditLine && product.goods && random_.chance(0.5);
                if (creditLine) {
                    // A credit is a sale of its own with a negative price: a
                    // returned unit of goods, or a goodwill allowance of a
                    // quarter.
                    cents = returned ? -product.cents : -(product.cents / 4);
                    halfHours = 2;
                }
                price = cents == product.cents ? priceTexts[static_cast<size_t>(productIndex)] : moneyText(cents);
                quantity = utf8(storedNumberText(halfHours / 2.0));
                const long long lineCents = cents * halfHours / 2;
                discount = zero;
                if (!creditLine && random_.chance(0.15)) {
                    const int choice = random_.below(static_cast<int>(kDiscounts.size()));
                    // An amount off, never more than a tenth of the line.
                    if (std::stoll(kDiscounts[static_cast<size_t>(choice)]) * 1000 <= lineCents) {
                        discount = kDiscounts[static_cast<size_t>(choice)];
                    }
                }
                freight = zero;
                if (product.goods && !creditLine && !freightCharged && random_.chance(0.5)) {
                    freight = random_.pick(kFreights);
                    freightCharged = true;
                }
                note = creditLine ? std::string_view(returned ? "Credit: returned item" : "Credit: goodwill allowance")
                                  : random_.chance(0.08) ? std::string_view(random_.pick(kSaleNotes))
                                                         : std::string_view(noNote);
                const std::string& total = totals(price, quantity, discount, tax, freight);

                insert.text(1, client.city);
                insert.text(2, client.country);
                insert.text(3, client.sex);
                insert.text(4, client.age);
                insert.text(5, client.income);
                insert.text(6, client.ethnicity);
                insert.text(7, client.leadGivenTo);
                insert.text(8, note);
                insert.text(9, tool);
                insert.text(10, company.name);
                insert.text(11, reference);
                insert.text(12, discount);
                insert.text(13, freight);
                insert.text(14, date.text);
                insert.text(15, rep);
                insert.text(16, client.name);
                insert.text(17, product.name);
                insert.text(18, price);
                insert.text(19, tax);
                insert.text(20, quantity);
                insert.number(21, date.day);
                insert.text(22, date.month);
                insert.text(23, date.year);
                insert.text(24, total);
                insert.text(25, total);
                insert.text(26, isPaid ? paid : unpaid);
                if (!insert.run()) return fail(db_, error, QStringLiteral("The sales could not be written"));
            }
        }
        return true;
    }

    sqlite3* db_;
    SampleLedger size_;
    Random random_;
    std::vector<CompanyRow> companies_;
    std::vector<ClientRow> clients_;
};

bool writeLines(const QString& path, const QStringList& lines, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        if (error) *error = QStringLiteral("%1 could not be written: %2").arg(path, file.errorString());
        return false;
    }
    QByteArray bytes;
    for (const QString& line : lines) bytes += line.toUtf8() + "\r\n";
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        if (error) *error = QStringLiteral("%1 could not be written: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}

template <typename Items>
QStringList listOf(const Items& items)
{
    QStringList list;
    for (const auto& item : items) list << QString::fromUtf8(item);
    return list;
}

}  // namespace

bool fillSampleLedger(const QString& databasePath, const SampleLedger& size, QString* error)
{
    if (size.companies < 1 || size.clients < 1 || size.sales < 0 || size.years < 1) {
        if (error) *error = QStringLiteral("A sample ledger needs at least one company, one client and one year.");
        return false;
    }
    if (!QFileInfo::exists(databasePath)) {
        if (error) *error = QStringLiteral("%1 does not exist.").arg(databasePath);
        return false;
    }
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(databasePath.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
        const bool ok = fail(db, error, QStringLiteral("%1 could not be opened").arg(databasePath));
        sqlite3_close(db);
        return ok;
    }
    for (const char* table : {"Mervalis", "Mervalis2", "Mervalis3"}) {
        const long long rows = tableRows(db, table);
        if (rows != 0) {
            if (rows < 0) fail(db, error, QStringLiteral("%1 is not a Mervalis database").arg(databasePath));
            else if (error) *error = QStringLiteral("%1 holds records already; the sample ledger goes only into "
                                                    "an empty database.")
                                          .arg(databasePath);
            sqlite3_close(db);
            return false;
        }
    }
    // One transaction, no syncing, the journal in memory and a page cache
    // large enough for the indexes: a failed fill still rolls back, and the
    // file is only valid once committed. The number columns' CHECK
    // constraints build a small temporary table on every row; the values
    // written here are well-formed numbers (the tests check their kinds), so
    // the checks are left out while filling.
    for (const char* pragma : {"PRAGMA synchronous = OFF", "PRAGMA journal_mode = MEMORY",
                               "PRAGMA cache_size = -65536", "PRAGMA ignore_check_constraints = ON"}) {
        sqlite3_exec(db, pragma, nullptr, nullptr, nullptr);
    }
    bool ok = sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr) == SQLITE_OK ||
              fail(db, error, QStringLiteral("No transaction could be started"));
    if (ok) {
        // The kept figures are filled from all the sales at once.
        LedgerWriter writer(db, size);
        ok = execStatements(db, dropKeptTriggerStatements(Engine::SQLite), error) && writer.write(error) &&
             execStatements(db, refillKeptStatements(Engine::SQLite) + keptTriggerStatements(Engine::SQLite), error);
        if (ok && sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK) {
            ok = fail(db, error, QStringLiteral("The sample ledger could not be saved"));
        }
        if (!ok) sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
    }
    sqlite3_close(db);
    return ok;
}

bool writeSampleListFiles(const QString& programFolder, QString* error)
{
    const QDir folder(programFolder);
    QStringList products;
    for (const Product& p : kProducts) products << QString::fromUtf8(p.name);
    const std::array<std::pair<const char*, QStringList>, 3> files{{
        {"productfile.txt", products},
        {"ethnicity.txt", listOf(kEthnicities)},
        {"leadsgivento.txt", listOf(kLeadPeople)},
    }};
    for (const auto& [name, lines] : files) {
        const QString path = folder.filePath(QLatin1String(name));
        if (QFileInfo::exists(path)) continue;
        if (!writeLines(path, lines, error)) return false;
    }
    return true;
}

}  // namespace mervalis::setup
