#include "ZipEntryName.h"

#include <QStringDecoder>

#include <array>

using namespace Qt::Literals::StringLiterals;

namespace corvane::zip {

namespace {

// Bytes 0x80 to 0xFF of code page 437.
constexpr std::array<char16_t, 128> codePage437High = {
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7, //
    0x00EA, 0x00EB, 0x00E8, 0x00EF, 0x00EE, 0x00EC, 0x00C4, 0x00C5, //
    0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2, 0x00FB, 0x00F9, //
    0x00FF, 0x00D6, 0x00DC, 0x00A2, 0x00A3, 0x00A5, 0x20A7, 0x0192, //
    0x00E1, 0x00ED, 0x00F3, 0x00FA, 0x00F1, 0x00D1, 0x00AA, 0x00BA, //
    0x00BF, 0x2310, 0x00AC, 0x00BD, 0x00BC, 0x00A1, 0x00AB, 0x00BB, //
    0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x2561, 0x2562, 0x2556, //
    0x2555, 0x2563, 0x2551, 0x2557, 0x255D, 0x255C, 0x255B, 0x2510, //
    0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x255E, 0x255F, //
    0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0x2567, //
    0x2568, 0x2564, 0x2565, 0x2559, 0x2558, 0x2552, 0x2553, 0x256B, //
    0x256A, 0x2518, 0x250C, 0x2588, 0x2584, 0x258C, 0x2590, 0x2580, //
    0x03B1, 0x00DF, 0x0393, 0x03C0, 0x03A3, 0x03C3, 0x00B5, 0x03C4, //
    0x03A6, 0x0398, 0x03A9, 0x03B4, 0x221E, 0x03C6, 0x03B5, 0x2229, //
    0x2261, 0x00B1, 0x2265, 0x2264, 0x2320, 0x2321, 0x00F7, 0x2248, //
    0x00B0, 0x2219, 0x00B7, 0x221A, 0x207F, 0x00B2, 0x25A0, 0x00A0, //
};

// C0, DEL and C1 control codes, and the invisible marks that reorder text
// shown around them ("invoice\u202Etxt.csv" would show as "invoicevsc.txt").
bool isControl(char32_t c)
{
    return c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0x200E || c == 0x200F ||
           (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069);
}

bool isSeparator(QChar c)
{
    return c == u'/' || c == u'\\';
}

bool isAsciiLetter(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

} // namespace

QString decodeCodePage437(QByteArrayView bytes)
{
    QString text;
    text.reserve(bytes.size());
    for (const char byte : bytes) {
        const auto b = static_cast<unsigned char>(byte);
        text.append(b < 0x80 ? QChar(char16_t(b)) : QChar(codePage437High[b - 0x80]));
    }
    return text;
}

QString decodeEntryName(QByteArrayView raw, bool flaggedUtf8)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(raw);
    if (!utf8.hasError())
        return text;
    return flaggedUtf8 ? text : decodeCodePage437(raw);
}

QString escapeControlCharacters(const QString &name)
{
    QString shown;
    shown.reserve(name.size());
    for (const QChar c : name) {
        if (isControl(c.unicode()) && c.unicode() > 0xFF)
            shown += u"\\u"_s + QString::number(c.unicode(), 16).toUpper().rightJustified(4, u'0');
        else if (isControl(c.unicode()))
            shown += u"\\x"_s + QString::number(c.unicode(), 16).toUpper().rightJustified(2, u'0');
        else
            shown += c;
    }
    return shown;
}

EntryNameRisk entryNameRisk(const QString &decodedName)
{
    if (decodedName.isEmpty())
        return EntryNameRisk::Empty;
    if (isSeparator(decodedName.front()))
        return EntryNameRisk::AbsolutePath;
    if (decodedName.size() >= 2 && decodedName.at(1) == u':' && isAsciiLetter(decodedName.front()))
        return EntryNameRisk::DriveLetter;
    qsizetype start = 0;
    while (start <= decodedName.size()) {
        qsizetype end = start;
        while (end < decodedName.size() && !isSeparator(decodedName.at(end)))
            ++end;
        const QStringView component = QStringView(decodedName).mid(start, end - start);
        // Windows ignores trailing dots and spaces: ".. " and "..." both climb.
        if (component.count(u'.') >= 2 &&
            component.count(u'.') + component.count(u' ') == component.size())
            return EntryNameRisk::ParentComponent;
        start = end + 1;
    }
    if (entryFileName(decodedName).isEmpty())
        return EntryNameRisk::Empty;
    return EntryNameRisk::Safe;
}

QString entryFileName(const QString &decodedName)
{
    qsizetype cut = decodedName.size();
    while (cut > 0 && !isSeparator(decodedName.at(cut - 1)))
        --cut;
    QString name = decodedName.mid(cut);
    for (QChar &c : name) {
        if (isControl(c.unicode()) || u"<>:\"|?*"_s.contains(c))
            c = u'_';
    }
    while (!name.isEmpty() && (name.back() == u'.' || name.back() == u' '))
        name.chop(1);
    if (name.isEmpty() || name == u"."_s || name == u".."_s)
        return {};
    // Keep within the usual 255-byte limit of a file name, extension kept.
    if (name.toUtf8().size() > 255) {
        const qsizetype dot = name.lastIndexOf(u'.');
        const QString extension = (dot > 0 && name.size() - dot <= 16) ? name.mid(dot) : QString();
        QString base = name.left(name.size() - extension.size());
        while (!base.isEmpty() && (base + extension).toUtf8().size() > 255)
            base.chop(base.back().isLowSurrogate() && base.size() >= 2 ? 2 : 1);
        name = base + extension;
    }
    return name;
}

} // namespace corvane::zip
