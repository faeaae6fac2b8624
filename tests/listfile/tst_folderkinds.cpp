#include "listfile/FolderKinds.h"
#include "listfile/ListLine.h"
#include "listfile/ListLoader.h"

#include <QBuffer>
#include <QRandomGenerator>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace corvane;

namespace {

LoadedList loadRaw(QByteArray raw)
{
    QBuffer buffer(&raw);
    buffer.open(QIODevice::ReadOnly);
    LoadOptions options;
    options.parallel = false;
    return loadListBytes(readListDevice(buffer), options);
}

// The kinds of item's folder summed line by line from the list's own bytes:
// every file line whose folder path is the folder's or starts with it.
KindTotals naiveKinds(const QByteArray &raw, const QByteArray &folderPrefix)
{
    KindTotals totals;
    for (const QByteArray &line : raw.split('\n')) {
        const QByteArray l = line.endsWith('\r') ? line.chopped(1) : line;
        if (l.isEmpty())
            continue;
        const LineFields f = lineFields(l);
        if (hasFolderBit(f.attributes) || !f.path.startsWith(folderPrefix))
            continue;
        const qsizetype slash = f.path.lastIndexOf('\\');
        KindCount &k = totals[kindOfName(f.path.sliced(slash + 1))];
        const StatusClass c =
            f.hasStatus ? classifyStatus(QString::fromLatin1(f.status)) : StatusClass::Unknown;
        ++k.files;
        ++k.classFiles[size_t(c)];
        if (f.size)
            k.bytes.tryAdd(*f.size);
    }
    return totals;
}

QString describe(const KindTotals &t)
{
    QStringList parts;
    for (int k = 0; k < FileKindCount; ++k) {
        const KindCount &c = t.kinds[size_t(k)];
        if (c.files == 0 && c.bytes.raw() == 0)
            continue;
        parts.append(u"%1=%2/%3/%4,%5,%6,%7"_s.arg(fileKindId(FileKind(k)))
                         .arg(c.files)
                         .arg(c.bytes.raw())
                         .arg(c.classFiles[0])
                         .arg(c.classFiles[1])
                         .arg(c.classFiles[2])
                         .arg(c.classFiles[3]));
    }
    return parts.join(u' ');
}

// The item of a folder path below "Root" ("A\B"), or -1.
int itemOf(const FolderTree &tree, const QString &path)
{
    int item = 0;
    for (const QString &name : path.split(u'\\', Qt::SkipEmptyParts)) {
        item = tree.findChild(item, name);
        if (item < 0)
            return -1;
    }
    return item;
}

} // namespace

class TestFolderKinds : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void sameAsNaiveSum_data();
    void sameAsNaiveSum();
    void cases_data();
    void cases();
    void manyStatusWords();
    void outOfRange();
};

void TestFolderKinds::sameAsNaiveSum_data()
{
    QTest::addColumn<quint32>("seed");
    QTest::addColumn<int>("lines");
    QTest::addColumn<bool>("shuffled"); // the lines of a folder apart
    for (quint32 seed : {1U, 2U, 3U, 42U})
        QTest::addRow("seed %u, folder by folder", seed) << seed << 3000 << false;
    for (quint32 seed : {5U, 6U})
        QTest::addRow("seed %u, shuffled", seed) << seed << 3000 << true;
    QTest::newRow("one line") << 9U << 1 << false;
}

void TestFolderKinds::sameAsNaiveSum()
{
    QFETCH(quint32, seed);
    QFETCH(int, lines);
    QFETCH(bool, shuffled);
    QRandomGenerator random(seed);
    const char *const folders[] = {"Data\\",      "Data\\A\\",   "Data\\A\\B\\", "Data\\A\\B\\C\\",
                                   "Data\\A B\\", "Data\\A.B\\", "Data\\Z\\",    "Data\\Z\\A\\"};
    const char *const endings[] = {".jpg", ".JPG", ".mp3",  ".pst",     ".tar.gz", "",
                                   ".",    ".exe", ".xlsx", ".unknown", ".Db",     ".key"};
    const char *const statuses[] = {"Recovered", "Damaged", "Partially recovered", "Odd", "OK"};
    QList<QByteArray> all;
    for (int i = 0; i < lines; ++i) {
        const QByteArray folder = folders[random.bounded(int(std::size(folders)))];
        QByteArray line =
            folder + "f" + QByteArray::number(i) + endings[random.bounded(int(std::size(endings)))];
        const int shape = random.bounded(10);
        if (shape == 0) { // a folder line
            line = folder + "Sub" + QByteArray::number(i) + ",d,0,16;x,Recovered";
        } else if (shape == 1) { // no status
            line += ",d," + QByteArray::number(random.bounded(1000));
        } else if (shape == 2) { // no readable size
            line += ",d,big,32;x,Damaged";
        } else {
            line += ",d," + QByteArray::number(random.bounded(1 << 30)) + ",32;x," +
                    statuses[random.bounded(int(std::size(statuses)))];
        }
        all.append(line);
    }
    if (shuffled) {
        for (qsizetype i = all.size() - 1; i > 0; --i)
            all.swapItemsAt(i, random.bounded(int(i + 1)));
    } else {
        std::stable_sort(all.begin(), all.end(), [](const QByteArray &a, const QByteArray &b) {
            return a.first(a.lastIndexOf('\\')) < b.first(b.lastIndexOf('\\'));
        });
    }
    const QByteArray raw = all.join("\r\n");
    const LoadedList list = loadRaw(raw);
    QVERIFY(!list.kinds.isEmpty());
    const std::pair<const char *, QByteArray> checks[] = {
        {"", ""},
        {"A", "Data\\A\\"},
        {"A\\B", "Data\\A\\B\\"},
        {"A\\B\\C", "Data\\A\\B\\C\\"},
        {"A B", "Data\\A B\\"},
        {"A.B", "Data\\A.B\\"},
        {"Z", "Data\\Z\\"},
    };
    for (const auto &[path, prefix] : checks) {
        const int item = itemOf(list.SftTree1, QString::fromLatin1(path));
        if (item < 0 && lines < 100)
            continue; // a short list need not hold every folder
        QVERIFY2(item >= 0, path);
        QCOMPARE(describe(list.kinds.of(list.SftTree1, item)), describe(naiveKinds(raw, prefix)));
    }
    QCOMPARE(list.kinds.of(list.SftTree1, 0).total().files,
             naiveKinds(raw, QByteArray()).total().files);
}

