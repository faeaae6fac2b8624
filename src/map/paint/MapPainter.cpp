#include "MapPainter.h"

#include "browse/paint/StatusColours.h"
#include "listfile/ListLoader.h"

#include <QPainter>

#include <vector>

namespace corvane {

namespace {

// The bevel: a light edge above and left, a dark one below and right.
constexpr QColor LightEdge = QColor(255, 255, 255, 70);
constexpr QColor DarkEdge = QColor(0, 0, 0, 60);
constexpr double BevelFrom = 6.0;  // the least side of a bevelled tile
constexpr double BorderFrom = 8.0; // the least side of a leaf folder with a border

void paintBands(QPainter &painter, const QRectF &rect, const std::vector<double> &shares,
                const QList<QColor> &colours)
{
    double sum = 0;
    for (double v : shares)
        sum += v;
    if (!(sum > 0)) {
        painter.fillRect(rect, colours.isEmpty() ? QColor(Qt::gray) : colours.back());
        return;
    }
    // Across the longer side, so that the bands stay as thick as they can.
    const bool across = rect.width() >= rect.height();
    const double length = across ? rect.width() : rect.height();
    double done = 0;
    double from = across ? rect.left() : rect.top();
    for (size_t s = 0; s < shares.size(); ++s) {
        if (!(shares[s] > 0))
            continue;
        done += shares[s];
        const double to = (across ? rect.left() : rect.top()) + length * (done / sum);
        const QRectF band = across ? QRectF(from, rect.top(), to - from, rect.height())
                                   : QRectF(rect.left(), from, rect.width(), to - from);
        painter.fillRect(band, colours.value(qsizetype(s), QColor(Qt::gray)));
        from = to;
    }
}

void paintBevel(QPainter &painter, const QRectF &r)
{
    if (r.width() < BevelFrom || r.height() < BevelFrom)
        return;
    painter.fillRect(QRectF(r.left(), r.top(), r.width(), 1), LightEdge);
    painter.fillRect(QRectF(r.left(), r.top() + 1, 1, r.height() - 1), LightEdge);
    painter.fillRect(QRectF(r.left() + 1, r.bottom() - 1, r.width() - 1, 1), DarkEdge);
    painter.fillRect(QRectF(r.right() - 1, r.top() + 1, 1, r.height() - 2), DarkEdge);
}

} // namespace

void MapPainter::paint(QPainter &painter, const MapLayout &map, const LoadedList &list,
                       const MapPaintOptions &options)
{
    const QList<QColor> colours =
        options.colours.isEmpty() ? statusColours(list.totals) : options.colours;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(map.bounds(), options.background);
    const int statuses = map.statusCount();
    std::vector<double> shares(static_cast<size_t>(statuses));
    const double border = 1.0;
    for (int i = 0; i < map.count(); ++i) {
        const MapTile &tile = map.tile(i);
        QRectF rect = tile.rect;
        if (tile.kind == MapTile::Kind::Folder) {
            painter.fillRect(rect, options.border);
            if (!tile.isLeaf(i))
                continue; // the tiles inside cover it but for its border
            // A small folder is all colour: borders would darken it.
            if (rect.width() >= BorderFrom && rect.height() >= BorderFrom)
                rect.adjust(border, border, -border, -border);
        }
        // Bands by bytes; by files when the tile has no bytes.
        double sum = 0;
        for (int s = 0; s < statuses; ++s) {
            shares[size_t(s)] = double(std::max<qint64>(map.bytes(list, i, s).raw(), 0));
            sum += shares[size_t(s)];
        }
        if (!(sum > 0)) {
            for (int s = 0; s < statuses; ++s)
                shares[size_t(s)] = double(map.files(list, i, s));
        }
        paintBands(painter, rect, shares, colours);
        if (options.shading)
            paintBevel(painter, rect);
    }
    painter.restore();
    paintOutline(painter, map, options.outlined);
}

void MapPainter::paintOutline(QPainter &painter, const MapLayout &map, int index)
{
    if (index < 0 || index >= map.count())
        return;
    const QRectF r = map.tile(index).rect;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    // A dark edge and a light one inside it: seen on any colour.
    painter.fillRect(QRectF(r.left(), r.top(), r.width(), 1), Qt::black);
    painter.fillRect(QRectF(r.left(), r.bottom() - 1, r.width(), 1), Qt::black);
    painter.fillRect(QRectF(r.left(), r.top(), 1, r.height()), Qt::black);
    painter.fillRect(QRectF(r.right() - 1, r.top(), 1, r.height()), Qt::black);
    if (r.width() > 4 && r.height() > 4) {
        const QRectF i = r.adjusted(1, 1, -1, -1);
        painter.fillRect(QRectF(i.left(), i.top(), i.width(), 1), Qt::white);
        painter.fillRect(QRectF(i.left(), i.bottom() - 1, i.width(), 1), Qt::white);
        painter.fillRect(QRectF(i.left(), i.top(), 1, i.height()), Qt::white);
        painter.fillRect(QRectF(i.right() - 1, i.top(), 1, i.height()), Qt::white);
    }
    painter.restore();
}

QImage MapPainter::render(const MapLayout &map, const LoadedList &list, const QSize &size,
                          qreal devicePixelRatio, const MapPaintOptions &options)
{
    const QSize pixels(qRound(size.width() * devicePixelRatio),
                       qRound(size.height() * devicePixelRatio));
    QImage image(pixels, QImage::Format_RGB32);
    if (image.isNull())
        return image;
    image.setDevicePixelRatio(devicePixelRatio);
    image.fill(options.background);
    QPainter painter(&image);
    paint(painter, map, list, options);
    painter.end();
    return image;
}

} // namespace corvane
