#pragma once

// The file grid's item model over a folder listing: five columns (name with
// its image, date, size right-aligned, the attributes field, status). The
// listing is swapped in whole; every text and image position is settled
// when it is, so data() only hands out what is there.

#include "FolderListing.h"
#include "RowChecks.h"
#include "util/HeaderTexts.h"

#include <QAbstractTableModel>
#include <QStringList>

#include <functional>
#include <vector>

namespace corvane {

class FileImagePositions;

class FileGridModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column : int { NameColumn = 0, DateColumn, SizeColumn, AttributesColumn, StatusColumn };
    static constexpr int ColumnCount = 5;

    // images gives each file row its image position (GetFileIcon); it must
    // outlive the model. decoration turns a position into what the view draws
    // (an icon); empty: no pictures.
    explicit FileGridModel(FileImagePositions &images, QObject *parent = nullptr);

    void setDecoration(std::function<QVariant(int imagePosition)> decoration);
    // Check boxes beside the names of sub-folder and file rows (nullptr:
    // none); checks must outlive the model or be taken away first.
    void setChecks(RowChecks *checks) { m_checks = checks; }
    // A new number format is applied to the rows shown at once.
    void setOptions(const ListingOptions &options);
    const ListingOptions &options() const { return m_options; }

    // FillFileGrid's last steps: the rows replace what the grid shows, in
    // the current sort order (name ascending until a header is clicked).
    void setListing(FolderListing listing);
    // Removes every row.
    void clear();

    const FolderListing &listing() const { return m_listing; }
    const GridRow &gridRow(int row) const { return m_listing.rows[size_t(row)]; }
    int imagePosition(int row) const { return m_images[size_t(row)]; }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    bool setHeaderData(int section, Qt::Orientation orientation, const QVariant &value,
                       int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

    int sortColumn() const { return m_sortColumn; }
    Qt::SortOrder sortOrder() const { return m_sortOrder; }

private:
    void settleImages();
    bool sortedByDefault() const
    {
        return m_sortColumn == NameColumn && m_sortOrder == Qt::AscendingOrder;
    }

    FileImagePositions &m_imagePositions;
    std::function<QVariant(int)> m_decoration;
    RowChecks *m_checks = nullptr;
    ListingOptions m_options;
    FolderListing m_listing;
    std::vector<int> m_images; // per row
    HeaderTexts m_headers{ColumnCount};
    int m_sortColumn = NameColumn;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
};

// The full path of a row as the list writes it: a file's path field, a
// sub-folder's folder key and name; the ".." row gives the shown folder's path.
QString rowFullPath(const LineStore &store, const FolderListing &listing, const GridRow &row);

} // namespace corvane
