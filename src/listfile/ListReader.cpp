#include "ListReader.h"

#include "util/SystemError.h"

#include <QFile>
#include <QFileInfo>
#include <QIODevice>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace corvane {

namespace {

// How much text around the first non-ASCII bytes decides the encoding.
constexpr qsizetype EncodingSample = 65536;

// The first byte in [from, to) with its high bit set, or -1.
qsizetype firstNonAscii(const char *data, qsizetype from, qsizetype to)
{
    const auto *p = reinterpret_cast<const unsigned char *>(data);
    qsizetype i = from;
    while (i + 8 <= to) {
        quint64 w;
        std::memcpy(&w, p + i, 8);
        if (w & 0x8080808080808080ULL)
            break;
        i += 8;
    }
    while (i < to && !(p[i] & 0x80))
        ++i;
    return i < to ? i : -1;
}

// The encoding of 8-bit list text, decided by the bytes from just before its
// first non-ASCII byte (at `first`, never before `lowest`): UTF-8 when they
// read as UTF-8, Windows-1252 otherwise.
ListEncoding eightBitEncodingAt(QByteArrayView bytes, qsizetype first, qsizetype lowest = 0)
{
    const qsizetype from = qMax(lowest, first - 64);
    const QByteArrayView sample = bytes.sliced(from, qMin(bytes.size() - from, EncodingSample));
    // Skip a UTF-8 continuation that the sample may have cut at its start.
    qsizetype skip = 0;
    while (skip < sample.size() && skip < 3 && (uchar(sample[skip]) & 0xC0) == 0x80)
        ++skip;
    return sniffEncoding(sample.sliced(skip)) == SniffedEncoding::Utf8 ? ListEncoding::Utf8
                                                                       : ListEncoding::Windows1252;
}

constexpr qint64 ChunkSize = 4 << 20;

// Streams UTF-16 bytes (little- or big-endian) into UTF-8, chunk by chunk:
// an odd byte or a lead surrogate at the end of a chunk waits for the next
// one. Unpaired surrogates become U+FFFD.
class Utf16Transcoder
{
public:
    explicit Utf16Transcoder(QByteArray &out) : m_out(out) {}
    void setBigEndian(bool big) { m_big = big; }

    void feed(const char *data, qint64 size)
    {
        const auto *p = reinterpret_cast<const unsigned char *>(data);
        const auto *end = p + size;
        if (m_hasOdd && p < end) {
            unit(m_big ? char16_t((m_oddByte << 8) | *p) : char16_t(m_oddByte | (*p << 8)));
            ++p;
            m_hasOdd = false;
        }
        if (m_big) {
            for (; end - p >= 2; p += 2)
                unit(char16_t((p[0] << 8) | p[1]));
        } else {
            for (; end - p >= 2; p += 2)
                unit(char16_t(p[0] | (p[1] << 8)));
        }
        if (p < end) {
            m_oddByte = *p;
            m_hasOdd = true;
        }
    }

    void finish()
    {
        if (m_lead) {
            put(0xFFFD);
            m_lead = 0;
        }
        if (m_hasOdd) {
            put(0xFFFD);
            m_hasOdd = false;
        }
    }

private:
    void unit(char16_t u)
    {
        if (m_lead) {
            if (u >= 0xDC00 && u <= 0xDFFF) {
                put(0x10000 + ((char32_t(m_lead) - 0xD800) << 10) + (u - 0xDC00));
                m_lead = 0;
                return;
            }
            put(0xFFFD);
            m_lead = 0;
        }
        if (u >= 0xD800 && u <= 0xDBFF) {
            m_lead = u;
            return;
        }
        if (u >= 0xDC00 && u <= 0xDFFF) {
            put(0xFFFD);
            return;
        }
        put(u);
    }

