// corvane-list check LIST CHECKLIST: each entry of the customer's own list
// checked against the recovered list, one line per entry in the entries'
// order ("VERDICT<TAB>MATCHES<TAB>ENTRY"), then a line of totals.

#include "ListArgument.h"
#include "checklist/CheckList.h"
#include "commands.h"

using namespace Qt::Literals::StringLiterals;

namespace corvane::cli {

int runCheck(const QStringList &args)
{
    if (args.size() != 2)
        return ExitUsage;
    const QString &list = args[0];
    const QString &checkListPath = args[1];
    if (refuseZipArchive(list))
        return ExitFailure;
    QStringList entries;
    QString error;
    if (!readCheckEntries(checkListPath, &entries, &error)) {
        err(u"corvane-list: %1: %2\n"_s.arg(checkListPath, error));
        return ExitFailure;
    }
    const CheckOutcome outcome = checkList(list, entries);
    if (!outcome.listFound || !outcome.error.isEmpty()) {
        const QString reason = outcome.error.isEmpty() ? u"cannot be read"_s : outcome.error;
        err(u"corvane-list: %1: %2\n"_s.arg(list, reason));
        return ExitFailure;
    }
    QString text;
    for (qsizetype i = 0; i < entries.size(); ++i) {
        const CheckEntryResult &result = outcome.results[i];
        text += checkVerdictName(result.verdict) + u'\t' + QString::number(result.matches) + u'\t' +
                entries[i] + u'\n';
        outWhenLarge(text);
    }
    const CheckSummary summary = summarizeCheck(outcome.results);
    text += u"entries: %1 recovered: %2 partial: %3 damaged: %4 missing: %5\n"_s.arg(
        QString::number(summary.entries), QString::number(summary.recovered),
        QString::number(summary.partial), QString::number(summary.damaged),
        QString::number(summary.missing));
    out(text);
    return ExitOk;
}

} // namespace corvane::cli
