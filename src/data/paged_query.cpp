#include "data/paged_query.h"

#include "data/database.h"
#include "data/row_block.h"

#include <algorithm>

namespace mervalis {

namespace {

// How long an open result may wait for the next page.
constexpr int kIdleMilliseconds = 2000;

}  // namespace

PagedQuery::PagedQuery(Database& database, QString sql, std::function<void()> failed, QString reversed)
    : database_(database), sql_(std::move(sql)), failed_(std::move(failed)), reversed_(std::move(reversed))
{
    idle_.setSingleShot(true);
    idle_.setInterval(kIdleMilliseconds);
    connect(&idle_, &QTimer::timeout, this, &PagedQuery::letGo);
}

PagedQuery::~PagedQuery() = default;

QString PagedQuery::fromRow(const QString& sql, int first)
{
    // LIMIT with the largest number SQLite and PostgreSQL take: no limit, but
    // an OFFSET needs one on SQLite.
    return QStringLiteral("SELECT * FROM (%1) AS paged LIMIT 9223372036854775807 OFFSET %2").arg(sql).arg(first);
}

void PagedQuery::letGo() { cursor_.reset(); }

bool PagedQuery::readFromEnd(int first, int count, int total, RowBlock& rows)
{
    count = std::min(count, total - first);
    RowBlock last;
    const QString sql = QStringLiteral("SELECT * FROM (%1) AS paged LIMIT %2 OFFSET %3")
                            .arg(reversed_)
                            .arg(count)
                            .arg(total - first - count);
    if (count > 0 && !database_.query(sql, last)) {
        if (failed_) failed_();
        return false;
    }
    if (rows.columnCount() == 0) rows.setColumns(last.columnNames(), last.columnKinds());
    for (int r = last.rowCount() - 1; r >= 0; --r) rows.appendRow(last.rowCells(r));
    return true;
}

bool PagedQuery::readRows(int first, int count, int total, RowBlock& rows)
{
    // A walk reads on from its open result; a jump into the second half is
    // read from the end.
    const bool readingOn = cursor_ && cursor_->isOpen() && position_ == first;
    if (!reversed_.isEmpty() && !readingOn && total > 0 && first > total / 2) {
        return readFromEnd(first, count, total, rows);
    }
    const int before = rows.rowCount();
    // A value longer than the buffers closes the result; it is opened again
    // at the same row with the widths learnt, the last time one row at a time.
    for (int pass = 0; pass < 3; ++pass) {
        if (!cursor_ || !cursor_->isOpen() || position_ != first) {
            cursor_ = database_.open(fromRow(sql_, first), pass == 2);
            position_ = first;
            if (!cursor_) break;
        }
        const Cursor::Read read = cursor_->read(rows, count);
        if (read == Cursor::Read::More || read == Cursor::Read::End) {
            position_ += rows.rowCount() - before;
            if (read == Cursor::Read::End) cursor_.reset();
            else idle_.start();
            return true;
        }
        cursor_.reset();
        if (read == Cursor::Read::Failed) break;
    }
    if (failed_) failed_();
    return false;
}

}  // namespace mervalis
