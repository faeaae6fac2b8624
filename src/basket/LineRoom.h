#pragma once

// What one line of a list counts for on a target drive, the one rule the
// room measure and the basket's warnings share: its size in whole bytes (a
// part of a byte rounded up, a size that cannot be read as 0) and its path's
// characters below the target's root. Inline: the measure runs it for
// millions of lines.

#include "listfile/LineStore.h"
#include "listfile/ListLine.h"

#include <algorithm>

namespace corvane::basket {

struct LineRoom
{
    qint64 size = 0;
    qsizetype pathLength = 0;
};

// Whole bytes of a four-decimal size, a part of a byte rounded up.
inline qint64 wholeBytesUp(ByteTotal size)
{
    const qint64 raw = size.raw();
    if (raw <= 0)
        return 0;
    return raw / ByteTotal::Scale + (raw % ByteTotal::Scale != 0 ? 1 : 0);
}

// cut: the line of store cut as far as its size (cutPathAndSize).
inline LineRoom lineRoom(const LineStore &store, const PathAndSize &cut, qsizetype rootPrefixLength)
{
    LineRoom counted;
    counted.size = cut.hasSize ? wholeBytesUp(cut.size) : 0;
    // A Windows-1252 byte or an ASCII one is one character; other UTF-8
    // paths are decoded to be counted.
    const qsizetype length = store.encoding() == ListEncoding::Windows1252 || cut.pathAscii
                                 ? cut.path.size()
                                 : store.decode(cut.path).size();
    counted.pathLength = std::max<qsizetype>(length - rootPrefixLength, 0);
    return counted;
}

} // namespace corvane::basket
