#pragma once

// Archive entry names: how they are shown and what they may become on disk.
// A zip stores names as raw bytes. Archives written by current tools use
// UTF-8 (and say so in general-purpose flag bit 11); older DOS and Windows
// tools wrote the OEM code page 437. Names are decoded from the raw bytes and
// never trusted as paths: extraction uses only the last name component.

#include <QByteArrayView>
#include <QString>

namespace corvane::zip {

// Decodes raw name bytes: UTF-8 when they are valid UTF-8, otherwise code
// page 437 (or UTF-8 with replacement characters when the archive flags the
// name as UTF-8). Control characters are kept; see escapeControlCharacters.
QString decodeEntryName(QByteArrayView raw, bool flaggedUtf8 = false);

// Code page 437, all 256 bytes (0x00 to 0x7F as ASCII).
QString decodeCodePage437(QByteArrayView bytes);

// The name as it is shown: every control character (C0, DEL, C1) written as
// \xHH and every bidirectional mark (U+200E/F, U+202A-202E, U+2066-2069) as
// \uHHHH, so a name cannot move the cursor, ring the bell or disguise its ending.
QString escapeControlCharacters(const QString &name);

// Why a name must not be offered, or Safe.
enum class EntryNameRisk {
    Safe,
    ParentComponent, // a ".." component ("../x.csv", "a/../../x.csv", "..\x.csv")
    AbsolutePath,    // "/abs.csv", "\abs.csv", "\\server\share\x.csv"
    DriveLetter,     // "C:\x.csv", "C:x.csv"
    Empty,           // no name, or no last component
};
EntryNameRisk entryNameRisk(const QString &decodedName);

// The file name an entry gets on disk: its last component (after the last "/"
// or "\"), with every character that cannot stand in a file name on the
// common desktops (control characters, < > : " / \ | ? *) replaced by "_", a
// trailing dot or space removed, and cut to 255 UTF-8 bytes keeping the
// extension. Empty when nothing usable is left.
QString entryFileName(const QString &decodedName);

} // namespace corvane::zip
