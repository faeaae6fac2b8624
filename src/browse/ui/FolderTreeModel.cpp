#include "FolderTreeModel.h"

namespace corvane {

FolderTreeModel::FolderTreeModel(QObject *parent) : QAbstractItemModel(parent)
{}

void FolderTreeModel::setTree(const FolderTree *tree)
{
    beginResetModel();
    m_tree = tree;
    endResetModel();
}

void FolderTreeModel::beginTreeChange()
{
    beginResetModel();
    m_changing = true;
}

void FolderTreeModel::endTreeChange()
{
    m_changing = false;
    endResetModel();
}

int FolderTreeModel::itemOf(const QModelIndex &index) const
{
    if (!index.isValid() || index.model() != this)
        return -1;
    return int(index.internalId());
}

QModelIndex FolderTreeModel::indexOf(int item) const
{
    if (!hasTree() || m_changing || item < 0 || item >= m_tree->count())
        return {};
    const int row = item == 0 ? 0 : m_tree->item(item).row;
    return createIndex(row, 0, quintptr(item));
}

QModelIndex FolderTreeModel::index(int row, int column, const QModelIndex &parent) const
{
    if (!hasTree() || m_changing || column != 0 || row < 0)
        return {};
    if (!parent.isValid())
        return row == 0 ? createIndex(0, 0, quintptr(0)) : QModelIndex();
    const int parentItem = itemOf(parent);
    if (parentItem < 0 || parentItem >= m_tree->count())
        return {};
    if (row >= m_tree->item(parentItem).childCount)
        return {};
    return createIndex(row, 0, quintptr(m_tree->child(parentItem, row)));
}

QModelIndex FolderTreeModel::parent(const QModelIndex &child) const
{
    if (!hasTree() || m_changing)
        return {};
    const int item = itemOf(child);
    if (item <= 0 || item >= m_tree->count())
        return {};
    return indexOf(m_tree->parent(item));
}

int FolderTreeModel::rowCount(const QModelIndex &parent) const
{
    if (!hasTree() || m_changing)
        return 0;
    if (!parent.isValid())
        return 1;
    if (parent.column() != 0)
        return 0;
    const int item = itemOf(parent);
    return item < 0 || item >= m_tree->count() ? 0 : m_tree->item(item).childCount;
}

int FolderTreeModel::columnCount(const QModelIndex &) const
{
    return 1;
}

bool FolderTreeModel::hasChildren(const QModelIndex &parent) const
{
    return rowCount(parent) > 0;
}

QVariant FolderTreeModel::data(const QModelIndex &index, int role) const
{
    const int item = itemOf(index);
    if (item < 0 || !hasTree() || m_changing || item >= m_tree->count())
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
        return m_tree->item(item).text;
    case Qt::DecorationRole:
        return m_folderIcon.isNull() ? QVariant() : QVariant(m_folderIcon);
    default:
        return {};
    }
}

QVariant FolderTreeModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && section == 0 && role == Qt::DisplayRole)
        return m_header;
    return {};
}

bool FolderTreeModel::setHeaderData(int section, Qt::Orientation orientation, const QVariant &value,
                                    int role)
{
    if (orientation != Qt::Horizontal || section != 0 ||
        (role != Qt::EditRole && role != Qt::DisplayRole))
        return false;
    m_header = value.toString();
    Q_EMIT headerDataChanged(orientation, 0, 0);
    return true;
}

Qt::ItemFlags FolderTreeModel::flags(const QModelIndex &index) const
{
    if (itemOf(index) < 0)
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

} // namespace corvane
