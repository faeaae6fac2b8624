#include "approval/ApprovalMail.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace corvane;

namespace {

const QString Address = u"approvals@lab.example"_s;
const QString EncodedBody =
    u"Confirmation%20that%20the%20file%20list%20contains%20the%20data%20we%20are%20looking"
    u"%20for%20and%20its%20status%20is%20confirmed.%0D%0A%0D%0A"_s;

QString urlFor(const QString &subjectInUrl)
{
    return u"mailto:"_s + Address + u"?subject=Approval of File List : "_s + subjectInUrl +
           u"&body="_s + EncodedBody + u"&CC="_s;
}

} // namespace

class TestApprovalMail : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void hex2_data();
    void hex2();
    void encode_data();
    void encode();
    void listName_data();
    void listName();
    void url_data();
    void url();
    void longNames_data();
    void longNames();
    void fullyEncoded_data();
    void fullyEncoded();
    void plainText();
};

void TestApprovalMail::hex2_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("digits");
    QTest::newRow("0") << 0 << u"00"_s;
    QTest::newRow("10") << 10 << u"0A"_s;
    QTest::newRow("15") << 15 << u"0F"_s;
    QTest::newRow("16") << 16 << u"10"_s;
    QTest::newRow("171") << 171 << u"AB"_s;
    QTest::newRow("255") << 255 << u"FF"_s;
}

void TestApprovalMail::hex2()
{
    QFETCH(int, code);
    QFETCH(QString, digits);
    QCOMPARE(Hex2(code), digits);
}

void TestApprovalMail::encode_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("encoded");
    QTest::newRow("empty") << QString() << QString();
    QTest::newRow("space") << u" "_s << u"%20"_s;
    QTest::newRow("CR") << u"\r"_s << u"%0D"_s;
    QTest::newRow("LF") << u"\n"_s << u"%0A"_s;
    QTest::newRow("per cent") << u"%"_s << u"%25"_s;
    QTest::newRow("equals") << u"="_s << u"%3D"_s;
    QTest::newRow("comma") << u","_s << u"%2C"_s;
    QTest::newRow("semicolon") << u";"_s << u"%3B"_s;
    QTest::newRow("double quote") << u"\""_s << u"%22"_s;
    QTest::newRow("NUL") << QString(QChar(0)) << u"%00"_s;
    QTest::newRow("kept reserved") << u"a&b?c"_s << u"a&b?c"_s;
    QTest::newRow("kept hash") << u"x#y"_s << u"x#y"_s;
    QTest::newRow("file name") << u"Report-2.csv"_s << u"Report-2.csv"_s;
    QTest::newRow("whole kept set") << u"azAZ09-./_~&:?#!$*+@"_s << u"azAZ09-./_~&:?#!$*+@"_s;
    QTest::newRow("brackets and quote") << u"(a)'[b]"_s << u"%28a%29%27%5Bb%5D"_s;
    // Beyond ASCII: the bytes of the UTF-8 form.
    QTest::newRow("e acute") << u"\u00e9"_s << u"%C3%A9"_s;
    QTest::newRow("y diaeresis 255") << u"\u00ff"_s << u"%C3%BF"_s;
    QTest::newRow("euro") << u"\u20ac"_s << u"%E2%82%AC"_s;
    QTest::newRow("cyrillic") << u"\u0416a"_s << u"%D0%96a"_s;
    QTest::newRow("right-to-left mark") << u"a\u200fb"_s << u"a%E2%80%8Fb"_s;
    QTest::newRow("outside the BMP") << u"x\U0001F600y"_s << u"x%F0%9F%98%80y"_s;
    QTest::newRow("confirmation body")
        << u"Confirmation that the file list contains the data we are looking for and its "
           u"status is confirmed.\r\n\r\n"_s
        << EncodedBody;
}

void TestApprovalMail::encode()
{
    QFETCH(QString, text);
    QFETCH(QString, encoded);
    QCOMPARE(URLPathEncode(text), encoded);
}

