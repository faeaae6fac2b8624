#pragma once

// How a picture of the map divides among the status colours.

#include <QColor>
#include <QHash>
#include <QImage>
#include <QList>

#include <limits>

namespace corvane::test {

// The share (in percent) of a picture's pixels in each of colours, each
// pixel counted for the colour nearest to it; the border and background
// colours count for none.
inline QList<double> pixelShares(const QImage &image, const QList<QColor> &colours,
                                 const QList<QColor> &ignored)
{
    QList<qint64> counts(colours.size());
    qint64 all = 0;
    QHash<QRgb, int> nearest;
    auto distance = [](QRgb a, QColor b) {
        const int dr = qRed(a) - b.red(), dg = qGreen(a) - b.green(), db = qBlue(a) - b.blue();
        return dr * dr + dg * dg + db * db;
    };
    for (int y = 0; y < image.height(); ++y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = line[x] | 0xff000000u;
            auto it = nearest.find(p);
            if (it == nearest.end()) {
                int best = -1;
                int bestDistance = std::numeric_limits<int>::max();
                for (qsizetype c = 0; c < colours.size(); ++c) {
                    if (distance(p, colours[c]) < bestDistance) {
                        bestDistance = distance(p, colours[c]);
                        best = int(c);
                    }
                }
                for (const QColor &i : ignored)
                    if (distance(p, i) < bestDistance)
                        best = -1;
                it = nearest.insert(p, best);
            }
            if (it.value() >= 0) {
                ++counts[it.value()];
                ++all;
            }
        }
    }
    QList<double> shares;
    for (qint64 c : counts)
        shares.append(all > 0 ? 100.0 * double(c) / double(all) : 0.0);
    return shares;
}

} // namespace corvane::test
