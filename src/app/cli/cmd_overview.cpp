// corvane-list overview LIST [FOLDER]: how much of a folder and of each of
// its sub-folders came back, by status.

#include "ListArgument.h"
#include "browse/FolderListing.h"
#include "commands.h"
#include "listfile/FolderTotals.h"

using namespace Qt::Literals::StringLiterals;

namespace corvane::cli {

namespace {

QString statusHeader(const FolderTotals::Status &status)
{
    switch (status.kind) {
    case FolderTotals::StatusKind::Unknown:
        return u"unknown"_s;
    case FolderTotals::StatusKind::Other:
        return u"other"_s;
    case FolderTotals::StatusKind::Word:
        break;
    }
    return status.word;
}

QString folderLine(const FolderTotals &totals, int item, const QString &name)
{
    QString line = name + u'\t' + QString::number(totals.files(item)) + u'\t' +
                   QString::number(totals.bytes(item).roundedBytes());
    for (int s = 0; s < totals.statusCount(); ++s)
        line += u'\t' + QString::number(totals.files(item, s));
    return line + u'\n';
}

} // namespace

int runOverview(const QStringList &args)
{
    if (args.size() < 1 || args.size() > 2)
        return ExitUsage;
    LoadedList list;
    if (!loadListArgument(args[0], list, true))
        return ExitFailure;
    const QString folder = args.value(1);
    const FolderTotals &totals = list.totals;

    QString text = u"folder\tfiles\tbytes"_s;
    for (int s = 0; s < totals.statusCount(); ++s)
        text += u'\t' + statusHeader(totals.status(s));
    text += u'\n';
    if (list.SftTree1.isEmpty()) {
        // A list without lines: Root holds nothing.
        if (!folder.isEmpty()) {
            err(u"corvane-list: no folder '%1' in the list\n"_s.arg(folder));
            return ExitFailure;
        }
        out(text + u"Root\t0\t0\n"_s);
        return ExitOk;
    }
    const int item = folderItemByPath(list, folder);
    if (item < 0) {
        err(u"corvane-list: no folder '%1' in the list\n"_s.arg(folder));
        return ExitFailure;
    }
    const FolderTree &tree = list.SftTree1;
    text += folderLine(totals, item, tree.text(item));
    for (int r = 0; r < tree.item(item).childCount; ++r) {
        const int child = tree.child(item, r);
        text += folderLine(totals, child, tree.text(child));
        outWhenLarge(text);
    }
    out(text);
    return ExitOk;
}

} // namespace corvane::cli
