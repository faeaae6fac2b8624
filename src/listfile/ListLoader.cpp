#include "ListLoader.h"

#include "ListLine.h"

#include <QElapsedTimer>

#include <algorithm>
#include <cstring>
#include <exception>
#include <new>
#include <thread>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

using namespace Qt::Literals::StringLiterals;

namespace corvane {

QString LoadedList::rootPrefixAfter(const QString &current) const
{
    if (!current.isEmpty() || !hasTopComponent)
        return current;
    return lastTopComponent + u'\\';
}

void LoadedList::clear()
{
    iGrid1.clear();
    SftTree1.clear();
    lineCount = 0;
    folderCount = 0;
    totalSize = ByteTotal();
    lastTopComponent.clear();
    lastTopBytes.clear();
    hasTopComponent = false;
    fileFound = false;
    error.clear();
}

namespace {

// The first CR or LF at or after p, or end.
const char *findLineEnd(const char *p, const char *end)
{
#ifdef __SSE2__
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    while (end - p >= 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p));
        const int mask =
            _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(v, cr), _mm_cmpeq_epi8(v, lf)));
        if (mask)
            return p + __builtin_ctz(unsigned(mask));
        p += 16;
    }
#endif
    for (; p < end; ++p)
        if (*p == '\r' || *p == '\n')
            return p;
    return end;
}

// An upper bound for the number of lines, so the line table is allocated once.
qsizetype estimateLines(QByteArrayView bytes)
{
    auto count = [&](char c) {
        qsizetype n = 0;
        const char *p = bytes.data();
        const char *end = p + bytes.size();
        // An empty buffer may have no data pointer at all: memchr must not see it.
        while (p < end && (p = static_cast<const char *>(std::memchr(p, c, size_t(end - p))))) {
            ++n;
            ++p;
        }
        return n;
    };
    return qMax(count('\n'), count('\r')) + 1;
}

class ProgressGate
{
public:
    explicit ProgressGate(const LoadOptions &options) : m_options(options) { m_timer.start(); }
    bool due() const
    {
        return m_options.progress && m_timer.elapsed() >= m_options.progressIntervalMs;
    }
    void send(const LoadProgress &p)
    {
        if (!m_options.progress)
            return;
        m_options.progress(p);
        m_timer.restart();
    }

private:
    const LoadOptions &m_options;
    QElapsedTimer m_timer;
};

void sortLines(const QByteArray &bytes, std::vector<LineStore::LineRef> &lines, bool parallel,
               const std::function<void()> &alongside)
{
    const char *base = bytes.constData();
    auto less = [base](const LineStore::LineRef &a, const LineStore::LineRef &b) {
        const size_t n = size_t(qMin(a.length, b.length)) & (~size_t(0) >> 1);
        const int c = n ? std::memcmp(base + a.offset, base + b.offset, n) : 0;
        return c < 0 || (c == 0 && a.length < b.length);
    };
    if (!parallel || lines.size() < 200000) {
        if (alongside)
            alongside();
        std::sort(lines.begin(), lines.end(), less);
        return;
    }
    // Two halves on two cores, then one merge: the same order as one sort.
    const auto mid = lines.begin() + std::ptrdiff_t(lines.size() / 2);
    std::exception_ptr failed; // out of memory on the other thread: rethrown here
    std::thread other([&] {
        try {
            if (alongside)
                alongside();
            std::sort(mid, lines.end(), less);
        } catch (...) {
            failed = std::current_exception();
        }
    });
    std::sort(lines.begin(), mid, less);
    other.join();
    if (failed)
        std::rethrow_exception(failed);
    std::inplace_merge(lines.begin(), mid, lines.end(), less);
}

// A list too big for the memory left: reported like a read error, so that
// the caller shows why instead of the program ending on the exception.
LoadedList outOfMemory(bool fileFound)
{
    LoadedList out;
    out.fileFound = fileFound;
    out.error = u"there is not enough memory to load it"_s;
    return out;
}

