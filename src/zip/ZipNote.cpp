#include "ZipNote.h"

#include "ZipArchive.h"
#include "listfile/ListText.h"

#include <QStringDecoder>

using namespace Qt::Literals::StringLiterals;

namespace corvane::zip {

namespace {

// Without the bytes of a UTF-8 sequence that the cut left incomplete.
QByteArrayView withoutSplitUtf8(QByteArrayView bytes)
{
    qsizetype lead = bytes.size();
    int continuations = 0;
    while (lead > 0 && continuations < 4 && (uchar(bytes[lead - 1]) & 0xC0) == 0x80) {
        --lead;
        ++continuations;
    }
    if (lead == 0)
        return bytes;
    const uchar c = uchar(bytes[lead - 1]);
    const int length = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
    if (length > 1 && continuations < length - 1)
        return bytes.first(lead - 1);
    return bytes;
}

// UTF-16 bytes without their byte-order mark and without a last odd byte.
QString decodeUtf16(QByteArrayView bytes, QByteArrayView byteOrderMark,
                    QStringDecoder::Encoding encoding)
{
    if (bytes.startsWith(byteOrderMark))
        bytes = bytes.sliced(byteOrderMark.size());
    return QStringDecoder(encoding).decode(bytes.first(bytes.size() & ~1));
}

} // namespace

QString decodeNoteBytes(QByteArrayView bytes, bool cut)
{
    QString text;
    switch (sniffEncoding(bytes)) {
    case SniffedEncoding::Utf16LE:
        text = decodeUtf16(bytes, "\xFF\xFE", QStringDecoder::Utf16LE);
        break;
    case SniffedEncoding::Utf16BE:
        text = decodeUtf16(bytes, "\xFE\xFF", QStringDecoder::Utf16BE);
        break;
    case SniffedEncoding::Utf8: {
        QByteArrayView body = bytes;
        if (body.startsWith("\xEF\xBB\xBF"))
            body = body.sliced(3);
        text = decodeListText(cut ? withoutSplitUtf8(body) : body, ListEncoding::Utf8);
        break;
    }
    case SniffedEncoding::Windows1252:
        text = decodeWindows1252(bytes);
        break;
    }
    if (cut && !text.isEmpty() && text.back().isHighSurrogate())
        text.chop(1);
    text.replace(u"\r\n"_s, u"\n"_s);
    text.replace(u'\r', u'\n');
    return text;
}

NoteText readZipNote(const QString &zipPath, qint64 index, const QString &shownName,
                     qint64 maxBytes)
{
    NoteText note;
    const MemberBytes read = readZipMember(zipPath, index, maxBytes, shownName);
    note.size = read.size;
    if (!read.ok()) {
        note.error = read.errorText;
        return note;
    }
    note.cut = read.cut;
    note.text = decodeNoteBytes(read.bytes, read.cut);
    return note;
}

} // namespace corvane::zip
