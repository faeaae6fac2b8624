#include "commands.h"
#include "zip/ZipArchive.h"

using namespace Qt::Literals::StringLiterals;

namespace corvane::cli {

// corvane-list members ZIP: the names the member grid shows, in archive order.
int runMembers(const QStringList &args)
{
    if (args.size() != 1)
        return ExitUsage;
    const zip::ZipListing listing = zip::listZipMembers(args.first());
    if (!listing.ok()) {
        err(u"corvane-list: "_s + listing.errorText + u"\n"_s);
        return ExitFailure;
    }
    QString text;
    for (const zip::ZipMember &member : listing.members)
        text += member.name + u"\n"_s;
    out(text);
    if (listing.unsafeSkipped > 0) {
        err(u"corvane-list: %1 entries with unsafe names or types were left out\n"_s.arg(
            listing.unsafeSkipped));
    }
    return ExitOk;
}

} // namespace corvane::cli
