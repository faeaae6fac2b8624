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

// The first line of to not less than key, found by doubling steps from hint
// (forwards or backwards) and then halving: cheap when it is near, and a
// result's next line is near the previous one's (the same folder), in
// whichever order the two encodings sort it.
qsizetype gallop(const LineStore &to, qsizetype hint, QByteArrayView key)
{
    const qsizetype count = to.count();
    const auto less = [&](qsizetype i) { return LineStore::lessOrdinal(to.line(i), key); };
    qsizetype low = 0;
    qsizetype high = count;
    hint = std::clamp<qsizetype>(hint, 0, count);
    if (hint < count && less(hint)) {
        // Forwards: every line up to hint is below key.
        low = hint + 1;
        for (qsizetype step = 1; low < count; step *= 2) {
            const qsizetype j = std::min(count - 1, low + step - 1);
            if (!less(j)) {
                high = j;
                break;
            }
            low = j + 1;
        }
    } else {
        // Backwards: no line from hint on is below key.
        high = hint;
        for (qsizetype step = 1; high > 0; step *= 2) {
            const qsizetype j = std::max<qsizetype>(0, high - step);
            if (less(j)) {
                low = j + 1;
                break;
            }
            high = j;
        }
    }
    while (low < high) {
        const qsizetype mid = low + (high - low) / 2;
        if (less(mid))
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
    const bool fromUtf8 = from.encoding() == ListEncoding::Utf8;
    qsizetype hint = 0;         // where the previous line was found, or would stand
    QByteArrayView previousKey; // the last key looked for, and where it was found
    qsizetype previousAt = -1;
    QByteArray converted;
    QByteArray previousConverted;
    for (qsizetype i = 0; i < from.count(); ++i) {
        const QByteArrayView line = from.line(i);
        QByteArrayView key = line;
        // The same bytes are the same text, unless the encodings differ and
        // the line holds more than ASCII: then it is written as to writes it.
        const bool asIs = sameBytes || isAscii(line);
        if (!asIs) {
            bool ok = fromUtf8 && utf8ToWindows1252(line, converted);
            if (!ok)
                converted = to.encode(from.decode(line), &ok);
            if (!ok)
                continue;
            key = converted;
        }
        qsizetype at = -1;
        if (previousAt >= 0 && key == previousKey)
            at = previousAt + 1; // a line that stands again: the next copy in to, if any
        else
            at = gallop(to, hint, key);
        if (asIs) {
            previousKey = key;
        } else {
            previousConverted.swap(converted);
            previousKey = previousConverted;
        }
        previousAt = -1;
        if (at < to.count() && to.line(at) == key) {
            found[size_t(i)] = qint32(at);
            previousAt = at;
        }
        hint = std::min(at + 1, to.count());
    }
    return found;
}

} // namespace corvane::basket
