#include "ListGenerator.h"
#include "browse/FolderListing.h"
#include "find/FindFigures.h"
#include "find/FindLineTest.h"
#include "find/FindPass.h"
#include "listfile/ListDate.h"
#include "listfile/ListLine.h"
#include "listfile/ListLoader.h"

#include <QRandomGenerator>
#include <QTest>

#include <algorithm>
#include <array>

using namespace Qt::Literals::StringLiterals;
using namespace corvane;

// The passes of find as you type over loaded lists: what a query matches,
// narrowing within the matches before, two threads, stop, and the counts per
// folder and per status.
class TestFindPass : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void matching_data();
    void matching();
    void countsAndBytes();
    void lineShapes_data();
    void lineShapes();
    void narrowingIsAFullPass();
    void datesAsTheDateSearchReadsThem();
    void twoThreadsAsOne();
    void stopGivesUp();
    void perItemAsStretches_data();
    void perItemAsStretches();
    void perStatus();
};

namespace {

const QLocale English(QLocale::English, QLocale::UnitedStates);

LoadedList load(QByteArray data, ListEncoding encoding = ListEncoding::Windows1252)
{
    ListBytes bytes;
    bytes.bytes = std::move(data);
    bytes.encoding = encoding;
    bytes.fileFound = true;
    LoadOptions options;
    options.collationLocale = English;
    return loadListBytes(std::move(bytes), options);
}

// A small disk: invoices, photos (a folder entry, a line without a date),
// a line without a status, one without any ",", an "é" in Windows-1252.
QByteArray smallList()
{
    return "Data\\Rechnungen\\2019\\Rechnung_03.xls,2019-03-14 "
           "10:00:00,2500000,32;AAAA,Recovered\r\n"
           "Data\\Rechnungen\\2019\\Rechnung_04.XLS,2019-04-02 10:00:00,800,32;AAAB,Damaged\r\n"
           "Data\\Rechnungen\\2018\\alt.doc,2018-12-31 23:59:59,1048576,32;AAAC,Partially "
           "recovered\r\n"
           "Data\\Fotos\\IMG_2019.JPG,2019-07-01 08:00:00,3145728,32;AAAD,Recovered\r\n"
           "Data\\Fotos\\Urlaub,2019-07-01 08:00:00,0,16;AAAE,Recovered\r\n"
           "Data\\Fotos\\Urlaub\\strand.jpg,not a date,5000000,32;AAAF,Not recovered\r\n"
           "Data\\Fotos\\Urlaub\\Caf\xE9.png,2020-01-05 12:00:00,1048577,32;AAB0,Overwritten\r\n"
           "Data\\Musik\\song.mp3,2019-02-28 00:00:00,,32;AAB1\r\n"
           "Data\\readme\r\n"
           "Data\\annual report.pdf,2019-05-05 05:05:05,12,32;AAB2,Recovered\r\n";
}

// The names (last "\"-component of field 0) of the matches, sorted.
QStringList namesOf(const LoadedList &list, const FindMatches &m)
{
    QStringList names;
    for (qsizetype i = 0; i < list.iGrid1.count(); ++i) {
        if (!m.contains(qint32(i)))
            continue;
        const QString path = list.iGrid1.text(i).section(u',', 0, 0);
        names.append(path.section(u'\\', -1));
    }
    names.sort();
    return names;
}

// What each line's own test says, line by line in the store's order.
FindMatches oracle(const LoadedList &list, const FindQuery &query)
{
    FindMatches m;
    FindLineTest test(query, list.iGrid1.encoding());
    for (qsizetype i = 0; i < list.iGrid1.count(); ++i) {
        std::optional<ByteTotal> size;
        if (query.isEmpty() || test.matches(list.iGrid1.line(i), false, &size)) {
            m.lines.push_back(qint32(i));
            ++m.count;
            if (size)
                m.bytes.tryAdd(*size);
        }
    }
    return m;
}

// The lines of m, all of them listed when m says all.
std::vector<qint32> linesOf(const LoadedList &list, const FindMatches &m)
{
    if (!m.all)
        return m.lines;
    std::vector<qint32> every(size_t(list.iGrid1.count()));
    for (size_t i = 0; i < every.size(); ++i)
        every[i] = qint32(i);
    return every;
}

LoadedList generated(qint64 lines, quint64 seed)
{
    listgen::GeneratorOptions options;
    options.lines = lines;
    options.seed = seed;
    return load(listgen::generateListBytes(options));
}

} // namespace

