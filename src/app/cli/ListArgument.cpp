#include "ListArgument.h"

#include "app/language/LanguageTable.h"
#include "commands.h"

using namespace Qt::Literals::StringLiterals;

namespace corvane::cli {

QLocale uiCollationLocale()
{
    return localeForLanguage(pickLanguage(GetInfo(QLocale::system())).language);
}

bool loadListArgument(const QString &path, LoadedList &list, bool folderTotals)
{
    LoadOptions options;
    options.collationLocale = uiCollationLocale();
    options.folderTotals = folderTotals;
    list = loadList(path, options);
    if (!list.fileFound || !list.error.isEmpty()) {
        const QString reason = list.error.isEmpty() ? u"cannot be read"_s : list.error;
        err(u"corvane-list: %1: %2\n"_s.arg(path, reason));
        return false;
    }
    return true;
}

} // namespace corvane::cli
