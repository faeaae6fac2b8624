#include "ListArgument.h"
#include "commands.h"

using namespace Qt::Literals::StringLiterals;

namespace corvane::cli {

int runTree(const QStringList &args)
{
    if (args.size() != 1)
        return ExitUsage;
    LoadedList list;
    if (!loadListArgument(args[0], list))
        return ExitFailure;
    for (const QString &line : list.SftTree1.printable())
        out(line + u'\n');
    return ExitOk;
}

} // namespace corvane::cli
