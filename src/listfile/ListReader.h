#pragma once

#include "ListText.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <memory>

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

// Called while reading with (bytes read so far, expected total or -1);
// returning false stops the reading (what was read is kept).
using ReadProgress = std::function<bool(qint64, qint64)>;

// Reads a list file with read() (no memory map: a file that shrinks while it
// is read must not kill the program). Only a regular file is read: a folder,
// a FIFO or a device is refused without blocking. On a read error the bytes
// read before it are kept and `error` names the reason.
ListBytes readListFile(const QString &path, const ReadProgress &progress = {});

// The same from an open device (a QBuffer in a test, a zip entry).
ListBytes readListDevice(QIODevice &device, const ReadProgress &progress = {});

// The reason given when a file changed while it was read.
QString changedWhileReadText();

} // namespace corvane

namespace corvane {

// Reads a list file piece by piece, for a pass that must not hold the whole
// file (the searches). Every piece ends at a line end (the last one at the
// end of the file), so no line is cut in two; the line-end rules are the
// loader's (CR LF, a lone LF or a lone CR). The file is recognised as
// readListFile does: UTF-16LE by its first bytes (handed out as UTF-8),
// otherwise 8-bit text whose first non-ASCII bytes decide between UTF-8 and
// Windows-1252. A UTF-8 byte-order mark is not part of the first line.
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

private:
    struct State;
    std::unique_ptr<State> d;
};

} // namespace corvane
