// corvane-bench: how long the core takes to load a list, against the floor
// of work no loader can skip, and how much memory the load needs.
//
//   corvane-bench (--list FILE | --lines N [--seed S] [--wide]) [--repeat K] [--serial]
//                 [--only check|map|report|compare|find]
//
// Prints one key=value line per figure (see bench/README.md).

#include "ListGenerator.h"
#include "bench_basket.h"
#include "bench_browse.h"
#include "bench_check.h"
#include "bench_compare.h"
#include "bench_find.h"
#include "bench_hostile.h"
#include "bench_map.h"
#include "bench_overview.h"
#include "bench_report.h"
#include "bench_search.h"
#include "listfile/ListLoader.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QProcess>
#include <QTemporaryFile>
#include <QTextStream>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <limits>
#include <memory>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

using namespace Qt::Literals::StringLiterals;

namespace {

// ---------------------------------------------------------------------------
// The figures: an ordered table of named measurements, printed as key=value.

class Report
{
public:
    void add(const QString &key, const QString &value) { m_figures.append({key, value}); }
    void add(const QString &key, qint64 value) { add(key, QString::number(value)); }
    void add(const QString &key, double value, int decimals)
    {
        add(key, QString::number(value, 'f', decimals));
    }
    void print(QTextStream &out) const
    {
        for (const auto &[key, value] : m_figures)
            out << key << '=' << value << '\n';
        out.flush();
    }

private:
    QList<std::pair<QString, QString>> m_figures;
};

// A timed pass over the list: returns the number of lines it handled, or -1
// with a reason in error. Run repeat times; the best time is the figure.
struct TimedPass
{
    QString key; // e.g. "floor_ms"
    std::function<qint64(const QString &path, QString *error)> run;
    double bestMs = std::numeric_limits<double>::infinity();
    double bestUserMs = std::numeric_limits<double>::infinity(); // CPU time in user space
    qint64 lines = -1;
};

// CPU time this process spent in user space so far (both threads), in ms:
// unlike the wall time, page faults and other programs hardly change it.
double userCpuMs()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec) * 1e3 + double(usage.ru_utime.tv_usec) / 1e3;
}

// ---------------------------------------------------------------------------
// The floor: read the file with read() into one buffer, cut it into line
// views (CR LF, a lone LF or a lone CR end a line) and sort the views in
// ordinal byte order, shorter first. One thread.

struct LineView
{
    const char *data;
    size_t size;
};

bool lessOrdinal(const LineView &a, const LineView &b)
{
    const int c = std::memcmp(a.data, b.data, std::min(a.size, b.size));
    return c != 0 ? c < 0 : a.size < b.size;
}

qint64 floorPass(const QString &path, QString *error)
{
    const QByteArray native = QFile::encodeName(path);
    const int fd = ::open(native.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        *error = u"cannot open %1: %2"_s.arg(path, QString::fromLocal8Bit(std::strerror(errno)));
        return -1;
    }
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        *error = u"%1 is not a regular file"_s.arg(path);
        return -1;
    }
    const size_t size = size_t(st.st_size);
    std::unique_ptr<char[]> buffer(new char[size + 1]);
    size_t done = 0;
    while (done < size) {
        const ssize_t got = ::read(fd, buffer.get() + done, size - done);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0) {
            ::close(fd);
            *error = u"reading %1 failed"_s.arg(path);
            return -1;
        }
        done += size_t(got);
    }
    ::close(fd);

    std::vector<LineView> lines;
    lines.reserve(size / 64 + 16);
    const char *p = buffer.get();
    const char *const end = p + size;
    while (p < end) {
        const char *lf = static_cast<const char *>(std::memchr(p, '\n', size_t(end - p)));
        const char *stop = lf ? lf : end;
        // Lone CRs before the LF end lines of their own.
        while (const char *cr = static_cast<const char *>(std::memchr(p, '\r', size_t(stop - p)))) {
            if (cr + 1 == lf)
                break; // CR LF
            lines.push_back({p, size_t(cr - p)});
            p = cr + 1;
        }
        const char *lineEnd = (lf && lf > p && lf[-1] == '\r') ? lf - 1 : stop;
        if (lf || stop > p)
            lines.push_back({p, size_t(lineEnd - p)});
        p = lf ? lf + 1 : end;
    }
    std::sort(lines.begin(), lines.end(), lessOrdinal);
    return qint64(lines.size());
}

// ---------------------------------------------------------------------------
// The core load.

