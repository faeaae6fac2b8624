#include "ListGenerator.h"

#include <QDateTime>
#include <QFile>
#include <QSet>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace corvane::listgen;

namespace {

QByteArray generate(qint64 lines, quint64 seed, GeneratorStats *stats = nullptr)
{
    GeneratorOptions options;
    options.lines = lines;
    options.seed = seed;
    return generateListBytes(options, stats);
}

// The lines without their CR LF; fails the test on any other line end.
QList<QByteArrayView> splitLines(const QByteArray &bytes)
{
    QList<QByteArrayView> lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r') {
            if (i + 1 >= bytes.size() || bytes[i + 1] != '\n')
                return {}; // a lone CR
            lines.append(QByteArrayView(bytes.constData() + start, i - start));
            start = i + 2;
            ++i;
        } else if (bytes[i] == '\n') {
            return {}; // a lone LF
        }
    }
    if (start != bytes.size())
        return {}; // a last line without CR LF
    return lines;
}

QByteArrayView folderOf(QByteArrayView line)
{
    const QByteArrayView path = line.first(line.indexOf(','));
    return path.first(path.lastIndexOf('\\') + 1);
}

int levelOf(QByteArrayView folder)
{
    return int(folder.count('\\')) - 1; // 'Data\' is level 0
}

} // namespace

class TestListGenerator : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void wideFolders_data();
    void wideFolders();
    void sameSeedSameBytes_data();
    void sameSeedSameBytes();
    void differentSeedDifferentBytes();
    void exactLineCount_data();
    void exactLineCount();
    void everyLineIsAnEntry();
    void foldersAreContiguousAndWithinDepth_data();
    void foldersAreContiguousAndWithinDepth();
    void bigFolders_data();
    void bigFolders();
    void windows1252Names();
    void writesFile();
    void refusedWriteReportsFailure();
};

void TestListGenerator::sameSeedSameBytes_data()
{
    QTest::addColumn<qint64>("lines");
    QTest::addColumn<quint64>("seed");
    QTest::newRow("one line") << qint64(1) << quint64(1);
    QTest::newRow("small") << qint64(500) << quint64(7);
    QTest::newRow("with a big folder") << qint64(25000) << quint64(3);
    QTest::newRow("seed 0") << qint64(3000) << quint64(0);
}

void TestListGenerator::sameSeedSameBytes()
{
    QFETCH(qint64, lines);
    QFETCH(quint64, seed);
    const QByteArray first = generate(lines, seed);
    const QByteArray second = generate(lines, seed);
    QVERIFY(!first.isEmpty());
    QCOMPARE(first.size(), second.size());
    QVERIFY(first == second); // QCOMPARE would print megabytes
}

void TestListGenerator::differentSeedDifferentBytes()
{
    const QByteArray a = generate(2000, 1);
    const QByteArray b = generate(2000, 2);
    QVERIFY(a != b);
    // Not just a shifted check code: the paths differ too.
    QVERIFY(splitLines(a).first().first(40) != splitLines(b).first().first(40) ||
            splitLines(a)[100].first(30) != splitLines(b)[100].first(30));
}

void TestListGenerator::exactLineCount_data()
{
    QTest::addColumn<qint64>("lines");
    for (qint64 n : {0, 1, 2, 19, 20, 500, 19999, 20000, 31000})
        QTest::addRow("%lld", n) << n;
}

void TestListGenerator::exactLineCount()
{
    QFETCH(qint64, lines);
    GeneratorStats stats;
    const QByteArray bytes = generate(lines, 11, &stats);
    const QList<QByteArrayView> split = splitLines(bytes);
    QCOMPARE(split.size(), lines);
    QCOMPARE(bytes.count("\r\n"), lines);
    QCOMPARE(stats.lines, lines);
    QCOMPARE(stats.bytes, bytes.size());
}

