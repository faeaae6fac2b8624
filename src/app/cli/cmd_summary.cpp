#include "commands.h"

using namespace Qt::Literals::StringLiterals;

namespace corvane::cli {

int runSummary(const QStringList &args)
{
    Q_UNUSED(args);
    err(u"corvane-list: 'summary' is not available yet\n"_s);
    return ExitFailure;
}

} // namespace corvane::cli
