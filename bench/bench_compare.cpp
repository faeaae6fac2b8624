#include "bench_compare.h"

#include "BenchTiming.h"
#include "compare/ListComparison.h"
#include "listfile/ListLoader.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>

using namespace Qt::Literals::StringLiterals;

namespace corvane::bench {

namespace {

// The second list: each line kept, or (one in 400 each) left out, given
// another status, another size, or followed by a line of a new file beside it.
bool writeChangedList(const QString &from, const QString &to, QString *error)
{
    QFile in(from);
    QFile out(to);
    if (!in.open(QIODevice::ReadOnly) || !out.open(QIODevice::WriteOnly)) {
        *error = u"cannot copy %1 to %2"_s.arg(from, to);
        return false;
    }
    QRandomGenerator rng(7);
    QByteArray piece;
    while (!in.atEnd()) {
        QByteArray line = in.readLine();
        while (line.endsWith('\n') || line.endsWith('\r'))
            line.chop(1);
        if (line.isEmpty())
            continue;
        const quint32 pick = rng.bounded(400u);
        if (pick == 0)
            continue;
        if (pick == 1) {
            const qsizetype comma = line.lastIndexOf(',');
            line = line.first(comma + 1) + (line.endsWith(",OK") ? "Damaged" : "OK");
        }
        if (pick == 3) {
            // The size (field 2) one byte more.
            const qsizetype c1 = line.indexOf(',');
            const qsizetype c2 = line.indexOf(',', c1 + 1);
            const qsizetype c3 = line.indexOf(',', c2 + 1);
            if (c3 > c2) {
                const qint64 size = line.sliced(c2 + 1, c3 - c2 - 1).toLongLong();
                line = line.first(c2 + 1) + QByteArray::number(size + 1) + line.sliced(c3);
            }
        }
        piece += line + "\r\n";
        if (pick == 2) {
            const qsizetype comma = line.indexOf(',');
            piece += line.first(comma) + "_new" + line.sliced(comma) + "\r\n";
        }
        if (piece.size() >= (1 << 20)) {
            if (out.write(piece) != piece.size())
                break;
            piece.clear();
        }
    }
    if (out.write(piece) != piece.size() || !out.flush()) {
        *error = u"cannot write %1: %2"_s.arg(to, out.errorString());
        return false;
    }
    return true;
}

QString corvaneListProgram()
{
    return QDir(QCoreApplication::applicationDirPath())
        .absoluteFilePath(u"../src/app/cli/corvane-list"_s);
}

} // namespace

QList<std::pair<QString, QString>> compareFigures(const QString &listPath, int repeat,
                                                  QString *error)
{
    QTemporaryDir dir;
    if (!dir.isValid()) {
        *error = u"cannot create a temporary folder"_s;
        return {};
    }
    const QString newPath = dir.filePath(u"new.csv"_s);
    if (!writeChangedList(listPath, newPath, error))
        return {};

    LoadedList oldList = loadList(listPath);
    LoadedList newList;
    const double loadMs = bestOf(repeat, [&] {
        newList = LoadedList();
        newList = loadList(newPath);
    });
    bool ok = true;
    ListComparison comparison;
    const double compareMs = bestOf(repeat, [&] {
        comparison = ListComparison();
        comparison = compareLists(oldList, newList);
    });
    CompareOptions oneThread;
    oneThread.parallel = false;
    const double serialMs = bestOf(repeat, [&] {
        const ListComparison c = compareLists(oldList, newList, oneThread);
        ok = ok && c.counts.differences() == comparison.counts.differences();
    });
    CompareOptions countsOnly;
    countsOnly.folderChanges = false;
    const double countsOnlyMs =
        bestOf(repeat, [&] { ok = ok && !compareLists(oldList, newList, countsOnly).stopped; });
    const ComparisonCounts counts = comparison.counts;
    const qint64 differences = counts.differences();
    const double differenceBytes =
        double(comparison.differences.capacity() * sizeof(ListDifference));
    const double folderBytes = double(comparison.folders.capacity() * sizeof(FolderChanges));
    const bool indexed = comparison.oldIndexed || comparison.newIndexed;
    const qsizetype changedFolders = qsizetype(comparison.folders.size());
    comparison = ListComparison();
    oldList = LoadedList();
    newList = LoadedList();

    QString summaryLine;
    const double cliMs = bestOf(repeat, [&] {
        QProcess p;
        p.start(corvaneListProgram(), {u"compare"_s, u"--summary"_s, listPath, newPath});
        ok = ok && p.waitForFinished(-1) && p.exitStatus() == QProcess::NormalExit &&
             p.exitCode() == 0;
        summaryLine = QString::fromUtf8(p.readAllStandardOutput()).trimmed();
    });
    qint64 uniqLines = -1;
    const double sortMs = bestOf(repeat, [&] {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(u"LC_ALL"_s, u"C"_s);
        p.setProcessEnvironment(env);
        p.start(u"sh"_s,
                {u"-c"_s, u"sort \"$1\" \"$2\" | uniq -u | wc -l"_s, u"sh"_s, listPath, newPath});
        ok = ok && p.waitForFinished(-1) && p.exitStatus() == QProcess::NormalExit;
        uniqLines = p.readAllStandardOutput().trimmed().toLongLong();
    });
    if (!ok) {
        *error = u"corvane-list compare or sort failed on %1"_s.arg(listPath);
        return {};
    }
    // Every changed line stands once in each list; a new or a gone line once.
    const qint64 expectedUniq =
        counts.added + counts.removed + 2 * (counts.statusChanged + counts.sizeChanged);
    const bool consistent =
        uniqLines == expectedUniq && summaryLine == comparisonSummaryLine(counts);

    QList<std::pair<QString, QString>> figures;
    auto ms = [](double v) { return QString::number(v, 'f', 1); };
    auto ratio = [](double a, double b) { return QString::number(a / std::max(b, 1e-9), 'f', 3); };
    figures.append({u"compare_load_new_ms"_s, ms(loadMs)});
    figures.append({u"compare_ms"_s, ms(compareMs)});
    figures.append({u"compare_vs_load"_s, ratio(compareMs, loadMs)});
    figures.append({u"compare_one_thread_ms"_s, ms(serialMs)});
    figures.append({u"compare_without_folders_ms"_s, ms(countsOnlyMs)});
    figures.append({u"compare_indexed"_s, indexed ? u"yes"_s : u"no"_s});
    figures.append({u"compare_added"_s, QString::number(counts.added)});
    figures.append({u"compare_removed"_s, QString::number(counts.removed)});
    figures.append({u"compare_status_changed"_s, QString::number(counts.statusChanged)});
    figures.append({u"compare_size_changed"_s, QString::number(counts.sizeChanged)});
    figures.append({u"compare_unchanged"_s, QString::number(counts.unchanged)});
    figures.append({u"compare_changed_folders"_s, QString::number(changedFolders)});
    figures.append(
        {u"compare_bytes_per_difference"_s,
         QString::number(differenceBytes / double(std::max<qint64>(differences, 1)), 'f', 2)});
    figures.append(
        {u"compare_folder_bytes_per_difference"_s,
         QString::number(folderBytes / double(std::max<qint64>(differences, 1)), 'f', 2)});
    figures.append({u"compare_cli_ms"_s, ms(cliMs)});
    figures.append({u"sort_uniq_ms"_s, ms(sortMs)});
    figures.append({u"sort_uniq_lines"_s, QString::number(uniqLines)});
    figures.append({u"compare_cli_vs_sort"_s, ratio(cliMs, sortMs)});
    figures.append({u"compare_counts_agree"_s, consistent ? u"yes"_s : u"no"_s});
    return figures;
}

} // namespace corvane::bench
