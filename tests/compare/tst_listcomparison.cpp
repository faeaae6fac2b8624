#include "compare/ListComparison.h"
#include "listfile/ListLine.h"
#include "testutil_compare.h"

#include <QRandomGenerator>
#include <QTest>

#include <map>

using namespace corvane;
using namespace Qt::Literals::StringLiterals;

// The comparison of two lists: its pairing, its order, its counts.
class TestListComparison : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void compare_data();
    void compare();
    void transitions();
    void folderChanges_data();
    void folderChanges();
    void againstNaivePairing_data();
    void againstNaivePairing();
    void halvesAgree_data();
    void halvesAgree();
    void stopped();
};

namespace {

// "PATH,date,SIZE,32;AB,STATUS" lines, CR LF each.
QByteArray lines(std::initializer_list<const char *> rows)
{
    QByteArray out;
    for (const char *line : rows)
        out += QByteArray(line) + "\r\n";
    return out;
}

QByteArray file(const QByteArray &path, const QByteArray &size, const QByteArray &status)
{
    return path + ",2020-01-01 10:00:00," + size + ",32;AB," + status;
}

QStringList printed(const ListComparison &c, const LoadedList &o, const LoadedList &n)
{
    QStringList out;
    for (const ListDifference &d : c.differences)
        out.append(differenceLine(d, o, n));
    out.append(comparisonSummaryLine(c.counts));
    return out;
}

} // namespace

