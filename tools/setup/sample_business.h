#pragma once

// The sample business that the set-up writes as a sample ledger: what it sells,
// who sells it, how clients find it, its billing companies and its clients.
// The figures are made up; the choices come from one seed, so that the same
// seed gives the same ledger.

#include <algorithm>
#include <array>
#include <iterator>
#include <random>
#include <string>
#include <vector>

namespace mervalis::setup::sample {

struct Product {
    const char* name;
    long long cents;  // usual unit price
    int minQuantity;
    int maxQuantity;
    bool hours;     // sold by the hour: half hours occur
    bool goods;     // shipped: may carry freight
    double weight;  // how often it sells
    unsigned sellers;  // which of the sample companies sell it (bit per company)
};

inline constexpr std::array kProducts{
    Product{"Website design", 45000, 1, 1, false, false, 1.0, 0b001},
    Product{"Web hosting (12 months)", 11999, 1, 3, false, false, 1.6, 0b001},
    Product{"Consultancy (per hour)", 6500, 1, 16, true, false, 2.2, 0b101},
    Product{"Laptop computer", 79999, 1, 5, false, true, 1.2, 0b011},
    Product{"Laser printer", 24950, 1, 3, false, true, 0.8, 0b010},
    Product{"Printer toner", 3495, 1, 12, false, true, 2.0, 0b010},
    Product{"Office chair", 14900, 1, 8, false, true, 0.7, 0b010},
    Product{"Support contract", 24000, 1, 1, false, false, 1.1, 0b001},
    Product{"Training day", 35000, 1, 3, false, false, 0.6, 0b100},
    Product{"Network installation", 125000, 1, 1, false, false, 0.3, 0b001},
};

// The people leads are given to; the first four are the sales reps who sell
// most, the fifth mostly passes leads on.
inline constexpr std::array kLeadPeople{"Anna Kowalski", "Ben Carter", "Chloe Martin", "David Osei", "Emma Walsh"};
inline constexpr std::array kRepWeights{3.0, 2.5, 2.0, 1.5, 0.3};

inline constexpr std::array kEthnicities{"White British", "White Irish", "White Other", "Indian", "Pakistani",
                                         "Bangladeshi", "Chinese", "Black Caribbean", "Black African", "Mixed",
                                         "Other"};

inline constexpr std::array kMarketingTools{"Web site", "Referral", "Newspaper advert", "Trade show", "Mail shot",
                                            "Radio advert", "None"};
inline constexpr std::array kToolWeights{4.0, 3.0, 2.0, 1.2, 1.0, 0.6, 0.4};

// The discounts offered on the Sales tab (amounts of money) and the usual
// tax rates.
inline constexpr std::array kDiscounts{"5", "10", "15", "20", "25", "30", "35", "40", "45", "50"};
inline constexpr std::array kTaxRates{"20", "17.5", "5", "0"};
inline constexpr std::array kTaxWeights{7.0, 1.0, 1.0, 1.0};
inline constexpr std::array kFreights{"4.95", "9.5", "12", "25"};

inline constexpr std::array kSaleNotes{"Repeat order", "Delivered by courier", "Collected by the client",
                                       "Priority order", "Price agreed by phone", "Part of a larger project"};

// The billing companies of the sample ledger.
struct Company {
    const char* name;
    const char* first;
    const char* surname;
    const char* address1;
    const char* address2;
    const char* postCode;
    const char* city;
    const char* country;
    const char* telephone;
    const char* telephone2;
    const char* fax;
    const char* mobile;
    const char* email;
    const char* notes;
};

inline constexpr std::array kCompanies{
    Company{"Northgate IT Services Ltd", "Helen", "Marsh", "Unit 4, Northgate Business Park", "Kirkstall Road",
                   "LS3 1HS", "Leeds", "UK", "0113 496 0123", "0113 496 0124", "0113 496 0199", "07700 900123",
                   "accounts@northgate-it.example", "VAT reg. GB 123 4567 89"},
    Company{"Harbour Lane Supplies", "Peter", "Quinn", "17 Harbour Lane", "", "BS1 5TT", "Bristol", "UK",
                   "0117 496 0456", "", "", "07700 900456", "sales@harbourlane.example", "Office and computer supplies"},
    Company{"Quinn & Marsh Training", "Helen", "Marsh", "2nd Floor, 88 Deansgate", "", "M3 2ER", "Manchester",
                   "UK", "0161 496 0789", "0161 496 0790", "0161 496 0791", "07700 900789",
                   "training@quinnmarsh.example", "Courses run on the client's premises"},
};
inline constexpr std::array kCompanyWeights{5.0, 3.0, 2.0};

// Deterministic random choices from one seed (std::mt19937's sequence is
// fixed by the standard; the helpers below do not depend on the library's
// distributions).
class Random {
public:
    explicit Random(unsigned seed) : engine_(seed) {}

    double real() { return static_cast<double>(engine_()) / 4294967296.0; }  // [0, 1)
    int below(int n) { return static_cast<int>(real() * n); }
    int between(int low, int high) { return low + below(high - low + 1); }
    bool chance(double p) { return real() < p; }
    template <typename Container>
    const auto& pick(const Container& items)
    {
        return items[static_cast<size_t>(below(static_cast<int>(std::size(items))))];
    }

private:
    std::mt19937 engine_;
};

// Picks an index by weight.
class WeightedChoice {
public:
    WeightedChoice() = default;
    template <typename Weights>
    explicit WeightedChoice(const Weights& weights)
    {
        double sum = 0;
        for (double w : weights) cumulative_.push_back(sum += w);
    }
    int operator()(Random& random) const
    {
        const double x = random.real() * cumulative_.back();
        return static_cast<int>(std::upper_bound(cumulative_.begin(), cumulative_.end(), x) - cumulative_.begin());
    }
    bool empty() const { return cumulative_.empty(); }

private:
    std::vector<double> cumulative_;
};

// The rows of the companies and clients tables, in the order the program's
// add operations write their fields.
struct ClientRow {
    std::string sex, age, income, ethnicity, leadGivenTo, telephone2, fax, name, first, surname, address1,
        address2, postCode, city, country, telephone, mobile, email, notes;
    int rep = -1;  // index into kLeadPeople of the lead's person
};

struct CompanyRow {
    std::string telephone2, fax, name, first, surname, address1, address2, postCode, city, country, telephone,
        mobile, email, notes;
};

// The billing companies: the sample three first, then made-up ones.
std::vector<CompanyRow> makeCompanies(int count, Random& random);
// Clients: two in five businesses, the others private persons with a profile.
std::vector<ClientRow> makeClients(int count, Random& random);

}  // namespace mervalis::setup::sample
