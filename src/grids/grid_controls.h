#pragma once

#include "ui/ui.h"

#include <QKeySequence>
#include <QPushButton>
#include <QString>
#include <QStringList>

namespace mervalis::grid_controls {

// What the Sales Grid and Client Grid tabs share: their button captions and
// tool tips, the notice about ID 0 and the entries of the sort lists.

// A push button named after its caption, with its tool tip.
inline QPushButton* gridButton(const QString& caption, const QString& tip, const char* controlName,
                               QWidget* parent)
{
    auto* button = namedButton(new QPushButton(caption, parent), controlName);
    button->setToolTip(tip);
    return button;
}

inline QString allowUpdateCaption() { return QStringLiteral("Allow Update"); }
inline QString allowUpdateTip() { return QStringLiteral("This allows you to change any of the details of an item"); }
inline QString allowDeleteCaption() { return QStringLiteral("Allow Delete"); }
inline QString allowDeleteTip() { return QStringLiteral("This allows you to delete any item"); }
inline QString resetCaption() { return QStringLiteral("Reset to Not Allow (default)"); }
inline QString resetTip()
{
    return QStringLiteral("This resets to not allow changes or deletes, preventing accidents");
}
inline QString refreshCaption() { return QStringLiteral("Refresh View"); }
inline QString refreshTip() { return QStringLiteral("Refreshes the view, needed when an item has an ID  of 0"); }
inline QString viewAllCaption() { return QStringLiteral("View All Records /Refresh All Databases"); }
inline QString viewAllTip() { return QStringLiteral("This gets all records from the database"); }
// F5 presses Refresh View on either tab.
inline QKeySequence refreshKey() { return QKeySequence(Qt::Key_F5); }
// The export buttons name their grid: "Export Sales to CSV...".
inline QString exportCaption(const QString& grid) { return QStringLiteral("Export %1 to CSV...").arg(grid); }
inline QString exportTip(const QString& subject)
{
    return QStringLiteral("Saves the %1 as this grid shows them to a CSV file").arg(subject);
}
inline QString idZeroNotice()
{
    return QStringLiteral("If an item has an ID of 0, you need to Refresh View. "
                          "Click on the arrow to the left of the item to apply changes.");
}

// The entries of "Sort sales by" and "Sort clients by".
inline QStringList salesSortFields()
{
    return {QStringLiteral("ClientName"), QStringLiteral("ProductService"), QStringLiteral("SellDate"),
            QStringLiteral("SalesRep"),   QStringLiteral("ReferenceID"),    QStringLiteral("TotalDue"),
            QStringLiteral("ID"),         QStringLiteral("Year")};
}
inline QStringList clientSortFields()
{
    return {QStringLiteral("ClientName"), QStringLiteral("ContactFirstName"), QStringLiteral("ContactSurname"),
            QStringLiteral("Address1"),   QStringLiteral("PostCode"),         QStringLiteral("City"),
            QStringLiteral("Country"),    QStringLiteral("Telephone"),        QStringLiteral("Telephone2"),
            QStringLiteral("Fax"),        QStringLiteral("Mobile"),           QStringLiteral("Email"),
            QStringLiteral("ID")};
}

}  // namespace mervalis::grid_controls
