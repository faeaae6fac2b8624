#pragma once

#include "ListText.h"

#include <QByteArray>
#include <QString>

#include <functional>

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
