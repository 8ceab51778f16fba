#pragma once

#include "data/database.h"
#include "data/record_set.h"
#include "data/row_block.h"

#include <QMap>
#include <QObject>
#include <QString>
#include <QStringList>

#include <optional>

namespace mervalis {

class DialogService;
class RecordSetModel;

// A data control (Adodc1, Adodc2, Adodc3): a record source, a command type
// and the record set of the last query, with a current record. Every query
// and every change of its table passes through here. Errors are shown to the
// user through the dialog service, naming the data source and the
// database's own words; calls then answer false and leave the held rows as
// they were.
class DataControl : public QObject {
    Q_OBJECT
public:
    enum class CommandType { Text = 1, Table = 2 };

    DataControl(QString name, QString table, Database& database, DialogService& dialogs,
                QObject* parent = nullptr);
    ~DataControl() override;

    const QString& name() const { return name_; }
    // The table this control adds to, changes and deletes from.
    const QString& table() const { return table_; }
    Database& database() const { return database_; }
    // The service through which this control tells the user about failures.
    DialogService& dialogs() const { return dialogs_; }

    void setCommandType(CommandType type) { commandType_ = type; }
    CommandType commandType() const { return commandType_; }
    void setRecordSource(const QString& source) { recordSource_ = source; }
    const QString& recordSource() const { return recordSource_; }
    QString sql() const;

    // Re-runs the record source and replaces the held rows, positioned on
    // the first.
    bool Refresh();
    // Command type text, record source `sql`, Refresh.
    bool query(const QString& sql);

    // Runs a query of a handler's own (a list, a sum) on this control's
    // connection into `rows`, leaving the record set as it is; a failure is
    // told to the user as for the control's own queries.
    bool lookUp(const QString& sql, RowBlock& rows);
    // Runs a statement that changes this control's table in one go (for
    // example every sale of one invoice); the held rows are not re-read.
    bool execute(const QString& statement, long* rowsAffected = nullptr);

    // The record set.
    const RecordSet& rows() const { return rows_; }
    int recordCount() const { return rows_.rowCount(); }
    void moveFirst();
    void moveNext();
    void moveTo(int row);
    bool eof() const { return current_ < 0 || current_ >= rows_.rowCount(); }
    int currentRow() const { return eof() ? -1 : current_; }
    // 1 for the first record; 0 when there is no current record.
    int absolutePosition() const { return eof() ? 0 : current_ + 1; }
    QString field(const QString& name) const;
    QString field(int position) const;
    bool hasField(const QString& name) const { return rows_.columnIndex(name) >= 0; }

    // Writes one row at once from parallel lists of field names and values.
    // The row joins the record set with ID 0 until the next refresh, and
    // becomes the current record.
    bool addNew(const QStringList& fields, const QStringList& values);
    // Buffers a change of the current record; update() writes the buffered
    // changes.
    void setField(const QString& name, const QString& value);
    bool update();
    // Writes changed fields of one row of the record set; the row is read
    // back so that it shows what the database stored.
    //
    // Several workstations share the ledger, so a change or delete holds only
    // over what was read: the statement also asks that each field it writes
    // (every field, for a delete) still holds the value in the record set,
    // or already holds the value written. When another program changed one
    // of them or deleted the row meanwhile, nothing is stored, the user is
    // told, and refused() is true until the next write.
    bool updateRow(int row, const QMap<QString, QString>& changes);
    bool deleteRow(int row);
    bool refused() const { return refused_; }
    // Sorts the rows ascending by a field: in memory when the whole result
    // is held (no query is sent), else by the database, the ID deciding
    // between equal values; a sale's SellDate as the date it stands for (see
    // sales_table::sellDateOrder()). The record source stays as it is, so
    // the next refresh gives the database's order again.
    bool sort(const QString& fieldName);

    // A result of more than `heldRows` rows is not held whole but read
    // `pageRows` rows at a time as it is wanted (see RecordSet).
    void setLargeResult(int heldRows, int pageRows);
    static constexpr int kHeldRows = 500;
    static constexpr int kPageRows = 500;

    RecordSetModel* model() const { return model_; }

    // The text shown when a row added since the last refresh (ID 0) is to be
    // changed or deleted.
    static QString refreshFirstMessage();

signals:
    // Emitted before the current record is left (a new query, a refresh, a
    // move or the window closing), so that bound boxes can write their edits.
    void leavingRecord();
    // The current record changed (new rows, a move, or the row was rewritten).
    void currentChanged();

public slots:
    void leaveRecord() { emit leavingRecord(); }

private:
    bool report(const QString& action);
    bool reportQuery(const QString& text);
    int idOf(int row, bool* ok) const;
    // The Year, Month, Day and ID columns by which `column` sorts when it is
    // a sale's SellDate and they are there; else none.
    std::vector<int> sellDateKeys(int column) const;
    // The stored ID of a row to change or delete; tells the user, and is
    // false, when the row shows none or shows 0 (added since the refresh).
    bool storedIdOf(int row, const QString& done, int* id);
    // The value a row's field was read with; none for NULL.
    std::optional<QString> readValue(int row, int column) const;
    // Tells the user that the row `id` was changed or deleted by another
    // program after it was read; false.
    bool refuse(int id);
    void replaceRows(RecordSet&& rows);
    // Runs `source` into a new record set: held whole when small, else paged
    // in the order `orderBy` (its own order, or the IDs' when it has no
    // ORDER BY and its rows carry an ID; whole rows always so on PostgreSQL).
    bool load(const QString& source, QString orderBy = QString());
    bool page(const RowBlock& shape, const QString& text, const QString& orderBy,
              const QString& unordered = QString());

    QString name_;
    QString table_;
    Database& database_;
    DialogService& dialogs_;
    CommandType commandType_ = CommandType::Table;
    QString recordSource_;
    RecordSet rows_;
    int current_ = -1;
    QMap<QString, QString> pending_;
    RecordSetModel* model_;
    int heldRows_ = kHeldRows;
    int pageRows_ = kPageRows;
    bool pageFailureShown_ = false;
    bool refused_ = false;
};

}  // namespace mervalis
