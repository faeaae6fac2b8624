#pragma once

// The recovery map's layout: the folder shown and everything below it as
// nested rectangles whose areas are their bytes (the squarified treemap of
// Bruls, Huizing and van Wijk). Sub-folders are laid out inside their
// parent, one border in from its edge, as deep as tiles stay a few units
// wide; a folder's own files are one tile, or a tile each where a file is
// big enough and the rest together. What would be too small to see is
// gathered: the small sub-folders of a folder are one tile, so the map never
// holds more tiles than its area has room for, however many lines the list
// has. Built from the loader's folder totals; the only lines read are a big
// folder's own files.

#include "listfile/ByteTotal.h"

#include <QPointF>
#include <QRectF>
#include <QString>

#include <atomic>
#include <vector>

namespace corvane {

struct LoadedList;

struct MapTile
{
    enum class Kind : quint8 {
        Folder,      // a folder tree item; its tiles follow when it is laid out inside
        OwnFiles,    // the files of item's folder that have no tile of their own
        File,        // one file of item's folder: the stored line `line`
        SmallFolders // item's sub-folders too small for a tile each, together
    };
    QRectF rect;
    qint32 item = 0;  // the folder tree item (the parent folder for the other kinds)
    qint32 line = -1; // File: its line store index; OwnFiles, SmallFolders: its split (see split())
    qint32 end = 0;   // one past the last tile inside this one (the next one for a leaf)
    quint16 depth = 0; // 0 for the folder shown
    Kind kind = Kind::Folder;
    quint8 status = 0;  // File: its status index in the folder totals
    bool scaled = true; // false: the area is not the bytes' (a minimum area, or all sizes 0)
    quint8 reserved = 0;
    qint32 folders = 0; // SmallFolders: how many sub-folders it stands for

    bool isLeaf(qint32 index) const { return end == index + 1; }
};

struct MapLayoutOptions
{
    // A folder is laid out inside when its inner rectangle is at least this
    // wide and high; a tile smaller than minArea is gathered with others.
    double minSide = 4.0;
    double minArea = 12.0;
    // The border between a folder's edge and the tiles inside it.
    double border = 1.0;
    // The area a folder of zero bytes (or a lone zero-byte entry) still gets;
    // all such tiles together take at most zeroShare of their parent.
    double zeroArea = 36.0;
    double zeroShare = 0.25;
    // Own files are looked at one by one when their tile is this big.
    double fileArea = 64.0;
    // Set from another thread to give up (the layout is then empty).
    const std::atomic<bool> *stop = nullptr;
};

class MapLayout
{
public:
    // The map of folder item of list (with its folder totals) in bounds.
    // rootPrefix is the one the window lists folders with (the folder keys of
    // the own files looked at). An item outside the tree, an empty list or
    // empty bounds give an empty map.
    static MapLayout build(const LoadedList &list, const QString &rootPrefix, int item,
                           const QRectF &bounds, const MapLayoutOptions &options = {});

    const std::vector<MapTile> &tiles() const { return m_tiles; }
    int count() const { return int(m_tiles.size()); }
    bool isEmpty() const { return m_tiles.empty(); }
    const MapTile &tile(int index) const { return m_tiles[size_t(index)]; }
    QRectF bounds() const { return m_bounds; }
    int shownItem() const { return m_item; }
    int statusCount() const { return m_statusCount; }

    // The bytes of tile index with status s (status indices of the totals).
    ByteTotal bytes(const LoadedList &list, int index, int s) const;
    // All its bytes and entries.
    ByteTotal bytes(const LoadedList &list, int index) const;
    qint64 files(const LoadedList &list, int index, int s) const;
    qint64 files(const LoadedList &list, int index) const;

    // The deepest tile at point, or -1 outside every tile.
    int tileAt(const QPointF &point) const;

    // What the map keeps, in bytes.
    qint64 memoryBytes() const;

private:
    friend class MapLayoutBuilder;
    std::vector<MapTile> m_tiles;
    // Per gathered tile (OwnFiles, SmallFolders): the files and the bytes of
    // each status (statusCount values each).
    std::vector<qint64> m_splitFiles;
    std::vector<ByteTotal> m_splitBytes;
    QRectF m_bounds;
    int m_item = -1;
    int m_statusCount = 0;
};

} // namespace corvane