void TestFolderKinds::cases_data()
{
    QTest::addColumn<QByteArray>("list");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("kinds");
    QTest::newRow("one kind")
        << "D\\a.jpg,d,1,32;x,Recovered\r\nD\\b.PNG,d,2,32;x,Damaged\r\nD\\c.heic,d,3\r\n"_ba
        << QString() << u"photos=3/60000/1,0,1,1"_s;
    QTest::newRow("folder lines are no files")
        << "D\\Pics.jpg,d,0,16;x,Recovered\r\nD\\Pics.jpg\\a.jpg,d,5,32;x,Recovered\r\n"
           "D\\Pics.jpg\\old,d,0,17;x,Recovered\r\nD\\x.zip,d,1,48;x,Recovered\r\n"_ba
        << QString() << u"photos=1/50000/1,0,0,0"_s;
    QTest::newRow("folder's own and below")
        << "D\\A\\a.mp3,d,1,32;x,OK\r\nD\\A\\B\\b.mp3,d,1,32;x,OK\r\nD\\c.mp3,d,1,32;x,OK\r\n"_ba
        << u"A"_s << u"music=2/20000/2,0,0,0"_s;
    QTest::newRow("a name of only an ending, and a path without folder")
        << ".pst,d,1,32;x,OK\r\nnotes,d,1,32;x,OK\r\n"_ba << QString()
        << u"mail=1/10000/1,0,0,0 other=1/10000/1,0,0,0"_s;
    QTest::newRow("empty lines count nowhere")
        << "\r\n\r\nD\\a.eml,d,4,32;x,Empty\r\n\r\n"_ba << QString() << u"mail=1/40000/0,0,1,0"_s;
}

void TestFolderKinds::cases()
{
    QFETCH(QByteArray, list);
    QFETCH(QString, folder);
    QFETCH(QString, kinds);
    const LoadedList loaded = loadRaw(list);
    const int item = itemOf(loaded.SftTree1, folder);
    QVERIFY(item >= 0);
    QCOMPARE(describe(loaded.kinds.of(loaded.SftTree1, item)), kinds);
}

void TestFolderKinds::manyStatusWords()
{
    // Every word classified once; the known ones among them still count.
    QByteArray raw;
    for (int i = 0; i < 10000; ++i)
        raw += "D\\F" + QByteArray::number(i % 7) + "\\f.doc,d,1,32;x,Word " +
               QByteArray::number(i) + "\r\n";
    raw += "D\\g.doc,d,1,32;x,Recovered\r\nD\\h.doc,d,1,32;x,  not RECOVERED \r\n";
    const LoadedList list = loadRaw(raw);
    const KindCount docs = list.kinds.of(list.SftTree1, 0)[FileKind::Documents];
    QCOMPARE(docs.files, 10002);
    QCOMPARE(docs.filesOf(StatusClass::Unknown), 10000);
    QCOMPARE(docs.filesOf(StatusClass::Good), 1);
    QCOMPARE(docs.filesOf(StatusClass::Bad), 1);
}

void TestFolderKinds::outOfRange()
{
    const LoadedList list = loadRaw("D\\a.jpg,d,1,32;x,OK\r\n"_ba);
    for (int item : {-1, list.SftTree1.count(), 1 << 30})
        QCOMPARE(list.kinds.of(list.SftTree1, item).total().files, 0);
    QCOMPARE(loadRaw(QByteArray()).kinds.of(FolderTree(), 0).total().files, 0);
    LoadOptions off;
    off.folderKinds = false;
    QByteArray raw = "D\\a.jpg,d,1,32;x,OK\r\n"_ba;
    QBuffer buffer(&raw);
    buffer.open(QIODevice::ReadOnly);
    const LoadedList without = loadListBytes(readListDevice(buffer), off);
    QVERIFY(without.kinds.isEmpty());
    QCOMPARE(without.kinds.of(without.SftTree1, 0).total().files, 0);
}

QTEST_GUILESS_MAIN(TestFolderKinds)
#include "tst_folderkinds.moc"