void TestListComparison::compare_data()
{
    QTest::addColumn<QByteArray>("oldList");
    QTest::addColumn<QByteArray>("newList");
    QTest::addColumn<QStringList>("expected");

    const QByteArray base = lines({"Data\\a.txt,2020-01-01 10:00:00,10,32;AB,OK",
                                   "Data\\b.txt,2020-01-01 10:00:00,20,32;AB,Damaged",
                                   "Data\\sub\\c.txt,2020-01-01 10:00:00,30,32;AB,OK"});
    QTest::newRow("the same list") << base << base
                                   << QStringList{u"added: 0 removed: 0 status_changed: 0 "
                                                  "size_changed: 0 unchanged: 3"_s};
    QTest::newRow("old empty") << QByteArray() << base
                               << QStringList{u"+\ta.txt\tOK"_s, u"+\tb.txt\tDamaged"_s,
                                              u"+\tsub\\c.txt\tOK"_s,
                                              u"added: 3 removed: 0 status_changed: 0 "
                                              "size_changed: 0 unchanged: 0"_s};
    QTest::newRow("new empty") << base << QByteArray()
                               << QStringList{u"-\ta.txt\tOK"_s, u"-\tb.txt\tDamaged"_s,
                                              u"-\tsub\\c.txt\tOK"_s,
                                              u"added: 0 removed: 3 status_changed: 0 "
                                              "size_changed: 0 unchanged: 0"_s};
    QTest::newRow("both empty") << QByteArray() << QByteArray()
                                << QStringList{u"added: 0 removed: 0 status_changed: 0 "
                                               "size_changed: 0 unchanged: 0"_s};
    QTest::newRow("nothing in common, merged in path order")
        << lines({"Data\\b,x,1,32;AB,OK", "Data\\d,x,1,32;AB,OK"})
        << lines({"Data\\a,x,1,32;AB,OK", "Data\\c,x,1,32;AB,OK"})
        << QStringList{u"+\ta\tOK"_s, u"-\tb\tOK"_s, u"+\tc\tOK"_s, u"-\td\tOK"_s,
                       u"added: 2 removed: 2 status_changed: 0 size_changed: 0 unchanged: 0"_s};
    QTest::newRow("different top folders pair file by file")
        << base
        << lines({"Disk2\\a.txt,2021-02-02 10:00:00,10,32;AB,OK",
                  "Disk2\\b.txt,2020-01-01 10:00:00,21,32;AB,Damaged",
                  "Disk2\\sub\\c.txt,2020-01-01 10:00:00,30,32;AB,Partial"})
        << QStringList{u"s\tb.txt\t20\t21"_s, u"~\tsub\\c.txt\tOK\tPartial"_s,
                       u"added: 0 removed: 0 status_changed: 1 size_changed: 1 unchanged: 1"_s};
    QTest::newRow("status words compare exactly")
        << lines({"Data\\a,x,1,32;AB,OK"}) << lines({"Data\\a,x,1,32;AB,ok"})
        << QStringList{u"~\ta\tOK\tok"_s,
                       u"added: 0 removed: 0 status_changed: 1 size_changed: 0 unchanged: 0"_s};
    QTest::newRow("paths compare exactly")
        << lines({"Data\\Foto.jpg,x,1,32;AB,OK"}) << lines({"Data\\foto.jpg,x,1,32;AB,OK"})
        << QStringList{u"-\tFoto.jpg\tOK"_s, u"+\tfoto.jpg\tOK"_s,
                       u"added: 1 removed: 1 status_changed: 0 size_changed: 0 unchanged: 0"_s};
    QTest::newRow("a status change hides a size change")
        << lines({"Data\\a,x,1,32;AB,OK"}) << lines({"Data\\a,x,2,32;AB,Damaged"})
        << QStringList{u"~\ta\tOK\tDamaged"_s,
                       u"added: 0 removed: 0 status_changed: 1 size_changed: 0 unchanged: 0"_s};
    QTest::newRow("the same size written two ways")
        << lines({"Data\\a,x,100,32;AB,OK"}) << lines({"Data\\a,y,0100,32;AB,OK"})
        << QStringList{u"added: 0 removed: 0 status_changed: 0 size_changed: 0 unchanged: 1"_s};
    // A path that goes on with a byte below "," sorts before the shorter
    // path in the store: the order must still pair them.
    QTest::newRow("paths that begin with another path")
        << lines({"Data\\a,x,1,32;AB,OK", "Data\\a b,x,1,32;AB,OK", "Data\\a!,x,1,32;AB,OK",
                  "Data\\a\\c,x,1,32;AB,OK"})
        << lines({"Data\\a,x,2,32;AB,OK", "Data\\a b,x,1,32;AB,Bad", "Data\\a\\c,x,1,32;AB,OK",
                  "Data\\a(,x,1,32;AB,OK"})
        << QStringList{u"~\ta b\tOK\tBad"_s, u"-\ta!\tOK"_s, u"+\ta(\tOK"_s, u"s\ta\t1\t2"_s,
                       u"added: 1 removed: 1 status_changed: 1 size_changed: 1 unchanged: 1"_s};
    QTest::newRow("duplicate paths paired in the order of the file")
        << lines({"Data\\a,x,1,32;AB,OK", "Data\\b,x,1,32;AB,OK", "Data\\a,x,1,32;AB,Damaged"})
        << lines({"Data\\a,x,1,32;AB,Damaged", "Data\\a,x,1,32;AB,OK", "Data\\a,x,7,32;AB,Bad",
                  "Data\\b,x,1,32;AB,OK"})
        << QStringList{u"~\ta\tOK\tDamaged"_s, u"~\ta\tDamaged\tOK"_s, u"+\ta\tBad"_s,
                       u"added: 1 removed: 0 status_changed: 2 size_changed: 0 unchanged: 1"_s};
    QTest::newRow("a duplicate more in OLD")
        << lines({"Data\\a,x,1,32;AB,OK", "Data\\a,x,2,32;AB,OK"})
        << lines({"Data\\a,x,1,32;AB,OK"})
        << QStringList{u"-\ta\tOK"_s,
                       u"added: 0 removed: 1 status_changed: 0 size_changed: 0 unchanged: 1"_s};
    // A line without a "," sorts before "a b" in its store, after it by path.
    QTest::newRow("a line without fields")
        << lines({"Data\\a", "Data\\a b,x,1,32;AB,OK"})
        << lines({"Data\\a,x,1,32;AB,OK", "Data\\a b,x,1,32;AB,OK"})
        << QStringList{u"~\ta\t\tOK"_s,
                       u"added: 0 removed: 0 status_changed: 1 size_changed: 0 unchanged: 1"_s};
    QTest::newRow("lines below several top folders")
        << lines({"Zeta\\a,x,1,32;AB,OK", "Alpha\\b,x,1,32;AB,OK", "Zeta\\c,x,1,32;AB,OK"})
        << lines({"Data\\a,x,1,32;AB,OK", "Data\\b,x,1,32;AB,Bad", "Data\\c,x,1,32;AB,OK"})
        << QStringList{u"~\tb\tOK\tBad"_s,
                       u"added: 0 removed: 0 status_changed: 1 size_changed: 0 unchanged: 2"_s};
    // Windows-1252 orders "\x80" (the euro sign) before "\xE9"; UTF-8 the
    // other way round. Both pair.
    QTest::newRow("different encodings")
        << lines({"Data\\\x80.txt,x,1,32;AB,OK", "Data\\\xC4rger.txt,x,1,32;AB,OK",
                  "Data\\\xE9t\xE9.txt,x,1,32;AB,OK", "Data\\z.txt,x,1,32;AB,OK"})
        << lines({"Data\\\xC3\x84rger.txt,x,1,32;AB,OK", "Data\\\xC3\xA9t\xC3\xA9.txt,x,2,32;AB,OK",
                  "Data\\\xE2\x82\xAC.txt,x,1,32;AB,Bad", "Data\\z.txt,x,1,32;AB,OK"})
        << QStringList{u"s\t\u00E9t\u00E9.txt\t1\t2"_s, u"~\t\u20AC.txt\tOK\tBad"_s,
                       u"added: 0 removed: 0 status_changed: 1 size_changed: 1 unchanged: 2"_s};
}

