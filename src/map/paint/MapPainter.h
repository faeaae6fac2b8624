#pragma once

// Draws a recovery map's tiles: every tile that is not laid out further is
// cut into bands, one per status, whose areas are its bytes of that status
// (its files when it has no bytes), in the colours the legend gives the
// statuses; folders have a one-pixel border, tiles a light bevel that keeps
// the colours readable, and one tile may be outlined (the one under the
// pointer). The window and corvane-list draw with the same code.

#include "map/MapLayout.h"

#include <QColor>
#include <QImage>
#include <QList>
#include <QSize>

class QPainter;

namespace corvane {

struct LoadedList;

struct MapPaintOptions
{
    QList<QColor> colours; // per status of the totals; empty: the legend's (statusColours)
    int outlined = -1;     // the tile outlined, -1 for none
    bool shading = true;   // the bevel on tiles big enough for one
    QColor border = QColor(0x30, 0x30, 0x30);
    QColor background = QColor(0xf4, 0xf4, 0xf4);
};

class MapPainter
{
public:
    // Paints map (in its own coordinates) with painter.
    static void paint(QPainter &painter, const MapLayout &map, const LoadedList &list,
                      const MapPaintOptions &options = {});
    // The outline of tile index alone (over a picture of the map drawn before).
    static void paintOutline(QPainter &painter, const MapLayout &map, int index);
    // A picture of size (in units of the map) at devicePixelRatio: the map
    // laid out in QRectF(0, 0, size) drawn into it.
    static QImage render(const MapLayout &map, const LoadedList &list, const QSize &size,
                         qreal devicePixelRatio = 1.0, const MapPaintOptions &options = {});
};

} // namespace corvane
