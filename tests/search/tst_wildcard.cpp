#include "search/WildcardPattern.h"

#include <QElapsedTimer>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace corvane;

// The pattern list of a term and the wildcard matcher.
class TestWildcard : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void patterns_data();
    void patterns();
    void matching_data();
    void matching();
    void bytesAndTextAgree_data();
    void bytesAndTextAgree();
    void hostilePatternsStayLinear();
    void plainRun_data();
    void plainRun();
};

void TestWildcard::patterns_data()
{
    QTest::addColumn<QString>("term");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("plain") << u"report"_s << QStringList{u"*report*"_s};
    QTest::newRow("upper case") << u"REPORT"_s << QStringList{u"*report*"_s};
    QTest::newRow("extension") << u"*.doc"_s << QStringList{u"*.doc*"_s};
    QTest::newRow("trailing semicolon") << u"abc;"_s << QStringList{u"*abc*"_s, u"*"_s};
    QTest::newRow("spaces only") << u"   "_s << QStringList{u"*"_s};
    QTest::newRow("space after semicolon")
        << u"*.doc; *reports*.xls"_s << QStringList{u"*.doc*"_s, u"*reports*.xls*"_s};
    QTest::newRow("spaces around every piece")
        << u"*.pdf ;  *.jpg  ; x"_s << QStringList{u"*.pdf*"_s, u"*.jpg*"_s, u"*x*"_s};
    QTest::newRow("space inside a piece kept")
        << u"a; my docs ;b"_s << QStringList{u"*a*"_s, u"*my docs*"_s, u"*b*"_s};
    QTest::newRow("piece of spaces only")
        << u"a;   ;b"_s << QStringList{u"*a*"_s, u"*"_s, u"*b*"_s};
    QTest::newRow("tab at a piece's end kept") << u"a;\tb"_s << QStringList{u"*a*"_s, u"*\tb*"_s};
    QTest::newRow("outer spaces trimmed") << u"  a b  "_s << QStringList{u"*a b*"_s};
    QTest::newRow("tabs are not trimmed") << u"\tx"_s << QStringList{u"*\tx*"_s};
    QTest::newRow("only semicolon") << u";"_s << QStringList{u"*"_s, u"*"_s};
    QTest::newRow("digit wildcard") << u"log#"_s << QStringList{u"*log#*"_s};
    QTest::newRow("accent lowered") << u"\u00c4rger"_s << QStringList{u"*\u00e4rger*"_s};
    QTest::newRow("stars kept") << u"*a*"_s << QStringList{u"*a*"_s};
}

void TestWildcard::patterns()
{
    QFETCH(QString, term);
    QFETCH(QStringList, expected);
    QCOMPARE(searchPatterns(term), expected);
}