void TestListComparison::compare()
{
    QFETCH(QByteArray, oldList);
    QFETCH(QByteArray, newList);
    QFETCH(QStringList, expected);
    const LoadedList o = testing::loadFromBytes(oldList);
    const LoadedList n = testing::loadFromBytes(newList);
    const ListComparison c = compareLists(o, n);
    QVERIFY(!c.stopped);
    QCOMPARE(printed(c, o, n), expected);
    QCOMPARE(c.counts.unchanged + c.counts.statusChanged + c.counts.sizeChanged + c.counts.added,
             qint64(n.lineCount));
    QCOMPARE(c.counts.unchanged + c.counts.statusChanged + c.counts.sizeChanged + c.counts.removed,
             qint64(o.lineCount));
}

void TestListComparison::transitions()
{
    const LoadedList o = testing::loadFromBytes(
        lines({"Data\\1,x,1,32;AB,Not recovered", "Data\\2,x,1,32;AB,Not recovered",
               "Data\\3,x,1,32;AB,OK", "Data\\4,x,1,32;AB,Frobbed"}));
    const LoadedList n = testing::loadFromBytes(
        lines({"Data\\1,x,1,32;AB,OK", "Data\\2,x,1,32;AB,OK", "Data\\3,x,1,32;AB,Not recovered",
               "Data\\4,x,1,32;AB,Partially recovered"}));
    const ComparisonCounts c = compareLists(o, n).counts;
    QCOMPARE(c.statusChanged, 4);
    QCOMPARE(c.became(StatusClass::Bad, StatusClass::Good), 2);
    QCOMPARE(c.became(StatusClass::Good, StatusClass::Bad), 1);
    QCOMPARE(c.became(StatusClass::Unknown, classifyStatus(u"Partially recovered"_s)), 1);
    qint64 sum = 0;
    for (const auto &row : c.transitions)
        for (qint64 v : row)
            sum += v;
    QCOMPARE(sum, c.statusChanged);
}

