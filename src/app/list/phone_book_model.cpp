// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/list/phone_book_model.h"

#include <algorithm>
#include <numeric>

#include "app/string_table.h"

namespace ribodex {

PhoneBookModel::PhoneBookModel(QObject* parent) : QAbstractTableModel(parent) {}

int PhoneBookModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(rows.size());
}

int PhoneBookModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : 3;
}

QVariant PhoneBookModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= int(rows.size()) || index.column() > 2)
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
        // Names are UTF-8; numbers keep the device's bytes, shown as Windows-1252.
        if (index.column() == NameColumn)
            return QString::fromStdString(rows[size_t(index.row())][NameColumn]);
        return FromCp1252(rows[size_t(index.row())][size_t(index.column())]);
    case Qt::DecorationRole:
        return index.column() == NameColumn ? QVariant(entryIcon) : QVariant();
    default:
        // No text alignment of our own: the report view's default is left-aligned, and the
        // icon view centres each label under its icon.
        return {};
    }
}

QVariant PhoneBookModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal)
        return {};
    if (role == Qt::TextAlignmentRole)
        return QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    if (role != Qt::DisplayRole)
        return {};
    switch (section) {
    case NameColumn: return StringTable::Text(IDS_NAME_COLUMN);
    case NumberColumn: return StringTable::Text(IDS_NUMBER_COLUMN);
    case IndexColumn: return StringTable::Text(IDS_INDEX_COLUMN);
    default: return {};
    }
}

void PhoneBookModel::DeleteAllItems()
{
    beginResetModel();
    orderColumn = IndexColumn;
    orderAscending = true;
    rows.clear();
    rows.reserve(50);  // the item-count hint of the list; not a limit
    endResetModel();
}

void PhoneBookModel::AddItem(std::string_view indexText, std::string_view number, std::string_view name)
{
    const int at = int(rows.size());
    beginInsertRows({}, at, at);
    rows.push_back({std::string(name), std::string(number), std::string(indexText)});
    endInsertRows();
}

void PhoneBookModel::SortColumn(int column)
{
    const std::optional<bool> ascending = flags.Click(column);
    if (!ascending)
        return;
    orderColumn = column;
    orderAscending = *ascending;
    std::vector<int> order(rows.size());
    std::iota(order.begin(), order.end(), 0);
    const size_t key = size_t(column);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        return CompareColumnTexts(column, *ascending, rows[size_t(a)][key], rows[size_t(b)][key]) < 0;
    });

    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    std::vector<int> newPosition(rows.size());
    std::vector<ListRow> sorted;
    sorted.reserve(rows.size());
    for (size_t to = 0; to < order.size(); ++to) {
        newPosition[size_t(order[to])] = int(to);
        sorted.push_back(std::move(rows[size_t(order[to])]));
    }
    rows = std::move(sorted);
    const QModelIndexList before = persistentIndexList();
    QModelIndexList after;
    after.reserve(before.size());
    for (const QModelIndex& index : before)
        after.append(this->index(newPosition[size_t(index.row())], index.column()));
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void PhoneBookModel::SetItem(int row, ListRow item)
{
    rows[size_t(row)] = std::move(item);
    emit dataChanged(index(row, 0), index(row, 2));
}

void PhoneBookModel::RemoveItem(int row)
{
    beginRemoveRows({}, row, row);
    rows.erase(rows.begin() + row);
    endRemoveRows();
}

std::vector<int> PhoneBookModel::ItemIndices() const
{
    std::vector<int> indices;
    indices.reserve(rows.size());
    for (int row = 0; row < rowCount(); ++row)
        indices.push_back(ItemIndex(row));
    return indices;
}

void PhoneBookModel::UpdateItem(int index, const PhoneBookEntry* entry)
{
    int row = 0;
    while (row < rowCount() && ItemIndex(row) != index)
        ++row;
    const bool exists = row < rowCount();
    if (entry == nullptr) {
        if (exists)
            RemoveItem(row);
        return;
    }
    ListRow item{entry->name, entry->number, std::to_string(index)};
    if (exists) {
        if (rows[size_t(row)] != item)
            SetItem(row, std::move(item));
        return;
    }
    const size_t key = size_t(orderColumn);
    const auto at = std::upper_bound(rows.begin(), rows.end(), item, [&](const ListRow& a, const ListRow& b) {
        return CompareColumnTexts(orderColumn, orderAscending, a[key], b[key]) < 0;
    });
    const int position = int(at - rows.begin());
    beginInsertRows({}, position, position);
    rows.insert(at, std::move(item));
    endInsertRows();
}

int PhoneBookModel::ItemIndex(int row) const
{
    return ribodex::ItemIndex(rows[size_t(row)][IndexColumn]);
}

}  // namespace ribodex
