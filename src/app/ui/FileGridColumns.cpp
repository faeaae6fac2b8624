#include "FileGridColumns.h"

#include "browse/FileGridModel.h"

#include <QEvent>
#include <QHeaderView>
#include <QScrollBar>
#include <QTableView>

#include <algorithm>

namespace corvane {

namespace {

constexpr int NameColumn = 0;
constexpr int HiddenColumn = 3;
// Room around a cell's text: the view's margins on both sides and the focus
// frame.
constexpr int CellPadding = 14;
// Only texts this close to the longest (in characters) are measured: digits
// and dates are about as wide as one another, and a folder of 100,000 files
// must not be measured cell by cell.
constexpr int MeasuredBelowLongest = 3;
constexpr int MaxMeasured = 256;
// The fewest letters of a name the grid keeps room for before it takes room
// from the other columns.
constexpr int NameFloorCharacters = 8;

// The text a row shows in a measured column, as the model hands it out.
const QString &cellText(const GridRow &row, int column)
{
    static const QString none;
    switch (column) {
    case FileGridModel::DateColumn:
        return row.modified;
    case FileGridModel::SizeColumn:
        return row.sizeText;
    case FileGridModel::StatusColumn:
        return row.status;
    default:
        return none;
    }
}

} // namespace

FileGridColumns::FileGridColumns(QTableView *grid, FileGridModel *model)
    : QObject(grid), m_grid(grid), m_model(model)
{
    QHeaderView *header = grid->horizontalHeader();
    header->setStretchLastSection(false);
    header->setSectionResizeMode(QHeaderView::Interactive);
    connect(header, &QHeaderView::sectionResized, this, [this](int column, int, int width) {
        if (m_fitting || column == HiddenColumn || m_grid->isColumnHidden(column))
            return;
        // Sized by hand: kept for the rest of the run; Name then gets the
        // width that is left, unless it was itself the one sized.
        m_userWidths[column] = width;
        fit();
    });
    connect(model, &QAbstractItemModel::modelReset, this, &FileGridColumns::fit);
    connect(model, &QAbstractItemModel::layoutChanged, this, &FileGridColumns::fit);
    connect(model, &QAbstractItemModel::headerDataChanged, this, &FileGridColumns::fit);
    grid->viewport()->installEventFilter(this);
}

void FileGridColumns::setUserWidths(const QMap<int, int> &widths)
{
    m_userWidths.clear();
    for (auto it = widths.begin(); it != widths.end(); ++it) {
        if (it.key() >= 0 && it.key() < 5 && it.key() != HiddenColumn && it.value() > 0)
            m_userWidths[it.key()] = it.value();
    }
    fit();
}

int FileGridColumns::contentWidth(int column) const
{
    const QFontMetrics metrics = m_grid->fontMetrics();
    int width = m_grid->horizontalHeader()->sectionSizeHint(column);
    const int rows = m_model->rowCount();
    qsizetype longest = 0;
    for (int r = 0; r < rows; ++r)
        longest = std::max(longest, cellText(m_model->gridRow(r), column).size());
    int measured = 0;
    for (int r = 0; r < rows && measured < MaxMeasured; ++r) {
        const QString &text = cellText(m_model->gridRow(r), column);
        if (text.size() + MeasuredBelowLongest < longest || text.isEmpty())
            continue;
        width = std::max(width, metrics.horizontalAdvance(text) + CellPadding);
        ++measured;
    }
    return width;
}

void FileGridColumns::setWidth(int column, int width)
{
    if (m_grid->columnWidth(column) != width)
        m_grid->setColumnWidth(column, width);
}

void FileGridColumns::fit()
{
    if (m_fitting || m_model->columnCount() < 5)
        return;
    m_fitting = true;
    // Each shown column's width when there is room (its smallest width, or
    // wider for its texts), and the width its texts need.
    int wanted[5] = {};
    int needed[5] = {};
    int others = 0;
    for (int column = 1; column < 5; ++column) {
        if (column == HiddenColumn || m_grid->isColumnHidden(column))
            continue;
        if (m_userWidths.contains(column)) {
            wanted[column] = needed[column] = m_userWidths.value(column);
        } else {
            needed[column] = contentWidth(column);
            wanted[column] = std::max(MinimumWidths[column], needed[column]);
        }
        others += wanted[column];
    }
    if (m_userWidths.contains(NameColumn)) {
        setWidth(NameColumn, m_userWidths.value(NameColumn));
    } else {
        // The spare width goes to the names. When there is too little, the
        // other columns first give up the empty room beyond their texts (the
        // dates first, the statuses last), then the names give up theirs,
        // down to a few letters: every status word stays whole, and no
        // column stands half empty beside a name that is cut.
        const int available = m_grid->viewport()->width();
        const int nameFloor = std::min(
            MinimumWidths[NameColumn],
            m_grid->fontMetrics().averageCharWidth() * NameFloorCharacters + CellPadding + 16);
        // (A grid not on screen has no width of its own yet: the smallest
        // widths stand until it is shown.)
        int shortBy = m_grid->isVisible() ? MinimumWidths[NameColumn] - (available - others) : 0;
        for (int column : {1, 2, 4}) {
            if (shortBy <= 0)
                break;
            const int given = std::min(shortBy, wanted[column] - needed[column]);
            wanted[column] -= given;
            others -= given;
            shortBy -= given;
        }
        setWidth(NameColumn, std::max(m_grid->isVisible() ? nameFloor : MinimumWidths[NameColumn],
                                      available - others));
    }
    for (int column = 1; column < 5; ++column) {
        if (column != HiddenColumn && !m_grid->isColumnHidden(column))
            setWidth(column, wanted[column]);
    }
    m_fitting = false;
}

bool FileGridColumns::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_grid->viewport() && event->type() == QEvent::Resize)
        fit();
    return QObject::eventFilter(watched, event);
}

} // namespace corvane
