#pragma once

#include "data/data_control.h"
#include "data/database.h"

namespace mervalis {

class DialogService;

// The connection and the three data controls of the main window.
struct Store {
    explicit Store(DialogService& dialogs, const QString& dataSourceName = QStringLiteral("Mervalis"))
        : database(dataSourceName),
          adodc1(QStringLiteral("Adodc1"), QStringLiteral("Mervalis"), database, dialogs),
          adodc2(QStringLiteral("Adodc2"), QStringLiteral("Mervalis2"), database, dialogs),
          adodc3(QStringLiteral("Adodc3"), QStringLiteral("Mervalis3"), database, dialogs)
    {
    }

    Database database;
    DataControl adodc1;  // clients
    DataControl adodc2;  // sales
    DataControl adodc3;  // companies
};

}  // namespace mervalis