    void put(char32_t c)
    {
        if (c < 0x80) {
            m_out.append(char(c));
        } else if (c < 0x800) {
            const char b[2] = {char(0xC0 | (c >> 6)), char(0x80 | (c & 0x3F))};
            m_out.append(b, 2);
        } else if (c < 0x10000) {
            const char b[3] = {char(0xE0 | (c >> 12)), char(0x80 | ((c >> 6) & 0x3F)),
                               char(0x80 | (c & 0x3F))};
            m_out.append(b, 3);
        } else {
            const char b[4] = {char(0xF0 | (c >> 18)), char(0x80 | ((c >> 12) & 0x3F)),
                               char(0x80 | ((c >> 6) & 0x3F)), char(0x80 | (c & 0x3F))};
            m_out.append(b, 4);
        }
    }

    QByteArray &m_out;
    char16_t m_lead = 0;
    unsigned char m_oddByte = 0;
    bool m_hasOdd = false;
    bool m_big = false;
};

// Watches the bytes of a file as they are handed on for a line longer than
// MaxListLineBytes: each byte is looked at a bounded number of times, however
// long the lines.
class LineRunGuard
{
public:
    // False once more than MaxListLineBytes bytes in a row held no CR or LF.
    bool feed(const char *data, qsizetype size)
    {
        if (size <= 0 || !ok())
            return ok();
        if (m_run + size > MaxListLineBytes) {
            // The run so far may go on too long into these bytes: it must
            // end within the room left to it.
            const qsizetype room = MaxListLineBytes - m_run + 1;
            if (!std::memchr(data, '\n', size_t(room)) && !std::memchr(data, '\r', size_t(room))) {
                m_tooLongFrom = m_fed - m_run;
                return false;
            }
        }
        const auto *lf = static_cast<const char *>(::memrchr(data, '\n', size_t(size)));
        const char *from = lf ? lf + 1 : data;
        const auto *cr =
            static_cast<const char *>(::memrchr(from, '\r', size_t(data + size - from)));
        const char *last = cr ? cr : lf;
        m_run = last ? (data + size) - (last + 1) : m_run + size;
        m_fed += size;
        m_sawLineEnd = m_sawLineEnd || last;
        return true;
    }
    bool ok() const { return m_tooLongFrom < 0; }
    // Where the line that is too long begins, among the bytes fed.
    qint64 tooLongFrom() const { return m_tooLongFrom; }
    bool sawLineEnd() const { return m_sawLineEnd; }

private:
    qint64 m_run = 0; // bytes since the last line end
    qint64 m_fed = 0;
    qint64 m_tooLongFrom = -1;
    bool m_sawLineEnd = false;
};

// Collects bytes as they are read: 8-bit text straight into the result,
// UTF-16LE (recognised on the first bytes) transcoded as it comes.
class ListByteSink
{
public:
    explicit ListByteSink(ListBytes &result) : m_result(result), m_transcoder(m_utf8) {}

    // A buffer to read up to `want` bytes into.
    char *space(qint64 want)
    {
        QByteArray &buf = m_utf16 ? m_scratch : m_result.bytes;
        if (m_utf16)
            m_used = 0;
        if (buf.size() < m_used + want)
            buf.resize(m_used + want);
        return buf.data() + m_used;
    }

    void commit(qint64 got)
    {
        if (m_utf16) {
            const qsizetype before = m_utf8.size();
            m_transcoder.feed(m_scratch.constData(), got);
            m_guard.feed(m_utf8.constData() + before, m_utf8.size() - before);
            return;
        }
        m_used += got;
        if (m_decided)
            m_guard.feed(m_result.bytes.constData() + m_used - got, got);
        else if (m_used >= 4096)
            decide();
    }

    // A line longer than MaxListLineBytes has come: the reading ends.
    bool lineTooLong() const { return !m_guard.ok(); }
    // After finish(): leaves out that line and everything after it.
    void dropTooLongLine()
    {
        if (lineTooLong())
            m_result.bytes.truncate(m_guard.tooLongFrom());
    }
    // A line end has come: the bytes are text with lines.
    bool sawLineEnd() const { return m_guard.sawLineEnd(); }
    // Room for the rest of a file of this size, once it is known to hold
    // lines (a file of zeros gets none: it ends at its first long run).
    void reserve(qint64 size)
    {
        if (!m_utf16 && size > m_result.bytes.capacity())
            m_result.bytes.reserve(size);
    }

