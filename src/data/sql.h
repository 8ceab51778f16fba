#pragma once

#include <QString>

namespace mervalis {

// Doubles every single quote of a value that is placed between single quotes
// in an SQL text, so that names such as O'Brien read back as they were typed.
// Every value that goes between quotes passes through here, and nothing else
// escapes SQL anywhere in the program.
QString sqlEscape(const QString& value);

}  // namespace mervalis