void TestListGenerator::everyLineIsAnEntry()
{
    const QByteArray bytes = generate(25000, 5);
    const QList<QByteArrayView> lines = splitLines(bytes);
    QCOMPARE(lines.size(), 25000);

    const QList<QByteArray> words = statusWords();
    QCOMPARE(words.size(), 5);
    QHash<QByteArray, int> statusCount;
    QSet<QByteArray> paths;
    int folderEntries = 0;
    for (const QByteArrayView line : lines) {
        const QList<QByteArray> fields = line.toByteArray().split(',');
        QCOMPARE(fields.size(), 5);

        const QByteArray &path = fields[0];
        QVERIFY2(path.startsWith("Data\\"), path.constData());
        QVERIFY(!path.endsWith('\\'));
        QVERIFY2(!path.contains("\\\\"), path.constData());
        QVERIFY2(!paths.contains(path), path.constData()); // no path twice
        paths.insert(path);

        const QDateTime date =
            QDateTime::fromString(QString::fromLatin1(fields[1]), u"yyyy-MM-dd HH:mm:ss"_s);
        QVERIFY2(date.isValid(), fields[1].constData());
        QVERIFY(date.date().year() >= 1998 && date.date().year() <= 2024);

        bool ok = false;
        fields[2].toULongLong(&ok);
        QVERIFY2(ok, fields[2].constData());

        const QList<QByteArray> attr = fields[3].split(';');
        QCOMPARE(attr.size(), 2);
        const uint bits = attr[0].toUInt(&ok);
        QVERIFY2(ok, fields[3].constData());
        QCOMPARE(attr[1].size(), 8);
        attr[1].toUInt(&ok, 16);
        QVERIFY2(ok && attr[1] == attr[1].toUpper(), fields[3].constData());
        if (bits & 16) {
            ++folderEntries;
            QCOMPARE(fields[2], QByteArray("0"));
        }

        QVERIFY2(words.contains(fields[4]), fields[4].constData());
        ++statusCount[fields[4]];
    }
    QVERIFY(folderEntries > 0);
    // Every status word is used, the first by far the most.
    for (const QByteArray &word : words)
        QVERIFY2(statusCount.value(word) > 0, word.constData());
    QVERIFY(statusCount.value(words[0]) > lines.size() / 2);
}

void TestListGenerator::foldersAreContiguousAndWithinDepth_data()
{
    QTest::addColumn<quint64>("seed");
    QTest::newRow("seed 1") << quint64(1);
    QTest::newRow("seed 2") << quint64(2);
    QTest::newRow("seed 9") << quint64(9);
}

void TestListGenerator::foldersAreContiguousAndWithinDepth()
{
    QFETCH(quint64, seed);
    GeneratorStats stats;
    const QByteArray bytes = generate(60000, seed, &stats);
    const QList<QByteArrayView> lines = splitLines(bytes);
    QCOMPARE(lines.size(), 60000);

    QSet<QByteArrayView> finished;
    QByteArrayView current;
    int deepest = 0;
    qint64 runs = 0;
    for (const QByteArrayView line : lines) {
        const QByteArrayView folder = folderOf(line);
        if (folder != current) {
            QVERIFY2(!finished.contains(folder), folder.toByteArray().constData());
            if (!current.isEmpty())
                finished.insert(current);
            current = folder;
            ++runs;
            const int level = levelOf(folder);
            QVERIFY(level >= 0);
            QVERIFY(level <= kMaxDepth);
            deepest = std::max(deepest, level);
        }
    }
    QCOMPARE(runs, stats.folders);
    QCOMPARE(deepest, stats.maxDepth);
    QVERIFY2(deepest >= 6, QByteArray::number(deepest).constData());
    QVERIFY(stats.folders > 500); // most folders hold a handful to a few hundred
}

void TestListGenerator::bigFolders_data()
{
    QTest::addColumn<qint64>("lines");
    QTest::addColumn<quint64>("seed");
    QTest::newRow("smallest with one") << qint64(20000) << quint64(1);
    QTest::newRow("25000") << qint64(25000) << quint64(4);
    QTest::newRow("90000") << qint64(90000) << quint64(8);
}

