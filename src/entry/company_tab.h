#pragma once

#include <QWidget>

class QPushButton;

namespace mervalis {

struct AppContext;

// The "Company" tab: the user's own billing companies.
class CompanyTab : public QWidget {
    Q_OBJECT
public:
    explicit CompanyTab(AppContext& context, QWidget* parent = nullptr);

    QPushButton* Command12;  // "Add company to database"
    QPushButton* Command23;  // "Clear Screen"
    QPushButton* Command39;  // "Help"

private:
    AppContext& context_;
};

}  // namespace mervalis
