#include "MapTooltip.h"

#include "MapLayout.h"
#include "listfile/ListLine.h"
#include "listfile/ListLoader.h"

using namespace Qt::Literals::StringLiterals;

namespace corvane {

QString mapTilePath(const MapLayout &map, int tile, const LoadedList &list)
{
    if (tile < 0 || tile >= map.count())
        return QString();
    const MapTile &t = map.tile(tile);
    const FolderTree &tree = list.SftTree1;
    QString path = tree.text(0);
    for (const QString &name : tree.namesBelowRoot(t.item))
        path += u'\\' + name;
    if (t.kind == MapTile::Kind::File) {
        const QByteArrayView field = fieldAt(list.iGrid1.line(t.line), ListField::Path);
        const qsizetype slash = field.lastIndexOf('\\');
        path += u'\\' + list.iGrid1.decode(field.sliced(slash + 1));
    }
    return path;
}

QString mapTooltipText(const MapLayout &map, int tile, const LoadedList &list,
                       const MapTexts &texts, const QLocale &locale)
{
    if (tile < 0 || tile >= map.count())
        return QString();
    const MapTile &t = map.tile(tile);
    QString text = mapTilePath(map, tile, list);
    if (t.kind == MapTile::Kind::OwnFiles)
        text += u'\n' + texts.ownFiles;
    else if (t.kind == MapTile::Kind::SmallFolders)
        text += u'\n' + texts.smallFolders.arg(formatCount(t.folders, locale));
    const ByteTotal bytes = map.bytes(list, tile);
    const qint64 files = map.files(list, tile);
    text +=
        u'\n' + texts.files.arg(formatCount(files, locale), FormatSize(bytes, locale, texts.units));
    // Shares of the bytes; of the files when there are no bytes.
    const bool byFiles = bytes.raw() <= 0;
    const double whole = byFiles ? double(files) : double(bytes.raw());
    for (int s = 0; s < map.statusCount(); ++s) {
        const qint64 f = map.files(list, tile, s);
        const ByteTotal b = map.bytes(list, tile, s);
        if (f == 0 && b.raw() == 0)
            continue;
        const FolderTotals::Status &status = list.totals.status(s);
        const QString word = status.kind == FolderTotals::StatusKind::Unknown ? texts.unknownStatus
                             : status.kind == FolderTotals::StatusKind::Other ? texts.otherStatus
                                                                              : status.word;
        const double part = byFiles ? double(f) : double(std::max<qint64>(b.raw(), 0));
        const double share = whole > 0 ? 100.0 * part / whole : 0.0;
        text += u'\n' + texts.status.arg(word, formatCount(f, locale),
                                         FormatSize(b, locale, texts.units),
                                         locale.toString(share, 'f', 1));
    }
    if (!t.scaled)
        text += u'\n' + texts.notToScale;
    return text;
}

} // namespace corvane
