#include "find/FindQuery.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace corvane;

// Reading a find query into words, and which queries narrow which.
class TestFindQuery : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void parse_data();
    void parse();
    void longQuery();
    void narrows_data();
    void narrows();
    void sameMeaning_data();
    void sameMeaning();
};

namespace {

const QLocale English(QLocale::English, QLocale::UnitedStates);
const QLocale German(QLocale::German, QLocale::Germany);

QString kindName(FindWord::Kind kind)
{
    switch (kind) {
    case FindWord::Kind::Pattern:
        return u"pattern"_s;
    case FindWord::Kind::Ext:
        return u"ext"_s;
    case FindWord::Kind::Size:
        return u"size"_s;
    case FindWord::Kind::Modified:
        return u"dm"_s;
    case FindWord::Kind::Status:
        return u"status"_s;
    case FindWord::Kind::Class:
        return u"class"_s;
    case FindWord::Kind::Kind:
        return u"kind"_s;
    }
    return QString();
}

QString problemName(FindProblem p)
{
    switch (p) {
    case FindProblem::None:
        return QString();
    case FindProblem::BadSize:
        return u" !size"_s;
    case FindProblem::BadDate:
        return u" !date"_s;
    case FindProblem::UnknownClass:
        return u" !class"_s;
    case FindProblem::UnknownKind:
        return u" !kind"_s;
    case FindProblem::EmptyValue:
        return u" !empty"_s;
    case FindProblem::NotUnderstood:
        return u" !other"_s;
    }
    return QString();
}

QString rawSize(qint64 raw)
{
    if (raw == std::numeric_limits<qint64>::min() || raw == std::numeric_limits<qint64>::max())
        return u"*"_s;
    return raw % 10000 == 0 ? QString::number(raw / 10000) : QString::number(raw) + u"e-4"_s;
}

// One word as "kind start+length[-] what" ("size 0+10 1048577..*").
QString describe(const FindWord &w)
{
    QString out = kindName(w.kind) + u' ' + QString::number(w.start) + u'+' +
                  QString::number(w.length) + (w.exclude ? u"-"_s : QString());
    if (!w.isUsed())
        return out + problemName(w.problem);
    switch (w.kind) {
    case FindWord::Kind::Pattern:
    case FindWord::Kind::Ext:
        return out + u' ' + w.patterns.join(u'|');
    case FindWord::Kind::Size:
        return out + u' ' + rawSize(w.sizeLow) + u".."_s + rawSize(w.sizeHigh);
    case FindWord::Kind::Modified:
        return out + u' ' + (w.dayFrom.isValid() ? w.dayFrom.toString(Qt::ISODate) : u"*"_s) +
               u".."_s + (w.dayTo.isValid() ? w.dayTo.toString(Qt::ISODate) : u"*"_s);
    case FindWord::Kind::Status:
        return out + u' ' + w.value;
    case FindWord::Kind::Class:
        return out + u' ' + statusClassName(w.statusClass);
    case FindWord::Kind::Kind:
        return out + u' ' + fileKindId(w.fileKind);
    }
    return out;
}

QStringList describeAll(const FindQuery &q)
{
    QStringList out;
    for (const FindWord &w : q.words())
        out.append(describe(w));
    return out;
}

} // namespace

