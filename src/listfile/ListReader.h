#pragma once

#include "ListText.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <memory>
#include <sys/stat.h>

class QIODevice;

namespace corvane {

// The bytes of one list file, as read (a UTF-16LE file already transcoded to
// UTF-8), and what went wrong, if anything.
struct ListBytes
{
    QByteArray bytes;
    ListEncoding encoding = ListEncoding::Windows1252;
    bool fileFound = false; // a regular file existed at the path
    QString error;          // empty when the whole file was read
    // The file's size or time changed between opening and the end of the
    // reading (it was cut or written meanwhile): what was read is kept,
    // without the last line when it was left unfinished, and error says so.
    bool changedWhileRead = false;
    bool ok() const { return error.isEmpty(); }
};

// How a list file's bytes are taken: recognised by themselves, or as the
// program's own search result (UTF-16LE with or without a byte-order mark,
// whatever its bytes look like: a result of non-Latin names has few zero
// bytes to be recognised by).
enum class ListFileEncoding { Recognise, Utf16LE };

// The longest line a list may hold, in bytes as read (UTF-8 for a UTF-16
// file). A real list line is a path and four short fields; a file with a
// longer run of bytes without a line end is no list (a disk image, a sparse
// file of zeros): the reading ends there with lineTooLongText(), keeping the
// whole lines before it. The searches read by the same rule, so that they
// never hold more than this of a file at once.
inline constexpr qsizetype MaxListLineBytes = qsizetype(256) << 20;

// Called while reading with (bytes read so far, expected total or -1);
// returning false stops the reading (what was read is kept).
using ReadProgress = std::function<bool(qint64, qint64)>;

// Reads a list file with read() (no memory map: a file that shrinks while it
// is read must not kill the program). Only a regular file is read: a folder,
// a FIFO or a device is refused without blocking. On a read error the bytes
// read before it are kept and `error` names the reason.
//
// A file changed while it was read when the bytes read are not as many as its
// size at the opening, or when its size or modification time is not the same
// at the end as at the opening (this is the one rule for every reading of a
// list, the searches' included: a file whose size the system does not know
// ahead, as those under /proc, counts as changed).
ListBytes readListFile(const QString &path, const ReadProgress &progress = {},
                       ListFileEncoding as = ListFileEncoding::Recognise);

// A list file opened for reading: without blocking (opening a FIFO must not
// wait for a writer), and only a regular file is kept open. The one way every
// reading of a list opens it.
struct OpenedList
{
    int fd = -1; // the caller closes it; -1 when refused (error says why)
    struct stat atOpen
    {};
    bool fileFound = false; // a regular file existed at the path
    QString error;
};
OpenedList openListFile(const QString &path);

// The same from an open device (a QBuffer in a test, a zip entry).
ListBytes readListDevice(QIODevice &device, const ReadProgress &progress = {});

// The reason given when a file changed while it was read.
QString changedWhileReadText();
// The reason given when a line is longer than MaxListLineBytes.
QString lineTooLongText();

} // namespace corvane

namespace corvane {

// Reads a list file piece by piece, for a pass that must not hold the whole
// file (the searches). Every piece ends at a line end (the last one at the
// end of the file), so no line is cut in two; the line-end rules are the
// loader's (CR LF, a lone LF or a lone CR). The file is recognised as
// readListFile does: UTF-16LE by its first bytes (handed out as UTF-8),
// otherwise 8-bit text whose first non-ASCII bytes decide between UTF-8 and
// Windows-1252. A UTF-8 byte-order mark is not part of the first line.
// Each byte is looked at a bounded number of times however long the lines
// are, and a line longer than MaxListLineBytes ends the reading with an
// error, as it ends readListFile's; a file that changes while it is read
// ends it by readListFile's rule too (as soon as more bytes come than the
// file had, or at the end).
class ListChunkReader
{
public:
    ListChunkReader();
    ~ListChunkReader();
    ListChunkReader(const ListChunkReader &) = delete;
    ListChunkReader &operator=(const ListChunkReader &) = delete;

    // Opens a regular file (a folder, FIFO or device is refused without
    // blocking). False when it cannot be read: fileFound() and error() say why.
    bool open(const QString &path);

    // The next piece of whole lines; empty at the end of the file or after a
    // read error. Valid until the next call.
    QByteArrayView next();

    // The encoding of the pieces handed out so far (Windows-1252 until the
    // first non-ASCII byte; UTF-8 for a UTF-16LE file).
    ListEncoding encoding() const;
    bool fileFound() const;
    QString error() const; // empty while everything could be read
    qint64 bytesRead() const;
    qint64 expectedSize() const; // the file's size when it was opened
    // The most bytes the reader's buffers have held at once.
    qsizetype largestBuffer() const;

private:
    struct State;
    std::unique_ptr<State> d;
};

} // namespace corvane
