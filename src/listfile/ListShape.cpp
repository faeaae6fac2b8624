#include "ListShape.h"

#include "ListReader.h"

#include <QBuffer>
#include <QFile>

#include <cstring>

namespace corvane {

namespace {

constexpr qsizetype HeadSize = 64 * 1024;
constexpr int LinesLooked = 200;

bool lineHasListShape(QByteArrayView line)
{
    const qsizetype comma = line.indexOf(',');
    const QByteArrayView path = comma < 0 ? line : line.first(comma);
    if (path.contains('\\'))
        return true;
    return line.count(',') >= 4;
}

} // namespace

ListShape inspectListHead(QByteArrayView bytes)
{
    const QByteArrayView head = bytes.first(qMin(bytes.size(), HeadSize));
    if (head.isEmpty())
        return ListShape::List;
    qsizetype controls = 0;
    for (const char ch : head) {
        const auto c = uchar(ch);
        if (c == 0)
            return ListShape::Binary;
        if ((c < 0x20 && c != '\t' && c != '\n' && c != '\r' && c != '\f') || c == 0x7F)
            ++controls;
    }
    if (controls * 20 > head.size())
        return ListShape::Binary;
    int looked = 0;
    qsizetype start = 0;
    while (start < head.size() && looked < LinesLooked) {
        qsizetype end = start;
        while (end < head.size() && head[end] != '\n' && head[end] != '\r')
            ++end;
        const QByteArrayView line = head.sliced(start, end - start);
        if (!line.isEmpty()) {
            if (lineHasListShape(line))
                return ListShape::List;
            ++looked;
        }
        start = end + 1;
    }
    return ListShape::NotAList;
}

ListShape inspectListFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return ListShape::List;
    QBuffer buffer;
    buffer.setData(file.read(HeadSize));
    buffer.open(QIODevice::ReadOnly);
    const ListBytes head = readListDevice(buffer);
    // A UTF-16 byte-order mark is gone; a UTF-8 one is text.
    QByteArrayView text(head.bytes);
    if (text.startsWith("\xEF\xBB\xBF"))
        text = text.sliced(3);
    return inspectListHead(text);
}

} // namespace corvane
