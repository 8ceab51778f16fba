#include "ui/paged_list.h"

#include "data/database.h"
#include "data/row_block.h"

#include <QComboBox>
#include <QSignalBlocker>

#include <algorithm>

namespace mervalis {

PagedList::PagedList(Database& database, QObject* parent) : QAbstractListModel(parent), database_(database) {}

void PagedList::show(QComboBox* combo, const QString& sql, const QString& reversed, int count)
{
    const QString text = combo->currentText();
    const QSignalBlocker blocker(combo);
    if (combo->model() != this) combo->setModel(this);
    beginResetModel();
    sql_ = sql;
    reversed_ = reversed;
    count_ = count;
    pages_.clear();
    endResetModel();
    if (combo->isEditable()) combo->setEditText(text);
}

int PagedList::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : count_; }

QVariant PagedList::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= count_ || (role != Qt::DisplayRole && role != Qt::EditRole)) return {};
    return page(index.row() / kPageRows).value(index.row() % kPageRows);
}

bool PagedList::removeRows(int row, int count, const QModelIndex& parent)
{
    if (parent.isValid() || row != 0 || count != count_) return false;
    beginResetModel();
    count_ = 0;
    pages_.clear();
    endResetModel();
    return true;
}

const QStringList& PagedList::page(int number) const
{
    auto found = pages_.find(number);
    if (found != pages_.end()) return *found;
    // A page that cannot be read shows empty entries rather than a message
    // box in the middle of painting; the next opening of the list reads it
    // again.
    const int first = number * kPageRows;
    const int size = std::min(kPageRows, count_ - first);
    const bool fromEnd = first > count_ / 2;
    const QString sql = QStringLiteral("%1 LIMIT %2 OFFSET %3")
                            .arg(fromEnd ? reversed_ : sql_)
                            .arg(size)
                            .arg(fromEnd ? count_ - first - size : first);
    RowBlock rows;
    if (size > 0 && database_.query(sql, rows)) {
        QStringList texts;
        texts.reserve(rows.rowCount());
        for (int r = 0; r < rows.rowCount(); ++r) texts << rows.value(fromEnd ? rows.rowCount() - 1 - r : r, 0);
        return *pages_.insert(number, texts);
    }
    static const QStringList none;
    return none;
}

}  // namespace mervalis
