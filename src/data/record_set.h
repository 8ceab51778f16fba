#pragma once

#include "data/row_block.h"

#include <QString>
#include <QStringList>

#include <map>
#include <memory>
#include <string_view>
#include <vector>

namespace mervalis {

// The record set of a data control: the rows of its last query, read as
// they are needed. A small result is held whole, and sorts in memory. A
// large one knows how many rows it has and keeps only the pages of rows read
// last, asking its page source for any other, so that what it costs does
// not grow with the ledger. Rows added since the query follow the result's
// own in both cases.
class RecordSet {
public:
    using Kind = RowBlock::Kind;
    using Cell = RowBlock::Cell;

    // Where the rows of a large result come from.
    class PageSource {
    public:
        virtual ~PageSource() = default;
        // Appends `count` rows of the result from row `first` on (fewer at
        // its end) to `rows`, of the `total` the result now holds (0 when
        // unsure); false when they could not be read.
        virtual bool readRows(int first, int count, int total, RowBlock& rows) = 0;
    };

    RecordSet() = default;
    RecordSet(const RecordSet&) = delete;
    RecordSet& operator=(const RecordSet&) = delete;
    RecordSet(RecordSet&&) = default;
    RecordSet& operator=(RecordSet&&) = default;

    // A result held whole.
    void hold(RowBlock&& rows);
    // A result of `total` rows with the columns of `shape`, read
    // `pageRows` rows at a time from `source`.
    void page(const RowBlock& shape, int total, int pageRows, std::unique_ptr<PageSource> source);

    const QStringList& columnNames() const { return held_.columnNames(); }
    Kind columnKind(int column) const { return held_.columnKind(column); }
    int columnCount() const { return held_.columnCount(); }
    // Field names compare without regard to case, as the database does.
    int columnIndex(const QString& name) const { return held_.columnIndex(name); }

    int rowCount() const { return total_ + held_.rowCount(); }
    // The columns, as a block that holds them (and maybe rows besides).
    const RowBlock& shape() const { return held_; }
    // True when every row is in memory (a small result).
    bool holdsAll() const { return !source_; }
    // False when `row` is not there or its page could not be read (its
    // cells then read as empty).
    bool readable(int row) const;

    bool isNull(int row, int column) const;
    std::string_view raw(int row, int column) const;
    QString value(int row, int column) const;
    std::vector<Cell> rowCells(int row) const;

    // A row added since the query, after the others.
    void appendRow(const std::vector<Cell>& cells);
    void replaceRow(int row, const std::vector<Cell>& cells);
    void removeRow(int row);
    // Stable ascending sort on one column, in memory: only for a result held
    // whole (see RowBlock::sortBy).
    void sortBy(int column);
    // The same for RowBlock::sortByNumbers().
    void sortByNumbers(const std::vector<int>& columns);
    void clear();

    // Pages of a large result kept in memory at most.
    static constexpr int kMostPagesHeld = 64;

private:
    struct Page {
        RowBlock rows;
        quint64 lastUse = 0;
        bool readable = true;
    };
    // The block holding `row` and the row's index in it; the page is read
    // when it is not held. Null when it could not be read.
    const RowBlock* locate(int row, int* index) const;
    const Page& pageAt(int page) const;
    const Page& readPage(int page) const;

    // A small result whole, or the rows added after a large one.
    RowBlock held_;
    int total_ = 0;  // rows of a large result, the added ones not counted
    int pageRows_ = 0;
    std::unique_ptr<PageSource> source_;
    mutable std::map<int, Page> pages_;
    mutable quint64 clock_ = 0;
    // The page read last: a walk asks for it once a cell.
    mutable int lastPage_ = -1;
    mutable const Page* last_ = nullptr;
};

}  // namespace mervalis
