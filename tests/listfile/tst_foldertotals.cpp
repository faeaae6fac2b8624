#include "listfile/FolderTotals.h"
#include "listfile/ListLine.h"
#include "listfile/ListLoader.h"

#include <QBuffer>
#include <QFile>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace corvane;

namespace {

LoadedList loadRaw(QByteArray raw)
{
    QBuffer buffer(&raw);
    buffer.open(QIODevice::ReadOnly);
    ListBytes bytes = readListDevice(buffer);
    LoadOptions options;
    options.collationLocale = QLocale(QLocale::English, QLocale::UnitedStates);
    return loadListBytes(std::move(bytes), options);
}

QByteArray crlf(const QStringList &lines)
{
    return lines.join(u"\r\n"_s).toLatin1();
}

bool sameTotals(const FolderTotals &a, const FolderTotals &b, int folders)
{
    if (a.folderCount() != b.folderCount() || a.statusCount() != b.statusCount() ||
        a.distinctStatuses() != b.distinctStatuses())
        return false;
    for (int s = 0; s < a.statusCount(); ++s) {
        if (a.status(s).kind != b.status(s).kind || a.status(s).rawWord != b.status(s).rawWord ||
            a.status(s).lines != b.status(s).lines || !(a.status(s).bytes == b.status(s).bytes))
            return false;
        for (int item = 0; item < folders; ++item) {
            if (a.files(item, s) != b.files(item, s) || !(a.bytes(item, s) == b.bytes(item, s)))
                return false;
        }
    }
    return true;
}

// The totals the loader gathered while reading, which must be the same as
// those taken from the loaded store afterwards.
FolderTotals totalsOf(const LoadedList &list)
{
    const FolderTotals fromStore = FolderTotals::compute(list.iGrid1, list.SftTree1);
    if (!sameTotals(list.totals, fromStore, list.SftTree1.count()))
        qWarning("the loader's totals differ from the store's");
    [&] { QVERIFY(sameTotals(list.totals, fromStore, list.SftTree1.count())); }();
    return list.totals;
}

// "Word=files/bytes" for every status of item, in the totals' order.
QStringList statusesOf(const FolderTotals &t, int item)
{
    QStringList out;
    for (int s = 0; s < t.statusCount(); ++s) {
        QString name = t.status(s).word;
        if (t.status(s).kind == FolderTotals::StatusKind::Unknown)
            name = u"<unknown>"_s;
        else if (t.status(s).kind == FolderTotals::StatusKind::Other)
            name = u"<other>"_s;
        out << u"%1=%2/%3"_s.arg(name).arg(t.files(item, s)).arg(t.bytes(item, s).roundedBytes());
    }
    return out;
}

} // namespace

class TestFolderTotals : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void folder_data();
    void folder();
    void lineEnds_data();
    void lineEnds();
    void linesOtherThanTheBuffers();
    void tenThousandStatuses();
    void bigListInTwoHalves();
    void manySubFolders();
    void deepTree();
    void agreesWithTheLineStore();
    void gatheredWhileReading_data();
    void gatheredWhileReading();
    void stopGivesUp();
};

