#include "ListSaver.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <cerrno>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

using namespace Qt::Literals::StringLiterals;

namespace corvane {

namespace {

constexpr qsizetype FlushBytes = 1 << 20;

// The lines (those include takes, when it is given) in the order they stand
// in the store's buffer: the order of the file they were read from.
std::vector<QByteArrayView> linesInFileOrder(const LineStore &store,
                                             const std::function<bool(qsizetype)> &include)
{
    std::vector<QByteArrayView> lines;
    lines.reserve(include ? 0 : size_t(store.count()));
    for (qsizetype i = 0; i < store.count(); ++i) {
        if (!include || include(i))
            lines.push_back(store.line(i));
    }
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

bool isDiskFull(int err)
{
    return err == ENOSPC || err == EDQUOT || err == EFBIG;
}

// A failed save: the reason for the window and the words for a terminal.
SaveListResult failed(SaveListResult::Reason reason, const QString &error)
{
    SaveListResult result;
    result.outcome = SaveListResult::Outcome::Failed;
    result.reason = reason;
    result.error = error;
    return result;
}

} // namespace

SaveListResult saveFileInPieces(const QString &outPath, const QStringList &keep,
                                const std::function<bool(QByteArray &piece)> &nextPiece)
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
    const SaveTarget target = resolveSaveTarget(outPath);
    switch (target.kind) {
    case SaveTarget::Kind::Writable:
        break;
    case SaveTarget::Kind::Folder:
        return failed(SaveListResult::Reason::Folder, target.refusal(outPath));
    case SaveTarget::Kind::NotRegularFile:
        return failed(SaveListResult::Reason::NotRegularFile, target.refusal(outPath));
    case SaveTarget::Kind::BrokenLink:
        return failed(SaveListResult::Reason::BrokenLink, target.refusal(outPath));
    }
    const QFileInfo info(target.path);
    if (!info.absoluteDir().exists())
        return failed(SaveListResult::Reason::NoFolder,
                      u"the folder %1 does not exist"_s.arg(info.absolutePath()));
    if (info.exists() && !info.isWritable())
        return failed(SaveListResult::Reason::ReadOnly, u"%1 is read-only"_s.arg(outPath));

    // Unbuffered: every write goes to the file at once and says how it went.
    QSaveFile file(target.path);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        const int err = errno;
        const bool denied = err == EACCES || err == EPERM || err == EROFS;
        return failed(denied            ? SaveListResult::Reason::ReadOnly
                      : isDiskFull(err) ? SaveListResult::Reason::DiskFull
                                        : SaveListResult::Reason::Other,
                      file.errorString());
    }
    int writeErrno = 0;
    // A write may take only part of the bytes (the disk filling up): the rest
    // is written again until the system refuses it and says why.
    auto writeAll = [&](QByteArrayView bytes) {
        while (!bytes.isEmpty()) {
            errno = 0;
            const qint64 put = file.write(bytes.data(), bytes.size());
            if (put <= 0) {
                writeErrno = errno ? errno : EIO;
                return false;
            }
            bytes = bytes.sliced(put);
        }
        return true;
    };
    QByteArray buffer;
    buffer.reserve(FlushBytes + 4096);
    bool written = true;
    for (bool more = true; more && written;) {
        buffer.clear();
        more = nextPiece(buffer);
        written = writeAll(buffer);
    }
    if (!written) {
        const bool full = isDiskFull(writeErrno) || file.error() == QFileDevice::ResourceError;
        SaveListResult result =
            failed(full ? SaveListResult::Reason::DiskFull : SaveListResult::Reason::Other,
                   file.errorString());
        file.cancelWriting(); // the temporary file goes; the older file stays
        return result;
    }
    errno = 0;
    if (!file.commit()) {
        const int err = errno;
        return failed(isDiskFull(err) ? SaveListResult::Reason::DiskFull
                                      : SaveListResult::Reason::Other,
                      file.errorString());
    }
    result.outcome = SaveListResult::Outcome::Saved;
    return result;
}

SaveListResult saveListFile(const LineStore &store, const QString &outPath, const QStringList &keep,
                            const std::function<bool(qsizetype)> &include)
{
    // The lines are gathered once the target is known to be writable.
    std::vector<QByteArrayView> lines;
    bool gathered = false;
    ListEncoding encoding = ListEncoding::Windows1252;
    const bool fromUtf8 = store.encoding() == ListEncoding::Utf8;
    size_t next = 0;
    SaveListResult result = saveFileInPieces(outPath, keep, [&](QByteArray &buffer) {
        if (!gathered) {
            lines = linesInFileOrder(store, include);
            const bool recode = fromUtf8 && !fitsWindows1252(store, lines);
            encoding = recode ? ListEncoding::Utf8 : ListEncoding::Windows1252;
            gathered = true;
        }
        for (; next < lines.size() && buffer.size() < FlushBytes; ++next) {
            if (!fromUtf8) {
                buffer.append(lines[next]);
            } else {
                // The text as read, in the encoding chosen for the whole file.
                buffer.append(encodeListText(store.decode(lines[next]), encoding));
            }
            buffer.append("\r\n", 2);
        }
        return next < lines.size();
    });
    if (result.ok()) {
        result.encoding = encoding;
        result.lines = qint64(lines.size());
    }
    return result;
}

} // namespace corvane