    void finish()
    {
        if (!m_decided)
            decide();
        if (m_utf16) {
            const qsizetype before = m_utf8.size();
            m_transcoder.finish();
            m_guard.feed(m_utf8.constData() + before, m_utf8.size() - before);
            m_result.bytes = std::move(m_utf8);
            m_result.encoding = ListEncoding::Utf8;
            m_scratch = QByteArray();
        } else {
            m_result.bytes.resize(m_used);
            // Give back room only when much was reserved in vain (a file
            // that shrank): squeezing copies the whole buffer.
            if (m_result.bytes.capacity() - m_used > m_used / 8 + (1 << 20))
                m_result.bytes.squeeze();
            settleEightBit(m_result);
        }
    }

    // The file's size, when known: room for the transcoded text is made once.
    void setExpectedSize(qint64 size) { m_expected = size; }
    void setEncoding(ListFileEncoding as) { m_as = as; }

private:
    void decide()
    {
        m_decided = true;
        const QByteArrayView head(m_result.bytes.constData(), m_used);
        const SniffedEncoding sniffed =
            m_as == ListFileEncoding::Utf16LE
                ? SniffedEncoding::Utf16LE
                : sniffEncoding(head.first(qMin<qsizetype>(head.size(), 8192)));
        if (sniffed != SniffedEncoding::Utf16LE && sniffed != SniffedEncoding::Utf16BE) {
            m_guard.feed(head.data(), head.size());
            return;
        }
        m_utf16 = true;
        const bool big = sniffed == SniffedEncoding::Utf16BE;
        m_transcoder.setBigEndian(big);
        if (m_expected > 0)
            m_utf8.reserve(m_expected / 2 + 64);
        qsizetype skip = 0;
        if (head.size() >= 2 && uchar(head[0]) == (big ? 0xFE : 0xFF) &&
            uchar(head[1]) == (big ? 0xFF : 0xFE))
            skip = 2; // a byte-order mark is not part of the first line
        m_transcoder.feed(head.data() + skip, head.size() - skip);
        m_guard.feed(m_utf8.constData(), m_utf8.size());
        m_result.bytes = QByteArray();
        m_used = 0;
    }

    static void settleEightBit(ListBytes &list)
    {
        // The first non-ASCII bytes decide between UTF-8 and Windows-1252.
        const QByteArrayView all(list.bytes);
        const qsizetype i = firstNonAscii(all.data(), 0, all.size());
        list.encoding = i < 0 ? ListEncoding::Windows1252 : eightBitEncodingAt(all, i);
    }

    ListBytes &m_result;
    QByteArray m_utf8;
    QByteArray m_scratch;
    Utf16Transcoder m_transcoder;
    LineRunGuard m_guard;
    qint64 m_used = 0;
    qint64 m_expected = -1;
    ListFileEncoding m_as = ListFileEncoding::Recognise;
    bool m_decided = false;
    bool m_utf16 = false;
};

} // namespace

OpenedList openListFile(const QString &path)
{
    OpenedList opened;
    const QByteArray native = QFile::encodeName(path);
    const int fd = ::open(native.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        const int err = errno;
        opened.fileFound = err != ENOENT && err != ENOTDIR && QFileInfo(path).isFile();
        opened.error = err == ENOENT ? u"the file does not exist"_s : systemErrorText(err);
        return opened;
    }
    if (::fstat(fd, &opened.atOpen) != 0)
        opened.error = systemErrorText(errno);
    else if (S_ISDIR(opened.atOpen.st_mode))
        opened.error = u"it is a folder, not a file list"_s;
    else if (!S_ISREG(opened.atOpen.st_mode))
        opened.error = u"it is not a regular file"_s;
    if (!opened.error.isEmpty()) {
        ::close(fd);
        return opened;
    }
    opened.fd = fd;
    opened.fileFound = true;
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0)
        ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
#ifdef POSIX_FADV_SEQUENTIAL
    ::posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);
#endif
    return opened;
}

