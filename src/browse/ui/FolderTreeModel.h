#pragma once

// The folder tree as an item model: "Root" as the only top-level row, each
// item's children in the tree's order or sorted by a column. The index's
// internal id is the item's index in the FolderTree, so item <-> index is
// O(1) both ways. Besides the name, each folder shows the entries and bytes
// below it and a recovery bar (drawn by RecoveryBarDelegate) when folder
// totals are given.

#include "browse/FolderOrder.h"
#include "browse/RowChecks.h"
#include "listfile/FolderTotals.h"
#include "listfile/FolderTree.h"
#include "listfile/SizeText.h"
#include "util/HeaderTexts.h"

#include <QAbstractItemModel>
#include <QIcon>
#include <QLocale>

#include <memory>
#include <vector>

namespace corvane {

class FolderTreeModel : public QAbstractItemModel
{
    Q_OBJECT

public:
    enum Column { NameColumn, FilesColumn, SizeColumn, RecoveryColumn, ColumnCount };

    explicit FolderTreeModel(QObject *parent = nullptr);

    // Shows tree (nullptr: nothing). The tree must stay unchanged while it is
    // shown; whoever swaps or empties it calls beginTreeChange() before and
    // endTreeChange() after (or setTree() again).
    void setTree(const FolderTree *tree);
    const FolderTree *tree() const { return m_tree; }
    void beginTreeChange();
    void endTreeChange();

    // The totals of the shown tree (nullptr: the number columns stay empty);
    // swapped with the tree, between beginTreeChange() and endTreeChange().
    void setTotals(const FolderTotals *totals) { m_totals = totals; }
    const FolderTotals *totals() const;

    // While the list is narrowed by a find: the matches below every item of
    // the tree (nullptr: the whole tree again). Only "Root" and the items
    // with matches are shown, their counts in the files column; the size and
    // recovery columns stay empty (totals() is nullptr), as they are the
    // whole folder's. Resets the model; a tree change drops the counts.
    void setMatchCounts(std::shared_ptr<const std::vector<qint32>> counts);
    bool isNarrowed() const { return m_matchCounts != nullptr; }
    qint32 matchesBelow(int item) const;

    // Numbers and sizes in the UI language; the names of the "other" and
    // "unknown" statuses in tooltips; the headers of the files and size
    // columns, written into the tooltips.
    void setLocale(const QLocale &locale);
    const QLocale &locale() const { return m_locale; }
    // The words of the size texts (the language's units).
    void setSizeUnits(const SizeUnits &units);
    void setStatusNames(const QString &other, const QString &unknown);
    QString statusName(int status) const;

    // The item a model index stands for (-1 for an invalid index), and back.
    int itemOf(const QModelIndex &index) const;
    QModelIndex indexOf(int item, int column = 0) const;

    void setFolderIcon(const QIcon &icon) { m_folderIcon = icon; }
    // Check boxes beside the names (nullptr: none); checks must outlive the
    // model or be taken away first.
    void setChecks(RowChecks *checks) { m_checks = checks; }

    // Column 0 gives the tree's order back; the others order every folder's
    // children by their number, descending order largest first.
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;
    int sortColumn() const { return m_sortColumn; }

    QModelIndex index(int row, int column, const QModelIndex &parent = {}) const override;
    QModelIndex parent(const QModelIndex &child) const override;
    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    bool hasChildren(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    bool setHeaderData(int section, Qt::Orientation orientation, const QVariant &value,
                       int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;

    // The text of the recovery tooltip of item: each status with its exact
    // count, share and bytes.
    QString recoveryText(int item) const;

private:
    bool hasTree() const { return m_tree && !m_tree->isEmpty(); }
    const FolderTotals *wholeTotals() const;
    int childAt(int parentItem, int row) const;
    int wholeChildAt(int parentItem, int row) const; // in the whole tree, narrowed or not
    int childCountOf(int parentItem) const;
    int rowOf(int item) const;
    void computeOrder();
    void computeShown();

    const FolderTree *m_tree = nullptr;
    const FolderTotals *m_totals = nullptr;
    HeaderTexts m_headers{
        ColumnCount,
        {QString(), QStringLiteral("Files"), QStringLiteral("Size"), QStringLiteral("Recovery")}};
    QString m_otherName = QStringLiteral("other");
    QString m_unknownName = QStringLiteral("unknown");
    QLocale m_locale = QLocale(QLocale::English, QLocale::UnitedStates);
    SizeUnits m_units;
    QIcon m_folderIcon;
    RowChecks *m_checks = nullptr;
    bool m_changing = false;
    int m_sortColumn = NameColumn;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
    std::vector<int> m_order; // sorted child table; empty: the tree's order
    std::vector<int> m_rowOf; // item -> row under its parent in m_order
    // While narrowed: the items with matches, each parent's in a stretch of
    // m_shownChildren (in the order above), and every shown item's row.
    std::shared_ptr<const std::vector<qint32>> m_matchCounts;
    std::vector<int> m_shownFirst;
    std::vector<int> m_shownCount;
    std::vector<int> m_shownChildren;
    std::vector<int> m_shownRowOf;
};

} // namespace corvane
