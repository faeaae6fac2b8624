#include "commands.h"

using namespace Qt::Literals::StringLiterals;

namespace corvane::cli {

int runLs(const QStringList &args)
{
    Q_UNUSED(args);
    err(u"corvane-list: 'ls' is not available yet\n"_s);
    return ExitFailure;
}

} // namespace corvane::cli
