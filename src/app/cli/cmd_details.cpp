#include "commands.h"

using namespace Qt::Literals::StringLiterals;

namespace corvane::cli {

int runDetails(const QStringList &args)
{
    Q_UNUSED(args);
    err(u"corvane-list: 'details' is not available yet\n"_s);
    return ExitFailure;
}

} // namespace corvane::cli
