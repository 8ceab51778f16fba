#pragma once

#include <QString>

namespace mervalis::setup {

struct SampleLedger {
    int companies = 3;
    int clients = 50;
    int sales = 2000;
    int years = 3;      // the sales spread over the last `years` years
    unsigned seed = 2026;
};

// Fills an empty database (made by createDatabase) with a realistic ledger
// written the way the program writes rows: sell dates in the short date
// format, Day, Month and Year split from them, profiles copied from the
// client, totals rounded as the sale entry rounds them, some invoices paid.
bool fillSampleLedger(const QString& databasePath, const SampleLedger& size, QString* error);

// Writes the list files productfile.txt, ethnicity.txt and leadsgivento.txt
// into the program folder with the entries the sample ledger uses, one a line
// ended by CR LF. A list file that exists already is left as it is.
bool writeSampleListFiles(const QString& programFolder, QString* error);

}  // namespace mervalis::setup