void TestListComparison::folderChanges_data()
{
    QTest::addColumn<QString>("folder");    // names below Root joined by "\"
    QTest::addColumn<QString>("counts");    // "+A -R ~C sS", or "none"
    QTest::addColumn<QStringList>("shown"); // the paths of the folder's grid
    QTest::newRow("Root holds all") << QString() << u"+2 -3 ~1 s1"_s << QStringList{};
    QTest::newRow("a folder and its sub-folder")
        << u"A"_s << u"+1 -1 ~1 s1"_s << QStringList{u"A\\a"_s, u"A\\gone"_s};
    QTest::newRow("the sub-folder alone")
        << u"A\\B"_s << u"+1 -0 ~0 s1"_s << QStringList{u"A\\B\\b"_s, u"A\\B\\new"_s};
    QTest::newRow("a removed folder counts at its parent")
        << u"C"_s << u"+0 -2 ~0 s0"_s << QStringList{u"C\\D\\d1"_s, u"C\\D\\d2"_s};
    QTest::newRow("an unchanged folder is left out") << u"Same"_s << u"none"_s << QStringList{};
    QTest::newRow("an added folder") << u"New"_s << u"+1 -0 ~0 s0"_s << QStringList{u"New\\n"_s};
}

void TestListComparison::folderChanges()
{
    QFETCH(QString, folder);
    QFETCH(QString, counts);
    QFETCH(QStringList, shown);
    const LoadedList o = testing::loadFromBytes(lines(
        {"Data\\A\\a,x,1,32;AB,OK", "Data\\A\\gone,x,1,32;AB,OK", "Data\\A\\B\\b,x,1,32;AB,OK",
         "Data\\C\\D\\d1,x,1,32;AB,OK", "Data\\C\\D\\d2,x,1,32;AB,OK", "Data\\C\\keep,x,1,32;AB,OK",
         "Data\\Same\\s,x,1,32;AB,OK"}));
    const LoadedList n = testing::loadFromBytes(lines(
        {"Disk\\A\\a,x,1,32;AB,Bad", "Disk\\A\\B\\b,x,2,32;AB,OK", "Disk\\A\\B\\new,x,1,32;AB,OK",
         "Disk\\C\\keep,x,1,32;AB,OK", "Disk\\Same\\s,x,1,32;AB,OK", "Disk\\New\\n,x,1,32;AB,OK"}));
    const ListComparison c = compareLists(o, n);
    const int item = folder.isEmpty() ? 0 : n.SftTree1.findPath(folder.split(u'\\'));
    QVERIFY(item >= 0);
    const FolderChanges *f = c.changesBelow(item);
    const QString shownCounts = f ? u"+%1 -%2 ~%3 s%4"_s.arg(f->added)
                                        .arg(f->removed)
                                        .arg(f->statusChanged)
                                        .arg(f->sizeChanged)
                                  : u"none"_s;
    QCOMPARE(shownCounts, counts);
    QStringList paths;
    for (quint32 row : differencesInFolder(c, o, n, item))
        paths.append(differenceLine(c.differences[row], o, n).section(u'\t', 1, 1));
    QCOMPARE(paths, shown);
}

void TestListComparison::againstNaivePairing_data()
{
    QTest::addColumn<quint32>("seed");
    QTest::addColumn<int>("lineCount");
    QTest::addColumn<bool>("twoTopFolders"); // some lines below another top folder
    QTest::addColumn<bool>("utf8New");       // NEW in UTF-8, OLD in Windows-1252
    for (quint32 seed = 1; seed <= 6; ++seed) {
        QTest::addRow("seed %u", seed) << seed << 400 << false << false;
        QTest::addRow("seed %u, two top folders", seed) << seed << 300 << true << false;
        QTest::addRow("seed %u, two encodings", seed) << seed << 300 << false << true;
    }
}

