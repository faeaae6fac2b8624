// corvane-list select LIST [--target SIZE] [--fs FS] [--except ITEM]...
// [--save OUT] [--] ITEM...: what a choice of folders and files comes to,
// whether it fits a target drive, and the restore list of it.

#include "ListArgument.h"
#include "basket/Basket.h"
#include "basket/TargetDrive.h"
#include "browse/FolderListing.h"
#include "commands.h"
#include "listfile/ListSaver.h"

#include <optional>

using namespace Qt::Literals::StringLiterals;

namespace corvane::cli {

namespace {

// The stretch of store lines an ITEM names: a folder (every line below it)
// or a file of a folder (its lines); empty when it names nothing.
LineStore::Range itemLines(const LoadedList &list, const QString &rootPrefix, const QString &item)
{
    if (list.SftTree1.isEmpty())
        return {};
    const int folder = folderItemByPath(list, item);
    bool ok = false;
    if (folder >= 0) {
        const QByteArray key = folderKey(list, rootPrefix, folder, &ok);
        return ok ? list.iGrid1.prefixRange(key) : LineStore::Range{};
    }
    const QString &path = item;
    if (path.endsWith(u'\\'))
        return {};
    const qsizetype cut = path.lastIndexOf(u'\\');
    const int parent = folderItemByPath(list, cut < 0 ? QString() : path.left(cut));
    if (parent < 0)
        return {};
    bool nameOk = false;
    const QString fileName = path.mid(cut + 1) + u',';
    const QByteArray name = list.iGrid1.encode(fileName, &nameOk);
    const QByteArray key = folderKey(list, rootPrefix, parent, &ok);
    if (!ok || !nameOk)
        return {};
    const QByteArray lineStart = key + name;
    return list.iGrid1.prefixRange(lineStart);
}

} // namespace

int runSelect(const QStringList &args)
{
    QString listPath;
    std::optional<qint64> target;
    std::optional<basket::FileSystem> fs;
    QStringList items;
    QStringList except;
    QString saveTo;
    bool optionsEnd = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &a = args.at(i);
        if (!optionsEnd && a == u"--")
            optionsEnd = true;
        else if (!optionsEnd &&
                 (a == u"--target" || a == u"--fs" || a == u"--except" || a == u"--save")) {
            if (i + 1 >= args.size())
                return ExitUsage;
            const QString &value = args.at(++i);
            if (a == u"--target") {
                target = basket::parseCapacity(value);
                if (!target) {
                    err(u"corvane-list: '%1' is not a drive size (such as 500 GB, 2 TB or 64 GiB)\n"_s
                            .arg(value));
                    return ExitFailure;
                }
            } else if (a == u"--fs") {
                fs = basket::parseFileSystem(value);
                if (!fs) {
                    err(u"corvane-list: '%1' is not a file system (fat32, exfat, ntfs, ext4, apfs, hfs+)\n"_s
                            .arg(value));
                    return ExitFailure;
                }
            } else if (a == u"--save") {
                saveTo = value;
            } else {
                except.append(value);
            }
        } else if (!optionsEnd && a.startsWith(u"--")) {
            return ExitUsage;
        } else if (listPath.isNull()) {
            listPath = a;
        } else {
            items.append(a);
        }
    }
    if (listPath.isNull() || items.isEmpty())
        return ExitUsage;
    LoadedList list;
    if (!loadListArgument(listPath, list))
        return ExitFailure;
    const QString rootPrefix = list.rootPrefixAfter(QString());

    basket::Basket chosen(list.iGrid1.count());
    // The ITEMs first, then the ones taken back; an ITEM that names nothing
    // ends the command.
    const auto apply = [&](const QStringList &names, bool choose) {
        for (const QString &item : names) {
            const LineStore::Range range = itemLines(list, rootPrefix, item);
            if (range.isEmpty()) {
                err(u"corvane-list: no folder or file '%1' in the list\n"_s.arg(item));
                return false;
            }
            chosen.setRange(range.first, range.last, choose);
        }
        return true;
    };
    if (!apply(items, true) || !apply(except, false))
        return ExitFailure;

    // Without a target the cluster is a 1 TB drive's.
    constexpr qint64 OneTerabyte = 1'000'000'000'000;
    const basket::RoomOnTarget room =
        basket::measure(list, chosen, fs.value_or(basket::FileSystem::Ext4),
                        target.value_or(OneTerabyte), rootPrefix.size());
    QString text = u"files: %1\nbytes: %2\nlargest: %3\n"_s.arg(room.files())
                       .arg(room.bytes())
                       .arg(room.largest());
    if (fs) {
        text += u"cluster: %1\non_disk: %2\ntoo_big_for_fs: %3\n"_s.arg(room.cluster())
                    .arg(room.onDisk())
                    .arg(room.tooBigForFileSystem());
    }
    if (target) {
        const qint64 needed = fs ? room.onDisk() : room.bytes();
        text +=
            u"target: %1\nfits: %2\n"_s.arg(*target).arg(needed <= *target ? u"yes"_s : u"no"_s);
    }
    out(text);
    // The restore list: the chosen lines as "Save list as..." writes a list.
    if (!saveTo.isNull()) {
        return reportSaved(saveListFile(list.iGrid1, saveTo, {listPath},
                                        [&chosen](qsizetype i) { return chosen.contains(i); }),
                           saveTo);
    }
    return ExitOk;
}

} // namespace corvane::cli
