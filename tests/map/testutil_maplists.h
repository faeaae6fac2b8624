#pragma once

// Lists for the map's tests, loaded from bytes the way the loader loads a
// file (with the folder totals), and the checks every map must pass.

#include "listfile/ListLoader.h"
#include "map/MapLayout.h"

#include <QByteArray>
#include <QList>
#include <QRectF>
#include <QString>
#include <QTest>

#include <cmath>

namespace corvane::test {

inline LoadedList mapListOf(QByteArray data)
{
    ListBytes bytes;
    bytes.bytes = std::move(data);
    bytes.fileFound = true;
    LoadOptions options;
    options.collationLocale = QLocale(QLocale::English, QLocale::UnitedStates);
    options.parallel = false;
    return loadListBytes(std::move(bytes), options);
}

inline QByteArray mapLine(const QByteArray &path, qint64 size, const QByteArray &status)
{
    return path + ",1/1/2020 10:00," + QByteArray::number(size) + ",32;0," + status + "\r\n";
}

// The named shapes of list the tests share.
inline QByteArray mapListBytes(const QString &shape)
{
    QByteArray raw;
    if (shape == u"one file") {
        raw = mapLine("D\\a.txt", 1000, "Recovered");
    } else if (shape == u"flat") {
        for (int i = 1; i <= 20; ++i)
            raw += mapLine("D\\F" + QByteArray::number(i) + "\\x.bin", i * 1000,
                           i % 3 ? "Recovered" : "Damaged");
    } else if (shape == u"nested") {
        for (int a = 0; a < 6; ++a)
            for (int b = 0; b < 6; ++b)
                for (int f = 0; f < 5; ++f)
                    raw += mapLine("D\\A" + QByteArray::number(a) + "\\B" + QByteArray::number(b) +
                                       "\\f" + QByteArray::number(f),
                                   (a + 1) * (b + 1) * (f + 1) * 997,
                                   f % 2 ? "Recovered" : "Not recovered");
    } else if (shape == u"200,000 sub-folders") {
        raw.reserve(200000 * 48);
        for (int i = 0; i < 200000; ++i)
            raw += mapLine("D\\Big\\S" + QByteArray::number(i) + "\\f", (i * 7919) % 10007,
                           i % 4 ? "Recovered" : "Damaged");
    } else if (shape == u"all sizes 0") {
        for (int i = 0; i < 30; ++i)
            raw += mapLine("D\\F" + QByteArray::number(i % 7) + "\\f" + QByteArray::number(i), 0,
                           i % 2 ? "Recovered" : "Overwritten");
    } else if (shape == u"overflowing sizes") {
        // Each fits the fixed-point range, their sum does not.
        for (int i = 0; i < 12; ++i)
            raw += mapLine("D\\F" + QByteArray::number(i % 3) + "\\f" + QByteArray::number(i),
                           900000000000000LL, "Recovered");
    } else if (shape == u"deep chain") {
        QByteArray path = "D";
        for (int d = 0; d < 300; ++d) {
            path += "\\L" + QByteArray::number(d);
            raw += mapLine(path + "\\f", 100 + d, d % 2 ? "Recovered" : "Damaged");
        }
    } else if (shape == u"big and small files") {
        raw += mapLine("D\\Mixed\\big.iso", 5000000, "Damaged");
        for (int i = 0; i < 3000; ++i)
            raw += mapLine("D\\Mixed\\s" + QByteArray::number(i), 10, "Recovered");
        raw += mapLine("D\\Other\\x", 2000000, "Recovered");
    } else if (shape == u"empty folder of lost files") {
        raw += mapLine("D\\Full\\a", 50000000, "Recovered");
        for (int i = 0; i < 10000; ++i)
            raw += mapLine("D\\Lost\\l" + QByteArray::number(i), 0, "Not recovered");
    }
    return raw;
}

inline double areaOf(const QRectF &r)
{
    return r.width() * r.height();
}

// The tiles directly inside tile `parent`.
inline QList<int> childTiles(const MapLayout &map, int parent)
{
    QList<int> children;
    for (int i = parent + 1; i < map.tile(parent).end; i = map.tile(i).end)
        children.append(i);
    return children;
}

// Every tile laid out inside a folder stays inside it, one border in; the
// tiles inside fill that rectangle, without overlapping; rectangles are
// finite and not negative. Returns false after a QTest failure.
inline bool tilesTileTheirFolders(const MapLayout &map, double border = 1.0)
{
    const double eps = 1e-6;
    for (int i = 0; i < map.count(); ++i) {
        const MapTile &t = map.tile(i);
        const QRectF r = t.rect;
        if (!std::isfinite(r.left()) || !std::isfinite(r.top()) || !std::isfinite(r.width()) ||
            !std::isfinite(r.height()) || r.width() < -eps || r.height() < -eps) {
            qWarning("tile %d has a broken rectangle", i);
            return false;
        }
        if (t.end <= i || t.end > map.count()) {
            qWarning("tile %d ends at %d", i, t.end);
            return false;
        }
        if (t.isLeaf(i))
            continue;
        const QRectF inner = r.adjusted(border, border, -border, -border);
        const QList<int> children = childTiles(map, i);
        double sum = 0;
        for (int c : children) {
            const QRectF cr = map.tile(c).rect;
            if (cr.left() < inner.left() - eps || cr.top() < inner.top() - eps ||
                cr.right() > inner.right() + eps || cr.bottom() > inner.bottom() + eps) {
                qWarning("tile %d is outside its folder %d", c, i);
                return false;
            }
            sum += areaOf(cr);
        }
        if (std::abs(sum - areaOf(inner)) > 1e-6 * areaOf(inner) + eps) {
            qWarning("the tiles inside %d cover %f of %f", i, sum, areaOf(inner));
            return false;
        }
        if (children.size() <= 400) {
            for (qsizetype a = 0; a < children.size(); ++a)
                for (qsizetype b = a + 1; b < children.size(); ++b) {
                    const QRectF overlap =
                        map.tile(children[a]).rect.intersected(map.tile(children[b]).rect);
                    if (overlap.width() > eps && overlap.height() > eps) {
                        qWarning("tiles %d and %d overlap", int(children[a]), int(children[b]));
                        return false;
                    }
                }
        }
    }
    return true;
}

} // namespace corvane::test
