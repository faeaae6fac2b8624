#include "approval/ApprovalMail.h"
#include "commands.h"
#include "listfile/OpenCommand.h"
#include "zip/ZipArchive.h"

#include <QFileInfo>

using namespace Qt::Literals::StringLiterals;

namespace corvane::cli {

// corvane-list approval PATH [MEMBER]: the mailto: URL a click on the approval
// prompt hands over, exactly as built. PATH is a list, or a zip whose list
// MEMBER (as `members` names it; absent: the first row of the member grid)
// is the one shown.
int runApproval(const QStringList &args)
{
    if (args.isEmpty() || args.size() > 2)
        return ExitUsage;
    const QString &path = args.at(0);
    QString readError;
    const ChosenFile kind = classifyChosenFile(path, &readError);
    QString name;
    switch (kind) {
    case ChosenFile::Missing:
        err(u"corvane-list: %1: no such file\n"_s.arg(path));
        return ExitFailure;
    case ChosenFile::NotAFile:
        err(u"corvane-list: %1: not a file\n"_s.arg(path));
        return ExitFailure;
    case ChosenFile::Unreadable:
        err(u"corvane-list: %1: %2\n"_s.arg(path, readError));
        return ExitFailure;
    case ChosenFile::Empty:
    case ChosenFile::PlainList:
        if (args.size() == 2) {
            err(u"corvane-list: %1 is not a zip archive: it has no members\n"_s.arg(path));
            return ExitFailure;
        }
        name = QFileInfo(path).fileName();
        break;
    case ChosenFile::Zip: {
        const zip::ZipListing listing = zip::listZipMembers(path);
        if (!listing.ok()) {
            err(u"corvane-list: "_s + listing.errorText + u"\n"_s);
            return ExitFailure;
        }
        const ZipOpenPlan plan = planZipOpen(listing.members);
        if (plan.rows.isEmpty()) {
            err(u"corvane-list: "_s + noListInZipText(path) + u"\n"_s);
            return ExitFailure;
        }
        const zip::ZipMember *chosen = &plan.rows.first();
        if (args.size() == 2) {
            chosen = nullptr;
            for (const zip::ZipMember &member : plan.rows) {
                if (member.name == args.at(1)) {
                    chosen = &member;
                    break;
                }
            }
            if (!chosen) {
                err(u"corvane-list: %1 holds no list named %2\n"_s.arg(path, args.at(1)));
                return ExitFailure;
            }
        }
        name = chosen->name;
        break;
    }
    }
    out(buildApprovalMessage(approvalListName(name)).url + u"\n"_s);
    return ExitOk;
}

} // namespace corvane::cli
