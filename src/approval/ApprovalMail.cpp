#include "ApprovalMail.h"

#include "LabDetails.h"

using namespace Qt::Literals::StringLiterals;

namespace corvane {

namespace {

bool keptInUrl(char16_t c)
{
    if ((c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9'))
        return true;
    switch (c) {
    case u'-':
    case u'.':
    case u'/':
    case u'_':
    case u'~':
    case u'&':
    case u':':
    case u'?':
    case u'#':
    case u'!':
    case u'$':
    case u'*':
    case u'+':
    case u'@':
        return true;
    default:
        return false;
    }
}

void appendEncodedBytes(QString &out, const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    for (char b : utf8) {
        out += u'%';
        out += Hex2(uchar(b));
    }
}

// The characters the subject carries as they are: letters, digits, spaces
// and - . _ ~ :. Everything else is percent-encoded: what ends or changes a
// query value (& # % +), what a mail program's command line reads as syntax
// (quotes, commas, "=", ";": Thunderbird's compose argument is
// to='..',subject='..'), what a shell script handing the URL on could expand
// or split on, and every character outside printable ASCII, control
// characters and direction marks included.
bool keptInSubject(char16_t c)
{
    if ((c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9'))
        return true;
    return c == u' ' || c == u'-' || c == u'.' || c == u'_' || c == u'~' || c == u':';
}

QString encodeSubject(const QString &subject)
{
    QString out;
    out.reserve(subject.size());
    for (qsizetype i = 0; i < subject.size();) {
        const QChar c = subject.at(i);
        if (keptInSubject(c.unicode())) {
            out += c;
            ++i;
            continue;
        }
        // A surrogate pair is one character: its UTF-8 form is four bytes.
        const qsizetype width =
            c.isHighSurrogate() && i + 1 < subject.size() && subject.at(i + 1).isLowSurrogate() ? 2
                                                                                                : 1;
        appendEncodedBytes(out, subject.mid(i, width));
        i += width;
    }
    return out;
}

const QString SubjectPrefix = u"Approval of File List : "_s;
const QString BodyText = u"Confirmation that the file list contains the data we are looking for "
                         u"and its status is confirmed."_s;

QString joinUrl(const QString &address, const QString &subject, const QString &body)
{
    return u"mailto:"_s + address + u"?subject="_s + encodeSubject(subject) + u"&body="_s +
           URLPathEncode(body) + u"&CC="_s;
}

} // namespace

QString Hex2(int iCode)
{
    static const char16_t digits[] = u"0123456789ABCDEF";
    const int low = iCode & 0xFF;
    return QString(QChar(digits[low >> 4])) + QChar(digits[low & 0xF]);
}

QString URLPathEncode(const QString &sThis)
{
    QString out;
    out.reserve(sThis.size());
    for (qsizetype i = 0; i < sThis.size();) {
        const QChar c = sThis.at(i);
        if (keptInUrl(c.unicode())) {
            out += c;
            ++i;
            continue;
        }
        // A surrogate pair is one character: its UTF-8 form is four bytes.
        const qsizetype width =
            c.isHighSurrogate() && i + 1 < sThis.size() && sThis.at(i + 1).isLowSurrogate() ? 2 : 1;
        appendEncodedBytes(out, sThis.mid(i, width));
        i += width;
    }
    return out;
}

QString approvalListName(const QString &fileName)
{
    const qsizetype cut = qMax(fileName.lastIndexOf(u'/'), fileName.lastIndexOf(u'\\'));
    QString name = fileName.mid(cut + 1).toLower();
    name.remove(u".csv"_s);
    const qsizetype backslash = name.indexOf(u'\\');
    if (backslash >= 0)
        name.truncate(backslash);
    return name;
}

QString approvalAddress()
{
    return labApprovalAddress();
}

QString fullyEncodedUrl(const QString &url)
{
    QString out;
    out.reserve(url.size());
    for (qsizetype i = 0; i < url.size();) {
        const QChar c = url.at(i);
        if (c.unicode() > 0x20 && c.unicode() < 0x7F) {
            out += c;
            ++i;
            continue;
        }
        const qsizetype width =
            c.isHighSurrogate() && i + 1 < url.size() && url.at(i + 1).isLowSurrogate() ? 2 : 1;
        appendEncodedBytes(out, url.mid(i, width));
        i += width;
    }
    return out;
}

QString ApprovalMessage::plainText(const QString &toWord, const QString &subjectWord) const
{
    QString bodyLf = body;
    bodyLf.replace(u"\r\n"_s, u"\n"_s);
    while (bodyLf.endsWith(u'\n'))
        bodyLf.chop(1);
    return toWord + u' ' + address + u'\n' + subjectWord + u' ' + subject + u"\n\n"_s + bodyLf +
           u'\n';
}

ApprovalMessage buildApprovalMessage(const QString &listName, const QString &address,
                                     const QString &note)
{
    ApprovalMessage m;
    m.address = address;
    m.body = BodyText + u"\r\n\r\n"_s;
    if (!note.isEmpty()) {
        const QString withNote = m.body + note + u"\r\n\r\n"_s;
        // The note goes only where the URL still takes the subject's first
        // words with it.
        if (fullyEncodedUrl(joinUrl(address, SubjectPrefix, withNote)).size() + 40 <=
            MaxApprovalUrlLength)
            m.body = withNote;
    }
    m.subject = SubjectPrefix + listName;
    m.url = joinUrl(address, m.subject, m.body);
    if (fullyEncodedUrl(m.url).size() <= MaxApprovalUrlLength)
        return m;
    // Too long for a handler: keep as much of the name as fits, whole
    // characters only, and mark the cut.
    const QString ellipsis = u"\u2026"_s;
    qsizetype keep = listName.size();
    while (keep > 0) {
        keep = keep * 9 / 10;
        if (keep > 0 && listName.at(keep - 1).isHighSurrogate())
            --keep;
        m.subject = SubjectPrefix + listName.left(keep) + ellipsis;
        m.url = joinUrl(address, m.subject, m.body);
        if (fullyEncodedUrl(m.url).size() <= MaxApprovalUrlLength)
            break;
    }
    // Grow back one character at a time to the longest name that fits.
    while (keep < listName.size()) {
        qsizetype next = keep + 1;
        if (listName.at(next - 1).isHighSurrogate() && next < listName.size())
            ++next;
        const QString subject = SubjectPrefix + listName.left(next) + ellipsis;
        const QString url = joinUrl(address, subject, m.body);
        if (fullyEncodedUrl(url).size() > MaxApprovalUrlLength)
            break;
        keep = next;
        m.subject = subject;
        m.url = url;
    }
    return m;
}

} // namespace corvane