void TestFolderTotals::folder_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QStringList>("folder"); // names below "Root"
    QTest::addColumn<int>("files");
    QTest::addColumn<qint64>("bytes");
    QTest::addColumn<QStringList>("statuses");

    const QStringList tree = {
        u"Data\\A\\B\\f1.txt,2020-01-01,100,32;X,Recovered"_s,
        u"Data\\A\\C\\f2.txt,2020-01-01,50,32;X,Damaged"_s,
        u"Data\\A\\C\\f3.txt,2020-01-01,7,32;X,Damaged"_s,
        u"Data\\x.txt,2020-01-01,1,32;X,Recovered"_s,
    };
    QTest::newRow("root carries the whole list")
        << tree << QStringList() << 4 << qint64(158)
        << QStringList{u"Damaged=2/57"_s, u"Recovered=2/101"_s};
    QTest::newRow("a folder counts its sub-folders")
        << tree << QStringList{u"A"_s} << 3 << qint64(157)
        << QStringList{u"Damaged=2/57"_s, u"Recovered=1/100"_s};
    QTest::newRow("a leaf folder") << tree << QStringList{u"A"_s, u"C"_s} << 2 << qint64(57)
                                   << QStringList{u"Damaged=2/57"_s, u"Recovered=0/0"_s};

    QTest::newRow("one status") << QStringList{u"D\\a,1,10,0;X,Recovered"_s,
                                               u"D\\S\\b,1,20,0;X,Recovered"_s}
                                << QStringList() << 2 << qint64(30)
                                << QStringList{u"Recovered=2/30"_s};

    QTest::newRow("fewer than five fields are unknown")
        << QStringList{u"D\\S\\a,1,10,0;X"_s, u"D\\S\\b,1,20"_s, u"D\\S\\c"_s, u""_s,
                       u"D\\S\\d,1,5,0;X,OK"_s}
        << QStringList() << 5 << qint64(35) << QStringList{u"<unknown>=4/30"_s, u"OK=1/5"_s};
    QTest::newRow("unknown lines stay in their folder")
        << QStringList{u"D\\S\\a,1,10,0;X"_s, u""_s, u"D\\S\\d,1,5,0;X,OK"_s} << QStringList{u"S"_s}
        << 2 << qint64(15) << QStringList{u"<unknown>=1/10"_s, u"OK=1/5"_s};
    QTest::newRow("a sixth field leaves field 4 the status")
        << QStringList{u"D\\S\\a,1,10,0;X,OK,extra"_s} << QStringList{u"S"_s} << 1 << qint64(10)
        << QStringList{u"OK=1/10"_s};
    QTest::newRow("status words are exact")
        << QStringList{u"D\\a,1,1,0;X,OK"_s, u"D\\b,1,1,0;X,ok"_s, u"D\\c,1,1,0;X,OK "_s,
                       u"D\\d,1,1,0;X,OK"_s}
        << QStringList() << 4 << qint64(4) << QStringList{u"OK=2/2"_s, u"OK =1/1"_s, u"ok=1/1"_s};

    // 900 trillion bytes fit the fixed-point range; twice that does not.
    QTest::newRow("a size beyond the range is not added")
        << QStringList{u"D\\S\\a,1,900000000000000,0;X,OK"_s, u"D\\S\\b,1,900000000000000,0;X,OK"_s,
                       u"D\\S\\c,1,5,0;X,OK"_s}
        << QStringList{u"S"_s} << 3 << qint64(900000000000005)
        << QStringList{u"OK=3/900000000000005"_s};
    QTest::newRow("an unreadable size adds nothing")
        << QStringList{u"D\\a,1,1e300,0;X,OK"_s, u"D\\b,1,abc,0;X,OK"_s, u"D\\c,1, 2 048,0;X,OK"_s}
        << QStringList() << 3 << qint64(2048) << QStringList{u"OK=3/2048"_s};

    QTest::newRow("folders differing in case stay apart")
        << QStringList{u"D\\Docs\\a,1,1,0;X,OK"_s, u"D\\docs\\b,1,2,0;X,OK"_s,
                       u"D\\docs\\c,1,4,0;X,OK"_s}
        << QStringList{u"docs"_s} << 2 << qint64(6) << QStringList{u"OK=2/6"_s};
    QTest::newRow("another top folder lands under Root too")
        << QStringList{u"D\\S\\a,1,1,0;X,OK"_s, u"E\\S\\b,1,2,0;X,OK"_s, u"loose,1,4,0;X,OK"_s}
        << QStringList{u"S"_s} << 2 << qint64(3) << QStringList{u"OK=2/3"_s};
    QTest::newRow("an empty folder name is a folder")
        << QStringList{u"D\\\\x\\a,1,1,0;X,OK"_s, u"D\\S\\b,1,2,0;X,OK"_s}
        << QStringList{u""_s, u"x"_s} << 1 << qint64(1) << QStringList{u"OK=1/1"_s};
    QTest::newRow("a comma ends the path")
        << QStringList{u"D\\S\\a,1,3,0;X,OK"_s, u"D\\S,\\b,1,2,0;X,OK"_s} << QStringList{u"S"_s}
        << 1 << qint64(3) << QStringList{u"0;X=0/0"_s, u"OK=1/3"_s};
}

void TestFolderTotals::folder()
{
    QFETCH(QStringList, lines);
    QFETCH(QStringList, folder);
    QFETCH(int, files);
    QFETCH(qint64, bytes);
    QFETCH(QStringList, statuses);

    const LoadedList list = loadRaw(crlf(lines));
    const FolderTotals t = totalsOf(list);
    QCOMPARE(t.folderCount(), list.SftTree1.count());
    const int item = list.SftTree1.findPath(folder);
    QVERIFY(item >= 0);
    QCOMPARE(t.files(item), files);
    QCOMPARE(t.bytes(item).roundedBytes(), bytes);
    QCOMPARE(statusesOf(t, item), statuses);
    // Root holds every line of the list.
    QCOMPARE(t.files(0), list.lineCount);
}