namespace {

// The one rule for a file that changed while it was read (see readListFile):
// asked once the reading has come to the file's end.
bool changedSinceOpen(int fd, const struct stat &atOpen, qint64 bytesRead)
{
    struct stat now
    {};
    return bytesRead != qint64(atOpen.st_size) || ::fstat(fd, &now) != 0 ||
           now.st_size != atOpen.st_size || now.st_mtim.tv_sec != atOpen.st_mtim.tv_sec ||
           now.st_mtim.tv_nsec != atOpen.st_mtim.tv_nsec;
}

// Leaves out a last line that the reading may have cut.
void dropUnfinishedLine(QByteArray &bytes)
{
    const qsizetype lastBreak = qMax(bytes.lastIndexOf('\n'), bytes.lastIndexOf('\r'));
    bytes.truncate(lastBreak + 1);
}

} // namespace

ListBytes readListFile(const QString &path, const ReadProgress &progress, ListFileEncoding as)
{
    ListBytes result;
    const OpenedList opened = openListFile(path);
    result.fileFound = opened.fileFound;
    result.error = opened.error;
    if (opened.fd < 0)
        return result;
    const int fd = opened.fd;

    const qint64 expected = qint64(opened.atOpen.st_size);
    ListByteSink sink(result);
    sink.setExpectedSize(expected);
    sink.setEncoding(as);
    // Room for the whole file is made at once when it shows lines; a file
    // that grows while it is read is still read to its end.
    bool reserved = false;
    qint64 done = 0;
    bool reachedEnd = false;
    for (;;) {
        qint64 want = ChunkSize;
        if (expected > done && expected - done < want)
            want = expected - done;
        if (want <= 0)
            want = ChunkSize;
        char *dst = sink.space(want);
        const ssize_t got = ::read(fd, dst, size_t(want));
        if (got < 0) {
            if (errno == EINTR)
                continue;
            result.error = systemErrorText(errno);
            break;
        }
        if (got == 0) {
            reachedEnd = true;
            break;
        }
        sink.commit(got);
        done += got;
        if (sink.lineTooLong())
            break;
        if (!reserved && sink.sawLineEnd() && expected > done) {
            reserved = true;
            sink.reserve(expected + 1);
        }
        if (progress && !progress(done, expected))
            break;
    }
    // Stopped early (through progress), nothing is claimed about the file.
    if (result.error.isEmpty() && reachedEnd && changedSinceOpen(fd, opened.atOpen, done)) {
        result.changedWhileRead = true;
        result.error = changedWhileReadText();
    }
    ::close(fd);
    sink.finish();
    if (sink.lineTooLong()) {
        result.changedWhileRead = false;
        result.error = lineTooLongText();
        sink.dropTooLongLine();
    } else if (result.changedWhileRead) {
        dropUnfinishedLine(result.bytes);
    }
    return result;
}

QString changedWhileReadText()
{
    return u"the file changed while it was read"_s;
}

QString lineTooLongText()
{
    return u"it holds a line longer than %1 MB: it is not a file list"_s.arg(MaxListLineBytes >>
                                                                             20);
}

ListBytes readListDevice(QIODevice &device, const ReadProgress &progress)
{
    ListBytes result;
    if (!device.isOpen() && !device.open(QIODevice::ReadOnly)) {
        result.error = device.errorString();
        return result;
    }
    result.fileFound = true;
    const qint64 expected = device.isSequential() ? -1 : device.size();
    ListByteSink sink(result);
    sink.setExpectedSize(expected);
    qint64 done = 0;
    for (;;) {
        char *dst = sink.space(ChunkSize);
        const qint64 got = device.read(dst, ChunkSize);
        if (got < 0) {
            result.error = device.errorString();
            break;
        }
        if (got == 0 && (device.atEnd() || !device.waitForReadyRead(-1)))
            break;
        sink.commit(got);
        done += got;
        if (sink.lineTooLong())
            break;
        if (progress && !progress(done, expected))
            break;
    }
    sink.finish();
    if (sink.lineTooLong()) {
        result.error = lineTooLongText();
        sink.dropTooLongLine();
    }
    return result;
}

