#include "LineMapping.h"

#include <QByteArray>

#include <algorithm>

namespace corvane::basket {

namespace {

bool isAscii(QByteArrayView bytes)
{
    return std::all_of(bytes.begin(), bytes.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// The first line of to in [from, count) not less than key, found by
// doubling steps from `from` and then halving: cheap when it is near.
qsizetype gallop(const LineStore &to, qsizetype from, QByteArrayView key)
{
    const qsizetype count = to.count();
    qsizetype low = from;
    qsizetype step = 1;
    qsizetype high = from;
    while (high < count && LineStore::lessOrdinal(to.line(high), key)) {
        low = high + 1;
        high = from + step;
        step *= 2;
    }
    high = std::min(high, count);
    while (low < high) {
        const qsizetype mid = low + (high - low) / 2;
        if (LineStore::lessOrdinal(to.line(mid), key))
            low = mid + 1;
        else
            high = mid;
    }
    return low;
}

} // namespace

std::vector<qint32> mapLines(const LineStore &from, const LineStore &to)
{
    std::vector<qint32> found(size_t(from.count()), -1);
    const bool sameBytes = from.encoding() == to.encoding();
    qsizetype cursor = 0;       // where the next line in order is looked for
    QByteArrayView previousKey; // the last key looked for, and where it was found
    qsizetype previousAt = -1;
    QByteArray converted;
    QByteArray previousConverted;
    for (qsizetype i = 0; i < from.count(); ++i) {
        const QByteArrayView line = from.line(i);
        QByteArrayView key = line;
        // The same bytes are the same text, unless the encodings differ and
        // the line holds more than ASCII: then it is written as to writes it,
        // and its place in to's order is not after the previous line's.
        const bool inOrder = sameBytes || isAscii(line);
        if (!inOrder) {
            bool ok = false;
            converted = to.encode(from.decode(line), &ok);
            if (!ok)
                continue;
            key = converted;
        }
        qsizetype at = -1;
        if (previousAt >= 0 && key == previousKey) {
            // A line that stands again: the next copy in to, if any.
            at = previousAt + 1;
        } else if (inOrder) {
            at = gallop(to, cursor, key);
        } else {
            at = to.lowerBound(key);
        }
        if (inOrder) {
            previousKey = key;
        } else {
            previousConverted.swap(converted);
            previousKey = previousConverted;
        }
        previousAt = -1;
        const bool there = at < to.count() && to.line(at) == key;
        if (there) {
            found[size_t(i)] = qint32(at);
            previousAt = at;
        }
        if (inOrder)
            cursor = there ? at + 1 : at;
    }
    return found;
}

} // namespace corvane::basket
