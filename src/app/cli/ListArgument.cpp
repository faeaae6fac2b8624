#include "ListArgument.h"

#include "app/language/LanguageTable.h"
#include "commands.h"
#include "zip/ZipArchive.h"
#include "zip/ZipMemberList.h"

#include <QBuffer>
#include <QFileInfo>

#include <algorithm>

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

namespace {

bool isZipArchive(const QString &path)
{
    return zip::readFileSignature(path) == zip::FileSignature::Zip &&
           zip::listZipMembers(path).ok();
}

bool loadMember(const QString &argument, const QString &zipPath, const QString &memberName,
                const LoadOptions &options, LoadedList &list, QString *error)
{
    const zip::ZipListing listing = zip::listZipMembers(zipPath);
    if (!listing.ok()) {
        *error = u"corvane-list: "_s + listing.errorText;
        return false;
    }
    const auto member = std::find_if(listing.members.cbegin(), listing.members.cend(),
                                     [&](const zip::ZipMember &m) { return m.name == memberName; });
    if (member == listing.members.cend()) {
        *error = u"corvane-list: %1 holds no list named %2"_s.arg(zipPath, memberName);
        return false;
    }
    QString why;
    if (!zip::loadMemberList(zipPath, *member, options, &list, &why)) {
        *error = u"corvane-list: %1: %2"_s.arg(argument, why);
        return false;
    }
    return true;
}

} // namespace

bool loadListOrMember(const QString &argument, const QLocale &collationLocale, bool parallel,
                      LoadedList &list, QString *error)
{
    LoadOptions options;
    options.collationLocale = collationLocale;
    options.folderTotals = false;
    options.folderKinds = false;
    options.parallel = parallel;
    if (!QFileInfo::exists(argument)) {
        // ZIP:MEMBER, the archive's name ending at the first ":" that names one.
        for (qsizetype colon = argument.indexOf(u':'); colon > 0;
             colon = argument.indexOf(u':', colon + 1)) {
            const QString zipPath = argument.left(colon);
            if (QFileInfo(zipPath).isFile() && isZipArchive(zipPath))
                return loadMember(argument, zipPath, argument.mid(colon + 1), options, list, error);
        }
        *error = u"corvane-list: %1: the file does not exist"_s.arg(argument);
        return false;
    }
    if (isZipArchive(argument)) {
        *error = u"corvane-list: %1: it is a zip archive, not a list; give %1:MEMBER "
                 "(`corvane-list members %1` names the lists in it)"_s.arg(argument);
        return false;
    }
    list = loadList(argument, options);
    if (!list.fileFound || !list.error.isEmpty()) {
        const QString reason = list.error.isEmpty() ? u"cannot be read"_s : list.error;
        *error = u"corvane-list: %1: %2"_s.arg(argument, reason);
        return false;
    }
    return true;
}

} // namespace corvane::cli