void TestFindPass::matching_data()
{
    QTest::addColumn<QString>("query");
    QTest::addColumn<QStringList>("names");

    const QStringList all{u"Caf\u00e9.png"_s,     u"IMG_2019.JPG"_s, u"Rechnung_03.xls"_s,
                          u"Rechnung_04.XLS"_s,   u"Urlaub"_s,       u"alt.doc"_s,
                          u"annual report.pdf"_s, u"readme"_s,       u"song.mp3"_s,
                          u"strand.jpg"_s};
    const auto except = [&](const QStringList &out) {
        QStringList rest = all;
        for (const QString &name : out)
            rest.removeAll(name);
        return rest;
    };
    QTest::newRow("a word of the path")
        << u"rechnung"_s << QStringList{u"Rechnung_03.xls"_s, u"Rechnung_04.XLS"_s, u"alt.doc"_s};
    QTest::newRow("two words") << u"RECHNUNG 2019"_s
                               << QStringList{u"Rechnung_03.xls"_s, u"Rechnung_04.XLS"_s};
    QTest::newRow("excluded") << u"-rechnung"_s
                              << except({u"Rechnung_03.xls"_s, u"Rechnung_04.XLS"_s, u"alt.doc"_s});
    QTest::newRow("only the path, not the other fields") << u"recovered"_s << QStringList{};
    QTest::newRow("ext, either case")
        << u"ext:jpg"_s << QStringList{u"IMG_2019.JPG"_s, u"strand.jpg"_s};
    QTest::newRow("ext, several") << u"ext:xls;png"_s
                                  << QStringList{u"Caf\u00e9.png"_s, u"Rechnung_03.xls"_s,
                                                 u"Rechnung_04.XLS"_s};
    QTest::newRow("ext of the name only") << u"ext:2019"_s << QStringList{};
    QTest::newRow("ext with wildcards")
        << u"ext:J?G;do*"_s << QStringList{u"IMG_2019.JPG"_s, u"alt.doc"_s, u"strand.jpg"_s};
    QTest::newRow("ext, the whole ending") << u"ext:pg"_s << QStringList{};
    QTest::newRow("size above 1 MiB") << u"size:>1mb"_s
                                      << QStringList{u"Caf\u00e9.png"_s, u"IMG_2019.JPG"_s,
                                                     u"Rechnung_03.xls"_s, u"strand.jpg"_s};
    QTest::newRow("size of exactly 1 MiB") << u"size:1mb"_s << QStringList{u"alt.doc"_s};
    QTest::newRow("size below 1 KiB: an empty size is 0, none is none")
        << u"size:<1kb"_s
        << QStringList{u"Rechnung_04.XLS"_s, u"Urlaub"_s, u"annual report.pdf"_s, u"song.mp3"_s};
    QTest::newRow("a year") << u"dm:2019"_s
                            << QStringList{u"IMG_2019.JPG"_s,      u"Rechnung_03.xls"_s,
                                           u"Rechnung_04.XLS"_s,   u"Urlaub"_s,
                                           u"annual report.pdf"_s, u"song.mp3"_s};
    QTest::newRow("a range of days")
        << u"dm:2019-03-01..2019-06-30"_s
        << QStringList{u"Rechnung_03.xls"_s, u"Rechnung_04.XLS"_s, u"annual report.pdf"_s};
    QTest::newRow("not in a year: no date is not in it")
        << u"-dm:2019"_s
        << QStringList{u"Caf\u00e9.png"_s, u"alt.doc"_s, u"readme"_s, u"strand.jpg"_s};
    QTest::newRow("a status word's beginning")
        << u"status:REC"_s
        << QStringList{u"IMG_2019.JPG"_s, u"Rechnung_03.xls"_s, u"Urlaub"_s,
                       u"annual report.pdf"_s};
    QTest::newRow("a status of two words")
        << u"status:\"not rec\""_s << QStringList{u"strand.jpg"_s};
    QTest::newRow("class bad") << u"class:bad"_s
                               << QStringList{u"Caf\u00e9.png"_s, u"Rechnung_04.XLS"_s,
                                              u"strand.jpg"_s};
    QTest::newRow("class unknown: no status")
        << u"class:unknown"_s << QStringList{u"readme"_s, u"song.mp3"_s};
    QTest::newRow("kind: a folder entry is none")
        << u"kind:photos"_s << QStringList{u"Caf\u00e9.png"_s, u"IMG_2019.JPG"_s, u"strand.jpg"_s};
    QTest::newRow("a letter beyond ASCII, either case")
        << u"CAF\u00c9"_s << QStringList{u"Caf\u00e9.png"_s};
    QTest::newRow("quoted spaces") << u"\"annual report\""_s << QStringList{u"annual report.pdf"_s};
    QTest::newRow("a line without \",\"") << u"readme"_s << QStringList{u"readme"_s};
    QTest::newRow("everything") << u"*"_s << all;
    QTest::newRow("nothing left") << u"-*"_s << QStringList{};
    QTest::newRow("a comma no path holds") << u"a,b"_s << QStringList{};
    QTest::newRow("three terms") << u"ext:jpg size:>1mb dm:2019"_s
                                 << QStringList{u"IMG_2019.JPG"_s};
    QTest::newRow("a bad word is ignored")
        << u"foto size:>abc"_s
        << QStringList{u"Caf\u00e9.png"_s, u"IMG_2019.JPG"_s, u"Urlaub"_s, u"strand.jpg"_s};
    QTest::newRow("a word of 10,000 characters") << QString(10000, u'e') << QStringList{};
    QTest::newRow("2,000 words") << QString(u"data fotos "_s.repeated(1000))
                                 << QStringList{u"Caf\u00e9.png"_s, u"IMG_2019.JPG"_s, u"Urlaub"_s,
                                                u"strand.jpg"_s};
    QTest::newRow("an empty query") << QString() << all;
    QTest::newRow("only -") << u"-"_s << all;
}