void TestFindQuery::parse_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("words");
    QTest::addColumn<bool>("empty");

    QTest::newRow("two patterns") << u"Rechnung 2019"_s
                                  << QStringList{u"pattern 0+8 *rechnung*"_s,
                                                 u"pattern 9+4 *2019*"_s}
                                  << false;
    QTest::newRow("spaces around and between")
        << u"  a   b "_s << QStringList{u"pattern 2+1 *a*"_s, u"pattern 6+1 *b*"_s} << false;
    QTest::newRow("stars kept, ; part of the pattern")
        << u"*.doc a;b"_s << QStringList{u"pattern 0+5 *.doc*"_s, u"pattern 6+3 *a;b*"_s} << false;
    QTest::newRow("quotes keep a space; the word's place includes them")
        << u"x \"annual report\""_s
        << QStringList{u"pattern 0+1 *x*"_s, u"pattern 2+15 *annual report*"_s} << false;
    QTest::newRow("a quote left open runs to the end")
        << u"\"a b"_s << QStringList{u"pattern 0+4 *a b*"_s} << false;
    QTest::newRow("excluded pattern") << u"-tmp"_s << QStringList{u"pattern 0+4- *tmp*"_s} << false;
    QTest::newRow("a quoted - is part of the pattern")
        << u"\"-tmp\""_s << QStringList{u"pattern 0+6 *-tmp*"_s} << false;
    QTest::newRow("unknown key: a pattern")
        << u"foo:bar C:\\x"_s << QStringList{u"pattern 0+7 *foo:bar*"_s, u"pattern 8+4 *c:\\x*"_s}
        << false;
    QTest::newRow("a quoted key: a pattern")
        << u"\"size:1\""_s << QStringList{u"pattern 0+8 *size:1*"_s} << false;
    QTest::newRow("ext, several, dots and case")
        << u"EXT:JPG;.png,,tif"_s << QStringList{u"ext 0+17 *.jpg|*.png|*.tif"_s} << false;
    QTest::newRow("excluded ext") << u"-ext:tmp"_s << QStringList{u"ext 0+8- *.tmp"_s} << false;
    QTest::newRow("size greater, kb of 1024")
        << u"size:>10mb"_s << QStringList{u"size 0+10 104857600001e-4..*"_s} << false;
    QTest::newRow("size less") << u"size:<1kb"_s << QStringList{u"size 0+9 *..10239999e-4"_s}
                               << false;
    QTest::newRow("size at most, at least")
        << u"size:<=1KB size:>=2.5k"_s
        << QStringList{u"size 0+10 *..1024"_s, u"size 11+11 2560..*"_s} << false;
    QTest::newRow("size range") << u"size:1mb..1gb"_s
                                << QStringList{u"size 0+13 1048576..1073741824"_s} << false;
    QTest::newRow("size open ranges, plain bytes, decimal comma")
        << u"size:100.. size:..1,5kb size:42"_s
        << QStringList{u"size 0+10 100..*"_s, u"size 11+12 *..1536"_s, u"size 24+7 42..42"_s}
        << false;
    QTest::newRow("size:.. is no size") << u"size:.."_s << QStringList{u"size 0+7 !size"_s} << true;
    QTest::newRow("bad sizes") << u"size:>abc size:5xb size:2..1 size:>"_s
                               << QStringList{u"size 0+9 !size"_s, u"size 10+8 !size"_s,
                                              u"size 19+9 !size"_s, u"size 29+6 !size"_s}
                               << true;
    QTest::newRow("a size beyond the byte total's range")
        << u"size:>99999999tb"_s << QStringList{u"size 0+16 !size"_s} << true;
    QTest::newRow("dm year, month, day")
        << u"dm:2019 dm:2019-02 dm:2020-02-29"_s
        << QStringList{u"dm 0+7 2019-01-01..2019-12-31"_s, u"dm 8+10 2019-02-01..2019-02-28"_s,
                       u"dm 19+13 2020-02-29..2020-02-29"_s}
        << false;
    QTest::newRow("dm range and comparisons")
        << u"dm:2019-03-01..2019-06-30 dm:>2019 dm:<2019-03 dm:2018.."_s
        << QStringList{u"dm 0+25 2019-03-01..2019-06-30"_s, u"dm 26+8 2020-01-01..*"_s,
                       u"dm 35+11 *..2019-02-28"_s, u"dm 47+9 2018-01-01..*"_s}
        << false;
    QTest::newRow("dm as the locale writes a date")
        << u"dm:3/1/2019"_s << QStringList{u"dm 0+11 2019-03-01..2019-03-01"_s} << false;
    QTest::newRow("bad dates") << u"dm:9999-99 dm:2019-02-30 dm:abc dm:2019-06..2019-03"_s
                               << QStringList{u"dm 0+10 !date"_s, u"dm 11+13 !date"_s,
                                              u"dm 25+6 !date"_s, u"dm 32+19 !date"_s}
                               << true;
    QTest::newRow("status, class, kind")
        << u"status:Dam class:BAD kind:photos"_s
        << QStringList{u"status 0+10 Dam"_s, u"class 11+9 bad"_s, u"kind 21+11 photos"_s} << false;
    QTest::newRow("a class or kind by its beginning, when only one begins so")
        << u"class:p kind:pho kind:p"_s
        << QStringList{u"class 0+7 partial"_s, u"kind 8+8 photos"_s, u"kind 17+6 !kind"_s} << false;
    QTest::newRow("unknown class and kind")
        << u"class:fine kind:cats"_s << QStringList{u"class 0+10 !class"_s, u"kind 11+9 !kind"_s}
        << true;
    QTest::newRow("quoted status")
        << u"status:\"not rec\""_s << QStringList{u"status 0+16 not rec"_s} << false;
    QTest::newRow("empty values") << u"ext: size: dm: \"\" -"_s
                                  << QStringList{u"ext 0+4 !empty"_s, u"size 5+5 !empty"_s,
                                                 u"dm 11+3 !empty"_s, u"pattern 15+2 !empty"_s,
                                                 u"pattern 18+1- !empty"_s}
                                  << true;
    QTest::newRow("ext of dots only") << u"ext:.;."_s << QStringList{u"ext 0+7 !empty"_s} << true;
    QTest::newRow("only spaces") << u"     "_s << QStringList{} << true;
    QTest::newRow("only -") << u"- - -"_s
                            << QStringList{u"pattern 0+1- !empty"_s, u"pattern 2+1- !empty"_s,
                                           u"pattern 4+1- !empty"_s}
                            << true;
    QTest::newRow("a bad word beside a good one")
        << u"size:>abc foto"_s << QStringList{u"size 0+9 !size"_s, u"pattern 10+4 *foto*"_s}
        << false;
}