void TestFolderTotals::lineEnds_data()
{
    QTest::addColumn<QByteArray>("raw");
    QTest::addColumn<QStringList>("statuses"); // of Root

    QTest::newRow("LF") << "D\\a,d,1,0;x,OK\nD\\b,d,2,0;x,OK\n"_ba << QStringList{u"OK=2/3"_s};
    QTest::newRow("lone CR") << "D\\a,d,1,0;x,OK\rD\\b,d,2,0;x,Bad"_ba
                             << QStringList{u"Bad=1/2"_s, u"OK=1/1"_s};
    QTest::newRow("mixed, with empty lines") << "D\\a,d,1,0;x,OK\r\n\r\n\nD\\b,d,2,0;x,OK\r"_ba
                                             << QStringList{u"OK=2/3"_s, u"<unknown>=2/0"_s};
    QTest::newRow("UTF-8 byte-order mark") << "\xEF\xBB\xBF"
                                              "D\\a,d,1,0;x,\xC3\xA9t\xC3\xA9\r\nD\\b,d,2,0;x,OK"_ba
                                           << QStringList{u"OK=1/2"_s, u"\u00e9t\u00e9=1/1"_s};
}

void TestFolderTotals::lineEnds()
{
    QFETCH(QByteArray, raw);
    QFETCH(QStringList, statuses);
    const LoadedList list = loadRaw(raw);
    const FolderTotals t = totalsOf(list);
    QCOMPARE(t.files(0), list.lineCount);
    QCOMPARE(statusesOf(t, 0), statuses);
}

void TestFolderTotals::linesOtherThanTheBuffers()
{
    // A store whose views cover only part of its buffer: its own lines count.
    const LoadedList list =
        loadRaw("D\\A\\a,d,1,0;x,OK\r\nD\\A\\b,d,2,0;x,OK\r\nD\\c,d,4,0;x,OK"_ba);
    std::vector<LineStore::LineRef> refs;
    for (qsizetype i = 0; i < 2; ++i)
        refs.push_back({qint64(list.iGrid1.line(i).data() - list.iGrid1.bytes().constData()),
                        list.iGrid1.line(i).size()});
    const LineStore part(list.iGrid1.bytes(), refs, {}, list.iGrid1.encoding());
    const FolderTotals t = FolderTotals::compute(part, list.SftTree1);
    QCOMPARE(t.files(0), 2);
    QCOMPARE(t.bytes(0).roundedBytes(), qint64(3));
    QCOMPARE(t.files(list.SftTree1.findPath({u"A"_s})), 2);
}

void TestFolderTotals::tenThousandStatuses()
{
    // Status i (from 0) appears once, except the first nine, which appear
    // 100 - i times: the top eight are S0..S7, everything else is "other".
    QByteArray raw;
    qint64 lines = 0;
    for (int i = 0; i < 10000; ++i) {
        const int times = i < 9 ? 100 - i : 1;
        for (int k = 0; k < times; ++k) {
            raw += "D\\F" + QByteArray::number(i % 37) + "\\f" + QByteArray::number(k) +
                   ",1,1,0;X,S" + QByteArray::number(i) + "\r\n";
            ++lines;
        }
    }
    const LoadedList list = loadRaw(raw);
    const FolderTotals t = totalsOf(list);
    QCOMPARE(t.distinctStatuses(), 10000);
    QCOMPARE(t.statusCount(), FolderTotals::NamedStatuses + 1);
    for (int s = 0; s < FolderTotals::NamedStatuses; ++s) {
        QCOMPARE(t.status(s).word, u"S%1"_s.arg(s));
        QCOMPARE(t.status(s).lines, qint64(100 - s));
    }
    const FolderTotals::Status &other = t.status(FolderTotals::NamedStatuses);
    QCOMPARE(other.kind, FolderTotals::StatusKind::Other);
    QCOMPARE(other.lines, qint64(92 + 9991));
    QCOMPARE(t.files(0), qint32(lines));
    qint64 sum = 0;
    for (int s = 0; s < t.statusCount(); ++s)
        sum += t.files(0, s);
    QCOMPARE(sum, lines);
}

