#include "cStringBuilder.h"

#include <QLocale>

#include <algorithm>
#include <cstring>
#include <limits>
#include <utility>

using namespace Qt::Literals::StringLiterals;

namespace corvane {

namespace {

constexpr qint64 MaxBytes = std::numeric_limits<qint32>::max();

[[noreturn]] void fail(int number, const QString &detail)
{
    QString text;
    switch (number) {
    case StringBuilderError::InvalidArgument:
        text = u"Invalid procedure call or argument"_s;
        break;
    case StringBuilderError::Overflow:
        text = u"Overflow"_s;
        break;
    default:
        text = u"Subscript out of range"_s;
        break;
    }
    throw StringBuilderError(number, text + u": "_s + detail);
}

// Characters to bytes inside the 32-bit signed range, else error 6.
qint32 toBytes(qint64 characters, const char16_t *what)
{
    const qint64 bytes = characters * 2;
    if (bytes > MaxBytes || bytes < -MaxBytes - 1) {
        fail(StringBuilderError::Overflow, QStringView(what) + u" of "_s +
                                               QString::number(characters) +
                                               u" characters passes the size limit"_s);
    }
    return qint32(bytes);
}

// Lower-cases text so that position i of the result stands for position i of
// the input, letting a search over folded texts report original positions.
QString foldCase(QStringView text, const QLocale &locale)
{
    QString folded = locale.toLower(text.toString());
    if (folded.size() == text.size()) {
        return folded;
    }
    // Some character changed its length (for instance U+0130 becomes "i" and
    // a combining dot): fold code point by code point, keeping the simple
    // one-to-one mapping where the locale's mapping changes the length.
    folded.clear();
    folded.reserve(text.size());
    qsizetype i = 0;
    while (i < text.size()) {
        qsizetype n = 1;
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            n = 2;
        }
        const QStringView unit = text.mid(i, n);
        const QString lower = locale.toLower(unit.toString());
        if (lower.size() == n) {
            folded += lower;
        } else if (n == 1) {
            folded += unit[0].toLower();
        } else {
            const char32_t cp = QChar::surrogateToUcs4(unit[0], unit[1]);
            const char32_t low = QChar::toLower(cp);
            if (QChar::requiresSurrogates(low)) {
                folded += QChar(QChar::highSurrogate(low));
                folded += QChar(QChar::lowSurrogate(low));
            } else {
                folded += unit;
            }
        }
        i += n;
    }
    return folded;
}

} // namespace

StringBuilderError::StringBuilderError(int number, const QString &message)
    : m_number(number), m_message(message), m_what(message.toUtf8())
{}

cStringBuilder::cStringBuilder(const cStringBuilder &other)
    : m_chunkBytes(other.m_chunkBytes)
    , m_usedBytes(other.m_usedBytes)
    , m_capacityBytes(other.m_capacityBytes)
{
    if (m_capacityBytes > 0) {
        m_buffer = std::make_unique_for_overwrite<char16_t[]>(size_t(m_capacityBytes / 2));
        std::memcpy(m_buffer.get(), other.m_buffer.get(), size_t(m_capacityBytes));
    }
}

cStringBuilder &cStringBuilder::operator=(const cStringBuilder &other)
{
    if (this != &other) {
        cStringBuilder copy(other);
        *this = std::move(copy);
    }
    return *this;
}

cStringBuilder::cStringBuilder(cStringBuilder &&other) noexcept
    : m_buffer(std::move(other.m_buffer))
    , m_chunkBytes(other.m_chunkBytes)
    , m_usedBytes(std::exchange(other.m_usedBytes, 0))
    , m_capacityBytes(std::exchange(other.m_capacityBytes, 0))
{}

cStringBuilder &cStringBuilder::operator=(cStringBuilder &&other) noexcept
{
    if (this == &other) {
        return *this;
    }
    m_buffer = std::move(other.m_buffer);
    m_chunkBytes = other.m_chunkBytes;
    m_usedBytes = std::exchange(other.m_usedBytes, 0);
    m_capacityBytes = std::exchange(other.m_capacityBytes, 0);
    return *this;
}