void TestFindPass::matching()
{
    QFETCH(QString, query);
    QFETCH(QStringList, names);
    const LoadedList list = load(smallList());
    const FindQuery q = FindQuery::parse(query, English);
    // Every line as the matches before: the lines are then tested where
    // they lie in the store instead of in the buffer.
    FindMatches every;
    for (qint32 i = 0; i < list.iGrid1.count(); ++i)
        every.lines.push_back(i);
    every.count = list.iGrid1.count();
    for (int threads = 1; threads <= 2; ++threads) {
        const std::array<const FindMatches *, 2> befores{nullptr, &every};
        for (const FindMatches *within : befores) {
            const FindMatches m = runFind(list, q, within, nullptr, threads);
            QCOMPARE(namesOf(list, m), names);
            QCOMPARE(m.count, qint64(names.size()));
            QCOMPARE(m.all, names.size() == list.iGrid1.count());
        }
    }
}

void TestFindPass::countsAndBytes()
{
    const LoadedList list = load(smallList());
    const FindMatches all = runFind(list, FindQuery::parse(u"*"_s, English), nullptr);
    QVERIFY(all.all);
    QVERIFY(all.lines.empty());
    QCOMPARE(all.count, 10);
    QCOMPARE(all.bytes, list.totalSize);
    const FindMatches photos = runFind(list, FindQuery::parse(u"kind:photos"_s, English), nullptr);
    QCOMPARE(photos.bytes.raw(), (3145728 + 5000000 + 1048577) * ByteTotal::Scale);
    QCOMPARE(photos.count, qint64(photos.lines.size()));
    QVERIFY(std::is_sorted(photos.lines.begin(), photos.lines.end()));
    const FindMatches none = runFind(list, FindQuery::parse(u"zzz"_s, English), nullptr);
    QCOMPARE(none.count, 0);
    QVERIFY(!none.all);
    QVERIFY(!none.contains(0));
}

