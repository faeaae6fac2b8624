#pragma once

// The rows of the "By kind" view: one per kind that has a file below the
// folder shown, and "All kinds" last; the columns kind, files, size, the
// files of each status class and a recovery bar of the classes. Sorting by
// any column keeps "All kinds" last.

#include "listfile/FolderKinds.h"

#include <QAbstractTableModel>
#include <QLocale>
#include <QStringList>

#include <array>
#include <functional>
#include <optional>
#include <vector>

namespace corvane {

class KindsModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column {
        KindColumn,
        FilesColumn,
        SizeColumn,
        GoodColumn,
        PartialColumn,
        BadColumn,
        UnknownColumn,
        RecoveryColumn,
        ColumnCount
    };
    // The files per class of a row, for the recovery bar (a QVariantList of
    // four qint64).
    static constexpr int ClassFilesRole = Qt::UserRole + 1;

    struct Texts
    {
        std::array<QString, FileKindCount> kindNames;
        QString allKinds;
        QStringList headers; // one a column
        std::function<QString(qint64)> count;
        std::function<QString(ByteTotal)> size;
        QLocale collation; // the kinds' names are sorted in its order
    };

    using QAbstractTableModel::QAbstractTableModel;

    void setTotals(const KindTotals &totals);
    void setTexts(Texts texts);
    void clear() { setTotals({}); }

    // What a row stands for: a kind, or none for "All kinds".
    std::optional<FileKind> kindOf(int row) const;
    // The class a column counts, if it counts one.
    static std::optional<StatusClass> classOf(int column);
    const KindCount &countOf(int row) const;
    bool isEmpty() const { return m_rows.empty(); }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    void sort(int column, Qt::SortOrder order) override;

private:
    struct Row
    {
        std::optional<FileKind> kind;
        KindCount count;
    };
    void sortRows();

    std::vector<Row> m_rows; // the kinds, then "All kinds"
    Texts m_texts;
    int m_sortColumn = -1;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
};

} // namespace corvane