void cStringBuilder::ChunkSize(qint32 iChunkSize)
{
    if (iChunkSize <= 0) {
        fail(StringBuilderError::InvalidArgument,
             u"chunk size "_s + QString::number(iChunkSize) + u" is not positive"_s);
    }
    m_chunkBytes = toBytes(iChunkSize, u"a chunk");
}

QString cStringBuilder::ToString() const
{
    if (m_usedBytes < 1) {
        return QString();
    }
    return QString(reinterpret_cast<const QChar *>(m_buffer.get()), Length());
}

void cStringBuilder::TheString(QStringView sThis)
{
    if (sThis.isEmpty()) {
        m_buffer.reset();
        m_usedBytes = 0;
        m_capacityBytes = 0;
        return;
    }
    const qint64 n = qint64(sThis.size()) * 2;
    if (n > MaxBytes) {
        fail(StringBuilderError::Overflow, u"a text of "_s + QString::number(sThis.size()) +
                                               u" characters passes the size limit"_s);
    }
    // A text larger than the buffer cannot be a view of it, so growing first
    // is safe; a smaller one may be, and is moved with an overlapping move.
    reserveBytes(n);
    std::memmove(m_buffer.get(), sThis.utf16(), size_t(n));
    const qint32 oldUsed = m_usedBytes;
    m_usedBytes = qint32(n);
    if (oldUsed > m_usedBytes) {
        fillSpaces(m_usedBytes, oldUsed);
    }
}

void cStringBuilder::Append(QStringView sThis)
{
    Insert(Length(), sThis);
}

// The ByVal forms take their argument by value, as their names say.
// NOLINTNEXTLINE(performance-unnecessary-value-param)
void cStringBuilder::AppendByVal(QString sThis)
{
    Append(sThis);
}

void cStringBuilder::Insert(qint32 iIndex, QStringView sThis)
{
    if (iIndex < 0) {
        fail(StringBuilderError::InvalidArgument,
             u"position "_s + QString::number(iIndex) + u" is negative"_s);
    }
    const qint32 at = toBytes(iIndex, u"a position");
    if (at > m_usedBytes) {
        fail(StringBuilderError::SubscriptOutOfRange, u"position "_s + QString::number(iIndex) +
                                                          u" is beyond the text's length "_s +
                                                          QString::number(Length()));
    }
    if (sThis.isEmpty()) {
        return;
    }
    const qint64 n = qint64(sThis.size()) * 2;
    const qint64 needed = qint64(m_usedBytes) + n;
    if (needed > MaxBytes) {
        fail(StringBuilderError::Overflow,
             u"adding "_s + QString::number(sThis.size()) + u" characters passes the size limit"_s);
    }
    // A piece taken from this very buffer is copied first, since the buffer
    // may move or its text shift under it.
    const auto begin = quintptr(m_buffer.get());
    const auto piece = quintptr(sThis.utf16());
    if (begin && piece < begin + quintptr(m_capacityBytes) && piece + quintptr(n) > begin) {
        const QString copy = sThis.toString();
        Insert(iIndex, copy);
        return;
    }
    reserveBytes(needed);
    char *base = reinterpret_cast<char *>(m_buffer.get());
    std::memmove(base + at + n, base + at, size_t(m_usedBytes - at));
    std::memcpy(base + at, sThis.utf16(), size_t(n));
    m_usedBytes = qint32(needed);
}

// NOLINTNEXTLINE(performance-unnecessary-value-param): by value, as its name says
void cStringBuilder::InsertByVal(qint32 iIndex, QString sThis)
{
    Insert(iIndex, sThis);
}

