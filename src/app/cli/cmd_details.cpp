#include "browse/FileDetails.h"
#include "cmd_browse.h"
#include "commands.h"

using namespace Qt::Literals::StringLiterals;

namespace corvane::cli {

int runDetails(const QStringList &args)
{
    if (args.size() != 3)
        return ExitUsage;
    const ListingOptions options = browseOptions();
    LoadedList list;
    if (!loadForBrowsing(args[0], list))
        return ExitFailure;
    FolderListing listing;
    if (!listShownFolder(list, args[1], options, listing))
        return ExitFailure;
    const QString &name = args[2];
    for (const GridRow &row : listing.rows) {
        if (row.name != name)
            continue;
        const FileDetails details = fileDetails(row, options.numbers);
        out(u"size: "_s + details.size + u"\nmodified: "_s + details.modified +
            u"\nattributes: "_s + details.attributes + u'\n');
        return ExitOk;
    }
    err(u"corvane-list: no entry '%1' in that folder\n"_s.arg(name));
    return ExitFailure;
}

} // namespace corvane::cli
