#include "ListReader.h"

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
            m_transcoder.feed(m_scratch.constData(), got);
            return;
        }
        m_used += got;
        if (!m_decided && m_used >= 4096)
            decide();
    }

    void finish()
    {
        if (!m_decided)
            decide();
        if (m_utf16) {
            m_transcoder.finish();
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

private:
    void decide()
    {
        m_decided = true;
        const QByteArrayView head(m_result.bytes.constData(), m_used);
        const SniffedEncoding sniffed =
            sniffEncoding(head.first(qMin<qsizetype>(head.size(), 8192)));
        if (sniffed != SniffedEncoding::Utf16LE && sniffed != SniffedEncoding::Utf16BE)
            return;
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
    qint64 m_used = 0;
    qint64 m_expected = -1;
    bool m_decided = false;
    bool m_utf16 = false;
};

QString reasonText(int err)
{
    return QString::fromLocal8Bit(std::strerror(err));
}

} // namespace

ListBytes readListFile(const QString &path, const ReadProgress &progress)
{
    ListBytes result;
    const QByteArray native = QFile::encodeName(path);
    // O_NONBLOCK: opening a FIFO must not wait for a writer.
    const int fd = ::open(native.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        const int err = errno;
        result.fileFound = err != ENOENT && err != ENOTDIR && QFileInfo(path).isFile();
        result.error = err == ENOENT ? u"the file does not exist"_s : reasonText(err);
        return result;
    }
    struct stat st
    {};
    if (::fstat(fd, &st) != 0) {
        result.error = reasonText(errno);
        ::close(fd);
        return result;
    }
    if (S_ISDIR(st.st_mode)) {
        result.error = u"it is a folder, not a file list"_s;
        ::close(fd);
        return result;
    }
    if (!S_ISREG(st.st_mode)) {
        result.error = u"it is not a regular file"_s;
        ::close(fd);
        return result;
    }
    result.fileFound = true;
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0)
        ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
#ifdef POSIX_FADV_SEQUENTIAL
    ::posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);
#endif

    const qint64 expected = qint64(st.st_size);
    ListByteSink sink(result);
    sink.setExpectedSize(expected);
    // Reserve the whole file at once when its size is known; a file that
    // grows while it is read is still read to its end.
    if (expected > 0)
        result.bytes.reserve(expected + 1);
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
            result.error = reasonText(errno);
            break;
        }
        if (got == 0) {
            reachedEnd = true;
            break;
        }
        sink.commit(got);
        done += got;
        if (progress && !progress(done, expected))
            break;
    }
    // Stopped early (through progress), nothing is claimed about the file.
    if (result.error.isEmpty() && reachedEnd) {
        struct stat after
        {};
        const bool same = ::fstat(fd, &after) == 0 && after.st_size == st.st_size &&
                          after.st_mtim.tv_sec == st.st_mtim.tv_sec &&
                          after.st_mtim.tv_nsec == st.st_mtim.tv_nsec && done == expected;
        if (!same) {
            result.changedWhileRead = true;
            result.error = changedWhileReadText();
        }
    }
    ::close(fd);
    sink.finish();
    if (result.changedWhileRead) {
        // The last line may have been cut where the file ended: leave it out.
        const qsizetype lastBreak =
            qMax(result.bytes.lastIndexOf('\n'), result.bytes.lastIndexOf('\r'));
        result.bytes.truncate(lastBreak + 1);
    }
    return result;
}

QString changedWhileReadText()
{
    return u"the file changed while it was read"_s;
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
        if (progress && !progress(done, expected))
            break;
    }
    sink.finish();
    return result;
}

// ---- ListChunkReader -------------------------------------------------------

namespace {

// A pass over the pieces may look at each several times: a piece that stays
// in the processor's cache is read from memory once.
constexpr qint64 PieceSize = 1 << 20;

} // namespace