void cStringBuilder::Remove(qint32 iIndex, qint32 lLen)
{
    if (iIndex < 0 || lLen < 0) {
        fail(StringBuilderError::InvalidArgument, u"position "_s + QString::number(iIndex) +
                                                      u" or length "_s + QString::number(lLen) +
                                                      u" is negative"_s);
    }
    const qint32 from = toBytes(iIndex, u"a position");
    if (from > m_usedBytes) {
        fail(StringBuilderError::SubscriptOutOfRange, u"position "_s + QString::number(iIndex) +
                                                          u" is beyond the text's length "_s +
                                                          QString::number(Length()));
    }
    const qint32 end = toBytes(qint64(iIndex) + lLen, u"a range end");
    if (end > m_usedBytes) {
        fail(StringBuilderError::SubscriptOutOfRange,
             u"removing "_s + QString::number(lLen) + u" characters at "_s +
                 QString::number(iIndex) + u" passes the text's length "_s +
                 QString::number(Length()));
    }
    if (lLen == 0) {
        return;
    }
    char *base = reinterpret_cast<char *>(m_buffer.get());
    std::memmove(base + from, base + end, size_t(m_usedBytes - end));
    const qint32 oldUsed = m_usedBytes;
    m_usedBytes -= end - from;
    fillSpaces(m_usedBytes, oldUsed);
}

qint32 cStringBuilder::Find(QStringView sToFind, qint32 lStartIndex, int compare) const
{
    if (compare != BinaryCompare && compare != TextCompare) {
        fail(StringBuilderError::InvalidArgument,
             u"comparison mode "_s + QString::number(compare) + u" is unknown"_s);
    }
    const qsizetype from = lStartIndex >= 1 ? qsizetype(lStartIndex) - 1 : 0;
    const QStringView text = view();
    if (from > text.size()) {
        return 0;
    }
    qsizetype hit;
    if (compare == BinaryCompare) {
        hit = text.indexOf(sToFind, from, Qt::CaseSensitive);
    } else {
        const QLocale locale;
        hit = QStringView(foldCase(text, locale))
                  .indexOf(QStringView(foldCase(sToFind, locale)), from, Qt::CaseSensitive);
    }
    return hit < 0 ? 0 : qint32(hit + 1);
}

void cStringBuilder::HeapMinimize()
{
    const qint32 spare = m_capacityBytes - m_usedBytes;
    if (spare <= m_chunkBytes) {
        return;
    }
    // Take away whole chunks while more than one chunk would stay spare.
    const qint32 chunks = (spare - 1) / m_chunkBytes;
    reallocate(m_capacityBytes - chunks * m_chunkBytes);
}

// Grows the buffer in whole chunks until it holds neededBytes.
void cStringBuilder::reserveBytes(qint64 neededBytes)
{
    if (neededBytes <= m_capacityBytes) {
        return;
    }
    const qint64 missing = neededBytes - m_capacityBytes;
    const qint64 chunks = (missing + m_chunkBytes - 1) / m_chunkBytes;
    const qint64 newCapacity = m_capacityBytes + chunks * m_chunkBytes;
    if (newCapacity > MaxBytes) {
        fail(StringBuilderError::Overflow, u"growing the buffer to "_s +
                                               QString::number(newCapacity) +
                                               u" bytes passes the size limit"_s);
    }
    const qint32 oldCapacity = m_capacityBytes;
    reallocate(qint32(newCapacity));
    fillSpaces(oldCapacity, m_capacityBytes);
}

// Moves the buffer to storage of newCapacityBytes, keeping what fits.
void cStringBuilder::reallocate(qint32 newCapacityBytes)
{
    auto storage = std::make_unique_for_overwrite<char16_t[]>(size_t(newCapacityBytes / 2));
    const qint32 kept = qMin(m_capacityBytes, newCapacityBytes);
    if (kept > 0) {
        std::memcpy(storage.get(), m_buffer.get(), size_t(kept));
    }
    m_buffer = std::move(storage);
    m_capacityBytes = newCapacityBytes;
}

void cStringBuilder::fillSpaces(qint32 fromByte, qint32 toByte)
{
    std::fill(m_buffer.get() + fromByte / 2, m_buffer.get() + toByte / 2, u' ');
}

} // namespace corvane