qint64 loadPass(const QString &path, bool parallel, bool folderTotals, QString *error,
                bool kinds = true)
{
    corvane::LoadOptions options;
    options.parallel = parallel;
    options.folderTotals = folderTotals;
    options.folderKinds = folderTotals && kinds;
    // The window reads every line's date for the pickers' range as well.
    if (folderTotals)
        options.dateLocale = QLocale(QLocale::English, QLocale::UnitedStates);
    auto list = std::make_unique<corvane::LoadedList>(corvane::loadList(path, options));
    if (!list->fileFound) {
        *error = u"the loader found no file at %1"_s.arg(path);
        return -1;
    }
    if (!list->error.isEmpty()) {
        *error = u"the loader failed on %1: %2"_s.arg(path, list->error);
        return -1;
    }
    return list->lineCount;
}

// The peak resident size of this process so far, in KiB (VmHWM).
qint64 peakRssKiB()
{
    QFile status(u"/proc/self/status"_s);
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    const QList<QByteArray> lines = status.readAll().split('\n');
    for (const QByteArray &line : lines) {
        if (line.startsWith("VmHWM:")) {
            bool ok = false;
            const qint64 kib = line.mid(6).trimmed().split(' ').value(0).toLongLong(&ok);
            return ok ? kib : -1;
        }
    }
    return -1;
}

// The hidden child mode: load once, report the lines and the peak.
int loadOnly(const QString &path, bool parallel, bool folderTotals)
{
    QTextStream out(stdout);
    QTextStream err(stderr);
    QString error;
    const qint64 lines = loadPass(path, parallel, folderTotals, &error);
    if (lines < 0) {
        err << "corvane-bench: " << error << '\n';
        return 1;
    }
    out << "lines=" << lines << '\n' << "vmhwm_kib=" << peakRssKiB() << '\n';
    return 0;
}

// Runs this program in load-only mode on path; the child's VmHWM is the
// load's own peak, untouched by the floor's buffers in this process.
qint64 measurePeakKiB(const QString &path, bool parallel, QString *error, bool folderTotals = true)
{
    QProcess child;
    QStringList args{u"--load-only"_s, path};
    if (!parallel)
        args << u"--serial"_s;
    if (!folderTotals)
        args << u"--no-totals"_s;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QCoreApplication::applicationFilePath(), args);
    if (!child.waitForStarted(-1) || !child.waitForFinished(-1)) {
        *error = u"the load-only child did not run: %1"_s.arg(child.errorString());
        return -1;
    }
    if (child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0) {
        *error = u"the load-only child failed (exit code %1)"_s.arg(child.exitCode());
        return -1;
    }
    const QList<QByteArray> lines = child.readAllStandardOutput().split('\n');
    for (const QByteArray &line : lines) {
        if (line.startsWith("vmhwm_kib="))
            return line.mid(10).toLongLong();
    }
    *error = u"the load-only child printed no peak"_s;
    return -1;
}

int usage(QTextStream &err, const QString &problem)
{
    if (!problem.isEmpty())
        err << "corvane-bench: " << problem << '\n';
    err << "usage: corvane-bench (--list FILE | --lines N [--seed S] [--wide]) [--repeat K] "
           "[--serial] [--only check|map|report|compare|find]\n";
    return 2;
}

} // namespace