void TestFindQuery::parse()
{
    QFETCH(QString, text);
    QFETCH(QStringList, words);
    QFETCH(bool, empty);
    const FindQuery q = FindQuery::parse(text, English);
    QCOMPARE(describeAll(q), words);
    QCOMPARE(q.isEmpty(), empty);
}

void TestFindQuery::longQuery()
{
    // 10,000 characters: words as many as typed, one word as long as typed.
    QString many;
    for (int i = 0; i < 2000; ++i)
        many += u"ab12 "_s;
    const FindQuery q = FindQuery::parse(many, English);
    QCOMPARE(q.words().size(), size_t(2000));
    QCOMPARE(q.words().back().start, 9995);
    const QString one(10000, u'x');
    const FindQuery single = FindQuery::parse(QString(u"-"_s + one), English);
    QCOMPARE(single.words().size(), size_t(1));
    QCOMPARE(single.words().front().length, 10001);
    QVERIFY(single.words().front().exclude);
    QVERIFY(!single.isEmpty());
    const FindQuery quotes = FindQuery::parse(QString(10000, u'"'), English);
    QVERIFY(quotes.isEmpty());
}

void TestFindQuery::narrows_data()
{
    QTest::addColumn<QString>("previous");
    QTest::addColumn<QString>("next");
    QTest::addColumn<bool>("narrows");

    QTest::newRow("a letter added") << u"rech"_s << u"rechn"_s << true;
    QTest::newRow("a word added") << u"rech"_s << u"rech 2019"_s << true;
    QTest::newRow("a space added") << u"rech"_s << u"rech "_s << true;
    QTest::newRow("from nothing") << QString() << u"r"_s << true;
    QTest::newRow("a letter taken away") << u"rechn"_s << u"rech"_s << false;
    QTest::newRow("a letter put before") << u"ech"_s << u"rech"_s << true;
    QTest::newRow("another word") << u"rech"_s << u"foto"_s << false;
    QTest::newRow("an excluded word grows: fewer excluded") << u"-tmp"_s << u"-tmpx"_s << false;
    QTest::newRow("a lone - becomes an exclusion") << u"a -"_s << u"a -t"_s << true;
    QTest::newRow("an open [ may become a class") << u"a["_s << u"a[b]"_s << false;
    QTest::newRow("a closed class grows") << u"[ab]x"_s << u"[ab]xy"_s << false;
    QTest::newRow("a ? grows") << u"a?"_s << u"a?c"_s << true;
    QTest::newRow("a bad word becomes good") << u"foto size:>"_s << u"foto size:>1"_s << true;
    QTest::newRow("a good word becomes bad") << u"size:>1"_s << u"size:>1x"_s << false;
    QTest::newRow("size bound raised") << u"size:>1"_s << u"size:>10"_s << true;
    QTest::newRow("size bound lowered") << u"size:<10"_s << u"size:<1"_s << true;
    QTest::newRow("size bound of < raised") << u"size:<1"_s << u"size:<10"_s << false;
    QTest::newRow("ext grows into another") << u"ext:jp"_s << u"ext:jpg"_s << false;
    QTest::newRow("an extension taken away") << u"ext:jpg;png"_s << u"ext:jpg"_s << true;
    QTest::newRow("an extension added") << u"ext:jpg"_s << u"ext:jpg;png"_s << false;
    QTest::newRow("dm year to its month") << u"dm:2019"_s << u"dm:2019-03"_s << true;
    QTest::newRow("dm month to another year") << u"dm:2019"_s << u"dm:2019..2020"_s << false;
    QTest::newRow("status grows") << u"status:dam"_s << u"status:dama"_s << true;
    QTest::newRow("the same words in another order") << u"a b"_s << u"b a"_s << true;
    QTest::newRow("quotes opened") << u"\"annual"_s << u"\"annual r"_s << true;
}

