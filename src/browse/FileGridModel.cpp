#include "FileGridModel.h"

#include "FileImagePositions.h"
#include "listfile/ListLine.h"
#include "util/PlainText.h"

using namespace Qt::Literals::StringLiterals;

namespace corvane {

FileGridModel::FileGridModel(FileImagePositions &images, QObject *parent)
    : QAbstractTableModel(parent), m_imagePositions(images)
{}

void FileGridModel::setDecoration(std::function<QVariant(int)> decoration)
{
    m_decoration = std::move(decoration);
    if (!m_listing.rows.empty())
        Q_EMIT dataChanged(index(0, NameColumn), index(rowCount() - 1, NameColumn),
                           {Qt::DecorationRole});
}

void FileGridModel::setOptions(const ListingOptions &options)
{
    const bool renumber = options.numbers != m_options.numbers;
    m_options = options;
    if (!renumber || m_listing.rows.empty())
        return;
    for (GridRow &row : m_listing.rows) {
        if (row.hasSize)
            row.sizeText = sizeCellText(row.size, m_options.numbers);
    }
    Q_EMIT dataChanged(index(0, SizeColumn), index(rowCount() - 1, SizeColumn), {Qt::DisplayRole});
}

void FileGridModel::settleImages()
{
    m_images.resize(m_listing.rows.size());
    for (size_t i = 0; i < m_listing.rows.size(); ++i) {
        const GridRow &row = m_listing.rows[i];
        if (row.kind != GridRowKind::File)
            m_images[i] = FolderImage;
        else if (row.program)
            m_images[i] = ProgramImage;
        else
            m_images[i] = m_imagePositions.GetFileIcon(row.name);
    }
}

void FileGridModel::setListing(FolderListing listing)
{
    beginResetModel();
    m_listing = std::move(listing);
    if (!sortedByDefault())
        sortListing(m_listing, m_sortColumn + 1, m_sortOrder, m_options);
    settleImages();
    endResetModel();
}

void FileGridModel::clear()
{
    beginResetModel();
    m_listing = FolderListing{};
    m_images.clear();
    endResetModel();
}

int FileGridModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_listing.rows.size());
}

int FileGridModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant FileGridModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= ColumnCount)
        return {};
    const GridRow &row = m_listing.rows[size_t(index.row())];
    switch (role) {
    case Qt::DisplayRole:
        switch (index.column()) {
        case NameColumn:
            return row.name;
        case DateColumn:
            return row.modified;
        case SizeColumn:
            return row.sizeText;
        case AttributesColumn:
            return row.attributes;
        case StatusColumn:
            return row.status;
        }
        break;
    case Qt::DecorationRole:
        if (index.column() == NameColumn && m_decoration)
            return m_decoration(m_images[size_t(index.row())]);
        break;
    case Qt::CheckStateRole:
        if (index.column() == NameColumn && m_checks && row.kind != GridRowKind::Up)
            return m_checks->rowCheck(m_listing, row);
        break;
    case Qt::TextAlignmentRole:
        if (index.column() == SizeColumn)
            return QVariant::fromValue(Qt::Alignment(Qt::AlignRight | Qt::AlignVCenter));
        break;
    case Qt::ToolTipRole:
        // The whole name, also when it is too wide for the column.
        if (index.column() == NameColumn)
            return plainToolTip(row.name);
        break;
    default:
        break;
    }
    return {};
}

QVariant FileGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (m_headers.holds(section, orientation, role))
        return m_headers.at(section);
    return QAbstractTableModel::headerData(section, orientation, role);
}

bool FileGridModel::setHeaderData(int section, Qt::Orientation orientation, const QVariant &value,
                                  int role)
{
    return m_headers.set(*this, section, orientation, value, role);
}

Qt::ItemFlags FileGridModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    const bool checkable = m_checks && index.column() == NameColumn && index.row() < rowCount() &&
                           m_listing.rows[size_t(index.row())].kind != GridRowKind::Up;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren |
           (checkable ? Qt::ItemIsUserCheckable : Qt::NoItemFlags);
}

bool FileGridModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::CheckStateRole || !m_checks || !index.isValid() ||
        index.column() != NameColumn || index.row() >= rowCount())
        return false;
    const GridRow &row = m_listing.rows[size_t(index.row())];
    if (row.kind == GridRowKind::Up)
        return false;
    m_checks->setRowChosen(m_listing, row, value.toInt() != Qt::Unchecked);
    return true;
}

void FileGridModel::sort(int column, Qt::SortOrder order)
{
    // The attributes column is hidden and not a sort key.
    if (column < 0 || column >= ColumnCount || column == AttributesColumn)
        return;
    if (column == m_sortColumn && order == m_sortOrder)
        return;
    m_sortColumn = column;
    m_sortOrder = order;
    if (m_listing.rows.empty())
        return;
    Q_EMIT layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    // Remember which row each persistent index stood on, by its line and name.
    struct Where
    {
        GridRowKind kind;
        qint32 line;
        QString name;
    };
    std::vector<Where> where;
    where.reserve(size_t(before.size()));
    for (const QModelIndex &i : before) {
        const GridRow &r = m_listing.rows[size_t(i.row())];
        where.push_back({r.kind, r.line, r.name});
    }
    sortListing(m_listing, column + 1, order, m_options);
    settleImages();
    QModelIndexList after;
    after.reserve(before.size());
    if (!before.isEmpty()) {
        QHash<qint32, int> fileRow;
        QHash<QString, int> folderRow;
        int upRow = -1;
        for (int r = 0; r < rowCount(); ++r) {
            const GridRow &g = m_listing.rows[size_t(r)];
            if (g.kind == GridRowKind::File)
                fileRow.insert(g.line, r);
            else if (g.kind == GridRowKind::Folder)
                folderRow.insert(g.name, r);
            else
                upRow = r;
        }
        for (size_t k = 0; k < where.size(); ++k) {
            const int r = where[k].kind == GridRowKind::File ? fileRow.value(where[k].line, -1)
                          : where[k].kind == GridRowKind::Folder
                              ? folderRow.value(where[k].name, -1)
                              : upRow;
            after.append(r < 0 ? QModelIndex() : index(r, before[qsizetype(k)].column()));
        }
    }
    changePersistentIndexList(before, after);
    Q_EMIT layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

QString rowFullPath(const LineStore &store, const FolderListing &listing, const GridRow &row)
{
    switch (row.kind) {
    case GridRowKind::File:
        if (row.line >= 0 && row.line < store.count())
            return store.decode(fieldAt(store.line(row.line), ListField::Path));
        return {};
    case GridRowKind::Folder:
        return store.decode(listing.key) + row.name;
    case GridRowKind::Up: {
        QString path = store.decode(listing.key);
        if (path.endsWith(u'\\'))
            path.chop(1);
        return path;
    }
    }
    return {};
}

} // namespace corvane
