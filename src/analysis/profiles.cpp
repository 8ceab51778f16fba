// The clients sold to compared by their profile (age, ethnicity, sex, income,
// city, country), the conversion ratio and the closing ratios.
#include "analysis/analysis_tab.h"

namespace mervalis {

void AnalysisTab::Command13_Click() {}
void AnalysisTab::Command26_Click() {}
void AnalysisTab::Command43_Click() {}
void AnalysisTab::Command44_Click() {}
void AnalysisTab::Command46_Click() {}
void AnalysisTab::Command47_Click() {}
void AnalysisTab::Command11_Click() {}
void AnalysisTab::Command45_Click() {}
void AnalysisTab::compareStoredCategories(const QString&, bool) {}

}  // namespace mervalis
