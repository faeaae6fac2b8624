#pragma once

// The one home of the list line format: one line per recovered file, fields
// cut at every "," (no quoting, no escapes):
//   0 path ("\"-separated, component 0 is the top folder), 1 modification
//   date-time, 2 size in bytes, 3 attribute bits ";" check code, 4 status.
// Everything here works on the line's bytes as read and allocates nothing.

#include "ByteTotal.h"

#include <QByteArrayView>

#include <cstring>
#include <optional>

namespace corvane {

namespace ListField {
enum : int { Path = 0, Modified = 1, Size = 2, Attributes = 3, Status = 4, CompleteCount = 5 };
}

// Number of ","-separated fields (an empty line has one, empty, field).
int fieldCount(QByteArrayView line);

// Field `index` (from 0), or an empty view when the line has fewer fields.
QByteArrayView fieldAt(QByteArrayView line, int index);

// Calls f(int index, QByteArrayView field) for every field in order; f may
// return false to stop early.
template<typename F> void forEachField(QByteArrayView line, F &&f)
{
    qsizetype start = 0;
    int index = 0;
    for (;;) {
        const qsizetype comma = line.indexOf(',', start);
        const qsizetype end = comma < 0 ? line.size() : comma;
        if (!f(index, line.sliced(start, end - start)))
            return;
        if (comma < 0)
            return;
        start = comma + 1;
        ++index;
    }
}

// The leading number of a field, read the way sizes are read: leading blanks
// skipped, blanks inside ignored, an optional sign, digits with an optional
// "." fraction and an exponent; reading stops at the first character that
// cannot continue the number. No number at all reads as 0.
double leadingNumber(QByteArrayView field);

// The leading number as a four-decimal fixed-point byte count; nullopt when
// it does not fit the fixed-point range (such a size is not added).
std::optional<ByteTotal> leadingSize(QByteArrayView field);

// What the loader takes from every line, cut in one pass: field 0, the size
// read from field 2 (none when the line has no field 2 or its number is
// beyond the range), and field 4 when the line has five fields or more.
struct LineFields
{
    QByteArrayView path;
    std::optional<ByteTotal> size;
    QByteArrayView status;
    bool hasStatus = false;
};

inline LineFields lineFields(QByteArrayView line)
{
    const char *const end = line.data() + line.size();
    auto nextComma = [end](const char *from) {
        return from < end ? static_cast<const char *>(std::memchr(from, ',', size_t(end - from)))
                          : nullptr;
    };
    LineFields f;
    const char *c1 = nextComma(line.data());
    f.path = QByteArrayView(line.data(), (c1 ? c1 : end) - line.data());
    if (!c1)
        return f;
    const char *c2 = nextComma(c1 + 1);
    if (!c2)
        return f;
    const char *c3 = nextComma(c2 + 1);
    const QByteArrayView sizeField(c2 + 1, (c3 ? c3 : end) - (c2 + 1));
    f.size = sizeField.isEmpty() ? std::optional<ByteTotal>(ByteTotal()) : leadingSize(sizeField);
    if (!c3)
        return f;
    if (const char *c4 = nextComma(c3 + 1)) {
        const char *c5 = nextComma(c4 + 1);
        f.status = QByteArrayView(c4 + 1, (c5 ? c5 : end) - (c4 + 1));
        f.hasStatus = true;
    }
    return f;
}

// The folder path of a line: every "\"-component of field 0 but the last,
// each followed by "\" ('Data\Photos\a.jpg' gives 'Data\Photos\'); empty when
// field 0 holds no "\". Returns a view into the line.
QByteArrayView folderPathOf(QByteArrayView line);

// Component 0 of field 0 (the text before the first "\", or all of field 0).
QByteArrayView topComponentOf(QByteArrayView line);

} // namespace corvane
