#pragma once

#include <QString>

namespace mervalis::setup {

// The HTML help of the program, one section per anchor: "use", "company",
// "client", "sales", "invoice", "modifyinvoice", "salesgrid", "clientgrid",
// "analyse".
QString helpHtml();
bool writeHelpFile(const QString& path, QString* error);

}  // namespace mervalis::setup
