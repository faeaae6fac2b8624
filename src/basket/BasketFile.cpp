#include "BasketFile.h"

#include "ListFingerprint.h"
#include "util/SystemError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QStringDecoder>

#include <cerrno>
#include <limits>
#include <unistd.h>
#include <utility>

using namespace Qt::Literals::StringLiterals;

namespace corvane::basket {

namespace {

constexpr QByteArrayView Header = "corvane-basket 1";
constexpr QByteArrayView IndexHeader = "corvane-basket-paths 1";
const QString BasketsFolder = u"baskets"_s;
const QString IndexFileName = u"paths.index"_s;
// Room for the lines around the chosen ones and for the settings,
// percent-encoded (three bytes a byte at most).
constexpr qint64 FixedPartMaxBytes = 3 * 3 * qint64(MaxBasketSettingBytes) + 1024;
constexpr qint64 IndexMaxBytes = BasketIndexPaths * (70 + 3 * qint64(MaxBasketSettingBytes)) + 64;

qsizetype bitmapBytes(qsizetype lines)
{
    return (lines + 7) / 8;
}

qsizetype base64Length(qsizetype bytes)
{
    return (bytes + 2) / 3 * 4;
}

QString stateFileText(StateFileProblem problem, const QString &error)
{
    switch (problem) {
    case StateFileProblem::None:
        return {};
    case StateFileProblem::Missing:
        return u"it is not there"_s;
    case StateFileProblem::Link:
        return u"it is a link, not a file"_s;
    case StateFileProblem::NotRegular:
        return u"it is not a regular file"_s;
    case StateFileProblem::TooLarge:
        return u"it is far larger than a basket of this list"_s;
    case StateFileProblem::Failed:
        break;
    }
    return error;
}

// Walks text a line at a time; a last line without its '\n' is not one.
class LineWalk
{
public:
    explicit LineWalk(QByteArrayView text) : m_text(text) {}
    std::optional<QByteArrayView> next()
    {
        const qsizetype end = m_text.indexOf('\n', m_at);
        if (end < 0)
            return std::nullopt;
        const QByteArrayView line = m_text.sliced(m_at, end - m_at);
        m_at = end + 1;
        return line;
    }
    bool atEnd() const { return m_at == m_text.size(); }

private:
    QByteArrayView m_text;
    qsizetype m_at = 0;
};

// The value of a "<key> <value>" line.
std::optional<QByteArrayView> valueOf(std::optional<QByteArrayView> line, QByteArrayView key)
{
    if (!line || line->size() <= key.size() || !line->startsWith(key) ||
        line->at(key.size()) != ' ')
        return std::nullopt;
    return line->sliced(key.size() + 1);
}

// A whole number as written here: decimal digits, no sign, no leading zero.
std::optional<qsizetype> numberOf(QByteArrayView text)
{
    if (text.isEmpty() || text.size() > 18 || (text.size() > 1 && text.front() == '0'))
        return std::nullopt;
    qsizetype n = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        n = n * 10 + (c - '0');
    }
    return n;
}

QByteArray encodedText(const QString &text)
{
    return text.toUtf8().toPercentEncoding();
}

bool isUnreserved(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '.' || c == '_' || c == '~';
}

bool isHexDigit(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// The text encodedText() wrote: only unreserved bytes and "%XX", UTF-8.
std::optional<QString> decodedText(QByteArrayView encoded)
{
    if (encoded.size() > 3 * MaxBasketSettingBytes)
        return std::nullopt;
    for (qsizetype i = 0; i < encoded.size(); ++i) {
        if (encoded[i] == '%') {
            if (i + 2 >= encoded.size() || !isHexDigit(encoded[i + 1]) ||
                !isHexDigit(encoded[i + 2]))
                return std::nullopt;
            i += 2;
        } else if (!isUnreserved(encoded[i])) {
            return std::nullopt;
        }
    }
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8(QByteArray::fromPercentEncoding(encoded.toByteArray()));
    if (utf8.hasError())
        return std::nullopt;
    return text;
}

// The chosen lines as "<first> <end>" lines; nullopt once longer than limit.
std::optional<QByteArray> rangesText(const Basket &basket, qsizetype limit)
{
    QByteArray text;
    bool tooLong = false;
    basket.forEachRun([&](qsizetype first, qsizetype last) {
        if (tooLong)
            return;
        text += QByteArray::number(first) + ' ' + QByteArray::number(last) + '\n';
        tooLong = text.size() > limit;
    });
    if (tooLong)
        return std::nullopt;
    return text;
}

QByteArray bitmapOf(const Basket &basket)
{
    QByteArray bits(bitmapBytes(basket.lineCount()), '\0');
    char *data = bits.data();
    basket.forEachChosen([data](qsizetype i) { data[i / 8] |= char(1 << (i % 8)); });
    return bits.toBase64();
}

// The chosen lines of a bitmap of exactly lineCount bits.
std::optional<Basket> basketOfBitmap(QByteArrayView base64, qsizetype lineCount)
{
    if (base64.size() != base64Length(bitmapBytes(lineCount)))
        return std::nullopt;
    const auto decoded = QByteArray::fromBase64Encoding(
        base64.toByteArray(), QByteArray::Base64Encoding | QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded || decoded.decoded.size() != bitmapBytes(lineCount))
        return std::nullopt;
    const auto *bits = reinterpret_cast<const unsigned char *>(decoded.decoded.constData());
    if (lineCount % 8 != 0 && (bits[lineCount / 8] >> (lineCount % 8)) != 0)
        return std::nullopt; // bits past the last line
    Basket basket(lineCount);
    qsizetype first = -1;
    for (qsizetype i = 0; i <= lineCount; ++i) {
        const bool chosen = i < lineCount && (bits[i / 8] >> (i % 8) & 1) != 0;
        if (chosen && first < 0) {
            first = i;
        } else if (!chosen && first >= 0) {
            basket.setRange(first, i, true);
            first = -1;
        }
    }
    return basket;
}

// The chosen lines of "<first> <end>" lines up to "end".
std::optional<Basket> basketOfRanges(LineWalk &lines, qsizetype lineCount)
{
    Basket basket(lineCount);
    qsizetype previousEnd = 0;
    for (;;) {
        const std::optional<QByteArrayView> line = lines.next();
        if (!line)
            return std::nullopt;
        if (*line == "end")
            return basket;
        const qsizetype space = line->indexOf(' ');
        if (space < 0)
            return std::nullopt;
        const std::optional<qsizetype> first = numberOf(line->first(space));
        const std::optional<qsizetype> end = numberOf(line->sliced(space + 1));
        if (!first || !end || *first < previousEnd || *first >= *end || *end > lineCount)
            return std::nullopt;
        basket.setRange(*first, *end, true);
        previousEnd = *end;
    }
}

BasketLoadResult notTaken(BasketLoadProblem problem, const QString &detail)
{
    BasketLoadResult result;
    result.problem = problem;
    result.detail = detail;
    return result;
}

struct IndexEntry
{
    QString sha256;
    QString listPath;
};

QString indexPath(const QString &dataFolder)
{
    return QDir(dataFolder).filePath(BasketsFolder + u'/' + IndexFileName);
}

// The one form a list's path takes in the index.
QString indexedPath(const QString &listPath)
{
    return QDir::cleanPath(QFileInfo(listPath).absoluteFilePath());
}

// The index's entries, latest first; none when it is missing or damaged.
QList<IndexEntry> parseIndex(QByteArrayView bytes)
{
    LineWalk lines(bytes);
    const std::optional<QByteArrayView> header = lines.next();
    if (!header || *header != IndexHeader)
        return {};
    QList<IndexEntry> entries;
    while (!lines.atEnd()) {
        const std::optional<QByteArrayView> line = lines.next();
        if (!line || line->size() < 66 || line->at(64) != ' ' || entries.size() == BasketIndexPaths)
            return {};
        const QString sha = QString::fromLatin1(line->first(64));
        const std::optional<QString> path = decodedText(line->sliced(65));
        if (!isSha256Hex(sha) || !path || path->isEmpty())
            return {};
        entries.append({sha, *path});
    }
    return entries;
}

QList<IndexEntry> readIndex(const QString &dataFolder, QByteArray *bytes = nullptr)
{
    const StateFileRead read = readStateFile(indexPath(dataFolder), IndexMaxBytes);
    if (bytes)
        *bytes = read.bytes;
    return read.ok() ? parseIndex(read.bytes) : QList<IndexEntry>();
}

QByteArray indexBytes(const QList<IndexEntry> &entries)
{
    QByteArray bytes = IndexHeader.toByteArray() + '\n';
    for (const IndexEntry &entry : entries)
        bytes += entry.sha256.toLatin1() + ' ' + encodedText(entry.listPath) + '\n';
    return bytes;
}

// The index with listPath last saved under sha256 (or, for an empty basket,
// under none).
BasketSaveResult updateIndex(const QString &dataFolder, const QString &listPath,
                             const QString &sha256, bool emptyBasket)
{
    const QString path = indexedPath(listPath);
    QByteArray old;
    QList<IndexEntry> entries = readIndex(dataFolder, &old);
    entries.removeIf([&path](const IndexEntry &e) { return e.listPath == path; });
    if (!emptyBasket && !path.isEmpty() && path.toUtf8().size() <= MaxBasketSettingBytes)
        entries.prepend({sha256, path});
    while (entries.size() > BasketIndexPaths)
        entries.removeLast();
    const QByteArray bytes = indexBytes(entries);
    if (bytes == old)
        return {true, {}};
    QString error;
    const StateFileProblem problem = writeStateFile(indexPath(dataFolder), bytes, &error);
    if (problem != StateFileProblem::None)
        return {false, QDir::toNativeSeparators(indexPath(dataFolder)) + u": "_s +
                           stateFileText(problem, error)};
    return {true, {}};
}

} // namespace

QString basketFilePath(const QString &dataFolder, const QString &sha256)
{
    return QDir(dataFolder).filePath(BasketsFolder + u'/' + sha256 + u".basket"_s);
}

QByteArray basketFileBytes(const QString &sha256, const Basket &basket,
                           const BasketSettings &settings)
{
    QByteArray bytes = Header.toByteArray() + '\n';
    bytes += "sha256 " + sha256.toLatin1() + '\n';
    bytes += "lines " + QByteArray::number(basket.lineCount()) + '\n';
    bytes += "chosen " + QByteArray::number(basket.count()) + '\n';
    bytes += "capacity " + encodedText(settings.capacityText) + '\n';
    bytes += "filesystem " + encodedText(settings.fileSystem) + '\n';
    bytes += "restore-list " + encodedText(settings.restoreListPath) + '\n';
    const std::optional<QByteArray> ranges =
        rangesText(basket, base64Length(bitmapBytes(basket.lineCount())));
    if (ranges)
        bytes += "ranges\n" + *ranges;
    else
        bytes += "bitmap " + bitmapOf(basket) + '\n';
    bytes += "end\n";
    return bytes;
}

BasketLoadResult readBasketBytes(QByteArrayView bytes, const QString &sha256, qsizetype lineCount)
{
    const auto damaged = [](const QString &why) {
        return notTaken(BasketLoadProblem::Damaged, why);
    };
    LineWalk lines(bytes);
    const std::optional<QByteArrayView> header = lines.next();
    if (!header || *header != Header)
        return damaged(u"not a basket file of this version"_s);
    const std::optional<QByteArrayView> sha = valueOf(lines.next(), "sha256");
    if (!sha || !isSha256Hex(QString::fromLatin1(*sha)))
        return damaged(u"no SHA-256 of the list"_s);
    if (QString::fromLatin1(*sha) != sha256)
        return notTaken(BasketLoadProblem::OtherList, u"the basket of another list"_s);
    const std::optional<qsizetype> savedLines =
        numberOf(valueOf(lines.next(), "lines").value_or(""));
    if (!savedLines)
        return damaged(u"no line count"_s);
    if (*savedLines != lineCount)
        return notTaken(
            BasketLoadProblem::OtherList,
            u"the basket of a list of %1 lines, not %2"_s.arg(*savedLines).arg(lineCount));
    const std::optional<qsizetype> chosen = numberOf(valueOf(lines.next(), "chosen").value_or(""));
    if (!chosen)
        return damaged(u"no count of chosen lines"_s);

    StoredBasket stored;
    for (const auto &[key, text] :
         {std::pair{QByteArrayView("capacity"), &stored.settings.capacityText},
          std::pair{QByteArrayView("filesystem"), &stored.settings.fileSystem},
          std::pair{QByteArrayView("restore-list"), &stored.settings.restoreListPath}}) {
        const std::optional<QByteArrayView> value = valueOf(lines.next(), key);
        const std::optional<QString> decoded = value ? decodedText(*value) : std::nullopt;
        if (!decoded)
            return damaged(u"the setting \"%1\" is not readable"_s.arg(QString::fromLatin1(key)));
        *text = *decoded;
    }

    const std::optional<QByteArrayView> kind = lines.next();
    std::optional<Basket> basket;
    if (kind && *kind == "ranges") {
        basket = basketOfRanges(lines, lineCount);
        if (!basket)
            return damaged(u"a stretch of chosen lines is not readable or outside the list"_s);
    } else if (const std::optional<QByteArrayView> base64 = valueOf(kind, "bitmap")) {
        basket = basketOfBitmap(*base64, lineCount);
        if (!basket || lines.next() != QByteArrayView("end"))
            return damaged(
                u"the bitmap of chosen lines is not readable or not the list's length"_s);
    } else {
        return damaged(u"no chosen lines"_s);
    }
    if (!lines.atEnd())
        return damaged(u"more after the end"_s);
    if (basket->count() != *chosen)
        return damaged(u"%1 lines chosen, not %2 as it says"_s.arg(basket->count()).arg(*chosen));
    stored.basket = std::move(*basket);
    BasketLoadResult result;
    result.stored = std::move(stored);
    result.problem = BasketLoadProblem::None;
    return result;
}

BasketLoadResult loadBasket(const QString &dataFolder, const QString &sha256, qsizetype lineCount)
{
    if (dataFolder.isEmpty() || !isSha256Hex(sha256) || lineCount < 0)
        return notTaken(BasketLoadProblem::NotSaved, u"no basket is kept for this list"_s);
    const qint64 maxBytes = FixedPartMaxBytes + base64Length(bitmapBytes(lineCount));
    const StateFileRead read = readStateFile(basketFilePath(dataFolder, sha256), maxBytes);
    if (read.problem == StateFileProblem::None)
        return readBasketBytes(read.bytes, sha256, lineCount);
    BasketLoadResult result =
        notTaken(read.problem == StateFileProblem::Missing  ? BasketLoadProblem::NotSaved
                 : read.problem == StateFileProblem::Failed ? BasketLoadProblem::Unreadable
                                                            : BasketLoadProblem::Damaged,
                 stateFileText(read.problem, read.error));
    result.fileProblem = read.problem;
    return result;
}

BasketSaveResult saveBasket(const QString &dataFolder, const QString &sha256,
                            const QString &listPath, const Basket &basket,
                            const BasketSettings &settings)
{
    if (dataFolder.isEmpty())
        return {false, u"no folder to keep the basket in"_s};
    if (!isSha256Hex(sha256))
        return {false, u"not a SHA-256: "_s + sha256};
    for (const QString *text :
         {&settings.capacityText, &settings.fileSystem, &settings.restoreListPath}) {
        if (text->toUtf8().size() > MaxBasketSettingBytes)
            return {false, u"a setting is longer than %1 bytes"_s.arg(MaxBasketSettingBytes)};
    }
    QString error;
    if (!ensureStateFolder(dataFolder, BasketsFolder, &error))
        return {false, error};
    const QString path = basketFilePath(dataFolder, sha256);
    const QString shown = QDir::toNativeSeparators(path) + u": "_s;
    if (basket.isEmpty()) {
        if (::unlink(QFile::encodeName(path).constData()) != 0 && errno != ENOENT)
            return {false, shown + systemErrorText(errno)};
    } else {
        const StateFileProblem problem =
            writeStateFile(path, basketFileBytes(sha256, basket, settings), &error);
        if (problem != StateFileProblem::None)
            return {false, shown + stateFileText(problem, error)};
    }
    return updateIndex(dataFolder, listPath, sha256, basket.isEmpty());
}

bool changedSinceSaved(const QString &dataFolder, const QString &listPath, const QString &sha256)
{
    if (dataFolder.isEmpty())
        return false;
    const QString path = indexedPath(listPath);
    const QList<IndexEntry> entries = readIndex(dataFolder);
    for (const IndexEntry &entry : entries) {
        if (entry.listPath == path)
            return entry.sha256 != sha256 &&
                   checkStateFile(basketFilePath(dataFolder, entry.sha256),
                                  std::numeric_limits<qint64>::max()) == StateFileProblem::None;
    }
    return false;
}

} // namespace corvane::basket
