#pragma once

#include <QAbstractListModel>
#include <QHash>
#include <QStringList>

class QComboBox;

namespace mervalis {

class Database;

// The entries of a drop-down list that may hold hundreds of thousands of
// texts (every reference ID of a large ledger): their number comes from one
// statement, and the texts themselves a page at a time as the list shows
// them, so that opening the list costs the same whatever the ledger's size.
// The query gives one column in a fixed order; a page is read with LIMIT and
// OFFSET.
class PagedList : public QAbstractListModel {
    Q_OBJECT
public:
    static constexpr int kPageRows = 500;

    PagedList(Database& database, QObject* parent = nullptr);

    // Makes `combo` list the `count` rows of `sql`; the text the user sees
    // stays as it was. `reversed` gives the same rows last first: the pages
    // of the second half are read from it, so that the end of the list is
    // read as quickly as its start.
    void show(QComboBox* combo, const QString& sql, const QString& reversed, int count);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    // QComboBox::clear() empties the list.
    bool removeRows(int row, int count, const QModelIndex& parent = QModelIndex()) override;

private:
    const QStringList& page(int number) const;

    Database& database_;
    QString sql_;
    QString reversed_;
    int count_ = 0;
    mutable QHash<int, QStringList> pages_;
};

}  // namespace mervalis