void TestFindQuery::narrows()
{
    QFETCH(QString, previous);
    QFETCH(QString, next);
    QFETCH(bool, narrows);
    QCOMPARE(FindQuery::parse(next, English).narrows(FindQuery::parse(previous, English)), narrows);
    // Another locale reads dates otherwise: nothing is sure then.
    QVERIFY(!FindQuery::parse(next, German).narrows(FindQuery::parse(previous, English)));
}

void TestFindQuery::sameMeaning_data()
{
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::addColumn<bool>("same");

    QTest::newRow("spaces") << u"a  b"_s << u" a b "_s << true;
    QTest::newRow("order") << u"a ext:jpg"_s << u"ext:jpg a"_s << true;
    QTest::newRow("case of a pattern") << u"Foto"_s << u"foto"_s << true;
    QTest::newRow("ignored words") << u"a size:x"_s << u"a"_s << true;
    QTest::newRow("extension order and dots") << u"ext:png;.jpg"_s << u"ext:jpg;png"_s << true;
    QTest::newRow("sizes in units and bytes") << u"size:>1kb"_s << u"size:>1024"_s << true;
    QTest::newRow("excluded or not") << u"-a"_s << u"a"_s << false;
    QTest::newRow("another bound") << u"size:>1kb"_s << u"size:>=1kb"_s << false;
    QTest::newRow("a pattern is no key") << u"\"ext:jpg\""_s << u"ext:jpg"_s << false;
}

void TestFindQuery::sameMeaning()
{
    QFETCH(QString, a);
    QFETCH(QString, b);
    QFETCH(bool, same);
    QCOMPARE(FindQuery::parse(a, English) == FindQuery::parse(b, English), same);
}

QTEST_GUILESS_MAIN(TestFindQuery)
#include "tst_findquery.moc"
