#pragma once

#include <QWidget>

class QPushButton;

namespace mervalis {

struct AppContext;

// The "Client" tab: the clients and their profiles.
class ClientTab : public QWidget {
    Q_OBJECT
public:
    explicit ClientTab(AppContext& context, QWidget* parent = nullptr);

    QPushButton* Command2;   // "Add client to database"
    QPushButton* Command24;  // "Clear Screen"
    QPushButton* Command40;  // "Help"

private:
    AppContext& context_;
};

}  // namespace mervalis
