#include "setup/sample_business.h"

#include <cmath>
#include <set>
#include <string_view>

namespace mervalis::setup::sample {

namespace {

constexpr std::array kEthnicityWeights{6.0, 1.2, 1.5, 1.2, 0.8, 0.4, 0.6, 0.7, 0.8, 0.6, 0.3};

// The income bands of the client profile, in their list order.
constexpr std::array kIncomeBands{"Less than 10,000", "10-20,000",   "20-30,000",   "30-40,000",   "40-50,000",
                                  "50-60,000",        "60-70,000",   "70-80,000",   "80-90,000",   "90-100,000",
                                  "100-110,000",      "110-120,000", "120-130,000", "130-140,000", "140-150,000",
                                  "150-160,000",      "160-170,000", "170-180,000", "180-190,000", "190-200,000",
                                  "More than 200,000"};
constexpr std::array kIncomeWeights{1.0, 2.0, 4.0, 5.0, 4.5, 3.5, 2.5, 2.0, 1.5, 1.0, 0.8,
                                    0.6, 0.5, 0.4, 0.3, 0.3, 0.2, 0.2, 0.1, 0.1, 0.4};

struct Place {
    const char* city;
    const char* country;
    const char* postCode;  // outward part of the post code
    const char* dialling;  // telephone prefix
    double weight;
};

constexpr std::array kPlaces{
    Place{"London", "UK", "EC1", "020", 4.0},       Place{"Leeds", "UK", "LS1", "0113", 2.5},
    Place{"Manchester", "UK", "M1", "0161", 2.5},   Place{"Bristol", "UK", "BS1", "0117", 1.5},
    Place{"Glasgow", "UK", "G1", "0141", 1.2},      Place{"York", "UK", "YO1", "01904", 1.0},
    Place{"Cardiff", "UK", "CF10", "029", 0.8},     Place{"Dublin", "Ireland", "D02", "+353 1", 1.0},
    Place{"Cork", "Ireland", "T12", "+353 21", 0.4}, Place{"Paris", "France", "75002", "+33 1", 0.3},
    Place{"New York", "USA", "10001", "+1 212", 0.3},
};

constexpr std::array kStreets{"High Street", "Station Road", "Church Lane", "Park Avenue", "Mill Road",
                              "Victoria Street", "Queens Road", "King Street", "Market Place", "Canal Side",
                              "Orchard Way", "Bridge Street"};

constexpr std::array kMaleNames{"James", "Oliver", "Harry", "Mohammed", "Liam", "Daniel", "Thomas", "Samuel",
                                "Kwame", "Arjun", "Sean", "Wei"};
constexpr std::array kFemaleNames{"Olivia", "Amelia", "Sophie", "Aisha", "Grace", "Niamh", "Priya", "Hannah",
                                  "Chloe", "Mei", "Zara", "Ruth"};
constexpr std::array kSurnames{"Smith", "Jones", "Taylor", "Brown", "Williams", "Wilson", "Patel", "Khan",
                               "O'Brien", "Murphy", "Chen", "Okafor", "Evans", "Thomas", "Roberts", "Walker",
                               "Hughes", "Green", "Hall", "Wood", "Clarke", "Mensah", "Ahmed", "Kelly"};

constexpr std::array kBusinessWords{"Acme", "Brightside", "Castle Hill", "Northern", "Riverside", "Summit",
                                    "Oakwood", "Harbour", "Greenfield", "Pennine", "Silverline", "Kingfisher",
                                    "Beacon", "Westgate", "Meadow", "Clearview"};
constexpr std::array kBusinessTrades{"Plumbing Ltd", "Dental Practice", "Bakery", "Accountants", "Builders Ltd",
                                     "Solicitors", "Garden Centre", "Engineering plc", "Estate Agents",
                                     "Veterinary Surgery", "Print Shop", "Logistics Ltd"};

std::string unique(std::set<std::string>& taken, std::string name)
{
    std::string candidate = name;
    for (int n = 2; !taken.insert(candidate).second; ++n) candidate = name + " " + std::to_string(n);
    return candidate;
}

std::string digits(Random& random, int count)
{
    std::string text;
    for (int i = 0; i < count; ++i) text.push_back(static_cast<char>('0' + random.below(10)));
    return text;
}

std::string postCode(Random& random, const Place& place)
{
    const std::string outward = place.postCode;
    if (std::string_view(place.country) != "UK") return outward;
    std::string inward = std::to_string(random.between(1, 9));
    inward.push_back(static_cast<char>('A' + random.below(26)));
    inward.push_back(static_cast<char>('A' + random.below(26)));
    return outward + " " + inward;
}

std::string mailName(std::string text)
{
    std::string out;
    for (char c : text) {
        if (c >= 'A' && c <= 'Z') out.push_back(static_cast<char>(c - 'A' + 'a'));
        else if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) out.push_back(c);
    }
    return out;
}

}  // namespace

