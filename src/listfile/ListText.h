#pragma once

// Decoding of list bytes for display. List files are single-byte
// Windows-1252 text; a list that is valid UTF-8 with non-ASCII bytes is read
// as UTF-8; a UTF-16LE file (the search result file, no byte-order mark) is
// transcoded to UTF-8 when it is read. The store keeps the bytes; text is
// decoded only where it is shown.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace corvane {

enum class ListEncoding { Windows1252, Utf8 };

// Decodes bytes of a list in the given encoding. For Utf8, a piece that is not
// valid UTF-8 is decoded as Windows-1252 instead, so no byte is lost to
// replacement characters.
QString decodeListText(QByteArrayView bytes, ListEncoding encoding);
QString decodeWindows1252(QByteArrayView bytes);

// Encodes text the way the store holds it; nullopt-like: ok is false when a
// character has no byte form in that encoding (such a text matches no line).
QByteArray encodeListText(QStringView text, ListEncoding encoding, bool *ok = nullptr);

// The Windows-1252 bytes of valid UTF-8 bytes, as encodeListText would give
// them for the decoded text, without decoding to UTF-16 on the way (a
// search result, read as UTF-8, looked up in a Windows-1252 list). False,
// out undefined, when a character has no Windows-1252 byte or the bytes are
// not valid UTF-8.
bool utf8ToWindows1252(QByteArrayView utf8, QByteArray &out);

// What a file's first bytes say it is.
enum class SniffedEncoding { Windows1252, Utf8, Utf16LE, Utf16BE };
SniffedEncoding sniffEncoding(QByteArrayView head);

} // namespace corvane