// Lists of paths from a few tricky letters (below and above ",", "\" and
// non-ASCII), in shuffled order with duplicates, against pairing by a map.
void TestListComparison::againstNaivePairing()
{
    QFETCH(quint32, seed);
    QFETCH(int, lineCount);
    QFETCH(bool, twoTopFolders);
    QFETCH(bool, utf8New);
    QRandomGenerator rng(seed);
    const QList<QByteArray> letters = {"a", "b", " ", "!", "(", "\\", "\xE9", "\x80", "Z"};
    const QList<QByteArray> statuses = {"OK", "Damaged", "Partial"};
    QList<QByteArray> paths;
    for (int i = 0; i < lineCount / 3; ++i) {
        QByteArray p;
        const int length = 1 + int(rng.bounded(5));
        for (int k = 0; k < length; ++k)
            p += letters[int(rng.bounded(letters.size()))];
        if (p.endsWith('\\'))
            p += 'x';
        paths.append(p);
    }
    auto makeList = [&](bool isNew) {
        QByteArray out;
        for (int i = 0; i < lineCount; ++i) {
            const QByteArray &path = paths[int(rng.bounded(paths.size()))];
            const QByteArray top = twoTopFolders && rng.bounded(4) == 0 ? "Other" : "Data";
            if (rng.bounded(40) == 0) {
                out += top + '\\' + path + "\r\n"; // a line without fields
                continue;
            }
            out += file(top + '\\' + path, QByteArray::number(rng.bounded(3)),
                        statuses[int(rng.bounded(statuses.size()))]) +
                   "\r\n";
        }
        if (isNew && utf8New)
            return QString::fromLatin1(out).replace(QChar(0x80), QChar(0x20AC)).toUtf8();
        return out;
    };
    const LoadedList o = testing::loadFromBytes(makeList(false));
    const LoadedList n = testing::loadFromBytes(makeList(true));
    if (utf8New)
        QCOMPARE(n.iGrid1.encoding(), ListEncoding::Utf8);

    // The naive pairing: each list's lines by path, in the order of the file.
    struct Fields
    {
        QString status;
        QString size;
    };
    auto byPath = [](const LoadedList &list) {
        std::vector<std::pair<const char *, qsizetype>> inFileOrder;
        for (qsizetype i = 0; i < list.iGrid1.count(); ++i)
            inFileOrder.emplace_back(list.iGrid1.line(i).data(), i);
        std::sort(inFileOrder.begin(), inFileOrder.end());
        std::map<QString, QList<Fields>> map;
        for (const auto &[at, i] : inFileOrder) {
            const QByteArrayView line = list.iGrid1.line(i);
            const QString path = list.iGrid1.decode(pathBelowTop(line));
            map[path].append(
                {list.iGrid1.decode(fieldAt(line, 4)), list.iGrid1.decode(fieldAt(line, 2))});
        }
        return map;
    };
    const auto oldPaths = byPath(o);
    const auto newPaths = byPath(n);
    QStringList expected;
    ComparisonCounts naive;
    auto sizeOf = [](const QString &s) { return s.isEmpty() ? 0 : s.toLongLong(); };
    for (const auto &[path, news] : newPaths) {
        const QList<Fields> olds = oldPaths.count(path) ? oldPaths.at(path) : QList<Fields>();
        for (qsizetype k = 0; k < news.size(); ++k) {
            if (k >= olds.size()) {
                expected.append(u"+\t"_s + path + u'\t' + news[k].status);
                ++naive.added;
            } else if (olds[k].status != news[k].status) {
                expected.append(u"~\t"_s + path + u'\t' + olds[k].status + u'\t' + news[k].status);
                ++naive.statusChanged;
            } else if (sizeOf(olds[k].size) != sizeOf(news[k].size)) {
                expected.append(u"s\t"_s + path + u'\t' + olds[k].size + u'\t' + news[k].size);
                ++naive.sizeChanged;
            } else {
                ++naive.unchanged;
            }
        }
    }
    for (const auto &[path, olds] : oldPaths) {
        const qsizetype paired = newPaths.count(path) ? newPaths.at(path).size() : 0;
        for (qsizetype k = paired; k < olds.size(); ++k) {
            expected.append(u"-\t"_s + path + u'\t' + olds[k].status);
            ++naive.removed;
        }
    }

    const ListComparison c = compareLists(o, n);
    QStringList got;
    QString previous;
    for (const ListDifference &d : c.differences) {
        const QString line = differenceLine(d, o, n);
        got.append(line);
        // NEW's order of paths, each with its "," after it: its bytes, or
        // its characters for two lists in two encodings.
        const QString path = line.section(u'\t', 1, 1) + u',';
        const bool ordered =
            utf8New ? previous.compare(path) <= 0
                    : !LineStore::lessOrdinal(n.iGrid1.encode(path), n.iGrid1.encode(previous));
        QVERIFY2(ordered, qPrintable(previous + u" > "_s + path));
        previous = path;
    }
    QCOMPARE(c.counts.added, naive.added);
    QCOMPARE(c.counts.removed, naive.removed);
    QCOMPARE(c.counts.statusChanged, naive.statusChanged);
    QCOMPARE(c.counts.sizeChanged, naive.sizeChanged);
    QCOMPARE(c.counts.unchanged, naive.unchanged);
    got.sort();
    expected.sort();
    QCOMPARE(got, expected);
}