std::vector<CompanyRow> makeCompanies(int count, Random& random)
{
    std::vector<CompanyRow> rows;
    std::set<std::string> taken;
    for (int i = 0; i < count; ++i) {
        const Company& c = kCompanies[static_cast<size_t>(i) % kCompanies.size()];
        CompanyRow row{c.telephone2, c.fax, unique(taken, c.name), c.first, c.surname, c.address1, c.address2,
                       c.postCode, c.city, c.country, c.telephone, c.mobile, c.email, c.notes};
        if (i >= static_cast<int>(kCompanies.size())) row.address1 = std::to_string(random.between(1, 200)) + " " +
                                                                     random.pick(kStreets);
        rows.push_back(std::move(row));
    }
    return rows;
}

std::vector<ClientRow> makeClients(int count, Random& random)
{
    std::vector<double> placeWeights;
    for (const Place& place : kPlaces) placeWeights.push_back(place.weight);
    const WeightedChoice places(placeWeights);
    const WeightedChoice ethnicities(kEthnicityWeights);
    const WeightedChoice incomes(kIncomeWeights);
    const WeightedChoice reps(kRepWeights);
    std::vector<ClientRow> rows;
    std::set<std::string> taken;
    for (int i = 0; i < count; ++i) {
        ClientRow row;
        const Place& place = kPlaces[static_cast<size_t>(places(random))];
        const bool female = random.chance(0.5);
        row.first = female ? random.pick(kFemaleNames) : random.pick(kMaleNames);
        row.surname = random.pick(kSurnames);
        // Two in five clients are businesses; the others are private persons
        // with a profile, named by surname and initial as the help advises.
        const bool business = i % 5 == 0 || i % 5 == 3;
        if (business) {
            row.name = unique(taken, std::string(random.pick(kBusinessWords)) + " " + random.pick(kBusinessTrades));
            row.email = mailName(row.first.substr(0, 1)) + "." + mailName(row.surname) + "@" + mailName(row.name) +
                        ".example";
            row.fax = random.chance(0.4) ? std::string(place.dialling) + " 496 " + digits(random, 4) : std::string();
            row.telephone2 = random.chance(0.5) ? std::string(place.dialling) + " 496 " + digits(random, 4)
                                                : std::string();
            if (random.chance(0.3)) row.notes = "Invoices to the accounts department";
        } else {
            row.name = unique(taken, row.surname + row.first.substr(0, 1));
            row.sex = female ? "Female" : "Male";
            row.age = std::to_string(std::clamp(static_cast<int>(18 + 62 * std::pow(random.real(), 1.3)), 18, 80));
            row.income = kIncomeBands[static_cast<size_t>(incomes(random))];
            row.ethnicity = kEthnicities[static_cast<size_t>(ethnicities(random))];
            row.email = mailName(row.first) + "." + mailName(row.surname) + "@mail.example";
            row.mobile = "07700 9" + digits(random, 5);
            if (random.chance(0.15)) row.notes = "Prefers to be called in the evening";
        }
        row.rep = reps(random);
        row.leadGivenTo = kLeadPeople[static_cast<size_t>(row.rep)];
        row.address1 = std::to_string(random.between(1, 250)) + " " + random.pick(kStreets);
        row.address2 = business && random.chance(0.4) ? "Suite " + std::to_string(random.between(1, 30)) : "";
        row.postCode = postCode(random, place);
        row.city = place.city;
        row.country = place.country;
        row.telephone = std::string(place.dialling) + " 496 " + digits(random, 4);
        rows.push_back(std::move(row));
    }
    return rows;
}

}  // namespace mervalis::setup::sample
