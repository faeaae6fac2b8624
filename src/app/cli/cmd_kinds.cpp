// corvane-list kinds LIST [FOLDER]: the files of a folder and of all folders
// below it by kind, with their bytes and how many of each status class.

#include "ListArgument.h"
#include "browse/FolderListing.h"
#include "commands.h"
#include "listfile/FolderKinds.h"

using namespace Qt::Literals::StringLiterals;

namespace corvane::cli {

namespace {

QString kindLine(const QString &id, const KindCount &count)
{
    QString line = id + u'\t' + QString::number(count.files) + u'\t' +
                   QString::number(count.bytes.roundedBytes());
    for (const StatusClass c :
         {StatusClass::Good, StatusClass::Partial, StatusClass::Bad, StatusClass::Unknown})
        line += u'\t' + QString::number(count.filesOf(c));
    return line + u'\n';
}

} // namespace

int runKinds(const QStringList &args)
{
    if (args.size() < 1 || args.size() > 2)
        return ExitUsage;
    LoadedList list;
    if (!loadListArgument(args[0], list, true))
        return ExitFailure;
    const QString folder = args.value(1);
    KindTotals totals;
    if (!list.SftTree1.isEmpty() || !folder.isEmpty()) {
        const int item = folderItemByPath(list, folder);
        if (item < 0) {
            err(u"corvane-list: no folder '%1' in the list\n"_s.arg(folder));
            return ExitFailure;
        }
        totals = list.kinds.of(list.SftTree1, item);
    }
    QString text;
    for (int k = 0; k < FileKindCount; ++k) {
        const KindCount &count = totals.kinds[size_t(k)];
        if (count.files > 0)
            text += kindLine(fileKindId(FileKind(k)), count);
    }
    text += kindLine(u"total"_s, totals.total());
    out(text);
    return ExitOk;
}

} // namespace corvane::cli
