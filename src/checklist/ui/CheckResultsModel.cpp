#include "CheckResultsModel.h"

#include <QColor>

#include <algorithm>

namespace corvane {

CheckResultsModel::CheckResultsModel(QObject *parent) : QAbstractTableModel(parent)
{
    m_count = [](qint64 n) { return QString::number(n); };
}

void CheckResultsModel::setResults(const QStringList &entries,
                                   const QList<CheckEntryResult> &results)
{
    beginResetModel();
    m_entries = entries;
    m_results = results;
    if (m_results.size() != m_entries.size())
        m_results.resize(m_entries.size());
    m_anyFound = std::any_of(m_results.cbegin(), m_results.cend(),
                             [](const CheckEntryResult &r) { return r.matches > 0; });
    endResetModel();
}

void CheckResultsModel::setTexts(const std::array<QString, 4> &verdicts,
                                 const std::array<QString, Columns> &titles,
                                 std::function<QString(qint64)> count)
{
    m_verdicts = verdicts;
    m_titles = titles;
    m_count = std::move(count);
    if (!m_entries.isEmpty())
        Q_EMIT dataChanged(index(0, 0), index(rowCount() - 1, Columns - 1));
    Q_EMIT headerDataChanged(Qt::Horizontal, 0, Columns - 1);
}

QColor CheckResultsModel::verdictColour(CheckVerdict verdict)
{
    switch (verdict) {
    case CheckVerdict::Recovered:
        return {0xC8, 0xEB, 0xC8};
    case CheckVerdict::Partial:
        return {0xFF, 0xEB, 0xA8};
    case CheckVerdict::Damaged:
        return {0xF6, 0xC4, 0xB8};
    case CheckVerdict::Missing:
        break;
    }
    return {0xDC, 0xDC, 0xDC};
}

int CheckResultsModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_entries.size());
}

int CheckResultsModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : Columns;
}

QVariant CheckResultsModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_entries.size())
        return {};
    const CheckEntryResult &r = m_results[index.row()];
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
        switch (index.column()) {
        case VerdictColumn:
            return m_verdicts[size_t(r.verdict)];
        case MatchesColumn:
            return m_count(r.matches);
        case EntryColumn:
            return m_entries[index.row()];
        case BestColumn:
            return r.bestPath;
        case StatusColumn:
            return r.bestStatus;
        default:
            return {};
        }
    case Qt::BackgroundRole:
        return verdictColour(r.verdict);
    case Qt::ForegroundRole:
        // Dark text on the light marks, whatever the desktop's palette.
        return QColor(Qt::black);
    case Qt::TextAlignmentRole:
        return index.column() == MatchesColumn ? int(Qt::AlignRight | Qt::AlignVCenter)
                                               : int(Qt::AlignLeft | Qt::AlignVCenter);
    default:
        return {};
    }
}

QVariant CheckResultsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= Columns)
        return QAbstractTableModel::headerData(section, orientation, role);
    return m_titles[size_t(section)];
}

} // namespace corvane
