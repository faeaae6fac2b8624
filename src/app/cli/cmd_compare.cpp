// corvane-list compare OLD NEW [--summary]: what changed from one list to
// another, one line per difference in NEW's order of paths, then a line of
// counts.

#include "ListArgument.h"
#include "commands.h"
#include "compare/ListComparison.h"
#include "listfile/ChunkSort.h"

using namespace Qt::Literals::StringLiterals;

namespace corvane::cli {

int runCompare(const QStringList &args)
{
    bool summaryOnly = false;
    QStringList lists;
    for (const QString &arg : args) {
        if (arg == u"--summary"_s)
            summaryOnly = true;
        else
            lists.append(arg);
    }
    if (lists.size() != 2)
        return ExitUsage;
    // The two lists are read at once, one on each core (each sorted on it).
    const QLocale collation = uiCollationLocale();
    LoadedList oldList;
    LoadedList newList;
    QString oldError;
    QString newError;
    bool oldLoaded = false;
    bool newLoaded = false;
    runOnTwoThreads(
        [&] { oldLoaded = loadListOrMember(lists[0], collation, false, oldList, &oldError); },
        [&] { newLoaded = loadListOrMember(lists[1], collation, false, newList, &newError); });
    if (!oldLoaded || !newLoaded) {
        err((oldLoaded ? newError : oldError) + u'\n');
        return ExitFailure;
    }
    CompareOptions options;
    options.folderChanges = false;
    const ListComparison comparison = compareLists(oldList, newList, options);
    QString text;
    if (!summaryOnly) {
        for (const ListDifference &difference : comparison.differences) {
            text += differenceLine(difference, oldList, newList) + u'\n';
            outWhenLarge(text);
        }
    }
    text += comparisonSummaryLine(comparison.counts) + u'\n';
    out(text);
    return ExitOk;
}

} // namespace corvane::cli