LoadedList loadBytes(ListBytes input, const LoadOptions &options)
{
    LoadedList out;
    out.fileFound = input.fileFound;
    out.error = input.error;
    out.changedWhileRead = input.changedWhileRead;
    if (!input.fileFound)
        return out;

    ProgressGate gate(options);
    LoadProgress progress;
    progress.phase = LoadProgress::Phase::Lines;
    progress.bytesTotal = input.bytes.size();
    gate.send(progress);

    const QByteArray bytes = std::move(input.bytes);
    const char *const base = bytes.constData();
    const char *const end = base + bytes.size();

    std::vector<LineStore::LineRef> lines;
    lines.reserve(size_t(estimateLines(bytes)));
    FolderTreeBuilder tree(bytes, input.encoding);
    tree.setStopFlag(options.stop);
    ByteTotal total;
    QByteArrayView lastTop;
    bool haveTop = false;

    const char *p = base;
    const char *lastStopCheck = base;
    // A UTF-8 byte-order mark (Notepad's "UTF-8") is not part of the first
    // line: left in, that line would stand outside its folder.
    if (input.encoding == ListEncoding::Utf8 && bytes.startsWith("\xEF\xBB\xBF"))
        p += 3;
    while (p < end) {
        const char *lineEnd = findLineEnd(p, end);
        const QByteArrayView line(p, lineEnd - p);
        lines.push_back({qint64(p - base), qint64(lineEnd - p)});

        // Field 0 and field 2, without cutting the rest of the line.
        const char *c1 = static_cast<const char *>(std::memchr(p, ',', size_t(line.size())));
        const QByteArrayView path(p, (c1 ? c1 : lineEnd) - p);
        if (c1) {
            const char *f1 = c1 + 1;
            const char *c2 = static_cast<const char *>(std::memchr(f1, ',', size_t(lineEnd - f1)));
            if (c2) {
                const char *f2 = c2 + 1;
                const char *c3 =
                    static_cast<const char *>(std::memchr(f2, ',', size_t(lineEnd - f2)));
                const QByteArrayView sizeField(f2, (c3 ? c3 : lineEnd) - f2);
                if (const auto size = leadingSize(sizeField))
                    total.tryAdd(*size);
            }
        }
        // An empty line keeps the previous line's folder; a line whose path
        // field is empty is an entry of the top folder.
        if (!line.isEmpty()) {
            const char *lastSlash =
                path.isEmpty()
                    ? nullptr
                    : static_cast<const char *>(::memrchr(path.data(), '\\', size_t(path.size())));
            const qsizetype slash = lastSlash ? lastSlash - path.data() : -1;
            const QByteArrayView folder = slash < 0 ? QByteArrayView() : path.first(slash + 1);
            tree.addFolderPath(folder);
            if (tree.stopped()) {
                out.stopped = true;
                return out;
            }
            // The top folder comes from the last line whose path holds a
            // "\": a footer line or a loose entry names no top folder.
            if (slash >= 0) {
                const char *firstSlash =
                    static_cast<const char *>(std::memchr(path.data(), '\\', size_t(slash + 1)));
                lastTop = path.first(firstSlash - path.data());
                haveTop = true;
            }
        }

        p = lineEnd;
        if (p < end) {
            if (*p == '\r' && p + 1 < end && p[1] == '\n')
                p += 2;
            else
                ++p;
        }
        // Every 4,096 lines, and after every long stretch of bytes: one line
        // may be many megabytes long.
        if (((lines.size() & 0xFFF) == 0 || p - lastStopCheck > (1 << 20)) && options.stop) {
            lastStopCheck = p;
            if (options.stop->load()) {
                out.stopped = true;
                return out;
            }
        }
        if ((lines.size() & 0xFFF) == 0 && gate.due()) {
            progress.lines = qint32(lines.size());
            progress.folders = tree.distinctFolderPaths();
            progress.total = total;
            progress.bytesDone = p - base;
            gate.send(progress);
        }
    }

    out.lineCount = qint32(lines.size());
    out.folderCount = tree.distinctFolderPaths();
    out.totalSize = total;
    out.hasTopComponent = haveTop;
    if (haveTop) {
        out.lastTopComponent = decodeListText(lastTop, input.encoding);
        out.lastTopBytes = lastTop.toByteArray();
    }

    progress.phase = LoadProgress::Phase::LinesRead;
    progress.lines = out.lineCount;
    progress.folders = out.folderCount;
    progress.total = total;
    progress.bytesDone = bytes.size();
    gate.send(progress);

    FolderTree sortedTree;
    const QLocale collation = options.collationLocale;
    auto sortTree = [&] { sortedTree = tree.finish(collation); };
    progress.phase = LoadProgress::Phase::SortingLines;
    gate.send(progress);
    sortLines(bytes, lines, options.parallel, sortTree);

    if (tree.stopped()) {
        out = LoadedList();
        out.fileFound = true;
        out.stopped = true;
        return out;
    }
    if (!lines.empty())
        out.SftTree1 = std::move(sortedTree);
    out.iGrid1 = LineStore(bytes, std::move(lines), input.encoding);

    progress.phase = LoadProgress::Phase::Finished;
    gate.send(progress);
    return out;
}

} // namespace

LoadedList loadListBytes(ListBytes input, const LoadOptions &options)
{
    const bool fileFound = input.fileFound;
    try {
        return loadBytes(std::move(input), options);
    } catch (const std::bad_alloc &) {
        return outOfMemory(fileFound);
    }
}

LoadedList loadList(const QString &path, const LoadOptions &options)
try {
    ListBytes bytes;
    {
        ProgressGate gate(options);
        LoadProgress progress;
        progress.phase = LoadProgress::Phase::Reading;
        bytes = readListFile(path, [&](qint64 done, qint64 total) {
            if (options.stop && options.stop->load())
                return false;
            if (gate.due()) {
                progress.bytesDone = done;
                progress.bytesTotal = total;
                gate.send(progress);
            }
            return true;
        });
    }
    if (options.stop && options.stop->load()) {
        LoadedList out;
        out.fileFound = bytes.fileFound;
        out.stopped = true;
        return out;
    }
    return loadListBytes(std::move(bytes), options);
} catch (const std::bad_alloc &) {
    return outOfMemory(true);
}

} // namespace corvane