int main(int argc, char *argv[])
{
    // The report's pages are drawn with fonts: a GUI application, on no
    // screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);

    QString listPath;
    QString loadOnlyPath;
    qint64 generateLines = -1;
    quint64 seed = 1;
    bool wide = false;
    int repeat = 3;
    bool parallel = true;
    bool folderTotals = true; // the load-only child's
    QString only;             // one group of figures instead of all

    const QStringList args = app.arguments().mid(1);
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &arg = args[i];
        const bool takesValue = arg == u"--list"_s || arg == u"--lines"_s || arg == u"--seed"_s ||
                                arg == u"--repeat"_s || arg == u"--load-only"_s ||
                                arg == u"--only"_s;
        if (takesValue && i + 1 >= args.size())
            return usage(err, u"%1 needs a value"_s.arg(arg));
        bool ok = true;
        if (arg == u"--list"_s) {
            listPath = args[++i];
        } else if (arg == u"--load-only"_s) {
            loadOnlyPath = args[++i];
        } else if (arg == u"--lines"_s) {
            generateLines = args[++i].toLongLong(&ok);
            if (!ok || generateLines < 1 || generateLines > 2000000000)
                return usage(err, u"--lines takes a count from 1 to 2000000000"_s);
        } else if (arg == u"--seed"_s) {
            seed = args[++i].toULongLong(&ok);
            if (!ok)
                return usage(err, u"--seed takes a whole number"_s);
        } else if (arg == u"--repeat"_s) {
            repeat = args[++i].toInt(&ok);
            if (!ok || repeat < 1 || repeat > 100)
                return usage(err, u"--repeat takes a count from 1 to 100"_s);
        } else if (arg == u"--only"_s) {
            only = args[++i];
            if (only != u"check"_s && only != u"map"_s && only != u"report"_s &&
                only != u"compare"_s && only != u"find"_s)
                return usage(err, u"--only takes: check, map, report, compare, find"_s);
        } else if (arg == u"--wide"_s) {
            wide = true;
        } else if (arg == u"--serial"_s) {
            parallel = false;
        } else if (arg == u"--no-totals"_s) {
            folderTotals = false;
        } else if (arg == u"-h"_s || arg == u"--help"_s) {
            usage(out, {});
            return 0;
        } else {
            return usage(err, u"unknown argument '%1'"_s.arg(arg));
        }
    }

    if (!loadOnlyPath.isEmpty())
        return loadOnly(loadOnlyPath, parallel, folderTotals);

    if (listPath.isEmpty() == (generateLines < 0))
        return usage(err, u"give either --list FILE or --lines N"_s);

    // A generated list lives in a temporary file, removed when we end.
    QTemporaryFile generated(QDir::tempPath() + u"/corvane-bench-XXXXXX.csv"_s);
    if (generateLines > 0) {
        if (!generated.open()) {
            err << "corvane-bench: cannot create a temporary file: " << generated.errorString()
                << '\n';
            return 1;
        }
        corvane::listgen::GeneratorOptions options;
        options.lines = generateLines;
        options.seed = seed;
        options.wide = wide;
        QElapsedTimer timer;
        timer.start();
        const bool written =
            corvane::listgen::generateList(options, [&generated](const char *data, qsizetype size) {
                return generated.write(data, size) == size;
            });
        if (!written || !generated.flush()) {
            err << "corvane-bench: writing " << generated.fileName()
                << " failed: " << generated.errorString() << '\n';
            return 1;
        }
        generated.close();
        listPath = generated.fileName();
        err << "corvane-bench: generated " << generateLines << " lines in " << timer.elapsed()
            << " ms\n";
    }
    const QFileInfo info(listPath);
    if (!info.isFile()) {
        err << "corvane-bench: no list file at " << listPath << '\n';
        return 1;
    }

    if (!only.isEmpty()) {
        QString error;
        const auto figures =
            only == u"map"_s       ? corvane::bench::mapFigures(listPath, repeat, &error)
            : only == u"report"_s  ? corvane::bench::reportFigures(listPath, repeat, &error)
            : only == u"compare"_s ? corvane::bench::compareFigures(listPath, repeat, &error)
            : only == u"find"_s    ? corvane::bench::findFigures(listPath, repeat, &error)
                                   : corvane::bench::checkFigures(listPath, repeat, &error);
        if (figures.isEmpty()) {
            err << "corvane-bench: " << error << '\n';
            return 1;
        }
        for (const auto &[key, value] : figures)
            out << key << '=' << value << '\n';
        return 0;
    }

    // The timed passes, in the order they run in each round. Add a pass here
    // and a derived figure below to measure something new.
    std::vector<TimedPass> passes;
    passes.push_back({u"floor_ms"_s, floorPass});
    passes.push_back({u"load_ms"_s, [parallel](const QString &path, QString *error) {
                          return loadPass(path, parallel, true, error);
                      }});
    passes.push_back({u"load_plain_ms"_s, [parallel](const QString &path, QString *error) {
                          return loadPass(path, parallel, false, error);
                      }});
    passes.push_back({u"load_nokinds_ms"_s, [parallel](const QString &path, QString *error) {
                          return loadPass(path, parallel, true, error, false);
                      }});

    for (int round = 0; round < repeat; ++round) {
        // Every other round runs the passes backwards: a load right after
        // another one's memory was given back runs at another speed, and
        // the two loads are compared with each other.
        std::vector<TimedPass *> order;
        for (TimedPass &pass : passes)
            order.push_back(&pass);
        if (round % 2 == 1)
            std::reverse(order.begin(), order.end());
        for (TimedPass *next : order) {
            TimedPass &pass = *next;
            QString error;
            QElapsedTimer timer;
            timer.start();
            const double userBefore = userCpuMs();
            const qint64 lines = pass.run(listPath, &error);
            const double ms = double(timer.nsecsElapsed()) / 1e6;
            pass.bestUserMs = std::min(pass.bestUserMs, userCpuMs() - userBefore);
            if (lines < 0) {
                err << "corvane-bench: " << pass.key << ": " << error << '\n';
                return 1;
            }
            pass.bestMs = std::min(pass.bestMs, ms);
            pass.lines = lines;
        }
        err << "corvane-bench: round " << round + 1 << " of " << repeat << " done\n";
    }
    const auto best = [&passes](const QString &key) {
        for (const TimedPass &pass : passes) {
            if (pass.key == key)
                return pass.bestMs;
        }
        return 0.0;
    };

    QString error;
    const qint64 peakKiB = measurePeakKiB(listPath, parallel, &error);
    const qint64 plainPeakKiB =
        peakKiB < 0 ? peakKiB : measurePeakKiB(listPath, parallel, &error, false);
    if (peakKiB < 0 || plainPeakKiB < 0) {
        err << "corvane-bench: " << error << '\n';
        return 1;
    }

    const qint64 lines = passes.front().lines;
    Report report;
    report.add(u"lines"_s, lines);
    report.add(u"bytes"_s, info.size());
    for (const TimedPass &pass : passes)
        report.add(pass.key, pass.bestMs, 1);
    report.add(u"load_vs_floor"_s, best(u"load_ms"_s) / std::max(best(u"floor_ms"_s), 1e-9), 2);
    report.add(u"peak_rss_mb"_s, double(peakKiB) / 1024.0, 1);
    report.add(u"bytes_per_line"_s, lines > 0 ? peakKiB * 1024 / lines : qint64(0));
    report.add(u"bytes_per_line_plain"_s, lines > 0 ? plainPeakKiB * 1024 / lines : qint64(0));
    // What gathering the folder totals adds to a load.
    const double overviewMs = std::max(best(u"load_ms"_s) - best(u"load_plain_ms"_s), 0.0);
    report.add(u"overview_ms"_s, overviewMs, 1);
    report.add(u"overview_vs_load_pct"_s, overviewMs * 100 / std::max(best(u"load_ms"_s), 1e-9), 1);
    // The same in user CPU time, which the machine's other work and the
    // kernel's page faults hardly disturb.
    double loadUser = 0;
    double plainUser = 0;
    for (const TimedPass &pass : passes) {
        if (pass.key == u"load_ms"_s)
            loadUser = pass.bestUserMs;
        else if (pass.key == u"load_plain_ms"_s)
            plainUser = pass.bestUserMs;
    }
    report.add(u"load_user_ms"_s, loadUser, 1);
    report.add(u"load_plain_user_ms"_s, plainUser, 1);
    report.add(u"overview_user_vs_load_pct"_s,
               std::max(loadUser - plainUser, 0.0) * 100 / std::max(loadUser, 1e-9), 1);
    // What gathering the files by kind adds to a load (the same load
    // without them, in the same rounds).
    double noKindsUser = 0;
    for (const TimedPass &pass : passes) {
        if (pass.key == u"load_nokinds_ms"_s)
            noKindsUser = pass.bestUserMs;
    }
    report.add(u"kinds_vs_load_pct"_s,
               (best(u"load_ms"_s) - best(u"load_nokinds_ms"_s)) * 100 /
                   std::max(best(u"load_ms"_s), 1e-9),
               1);
    report.add(u"kinds_user_vs_load_pct"_s,
               (loadUser - noKindsUser) * 100 / std::max(loadUser, 1e-9), 1);
    for (const auto &[key, value] : corvane::bench::browseFigures(listPath, repeat, &error))
        report.add(key, value);
    for (const auto &[key, value] : corvane::bench::searchFigures(listPath, repeat, &error))
        report.add(key, value);
    for (const auto &[key, value] : corvane::bench::overviewFigures(listPath, repeat, &error))
        report.add(key, value);
    for (const auto &[key, value] : corvane::bench::kindsFigures(listPath, repeat, &error))
        report.add(key, value);
    for (const auto &[key, value] : corvane::bench::basketFigures(listPath, repeat, &error))
        report.add(key, value);
    for (const auto &[key, value] : corvane::bench::checkFigures(listPath, repeat, &error))
        report.add(key, value);
    for (const auto &[key, value] : corvane::bench::mapFigures(listPath, repeat, &error))
        report.add(key, value);
    for (const auto &[key, value] : corvane::bench::reportFigures(listPath, repeat, &error))
        report.add(key, value);
    for (const auto &[key, value] : corvane::bench::compareFigures(listPath, repeat, &error))
        report.add(key, value);
    const auto measure = [parallel](const QString &path, QString *why) {
        return measurePeakKiB(path, parallel, why);
    };
    for (const auto &[key, value] : corvane::bench::hostileFigures(measure, &error))
        report.add(key, value);
    report.print(out);

    // Every pass must have seen the same list.
    for (const TimedPass &pass : passes) {
        if (pass.lines != lines) {
            err << "corvane-bench: " << pass.key << " counted " << pass.lines
                << " lines, the floor " << lines << '\n';
            return 1;
        }
    }
    return 0;
}