struct ListChunkReader::State
{
    int fd = -1;
    QByteArray buf;     // bytes read and not handed out yet start at pos
    qsizetype pos = 0;  // first byte not handed out
    qsizetype size = 0; // valid bytes in buf
    QByteArray raw;     // UTF-16LE bytes as read, before transcoding
    std::unique_ptr<Utf16Transcoder> utf16;
    QByteArray utf8; // the transcoder's output, moved into buf
    bool sniffed = false;
    bool decided = false; // UTF-8 or Windows-1252 is settled
    bool atStart = true;  // nothing handed out yet (for the byte-order mark)
    bool eof = false;
    ListEncoding encoding = ListEncoding::Windows1252;
    bool fileFound = false;
    QString error;
    qint64 read = 0;
    qint64 expected = -1;

    ~State()
    {
        if (fd >= 0)
            ::close(fd);
    }

    // Reads one more block onto the end of buf; sets eof at the end.
    void readMore()
    {
        if (pos > 0) {
            std::memmove(buf.data(), buf.constData() + pos, size_t(size - pos));
            size -= pos;
            pos = 0;
        }
        const bool transcoding = utf16 != nullptr;
        QByteArray &target = transcoding ? raw : buf;
        const qsizetype at = transcoding ? 0 : size;
        if (target.size() < at + PieceSize)
            target.resize(at + PieceSize);
        ssize_t got;
        do {
            got = ::read(fd, target.data() + at, size_t(PieceSize));
        } while (got < 0 && errno == EINTR);
        if (got < 0) {
            error = reasonText(errno);
            eof = true;
            return;
        }
        if (got == 0) {
            eof = true;
            if (utf16) {
                utf16->finish();
                append(utf8);
            }
            if (expected >= 0 && read < expected)
                error = u"the file became shorter while it was read"_s;
            return;
        }
        read += got;
        if (utf16) {
            utf16->feed(raw.constData(), got);
            append(utf8);
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
    }

    void append(QByteArray &bytes)
    {
        if (bytes.isEmpty())
            return;
        if (buf.size() < size + bytes.size())
            buf.resize(size + bytes.size());
        std::memcpy(buf.data() + size, bytes.constData(), size_t(bytes.size()));
        size += bytes.size();
        bytes.resize(0);
    }

    // The end of the last whole line in [pos, size), or -1.
    qsizetype lastCut() const
    {
        const char *b = buf.constData();
        const auto *lf = static_cast<const char *>(::memrchr(b + pos, '\n', size_t(size - pos)));
        // A CR at the very end may be the first half of CR LF.
        const auto *cr =
            size - 1 > pos
                ? static_cast<const char *>(::memrchr(b + pos, '\r', size_t(size - 1 - pos)))
                : nullptr;
        const char *last = lf && (!cr || lf > cr) ? lf : cr;
        return last ? (last - b) + 1 : -1;
    }
};

ListChunkReader::ListChunkReader() : d(std::make_unique<State>())
{}

ListChunkReader::~ListChunkReader() = default;

bool ListChunkReader::open(const QString &path)
{
    d = std::make_unique<State>();
    const QByteArray native = QFile::encodeName(path);
    const int fd = ::open(native.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        const int err = errno;
        d->fileFound = err != ENOENT && err != ENOTDIR && QFileInfo(path).isFile();
        d->error = err == ENOENT ? u"the file does not exist"_s : reasonText(err);
        d->eof = true;
        return false;
    }
    d->fd = fd;
    struct stat st
    {};
    if (::fstat(fd, &st) != 0)
        d->error = reasonText(errno);
    else if (S_ISDIR(st.st_mode))
        d->error = u"it is a folder, not a file list"_s;
    else if (!S_ISREG(st.st_mode))
        d->error = u"it is not a regular file"_s;
    if (!d->error.isEmpty()) {
        d->eof = true;
        return false;
    }
    d->fileFound = true;
    d->expected = qint64(st.st_size);
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0)
        ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
#ifdef POSIX_FADV_SEQUENTIAL
    ::posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);
#endif
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

} // namespace corvane