void TestListGenerator::bigFolders()
{
    QFETCH(qint64, lines);
    QFETCH(quint64, seed);
    QCOMPARE(bigFolderCount(19999), 0);
    QCOMPARE(bigFolderCount(1000000), 5);
    QCOMPARE(bigFolderCount(5000000), 25);

    GeneratorStats stats;
    const QByteArray bytes = generate(lines, seed, &stats);
    const QList<QByteArrayView> split = splitLines(bytes);
    QHash<QByteArrayView, qint64> perFolder;
    for (const QByteArrayView line : split)
        ++perFolder[folderOf(line)];
    qint64 big = 0;
    for (auto it = perFolder.cbegin(); it != perFolder.cend(); ++it) {
        if (it.value() >= kBigFolderFiles) {
            ++big;
            QVERIFY(levelOf(it.key()) >= 1); // never the top folder itself
            QVERIFY(it.value() <= 60000);
        }
    }
    QCOMPARE(big, bigFolderCount(lines));
    QCOMPARE(stats.bigFolders, big);
}

void TestListGenerator::windows1252Names()
{
    const QByteArray bytes = generate(25000, 6);
    int accented = 0, high = 0;
    for (const char c : bytes) {
        const uchar b = uchar(c);
        QVERIFY(b >= 0x20 || b == '\r' || b == '\n');
        // Bytes that Windows-1252 leaves undefined never appear.
        QVERIFY(b != 0x81 && b != 0x8D && b != 0x8F && b != 0x90 && b != 0x9D);
        if (b >= 0xC0)
            ++accented;
        else if (b >= 0x80 && b <= 0x9F)
            ++high;
    }
    QVERIFY(accented > 1000);
    QVERIFY(high > 10); // '€', 'Š', 'Œ' ...
    // Single bytes, not UTF-8: a UTF-8 reading fails.
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString ignored = utf8(bytes);
    QVERIFY(utf8.hasError());
    // Natural-order cases: 'IMG_2.JPG' beside 'IMG_10.JPG' in one folder.
    QVERIFY(bytes.contains("\\IMG_2.") && bytes.contains("\\IMG_10."));
}

void TestListGenerator::writesFile()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    GeneratorOptions options;
    options.lines = 4000;
    options.seed = 42;
    GeneratorStats stats;
    QString error;
    const QString path = dir.filePath(u"list.csv"_s);
    QVERIFY2(writeListFile(path, options, &stats, &error), qPrintable(error));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray written = file.readAll();
    QVERIFY(written == generateListBytes(options));
    QCOMPARE(stats.bytes, written.size());
}

void TestListGenerator::refusedWriteReportsFailure()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    GeneratorOptions options;
    options.lines = 10;
    QString error;
    // A folder cannot be written as a file.
    QVERIFY(!writeListFile(dir.path(), options, nullptr, &error));
    QVERIFY(!error.isEmpty());

    // A sink that refuses stops the generator and is reported.
    options.lines = 50000; // more than one chunk
    int calls = 0;
    const bool ok = generateList(options, [&calls](const char *, qsizetype) {
        ++calls;
        return false;
    });
    QVERIFY(!ok);
    QCOMPARE(calls, 1);
}

void TestListGenerator::wideFolders_data()
{
    QTest::addColumn<qint64>("lines");
    QTest::newRow("one") << qint64(1);
    QTest::newRow("many") << qint64(20000);
}

void TestListGenerator::wideFolders()
{
    // Every line the one file of its own folder directly below the top
    // folder, the same bytes for the same options.
    QFETCH(qint64, lines);
    GeneratorOptions options;
    options.lines = lines;
    options.wide = true;
    GeneratorStats stats;
    const QByteArray bytes = generateListBytes(options, &stats);
    QCOMPARE(generateListBytes(options), bytes);
    const QList<QByteArrayView> all = splitLines(bytes);
    QCOMPARE(qint64(all.size()), lines);
    QSet<QByteArray> folders;
    for (QByteArrayView line : all) {
        const QByteArrayView folder = folderOf(line);
        QVERIFY2(folder.startsWith("Data\\"), line.toByteArray().constData());
        QCOMPARE(levelOf(folder), 1);
        folders.insert(folder.toByteArray());
    }
    QCOMPARE(qint64(folders.size()), lines);
    QCOMPARE(stats.lines, lines);
    QCOMPARE(stats.folders, lines);
    QCOMPARE(stats.maxDepth, 1);
}

QTEST_GUILESS_MAIN(TestListGenerator)
#include "tst_listgenerator.moc"
