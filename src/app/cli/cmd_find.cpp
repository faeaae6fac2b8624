// corvane-list find: find as you type from a terminal. The words of QUERY
// (several arguments are joined by spaces) as the window's Term box reads
// them; the matching lines are printed decoded (UTF-8, LF) in the line
// store's order, or with --count "matches: N" and "bytes: B". A word that
// cannot be read is named on stderr and ignored; the rest still narrows.

#include "ListArgument.h"
#include "commands.h"
#include "find/FindPass.h"
#include "search/ResultFile.h"

#include <QLocale>

using namespace Qt::Literals::StringLiterals;

namespace corvane::cli {

namespace {

QString problemText(FindProblem problem)
{
    switch (problem) {
    case FindProblem::None:
        return QString();
    case FindProblem::BadSize:
        return u"not a size (such as size:>10mb, size:<1kb, size:1mb..1gb)"_s;
    case FindProblem::BadDate:
        return u"not a year, month or day (such as dm:2019, dm:2019-03, "
               "dm:2019-03-01..2019-06-30)"_s;
    case FindProblem::UnknownClass:
        return u"not a status class (good, partial, bad, unknown)"_s;
    case FindProblem::UnknownKind: {
        QStringList ids;
        for (int k = 0; k < FileKindCount; ++k)
            ids.append(fileKindId(FileKind(k)));
        return u"not a kind of file (%1)"_s.arg(ids.join(u", "_s));
    }
    case FindProblem::EmptyValue:
        return u"nothing to look for"_s;
    case FindProblem::NotUnderstood:
        return u"not understood"_s;
    }
    return QString();
}

} // namespace

int runFind(const QStringList &args)
{
    bool count = false;
    bool optionsEnd = false;
    QStringList positional;
    for (const QString &arg : args) {
        if (!optionsEnd && arg == u"--"_s)
            optionsEnd = true;
        else if (!optionsEnd && arg == u"--count"_s)
            count = true;
        else
            positional.append(arg); // "-tmp" is a word that excludes
    }
    if (positional.size() < 2)
        return ExitUsage;
    const QString path = positional.takeFirst();
    const QString text = positional.join(u' ');
    const FindQuery query = FindQuery::parse(text, QLocale::system());
    for (const FindWord &w : query.words()) {
        if (!w.isUsed())
            err(u"corvane-list: '%1' is ignored: %2\n"_s.arg(text.mid(w.start, w.length),
                                                             problemText(w.problem)));
    }
    LoadedList list;
    if (!loadListArgument(path, list))
        return ExitFailure;
    const FindMatches m = corvane::runFind(list, query, nullptr);
    if (count) {
        out(u"matches: %1\nbytes: %2\n"_s.arg(m.count).arg(m.bytes.roundedBytes()));
        return ExitOk;
    }
    const LineStore &store = list.iGrid1;
    QString text8;
    const auto print = [&](qsizetype i) {
        text8 += decodeLine(store.line(i), store.encoding());
        text8 += u'\n';
        outWhenLarge(text8);
    };
    if (m.all) {
        for (qsizetype i = 0; i < store.count(); ++i)
            print(i);
    } else {
        for (qint32 i : m.lines)
            print(i);
    }
    out(text8);
    return ExitOk;
}

} // namespace corvane::cli
