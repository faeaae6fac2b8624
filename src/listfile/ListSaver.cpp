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

SaveListResult saveFileAs(const QString &outPath, const QStringList &keep,
                          const std::function<bool(SaveWriter &)> &write)
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
    SaveWriter writer(file);
    if (!write(writer) || writer.failed() || file.error() != QFileDevice::NoError) {
        const int writeErrno = writer.error();
        const bool full = isDiskFull(writeErrno) || file.error() == QFileDevice::ResourceError;
        result = failed(full ? SaveListResult::Reason::DiskFull : SaveListResult::Reason::Other,
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

bool SaveWriter::write(QByteArrayView bytes)
{
    // A write may take only part of the bytes (the disk filling up): the rest
    // is written again until the system refuses it and says why.
    while (!bytes.isEmpty() && m_error == 0) {
        errno = 0;
        const qint64 put = m_file.write(bytes.data(), bytes.size());
        if (put <= 0) {
            m_error = errno ? errno : EIO;
            break;
        }
        bytes = bytes.sliced(put);
    }
    return m_error == 0;
}

SaveListResult saveListFile(const LineStore &store, const QString &outPath, const QStringList &keep,
                            const std::function<bool(qsizetype)> &include)
{
    qint64 written = 0;
    ListEncoding encoding = ListEncoding::Windows1252;
    SaveListResult result = saveFileAs(outPath, keep, [&](SaveWriter &out) {
        const std::vector<QByteArrayView> lines = linesInFileOrder(store, include);
        const bool recode =
            store.encoding() == ListEncoding::Utf8 && !fitsWindows1252(store, lines);
        encoding = recode ? ListEncoding::Utf8 : ListEncoding::Windows1252;
        const bool fromUtf8 = store.encoding() == ListEncoding::Utf8;
        QByteArray buffer;
        buffer.reserve(FlushBytes + 4096);
        for (QByteArrayView line : lines) {
            if (!fromUtf8) {
                buffer.append(line);
            } else {
                // The text as read, in the encoding chosen for the whole file.
                buffer.append(encodeListText(store.decode(line), encoding));
            }
            buffer.append("\r\n", 2);
            if (buffer.size() >= FlushBytes) {
                if (!out.write(buffer))
                    return false;
                buffer.clear();
            }
        }
        written = qint64(lines.size());
        return out.write(buffer);
    });
    if (result.ok()) {
        result.encoding = encoding;
        result.lines = written;
    }
    return result;
}

} // namespace corvane
