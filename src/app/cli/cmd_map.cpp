// corvane-list map LIST OUT.png [--size WxH] [FOLDER]: the recovery map of a
// folder drawn into a PNG picture of exactly W x H pixels, with the window's
// drawing code.

#include "ListArgument.h"
#include "browse/FolderListing.h"
#include "commands.h"
#include "listfile/SaveTarget.h"
#include "map/MapLayout.h"
#include "map/paint/MapPainter.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageWriter>
#include <QSaveFile>

#include <optional>

using namespace Qt::Literals::StringLiterals;

namespace corvane::cli {

namespace {

constexpr int MinSide = 16;
constexpr int MaxSide = 8192;

// "WxH" with both sides within the limits.
std::optional<QSize> readSize(const QString &text)
{
    const qsizetype x = text.indexOf(u'x', 0, Qt::CaseInsensitive);
    if (x <= 0)
        return std::nullopt;
    bool okW = false;
    bool okH = false;
    const int w = QStringView(text).first(x).toInt(&okW);
    const int h = QStringView(text).sliced(x + 1).toInt(&okH);
    if (!okW || !okH || w < MinSide || w > MaxSide || h < MinSide || h > MaxSide)
        return std::nullopt;
    return QSize(w, h);
}

// Writes the picture's bytes under out through a file that takes out's name
// only when it is whole: nothing half written is left there.
bool writePicture(const QImage &image, const QString &outArgument)
{
    const SaveTarget target = resolveSaveTarget(outArgument);
    if (!target.ok()) {
        err(u"corvane-list: %1\n"_s.arg(target.refusal(outArgument)));
        return false;
    }
    QByteArray png;
    {
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        QImageWriter writer(&buffer, "png");
        if (!writer.write(image)) {
            err(u"corvane-list: %1: the picture could not be made: %2\n"_s.arg(
                outArgument, writer.errorString()));
            return false;
        }
    }
    QSaveFile file(target.path);
    if (!file.open(QIODevice::WriteOnly) || file.write(png) != png.size() || !file.commit()) {
        err(u"corvane-list: %1: %2\n"_s.arg(outArgument, file.errorString()));
        file.cancelWriting();
        return false;
    }
    return true;
}

} // namespace

int runMap(const QStringList &args)
{
    QStringList positional;
    QString sizeText = u"1200x800"_s;
    bool optionsEnd = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &a = args[i];
        if (optionsEnd || !a.startsWith(u"--"_s)) {
            positional.append(a);
        } else if (a == u"--"_s) {
            optionsEnd = true;
        } else if (a == u"--size"_s) {
            if (++i >= args.size())
                return ExitUsage;
            sizeText = args[i];
        } else if (a.startsWith(u"--size="_s)) {
            sizeText = a.sliced(7);
        } else {
            return ExitUsage;
        }
    }
    if (positional.size() < 2 || positional.size() > 3)
        return ExitUsage;
    const std::optional<QSize> size = readSize(sizeText);
    if (!size) {
        err(u"corvane-list: the size '%1' is not WxH with both sides from %2 to %3\n"_s.arg(
            sizeText, QString::number(MinSide), QString::number(MaxSide)));
        return ExitFailure;
    }
    LoadedList list;
    if (!loadListArgument(positional[0], list, true))
        return ExitFailure;
    const QString folder = positional.value(2);
    int item = 0;
    if (!list.SftTree1.isEmpty() || !folder.isEmpty()) {
        item = folderItemByPath(list, folder);
        if (item < 0) {
            err(u"corvane-list: no folder '%1' in the list\n"_s.arg(folder));
            return ExitFailure;
        }
    }
    const MapLayout map = MapLayout::build(list, list.rootPrefixAfter(QString()), item,
                                           QRectF(QPointF(0, 0), QSizeF(*size)));
    const QImage image = MapPainter::render(map, list, *size);
    if (image.isNull()) {
        err(u"corvane-list: %1: no room for a picture of %2 x %3 pixels\n"_s.arg(
            positional[1], QString::number(size->width()), QString::number(size->height())));
        return ExitFailure;
    }
    return writePicture(image, positional[1]) ? ExitOk : ExitFailure;
}

} // namespace corvane::cli