void TestFindPass::lineShapes_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("utf8");

    // Lines shorter than the 16 bytes a match is noted by, several in one
    // such stretch, and every line end the loader knows.
    QByteArray tiny;
    QRandomGenerator random(7);
    const char pieces[] = {'a', 'b', 'B', '\\', ',', '1', '\r', '\n', 'x', '.'};
    for (int i = 0; i < 6000; ++i)
        tiny.append(pieces[random.bounded(int(sizeof pieces))]);
    QTest::newRow("short lines of every end") << tiny << false;
    QTest::newRow("empty lines and lone CRs")
        << QByteArray("ab\r\r\n\nab\rb\n\r\nab,1,2,3,x") << false;
    QTest::newRow("no line end at the end") << QByteArray("xx\\ab,1\r\nab") << false;
    QTest::newRow("a UTF-8 byte-order mark")
        << QByteArray("\xEF\xBB\xBF"
                      "ab\\x,1,2\r\nb\\ab\xC3\xA9,1,2\r\nab\r\n")
        << true;
    QByteArray generatedBytes = listgen::generateListBytes({});
    QTest::newRow("a generated list") << generatedBytes << false;
}

void TestFindPass::lineShapes()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, utf8);
    const LoadedList list = load(bytes, utf8 ? ListEncoding::Utf8 : ListEncoding::Windows1252);
    for (const QString &text : {u"ab"_s, u"b"_s, u"a?b"_s, u"ext:x"_s, u"-ab"_s, u"ab size:<2"_s,
                                u"\u00e9"_s, u"b\\ab"_s}) {
        const FindQuery q = FindQuery::parse(text, English);
        const FindMatches expected = oracle(list, q);
        for (int threads = 1; threads <= 2; ++threads) {
            const FindMatches m = runFind(list, q, nullptr, nullptr, threads);
            QCOMPARE(linesOf(list, m), expected.lines);
            QCOMPARE(m.count, expected.count);
            QCOMPARE(m.bytes, expected.bytes);
        }
    }
}

void TestFindPass::narrowingIsAFullPass()
{
    const LoadedList list = generated(30000, 3);
    // Typed a letter at a time; a word that does not narrow starts again.
    const QStringList typed{u"r"_s,
                            u"re"_s,
                            u"rec"_s,
                            u"rech"_s,
                            u"rech "_s,
                            u"rech 2"_s,
                            u"rech 20"_s,
                            u"rech 201"_s,
                            u"rech 2019"_s,
                            u"rech 2019 -"_s,
                            u"rech 2019 -x"_s,
                            u"rech 2019 -xl"_s,
                            u"foto"_s,
                            u"foto ext:j"_s,
                            u"foto ext:jpg"_s,
                            u"foto ext:jpg size:>1"_s,
                            u"foto ext:jpg size:>100"_s,
                            u"foto ext:jpg size:>100 dm:20"_s,
                            u"foto ext:jpg size:>100 dm:2019"_s,
                            u"foto ext:jpg size:>100 dm:2019-0"_s,
                            u"foto ext:jpg size:>100 dm:2019-06"_s};
    FindQuery previous = FindQuery::parse(QString(), English);
    FindMatches before = runFind(list, previous, nullptr);
    int narrowed = 0;
    for (const QString &text : typed) {
        const FindQuery q = FindQuery::parse(text, English);
        const bool narrows = q.narrows(previous);
        narrowed += narrows ? 1 : 0;
        const FindMatches full = runFind(list, q, nullptr);
        const FindMatches within = runFind(list, q, narrows ? &before : nullptr);
        QCOMPARE(linesOf(list, within), linesOf(list, full));
        QCOMPARE(within.count, full.count);
        QCOMPARE(within.bytes, full.bytes);
        QCOMPARE(linesOf(list, full), oracle(list, q).lines);
        if (narrows) {
            // Narrowing never finds a line the query before did not.
            for (qint32 line : linesOf(list, full))
                QVERIFY(before.contains(line));
        }
        previous = q;
        before = within;
    }
    QVERIFY(narrowed >= 12);
    QVERIFY(before.count > 0);
}

