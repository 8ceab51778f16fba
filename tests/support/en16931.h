#pragma once

#include <QString>
#include <QStringList>

namespace mervalis::test {

// The EN 16931 check the project's shared artefacts give: ../shared/en16931/
// validate beside the project's folder, or the script EN16931_VALIDATE
// names. Empty when there is none; `why` then says so, for a test to skip.
QString en16931Validator(QString* why);

// Runs the check on every file (a CII XML file, or a PDF carrying
// factur-x.xml) side by side; each file that fails, with what the check
// printed. Empty when all pass.
QStringList failingEn16931(const QString& validator, const QStringList& files);

}  // namespace mervalis::test
