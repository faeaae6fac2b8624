// corvane-list classes: the table of status words and their classes, one
// word a line ("word<TAB>class"), in the table's order. With LIST: each
// status word of that list, its class and how many lines have it
// ("CLASS<TAB>COUNT<TAB>WORD"), most frequent first.

#include "ListArgument.h"
#include "checklist/CheckList.h"
#include "commands.h"
#include "status/StatusClasses.h"

using namespace Qt::Literals::StringLiterals;

namespace corvane::cli {

int runClasses(const QStringList &args)
{
    if (args.size() > 1)
        return ExitUsage;
    QString text;
    if (args.isEmpty()) {
        for (const StatusClassEntry &entry : statusClassTable().entries())
            text += entry.word + u'\t' + statusClassName(entry.statusClass) + u'\n';
        out(text);
        return ExitOk;
    }
    const QString &list = args[0];
    if (refuseZipArchive(list))
        return ExitFailure;
    QList<std::pair<QString, qint64>> words;
    QString error;
    if (!listStatusWords(list, &words, &error)) {
        err(u"corvane-list: %1: %2\n"_s.arg(list, error));
        return ExitFailure;
    }
    for (const auto &[word, count] : words) {
        text += statusClassName(classifyStatus(word)) + u'\t' + QString::number(count) + u'\t' +
                word + u'\n';
        outWhenLarge(text);
    }
    out(text);
    return ExitOk;
}

} // namespace corvane::cli
