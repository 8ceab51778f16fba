#include "grids/grid_count.h"

#include "data/client_table.h"
#include "data/company_table.h"
#include "data/data_control.h"
#include "data/record_set_model.h"
#include "data/row_block.h"
#include "data/sales_table.h"
#include "data/sql.h"

#include <QLocale>

#include <optional>

namespace mervalis {

namespace {

const QString kViewAll = QStringLiteral("View All Records /Refresh All Databases");

// The value a look-up was made with, when `source` is its text: the text
// around the value is the look-up's own, and the look-up of the value found
// gives `source` again. Empty when `source` is no such look-up.
std::optional<QString> lookedUpValue(const QString& source, QString (*lookUp)(const QString&))
{
    const QString marker(QChar(0x1F));
    const QStringList parts = lookUp(marker).split(marker);
    if (parts.size() < 2 || !source.startsWith(parts[0])) return std::nullopt;
    const qsizetype from = parts[0].size();
    const qsizetype to = parts.size() == 2 ? source.size() - parts[1].size() : source.indexOf(parts[1], from);
    if (to < from) return std::nullopt;
    QString value = source.mid(from, to - from);
    value.replace(QLatin1String("''"), QLatin1String("'"));
    if (lookUp(value) != source) return std::nullopt;
    return value;
}

QString number(int n)
{
    QLocale locale;
    locale.setNumberOptions(QLocale::DefaultNumberOptions);
    return locale.toString(n);
}

QString counted(int n, const GridSubject& subject)
{
    return number(n) + QLatin1Char(' ') + (n == 1 ? subject.one : subject.many);
}

}  // namespace

GridSubject GridSubject::sales()
{
    GridSubject s{QStringLiteral("sale"), QStringLiteral("sales"), QStringLiteral("Sales shown"),
                  {sales_table::selectAll(), sales_table::selectOrderedByReferenceId()}, {}, {}};
    s.lookUps.emplace_back(&sales_table::selectByReferenceId, QStringLiteral("the sales of invoice %1"));
    s.subsets.emplace_back(sales_table::selectUnpaid(), QStringLiteral("the unpaid sales"));
    return s;
}

GridSubject GridSubject::clients()
{
    GridSubject s{QStringLiteral("client"), QStringLiteral("clients"), QStringLiteral("Clients shown"),
                  {client_table::selectAll()}, {}, {}};
    s.lookUps.emplace_back(&client_table::selectByName, QStringLiteral("the clients named %1"));
    return s;
}

GridSubject GridSubject::companies()
{
    GridSubject s{QStringLiteral("company"), QStringLiteral("companies"), QStringLiteral("Companies shown"),
                  {company_table::selectAll()}, {}, {}};
    s.lookUps.emplace_back(&company_table::selectByName, QStringLiteral("the companies named %1"));
    return s;
}

GridContents describeSource(const DataControl& control, const GridSubject& subject)
{
    GridContents contents;
    if (control.rows().columnCount() == 0) return contents;
    // Rows without their ID are no rows of the table: an analysis's sums,
    // counts or names.
    if (!control.hasField(QStringLiteral("ID"))) {
        contents.kind = GridContents::Kind::Computed;
        return contents;
    }
    const QString source = control.sql();
    if (subject.wholeTable.contains(source)) {
        contents.kind = GridContents::Kind::WholeTable;
        return contents;
    }
    contents.kind = GridContents::Kind::Subset;
    contents.which = QStringLiteral("those the last analysis looked at");
    for (const auto& [lookUp, words] : subject.lookUps) {
        if (const std::optional<QString> value = lookedUpValue(source, lookUp)) {
            contents.which = words.arg(*value);
            return contents;
        }
    }
    for (const auto& [subset, words] : subject.subsets) {
        if (subset == source) contents.which = words;
    }
    return contents;
}

QString gridCountText(const GridContents& c, const GridSubject& subject)
{
    const bool known = c.stored >= 0;
    switch (c.kind) {
    case GridContents::Kind::Nothing:
        return QStringLiteral("No %1 read from the ledger.").arg(subject.many);
    case GridContents::Kind::Computed:
        return QStringLiteral("%1 worked out by the last analysis, not %2 of the table%3. %4 shows the table.")
            .arg(number(c.shown) + (c.shown == 1 ? QStringLiteral(" row") : QStringLiteral(" rows")), subject.many,
                 known ? QStringLiteral(" (%1)").arg(counted(c.stored, subject)) : QString(), kViewAll);
    case GridContents::Kind::WholeTable:
        if (!known || c.shown == c.stored) return counted(c.shown, subject) + QStringLiteral(": the whole table.");
        if (c.shown < c.stored) {
            return QStringLiteral("%1 of %2: the table as at the last refresh. Refresh View shows them all.")
                .arg(number(c.shown), counted(c.stored, subject));
        }
        return QStringLiteral("%1: the table as at the last refresh; it now holds %2. Refresh View shows it as it "
                              "stands.")
            .arg(counted(c.shown, subject), number(c.stored));
    case GridContents::Kind::Subset:
        break;
    }
    if (!known || c.shown >= c.stored) return QStringLiteral("%1: %2.").arg(counted(c.shown, subject), c.which);
    return QStringLiteral("%1 of %2: %3. %4 shows them all.")
        .arg(number(c.shown), counted(c.stored, subject), c.which, kViewAll);
}

GridCountLine::GridCountLine(DataControl& control, GridSubject subject, const char* controlName, QWidget* parent)
    : QLabel(parent), control_(control), subject_(std::move(subject))
{
    setObjectName(QLatin1String(controlName));
    setAccessibleName(subject_.accessibleName);
    setWordWrap(true);
    setTextFormat(Qt::PlainText);
    const RecordSetModel* model = control_.model();
    connect(model, &QAbstractItemModel::modelReset, this, &GridCountLine::changed);
    connect(model, &QAbstractItemModel::rowsInserted, this, &GridCountLine::changed);
    connect(model, &QAbstractItemModel::rowsRemoved, this, &GridCountLine::changed);
}

void GridCountLine::changed()
{
    if (isVisible()) recount();
}

void GridCountLine::showEvent(QShowEvent* event)
{
    // Another workstation may have added or deleted rows meanwhile.
    QLabel::showEvent(event);
    recount();
}

void GridCountLine::recount()
{
    GridContents contents = describeSource(control_, subject_);
    contents.shown = control_.recordCount();
    RowBlock count;
    Database& database = control_.database();
    if (database.isConnected() && database.query(countRows(control_.table()), count) && count.rowCount() == 1) {
        bool ok = false;
        const int stored = count.value(0, 0).toInt(&ok);
        if (ok) contents.stored = stored;
    }
    setText(gridCountText(contents, subject_));
}

}  // namespace mervalis
