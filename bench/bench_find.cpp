#include "bench_find.h"

#include "BenchTiming.h"
#include "find/FindFigures.h"
#include "find/FindPass.h"
#include "listfile/ListLoader.h"

#include <QElapsedTimer>
#include <QProcess>

#include <sys/resource.h>

using namespace Qt::Literals::StringLiterals;

namespace corvane::bench {

namespace {

QString ms(double v)
{
    return QString::number(v, 'f', 1);
}

QString ratio(double a, double b)
{
    return b > 0 ? QString::number(a / b, 'f', 2) : u"-"_s;
}

// CPU time of this process so far (all threads, user and system), in ms.
double cpuMs()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
}

// The best wall time and the best CPU time of `repeat` runs: on a machine
// other work shares, the CPU time moves less.
std::pair<double, double> bestWallAndCpu(int repeat, const std::function<void()> &run)
{
    double wall = std::numeric_limits<double>::infinity();
    double cpu = wall;
    for (int i = 0; i < std::max(repeat, 1); ++i) {
        const double cpuBefore = cpuMs();
        QElapsedTimer timer;
        timer.start();
        run();
        wall = std::min(wall, double(timer.nsecsElapsed()) / 1e6);
        cpu = std::min(cpu, cpuMs() - cpuBefore);
    }
    return {wall, cpu};
}

} // namespace

QList<std::pair<QString, QString>> findFigures(const QString &listPath, int repeat, QString *error)
{
    QList<std::pair<QString, QString>> figures;
    const QLocale locale(QLocale::English, QLocale::UnitedStates);
    LoadOptions options;
    options.dateLocale = locale;
    const LoadedList list = loadList(listPath, options);
    if (!list.fileFound || !list.error.isEmpty()) {
        *error = u"cannot load %1: %2"_s.arg(listPath, list.error);
        return figures;
    }
    const QString prefix = list.rootPrefixAfter(QString());

    // A word of the generated folder names that stands only in paths.
    const QString word = u"rechnung"_s;
    const FindQuery wordQuery = FindQuery::parse(word, locale);
    FindMatches wordMatches;
    const auto [wordMs, wordCpuMs] =
        bestWallAndCpu(repeat, [&] { wordMatches = runFind(list, wordQuery, nullptr); });
    const double wordOneMs = bestOf(repeat, [&] { runFind(list, wordQuery, nullptr, nullptr, 1); });
    qint64 rgCount = -1;
    const double rgMs = bestOf(repeat, [&] {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(u"LC_ALL"_s, u"C"_s);
        p.setProcessEnvironment(env);
        p.start(u"rg"_s, {u"-c"_s, u"-i"_s, word, listPath});
        if (!p.waitForFinished(-1) || p.exitStatus() != QProcess::NormalExit)
            return;
        rgCount = p.readAllStandardOutput().trimmed().toLongLong();
    });
    figures.append({u"find_word"_s, word});
    figures.append({u"find_word_ms"_s, ms(wordMs)});
    figures.append({u"find_word_cpu_ms"_s, ms(wordCpuMs)});
    figures.append({u"find_word_one_thread_ms"_s, ms(wordOneMs)});
    figures.append({u"find_word_matches"_s, QString::number(wordMatches.count)});
    figures.append({u"rg_word_ms"_s, rgCount < 0 ? u"-"_s : ms(rgMs)});
    figures.append({u"rg_word_lines"_s, QString::number(rgCount)});
    figures.append({u"find_word_vs_rg"_s, rgCount < 0 ? u"-"_s : ratio(wordMs, rgMs)});

    // One letter added: within the matches before.
    const FindQuery shorter = FindQuery::parse(u"rechnun"_s, locale);
    const FindMatches before = runFind(list, shorter, nullptr);
    FindMatches narrowed;
    const auto [narrowMs, narrowCpuMs] = bestWallAndCpu(repeat, [&] {
        narrowed = runFind(list, wordQuery, wordQuery.narrows(shorter) ? &before : nullptr);
    });
    figures.append({u"find_narrow_ms"_s, ms(narrowMs)});
    figures.append({u"find_narrow_cpu_ms"_s, ms(narrowCpuMs)});
    figures.append({u"find_narrow_from"_s, QString::number(before.count)});
    figures.append(
        {u"find_narrow_same"_s, narrowed.lines == wordMatches.lines ? u"yes"_s : u"no"_s});

    const FindQuery terms = FindQuery::parse(u"ext:jpg size:>1mb dm:2019"_s, locale);
    FindMatches termMatches;
    const auto [termsMs, termsCpuMs] =
        bestWallAndCpu(repeat, [&] { termMatches = runFind(list, terms, nullptr); });
    figures.append({u"find_terms_ms"_s, ms(termsMs)});
    figures.append({u"find_terms_cpu_ms"_s, ms(termsCpuMs)});
    figures.append({u"find_terms_matches"_s, QString::number(termMatches.count)});

    const FindQuery sizeOnly = FindQuery::parse(u"size:>100mb"_s, locale);
    FindMatches sizeMatches;
    const double sizeMs = bestOf(repeat, [&] { sizeMatches = runFind(list, sizeOnly, nullptr); });
    figures.append({u"find_size_ms"_s, ms(sizeMs)});
    figures.append({u"find_size_matches"_s, QString::number(sizeMatches.count)});

    // What the window shows beside the matches: where the folders stand
    // (once a list), the matches below each, their statuses; for the word
    // and for one letter (most lines).
    FolderStretches stretches;
    const auto [stretchMs, stretchCpuMs] =
        bestWallAndCpu(repeat, [&] { stretches = FolderStretches::of(list, prefix); });
    figures.append({u"find_stretches_ms"_s, ms(stretchMs)});
    figures.append({u"find_stretches_cpu_ms"_s, ms(stretchCpuMs)});
    figures.append({u"find_item_folders"_s, QString::number(list.SftTree1.count())});
    const FindMatches letterMatches = runFind(list, FindQuery::parse(u"r"_s, locale), nullptr);
    figures.append({u"find_letter_matches"_s, QString::number(letterMatches.count)});
    for (const auto &named :
         {std::pair<QString, const FindMatches *>{u"word"_s, &wordMatches},
          std::pair<QString, const FindMatches *>{u"letter"_s, &letterMatches}}) {
        const QString &name = named.first;
        const FindMatches *matches = named.second;
        std::vector<qint32> perItem;
        const double itemMs =
            bestOf(repeat, [&] { perItem = matchesPerItem(stretches, *matches); });
        figures.append({u"find_item_counts_%1_ms"_s.arg(name), ms(itemMs)});
        std::vector<StatusFigure> perStatus;
        const double statusMs = bestOf(repeat, [&] {
            perStatus = matchesPerStatusFigure(list, stretches, perItem, *matches);
        });
        figures.append({u"find_status_counts_%1_ms"_s.arg(name), ms(statusMs)});
    }
    figures.append({u"find_bytes_per_match"_s,
                    QString::number(wordMatches.count > 0
                                        ? double(wordMatches.lines.capacity() * sizeof(qint32)) /
                                              double(wordMatches.count)
                                        : 0.0,
                                    'f', 2)});
    return figures;
}

} // namespace corvane::bench
