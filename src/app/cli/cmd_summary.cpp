#include "ListArgument.h"
#include "commands.h"
#include "listfile/SizeText.h"

using namespace Qt::Literals::StringLiterals;

namespace corvane::cli {

int runSummary(const QStringList &args)
{
    if (args.size() != 1)
        return ExitUsage;
    LoadedList list;
    if (!loadListArgument(args[0], list, false, true))
        return ExitFailure;
    const QLocale locale = QLocale::system();
    // The days as `dates` takes them; empty when no line's date can be read.
    const QString iso = u"yyyy-MM-dd"_s;
    out(u"lines: %1\nfolders: %2\nbytes: %3\nsize: %4\nroot: %5\nearliest: %6\nlatest: %7\n"_s.arg(
        formatCount(list.lineCount, locale), formatCount(list.folderCount, locale),
        formatCount(list.totalSize, locale), FormatSize(list.totalSize, locale),
        list.rootPrefixAfter(QString()), list.earliestDate.toString(iso),
        list.latestDate.toString(iso)));
    return ExitOk;
}

} // namespace corvane::cli
