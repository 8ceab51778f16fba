#pragma once

class QLabel;

namespace mervalis {

// The two lines at the foot of the main window: the notice line Label4 and
// the progress line Label37.
struct FootLine {
    QLabel* Label4 = nullptr;
    QLabel* Label37 = nullptr;
};

}  // namespace mervalis
