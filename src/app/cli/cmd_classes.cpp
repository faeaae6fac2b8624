// corvane-list classes: the table of status words and their classes, one
// word a line ("word<TAB>class"), in the table's order.

#include "commands.h"
#include "status/StatusClasses.h"

namespace corvane::cli {

int runClasses(const QStringList &args)
{
    if (!args.isEmpty())
        return ExitUsage;
    QString text;
    for (const StatusClassEntry &entry : statusClassTable().entries())
        text += entry.word + u'\t' + statusClassName(entry.statusClass) + u'\n';
    out(text);
    return ExitOk;
}

} // namespace corvane::cli
