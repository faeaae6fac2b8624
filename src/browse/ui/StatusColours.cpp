#include "StatusColours.h"

#include <iterator>

using namespace Qt::Literals::StringLiterals;

namespace corvane {

QColor statusColour(const FolderTotals::Status &status)
{
    switch (status.kind) {
    case FolderTotals::StatusKind::Other:
        return QColor(0x9e, 0x9e, 0x9e);
    case FolderTotals::StatusKind::Unknown:
        return QColor(0xd0, 0xd0, 0xd0);
    case FolderTotals::StatusKind::Word:
        break;
    }
    const QString word = status.word.trimmed().toLower();
    if (word == u"recovered"_s || word == u"ok"_s)
        return QColor(0x2e, 0x9d, 0x4a); // green
    if (word == u"partially recovered"_s)
        return QColor(0xe8, 0xc3, 0x2a); // yellow
    if (word == u"damaged"_s)
        return QColor(0xf0, 0x8a, 0x24); // orange
    if (word == u"overwritten"_s)
        return QColor(0xd6, 0x3c, 0x3c); // red
    if (word == u"not recovered"_s)
        return QColor(0x8e, 0x24, 0x3c); // dark red
    // Other words: a hue from the word's text, away from the reserved greys.
    static const QColor palette[] = {
        QColor(0x3b, 0x7d, 0xd8), QColor(0x8e, 0x5c, 0xc9), QColor(0x1f, 0xa5, 0xa5),
        QColor(0xc9, 0x5c, 0xa8), QColor(0x6b, 0x8e, 0x23), QColor(0x5d, 0x6d, 0xb5),
        QColor(0xb5, 0x7b, 0x3c), QColor(0x2f, 0x6f, 0x5e), QColor(0xa0, 0x52, 0x2d),
        QColor(0x4b, 0x8b, 0xbe), QColor(0x7a, 0x4a, 0x88), QColor(0x99, 0x99, 0x33)};
    quint32 h = 2166136261u; // FNV-1a
    for (char c : status.rawWord)
        h = (h ^ uchar(c)) * 16777619u;
    return palette[h % std::size(palette)];
}

} // namespace corvane
