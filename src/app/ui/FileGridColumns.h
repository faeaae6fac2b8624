#pragma once

// The widths of the file grid's columns. Modified, Size and Status are as
// wide as their widest text (header included), and while there is room never
// narrower than 75, 75 and 170 pixels; Name takes the width that is left (220
// at least while there is room). When the grid is too narrow, Name gives up
// its room first, down to a few letters, then the others theirs beyond their
// texts: the longest status word of the folder stays whole. A column
// the user has sized by hand keeps that width for the rest of the run; the
// widths the user set are readable and settable as one map, so that they can
// be kept beyond the run.

#include <QMap>
#include <QObject>

class QTableView;

namespace corvane {

class FileGridModel;

class FileGridColumns : public QObject
{
    Q_OBJECT

public:
    // The smallest widths, by column (column 3, the attributes, is hidden).
    static constexpr int MinimumWidths[5] = {220, 75, 75, 0, 170};

    FileGridColumns(QTableView *grid, FileGridModel *model);

    // Sizes the columns anew: after a fill, a resize of the grid, a change
    // of the headers.
    void fit();

    // The widths the user set by hand, by column.
    QMap<int, int> userWidths() const { return m_userWidths; }
    void setUserWidths(const QMap<int, int> &widths);

    // The width column's texts need (header and cells), before the minimum.
    int contentWidth(int column) const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void setWidth(int column, int width);

    QTableView *m_grid;
    FileGridModel *m_model;
    QMap<int, int> m_userWidths;
    bool m_fitting = false;
};

} // namespace corvane