void TestFindPass::datesAsTheDateSearchReadsThem()
{
    // Field 1 read by the date search's reader, line by line, against the
    // pass; some dates written otherwise, some not dates at all.
    QByteArray bytes = listgen::generateListBytes({});
    bytes += "D\\a,3/4/2019 1:00 PM,1,32;A,Recovered\r\n"
             "D\\b,2019,1,32;A,Recovered\r\n"
             "D\\c,20190304,1,32;A,Recovered\r\n"
             "D\\d,2019-02-29 00:00:00,1,32;A,Recovered\r\n"
             "D\\e,12019-01-01,1,32;A,Recovered\r\n"
             "D\\f,19-05-06 10:00:00,1,32;A,Recovered\r\n";
    const LoadedList list = load(bytes);
    const ListDateReader reader(English);
    for (const QString &text : {u"dm:2019"_s, u"dm:2019-03"_s, u"dm:>2019-05-06"_s,
                                u"dm:2000..2003-06-30"_s, u"-dm:2019"_s, u"dm:<1999"_s}) {
        const FindQuery q = FindQuery::parse(text, English);
        const FindWord &w = q.words().front();
        QVERIFY(w.isUsed());
        std::vector<qint32> expected;
        for (qsizetype i = 0; i < list.iGrid1.count(); ++i) {
            const LineFields f = lineFields(list.iGrid1.line(i));
            const QDate day = listDateDay(reader.value(f.modified, ListEncoding::Windows1252));
            const bool in = day.isValid() && (!w.dayFrom.isValid() || day >= w.dayFrom) &&
                            (!w.dayTo.isValid() || day <= w.dayTo);
            if (in != w.exclude)
                expected.push_back(qint32(i));
        }
        QCOMPARE(linesOf(list, runFind(list, q, nullptr)), expected);
    }
}

void TestFindPass::twoThreadsAsOne()
{
    const LoadedList list = generated(60000, 11);
    for (const QString &text : {u"final"_s, u"e"_s, u"ext:pdf;doc"_s, u"size:>10mb"_s,
                                u"-kunden class:good"_s, u"kind:music dm:2015..2016"_s}) {
        const FindQuery q = FindQuery::parse(text, English);
        const FindMatches one = runFind(list, q, nullptr, nullptr, 1);
        const FindMatches two = runFind(list, q, nullptr, nullptr, 2);
        QCOMPARE(linesOf(list, two), linesOf(list, one));
        QCOMPARE(two.count, one.count);
        QCOMPARE(two.bytes, one.bytes);
        QVERIFY2(one.count > 0, qPrintable(text));
    }
}

void TestFindPass::stopGivesUp()
{
    const LoadedList list = generated(20000, 5);
    const std::atomic<bool> stop{true};
    const FindQuery q = FindQuery::parse(u"e"_s, English);
    const FindMatches full = runFind(list, q, nullptr, &stop);
    QVERIFY(full.stopped);
    QVERIFY(full.lines.empty());
    QVERIFY(!full.all);
    const FindMatches before = runFind(list, FindQuery::parse(u"x"_s, English), nullptr);
    const FindMatches within = runFind(list, FindQuery::parse(u"xy"_s, English), &before, &stop);
    QVERIFY(within.stopped);
    // A stopped pass is no ground to narrow in: the next one looks at all.
    const FindMatches after = runFind(list, FindQuery::parse(u"xy"_s, English), &full);
    QCOMPARE(after.lines, oracle(list, FindQuery::parse(u"xy"_s, English)).lines);
    const FolderStretches stretches = FolderStretches::of(list, list.rootPrefixAfter(QString()));
    const std::vector<qint32> ofStopped = matchesPerItem(stretches, full);
    QCOMPARE(std::count(ofStopped.begin(), ofStopped.end(), 0), qsizetype(ofStopped.size()));
    QVERIFY(FolderStretches::of(list, list.rootPrefixAfter(QString()), &stop).isEmpty());
}

void TestFindPass::perItemAsStretches_data()
{
    QTest::addColumn<QString>("query");
    QTest::addColumn<bool>("totals");
    QTest::newRow("a word") << u"final"_s << true;
    QTest::newRow("many") << u"e"_s << true;
    QTest::newRow("every line, from the totals") << u"*"_s << true;
    QTest::newRow("every line, one in another top folder, no totals") << u"*"_s << false;
    QTest::newRow("every line below the top folder") << u"data"_s << true;
    QTest::newRow("none") << u"zzzzqq"_s << true;
}

