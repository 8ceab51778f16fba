#pragma once

#include <QWidget>

class QComboBox;
class QPushButton;

namespace mervalis {

struct AppContext;

// The "Analysis" tab: charts of the stored sales.
class AnalysisTab : public QWidget {
    Q_OBJECT
public:
    explicit AnalysisTab(AppContext& context, QWidget* parent = nullptr);

    QComboBox* Combo8;       // the analysis year
    QPushButton* Command10;  // "Help"

private:
    AppContext& context_;
};

}  // namespace mervalis
