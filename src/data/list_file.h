#pragma once

#include <QString>
#include <QStringList>

namespace mervalis {

struct Installation;

// The three editable list files of the program folder, one entry a line.
enum class ListFile { Products, Ethnicity, LeadsGivenTo };

// productfile.txt, ethnicity.txt or leadsgivento.txt in the program folder.
QString listFilePath(const Installation& installation, ListFile file);

// Every line of a list file, whole and untrimmed, in file order. Lines may end
// in CR LF or LF alone; no entry keeps a stray CR. An empty line gives an
// empty entry; the line end after the last line does not add one. `opened`
// (optional) tells whether the file could be opened; when not, the list is
// empty.
QStringList readListFile(const QString& path, bool* opened);

}  // namespace mervalis
