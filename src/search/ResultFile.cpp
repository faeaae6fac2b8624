#include "ResultFile.h"

#include "WildcardPattern.h"
#include "listfile/ByteScan.h"
#include "listfile/SaveTarget.h"
#include "util/SystemError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

using namespace Qt::Literals::StringLiterals;

namespace corvane {

namespace {

constexpr qsizetype FlushSize = 1 << 20;

// ASCII bytes widened to UTF-16LE.
void widenAscii(char *out, const char *in, qsizetype n)
{
    qsizetype i = 0;
#ifdef __SSE2__
    const __m128i zero = _mm_setzero_si128();
    for (; i + 16 <= n; i += 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i *>(in + i));
        _mm_storeu_si128(reinterpret_cast<__m128i *>(out + 2 * i), _mm_unpacklo_epi8(v, zero));
        _mm_storeu_si128(reinterpret_cast<__m128i *>(out + 2 * i + 16), _mm_unpackhi_epi8(v, zero));
    }
#endif
    for (; i < n; ++i) {
        out[2 * i] = in[i];
        out[2 * i + 1] = 0;
    }
}

} // namespace

QString decodeLine(QByteArrayView line, ListEncoding encoding)
{
    if (encoding == ListEncoding::Windows1252 || isAsciiBytes(line))
        return decodeListText(line, encoding);
    // Field by field, as the views decode them: a field that is not valid
    // UTF-8 reads as Windows-1252 without spoiling the others.
    QString out;
    out.reserve(line.size());
    qsizetype start = 0;
    for (;;) {
        const qsizetype comma = line.indexOf(',', start);
        const qsizetype end = comma < 0 ? line.size() : comma;
        out += decodeListText(line.sliced(start, end - start), encoding);
        if (comma < 0)
            break;
        out += u',';
        start = comma + 1;
    }
    return out;
}

void appendUtf16Line(QByteArray &out, QByteArrayView line, ListEncoding encoding)
{
    const qsizetype at = out.size();
    if (isAsciiBytes(line)) {
        out.resize(at + 2 * line.size() + 4);
        widenAscii(out.data() + at, line.data(), line.size());
    } else if (encoding == ListEncoding::Windows1252) {
        // One code unit per byte, straight from the code page's table.
        out.resize(at + 2 * line.size() + 4);
        char *d = out.data() + at;
        const auto *p = reinterpret_cast<const unsigned char *>(line.data());
        const char32_t *table = cp1252::decodeTable();
        for (qsizetype i = 0; i < line.size(); ++i) {
            const char32_t u = table[p[i]];
            d[2 * i] = char(u & 0xFF);
            d[2 * i + 1] = char(u >> 8);
        }
    } else {
        const QString text = decodeLine(line, encoding);
        out.resize(at + 2 * text.size() + 4);
        char *d = out.data() + at;
        for (qsizetype i = 0; i < text.size(); ++i) {
            const char16_t u = text.at(i).unicode();
            d[2 * i] = char(u & 0xFF);
            d[2 * i + 1] = char(u >> 8);
        }
    }
    char *tail = out.data() + out.size() - 4;
    tail[0] = '\r';
    tail[1] = 0;
    tail[2] = '\n';
    tail[3] = 0;
}

QString resultFilePath(const QString &dataFolder)
{
    return QDir(dataFolder).filePath(u"tFile.csv"_s);
}

QString resultFilePathFor(const QString &dataFolder, const QString &listPath)
{
    QString usual = resultFilePath(dataFolder);
    if (!isSameFile(usual, listPath))
        return usual;
    return QDir(dataFolder).filePath(u"tFile-2.csv"_s);
}

ResultFileWriter::ResultFileWriter(const QString &path) : m_path(path)
{}

ResultFileWriter::~ResultFileWriter()
{
    abandon();
}

bool ResultFileWriter::open()
{
    const QFileInfo info(m_path);
    // The file takes the place of what is there by a rename: a device, a pipe
    // or a socket of that name would be replaced by it, so it is refused. A
    // link is replaced as a link (what it leads to is never written); a
    // caller that means to write through a link resolves it first.
    const SaveTarget target = resolveSaveTarget(m_path, SaveLinks::Replace);
    if (!target.ok()) {
        m_error = u"the search result file cannot be written: "_s +
                  target.refusal(QDir::toNativeSeparators(m_path));
        return false;
    }
    m_tempPath = QFile::encodeName(info.absolutePath() + u"/."_s + info.fileName() + u".XXXXXX"_s);
    m_fd = ::mkostemp(m_tempPath.data(), O_CLOEXEC);
    if (m_fd < 0) {
        m_error = u"the search result file cannot be created in %1: %2"_s.arg(
            QDir::toNativeSeparators(info.absolutePath()), systemErrorText(errno));
        m_tempPath.clear();
        return false;
    }
    ::fchmod(m_fd, 0644);
    m_buffer.reserve(FlushSize + 65536);
    return true;
}

bool ResultFileWriter::add(QByteArrayView line, ListEncoding encoding)
{
    if (m_fd < 0 || !m_error.isEmpty())
        return false;
    appendUtf16Line(m_buffer, line, encoding);
    ++m_linesInBuffer;
    return m_buffer.size() < FlushSize || flush();
}

bool ResultFileWriter::flush()
{
    const char *p = m_buffer.constData();
    qsizetype left = m_buffer.size();
    while (left > 0) {
        const ssize_t put = ::write(m_fd, p, size_t(left));
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0) {
            const int err = put < 0 ? errno : ENOSPC;
            // The lines that reached the file before it failed still count.
            const qsizetype done = m_buffer.size() - left;
            const char *b = m_buffer.constData();
            for (qsizetype i = 0; i + 4 <= done; i += 2) {
                if (b[i] == '\r' && b[i + 1] == 0 && b[i + 2] == '\n' && b[i + 3] == 0)
                    ++m_kept;
            }
            m_error = u"the search result could not be written: %1"_s.arg(systemErrorText(err));
            m_buffer.clear();
            m_linesInBuffer = 0;
            return false;
        }
        p += put;
        left -= put;
    }
    m_kept += m_linesInBuffer;
    m_linesInBuffer = 0;
    m_buffer.resize(0);
    return true;
}

bool ResultFileWriter::finish()
{
    if (m_fd < 0)
        return false;
    if (m_error.isEmpty())
        flush();
    // What the system still holds back can fail on its way to the disk.
    if (m_error.isEmpty() && ::fsync(m_fd) != 0 && errno != EINVAL)
        m_error = u"the search result could not be written: %1"_s.arg(systemErrorText(errno));
    if (::close(m_fd) != 0 && m_error.isEmpty())
        m_error = u"the search result could not be written: %1"_s.arg(systemErrorText(errno));
    m_fd = -1;
    if (m_error.isEmpty() &&
        ::rename(m_tempPath.constData(), QFile::encodeName(m_path).constData()) != 0)
        m_error = u"the search result file cannot be replaced: %1"_s.arg(systemErrorText(errno));
    if (!m_error.isEmpty()) {
        ::unlink(m_tempPath.constData());
        m_tempPath.clear();
        return false;
    }
    m_tempPath.clear();
    return true;
}

void ResultFileWriter::abandon()
{
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
    if (!m_tempPath.isEmpty()) {
        ::unlink(m_tempPath.constData());
        m_tempPath.clear();
    }
}

} // namespace corvane
