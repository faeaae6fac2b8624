// corvane-list search|filter|dates: the window's three searches from a
// terminal. Without --result the matching lines are printed (decoded, UTF-8,
// LF, in list order); with --result FILE they are written to FILE in the
// search result file's format and one line "matches: N" is printed. An
// empty term searches nothing, as in the window: nothing is printed or written.

#include "ListArgument.h"
#include "commands.h"
#include "listfile/SaveTarget.h"
#include "listfile/SizeText.h"
#include "search/ListSearch.h"

#include <QDate>
#include <QFileInfo>
#include <QLocale>

#include <cstdio>

using namespace Qt::Literals::StringLiterals;

namespace corvane::cli {

namespace {

// Matching lines to stdout as UTF-8 with LF.
class PrintSink final : public MatchSink
{
public:
    bool add(QByteArrayView line, ListEncoding encoding) override
    {
        m_buffer.append(decodeLine(line, encoding).toUtf8());
        m_buffer.append('\n');
        ++m_lines;
        if (m_buffer.size() >= (1 << 20))
            return write();
        return true;
    }
    bool finish() override { return write(); }
    qint64 linesKept() const override { return m_lines; }
    QString error() const override { return u"the output could not be written"_s; }

private:
    bool write()
    {
        const size_t n = size_t(m_buffer.size());
        const bool ok = std::fwrite(m_buffer.constData(), 1, n, stdout) == n;
        m_buffer.resize(0);
        return ok;
    }
    QByteArray m_buffer;
    qint64 m_lines = 0;
};

struct SearchArgs
{
    QString result; // empty: print the lines
    QStringList positional;
};

bool parse(const QStringList &args, SearchArgs &parsed)
{
    bool optionsEnd = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &arg = args[i];
        if (!optionsEnd && arg == u"--"_s) {
            optionsEnd = true;
        } else if (!optionsEnd && arg == u"--result"_s) {
            if (i + 1 >= args.size() || args[i + 1].isEmpty())
                return false;
            parsed.result = args[++i];
        } else if (!optionsEnd && arg.startsWith(u"--result="_s)) {
            parsed.result = arg.mid(9);
            if (parsed.result.isEmpty())
                return false;
        } else if (!optionsEnd && arg.startsWith(u'-') && arg.size() > 1) {
            return false;
        } else {
            parsed.positional.append(arg);
        }
    }
    return true;
}

// The list is one the other sub-commands would read, and the result file one
// that may be written: false after one line on stderr when not. resultPath:
// where the result is written (a link to a regular file resolved, so that it
// stays a link), empty for the terminal.
bool checkFiles(const QString &list, const QString &resultArgument, QString &resultPath)
{
    resultPath.clear();
    if (refuseZipArchive(list))
        return false;
    if (resultArgument.isEmpty())
        return true;
    const SaveTarget target = resolveSaveTarget(resultArgument);
    if (!target.ok()) {
        err(u"corvane-list: %1\n"_s.arg(target.refusal(resultArgument)));
        return false;
    }
    resultPath = target.path;
    return true;
}

int run(const QString &list, LineCriterion &criterion, const QString &resultArgument)
{
    QString resultPath;
    if (!checkFiles(list, resultArgument, resultPath))
        return ExitFailure;
    SearchOutcome outcome;
    if (resultPath.isEmpty()) {
        PrintSink sink;
        outcome = searchList(list, criterion, sink);
    } else {
        outcome = searchToResultFile(list, criterion, resultPath);
    }
    if (!outcome.listFound) {
        const QString reason = outcome.error.isEmpty() ? u"cannot be read"_s : outcome.error;
        err(u"corvane-list: %1: %2\n"_s.arg(list, reason));
        return ExitFailure;
    }
    switch (outcome.failure) {
    case SearchOutcome::Failure::None:
        break;
    case SearchOutcome::Failure::ListUnreadable:
        err(u"corvane-list: %1: %2\n"_s.arg(list, outcome.error));
        return ExitFailure;
    case SearchOutcome::Failure::ResultNotCreated:
    case SearchOutcome::Failure::ResultNotWritten:
        err(u"corvane-list: %1: %2\n"_s.arg(resultPath.isEmpty() ? u"stdout"_s : resultArgument,
                                            outcome.error));
        return ExitFailure;
    }
    if (!resultPath.isEmpty())
        out(u"matches: %1\n"_s.arg(formatCount(outcome.matches, QLocale::system())));
    return ExitOk;
}

} // namespace

int runSearch(const QStringList &args)
{
    SearchArgs parsed;
    if (!parse(args, parsed) || parsed.positional.size() != 2)
        return ExitUsage;
    const QString &list = parsed.positional[0];
    if (parsed.positional[1].isEmpty()) {
        // As in the window, an empty term searches nothing and writes nothing.
        QString resultPath;
        if (!checkFiles(list, parsed.result, resultPath))
            return ExitFailure;
        if (!QFileInfo(list).isFile()) {
            err(u"corvane-list: %1: cannot be read\n"_s.arg(list));
            return ExitFailure;
        }
        return ExitOk;
    }
    const auto criterion = termCriterion(parsed.positional[1]);
    return run(list, *criterion, parsed.result);
}

int runFilter(const QStringList &args)
{
    SearchArgs parsed;
    if (!parse(args, parsed) || parsed.positional.size() != 2)
        return ExitUsage;
    const auto criterion = statusCriterion(parsed.positional[1]);
    return run(parsed.positional[0], *criterion, parsed.result);
}

int runDates(const QStringList &args)
{
    SearchArgs parsed;
    if (!parse(args, parsed) || parsed.positional.size() != 3)
        return ExitUsage;
    const QDate from = QDate::fromString(parsed.positional[1], u"yyyy-MM-dd"_s);
    const QDate to = QDate::fromString(parsed.positional[2], u"yyyy-MM-dd"_s);
    if (!from.isValid() || !to.isValid()) {
        err(u"corvane-list: FROM and TO are days written yyyy-MM-dd\n"_s);
        return ExitUsage;
    }
    const auto criterion = dateCriterion(from, to, QLocale::system());
    return run(parsed.positional[0], *criterion, parsed.result);
}

} // namespace corvane::cli
