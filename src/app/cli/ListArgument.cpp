#include "ListArgument.h"

#include "app/language/LanguageTable.h"
#include "commands.h"
#include "zip/ZipArchive.h"

using namespace Qt::Literals::StringLiterals;

namespace corvane::cli {

QLocale uiCollationLocale()
{
    return localeForLanguage(pickLanguage(GetInfo(QLocale::system())).language);
}

bool refuseZipArchive(const QString &path)
{
    // A zip archive is no list: its bytes would read as lines of noise. A
    // text list that merely begins with "PK" lists as no archive.
    if (zip::readFileSignature(path) != zip::FileSignature::Zip || !zip::listZipMembers(path).ok())
        return false;
    err(u"corvane-list: %1: it is a zip archive, not a list; `corvane-list members %1` "
        "names the lists in it\n"_s.arg(path));
    return true;
}

bool loadListArgument(const QString &path, LoadedList &list, bool folderTotals, bool dates)
{
    if (refuseZipArchive(path))
        return false;
    LoadOptions options;
    options.collationLocale = uiCollationLocale();
    options.folderTotals = folderTotals;
    options.folderKinds = folderTotals;
    if (dates)
        options.dateLocale = QLocale::system();
    list = loadList(path, options);
    if (!list.fileFound || !list.error.isEmpty()) {
        const QString reason = list.error.isEmpty() ? u"cannot be read"_s : list.error;
        err(u"corvane-list: %1: %2\n"_s.arg(path, reason));
        return false;
    }
    return true;
}

} // namespace corvane::cli
