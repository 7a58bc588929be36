// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractTableModel>
#include <QIcon>
#include <vector>

#include "core/list/sort_order.h"
#include "core/session/refresh.h"

namespace ribodex {

// The list's items: one row per entry with the three column texts (name in UTF-8, number
// and index as the device gave them), exactly as the refresh added them. It is the working copy of the
// phone book that every command reads; it holds no other copy of the entries.
// Shared by the Report view and the icon/list view; UI thread only.
class PhoneBookModel : public QAbstractTableModel, public ListSink {
    Q_OBJECT

public:
    explicit PhoneBookModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // ListSink
    void DeleteAllItems() override;
    void AddItem(std::string_view indexText, std::string_view number, std::string_view name) override;
    std::vector<int> ItemIndices() const override;
    void UpdateItem(int index, const PhoneBookEntry* entry) override;
    void ReadEnded(bool whole) override { completeness = whole ? Completeness::Whole : Completeness::Partial; }

    // What the last refresh left: nothing read yet, the whole memory, or a part of it.
    enum class Completeness { NotRead, Whole, Partial };
    Completeness ListCompleteness() const { return completeness; }

    // A header click on column: sorts by the column's own direction flag and flips it.
    // Rows that compare equal keep their order; selection and current item follow their rows.
    // Another column does nothing.
    void SortColumn(int column);
    bool NextAscending(int column) const { return flags.NextAscending(column); }

    // Edit and Delete change single items between refreshes; the selection follows.
    void SetItem(int row, ListRow item);
    void RemoveItem(int row);

    const ListRow& Row(int row) const { return rows[size_t(row)]; }
    const std::vector<ListRow>& Rows() const { return rows; }  // in list order
    // The location index of a row, read back from its Index column text.
    int ItemIndex(int row) const;

    // Image 0 of both image lists, shown in the name column.
    void SetEntryIcon(const QIcon& icon) { entryIcon = icon; }

private:
    std::vector<ListRow> rows;
    SortFlags flags;
    // The order the rows stand in: ascending index after a refresh, else the last header
    // click's. A new item of UpdateItem goes where it puts it.
    int orderColumn = IndexColumn;
    bool orderAscending = true;
    QIcon entryIcon;
    Completeness completeness = Completeness::NotRead;
};

}  // namespace ribodex
