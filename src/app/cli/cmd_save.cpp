#include "ListArgument.h"
#include "commands.h"
#include "listfile/ListSaver.h"

using namespace Qt::Literals::StringLiterals;

namespace corvane::cli {

// corvane-list save LIST OUT: writes LIST as "Save list as..." writes the list
// the window shows: the lines in file order, Windows-1252 or UTF-8, CR LF.
int runSave(const QStringList &args)
{
    if (args.size() != 2)
        return ExitUsage;
    LoadedList list;
    if (!loadListArgument(args.at(0), list))
        return ExitFailure;
    return reportSaved(saveListFile(list.iGrid1, args.at(1), {args.at(0)}), args.at(1));
}

int reportSaved(const SaveListResult &saved, const QString &out)
{
    switch (saved.outcome) {
    case SaveListResult::Outcome::Saved:
        return ExitOk;
    case SaveListResult::Outcome::WouldReplaceOpenFile:
        err(u"corvane-list: %1 is the list being read: choose another name\n"_s.arg(out));
        return ExitFailure;
    case SaveListResult::Outcome::Failed:
        break;
    }
    switch (saved.reason) {
    case SaveListResult::Reason::NotRegularFile:
    case SaveListResult::Reason::Folder:
    case SaveListResult::Reason::BrokenLink:
        // The words name the target already.
        err(u"corvane-list: %1; nothing was written\n"_s.arg(saved.error));
        return ExitFailure;
    default:
        break;
    }
    err(u"corvane-list: %1 could not be written (%2); nothing was changed\n"_s.arg(out,
                                                                                   saved.error));
    return ExitFailure;
}

} // namespace corvane::cli
