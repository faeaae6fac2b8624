#include "ListArgument.h"
#include "commands.h"

#include <cstring>

using namespace Qt::Literals::StringLiterals;

namespace corvane::cli {

namespace {

// Two spaces per level, written in pieces: a folder 200,000 levels deep must
// not need its indentation in memory at once.
bool writeIndent(qint64 spaces)
{
    static char blanks[4096];
    if (blanks[0] != ' ')
        std::memset(blanks, ' ', sizeof blanks);
    while (spaces > 0) {
        const size_t n = size_t(qMin<qint64>(spaces, qint64(sizeof blanks)));
        if (std::fwrite(blanks, 1, n, stdout) != n)
            return false;
        spaces -= qint64(n);
    }
    return true;
}

} // namespace

int runTree(const QStringList &args)
{
    if (args.size() != 1)
        return ExitUsage;
    LoadedList list;
    if (!loadListArgument(args[0], list))
        return ExitFailure;
    // One item a line, as it is found, straight to the output.
    const FolderTree &tree = list.SftTree1;
    for (int i = 0; i < tree.count(); ++i) {
        const FolderTree::Item &item = tree.item(i);
        if (!writeIndent(qint64(item.level) * 2))
            break;
        const QByteArray text = tree.text(i).toUtf8();
        if (std::fwrite(text.constData(), 1, size_t(text.size()), stdout) != size_t(text.size()) ||
            std::fputc('\n', stdout) == EOF)
            break;
    }
    return ExitOk;
}

} // namespace corvane::cli
