#pragma once

// The grid of a comparison's differences: one row per difference of the
// folder picked in NEW's tree (or of all), of one kind of change when a
// filter is set, with the path, the change (coloured), and the old and new
// status and size. Texts from the lists are plain text, decoded when shown.

#include "compare/ListComparison.h"

#include <QAbstractTableModel>
#include <QColor>
#include <QLocale>

#include <array>
#include <memory>
#include <optional>
#include <vector>

namespace corvane {

// Two lists and what changed from the first to the second: shared by the
// controller, the grid and the saves while the window shows them.
struct ComparedLists
{
    std::shared_ptr<const LoadedList> oldList;
    std::shared_ptr<const LoadedList> newList;
    ListComparison comparison;
};

class DifferencesModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column {
        PathColumn,
        ChangeColumn,
        OldStatusColumn,
        NewStatusColumn,
        OldSizeColumn,
        NewSizeColumn,
        Columns
    };

    explicit DifferencesModel(QObject *parent = nullptr);

    // Shows every difference of compared (none: empties the grid); the
    // filter stays.
    void setComparison(std::shared_ptr<const ComparedLists> compared);
    const std::shared_ptr<const ComparedLists> &comparison() const { return m_compared; }

    // The differences one folder of NEW's tree shows (see differencesInFolder);
    // -1: all of them.
    void showFolder(int item);
    // The differences below one folder of NEW's tree: its files and those of
    // all folders below it (by their paths); -1: all of them.
    void showBelow(int item);
    int folder() const { return m_folder; }
    // Only one kind of change (none: every kind); with became, only the
    // status changes to a status of that class ("became damaged").
    void setFilter(std::optional<ListChange> only, std::optional<StatusClass> became = {});
    std::optional<ListChange> filter() const { return m_only; }
    std::optional<StatusClass> becameFilter() const { return m_became; }
    // Whether a difference passes the filter (the saves write only those).
    bool accepts(const ListDifference &difference) const;

    const ListDifference &differenceAt(int row) const;

    // The words of the language in use: the changes in their enum's order,
    // the column titles in the columns' order.
    void setTexts(const std::array<QString, 4> &changes,
                  const std::array<QString, Columns> &titles);

    // The locale sizes are written in, as the file grid writes them.
    void setNumbers(const QLocale &numbers);

    // The colour a change's rows are marked with.
    static QColor changeColour(ListChange change);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    void rebuild();
    QString sizeText(QByteArrayView field) const;
    QString cell(const ListDifference &difference, int column) const;

    std::shared_ptr<const ComparedLists> m_compared;
    // Indexes into the differences; unused while every one is shown.
    std::vector<quint32> m_rows;
    bool m_all = true;
    int m_folder = -1;
    bool m_below = false; // m_folder's whole stretch of paths
    std::optional<ListChange> m_only;
    std::optional<StatusClass> m_became;
    std::array<QString, 4> m_changes;
    std::array<QString, Columns> m_titles;
    QLocale m_numbers = QLocale(QLocale::English, QLocale::UnitedStates);
    // The lists' status words' classes, for the "became" filter.
    mutable StatusWordClasses m_oldClasses;
    mutable StatusWordClasses m_newClasses;
};

} // namespace corvane
