// Income compared by category: by the values of one sale column within a
// year (Command32), by year (Command38), over all years (Command48, Command50).
#include "analysis/analysis_tab.h"

namespace mervalis {

void AnalysisTab::Command32_Click() {}
void AnalysisTab::Command38_Click() {}
void AnalysisTab::Command48_Click() {}
void AnalysisTab::Command50_Click() {}

}  // namespace mervalis
