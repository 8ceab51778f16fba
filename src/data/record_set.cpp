#include "data/record_set.h"

#include <algorithm>

namespace mervalis {

void RecordSet::hold(RowBlock&& rows)
{
    clear();
    held_ = std::move(rows);
}

void RecordSet::page(const RowBlock& shape, int total, int pageRows, std::unique_ptr<PageSource> source)
{
    clear();
    held_.setColumns(shape.columnNames(), shape.columnKinds());
    total_ = total;
    pageRows_ = std::max(1, pageRows);
    source_ = std::move(source);
}

void RecordSet::clear()
{
    held_.clear();
    held_.setColumns({}, {});
    total_ = 0;
    pageRows_ = 0;
    source_.reset();
    pages_.clear();
    clock_ = 0;
    lastPage_ = -1;
    last_ = nullptr;
}

const RecordSet::Page& RecordSet::pageAt(int page) const
{
    if (page == lastPage_ && last_) return *last_;
    const Page& read = readPage(page);
    lastPage_ = page;
    last_ = &read;
    return read;
}

const RecordSet::Page& RecordSet::readPage(int page) const
{
    const auto found = pages_.find(page);
    if (found != pages_.end()) {
        found->second.lastUse = ++clock_;
        return found->second;
    }
    // Room for the page: the one used longest ago goes.
    if (static_cast<int>(pages_.size()) >= kMostPagesHeld) {
        const auto oldest = std::min_element(pages_.begin(), pages_.end(), [](const auto& a, const auto& b) {
            return a.second.lastUse < b.second.lastUse;
        });
        pages_.erase(oldest);
    }
    Page& read = pages_[page];
    read.lastUse = ++clock_;
    const int first = page * pageRows_;
    const int count = std::min(pageRows_, total_ - first);
    // A page that cannot be read is remembered as such, so that a painted
    // grid does not ask again for every cell.
    // Rows added since the result was read are stored after its last row:
    // it is then read from its start only.
    read.readable = source_->readRows(first, count, held_.rowCount() == 0 ? total_ : 0, read.rows) &&
                    read.rows.rowCount() > 0;
    return read;
}

const RowBlock* RecordSet::locate(int row, int* index) const
{
    if (row < 0 || row >= rowCount()) return nullptr;
    if (row >= total_) {
        *index = row - total_;
        return &held_;
    }
    const Page& page = pageAt(row / pageRows_);
    *index = row % pageRows_;
    if (!page.readable || *index >= page.rows.rowCount()) return nullptr;
    return &page.rows;
}

bool RecordSet::readable(int row) const
{
    int index = 0;
    return locate(row, &index) != nullptr;
}

bool RecordSet::isNull(int row, int column) const
{
    int index = 0;
    const RowBlock* block = locate(row, &index);
    return !block || column < 0 || column >= columnCount() || block->isNull(index, column);
}

std::string_view RecordSet::raw(int row, int column) const
{
    int index = 0;
    const RowBlock* block = locate(row, &index);
    if (!block || column < 0 || column >= columnCount()) return {};
    return block->raw(index, column);
}

QString RecordSet::value(int row, int column) const
{
    const std::string_view text = raw(row, column);
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::vector<RecordSet::Cell> RecordSet::rowCells(int row) const
{
    int index = 0;
    const RowBlock* block = locate(row, &index);
    if (!block) return std::vector<Cell>(static_cast<size_t>(columnCount()));
    return block->rowCells(index);
}

void RecordSet::appendRow(const std::vector<Cell>& cells) { held_.appendRow(cells); }

void RecordSet::replaceRow(int row, const std::vector<Cell>& cells)
{
    if (row >= total_) {
        held_.replaceRow(row - total_, cells);
        return;
    }
    // A page that is not held is read afresh when it is next wanted.
    const auto page = pages_.find(row / pageRows_);
    if (page != pages_.end() && page->second.readable) page->second.rows.replaceRow(row % pageRows_, cells);
}

void RecordSet::removeRow(int row)
{
    if (row < 0 || row >= rowCount()) return;
    if (row >= total_) {
        held_.removeRow(row - total_);
        return;
    }
    // The row is gone from the result too: every later row moves up one, so
    // its page and the pages after it are read again when wanted.
    pages_.erase(pages_.lower_bound(row / pageRows_), pages_.end());
    lastPage_ = -1;
    last_ = nullptr;
    --total_;
}

void RecordSet::sortBy(int column)
{
    if (holdsAll()) held_.sortBy(column);
}

void RecordSet::sortByNumbers(const std::vector<int>& columns)
{
    if (holdsAll()) held_.sortByNumbers(columns);
}

}  // namespace mervalis