void TestFindPass::perItemAsStretches()
{
    QFETCH(QString, query);
    QFETCH(bool, totals);
    listgen::GeneratorOptions generator;
    generator.lines = 20000;
    generator.seed = 9;
    QByteArray bytes = listgen::generateListBytes(generator);
    // A line of another top folder stands in no stretch.
    if (!totals || query != u"*"_s)
        bytes += "Other\\x\\y.txt,2019-01-01 00:00:00,1,32;A,Recovered\r\n";
    ListBytes input;
    input.bytes = bytes;
    input.fileFound = true;
    LoadOptions options;
    options.collationLocale = English;
    options.folderTotals = totals;
    const LoadedList list = loadListBytes(std::move(input), options);
    const QString prefix = list.rootPrefixAfter(QString());
    const FindMatches m = runFind(list, FindQuery::parse(query, English), nullptr);
    const std::vector<qint32> counts = matchesPerItem(FolderStretches::of(list, prefix), m);
    QCOMPARE(counts.size(), size_t(list.SftTree1.count()));
    for (int item = 0; item < list.SftTree1.count(); ++item) {
        const FolderLines lines = FindFolderLines(list.iGrid1, folderKey(list, prefix, item));
        qint32 expected = 0;
        if (!lines.isEmpty()) {
            for (qint32 i = lines.FirstFolderLine; i <= lines.LastFolderLine; ++i)
                expected += m.contains(i) ? 1 : 0;
        }
        QCOMPARE(counts[size_t(item)], expected);
    }
    // Another root prefix than the list's: no line lies below it.
    const std::vector<qint32> elsewhere =
        matchesPerItem(FolderStretches::of(list, u"Elsewhere\\"_s), m);
    QCOMPARE(std::count(elsewhere.begin(), elsewhere.end(), 0), qsizetype(elsewhere.size()));
}

void TestFindPass::perStatus()
{
    // Ten status words, so that some are gathered as "other", and lines
    // without any.
    QByteArray bytes;
    for (int i = 0; i < 400; ++i)
        bytes += "D\\f" + QByteArray::number(i) + (i % 7 ? ".txt,d,1,32;x,S" : ".txt,d,1") +
                 QByteArray::number(i % 10) + "\r\n";
    const LoadedList list = load(bytes);
    QVERIFY(list.totals.statusCount() > FolderTotals::NamedStatuses);
    const FolderStretches stretches = FolderStretches::of(list, list.rootPrefixAfter(QString()));
    for (const QString &text : {u"1"_s, u"f3"_s, u"*"_s}) {
        const FindMatches m = runFind(list, FindQuery::parse(text, English), nullptr);
        std::vector<qint64> expected(size_t(list.totals.statusCount()), 0);
        for (qint32 i : linesOf(list, m)) {
            const LineFields f = lineFields(list.iGrid1.line(i));
            int slot = -1;
            for (int s = 0; s < list.totals.statusCount(); ++s) {
                const FolderTotals::Status &st = list.totals.status(s);
                if ((!f.hasStatus && st.kind == FolderTotals::StatusKind::Unknown) ||
                    (f.hasStatus && st.kind == FolderTotals::StatusKind::Word &&
                     st.rawWord == f.status)) {
                    slot = s;
                }
            }
            if (slot < 0 && f.hasStatus) {
                for (int s = 0; s < list.totals.statusCount(); ++s) {
                    if (list.totals.status(s).kind == FolderTotals::StatusKind::Other)
                        slot = s;
                }
            }
            QVERIFY(slot >= 0);
            ++expected[size_t(slot)];
        }
        const std::vector<StatusFigure> figures =
            matchesPerStatusFigure(list, stretches, matchesPerItem(stretches, m), m);
        std::vector<qint64> lines;
        for (const StatusFigure &f : figures)
            lines.push_back(f.lines);
        QCOMPARE(lines, expected);
    }
}

QTEST_GUILESS_MAIN(TestFindPass)
#include "tst_findpass.moc"
