#include "bench_search.h"

#include "listfile/ListLoader.h"
#include "search/ListSearch.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QHash>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <functional>
#include <limits>

using namespace Qt::Literals::StringLiterals;

namespace corvane::bench {

namespace {

// The best time of `repeat` runs of f, in milliseconds; f returns false on a
// failure.
double bestOf(int repeat, const std::function<bool()> &f, bool *ok)
{
    double best = std::numeric_limits<double>::infinity();
    for (int i = 0; i < repeat; ++i) {
        QElapsedTimer timer;
        timer.start();
        if (!f()) {
            *ok = false;
            return -1;
        }
        best = std::min(best, double(timer.nsecsElapsed()) / 1e6);
    }
    return best;
}

// grep -c with the C locale; the count it printed, or -1.
qint64 grep(const QStringList &args, const QString &path)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(u"LC_ALL"_s, u"C"_s);
    p.setProcessEnvironment(env);
    p.start(u"grep"_s, QStringList{u"-c"_s} + args + QStringList{path});
    if (!p.waitForFinished(-1) || p.exitStatus() != QProcess::NormalExit)
        return -1;
    bool ok = false;
    const qint64 n = p.readAllStandardOutput().trimmed().toLongLong(&ok);
    return ok ? n : -1;
}

// The most frequent status word of the list's first 100,000 lines.
QString frequentStatus(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    const QByteArray head = f.read(16 << 20);
    const auto words = collectStatusWords(head, ListEncoding::Windows1252, 1);
    return words.isEmpty() ? QString() : words.first().first;
}

} // namespace

QList<std::pair<QString, QString>> searchFigures(const QString &listPath, int repeat,
                                                 QString *error)
{
    QList<std::pair<QString, QString>> figures;
    QTemporaryDir dir;
    if (!dir.isValid()) {
        *error = u"cannot create a temporary folder"_s;
        return {};
    }
    const QString result = resultFilePath(dir.path());
    bool ok = true;
    qint32 matches = 0;
    auto search = [&](const QString &term) {
        return [&, term] {
            const SearchOutcome outcome = termSearch(listPath, term, result);
            matches = outcome.matches;
            return outcome.complete();
        };
    };
    auto add = [&](const QString &key, double ms) {
        figures.append({key, QString::number(ms, 'f', 1)});
    };
    auto ratio = [&](const QString &key, double a, double b) {
        figures.append({key, QString::number(a / std::max(b, 1e-9), 'f', 2)});
    };

    const double searchMs = bestOf(repeat, search(u"report"_s), &ok);
    const qint32 reportMatches = matches;
    const double grepMs = bestOf(
        repeat,
        [&] {
            return grep({u"-i"_s, u"report"_s}, listPath) >= 0;
        },
        &ok);
    const qint64 grepReport = grep({u"-i"_s, u"-E"_s, u"^[^,]*report"_s}, listPath);

    const double multiMs = bestOf(repeat, search(u"report;rechnung;invoice"_s), &ok);
    const qint32 multiMatches = matches;
    const QStringList multiGrep{u"-i"_s, u"-E"_s, u"^[^,]*(report|rechnung|invoice)"_s};
    qint64 grepMulti = -1;
    const double grepMultiMs = bestOf(
        repeat, [&] { return (grepMulti = grep(multiGrep, listPath)) >= 0; }, &ok);

    const double nonPlainMs = bestOf(repeat, search(u"#?#[a-c]"_s), &ok);
    const qint32 nonPlainMatches = matches;
    const QStringList nonPlainGrep{u"-i"_s, u"-E"_s, u"^[^,]*[0-9][^,][0-9][a-c]"_s};
    qint64 grepNonPlain = -1;
    const double grepNonPlainMs = bestOf(
        repeat, [&] { return (grepNonPlain = grep(nonPlainGrep, listPath)) >= 0; }, &ok);

    const double allMs = bestOf(repeat, search(u"*"_s), &ok);
    const double totalMs = bestOf(
        repeat,
        [&] {
            const SearchOutcome outcome = termSearch(listPath, u"report"_s, result);
            if (!outcome.complete())
                return false;
            const LoadedList loaded = loadList(result);
            return loaded.lineCount == outcome.matches;
        },
        &ok);

    const QString status = frequentStatus(listPath);
    const double filterMs = bestOf(
        repeat, [&] { return presetFilter(listPath, status, result).complete(); }, &ok);
    const double datesMs = bestOf(
        repeat,
        [&] {
            return dateSearch(listPath, QDate(2015, 1, 1), QDate(2015, 12, 31), QLocale::c(),
                              result)
                .complete();
        },
        &ok);
    if (!ok) {
        *error = u"a search failed on %1"_s.arg(listPath);
        return {};
    }

    add(u"search_ms"_s, searchMs);
    figures.append({u"search_matches"_s, QString::number(reportMatches)});
    add(u"grep_ms"_s, grepMs);
    ratio(u"search_vs_grep"_s, searchMs, grepMs);
    figures.append({u"grep_field0_matches"_s, QString::number(grepReport)});
    add(u"search_multi_ms"_s, multiMs);
    figures.append({u"search_multi_matches"_s, QString::number(multiMatches)});
    add(u"grep_multi_ms"_s, grepMultiMs);
    figures.append({u"grep_multi_matches"_s, QString::number(grepMulti)});
    ratio(u"multi_vs_grep"_s, multiMs, grepMultiMs);
    add(u"search_nonplain_ms"_s, nonPlainMs);
    figures.append({u"search_nonplain_matches"_s, QString::number(nonPlainMatches)});
    add(u"grep_nonplain_ms"_s, grepNonPlainMs);
    figures.append({u"grep_nonplain_matches"_s, QString::number(grepNonPlain)});
    ratio(u"nonplain_vs_grep"_s, nonPlainMs, grepNonPlainMs);
    add(u"search_all_ms"_s, allMs);
    add(u"search_total_ms"_s, totalMs);
    ratio(u"total_vs_grep"_s, totalMs, grepMs);
    add(u"filter_ms"_s, filterMs);
    figures.append({u"filter_status"_s, status});
    add(u"dates_ms"_s, datesMs);
    return figures;
}

} // namespace corvane::bench