void TestWildcard::matching_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("subject");
    QTest::addColumn<bool>("expected");
    QTest::newRow("contains") << u"*report*"_s << u"data\\reports\\a.doc"_s << true;
    QTest::newRow("contains not") << u"*report*"_s << u"data\\repo\\a.doc"_s << false;
    QTest::newRow("whole subject") << u"abc"_s << u"abc"_s << true;
    QTest::newRow("whole subject, longer") << u"abc"_s << u"abcd"_s << false;
    QTest::newRow("prefix anchored") << u"ab*"_s << u"xab"_s << false;
    QTest::newRow("suffix anchored") << u"*ab"_s << u"abx"_s << false;
    QTest::newRow("suffix") << u"*ab"_s << u"xxab"_s << true;
    QTest::newRow("docx") << u"*.doc*"_s << u"a.docx"_s << true;
    QTest::newRow("doc.bak") << u"*.doc*"_s << u"a.doc.bak"_s << true;
    QTest::newRow("question") << u"a?c"_s << u"abc"_s << true;
    QTest::newRow("question needs one") << u"a?c"_s << u"ac"_s << false;
    QTest::newRow("digit") << u"*log#*"_s << u"log1.txt"_s << true;
    QTest::newRow("digit not letter") << u"*log#*"_s << u"logs.txt"_s << false;
    QTest::newRow("star takes CR LF") << u"*a*"_s << u"a\r\n"_s << true;
    QTest::newRow("question takes CR") << u"*a?*"_s << u"a\r\n"_s << true;
    QTest::newRow("list") << u"[abc]x"_s << u"bx"_s << true;
    QTest::newRow("list miss") << u"[abc]x"_s << u"dx"_s << false;
    QTest::newRow("range") << u"[a-f]1"_s << u"e1"_s << true;
    QTest::newRow("range miss") << u"[a-f]1"_s << u"g1"_s << false;
    QTest::newRow("negated") << u"[!a-f]1"_s << u"g1"_s << true;
    QTest::newRow("negated miss") << u"[!a-f]1"_s << u"a1"_s << false;
    QTest::newRow("star in brackets") << u"a[*]"_s << u"a*"_s << true;
    QTest::newRow("star in brackets is literal") << u"a[*]"_s << u"ab"_s << false;
    QTest::newRow("question in brackets") << u"a[?]"_s << u"ab"_s << false;
    QTest::newRow("hash in brackets") << u"a[#]"_s << u"a#"_s << true;
    QTest::newRow("hash in brackets not digit") << u"a[#]"_s << u"a1"_s << false;
    QTest::newRow("unclosed bracket") << u"*file[1*"_s << u"file[1.txt"_s << true;
    QTest::newRow("unclosed bracket no class") << u"*file[1*"_s << u"file1.txt"_s << false;
    QTest::newRow("lone open") << u"["_s << u"["_s << true;
    QTest::newRow("lone close") << u"]"_s << u"]"_s << true;
    QTest::newRow("empty brackets literal") << u"*[]*"_s << u"a[]b"_s << true;
    QTest::newRow("empty brackets no char") << u"[]"_s << u"a"_s << false;
    QTest::newRow("negated empty literal") << u"*[!]*"_s << u"x[!]"_s << true;
    QTest::newRow("close first in list") << u"[]a]"_s << u"]"_s << true;
    QTest::newRow("reversed range holds nothing") << u"[z-a]"_s << u"m"_s << false;
    QTest::newRow("reversed range negated") << u"[!z-a]"_s << u"m"_s << true;
    QTest::newRow("dash first") << u"[-a]"_s << u"-"_s << true;
    QTest::newRow("dash last") << u"[a-]"_s << u"-"_s << true;
    QTest::newRow("dash alone") << u"[-]"_s << u"-"_s << true;
    QTest::newRow("accent") << u"*\u00e4*"_s << u"b\u00e4r"_s << true;
    QTest::newRow("beyond BMP is one char") << u"a?b"_s << u"a\U0001F600b"_s << true;
    QTest::newRow("only stars") << u"***"_s << QString() << true;
    QTest::newRow("empty pattern, empty subject") << QString() << QString() << true;
    QTest::newRow("empty pattern") << QString() << u"a"_s << false;
    QTest::newRow("stars and many a")
        << u"*a*a*a*a*a*a*b"_s << u"aaaaaaaaaaaaaaaaaaaaaaaaaaaaaab"_s << true;
    QTest::newRow("stars and many a, no b")
        << u"*a*a*a*a*a*a*b"_s << u"aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa"_s << false;
    QTest::newRow("overlapping segments") << u"*aab*"_s << u"aaab"_s << true;
    QTest::newRow("segments in order") << u"*b*a*"_s << u"ab"_s << false;
    QTest::newRow("head and tail overlap") << u"ab*ba"_s << u"aba"_s << false;
}

void TestWildcard::matching()
{
    QFETCH(QString, pattern);
    QFETCH(QString, subject);
    QFETCH(bool, expected);
    QCOMPARE(WildcardPattern(pattern).matches(subject), expected);
}

