#include "ListSaver.h"

#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <sys/stat.h>
#include <vector>

using namespace Qt::Literals::StringLiterals;

namespace corvane {

namespace {

constexpr qsizetype FlushBytes = 1 << 20;

// The lines in the order they stand in the store's buffer: the order of the
// file they were read from.
std::vector<QByteArrayView> linesInFileOrder(const LineStore &store)
{
    std::vector<QByteArrayView> lines;
    lines.reserve(size_t(store.count()));
    for (qsizetype i = 0; i < store.count(); ++i)
        lines.push_back(store.line(i));
    std::sort(lines.begin(), lines.end(), [](QByteArrayView a, QByteArrayView b) {
        return std::less<const char *>()(a.data(), b.data());
    });
    return lines;
}

// Whether every line of a UTF-8 store has a Windows-1252 form.
bool fitsWindows1252(const LineStore &store, const std::vector<QByteArrayView> &lines)
{
    for (QByteArrayView line : lines) {
        bool ascii = true;
        for (char c : line) {
            if (uchar(c) >= 0x80) {
                ascii = false;
                break;
            }
        }
        if (ascii)
            continue;
        bool ok = true;
        encodeListText(store.decode(line), ListEncoding::Windows1252, &ok);
        if (!ok)
            return false;
    }
    return true;
}

} // namespace

bool isSameFile(const QString &a, const QString &b)
{
    if (a.isEmpty() || b.isEmpty())
        return false;
    struct stat sa
    {};
    struct stat sb
    {};
    if (::stat(QFile::encodeName(a).constData(), &sa) != 0 ||
        ::stat(QFile::encodeName(b).constData(), &sb) != 0)
        return false;
    return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

SaveListResult saveListFile(const LineStore &store, const QString &outPath, const QStringList &keep)
{
    SaveListResult result;
    for (const QString &kept : keep) {
        if (isSameFile(outPath, kept) ||
            (!kept.isEmpty() &&
             QFileInfo(outPath).absoluteFilePath() == QFileInfo(kept).absoluteFilePath())) {
            result.outcome = SaveListResult::Outcome::WouldReplaceOpenFile;
            return result;
        }
    }
    const QFileInfo target(outPath);
    if (target.isDir()) {
        result.error = u"%1 is a folder"_s.arg(outPath);
        return result;
    }
    if (target.exists() && !target.isWritable()) {
        result.error = u"%1 is read-only"_s.arg(outPath);
        return result;
    }

    const std::vector<QByteArrayView> lines = linesInFileOrder(store);
    const bool recode = store.encoding() == ListEncoding::Utf8 && !fitsWindows1252(store, lines);
    result.encoding = recode ? ListEncoding::Utf8 : ListEncoding::Windows1252;
    const bool fromUtf8 = store.encoding() == ListEncoding::Utf8;

    QSaveFile file(outPath);
    if (!file.open(QIODevice::WriteOnly)) {
        result.error = file.errorString();
        return result;
    }
    QByteArray buffer;
    buffer.reserve(FlushBytes + 4096);
    auto flush = [&]() {
        if (buffer.isEmpty())
            return true;
        const bool written = file.write(buffer) == buffer.size();
        buffer.clear();
        return written;
    };
    for (QByteArrayView line : lines) {
        if (!fromUtf8) {
            buffer.append(line);
        } else {
            // The text as read, in the encoding chosen for the whole file.
            buffer.append(encodeListText(store.decode(line), result.encoding));
        }
        buffer.append("\r\n", 2);
        if (buffer.size() >= FlushBytes && !flush())
            break;
    }
    if (!flush() || !file.commit()) {
        result.error = file.errorString();
        file.cancelWriting();
        return result;
    }
    result.lines = qint64(lines.size());
    result.outcome = SaveListResult::Outcome::Saved;
    return result;
}

} // namespace corvane
