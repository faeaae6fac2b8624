#pragma once

// The content of one folder of a loaded list, as the file grid shows it: the
// ".." row, one row per sub-folder, one row per file entry, with the five
// column texts. Pure logic over the line store and the folder tree; the
// grid's item model only swaps a listing in.

#include "listfile/LineStore.h"
#include "listfile/NaturalOrder.h"
#include "listfile/SizeText.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QLocale>
#include <QString>
#include <QStringView>

#include <vector>

namespace corvane {

class FolderTree;
struct LoadedList;

// Fixed positions of the file grid's image list; file-type images follow.
enum FixedImage : int { FolderImage = 0, GenericFileImage = 1, ProgramImage = 2 };

enum class GridRowKind : quint8 {
    Up,     // ".." in row 1 when the shown folder is not "Root"
    Folder, // a sub-folder
    File,   // a file entry (one stored line)
};

struct GridRow
{
    GridRowKind kind = GridRowKind::File;
    bool program = false; // a file whose name ends in ".exe" in any letter case
    bool hasSize = false; // the line has a size field (column 3 is set)
    qint32 line = -1;     // the line store index of a file row
    double size = 0;      // the leading number of the size field
    QString name;         // column 1
    QString modified;     // column 2, as stored
    QString sizeText;     // column 3, "#,0" of the size; empty without a size field
    QString attributes;   // column 4, as stored
    QString status;       // column 5, as stored
};

// The first and last index of the stored lines that begin with a folder key;
// -1 and 0 when no line does.
struct FolderLines
{
    qint32 FirstFolderLine = -1;
    qint32 LastFolderLine = 0;
    bool isEmpty() const { return FirstFolderLine < 0; }
};

struct ListingOptions
{
    // The UI language's locale: the natural order of names.
    QLocale collation = QLocale(QLocale::English, QLocale::UnitedStates);
    // The "#,0" size texts (the window's number format).
    QLocale numbers = QLocale(QLocale::English, QLocale::UnitedStates);
    // The words of the details panel's sizes.
    SizeUnits units;
    // The user's locale: how the list's dates are read for sorting.
    QLocale dates = QLocale(QLocale::English, QLocale::UnitedStates);
};

struct FolderListing
{
    int item = -1;             // the folder tree item shown
    QString header;            // the item's text: the column 1 header
    QByteArray key;            // the folder key in the store's byte form
    FolderLines lines;         // where the folder's lines stand in the store
    bool filled = false;       // false when the store holds no line (the grid keeps its rows)
    std::vector<GridRow> rows; // in grid order: "..", folders, files
    qsizetype folderRows = 0;
    qsizetype fileRows = 0;
    bool hasUpRow() const { return !rows.empty() && rows.front().kind == GridRowKind::Up; }
};

// The folder key of a tree item: the root prefix followed by the names of the
// item's ancestors from level 1 down to the item, each followed by "\", in the
// store's byte form. ok is false when the prefix has no byte form in the
// store's encoding (no line can begin with it).
QByteArray folderKey(const LoadedList &list, const QString &rootPrefix, int item,
                     bool *ok = nullptr);

// Finds the stretch of stored lines beginning with key by binary search.
FolderLines FindFolderLines(const LineStore &store, QByteArrayView key);

// Gathers the sub-folders and files of the folder whose lines are `lines`:
// files are the lines whose path holds no further "\" after the key, the
// sub-folder names are taken once each by jumping past every sub-folder's
// stretch. Lines without "," are never shown. Rows are sorted by name
// (natural order) with the ".." row first when upRow is set.
FolderListing FillFileGrid(const LineStore &store, QByteArrayView key, FolderLines lines,
                           bool upRow, const ListingOptions &options);

// ShowFolder's data work: the key of item, its lines and its rows (the ".."
// row for every item but "Root"). An item outside the tree gives an unfilled
// listing.
FolderListing listFolder(const LoadedList &list, const QString &rootPrefix, int item,
                         const ListingOptions &options);

// Which rows of a folder's listing stay while the list is narrowed (a find
// as the user types): the files whose lines it keeps, and the sub-folders
// with something it keeps below them.
class ListingFilter
{
public:
    virtual ~ListingFilter() = default;
    virtual bool keepsLine(qint32 line) const = 0;
    virtual bool keepsFolder(int item) const = 0;
};

// Drops the rows of listing (a listing of tree's item listing.item) that
// filter does not keep; the ".." row stays.
void narrowListing(FolderListing &listing, const FolderTree &tree, const ListingFilter &filter);

// The tree item of a folder named by its names below "Root" joined by "\"
// ('Photos\2009'; empty for "Root"; one trailing "\" is allowed); -1 when
// the tree has no such folder or is empty.
int folderItemByPath(const LoadedList &list, QStringView path);

// The extension key of a file name: from its last "." to the end, dot
// included; a name without "." is its own key. Case is kept.
QStringView fileExtensionKey(QStringView name);

// Whether a name takes the program image: its last four characters are
// ".exe" in any letter case.
bool isProgramName(QStringView name);

// The "#,0" text of a size field's leading number (rounded half away from
// zero; numbers beyond 64 bits keep their digits).
QString sizeCellText(double size, const QLocale &numbers);

// Sorts the rows of a listing by a grid column (1 name, 2 date, 3 size,
// 5 status): ".." stays on top and folders above files; folders follow the
// name order (reversed only when sorting by name descending); ties go by name.
void sortListing(FolderListing &listing, int column, Qt::SortOrder order,
                 const ListingOptions &options);

} // namespace corvane