void TestApprovalMail::listName_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QString>("name");
    QTest::newRow("windows path") << u"C:\\Lists\\Job42.CSV"_s << u"job42"_s;
    QTest::newRow("unix path") << u"/home/ann/Lists/Job42.csv"_s << u"job42"_s;
    QTest::newRow("member") << u"Job42.csv"_s << u"job42"_s;
    QTest::newRow("member with folder parts") << u"Lists/2024/Job42.csv"_s << u"job42"_s;
    QTest::newRow("member with backslash folders") << u"Lists\\Job42.csv"_s << u"job42"_s;
    QTest::newRow("csv inside") << u"Report.CSV.txt"_s << u"report.txt"_s;
    QTest::newRow("csv prefix of extension") << u"a.csvx"_s << u"ax"_s;
    QTest::newRow("one pass") << u"x.c.csvsv"_s << u"x.csv"_s;
    QTest::newRow("spaces") << u"My Job 42.csv"_s << u"my job 42"_s;
    QTest::newRow("accents") << u"D\u00c9J\u00c0.csv"_s << u"d\u00e9j\u00e0"_s;
    QTest::newRow("cyrillic") << u"\u0421\u043f\u0438\u0441\u043e\u043a.csv"_s
                              << u"\u0441\u043f\u0438\u0441\u043e\u043a"_s;
    QTest::newRow("empty") << QString() << QString();
    QTest::newRow("folder only") << u"/tmp/"_s << QString();
}

void TestApprovalMail::listName()
{
    QFETCH(QString, fileName);
    QFETCH(QString, name);
    QCOMPARE(approvalListName(fileName), name);
}

void TestApprovalMail::url_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("url");
    QTest::addColumn<QString>("subject"); // as the user reads it
    QTest::newRow("no list") << QString() << urlFor(QString()) << u"Approval of File List : "_s;
    QTest::newRow("plain") << u"job42"_s << urlFor(u"job42"_s)
                           << u"Approval of File List : job42"_s;
    QTest::newRow("spaces stay") << u"my job 42"_s << urlFor(u"my job 42"_s)
                                 << u"Approval of File List : my job 42"_s;
    QTest::newRow("hash") << u"job#42"_s << urlFor(u"job%2342"_s)
                          << u"Approval of File List : job#42"_s;
    QTest::newRow("ampersand") << u"a&b=c"_s << urlFor(u"a%26b%3Dc"_s)
                               << u"Approval of File List : a&b=c"_s;
    QTest::newRow("per cent") << u"100%20x"_s << urlFor(u"100%2520x"_s)
                              << u"Approval of File List : 100%20x"_s;
    QTest::newRow("plus") << u"a+b"_s << urlFor(u"a%2Bb"_s) << u"Approval of File List : a+b"_s;
    // Beyond printable ASCII: the bytes of the UTF-8 form.
    QTest::newRow("accents") << u"d\u00e9j\u00e0"_s << urlFor(u"d%C3%A9j%C3%A0"_s)
                             << u"Approval of File List : d\u00e9j\u00e0"_s;
    QTest::newRow("cyrillic") << u"\u0441\u043f\u0438"_s << urlFor(u"%D1%81%D0%BF%D0%B8"_s)
                              << u"Approval of File List : \u0441\u043f\u0438"_s;
    QTest::newRow("right-to-left mark")
        << u"\u200fjob"_s << urlFor(u"%E2%80%8Fjob"_s) << u"Approval of File List : \u200fjob"_s;
    QTest::newRow("outside the BMP") << u"x\U0001F600"_s << urlFor(u"x%F0%9F%98%80"_s)
                                     << u"Approval of File List : x\U0001F600"_s;
    QTest::newRow("new line cannot end the url")
        << u"a\nb\rc\td"_s << urlFor(u"a%0Ab%0Dc%09d"_s) << u"Approval of File List : a\nb\rc\td"_s;
    QTest::newRow("kept punctuation")
        << u"a-b.c_d~e:f"_s << urlFor(u"a-b.c_d~e:f"_s) << u"Approval of File List : a-b.c_d~e:f"_s;
    QTest::newRow("question mark and equals")
        << u"a?b=c"_s << urlFor(u"a%3Fb%3Dc"_s) << u"Approval of File List : a?b=c"_s;
    // Syntax of a mail program's command line (Thunderbird's compose
    // argument is to='..',subject='..') and of a shell passing it on.
    QTest::newRow("compose argument")
        << u"x',bcc='spy@evil.example',y='"_s
        << urlFor(u"x%27%2Cbcc%3D%27spy%40evil.example%27%2Cy%3D%27"_s)
        << u"Approval of File List : x',bcc='spy@evil.example',y='"_s;
    QTest::newRow("double quotes and semicolon")
        << u"a\"b;c"_s << urlFor(u"a%22b%3Bc"_s) << u"Approval of File List : a\"b;c"_s;
    QTest::newRow("shell") << u"$(id)`id`|<>\\*[]{}!"_s
                           << urlFor(u"%24%28id%29%60id%60%7C%3C%3E%5C%2A%5B%5D%7B%7D%21"_s)
                           << u"Approval of File List : $(id)`id`|<>\\*[]{}!"_s;
}

