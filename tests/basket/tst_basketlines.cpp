// The basket's lines one by one: a search result's lines found in the list it
// was cut from (whatever the two encodings, repeated lines paired in order),
// and the files behind each warning.

#include "basket/ChosenFiles.h"
#include "basket/LineMapping.h"
#include "listfile/ListLoader.h"
#include "listfile/ListText.h"

#include <QTest>

using namespace corvane;
using namespace corvane::basket;
using namespace Qt::Literals::StringLiterals;

namespace {

LoadedList listOf(const QStringList &lines, ListEncoding encoding)
{
    QByteArray bytes;
    for (const QString &line : lines)
        bytes += encodeListText(line, encoding) + "\r\n";
    return loadListBytes({bytes, encoding, true, {}, false});
}

} // namespace

class TestBasketLines : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void mapsResultLines_data();
    void mapsResultLines();
    void warningFilesList_data();
    void warningFilesList();
};

void TestBasketLines::mapsResultLines_data()
{
    QTest::addColumn<QStringList>("opened");
    QTest::addColumn<bool>("openedUtf8");
    QTest::addColumn<QStringList>("result");
    QTest::addColumn<bool>("resultUtf8");
    const QStringList ascii = {u"D\\a\\1.jpg,d,1,A,ok"_s, u"D\\a\\2.jpg,d,2,A,ok"_s,
                               u"D\\b\\3.doc,d,3,A,bad"_s, u"D\\c.txt,d,4,A,ok"_s};
    QTest::newRow("same encoding, a few lines")
        << ascii << false << QStringList{u"D\\a\\2.jpg,d,2,A,ok"_s, u"D\\c.txt,d,4,A,ok"_s}
        << false;
    QTest::newRow("every line") << ascii << false << ascii << true;
    QTest::newRow("lines the list does not hold")
        << ascii << false << QStringList{u"D\\a\\0.jpg,d,1,A,ok"_s, u"Z,d,1,A,ok"_s} << true;
    const QStringList accents = {u"D\\\u00e9t\u00e9\\x.jpg,d,1,A,ok"_s, u"D\\ete\\y.jpg,d,1,A,ok"_s,
                                 u"D\\\u00c4rger.doc,d,5,A,ok"_s, u"D\\Zebra.doc,d,5,A,ok"_s};
    QTest::newRow("Windows-1252 list, UTF-8 result") << accents << false << accents << true;
    QTest::newRow("UTF-8 list, UTF-8 result") << accents << true << accents << true;
    const QStringList twice = {u"D\\x,d,1,A,ok"_s, u"D\\x,d,1,A,ok"_s, u"D\\y,d,1,A,ok"_s};
    QTest::newRow("a line twice in both") << twice << false << twice << true;
    QTest::newRow("a line twice in the result, once in the list")
        << QStringList{u"D\\x,d,1,A,ok"_s} << false << twice << true;
    QTest::newRow("empty result") << ascii << false << QStringList{} << true;
    // Folders and names that sort apart in the two encodings, every third
    // line in the result; a name Windows-1252 cannot write is in neither.
    QStringList many;
    QStringList third;
    const QStringList parts = {u"a"_s,      u"\u00e9"_s, u"Z"_s,     u"\u20ac"_s,
                               u"\u00ff"_s, u"_"_s,      u"\u0152"_s};
    for (int i = 0; i < 600; ++i) {
        const QString line = u"D\\%1%2\\%3%4.txt,d,%5,A,ok"_s
                                 .arg(parts[i % 7], parts[(i / 7) % 7], parts[(i / 49) % 7])
                                 .arg(i)
                                 .arg(i);
        many.append(line);
        if (i % 3 == 0)
            third.append(line);
    }
    QTest::newRow("generated, Windows-1252 list") << many << false << third << true;
    QTest::newRow("generated, UTF-8 list") << many << true << third << true;
    QTest::newRow("a character Windows-1252 has not")
        << ascii << false << QStringList{u"D\\\U0001F600.jpg,d,1,A,ok"_s, ascii.at(1)} << true;
}