// The byte matcher reads Windows-1252 bytes as their lower-case characters:
// it must agree with the text matcher on the decoded, lower-cased subject.
void TestWildcard::bytesAndTextAgree_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("expected");
    QTest::newRow("upper ASCII") << u"*report*"_s << QByteArray("Data\\REPORT.doc") << true;
    QTest::newRow("A umlaut upper") << u"*\u00e4rger*"_s << QByteArray("\xC4rger.txt") << true;
    QTest::newRow("S caron upper") << u"*\u0161*"_s << QByteArray("\x8A") << true;
    QTest::newRow("Y diaeresis upper") << u"*\u00ff*"_s << QByteArray("\x9F") << true;
    QTest::newRow("OE upper") << u"*\u0153*"_s << QByteArray("\x8C") << true;
    QTest::newRow("range over accents") << u"[\u00e0-\u00fe]"_s << QByteArray("\xC9") << true;
    QTest::newRow("digit") << u"#"_s << QByteArray("7") << true;
    QTest::newRow("digit not superscript") << u"#"_s << QByteArray("\xB2") << false;
    QTest::newRow("euro") << u"*\u20ac*"_s << QByteArray("5\x80") << true;
    QTest::newRow("NUL byte") << u"a?b"_s << QByteArray("a\0b", 3) << true;
    QTest::newRow("undefined byte") << u"a?b"_s
                                    << QByteArray("a\x81"
                                                  "b")
                                    << true;
}

void TestWildcard::bytesAndTextAgree()
{
    QFETCH(QString, pattern);
    QFETCH(QByteArray, bytes);
    QFETCH(bool, expected);
    WildcardPattern p(pattern);
    QString text;
    for (char b : bytes)
        text.append(QChar(char16_t(cp1252::decode(uchar(b)))));
    QCOMPARE(p.matches(text.toLower()), expected);
    QCOMPARE(p.matchesBytes(bytes), expected);
}

// No backtracking that explodes: hostile patterns against long subjects end
// at once (a generous bound; the point is that they end).
void TestWildcard::hostilePatternsStayLinear()
{
    const QByteArray as(1 << 20, 'a');
    QElapsedTimer timer;
    timer.start();
    QVERIFY(!WildcardPattern(u"*a*a*a*a*a*a*b"_s).matchesBytes(as));
    QVERIFY(!WildcardPattern(u"*a*a*a*a*a*a*b"_s).matches(QString::fromLatin1(as)));
    QVERIFY(!WildcardPattern(QString(u"*"_s + QString(200, u'a') + u"b*"_s)).matchesBytes(as));
    const QString longTerm = QString(10000, u'a');
    QVERIFY(WildcardPattern(QString(u"*"_s + longTerm + u"*"_s)).matchesBytes(as));
    QVERIFY(!WildcardPattern(QString(u"*"_s + longTerm + u"b*"_s)).matchesBytes(as.first(200000)));
    QVERIFY2(timer.elapsed() < 20000, "hostile patterns took too long");
}

void TestWildcard::plainRun_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("run");
    QTest::newRow("plain") << u"*report*"_s << u"report"_s;
    QTest::newRow("longest") << u"*ab*cdef?g*"_s << u"cdef"_s;
    QTest::newRow("classes break runs") << u"*ab[x]cde*"_s << u"cde"_s;
    QTest::newRow("wildcards only") << u"*#?#[a-c]*"_s << QString();
    QTest::newRow("comma breaks") << u"*ab,cde*"_s << u"cde"_s;
}

void TestWildcard::plainRun()
{
    QFETCH(QString, pattern);
    QFETCH(QString, run);
    const std::u32string got = WildcardPattern(pattern).plainRun();
    QCOMPARE(QString::fromUcs4(got.data(), qsizetype(got.size())), run);
}

QTEST_GUILESS_MAIN(TestWildcard)
#include "tst_wildcard.moc"
