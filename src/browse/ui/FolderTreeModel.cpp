#include "FolderTreeModel.h"

#include "listfile/SizeText.h"
#include "util/PlainText.h"

using namespace Qt::Literals::StringLiterals;

namespace corvane {

FolderTreeModel::FolderTreeModel(QObject *parent) : QAbstractItemModel(parent)
{}

void FolderTreeModel::setTree(const FolderTree *tree)
{
    beginResetModel();
    m_tree = tree;
    computeOrder();
    endResetModel();
}

void FolderTreeModel::beginTreeChange()
{
    beginResetModel();
    m_changing = true;
    // Counts of the tree that goes.
    m_matchCounts.reset();
}

void FolderTreeModel::setMatchCounts(std::shared_ptr<const std::vector<qint32>> counts)
{
    if (counts && (!hasTree() || counts->size() != size_t(m_tree->count())))
        counts.reset();
    beginResetModel();
    m_matchCounts = std::move(counts);
    computeShown();
    endResetModel();
}

qint32 FolderTreeModel::matchesBelow(int item) const
{
    if (!m_matchCounts || item < 0 || size_t(item) >= m_matchCounts->size())
        return 0;
    return (*m_matchCounts)[size_t(item)];
}

void FolderTreeModel::endTreeChange()
{
    m_changing = false;
    computeOrder();
    endResetModel();
}

const FolderTotals *FolderTreeModel::totals() const
{
    // A narrowed tree shows the matches, not what the folders hold.
    return m_matchCounts ? nullptr : wholeTotals();
}

const FolderTotals *FolderTreeModel::wholeTotals() const
{
    // Totals of another tree (a load that was given up) are not shown.
    if (!m_totals || !hasTree() || m_totals->folderCount() != m_tree->count())
        return nullptr;
    return m_totals;
}

void FolderTreeModel::setLocale(const QLocale &locale)
{
    m_locale = locale;
    if (hasTree() && !m_changing)
        Q_EMIT dataChanged(index(0, FilesColumn), index(0, RecoveryColumn));
}

void FolderTreeModel::setSizeUnits(const SizeUnits &units)
{
    m_units = units;
    if (hasTree() && !m_changing)
        Q_EMIT dataChanged(index(0, FilesColumn), index(0, RecoveryColumn));
}

void FolderTreeModel::setStatusNames(const QString &other, const QString &unknown)
{
    m_otherName = other;
    m_unknownName = unknown;
}

QString FolderTreeModel::statusName(int status) const
{
    const FolderTotals *t = totals();
    if (!t || status < 0 || status >= t->statusCount())
        return {};
    switch (t->status(status).kind) {
    case FolderTotals::StatusKind::Other:
        return m_otherName;
    case FolderTotals::StatusKind::Unknown:
        return m_unknownName;
    case FolderTotals::StatusKind::Word:
        break;
    }
    return t->status(status).word;
}

int FolderTreeModel::childAt(int parentItem, int row) const
{
    if (m_matchCounts)
        return m_shownChildren[size_t(m_shownFirst[size_t(parentItem)] + row)];
    return wholeChildAt(parentItem, row);
}

int FolderTreeModel::wholeChildAt(int parentItem, int row) const
{
    if (!m_order.empty())
        return m_order[size_t(m_tree->item(parentItem).firstChild + row)];
    return m_tree->child(parentItem, row);
}

int FolderTreeModel::childCountOf(int parentItem) const
{
    return m_matchCounts ? m_shownCount[size_t(parentItem)] : m_tree->item(parentItem).childCount;
}

int FolderTreeModel::rowOf(int item) const
{
    if (item == 0)
        return 0;
    if (m_matchCounts)
        return m_shownRowOf[size_t(item)];
    return m_rowOf.empty() ? m_tree->item(item).row : m_rowOf[size_t(item)];
}

void FolderTreeModel::computeOrder()
{
    m_order.clear();
    m_rowOf.clear();
    const FolderTotals *t = wholeTotals();
    if (m_sortColumn == NameColumn || !t) {
        computeShown();
        return;
    }
    const FolderSortKey key = m_sortColumn == FilesColumn  ? FolderSortKey::Files
                              : m_sortColumn == SizeColumn ? FolderSortKey::Size
                                                           : FolderSortKey::Recovery;
    m_order = sortAllChildren(*m_tree, *t, key, m_sortOrder == Qt::DescendingOrder);
    m_rowOf.assign(size_t(m_tree->count()), 0);
    for (int p = 0; p < m_tree->count(); ++p) {
        const FolderTree::Item &it = m_tree->item(p);
        for (int r = 0; r < it.childCount; ++r)
            m_rowOf[size_t(m_order[size_t(it.firstChild + r)])] = r;
    }
    computeShown();
}

void FolderTreeModel::computeShown()
{
    m_shownFirst.clear();
    m_shownCount.clear();
    m_shownChildren.clear();
    m_shownRowOf.clear();
    if (!m_matchCounts)
        return;
    // The shown children keep the order of the whole tree's (by name, or by
    // the sorted column).
    const std::vector<qint32> &counts = *m_matchCounts;
    const int n = m_tree->count();
    m_shownFirst.assign(size_t(n), 0);
    m_shownCount.assign(size_t(n), 0);
    m_shownRowOf.assign(size_t(n), -1);
    m_shownRowOf[0] = 0;
    for (int p = 0; p < n; ++p) {
        if (counts[size_t(p)] <= 0)
            continue;
        m_shownFirst[size_t(p)] = int(m_shownChildren.size());
        const int children = m_tree->item(p).childCount;
        for (int r = 0; r < children; ++r) {
            const int c = wholeChildAt(p, r);
            if (counts[size_t(c)] <= 0)
                continue;
            m_shownRowOf[size_t(c)] = m_shownCount[size_t(p)]++;
            m_shownChildren.push_back(c);
        }
    }
}

void FolderTreeModel::sort(int column, Qt::SortOrder order)
{
    if (column < 0 || column >= ColumnCount)
        return;
    if (column == NameColumn)
        order = Qt::AscendingOrder;
    if (column == m_sortColumn && order == m_sortOrder)
        return;
    Q_EMIT layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    m_sortColumn = column;
    m_sortOrder = order;
    if (!m_changing)
        computeOrder();
    QModelIndexList after;
    after.reserve(before.size());
    for (const QModelIndex &index : before)
        after.append(indexOf(itemOf(index), index.column()));
    changePersistentIndexList(before, after);
    Q_EMIT layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

int FolderTreeModel::itemOf(const QModelIndex &index) const
{
    if (!index.isValid() || index.model() != this)
        return -1;
    return int(index.internalId());
}

QModelIndex FolderTreeModel::indexOf(int item, int column) const
{
    if (!hasTree() || m_changing || item < 0 || item >= m_tree->count() || column < 0 ||
        column >= ColumnCount)
        return {};
    if (m_matchCounts && item > 0 && m_shownRowOf[size_t(item)] < 0)
        return {}; // not shown: no match below it
    return createIndex(rowOf(item), column, quintptr(item));
}

QModelIndex FolderTreeModel::index(int row, int column, const QModelIndex &parent) const
{
    if (!hasTree() || m_changing || column < 0 || column >= ColumnCount || row < 0)
        return {};
    if (!parent.isValid())
        return row == 0 ? createIndex(0, column, quintptr(0)) : QModelIndex();
    const int parentItem = itemOf(parent);
    if (parentItem < 0 || parentItem >= m_tree->count() || parent.column() != 0)
        return {};
    if (row >= childCountOf(parentItem))
        return {};
    return createIndex(row, column, quintptr(childAt(parentItem, row)));
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
    return item < 0 || item >= m_tree->count() ? 0 : childCountOf(item);
}

int FolderTreeModel::columnCount(const QModelIndex &) const
{
    return ColumnCount;
}

bool FolderTreeModel::hasChildren(const QModelIndex &parent) const
{
    return rowCount(parent) > 0;
}

QString FolderTreeModel::recoveryText(int item) const
{
    const FolderTotals *t = totals();
    if (!t || item < 0 || item >= t->folderCount())
        return {};
    const qint64 files = t->files(item);
    QString text = m_tree->text(item) + u'\n' + m_headers.at(FilesColumn) + u": "_s +
                   formatCount(files, m_locale) + u" \u00b7 "_s + m_headers.at(SizeColumn) +
                   u": "_s + FormatSize(t->bytes(item), m_locale, m_units) + u" ("_s +
                   formatCount(t->bytes(item), m_locale) + u' ' + m_units.bytes + u')';
    for (int s = 0; s < t->statusCount(); ++s) {
        const qint32 n = t->files(item, s);
        if (n == 0)
            continue;
        const double share = files > 0 ? 100.0 * double(n) / double(files) : 0.0;
        text += u'\n' + statusName(s) + u": "_s + formatCount(n, m_locale) + u" ("_s +
                m_locale.toString(share, 'f', 1) + u" %) \u00b7 "_s +
                FormatSize(t->bytes(item, s), m_locale, m_units) + u" ("_s +
                formatCount(t->bytes(item, s), m_locale) + u' ' + m_units.bytes + u')';
    }
    return text;
}

QVariant FolderTreeModel::data(const QModelIndex &index, int role) const
{
    const int item = itemOf(index);
    if (item < 0 || !hasTree() || m_changing || item >= m_tree->count())
        return {};
    if (index.column() == NameColumn) {
        switch (role) {
        case Qt::DisplayRole:
            return m_tree->text(item);
        case Qt::ToolTipRole:
            return plainToolTip(m_tree->text(item));
        case Qt::DecorationRole:
            return m_folderIcon.isNull() ? QVariant() : QVariant(m_folderIcon);
        case Qt::CheckStateRole:
            return m_checks ? QVariant(m_checks->folderCheck(item)) : QVariant();
        default:
            return {};
        }
    }
    if (m_matchCounts) {
        if (index.column() != FilesColumn)
            return {};
        if (role == Qt::DisplayRole)
            return formatCount(matchesBelow(item), m_locale);
        if (role == Qt::TextAlignmentRole)
            return QVariant::fromValue(Qt::Alignment(Qt::AlignRight | Qt::AlignVCenter));
        return {};
    }
    const FolderTotals *t = totals();
    if (!t)
        return {};
    switch (role) {
    case Qt::DisplayRole:
        if (index.column() == FilesColumn)
            return formatCount(t->files(item), m_locale);
        if (index.column() == SizeColumn)
            return FormatSize(t->bytes(item), m_locale, m_units);
        return {};
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::Alignment(Qt::AlignRight | Qt::AlignVCenter));
    case Qt::ToolTipRole:
        return plainToolTip(recoveryText(item));
    default:
        return {};
    }
}

QVariant FolderTreeModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= ColumnCount)
        return {};
    if (m_headers.holds(section, orientation, role))
        return m_headers.at(section);
    // Largest first on the first click, as disk-usage browsers sort.
    if (role == Qt::InitialSortOrderRole)
        return section == NameColumn ? Qt::AscendingOrder : Qt::DescendingOrder;
    return {};
}

bool FolderTreeModel::setHeaderData(int section, Qt::Orientation orientation, const QVariant &value,
                                    int role)
{
    return m_headers.set(*this, section, orientation, value, role);
}

Qt::ItemFlags FolderTreeModel::flags(const QModelIndex &index) const
{
    if (itemOf(index) < 0)
        return Qt::NoItemFlags;
    const Qt::ItemFlags checkable =
        m_checks && index.column() == NameColumn ? Qt::ItemIsUserCheckable : Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | checkable;
}

bool FolderTreeModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    const int item = itemOf(index);
    if (role != Qt::CheckStateRole || !m_checks || index.column() != NameColumn || item < 0 ||
        !hasTree() || m_changing || item >= m_tree->count())
        return false;
    m_checks->setFolderChosen(item, value.toInt() != Qt::Unchecked);
    return true;
}

} // namespace corvane
