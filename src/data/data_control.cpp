#include "data/data_control.h"

#include "data/dialogs.h"
#include "data/kept_figures.h"
#include "data/paged_query.h"
#include "data/record_set_model.h"
#include "data/sales_table.h"
#include "data/sql.h"

#include <QRegularExpression>
#include <QTimer>

#include <algorithm>
#include <optional>
#include <string>

namespace mervalis {

namespace {

std::vector<RecordSet::Cell> cellsOf(const std::vector<std::optional<std::string>>& texts)
{
    std::vector<RecordSet::Cell> cells;
    cells.reserve(texts.size());
    for (const auto& text : texts) {
        cells.push_back(text ? RecordSet::Cell(std::string_view(*text)) : std::nullopt);
    }
    return cells;
}

// A field name as the database gives it; anything else (an expression of a
// query's own) is no column to name in a statement.
bool isPlainName(const QString& name)
{
    static const QRegularExpression plainName(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
    return plainName.match(name).hasMatch();
}

qsizetype indexOfField(const QStringList& fields, const QString& column)
{
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (fields[i].compare(column, Qt::CaseInsensitive) == 0) return i;
    }
    return -1;
}

}  // namespace

DataControl::DataControl(QString name, QString table, Database& database, DialogService& dialogs,
                         QObject* parent)
    : QObject(parent),
      name_(std::move(name)),
      table_(std::move(table)),
      database_(database),
      dialogs_(dialogs),
      recordSource_(table_),
      model_(new RecordSetModel(*this))
{
}

DataControl::~DataControl() = default;

QString DataControl::refreshFirstMessage()
{
    return QStringLiteral("This record was added since the view was last refreshed and still shows ID 0. "
                          "Please press Refresh View, then make the change again.");
}

QString DataControl::sql() const
{
    return commandType_ == CommandType::Table ? QStringLiteral("SELECT * FROM ") + recordSource_ : recordSource_;
}

bool DataControl::report(const QString& action)
{
    // A SQLite ledger that another program keeps locked for longer than the
    // busy timeout: say so, and that trying again is the remedy.
    const QString error = database_.lastError();
    const QString hint = error.contains(QLatin1String("database is locked"), Qt::CaseInsensitive) ||
                                 error.contains(QLatin1String("database is busy"), Qt::CaseInsensitive)
                             ? QStringLiteral("\r\n\r\nAnother program is writing to the ledger. Nothing was "
                                              "stored; please try again in a moment.")
                             : QString();
    dialogs_.show(QStringLiteral("The data source \"%1\" could not %2.\r\n\r\n%3%4")
                      .arg(database_.dataSourceName(), action, error, hint),
                  DialogService::Icon::Exclamation, DialogService::Buttons::Ok);
    return false;
}

bool DataControl::reportQuery(const QString& sql)
{
    return report(database_.isConnected() ? QStringLiteral("run this query:\r\n%1").arg(sql)
                                          : QStringLiteral("be reached"));
}

void DataControl::replaceRows(RecordSet&& rows)
{
    model_->beginReplace();
    rows_ = std::move(rows);
    current_ = rows_.rowCount() > 0 ? 0 : -1;
    pending_.clear();
    model_->endReplace();
    emit currentChanged();
}

bool DataControl::Refresh()
{
    emit leavingRecord();
    return load(sql());
}

void DataControl::setLargeResult(int heldRows, int pageRows)
{
    heldRows_ = std::max(0, heldRows);
    pageRows_ = std::max(1, pageRows);
}

bool DataControl::load(const QString& source, QString orderBy)
{
    static const QRegularExpression ordered(QStringLiteral("\\border\\s+by\\b"),
                                            QRegularExpression::CaseInsensitiveOption);
    // PostgreSQL gives the rows of a query without ORDER BY in no fixed order
    // (a changed row moves), where SQLite gives a table's rows in the order
    // they were added: whole rows are put into that order there too, so that
    // an invoice's lines, say, come as on SQLite.
    static const QRegularExpression wholeRows(QStringLiteral("^\\s*select\\s+\\*\\s+from\\b"),
                                              QRegularExpression::CaseInsensitiveOption);
    if (!database_.connect()) return reportQuery(source);
    const bool postgres = database_.engine() == Database::Engine::PostgreSQL;
    QString text = sales_table::inIndexOrder(source, postgres);
    if (postgres && orderBy.isEmpty() &&
        wholeRows.match(text).hasMatch() && !ordered.match(text).hasMatch()) {
        text = QStringLiteral("SELECT * FROM (%1) AS ordered ORDER BY ID").arg(source);
    }
    // The first rows tell whether the result is small enough to hold whole.
    RowBlock first;
    Cursor::Read outcome = Cursor::Read::Failed;
    for (int pass = 0; pass < 3 && (pass == 0 || outcome == Cursor::Read::TooLong); ++pass) {
        const std::unique_ptr<Cursor> cursor = database_.open(text, pass == 2);
        if (!cursor) break;
        first = RowBlock();
        outcome = cursor->read(first, heldRows_ + 1);
    }
    if (outcome == Cursor::Read::Failed || outcome == Cursor::Read::TooLong) return reportQuery(source);
    if (first.rowCount() <= heldRows_) {
        RecordSet fresh;
        fresh.hold(std::move(first));
        replaceRows(std::move(fresh));
        return true;
    }
    if (orderBy.isEmpty() && first.columnIndex(QStringLiteral("ID")) >= 0 && !ordered.match(text).hasMatch()) {
        orderBy = QStringLiteral("ID");
    }
    // Put into an index's order, the source tells the number of rows.
    return page(first, text, orderBy, text.startsWith(source) ? QString() : source);
}

bool DataControl::page(const RowBlock& shape, const QString& text, const QString& orderBy, const QString& unordered)
{
    // The order of the rows does not change their number: a closing ORDER BY
    // (with no LIMIT after it) is left out of the count, which the database
    // would otherwise sort for.
    static const QRegularExpression closingOrder(QStringLiteral("\\s+order\\s+by\\s+[^()']*$"),
                                                 QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression limit(QStringLiteral("\\b(limit|offset|fetch)\\b"),
                                          QRegularExpression::CaseInsensitiveOption);
    QString counted = unordered.isEmpty() ? text : unordered;
    const QRegularExpressionMatch order = closingOrder.match(counted);
    if (order.hasMatch() && !limit.match(order.captured()).hasMatch()) counted.truncate(order.capturedStart());
    // Every sale is counted by the figures the database keeps, without
    // reading them (PostgreSQL would walk them all).
    static const QRegularExpression allSales(QStringLiteral("^\\s*select\\s+\\*\\s+from\\s+mervalis2\\s*$"),
                                             QRegularExpression::CaseInsensitiveOption);
    const QString counting = allSales.match(counted).hasMatch()
                                 ? kept_figures::countOfAllSales()
                                 : QStringLiteral("SELECT COUNT(*) FROM (%1) AS counted").arg(counted);
    RowBlock count;
    if (!database_.query(counting, count) ||
        count.rowCount() != 1) {
        return report(QStringLiteral("count the rows of this query:\r\n%1").arg(text));
    }
    const QString paged = orderBy.isEmpty() ? text : QStringLiteral("SELECT * FROM (%1) AS ordered ORDER BY %2").arg(text, orderBy);
    pageFailureShown_ = false;
    // The last rows are read from the reversed order.
    const int rows = count.value(0, 0).toInt();
    const QString reversed = orderBy.isEmpty() ? QString()
                                               : QStringLiteral("SELECT * FROM (%1) AS ordered ORDER BY %2")
                                                     .arg(text, sales_table::reversedOrder(orderBy));
    auto source = std::make_unique<PagedQuery>(
        database_, paged,
        [this] {
            // Rows are read while the grid paints: the user is told once, after.
            if (pageFailureShown_) return;
            pageFailureShown_ = true;
            QTimer::singleShot(0, this, [this] { report(QStringLiteral("read the rows")); });
        },
        reversed);
    RecordSet fresh;
    fresh.page(shape, rows, pageRows_, std::move(source));
    replaceRows(std::move(fresh));
    return true;
}

bool DataControl::query(const QString& text)
{
    setCommandType(CommandType::Text);
    setRecordSource(text);
    return Refresh();
}

bool DataControl::lookUp(const QString& text, RowBlock& rows)
{
    return database_.query(text, rows) || reportQuery(text);
}

bool DataControl::execute(const QString& statement, long* rowsAffected)
{
    emit leavingRecord();
    return database_.execute(statement, rowsAffected) || report(QStringLiteral("save the change"));
}

void DataControl::moveFirst() { moveTo(0); }

void DataControl::moveNext() { moveTo(current_ + 1); }

void DataControl::moveTo(int row)
{
    if (row == current_) return;
    emit leavingRecord();
    pending_.clear();
    current_ = row < 0 ? -1 : std::min(row, rows_.rowCount());
    emit currentChanged();
}

QString DataControl::field(const QString& name) const
{
    return field(rows_.columnIndex(name));
}

QString DataControl::field(int position) const
{
    if (eof() || position < 0 || position >= rows_.columnCount()) return {};
    return rows_.value(current_, position);
}

bool DataControl::addNew(const QStringList& fields, const QStringList& values)
{
    emit leavingRecord();
    QStringList literals;
    for (qsizetype i = 0; i < fields.size(); ++i) {
        literals << quoted(i < values.size() ? values[i] : QString());
    }
    const QString statement = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                  .arg(table_, fields.join(QStringLiteral(", ")), literals.join(QStringLiteral(", ")));
    if (!database_.execute(statement)) return report(QStringLiteral("add the record"));

    // The new row joins the held rows as the database has not numbered it yet.
    if (rows_.columnCount() > 0) {
        std::vector<std::optional<std::string>> texts(static_cast<size_t>(rows_.columnCount()));
        for (int c = 0; c < rows_.columnCount(); ++c) {
            const QString& column = rows_.columnNames()[c];
            if (column.compare(QLatin1String("ID"), Qt::CaseInsensitive) == 0) {
                texts[static_cast<size_t>(c)] = std::string(1, '0');
                continue;
            }
            const qsizetype i = indexOfField(fields, column);
            if (i >= 0) texts[static_cast<size_t>(c)] = (i < values.size() ? values[i] : QString()).toStdString();
        }
        const int row = rows_.rowCount();
        model_->beginAppend(row);
        rows_.appendRow(cellsOf(texts));
        model_->endAppend();
        current_ = row;
        pending_.clear();
        emit currentChanged();
    }
    return true;
}

void DataControl::setField(const QString& name, const QString& value)
{
    pending_[name] = value;
}

bool DataControl::update()
{
    if (pending_.isEmpty()) return true;
    if (eof()) {
        pending_.clear();
        return true;
    }
    const QMap<QString, QString> changes = pending_;
    pending_.clear();
    return updateRow(current_, changes);
}

int DataControl::idOf(int row, bool* ok) const
{
    const int column = rows_.columnIndex(QStringLiteral("ID"));
    *ok = false;
    if (column < 0 || row < 0 || row >= rows_.rowCount()) return 0;
    return rows_.value(row, column).toInt(ok);
}

bool DataControl::storedIdOf(int row, const QString& done, int* id)
{
    bool ok = false;
    *id = idOf(row, &ok);
    if (ok && *id != 0) return true;
    dialogs_.inform(ok ? refreshFirstMessage()
                       : QStringLiteral("These rows do not show their ID, so they cannot be %1 here. "
                                        "Please press View All Records /Refresh All Databases first.")
                             .arg(done));
    return false;
}

std::optional<QString> DataControl::readValue(int row, int column) const
{
    if (rows_.isNull(row, column)) return std::nullopt;
    return rows_.value(row, column);
}

bool DataControl::refuse(int id)
{
    refused_ = true;
    RowBlock found;
    const bool deleted =
        database_.query(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE ID = %2").arg(table_).arg(id), found) &&
        found.rowCount() == 1 && found.value(0, 0) == QLatin1String("0");
    dialogs_.warn(QStringLiteral("This record was %1 by someone else after it was shown here. Nothing was stored."
                                 "\r\n\r\nRefresh View shows the record as it now stands.")
                      .arg(deleted ? QStringLiteral("deleted") : QStringLiteral("changed")));
    return false;
}

bool DataControl::updateRow(int row, const QMap<QString, QString>& changes)
{
    refused_ = false;
    if (changes.isEmpty()) return true;
    int id = 0;
    if (!storedIdOf(row, QStringLiteral("changed"), &id)) return false;
    QStringList assignments;
    QString unchanged;
    for (auto it = changes.cbegin(); it != changes.cend(); ++it) {
        const int column = rows_.columnIndex(it.key());
        const bool number = column >= 0 && rows_.columnKind(column) == RecordSet::Kind::Number;
        // An emptied number cell is stored as no value rather than as text.
        const std::optional<QString> value =
            number && it.value().trimmed().isEmpty() ? std::nullopt : std::optional<QString>(it.value());
        assignments << it.key() + QStringLiteral(" = ") + (value ? quoted(*value) : QStringLiteral("NULL"));
        if (column >= 0) {
            unchanged += QStringLiteral(" AND (%1 OR %2)")
                             .arg(holdsValue(it.key(), readValue(row, column), number),
                                  holdsValue(it.key(), value, number));
        }
    }
    const QString statement = QStringLiteral("UPDATE %1 SET %2 WHERE ID = %3%4")
                                  .arg(table_, assignments.join(QStringLiteral(", ")))
                                  .arg(id)
                                  .arg(unchanged);
    long changed = 0;
    if (!database_.execute(statement, &changed)) return report(QStringLiteral("save the change"));
    if (changed == 0) return refuse(id);

    // Show what the database stored (it converts numbers, for one).
    RowBlock stored;
    if (database_.query(QStringLiteral("SELECT * FROM %1 WHERE ID = %2").arg(table_).arg(id), stored) &&
        stored.rowCount() == 1 && stored.columnNames() == rows_.columnNames()) {
        rows_.replaceRow(row, stored.rowCells(0));
    } else {
        std::vector<std::optional<std::string>> texts;
        for (const RecordSet::Cell& cell : rows_.rowCells(row)) {
            texts.push_back(cell ? std::optional<std::string>(std::string(*cell)) : std::nullopt);
        }
        for (auto it = changes.cbegin(); it != changes.cend(); ++it) {
            const int column = rows_.columnIndex(it.key());
            if (column >= 0) texts[static_cast<size_t>(column)] = it.value().toStdString();
        }
        rows_.replaceRow(row, cellsOf(texts));
    }
    model_->rowRewritten(row);
    if (row == current_) emit currentChanged();
    return true;
}

bool DataControl::deleteRow(int row)
{
    refused_ = false;
    int id = 0;
    if (!storedIdOf(row, QStringLiteral("deleted"), &id)) return false;
    // A delete takes every field with it: it holds only while none changed.
    QString unchanged;
    for (int column = 0; column < rows_.columnCount(); ++column) {
        const QString& name = rows_.columnNames()[column];
        if (!isPlainName(name) || name.compare(QLatin1String("ID"), Qt::CaseInsensitive) == 0) continue;
        unchanged += QStringLiteral(" AND ") + holdsValue(name, readValue(row, column),
                                                         rows_.columnKind(column) == RecordSet::Kind::Number);
    }
    long deleted = 0;
    if (!database_.execute(QStringLiteral("DELETE FROM %1 WHERE ID = %2%3").arg(table_).arg(id).arg(unchanged),
                           &deleted)) {
        return report(QStringLiteral("delete the record"));
    }
    if (deleted == 0) return refuse(id);
    if (row == current_) pending_.clear();
    model_->beginRemove(row);
    rows_.removeRow(row);
    model_->endRemove();
    if (current_ > row || current_ >= rows_.rowCount()) current_ = rows_.rowCount() > 0 ? std::max(0, current_ - 1) : -1;
    emit currentChanged();
    return true;
}

std::vector<int> DataControl::sellDateKeys(int column) const
{
    // A sale's sell date sorts as the date it stands for.
    if (rows_.columnNames().at(column).compare(QLatin1String("SellDate"), Qt::CaseInsensitive) != 0) return {};
    std::vector<int> keys;
    for (const char* part : {"Year", "Month", "Day", "ID"}) {
        const int key = rows_.columnIndex(QLatin1String(part));
        if (key < 0) return {};
        keys.push_back(key);
    }
    return keys;
}

bool DataControl::sort(const QString& fieldName)
{
    const int column = rows_.columnIndex(fieldName);
    if (column < 0) return false;
    emit leavingRecord();
    const std::vector<int> dateKeys = sellDateKeys(column);
    if (!rows_.holdsAll()) {
        const QString name = rows_.columnNames().at(column);
        if (!isPlainName(name)) return false;
        const bool postgres = database_.engine() == Database::Engine::PostgreSQL;
        QString orderBy = sales_table::orderBy(name, postgres && table_ == QLatin1String("Mervalis2"));
        if (!dateKeys.empty()) {
            orderBy = sales_table::sellDateOrder(postgres);
        } else if (rows_.columnIndex(QStringLiteral("ID")) >= 0 && orderBy != name) {
            orderBy += QStringLiteral(", ID");
        }
        return page(rows_.shape(), sql(), orderBy);
    }
    model_->beginReplace();
    if (dateKeys.empty()) rows_.sortBy(column);
    else rows_.sortByNumbers(dateKeys);
    current_ = rows_.rowCount() > 0 ? 0 : -1;
    pending_.clear();
    model_->endReplace();
    emit currentChanged();
    return true;
}

}  // namespace mervalis
