#pragma once

#include "data/installation.h"

class QSettings;

namespace mervalis {

class DataControl;
class Database;
class DialogService;
class HelpLauncher;

// What every window and tab needs, handed in rather than reached globally so
// that tests can build any tab on its own.
struct AppContext {
    Database& database;
    DataControl& adodc1;  // clients, Mervalis
    DataControl& adodc2;  // sales, Mervalis2
    DataControl& adodc3;  // companies, Mervalis3
    DialogService& dialogs;
    HelpLauncher& help;
    QSettings& settings;  // per-user settings, organisation and application "Mervalis"
    Installation installation;
};

}  // namespace mervalis
