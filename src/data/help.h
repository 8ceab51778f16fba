#pragma once

#include <QString>

namespace mervalis {

// Opens the help file at an anchor ("company", "use", ...; empty for the top)
// in a window of its own, a new one for every call.
class HelpLauncher {
public:
    virtual ~HelpLauncher() = default;
    virtual void open(const QString& anchor) = 0;
};

}  // namespace mervalis
