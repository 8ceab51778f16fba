#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

namespace mervalis {

// Rows held on the client side: a whole small result, or one page of a large
// one. Each cell is kept as the UTF-8 text the database returned, packed
// into chunks that grow with the rows held. The view order is a permutation
// over the stored rows: an in-memory sort only reorders it.
class RowBlock {
public:
    enum class Kind { Text, Number };
    using Cell = std::optional<std::string_view>;  // nullopt is SQL NULL

    RowBlock() = default;
    RowBlock(const RowBlock&) = delete;
    RowBlock& operator=(const RowBlock&) = delete;
    RowBlock(RowBlock&&) = default;
    RowBlock& operator=(RowBlock&&) = default;

    void setColumns(QStringList names, std::vector<Kind> kinds);
    const QStringList& columnNames() const { return names_; }
    Kind columnKind(int column) const { return kinds_[static_cast<size_t>(column)]; }
    const std::vector<Kind>& columnKinds() const { return kinds_; }
    int columnCount() const { return static_cast<int>(names_.size()); }
    // Field names compare without regard to case, as the database does.
    int columnIndex(const QString& name) const;

    int rowCount() const { return static_cast<int>(order_.size()); }
    bool isNull(int row, int column) const;
    std::string_view raw(int row, int column) const;
    QString value(int row, int column) const;

    // Appends a row (one cell per column) at the end of the view order.
    void appendRow(const std::vector<Cell>& cells);
    // Starts a row to be filled cell by cell; used by the fetch loop so that
    // cells go straight from the driver's buffers into the chunks.
    void beginRow();
    void addCell(const char* data, size_t size);
    void addNullCell();
    void endRow();

    // Forgets the rows after the first `rowCount` stored ones.
    void truncate(int rowCount);
    void replaceRow(int row, const std::vector<Cell>& cells);
    void removeRow(int row);
    std::vector<Cell> rowCells(int row) const;

    // Stable ascending sort on one column: numbers by value, text without
    // regard to case, NULLs first.
    void sortBy(int column);
    // Stable ascending sort by several columns read as numbers, the first
    // deciding: a number column's value, a text column's whole number when
    // it holds digits alone; a cell that is neither (or NULL) sorts first.
    void sortByNumbers(const std::vector<int>& columns);
    void clear();

private:
    static constexpr uint32_t kNullBit = 0x80000000u;
    static constexpr size_t kFirstChunkSize = 16u << 10;
    static constexpr size_t kLargestChunkSize = 4u << 20;

    // A stored row is one piece of a chunk: the end offset of each cell
    // (columnCount numbers; kNullBit marks SQL NULL), then the cells' text.
    char* reserve(size_t size);
    const char* storeRow();
    size_t stored(int row) const { return order_[static_cast<size_t>(row)]; }
    uint32_t cellEnd(size_t storedRow, int column) const;
    std::string_view cellText(size_t storedRow, int column) const;

    QStringList names_;
    std::vector<Kind> kinds_;
    std::vector<std::unique_ptr<char[]>> chunks_;
    size_t chunkUsed_ = 0;
    size_t heldBytes_ = 0;
    size_t chunkCapacity_ = 0;
    char* current_ = nullptr;
    std::vector<const char*> rowStart_;
    std::vector<uint32_t> order_;

    // Row under construction by beginRow/addCell/endRow.
    std::string pending_;
    std::vector<uint32_t> pendingEnds_;
};

}  // namespace mervalis
