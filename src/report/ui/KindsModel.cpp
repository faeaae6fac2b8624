#include "KindsModel.h"

#include <QCollator>
#include <QFont>
#include <QVariantList>

#include <algorithm>

namespace corvane {

namespace {

qint64 sortKey(const KindCount &count, int column)
{
    switch (column) {
    case KindsModel::FilesColumn:
        return count.files;
    case KindsModel::SizeColumn:
        return count.bytes.raw();
    case KindsModel::GoodColumn:
    case KindsModel::RecoveryColumn: // by how much came back
        return count.filesOf(StatusClass::Good);
    case KindsModel::PartialColumn:
        return count.filesOf(StatusClass::Partial);
    case KindsModel::BadColumn:
        return count.filesOf(StatusClass::Bad);
    case KindsModel::UnknownColumn:
        return count.filesOf(StatusClass::Unknown);
    default:
        return 0;
    }
}

} // namespace

void KindsModel::setTotals(const KindTotals &totals)
{
    beginResetModel();
    m_rows.clear();
    for (int k = 0; k < FileKindCount; ++k) {
        const KindCount &count = totals.kinds[size_t(k)];
        if (count.files > 0)
            m_rows.push_back({FileKind(k), count});
    }
    if (!m_rows.empty())
        m_rows.push_back({std::nullopt, totals.total()});
    sortRows();
    endResetModel();
}

void KindsModel::setTexts(Texts texts)
{
    m_texts = std::move(texts);
    if (m_sortColumn == KindColumn) {
        beginResetModel();
        sortRows();
        endResetModel();
    } else if (!m_rows.empty()) {
        Q_EMIT dataChanged(index(0, 0), index(rowCount() - 1, ColumnCount - 1));
    }
    Q_EMIT headerDataChanged(Qt::Horizontal, 0, ColumnCount - 1);
}

std::optional<FileKind> KindsModel::kindOf(int row) const
{
    if (row < 0 || row >= rowCount())
        return std::nullopt;
    return m_rows[size_t(row)].kind;
}

std::optional<StatusClass> KindsModel::classOf(int column)
{
    switch (column) {
    case GoodColumn:
        return StatusClass::Good;
    case PartialColumn:
        return StatusClass::Partial;
    case BadColumn:
        return StatusClass::Bad;
    case UnknownColumn:
        return StatusClass::Unknown;
    default:
        return std::nullopt;
    }
}

const KindCount &KindsModel::countOf(int row) const
{
    static const KindCount none;
    return row >= 0 && row < rowCount() ? m_rows[size_t(row)].count : none;
}

int KindsModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int KindsModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant KindsModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const Row &row = m_rows[size_t(index.row())];
    const int column = index.column();
    if (role == Qt::DisplayRole) {
        switch (column) {
        case KindColumn:
            return row.kind ? m_texts.kindNames[size_t(*row.kind)] : m_texts.allKinds;
        case FilesColumn:
            return m_texts.count ? m_texts.count(row.count.files)
                                 : QString::number(row.count.files);
        case SizeColumn:
            return m_texts.size ? m_texts.size(row.count.bytes)
                                : QString::number(row.count.bytes.roundedBytes());
        case RecoveryColumn:
            return {};
        default: {
            const qint64 n = row.count.filesOf(*classOf(column));
            return m_texts.count ? m_texts.count(n) : QString::number(n);
        }
        }
    }
    if (role == Qt::TextAlignmentRole && column != KindColumn)
        return int(Qt::AlignRight | Qt::AlignVCenter);
    if (role == Qt::FontRole && !row.kind) {
        QFont bold;
        bold.setBold(true);
        return bold;
    }
    if (role == ClassFilesRole) {
        QVariantList files;
        for (const qint64 n : row.count.classFiles)
            files.append(n);
        return files;
    }
    return {};
}

QVariant KindsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    return m_texts.headers.value(section);
}

void KindsModel::sort(int column, Qt::SortOrder order)
{
    m_sortColumn = column;
    m_sortOrder = order;
    Q_EMIT layoutAboutToBeChanged();
    sortRows();
    Q_EMIT layoutChanged();
}

void KindsModel::sortRows()
{
    if (m_rows.size() < 2)
        return;
    // The table's order until a column is picked; "All kinds" stays last.
    const auto last = m_rows.end() - 1;
    const int column = m_sortColumn;
    const bool ascending = m_sortOrder == Qt::AscendingOrder;
    QCollator collator(m_texts.collation);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(m_rows.begin(), last, [&](const Row &a, const Row &b) {
        if (column < 0)
            return *a.kind < *b.kind;
        if (column == KindColumn) {
            const QString &x = m_texts.kindNames[size_t(*a.kind)];
            const QString &y = m_texts.kindNames[size_t(*b.kind)];
            const int c = collator.compare(x, y);
            return ascending ? c < 0 : c > 0;
        }
        const qint64 x = sortKey(a.count, column);
        const qint64 y = sortKey(b.count, column);
        if (x == y)
            return *a.kind < *b.kind;
        return ascending ? x < y : x > y;
    });
}

} // namespace corvane