// ---- ListChunkReader -------------------------------------------------------

namespace {

// A pass over the pieces may look at each several times: a piece that stays
// in the processor's cache is read from memory once.
constexpr qsizetype PieceSize = 1 << 20;

} // namespace

struct ListChunkReader::State
{
    int fd = -1;
    struct stat atOpen
    {};
    QByteArray buf;     // bytes read and not handed out yet start at pos
    qsizetype pos = 0;  // first byte not handed out
    qsizetype size = 0; // valid bytes in buf
    // [pos, scanned) holds no line end: the next look for one starts there
    // (a CR at the very end is looked at again, it may be half of CR LF).
    qsizetype scanned = 0;
    QByteArray raw; // UTF-16LE bytes as read, before transcoding
    std::unique_ptr<Utf16Transcoder> utf16;
    QByteArray utf8; // the transcoder's output, moved into buf
    LineRunGuard guard;
    bool sniffed = false;
    bool decided = false; // UTF-8 or Windows-1252 is settled
    bool atStart = true;  // nothing handed out yet (for the byte-order mark)
    bool eof = false;
    ListEncoding encoding = ListEncoding::Windows1252;
    bool fileFound = false;
    QString error;
    qint64 read = 0;
    qint64 expected = -1;
    qsizetype largest = 0;

    ~State()
    {
        if (fd >= 0)
            ::close(fd);
    }

    // Makes room for `more` bytes after `at` in target: doubling, but never
    // far past what the longest line allowed needs.
    static void makeRoom(QByteArray &target, qsizetype at, qsizetype more)
    {
        const qsizetype need = at + more;
        if (target.size() >= need)
            return;
        if (need > target.capacity())
            target.reserve(
                qMax(need, qMin(2 * target.capacity(), MaxListLineBytes + 2 * PieceSize)));
        target.resize(need);
    }

    // Takes bytes newly put at [from, size) of buf: the longest line is
    // watched.
    void took(qsizetype from)
    {
        largest = qMax(largest, buf.capacity() + raw.capacity() + utf8.capacity());
        if (!guard.feed(buf.constData() + from, size - from)) {
            error = lineTooLongText();
            eof = true;
        }
    }

    // Reads one more block onto the end of buf; sets eof at the end.
    void readMore()
    {
        if (pos > 0) {
            std::memmove(buf.data(), buf.constData() + pos, size_t(size - pos));
            size -= pos;
            scanned = qMax<qsizetype>(0, scanned - pos);
            pos = 0;
        }
        const qsizetype before = size;
        const bool transcoding = utf16 != nullptr;
        QByteArray &target = transcoding ? raw : buf;
        const qsizetype at = transcoding ? 0 : size;
        makeRoom(target, at, PieceSize);
        ssize_t got;
        do {
            got = ::read(fd, target.data() + at, size_t(PieceSize));
        } while (got < 0 && errno == EINTR);
        if (got < 0) {
            error = systemErrorText(errno);
            eof = true;
            return;
        }
        if (got == 0) {
            eof = true;
            if (utf16) {
                utf16->finish();
                append(utf8);
            }
            if (changedSinceOpen(fd, atOpen, read))
                error = changedWhileReadText();
            else
                took(before);
            return;
        }
        read += got;
        if (read > expected) {
            // More bytes than the file had: it changed, whatever the end.
            error = changedWhileReadText();
            eof = true;
            return;
        }
        if (utf16) {
            utf16->feed(raw.constData(), got);
            append(utf8);
            took(before);
            return;
        }
        size += got;
        if (!sniffed) {
            sniffed = true;
            const QByteArrayView head(buf.constData(), qMin<qsizetype>(size, 8192));
            const SniffedEncoding sniffedAs = sniffEncoding(head);
            if (sniffedAs == SniffedEncoding::Utf16LE || sniffedAs == SniffedEncoding::Utf16BE) {
                // From here on the file is transcoded as it comes.
                const bool big = sniffedAs == SniffedEncoding::Utf16BE;
                utf16 = std::make_unique<Utf16Transcoder>(utf8);
                utf16->setBigEndian(big);
                encoding = ListEncoding::Utf8;
                decided = true;
                const uchar bom0 = big ? 0xFE : 0xFF;
                const uchar bom1 = big ? 0xFF : 0xFE;
                const qsizetype skip =
                    size >= 2 && uchar(buf[0]) == bom0 && uchar(buf[1]) == bom1 ? 2 : 0;
                utf16->feed(buf.constData() + skip, size - skip);
                size = 0;
                append(utf8);
            }
        }
        took(before);
    }