void TestFolderTotals::bigListInTwoHalves()
{
    // Big enough to be read on two threads; statuses and short lines on both
    // sides of the middle, one status only in the second half.
    QByteArray raw;
    const int lines = 300000;
    qint64 bytesF0 = 0;
    qint32 filesF0 = 0;
    for (int i = 0; i < lines; ++i) {
        QByteArray line = "D\\F" + QByteArray::number(i % 1000) + "\\sub\\file" +
                          QByteArray::number(i) + ".txt,2020-01-01 10:00:00," +
                          QByteArray::number(i % 7);
        if (i % 1000 != 999)
            line += ",32;ABCDEF01," +
                    (i > lines / 2 && i % 5 == 0 ? "Late"_ba : "S" + QByteArray::number(i % 3));
        raw += line + "\r\n";
        if (i % 1000 == 0) {
            bytesF0 += i % 7;
            ++filesF0;
        }
    }
    QVERIFY(raw.size() > (8 << 20));
    const LoadedList list = loadRaw(raw);
    const FolderTotals t = totalsOf(list);
    QCOMPARE(t.files(0), lines);
    QCOMPARE(t.distinctStatuses(), 5);
    qint64 counted = 0;
    for (int s = 0; s < t.statusCount(); ++s)
        counted += t.status(s).lines;
    QCOMPARE(counted, qint64(lines));
    QCOMPARE(t.status(t.statusCount() - 1).kind, FolderTotals::StatusKind::Unknown);
    QCOMPARE(t.status(t.statusCount() - 1).lines, qint64(300));
    const int f0 = list.SftTree1.findPath({u"F0"_s});
    QCOMPARE(t.files(f0), filesF0);
    QCOMPARE(t.bytes(f0).roundedBytes(), bytesF0);
    QCOMPARE(t.bytes(0), list.totalSize);
}

void TestFolderTotals::manySubFolders()
{
    QByteArray raw;
    for (int i = 0; i < 100000; ++i)
        raw += "D\\Big\\F" + QByteArray::number(i) + "\\a.txt,1," + QByteArray::number(i % 10) +
               ",0;X," + (i % 4 ? "Recovered" : "Damaged") + "\r\n";
    const LoadedList list = loadRaw(raw);
    const FolderTotals t = totalsOf(list);
    const int big = list.SftTree1.findPath({u"Big"_s});
    QCOMPARE(list.SftTree1.item(big).childCount, 100000);
    QCOMPARE(t.files(big), 100000);
    QCOMPARE(t.bytes(big).roundedBytes(), qint64(450000));
    QCOMPARE(t.status(0).word, u"Recovered"_s);
    QCOMPARE(t.files(big, 0), 75000);
    QCOMPARE(t.files(big, 1), 25000);
    const int f7 = list.SftTree1.findPath({u"Big"_s, u"F7"_s});
    QCOMPARE(t.files(f7), 1);
    QCOMPARE(t.bytes(f7).roundedBytes(), qint64(7));
}

void TestFolderTotals::deepTree()
{
    // One line 5,000 folders deep and one at half that depth.
    QByteArray deep = "D";
    for (int i = 0; i < 5000; ++i)
        deep += "\\d" + QByteArray::number(i);
    QByteArray half = "D";
    for (int i = 0; i < 2500; ++i)
        half += "\\d" + QByteArray::number(i);
    const LoadedList list = loadRaw(deep + "\\a.txt,1,3,0;X,OK\r\n" + half + "\\b.txt,1,4,0;X,Bad");
    const FolderTotals t = totalsOf(list);
    QCOMPARE(t.folderCount(), 5001);
    const int last = t.folderCount() - 1;
    QCOMPARE(list.SftTree1.item(last).level, 5000);
    QCOMPARE(t.files(last), 1);
    QCOMPARE(t.bytes(last).roundedBytes(), qint64(3));
    QCOMPARE(t.files(2500), 2);
    QCOMPARE(t.files(2501), 1);
    QCOMPARE(t.files(0), 2);
    QCOMPARE(t.bytes(0).roundedBytes(), qint64(7));
}