void TestApprovalMail::url()
{
    QFETCH(QString, name);
    QFETCH(QString, url);
    QFETCH(QString, subject);
    const ApprovalMessage m = buildApprovalMessage(name, Address);
    QCOMPARE(m.url, url);
    QCOMPARE(m.subject, subject);
    QCOMPARE(m.address, Address);
    QVERIFY(m.url.endsWith(u"&CC="_s));
    QCOMPARE(m.url.count(u"&body="_s), 1);
}

void TestApprovalMail::longNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("shortened");
    QTest::newRow("300 letters fit") << QString(300, u'a') << false;
    QTest::newRow("300 per cent signs fit") << QString(300, u'%') << false;
    QTest::newRow("300 cyrillic letters") << QString(300, QChar(0x0416)) << true;
    QTest::newRow("600 spaced words") << u"job "_s.repeated(150) << false;
    QTest::newRow("2000 letters") << QString(2000, u'b') << true;
    QString emoji;
    for (int i = 0; i < 300; ++i)
        emoji += u"\U0001F600"_s;
    QTest::newRow("300 emoji") << emoji << true;
}

void TestApprovalMail::longNames()
{
    QFETCH(QString, name);
    QFETCH(bool, shortened);
    const ApprovalMessage m = buildApprovalMessage(name, Address);
    QVERIFY2(fullyEncodedUrl(m.url).size() <= MaxApprovalUrlLength,
             qPrintable(QString::number(fullyEncodedUrl(m.url).size())));
    QVERIFY(m.url.endsWith(u"&body="_s + EncodedBody + u"&CC="_s));
    const QString prefix = u"Approval of File List : "_s;
    QVERIFY(m.subject.startsWith(prefix));
    const QString shownName = m.subject.mid(prefix.size());
    if (!shortened) {
        QCOMPARE(shownName, name);
        return;
    }
    QVERIFY(shownName.endsWith(u"\u2026"_s));
    const QString kept = shownName.chopped(1);
    QVERIFY(!kept.isEmpty());
    QVERIFY(name.startsWith(kept));
    QVERIFY(!kept.back().isHighSurrogate());
    // As much of the name as fits: one more character would not.
    QVERIFY(fullyEncodedUrl(m.url).size() > MaxApprovalUrlLength - 13);
}

void TestApprovalMail::fullyEncoded_data()
{
    QTest::addColumn<QString>("url");
    QTest::addColumn<QString>("encoded");
    QTest::newRow("ascii untouched")
        << u"mailto:a@b?subject=x%23y&CC="_s << u"mailto:a@b?subject=x%23y&CC="_s;
    QTest::newRow("space") << u"a b"_s << u"a%20b"_s;
    QTest::newRow("accent") << u"\u00e9"_s << u"%C3%A9"_s;
    QTest::newRow("right-to-left mark") << u"\u200f"_s << u"%E2%80%8F"_s;
}

void TestApprovalMail::fullyEncoded()
{
    QFETCH(QString, url);
    QFETCH(QString, encoded);
    QCOMPARE(fullyEncodedUrl(url), encoded);
}

void TestApprovalMail::plainText()
{
    const ApprovalMessage m = buildApprovalMessage(u"job#42"_s, Address);
    QCOMPARE(m.plainText(),
             u"To: approvals@lab.example\nSubject: Approval of File List : job#42\n\n"
             u"Confirmation that the file list contains the data we are looking for and its "
             u"status is confirmed.\n"_s);
}

QTEST_APPLESS_MAIN(TestApprovalMail)
#include "tst_approvalmail.moc"
