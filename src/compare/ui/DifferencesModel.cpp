#include "DifferencesModel.h"

#include "browse/FolderListing.h"
#include "listfile/ListLine.h"
#include "util/PlainText.h"

using namespace Qt::Literals::StringLiterals;

namespace corvane {

DifferencesModel::DifferencesModel(QObject *parent)
    : QAbstractTableModel(parent)
    , m_changes{u"added"_s, u"removed"_s, u"status changed"_s, u"size changed"_s}
    , m_titles{u"Path"_s,       u"Change"_s,   u"Old status"_s,
               u"New status"_s, u"Old size"_s, u"New size"_s}
{}

void DifferencesModel::setComparison(std::shared_ptr<const ComparedLists> compared)
{
    m_compared = std::move(compared);
    m_oldClasses = {};
    m_newClasses = {};
    m_folder = -1;
    rebuild();
}

void DifferencesModel::showFolder(int item)
{
    m_folder = item;
    m_below = false;
    rebuild();
}

void DifferencesModel::showBelow(int item)
{
    m_folder = item;
    m_below = item >= 0;
    rebuild();
}

void DifferencesModel::setFilter(std::optional<ListChange> only, std::optional<StatusClass> became)
{
    m_only = became ? std::optional(ListChange::StatusChanged) : only;
    m_became = became;
    rebuild();
}

bool DifferencesModel::accepts(const ListDifference &difference) const
{
    if (m_only && difference.change() != *m_only)
        return false;
    if (!m_became || !m_compared)
        return true;
    // Became: of another class before, of this one now (as the summary counts).
    const LineStore &o = m_compared->oldList->iGrid1;
    const LineStore &n = m_compared->newList->iGrid1;
    return m_newClasses.classOf(lineFields(n.line(difference.newLine())).status, n.encoding()) ==
               *m_became &&
           m_oldClasses.classOf(lineFields(o.line(difference.oldLine())).status, o.encoding()) !=
               *m_became;
}

void DifferencesModel::rebuild()
{
    beginResetModel();
    m_rows.clear();
    m_all = m_compared && m_folder < 0 && !m_only && !m_became;
    if (m_compared && !m_all) {
        const ListComparison &c = m_compared->comparison;
        if (m_below) {
            // The paths below the folder: those that begin with its names.
            const LoadedList &o = *m_compared->oldList;
            const LoadedList &n = *m_compared->newList;
            const QByteArray key = n.SftTree1.keyBelowRoot(m_folder);
            for (size_t i = 0; i < c.differences.size(); ++i) {
                const ListDifference &d = c.differences[i];
                const QByteArrayView line =
                    d.newLine() >= 0 ? n.iGrid1.line(d.newLine()) : o.iGrid1.line(d.oldLine());
                if (pathBelowTop(line).startsWith(QByteArrayView(key)) && accepts(d))
                    m_rows.push_back(quint32(i));
            }
        } else if (m_folder >= 0) {
            m_rows = differencesInFolder(c, *m_compared->oldList, *m_compared->newList, m_folder);
            if (m_only)
                std::erase_if(m_rows, [&](quint32 i) { return !accepts(c.differences[i]); });
        } else {
            for (size_t i = 0; i < c.differences.size(); ++i) {
                if (accepts(c.differences[i]))
                    m_rows.push_back(quint32(i));
            }
        }
        m_rows.shrink_to_fit();
    }
    endResetModel();
}

const ListDifference &DifferencesModel::differenceAt(int row) const
{
    const std::vector<ListDifference> &all = m_compared->comparison.differences;
    return all[m_all ? size_t(row) : size_t(m_rows[size_t(row)])];
}

void DifferencesModel::setTexts(const std::array<QString, 4> &changes,
                                const std::array<QString, Columns> &titles)
{
    m_changes = changes;
    m_titles = titles;
    if (rowCount() > 0)
        Q_EMIT dataChanged(index(0, ChangeColumn), index(rowCount() - 1, ChangeColumn));
    Q_EMIT headerDataChanged(Qt::Horizontal, 0, Columns - 1);
}

QColor DifferencesModel::changeColour(ListChange change)
{
    switch (change) {
    case ListChange::Added:
        return QColor(0x1B, 0x7F, 0x2A);
    case ListChange::Removed:
        return QColor(0xB0, 0x1E, 0x1E);
    case ListChange::StatusChanged:
        return QColor(0xB3, 0x6B, 0x00);
    case ListChange::SizeChanged:
        break;
    }
    return QColor(0x1F, 0x4E, 0xA8);
}

void DifferencesModel::setNumbers(const QLocale &numbers)
{
    m_numbers = numbers;
    if (rowCount() > 0)
        Q_EMIT dataChanged(index(0, OldSizeColumn), index(rowCount() - 1, NewSizeColumn));
}

QString DifferencesModel::sizeText(QByteArrayView field) const
{
    // As the file grid writes a size: the field's leading number, grouped.
    return field.isEmpty() ? QString() : sizeCellText(leadingNumber(field), m_numbers);
}

int DifferencesModel::rowCount(const QModelIndex &parent) const
{
    if (parent.isValid() || !m_compared)
        return 0;
    return int(m_all ? m_compared->comparison.differences.size() : m_rows.size());
}

int DifferencesModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : Columns;
}

QString DifferencesModel::cell(const ListDifference &d, int column) const
{
    const LineStore &o = m_compared->oldList->iGrid1;
    const LineStore &n = m_compared->newList->iGrid1;
    const bool inOld = d.oldLine() >= 0;
    const bool inNew = d.newLine() >= 0;
    switch (Column(column)) {
    case PathColumn:
        return inNew ? n.decode(pathBelowTop(n.line(d.newLine())))
                     : o.decode(pathBelowTop(o.line(d.oldLine())));
    case ChangeColumn:
        return m_changes[size_t(d.change())];
    case OldStatusColumn:
        return inOld ? o.decode(lineFields(o.line(d.oldLine())).status) : QString();
    case NewStatusColumn:
        return inNew ? n.decode(lineFields(n.line(d.newLine())).status) : QString();
    case OldSizeColumn:
        return inOld ? sizeText(fieldAt(o.line(d.oldLine()), ListField::Size)) : QString();
    case NewSizeColumn:
        return inNew ? sizeText(fieldAt(n.line(d.newLine()), ListField::Size)) : QString();
    case Columns:
        break;
    }
    return {};
}

QVariant DifferencesModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= Columns)
        return {};
    const ListDifference &d = differenceAt(index.row());
    switch (role) {
    case Qt::DisplayRole:
        return cell(d, index.column());
    case Qt::ToolTipRole:
        return plainToolTip(cell(d, index.column()));
    case Qt::ForegroundRole:
        return index.column() == ChangeColumn ? QVariant(changeColour(d.change())) : QVariant();
    case Qt::TextAlignmentRole:
        if (index.column() == OldSizeColumn || index.column() == NewSizeColumn)
            return int(Qt::AlignRight | Qt::AlignVCenter);
        return {};
    default:
        return {};
    }
}

QVariant DifferencesModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= Columns)
        return {};
    return m_titles[size_t(section)];
}

} // namespace corvane