void TestListComparison::halvesAgree_data()
{
    QTest::addColumn<bool>("linesWithoutFields"); // NEW out of path order
    QTest::addColumn<bool>("utf8New");
    QTest::newRow("in order") << false << false;
    QTest::newRow("NEW out of order") << true << false;
    QTest::newRow("two encodings") << false << true;
}

// Long lists are merged in two halves on two threads: the same result as
// one merge, whatever the lists.
void TestListComparison::halvesAgree()
{
    QFETCH(bool, linesWithoutFields);
    QFETCH(bool, utf8New);
    QRandomGenerator rng(11);
    QByteArray a;
    QByteArray b;
    for (int i = 0; i < 220000; ++i) {
        const QByteArray path = "Data\\d" + QByteArray::number(rng.bounded(900)) + "\\f" +
                                QByteArray::number(rng.bounded(400)) + (i % 7 ? "" : " \xE9");
        const QByteArray line = file(path, "1", "OK");
        const quint32 pick = rng.bounded(20u);
        if (pick != 0)
            a += line + "\r\n";
        if (pick == 1)
            b += file(path, "1", "Damaged") + "\r\n";
        else if (pick == 2 && linesWithoutFields)
            b += path + "\r\n";
        else if (pick != 3)
            b += line + "\r\n";
    }
    if (utf8New)
        b = QString::fromLatin1(b).toUtf8();
    const LoadedList o = testing::loadFromBytes(a);
    const LoadedList n = testing::loadFromBytes(b);
    CompareOptions one;
    one.parallel = false;
    const ListComparison serial = compareLists(o, n, one);
    const ListComparison halves = compareLists(o, n);
    QVERIFY(serial.counts.differences() > 10000);
    QCOMPARE(serial.newIndexed, linesWithoutFields);
    QCOMPARE(halves.newIndexed, serial.newIndexed);
    QCOMPARE(halves.counts.unchanged, serial.counts.unchanged);
    QCOMPARE(halves.counts.transitions, serial.counts.transitions);
    QVERIFY(halves.differences == serial.differences);
}

void TestListComparison::stopped()
{
    QByteArray big;
    for (int i = 0; i < 100000; ++i)
        big += file("Data\\f" + QByteArray::number(i), "1", "OK") + "\r\n";
    const LoadedList o = testing::loadFromBytes(big);
    std::atomic<bool> stop{true};
    CompareOptions options;
    options.stop = &stop;
    const ListComparison c = compareLists(o, o, options);
    QVERIFY(c.stopped);
    QVERIFY(c.differences.empty());
}

QTEST_GUILESS_MAIN(TestListComparison)
#include "tst_listcomparison.moc"
