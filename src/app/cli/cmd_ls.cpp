#include "ListArgument.h"
#include "cmd_browse.h"
#include "commands.h"

using namespace Qt::Literals::StringLiterals;

namespace corvane::cli {

namespace {

QString rowKindText(const GridRow &row)
{
    switch (row.kind) {
    case GridRowKind::Up:
        return u".."_s;
    case GridRowKind::Folder:
        return u"folder"_s;
    case GridRowKind::File:
        break;
    }
    return row.program ? u"program"_s : u"file"_s;
}

} // namespace

ListingOptions browseOptions()
{
    ListingOptions options;
    options.collation = uiCollationLocale();
    options.numbers = QLocale();
    options.dates = QLocale();
    return options;
}

bool loadForBrowsing(const QString &path, LoadedList &list)
{
    return loadListArgument(path, list);
}

bool listShownFolder(const LoadedList &list, const QString &folder, const ListingOptions &options,
                     FolderListing &listing)
{
    const int item = folderItemByPath(list, folder);
    if (item < 0) {
        if (list.iGrid1.isEmpty() && folder.isEmpty()) {
            listing = FolderListing{}; // a list without lines: nothing to show
            return true;
        }
        err(u"corvane-list: no folder '%1' in the list\n"_s.arg(folder));
        return false;
    }
    listing = listFolder(list, list.rootPrefixAfter(QString()), item, options);
    return true;
}

int runLs(const QStringList &args)
{
    if (args.size() < 1 || args.size() > 2)
        return ExitUsage;
    const ListingOptions options = browseOptions();
    LoadedList list;
    if (!loadForBrowsing(args[0], list))
        return ExitFailure;
    FolderListing listing;
    if (!listShownFolder(list, args.value(1), options, listing))
        return ExitFailure;
    QString text;
    for (const GridRow &row : listing.rows) {
        text += rowKindText(row) + u'\t' + row.name + u'\t' + row.modified + u'\t' + row.sizeText +
                u'\t' + row.attributes + u'\t' + row.status + u'\n';
        outWhenLarge(text);
    }
    out(text);
    return ExitOk;
}

} // namespace corvane::cli