// Each line of the result is paired with a line of the same text, no line of
// the list twice; lines the list lacks get -1.
void TestBasketLines::mapsResultLines()
{
    QFETCH(QStringList, opened);
    QFETCH(bool, openedUtf8);
    QFETCH(QStringList, result);
    QFETCH(bool, resultUtf8);
    const LoadedList list =
        listOf(opened, openedUtf8 ? ListEncoding::Utf8 : ListEncoding::Windows1252);
    const LoadedList cut =
        listOf(result, resultUtf8 ? ListEncoding::Utf8 : ListEncoding::Windows1252);
    const std::vector<qint32> map = mapLines(cut.iGrid1, list.iGrid1);
    QCOMPARE(qsizetype(map.size()), cut.iGrid1.count());
    QList<qint32> used;
    QMultiHash<QString, qint32> available;
    for (qsizetype j = 0; j < list.iGrid1.count(); ++j)
        available.insert(list.iGrid1.text(j), qint32(j));
    for (qsizetype i = 0; i < cut.iGrid1.count(); ++i) {
        const QString text = cut.iGrid1.text(i);
        const qint32 at = map[size_t(i)];
        if (at < 0) {
            // Only when every copy in the list is taken already.
            const QList<qint32> copies = available.values(text);
            QVERIFY2(std::all_of(copies.begin(), copies.end(),
                                 [&used](qint32 c) { return used.contains(c); }),
                     qPrintable(text));
            continue;
        }
        QCOMPARE(list.iGrid1.text(at), text);
        QVERIFY2(!used.contains(at), qPrintable(text));
        used.append(at);
    }
}

void TestBasketLines::warningFilesList_data()
{
    QTest::addColumn<int>("warning");
    QTest::addColumn<int>("fs");
    QTest::addColumn<qsizetype>("limit");
    QTest::addColumn<QStringList>("names"); // the files listed, in order
    QTest::addColumn<qint64>("total");
    QTest::newRow("largest first")
        << int(Warning::DoesNotFit) << int(FileSystem::ExFat) << qsizetype(3)
        << QStringList{u"huge"_s, u"big"_s, u"mid"_s} << qint64(5);
    QTest::newRow("largest, fewer than the limit")
        << int(Warning::DoesNotFit) << int(FileSystem::ExFat) << qsizetype(10)
        << QStringList{u"huge"_s, u"big"_s, u"mid"_s, u"small"_s, u"zero"_s} << qint64(5);
    QTest::newRow("too big for FAT32")
        << int(Warning::TooBigForFileSystem) << int(FileSystem::Fat32) << qsizetype(10)
        << QStringList{u"huge"_s} << qint64(1);
    QTest::newRow("nothing too big for exFAT")
        << int(Warning::TooBigForFileSystem) << int(FileSystem::ExFat) << qsizetype(10)
        << QStringList{} << qint64(0);
    QTest::newRow("long path, cut to the limit")
        << int(Warning::PathTooLong) << int(FileSystem::Ntfs) << qsizetype(0) << QStringList{}
        << qint64(1);
}

void TestBasketLines::warningFilesList()
{
    QFETCH(int, warning);
    QFETCH(int, fs);
    QFETCH(qsizetype, limit);
    QFETCH(QStringList, names);
    QFETCH(qint64, total);
    const QString deep = u"x"_s.repeated(300);
    const LoadedList list = listOf({u"T\\big,d,4294967295,A,ok"_s, u"T\\huge,d,4294967296,A,ok"_s,
                                    u"T\\mid,d,1000.5,A,ok"_s, u"T\\small,d,3,A,ok"_s,
                                    u"T\\zero,d,0,A,ok"_s, u"T\\"_s + deep + u",d,1,A,ok"_s},
                                   ListEncoding::Windows1252);
    Basket basket(list.iGrid1.count());
    // Every line but the long path, unless that is what is asked about.
    for (qsizetype i = 0; i < list.iGrid1.count(); ++i) {
        const bool isDeep = list.iGrid1.text(i).contains(deep);
        basket.set(i, isDeep == (warning == int(Warning::PathTooLong)));
    }
    qint64 counted = -1;
    const std::vector<ChosenFile> files =
        warningFiles(list.iGrid1, basket, FileSystem(fs), 2, Warning(warning), limit, &counted);
    QCOMPARE(counted, total);
    QStringList listed;
    for (const ChosenFile &f : files)
        listed.append(list.iGrid1.text(f.line).section(u'\\', 1).section(u',', 0, 0));
    QCOMPARE(listed, names);
    if (warning == int(Warning::DoesNotFit) && !files.empty())
        QCOMPARE(files.front().size, qint64(4294967296));
}

QTEST_GUILESS_MAIN(TestBasketLines)
#include "tst_basketlines.moc"