    void append(QByteArray &bytes)
    {
        if (bytes.isEmpty())
            return;
        makeRoom(buf, size, bytes.size());
        std::memcpy(buf.data() + size, bytes.constData(), size_t(bytes.size()));
        size += bytes.size();
        bytes.resize(0);
    }

    // The end of the last whole line in [pos, size), or -1. Only the bytes
    // not looked at before are looked at.
    qsizetype lastCut()
    {
        const char *b = buf.constData();
        const qsizetype from = qMax(pos, scanned);
        const auto *lf =
            size > from ? static_cast<const char *>(::memrchr(b + from, '\n', size_t(size - from)))
                        : nullptr;
        // A CR at the very end may be the first half of CR LF.
        const char *crFrom = lf ? lf + 1 : b + from;
        const char *crEnd = b + size - 1;
        const auto *cr =
            crEnd > crFrom
                ? static_cast<const char *>(::memrchr(crFrom, '\r', size_t(crEnd - crFrom)))
                : nullptr;
        scanned = qMax(pos, size - 1);
        const char *last = cr ? cr : lf;
        return last ? (last - b) + 1 : -1;
    }
};

ListChunkReader::ListChunkReader() : d(std::make_unique<State>())
{}

ListChunkReader::~ListChunkReader() = default;

bool ListChunkReader::open(const QString &path)
{
    d = std::make_unique<State>();
    const OpenedList opened = openListFile(path);
    d->fileFound = opened.fileFound;
    d->error = opened.error;
    if (opened.fd < 0) {
        d->eof = true;
        return false;
    }
    d->fd = opened.fd;
    d->atOpen = opened.atOpen;
    d->expected = qint64(opened.atOpen.st_size);
    return true;
}

QByteArrayView ListChunkReader::next()
{
    State &s = *d;
    if (s.fd < 0 || !s.error.isEmpty())
        return {};
    for (;;) {
        qsizetype cut = s.eof ? s.size : s.lastCut();
        if (cut > s.pos && !s.decided) {
            const qsizetype i = firstNonAscii(s.buf.constData(), s.pos, cut);
            if (i >= 0 && s.size - i < EncodingSample && !s.eof) {
                s.readMore(); // the first non-ASCII bytes decide: read enough of them
                if (!s.error.isEmpty())
                    return {};
                continue;
            }
            if (i >= 0) {
                s.decided = true;
                s.encoding =
                    eightBitEncodingAt(QByteArrayView(s.buf.constData(), s.size), i, s.pos);
            }
        }
        if (cut > s.pos) {
            qsizetype from = s.pos;
            if (s.atStart && s.encoding == ListEncoding::Utf8 && cut - from >= 3 &&
                std::memcmp(s.buf.constData() + from, "\xEF\xBB\xBF", 3) == 0)
                from += 3;
            s.atStart = false;
            s.pos = cut;
            return QByteArrayView(s.buf.constData() + from, cut - from);
        }
        if (s.eof)
            return {};
        s.readMore();
        if (!s.error.isEmpty())
            return {};
    }
}

ListEncoding ListChunkReader::encoding() const
{
    return d->encoding;
}

bool ListChunkReader::fileFound() const
{
    return d->fileFound;
}

QString ListChunkReader::error() const
{
    return d->error;
}

qint64 ListChunkReader::bytesRead() const
{
    return d->read;
}

qint64 ListChunkReader::expectedSize() const
{
    return d->expected;
}

qsizetype ListChunkReader::largestBuffer() const
{
    return d->largest;
}

} // namespace corvane
