#pragma once

// The folder tree as an item model: one column, "Root" as the only top-level
// row, each item's children in the tree's order. The index's internal id is
// the item's index in the FolderTree, so item <-> index is O(1) both ways.

#include "listfile/FolderTree.h"

#include <QAbstractItemModel>
#include <QIcon>

namespace corvane {

class FolderTreeModel : public QAbstractItemModel
{
    Q_OBJECT

public:
    explicit FolderTreeModel(QObject *parent = nullptr);

    // Shows tree (nullptr: nothing). The tree must stay unchanged while it is
    // shown; whoever swaps or empties it calls beginTreeChange() before and
    // endTreeChange() after (or setTree() again).
    void setTree(const FolderTree *tree);
    const FolderTree *tree() const { return m_tree; }
    void beginTreeChange();
    void endTreeChange();

    // The item a model index stands for (-1 for an invalid index), and back.
    int itemOf(const QModelIndex &index) const;
    QModelIndex indexOf(int item) const;

    void setFolderIcon(const QIcon &icon) { m_folderIcon = icon; }

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

private:
    bool hasTree() const { return m_tree && !m_tree->isEmpty(); }

    const FolderTree *m_tree = nullptr;
    QString m_header;
    QIcon m_folderIcon;
    bool m_changing = false;
};

} // namespace corvane