void TestFolderTotals::agreesWithTheLineStore()
{
    // Every folder's count is the stretch of stored lines under its key.
    QFile file(qEnvironmentVariable("CORVANE_SOURCE_DIR") + u"/data/samples/recovered-disk.csv"_s);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const LoadedList list = loadRaw(file.readAll());
    const FolderTotals t = totalsOf(list);
    QVERIFY(t.folderCount() > 10);
    const QByteArray prefix = list.lastTopBytes + '\\';
    for (int item = 1; item < t.folderCount(); ++item) {
        const LineStore::Range range =
            list.iGrid1.prefixRange(QByteArray(prefix + list.SftTree1.keyBelowRoot(item)));
        QCOMPARE(qsizetype(t.files(item)), range.size());
        ByteTotal bytes;
        qint32 counted = 0;
        for (qsizetype i = range.first; i < range.last; ++i) {
            if (auto size = leadingSize(fieldAt(list.iGrid1.line(i), ListField::Size)))
                bytes.tryAdd(*size);
        }
        QCOMPARE(t.bytes(item), bytes);
        for (int s = 0; s < t.statusCount(); ++s)
            counted += t.files(item, s);
        QCOMPARE(counted, t.files(item));
    }
    QCOMPARE(t.bytes(0), list.totalSize);
}

void TestFolderTotals::gatheredWhileReading_data()
{
    // The loader keeps a column per status word while there are few, and
    // changes its table as words and folders come: each row changes it at
    // another moment. totalsOf compares with the totals taken afterwards.
    QTest::addColumn<QByteArray>("raw");
    QTest::addColumn<int>("statuses");

    QByteArray nine;
    for (int i = 0; i < 900; ++i)
        nine += "D\\F" + QByteArray::number(i % 13) + "\\f,1," + QByteArray::number(i) + ",0;X,S" +
                QByteArray::number(i % 9 == 8 && i < 800 ? 0 : i % 9) + "\r\n";
    QTest::newRow("nine words, the last one late") << nine << 9;
    QTest::newRow("a tenth word on the last line") << (nine + "D\\G\\g,1,5,0;X,Late"_ba) << 9;
    QTest::newRow("an empty word on the first line")
        << "D\\A\\a,1,1,0;X,\r\nD\\A\\b,1,2,0;X,OK\r\n\r\nD\\c,1,4,0;X,\r\n"_ba << 3;
    QTest::newRow("unknown first, then words")
        << "D\\A\\a,1,1\r\nD\\A\\b,1,2,0;X,OK\r\nD\\B\\C\\c,1,4,0;X,Bad"_ba << 3;
    QByteArray revisited;
    for (int i = 0; i < 2000; ++i)
        revisited += "D\\F" + QByteArray::number((i * 7919) % 211) + "\\S" +
                     QByteArray::number(i % 5) + "\\f,1,3,0;X," + (i % 3 ? "OK" : "Bad") + "\r\n";
    QTest::newRow("folders met again out of order") << revisited << 2;
    QTest::newRow("no status at all") << "loose\r\n\r\nD\\x"_ba << 1;
}

void TestFolderTotals::gatheredWhileReading()
{
    QFETCH(QByteArray, raw);
    QFETCH(int, statuses);
    const LoadedList list = loadRaw(raw);
    const FolderTotals t = totalsOf(list);
    QCOMPARE(t.folderCount(), list.SftTree1.count());
    QCOMPARE(t.statusCount(), statuses);
    QCOMPARE(t.files(0), list.lineCount);
    QCOMPARE(t.bytes(0), list.totalSize);
    qint64 lines = 0;
    for (int s = 0; s < t.statusCount(); ++s)
        lines += t.status(s).lines;
    QCOMPARE(lines, qint64(list.lineCount));
    // Without asking for them, a load gathers none.
    QBuffer buffer(&raw);
    buffer.open(QIODevice::ReadOnly);
    LoadOptions plain;
    plain.folderTotals = false;
    QVERIFY(loadListBytes(readListDevice(buffer), plain).totals.isEmpty());
}

void TestFolderTotals::stopGivesUp()
{
    const LoadedList list = loadRaw("D\\a\\b,1,1,0;X,OK");
    const std::atomic<bool> stop{true};
    const FolderTotals t = FolderTotals::compute(list.iGrid1, list.SftTree1, &stop);
    QVERIFY(t.stopped());
    QVERIFY(t.isEmpty());
    QVERIFY(totalsOf(loadRaw(QByteArray())).isEmpty());
}

QTEST_GUILESS_MAIN(TestFolderTotals)
#include "tst_foldertotals.moc"
