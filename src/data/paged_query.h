#pragma once

#include "data/record_set.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>
#include <memory>

namespace mervalis {

class Cursor;
class Database;

// The pages of a large result, read from the database as a record set wants
// them. Rows are found by their position in the result ("SELECT * FROM
// (<query>) ... OFFSET n"), so the query must give its rows in a fixed
// order. Reading on from where the last page ended continues the open
// result instead of asking again, so that a walk over every row reads each
// row once; an open result is let go when no page has been read for a while,
// so that it holds no lock on the database for long.
class PagedQuery final : public QObject, public RecordSet::PageSource {
    Q_OBJECT
public:
    // `failed` is told when rows cannot be read (the database's words are in
    // its lastError()). `reversed`, when given, reads the same rows last
    // first: a page of the second half is read from it, so that the last
    // rows come as quickly as the first (a database reads the rows an OFFSET
    // passes over).
    PagedQuery(Database& database, QString sql, std::function<void()> failed, QString reversed = QString());
    ~PagedQuery() override;

    bool readRows(int first, int count, int total, RowBlock& rows) override;

    // The text that reads the result from row `first` on.
    static QString fromRow(const QString& sql, int first);

private:
    void letGo();
    bool readFromEnd(int first, int count, int total, RowBlock& rows);

    Database& database_;
    QString sql_;
    std::function<void()> failed_;
    QString reversed_;
    std::unique_ptr<Cursor> cursor_;
    int position_ = 0;  // the row the open result reads next
    QTimer idle_;
};

}  // namespace mervalis
