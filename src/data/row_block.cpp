#include "data/row_block.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <cstring>
#include <memory>

namespace mervalis {

void RowBlock::setColumns(QStringList names, std::vector<Kind> kinds)
{
    clear();
    names_ = std::move(names);
    kinds_ = std::move(kinds);
    kinds_.resize(static_cast<size_t>(names_.size()), Kind::Text);
}

int RowBlock::columnIndex(const QString& name) const
{
    for (int i = 0; i < names_.size(); ++i) {
        if (names_[i].compare(name, Qt::CaseInsensitive) == 0) return i;
    }
    return -1;
}

uint32_t RowBlock::cellEnd(size_t storedRow, int column) const
{
    uint32_t end;
    std::memcpy(&end, rowStart_[storedRow] + sizeof(uint32_t) * static_cast<size_t>(column), sizeof end);
    return end;
}

std::string_view RowBlock::cellText(size_t storedRow, int column) const
{
    const char* text = rowStart_[storedRow] + sizeof(uint32_t) * static_cast<size_t>(columnCount());
    const uint32_t begin = column == 0 ? 0 : (cellEnd(storedRow, column - 1) & ~kNullBit);
    const uint32_t end = cellEnd(storedRow, column) & ~kNullBit;
    return std::string_view(text + begin, end - begin);
}

bool RowBlock::isNull(int row, int column) const
{
    return (cellEnd(stored(row), column) & kNullBit) != 0;
}

std::string_view RowBlock::raw(int row, int column) const
{
    return cellText(stored(row), column);
}

QString RowBlock::value(int row, int column) const
{
    const std::string_view text = raw(row, column);
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

char* RowBlock::reserve(size_t size)
{
    // Rows start on four-byte boundaries, where their cell ends lie.
    size = (size + 3) & ~size_t(3);
    if (size > kLargestChunkSize / 4) {
        // A very long row gets a chunk of its own.
        chunks_.push_back(std::make_unique_for_overwrite<char[]>(size));
        heldBytes_ += size;
        return chunks_.back().get();
    }
    if (chunkUsed_ + size > chunkCapacity_) {
        // Chunks grow with what is held: a page of a few rows stays small,
        // a whole large result is packed into few allocations.
        const size_t capacity = std::max(size, std::clamp(heldBytes_, kFirstChunkSize, kLargestChunkSize));
        chunks_.push_back(std::make_unique_for_overwrite<char[]>(capacity));
        heldBytes_ += capacity;
        chunkUsed_ = 0;
        chunkCapacity_ = capacity;
        current_ = chunks_.back().get();
    }
    char* where = current_ + chunkUsed_;
    chunkUsed_ += size;
    return where;
}

const char* RowBlock::storeRow()
{
    pendingEnds_.resize(static_cast<size_t>(columnCount()), static_cast<uint32_t>(pending_.size()) | kNullBit);
    const size_t header = sizeof(uint32_t) * pendingEnds_.size();
    char* where = reserve(header + pending_.size());
    if (header) std::memcpy(where, pendingEnds_.data(), header);
    if (!pending_.empty()) std::memcpy(where + header, pending_.data(), pending_.size());
    return where;
}

void RowBlock::beginRow()
{
    pending_.clear();
    pendingEnds_.clear();
}

void RowBlock::addCell(const char* data, size_t size)
{
    pending_.append(data, size);
    pendingEnds_.push_back(static_cast<uint32_t>(pending_.size()));
}

void RowBlock::addNullCell()
{
    pendingEnds_.push_back(static_cast<uint32_t>(pending_.size()) | kNullBit);
}

void RowBlock::endRow()
{
    rowStart_.push_back(storeRow());
    order_.push_back(static_cast<uint32_t>(rowStart_.size() - 1));
}

void RowBlock::appendRow(const std::vector<Cell>& cells)
{
    beginRow();
    for (const Cell& cell : cells) {
        if (cell) addCell(cell->data(), cell->size());
        else addNullCell();
    }
    endRow();
}

std::vector<RowBlock::Cell> RowBlock::rowCells(int row) const
{
    std::vector<Cell> cells;
    cells.reserve(static_cast<size_t>(columnCount()));
    for (int c = 0; c < columnCount(); ++c) {
        if (isNull(row, c)) cells.emplace_back(std::nullopt);
        else cells.emplace_back(raw(row, c));
    }
    return cells;
}

void RowBlock::replaceRow(int row, const std::vector<Cell>& cells)
{
    // The new version of the row goes into the chunks and takes the old one's
    // place; the old text simply stays unused until the next query.
    beginRow();
    for (const Cell& cell : cells) {
        if (cell) addCell(cell->data(), cell->size());
        else addNullCell();
    }
    rowStart_[stored(row)] = storeRow();
}

void RowBlock::truncate(int rowCount)
{
    if (rowCount < 0 || static_cast<size_t>(rowCount) >= rowStart_.size()) return;
    rowStart_.resize(static_cast<size_t>(rowCount));
    std::erase_if(order_, [rowCount](uint32_t stored) { return stored >= static_cast<uint32_t>(rowCount); });
}

void RowBlock::removeRow(int row)
{
    order_.erase(order_.begin() + row);
}

namespace {

int compareText(std::string_view a, std::string_view b)
{
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        unsigned char x = static_cast<unsigned char>(a[i]);
        unsigned char y = static_cast<unsigned char>(b[i]);
        if (x >= 'A' && x <= 'Z') x = static_cast<unsigned char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = static_cast<unsigned char>(y - 'A' + 'a');
        if (x != y) return x < y ? -1 : 1;
    }
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

// The whole text as a number, whatever the C library's locale says.
double toNumber(std::string_view text, bool* ok)
{
    const char* begin = text.data();
    const char* end = text.data() + text.size();
    while (begin < end && (*begin == ' ' || *begin == '\t')) ++begin;
    if (begin < end && *begin == '+') ++begin;
    double value = 0;
    const auto [stop, error] = std::from_chars(begin, end, value);
    *ok = begin < end && error == std::errc() && stop == end;
    return value;
}

// Digits alone as a whole number.
double wholeNumberOf(std::string_view text, bool* ok)
{
    *ok = !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
    return *ok ? toNumber(text, ok) : 0;
}

}  // namespace

void RowBlock::sortBy(int column)
{
    if (column < 0 || column >= columnCount()) return;
    const Kind kind = columnKind(column);
    const auto cellOf = [&](uint32_t r) -> Cell {
        if (cellEnd(r, column) & kNullBit) return std::nullopt;
        return cellText(r, column);
    };
    if (kind == Kind::Number) {
        // Numbers first by value; a cell that does not read as a number sorts
        // after them by its text.
        struct Key { bool isNull; bool isNumber; double number; std::string_view text; };
        std::vector<std::pair<Key, uint32_t>> keys;
        keys.reserve(order_.size());
        for (uint32_t r : order_) {
            const Cell cell = cellOf(r);
            Key key{!cell.has_value(), false, 0.0, {}};
            if (cell) {
                key.text = *cell;
                key.number = toNumber(*cell, &key.isNumber);
            }
            keys.emplace_back(key, r);
        }
        std::stable_sort(keys.begin(), keys.end(), [](const auto& a, const auto& b) {
            if (a.first.isNull != b.first.isNull) return a.first.isNull;
            if (a.first.isNumber != b.first.isNumber) return a.first.isNumber;
            if (a.first.isNumber) return a.first.number < b.first.number;
            return compareText(a.first.text, b.first.text) < 0;
        });
        for (size_t i = 0; i < keys.size(); ++i) order_[i] = keys[i].second;
        return;
    }
    std::stable_sort(order_.begin(), order_.end(), [&](uint32_t a, uint32_t b) {
        const Cell x = cellOf(a);
        const Cell y = cellOf(b);
        if (!x || !y) return !x && y;
        return compareText(*x, *y) < 0;
    });
}

void RowBlock::sortByNumbers(const std::vector<int>& columns)
{
    for (int column : columns) {
        if (column < 0 || column >= columnCount()) return;
    }
    // Per row the keys of its columns; a missing key is -infinity.
    const size_t width = columns.size();
    std::vector<double> keys(order_.size() * width);
    for (size_t i = 0; i < order_.size(); ++i) {
        for (size_t k = 0; k < width; ++k) {
            const int column = columns[k];
            double key = -std::numeric_limits<double>::infinity();
            if (!(cellEnd(order_[i], column) & kNullBit)) {
                bool ok = false;
                const std::string_view text = cellText(order_[i], column);
                const double number = columnKind(column) == Kind::Number ? toNumber(text, &ok) : wholeNumberOf(text, &ok);
                if (ok) key = number;
            }
            keys[i * width + k] = key;
        }
    }
    std::vector<uint32_t> positions(order_.size());
    for (uint32_t i = 0; i < positions.size(); ++i) positions[i] = i;
    std::stable_sort(positions.begin(), positions.end(), [&](uint32_t a, uint32_t b) {
        return std::lexicographical_compare(keys.begin() + a * width, keys.begin() + (a + 1) * width,
                                            keys.begin() + b * width, keys.begin() + (b + 1) * width);
    });
    std::vector<uint32_t> sorted(order_.size());
    for (size_t i = 0; i < positions.size(); ++i) sorted[i] = order_[positions[i]];
    order_ = std::move(sorted);
}

void RowBlock::clear()
{
    chunks_.clear();
    chunkUsed_ = 0;
    heldBytes_ = 0;
    chunkCapacity_ = 0;
    current_ = nullptr;
    rowStart_.clear();
    order_.clear();
}

}  // namespace mervalis
