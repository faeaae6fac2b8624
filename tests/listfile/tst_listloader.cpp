#include "listfile/ListLine.h"
#include "listfile/ListLoader.h"
#include "listfile/ListShape.h"
#include "listfile/SizeText.h"
#include "util/cStringBuilder.h"

#include <QBuffer>
#include <QDateTime>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;
using namespace corvane;

namespace {

ListBytes bytesOf(const QByteArray &raw)
{
    QBuffer buffer;
    buffer.setData(raw);
    buffer.open(QIODevice::ReadOnly);
    return readListDevice(buffer);
}

LoadedList loadRaw(const QByteArray &raw, bool parallel = true, bool wideLines = false)
{
    LoadOptions options;
    options.parallel = parallel;
    options.wideLines = wideLines;
    return loadListBytes(bytesOf(raw), options);
}

QByteArray crlf(const QStringList &lines)
{
    QByteArray out;
    for (const QString &l : lines)
        out += l.toLatin1() + "\r\n";
    return out;
}

QStringList storeLines(const LoadedList &list)
{
    QStringList lines;
    for (qsizetype i = 0; i < list.iGrid1.count(); ++i)
        lines << list.iGrid1.text(i);
    return lines;
}

} // namespace

class TestListLoader : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void folderTree_data();
    void folderTree();
    void sizes_data();
    void sizes();
    void totalOverflow();
    void lineEnds_data();
    void lineEnds();
    void encodings_data();
    void encodings();
    void rootPrefix_data();
    void rootPrefix();
    void deepPaths_data();
    void deepPaths();
    void stopInsideOneLongLine();
    void stopInLaterPhases_data();
    void stopInLaterPhases();
    void storeIsSortedAndPrefixesContiguous();
    void parallelMatchesSerial();
    void sameNamesUnderManyParents();
    void sortOrder_data();
    void sortOrder();
    void progressIsThrottledAndOrdered();
    void stringBuilderPath();
    void stopGivesUpEarly();
    void badFiles_data();
    void badFiles();
    void hugeInputs_data();
    void hugeInputs();
    void longLinesKeepTheirLength_data();
    void longLinesKeepTheirLength();
    void shrinkingFile();
    void listShape_data();
    void listShape();
    void changedWhileRead_data();
    void changedWhileRead();
    void ownResultIsUtf16LE();
    void lineTooLong_data();
    void lineTooLong();
    void dateRange_data();
    void dateRange();
    void clearEmptiesEverything_data();
    void clearEmptiesEverything();
};

void TestListLoader::folderTree_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QStringList>("tree");
    QTest::addColumn<int>("folders");

    const QStringList ordered = {u"Data\\A\\B\\f1.txt"_s, u"Data\\A\\B\\f2.txt"_s,
                                 u"Data\\A\\C\\f3.txt"_s};
    const QStringList abc = {u"Root"_s, u"  A"_s, u"    B"_s, u"    C"_s};
    QTest::newRow("written folder by folder") << ordered << abc << 2;
    QTest::newRow("not folder by folder: B merged")
        << QStringList{ordered[0], ordered[2], ordered[1]} << abc << 2;
    QTest::newRow("case makes two folders")
        << QStringList{u"Data\\Docs\\x.txt"_s, u"Data\\docs\\y.txt"_s}
        << QStringList{u"Root"_s, u"  Docs"_s, u"  docs"_s} << 2;
    QTest::newRow("file of the top folder adds no item")
        << QStringList{u"Data\\a.txt"_s} << QStringList{u"Root"_s} << 1;
    QTest::newRow("empty line keeps the folder")
        << QStringList{u"Data\\A\\f1"_s, QString(), u"Data\\A\\f2"_s}
        << QStringList{u"Root"_s, u"  A"_s} << 1;
    QTest::newRow("path without backslash after a folder")
        << QStringList{u"Data\\A\\f1"_s, u"loose.txt"_s, u"Data\\A\\f2"_s}
        << QStringList{u"Root"_s, u"  A"_s} << 2;
    QTest::newRow("leading path without backslash")
        << QStringList{u"loose.txt"_s, u"Data\\A\\f2"_s} << QStringList{u"Root"_s, u"  A"_s} << 2;
    QTest::newRow("loose entry after a folder")
        << QStringList{u"Data\\A\\f1"_s, u"loose.txt"_s} << QStringList{u"Root"_s, u"  A"_s} << 2;
    QTest::newRow("loose entry before a folder")
        << QStringList{u"loose.txt"_s, u"Data\\A\\f1"_s} << QStringList{u"Root"_s, u"  A"_s} << 2;
    QTest::newRow("top folder counted once")
        << QStringList{u"loose.txt"_s, u"Data\\a"_s, u"Data\\A\\f1"_s, u"Data\\b"_s, u"x"_s}
        << QStringList{u"Root"_s, u"  A"_s} << 2;
    QTest::newRow("a folder met again after another")
        << QStringList{u"Data\\A\\f1"_s, u"Data\\B\\f2"_s, u"Data\\A\\f3"_s}
        << QStringList{u"Root"_s, u"  A"_s, u"  B"_s} << 2;
    QTest::newRow("empty path field is an entry of the top folder")
        << QStringList{u"Data\\A\\f1"_s, u",d,5,32;x,ok"_s} << QStringList{u"Root"_s, u"  A"_s}
        << 2;
    QTest::newRow("empty path field first")
        << QStringList{u",d,5"_s, u"Data\\A\\f1"_s} << QStringList{u"Root"_s, u"  A"_s} << 2;
    QTest::newRow("only empty lines")
        << QStringList{QString(), QString()} << QStringList{u"Root"_s} << 0;
    QTest::newRow("other top folders merge under Root")
        << QStringList{u"Data\\A\\f1"_s, u"Other\\A\\f2"_s, u"Other\\B\\f3"_s}
        << QStringList{u"Root"_s, u"  A"_s, u"  B"_s} << 3;
    QTest::newRow("natural order, case-insensitive, ordinal ties")
        << QStringList{u"D\\img10\\a"_s, u"D\\Img2\\a"_s, u"D\\img2\\a"_s, u"D\\beta\\a"_s,
                       u"D\\Alpha\\a"_s}
        << QStringList{u"Root"_s, u"  Alpha"_s, u"  beta"_s, u"  Img2"_s, u"  img2"_s, u"  img10"_s}
        << 5;
    QTest::newRow("deep path, sub-folders below their parent")
        << QStringList{u"D\\a\\b\\c\\d\\f"_s, u"D\\a\\x\\f"_s, u"D\\a\\b\\y\\f"_s}
        << QStringList{u"Root"_s,      u"  a"_s,     u"    b"_s, u"      c"_s,
                       u"        d"_s, u"      y"_s, u"    x"_s}
        << 3;
    QTest::newRow("fields after the path are not part of it")
        << QStringList{u"D\\A\\f,2009,1,32;x,ok"_s, u"D\\A\\g,x\\y,1"_s}
        << QStringList{u"Root"_s, u"  A"_s} << 1;
    QTest::newRow("empty component")
        << QStringList{u"D\\\\f"_s} << QStringList{u"Root"_s, u"  "_s} << 1;
    QTest::newRow("no line") << QStringList{} << QStringList{} << 0;
}

void TestListLoader::folderTree()
{
    QFETCH(QStringList, lines);
    QFETCH(QStringList, tree);
    QFETCH(int, folders);
    const LoadedList list = loadRaw(crlf(lines));
    QCOMPARE(list.SftTree1.printable(), tree);
    QCOMPARE(list.folderCount, folders);
    QCOMPARE(list.lineCount, lines.size());
    // Parents come before their children and rows address children.
    for (int i = 1; i < list.SftTree1.count(); ++i) {
        const int p = list.SftTree1.parent(i);
        QVERIFY(p >= 0 && p < i);
        QCOMPARE(list.SftTree1.child(p, list.SftTree1.item(i).row), i);
        QCOMPARE(list.SftTree1.item(i).level, list.SftTree1.item(p).level + 1);
    }
}

void TestListLoader::sizes_data()
{
    QTest::addColumn<QByteArray>("field");
    QTest::addColumn<bool>("fits");
    QTest::addColumn<qint64>("raw"); // ten-thousandths

    QTest::newRow("plain") << "2048"_ba << true << 20480000LL;
    QTest::newRow("leading blank") << " 2048"_ba << true << 20480000LL;
    QTest::newRow("blank inside") << "2 048"_ba << true << 20480000LL;
    QTest::newRow("trailing word") << "2048 bytes"_ba << true << 20480000LL;
    QTest::newRow("not a number") << "abc"_ba << true << 0LL;
    QTest::newRow("empty") << ""_ba << true << 0LL;
    QTest::newRow("negative") << "-5"_ba << true << -50000LL;
    QTest::newRow("fraction") << "1.5"_ba << true << 15000LL;
    QTest::newRow("exponent") << "1e3"_ba << true << 10000000LL;
    QTest::newRow("dangling exponent") << "2e"_ba << true << 20000LL;
    QTest::newRow("tiny fraction rounds") << "0.00005"_ba << true << 1LL;
    QTest::newRow("largest whole") << "922337203685477"_ba << true << 9223372036854770000LL;
    QTest::newRow("beyond range") << "922337203685478"_ba << false << 0LL;
    QTest::newRow("beyond 64 bits") << "99999999999999999999999"_ba << false << 0LL;
    QTest::newRow("huge exponent") << "1e99999999"_ba << false << 0LL;
}

void TestListLoader::sizes()
{
    QFETCH(QByteArray, field);
    QFETCH(bool, fits);
    QFETCH(qint64, raw);
    const auto size = leadingSize(field);
    if (!fits) {
        QVERIFY(!size.has_value());
    } else {
        QVERIFY(size.has_value());
        QCOMPARE(size->raw(), raw);
    }
    // Through the loader: a size out of range is left out of the total.
    const LoadedList list = loadRaw("D\\a,d," + field + ",32;x,ok\r\nD\\b,d,0,32;x,ok\r\n");
    QCOMPARE(list.totalSize.raw(), raw);
}

void TestListLoader::totalOverflow()
{
    // A size that would take the total past the fixed-point range is skipped;
    // later sizes that fit are still added.
    const LoadedList list = loadRaw("D\\a,d,922337203685477\nD\\b,d,1\nD\\c,d,-3\n");
    QCOMPARE(list.totalSize.raw(), 9223372036854770000LL - 30000);
}

void TestListLoader::lineEnds_data()
{
    QTest::addColumn<QByteArray>("raw");
    QTest::addColumn<QStringList>("lines");

    const QStringList ab = {u"D\\a"_s, u"D\\b"_s};
    QTest::newRow("CR LF") << "D\\a\r\nD\\b\r\n"_ba << ab;
    QTest::newRow("LF") << "D\\a\nD\\b\n"_ba << ab;
    QTest::newRow("CR") << "D\\a\rD\\b\r"_ba << ab;
    QTest::newRow("no final end") << "D\\a\r\nD\\b"_ba << ab;
    QTest::newRow("mixed") << "D\\a\rD\\b\nD\\c\r\n"_ba
                           << QStringList{u"D\\a"_s, u"D\\b"_s, u"D\\c"_s};
    QTest::newRow("CR then CR LF is an empty line")
        << "D\\a\r\r\nD\\b"_ba << QStringList{QString(), u"D\\a"_s, u"D\\b"_s};
    QTest::newRow("blank lines") << "\n\nD\\a\n"_ba << QStringList{QString(), QString(), u"D\\a"_s};
    QTest::newRow("empty file") << QByteArray() << QStringList{};
    QTest::newRow("NUL bytes kept")
        << QByteArray("D\\a\0b,1\r\n", 9) << QStringList{QString::fromLatin1("D\\a\0b,1", 7)};
}

void TestListLoader::lineEnds()
{
    QFETCH(QByteArray, raw);
    QFETCH(QStringList, lines);
    const LoadedList list = loadRaw(raw);
    QCOMPARE(storeLines(list), lines);
    QCOMPARE(list.lineCount, lines.size());
    if (lines.isEmpty()) {
        QCOMPARE(list.SftTree1.count(), 0);
        QCOMPARE(FormatSize(list.totalSize, QLocale(QLocale::English)), u"0 Bytes"_s);
    }
}

void TestListLoader::encodings_data()
{
    QTest::addColumn<QByteArray>("raw");
    QTest::addColumn<QString>("firstLine");
    QTest::addColumn<QString>("folder");

    const QString text = u"Dätä\\Müsic €\\Ärger.mp3,2009-05-14,1536,32;x,Recovered"_s;
    QByteArray cp1252 =
        "D\xe4t\xe4\\M\xfcsic \x80\\\xc4rger.mp3,2009-05-14,1536,32;x,Recovered\r\n";
    QTest::newRow("Windows-1252") << cp1252 << text << u"Müsic €"_s;
    QTest::newRow("UTF-8") << (text.toUtf8() + "\r\n") << text << u"Müsic €"_s;
    // A byte-order mark (Notepad's "UTF-8") is not part of the first line.
    QTest::newRow("UTF-8 with BOM")
        << ("\xef\xbb\xbf"_ba + text.toUtf8() + "\r\n") << text << u"Müsic €"_s;
    QByteArray utf16(reinterpret_cast<const char *>(text.utf16()), text.size() * 2);
    utf16 += QByteArray("\r\0\n\0", 4);
    QTest::newRow("UTF-16LE without BOM") << utf16 << text << u"Müsic €"_s;
    QTest::newRow("UTF-16LE with BOM") << ("\xff\xfe"_ba + utf16) << text << u"Müsic €"_s;
    QByteArray utf16be;
    for (qsizetype i = 0; i + 1 < utf16.size(); i += 2)
        utf16be.append(utf16[i + 1]).append(utf16[i]);
    QTest::newRow("UTF-16BE with BOM") << ("\xfe\xff"_ba + utf16be) << text << u"Müsic €"_s;
    QTest::newRow("UTF-16BE without BOM") << utf16be << text << u"Müsic €"_s;
    QTest::newRow("UTF-16BE, two lines")
        << ("\xfe\xff"_ba + utf16be + utf16be) << text << u"Müsic €"_s;
    // Bytes that are valid in no multi-byte encoding still show, one
    // character per byte.
    QTest::newRow("invalid bytes")
        << "D\\\x81\xff\xc3(\\f,1\r\n"_ba << QString::fromUtf16(u"D\\\u0081\u00ff\u00c3(\\f,1")
        << QString::fromUtf16(u"\u0081\u00ff\u00c3(");
    // A result of mostly non-Latin names has few zero bytes: its line ends
    // as 0D 00 0A 00 still tell it; the same names in UTF-8 stay UTF-8.
    const QString cyrillic = u"Данные\\Отчёты за год\\Квартальный отчёт.doc,1,2,3,Восстановлен"_s;
    QByteArray cyrillic16(reinterpret_cast<const char *>(cyrillic.utf16()), cyrillic.size() * 2);
    cyrillic16 += QByteArray("\r\0\n\0", 4);
    QTest::newRow("UTF-16LE without BOM, Cyrillic")
        << (cyrillic16 + cyrillic16) << cyrillic << u"Отчёты за год"_s;
    QTest::newRow("UTF-8, Cyrillic")
        << (cyrillic.toUtf8() + "\r\n") << cyrillic << u"Отчёты за год"_s;
    QTest::newRow("late accent decides UTF-8")
        << (QByteArray(70000, 'x').prepend("Dätä\\A\\").append("\r\n") + text.toUtf8())
        << u"Dätä\\A\\"_s + QString(70000, u'x') << u"A"_s;
}

void TestListLoader::encodings()
{
    QFETCH(QByteArray, raw);
    QFETCH(QString, firstLine);
    QFETCH(QString, folder);
    const LoadedList list = loadRaw(raw);
    QVERIFY(list.lineCount >= 1);
    // Every row here ends its lines, but for one long line left open.
    const bool open = raw.size() > 70000;
    QCOMPARE(list.lineCount, qint32(QString::fromLatin1(raw).count(u'\n') + (open ? 1 : 0)));
    QCOMPARE(list.iGrid1.text(0), firstLine);
    QCOMPARE(list.SftTree1.text(1), folder);
    // The folder key found from the tree matches the stored lines.
    const QByteArray key =
        list.iGrid1.encode(list.rootPrefixAfter(QString())) + list.SftTree1.keyBelowRoot(1);
    QVERIFY(!list.iGrid1.prefixRange(key).isEmpty());
}

void TestListLoader::rootPrefix_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");
    const QStringList data = {u"Data\\A\\x"_s, u"Data\\B\\y"_s};
    QTest::newRow("from the list") << data << QString() << u"Data\\"_s;
    QTest::newRow("a set prefix is kept")
        << QStringList{u"Other\\x"_s} << u"Data\\"_s << u"Data\\"_s;
    QTest::newRow("empty last line")
        << QStringList{u"Data\\a"_s, QString()} << QString() << u"Data\\"_s;
    QTest::newRow("no line") << QStringList{} << QString() << QString();
    QTest::newRow("footer line") << (data + QStringList{u"End of list"_s}) << QString()
                                 << u"Data\\"_s;
    QTest::newRow("footer with fields")
        << (data + QStringList{u"Total,,1234,,"_s, QString()}) << QString() << u"Data\\"_s;
    QTest::newRow("loose entry last")
        << (data + QStringList{u"loose.txt,d,1"_s}) << QString() << u"Data\\"_s;
    QTest::newRow("empty path field last")
        << (data + QStringList{u",d,1,32;x,ok"_s}) << QString() << u"Data\\"_s;
    QTest::newRow("no path holds a backslash")
        << QStringList{u"a.txt,d,1"_s, u"b.txt,d,2"_s} << QString() << QString();
}

void TestListLoader::rootPrefix()
{
    QFETCH(QStringList, lines);
    QFETCH(QString, before);
    QFETCH(QString, after);
    QCOMPARE(loadRaw(crlf(lines)).rootPrefixAfter(before), after);
}

void TestListLoader::deepPaths_data()
{
    QTest::addColumn<QByteArray>("component");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("treeItems");
    QTest::newRow("200,000 named components") << QByteArray("d") << 200000 << 200001;
    QTest::newRow("400,000 empty components") << QByteArray() << 400000 << 400001;
    QTest::newRow("two-letter names") << QByteArray("ab") << 100000 << 100001;
}

void TestListLoader::deepPaths()
{
    QFETCH(QByteArray, component);
    QFETCH(int, count);
    QFETCH(int, treeItems);
    QByteArray raw = "Data";
    raw.reserve(count * (component.size() + 1) + 64);
    for (int i = 0; i < count; ++i)
        raw += '\\' + component;
    // The same path again (merged with the previous line) and once more
    // after another line (found again under each parent).
    const QByteArray line = raw + "\\f.txt,d,1\r\n";
    const LoadedList list = loadRaw(line + line + "Data\\x\\f,d,1\r\n" + line);
    QCOMPARE(list.lineCount, 4);
    QCOMPARE(list.SftTree1.count(), treeItems + 1);
    QCOMPARE(list.folderCount, 2);
    const FolderTree &tree = list.SftTree1;
    int deepest = 0;
    for (int i = 0; i < tree.count(); ++i)
        deepest = qMax(deepest, tree.item(i).level);
    QCOMPARE(deepest, count);
}

void TestListLoader::stopInsideOneLongLine()
{
    // One line of a million components: the stop is seen inside it.
    QByteArray raw = "Data";
    for (int i = 0; i < 1000000; ++i)
        raw += "\\d";
    raw += "\\f.txt,d,1\r\n";
    std::atomic<bool> stop{true};
    LoadOptions options;
    options.stop = &stop;
    const LoadedList list = loadListBytes(bytesOf(raw), options);
    QVERIFY(list.stopped);
    QCOMPARE(list.SftTree1.count(), 0);
}

void TestListLoader::stopInLaterPhases_data()
{
    QTest::addColumn<int>("phase");
    QTest::addColumn<bool>("parallel");
    QTest::newRow("tree being sorted") << int(LoadProgress::Phase::LinesRead) << false;
    QTest::newRow("lines being sorted") << int(LoadProgress::Phase::SortingLines) << false;
    QTest::newRow("lines being sorted on two cores")
        << int(LoadProgress::Phase::SortingLines) << true;
}

void TestListLoader::stopInLaterPhases()
{
    QFETCH(int, phase);
    QFETCH(bool, parallel);
    QByteArray raw;
    raw.reserve(300000 * 32); // appending a built string reserves no more than it needs
    for (int i = 0; i < 300000; ++i)
        raw += "Data\\" + QByteArray::number(i % 977) + "\\f" +
               QByteArray::number(qint64(i) * 7919 % 300007) + ",d,1\n";
    std::atomic<bool> stop{false};
    LoadOptions options;
    options.parallel = parallel;
    options.stop = &stop;
    options.progress = [&](const LoadProgress &p) {
        if (int(p.phase) == phase)
            stop = true;
    };
    const LoadedList list = loadListBytes(bytesOf(raw), options);
    QVERIFY(list.stopped);
    QCOMPARE(list.lineCount, 0);
}

void TestListLoader::storeIsSortedAndPrefixesContiguous()
{
    QStringList lines;
    for (int i = 0; i < 500; ++i)
        lines << u"Data\\%1\\%2\\f%3.txt,d,%3"_s.arg(QChar(u'A' + i % 7)).arg(i % 13).arg(i);
    lines << u"Data\\A\\x"_s << u"Data\\A1\\y"_s << u"Data\\A\\1\\z"_s;
    const LoadedList list = loadRaw(crlf(lines));
    for (qsizetype i = 1; i < list.iGrid1.count(); ++i)
        QVERIFY(!LineStore::lessOrdinal(list.iGrid1.line(i), list.iGrid1.line(i - 1)));
    const auto range = list.iGrid1.prefixRange("Data\\A\\");
    int expected = 0;
    for (const QString &l : lines)
        expected += l.startsWith(u"Data\\A\\"_s);
    QCOMPARE(range.size(), qsizetype(expected));
    for (qsizetype i = range.first; i < range.last; ++i)
        QVERIFY(list.iGrid1.line(i).startsWith("Data\\A\\"));
    QVERIFY(list.iGrid1.prefixRange("Nope\\").isEmpty());
}

void TestListLoader::sortOrder_data()
{
    QTest::addColumn<QByteArray>("alphabet");
    QTest::addColumn<int>("maxLength");
    QTest::addColumn<int>("count");
    QTest::newRow("short, NUL bytes") << QByteArray("ab\0\\", 4) << 20 << 5000;
    QTest::newRow("8-byte boundaries") << QByteArray("aa") << 24 << 3000;
    QTest::newRow("7-byte boundaries") << QByteArray("aa") << 21 << 3000;
    QTest::newRow("one letter: prefixes only") << QByteArray("x") << 40 << 2000;
    QTest::newRow("high bytes") << QByteArray("\x01\x7f\x80\xff") << 17 << 5000;
    QTest::newRow("many lines, two cores") << QByteArray("abc\\") << 30 << 250000;
}

void TestListLoader::sortOrder()
{
    QFETCH(QByteArray, alphabet);
    QFETCH(int, maxLength);
    QFETCH(int, count);
    // Lines of one shared long beginning and a random rest, as a list has.
    quint32 seed = 12345;
    auto next = [&seed] { return (seed = seed * 1103515245u + 12345u) >> 8; };
    QList<QByteArray> lines;
    QByteArray raw;
    raw.reserve(qsizetype(count) * (maxLength + 32));
    for (int i = 0; i < count; ++i) {
        QByteArray line = (next() % 3) ? "Data\\Documents and Settings\\" : "";
        const int length = int(next() % quint32(maxLength + 1));
        for (int k = 0; k < length; ++k)
            line += alphabet[int(next() % quint32(alphabet.size()))];
        lines.append(line);
        // LF or CR LF: a line of a small table ends where the next CR or LF
        // stands, one of either kind.
        raw += line + ((next() & 1) ? "\r\n" : "\n");
    }
    std::sort(lines.begin(), lines.end());
    for (const bool wide : {false, true}) {
        for (const bool parallel : {false, true}) {
            const LoadedList list = loadRaw(raw, parallel, wide);
            QCOMPARE(list.iGrid1.count(), qsizetype(count));
            for (qsizetype i = 0; i < list.iGrid1.count(); ++i) {
                if (list.iGrid1.line(i) != lines[i])
                    QFAIL(qPrintable(u"line %1 out of order"_s.arg(i)));
            }
        }
    }
}

void TestListLoader::sameNamesUnderManyParents()
{
    // Folders met out of order, the same names under many parents and a
    // folder table that grows many times: each (parent, name) is one folder,
    // found again wherever its lines stand.
    QByteArray raw;
    QSet<QString> pairs;
    for (int i = 0; i < 40000; ++i) {
        const int parent = int((quint32(i) * 7919u) % 613u);
        const int child = int((quint32(i) * 104729u) % 389u);
        pairs.insert(u"%1/%2"_s.arg(parent).arg(child));
        raw += "Data\\p" + QByteArray::number(parent) + "\\n" + QByteArray::number(child) + "\\f" +
               QByteArray::number(i) + ",d,1\r\n";
    }
    const LoadedList list = loadRaw(raw);
    QSet<int> parents;
    for (const QString &pair : pairs)
        parents.insert(pair.section(u'/', 0, 0).toInt());
    QCOMPARE(list.folderCount, qint32(pairs.size()));
    QCOMPARE(list.SftTree1.count(), 1 + int(parents.size()) + int(pairs.size()));
    for (const QString &pair : pairs) {
        const QStringList names{u"p"_s + pair.section(u'/', 0, 0), u"n"_s + pair.section(u'/', 1)};
        QVERIFY2(list.SftTree1.findPath(names) > 0, qPrintable(pair));
    }
}

void TestListLoader::parallelMatchesSerial()
{
    QByteArray raw;
    quint32 seed = 7;
    for (int i = 0; i < 250000; ++i) {
        seed = seed * 1103515245u + 12345u;
        raw += "Data\\F" + QByteArray::number(seed % 97) + "\\s" + QByteArray::number(seed % 13) +
               "\\file" + QByteArray::number(seed) + ".txt,d," + QByteArray::number(seed % 5000) +
               ",32;x,ok\r\n";
    }
    const LoadedList a = loadRaw(raw, true);
    const LoadedList b = loadRaw(raw, false);
    QCOMPARE(a.lineCount, b.lineCount);
    QCOMPARE(a.folderCount, b.folderCount);
    QCOMPARE(a.totalSize.raw(), b.totalSize.raw());
    QCOMPARE(a.SftTree1.printable(), b.SftTree1.printable());
    for (qsizetype i = 0; i < a.iGrid1.count(); i += 997)
        QCOMPARE(a.iGrid1.line(i), b.iGrid1.line(i));
}

void TestListLoader::progressIsThrottledAndOrdered()
{
    QByteArray raw;
    for (int i = 0; i < 300000; ++i)
        raw += "Data\\F" + QByteArray::number(i / 100) + "\\f" + QByteArray::number(i) + ",d,1\n";
    QList<LoadProgress> seen;
    LoadOptions options;
    options.progressIntervalMs = 0;
    options.progress = [&](const LoadProgress &p) { seen.append(p); };
    const LoadedList list = loadListBytes(bytesOf(raw), options);
    QVERIFY(seen.size() >= 4);
    QCOMPARE(seen.last().phase, LoadProgress::Phase::Finished);
    // Reported every 4096 lines at most, never per line.
    QVERIFY(seen.size() < 300000 / 4096 + 10);
    for (qsizetype i = 1; i < seen.size(); ++i) {
        QVERIFY(int(seen[i].phase) >= int(seen[i - 1].phase));
        QVERIFY(seen[i].lines >= seen[i - 1].lines);
    }
    QCOMPARE(seen.last().lines, list.lineCount);
    QCOMPARE(seen.last().folders, list.folderCount);
}

void TestListLoader::stringBuilderPath()
{
    const QByteArray source;
    FolderTreeBuilder builder(source, ListEncoding::Windows1252);
    for (const QString &path :
         {u"Data\\A\\B\\"_s, u"Data\\A\\C\\"_s, u"Data\\A\\B\\"_s, u"Data\\"_s, u"Data\\Zé\\"_s}) {
        cStringBuilder folder;
        folder.Append(path);
        builder.AddOneItemSftTree(folder);
    }
    const FolderTree tree = builder.finish(QLocale(QLocale::English));
    QCOMPARE(tree.printable(),
             (QStringList{u"Root"_s, u"  A"_s, u"    B"_s, u"    C"_s, u"  Zé"_s}));
    QCOMPARE(builder.distinctFolderPaths(), 4);
}

void TestListLoader::stopGivesUpEarly()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"list.csv"_s);
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    for (int i = 0; i < 100000; ++i)
        f.write("Data\\A\\f" + QByteArray::number(i) + ",d,1\r\n");
    f.close();
    std::atomic<bool> stop{true};
    LoadOptions options;
    options.stop = &stop;
    const LoadedList stopped = loadList(path, options);
    QVERIFY(stopped.stopped);
    QVERIFY(stopped.lineCount < 100000);
    stop = false;
    const LoadedList whole = loadList(path, options);
    QVERIFY(!whole.stopped);
    QCOMPARE(whole.lineCount, 100000);
}

void TestListLoader::badFiles_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("found");
    QTest::addColumn<QString>("reasonPart");
    QTest::newRow("missing") << u"missing"_s << false << u"does not exist"_s;
    QTest::newRow("folder") << u"folder"_s << false << u"folder"_s;
    QTest::newRow("fifo does not block") << u"fifo"_s << false << u"regular"_s;
    QTest::newRow("permission denied") << u"denied"_s << true << u"ermission"_s;
    QTest::newRow("empty") << u"empty"_s << true << QString();
}

void TestListLoader::badFiles()
{
    QFETCH(QString, kind);
    QFETCH(bool, found);
    QFETCH(QString, reasonPart);
    QTemporaryDir dir;
    QString path = dir.filePath(u"list.csv"_s);
    if (kind == u"folder"_s) {
        path = dir.path();
    } else if (kind == u"fifo"_s) {
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    } else if (kind == u"denied"_s) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("D\\a\r\n");
        f.close();
        f.setPermissions(QFileDevice::Permissions());
    } else if (kind == u"empty"_s) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
    }
    if (kind == u"denied"_s && ::geteuid() == 0) {
        // Root reads every file: check from a child that gave up root.
        QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                              QFileDevice::ExeOwner | QFileDevice::ExeOther);
        const pid_t child = ::fork();
        if (child == 0) {
            if (::setgid(65534) != 0 || ::setuid(65534) != 0)
                ::_exit(3);
            const LoadedList list = loadList(path);
            ::_exit(list.fileFound && list.error.contains(reasonPart) && list.lineCount == 0 ? 0
                                                                                             : 1);
        }
        int status = -1;
        QCOMPARE(::waitpid(child, &status, 0), child);
        QVERIFY(WIFEXITED(status));
        QCOMPARE(WEXITSTATUS(status), 0);
        return;
    }
    const LoadedList list = loadList(path);
    QCOMPARE(list.fileFound, found);
    if (reasonPart.isEmpty())
        QVERIFY2(list.error.isEmpty(), qPrintable(list.error));
    else
        QVERIFY2(list.error.contains(reasonPart), qPrintable(list.error));
    QCOMPARE(list.lineCount, 0);
    QCOMPARE(list.SftTree1.count(), 0);
}

void TestListLoader::hugeInputs_data()
{
    QTest::addColumn<QByteArray>("raw");
    QTest::addColumn<int>("lines");
    QTest::addColumn<int>("treeItems");

    QByteArray deep = "Data";
    for (int i = 0; i < 5000; ++i)
        deep += "\\d" + QByteArray::number(i % 10);
    deep += "\\f.txt,d,1\r\nData\\x\\f,d,1\r\n";
    QTest::newRow("5,000 components") << deep << 2 << 5002;
    QByteArray longLine = "Data\\A\\" + QByteArray(50 << 20, 'n') + ",d,12\r\nData\\A\\b,d,1\r\n";
    QTest::newRow("50 MB line") << longLine << 2 << 2;
    QByteArray fields = "Data\\A\\f";
    for (int i = 0; i < 100000; ++i)
        fields += ",7";
    QTest::newRow("100,000 fields") << fields << 1 << 2;
}

void TestListLoader::hugeInputs()
{
    QFETCH(QByteArray, raw);
    QFETCH(int, lines);
    QFETCH(int, treeItems);
    const LoadedList list = loadRaw(raw);
    QCOMPARE(list.lineCount, lines);
    QCOMPARE(list.SftTree1.count(), treeItems);
    QCOMPARE(list.iGrid1.line(0).size() + list.iGrid1.line(lines - 1).size() > 0, true);
}

void TestListLoader::longLinesKeepTheirLength_data()
{
    // A line's place keeps lengths below 16 MiB itself; longer ones stand in
    // a table of their own. Around that edge the lines must come back whole
    // and in order.
    QTest::addColumn<QList<int>>("nameLengths");
    QTest::addColumn<bool>("wide");
    const int edge = 0xFFFFFF - int(qstrlen("Data\\B\\,d,1"));
    for (const bool wide : {false, true}) {
        const char *table = wide ? "wide" : "narrow";
        QTest::addRow("%s, one below the edge", table) << QList<int>{edge - 1} << wide;
        QTest::addRow("%s, at the edge", table) << QList<int>{edge} << wide;
        QTest::addRow("%s, one past the edge", table) << QList<int>{edge + 1} << wide;
        QTest::addRow("%s, three around the edge", table)
            << QList<int>{edge + 1, edge - 1, edge} << wide;
    }
}

void TestListLoader::longLinesKeepTheirLength()
{
    QFETCH(QList<int>, nameLengths);
    QByteArray raw = "Data\\C\\c,d,1\r\n";
    QList<QByteArray> expected{"Data\\C\\c,d,1"_ba};
    char letter = 'x';
    for (const int n : nameLengths) {
        const QByteArray line = "Data\\B\\" + QByteArray(n, letter--) + ",d,1";
        raw += line + "\r\n";
        expected.append(line);
    }
    raw += "Data\\A\\a,d,1";
    expected.append("Data\\A\\a,d,1"_ba);
    std::sort(expected.begin(), expected.end());
    QFETCH(bool, wide);
    LoadOptions options;
    options.wideLines = wide;
    ListBytes bytes;
    bytes.bytes = raw;
    bytes.fileFound = true;
    const LoadedList list = loadListBytes(std::move(bytes), options);
    QCOMPARE(list.lineCount, int(expected.size()));
    for (int i = 0; i < expected.size(); ++i) {
        QCOMPARE(list.iGrid1.line(i).size(), expected[i].size());
        QVERIFY(list.iGrid1.line(i) == QByteArrayView(expected[i]));
    }
    const LineStore::Range b = list.iGrid1.prefixRange("Data\\B\\");
    QCOMPARE(b.size(), qsizetype(nameLengths.size()));
}

void TestListLoader::shrinkingFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"big.csv"_s);
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        const QByteArray line = "Data\\A\\file.txt,2009-01-01,100,32;x,ok\r\n";
        QByteArray block;
        for (int i = 0; i < 10000; ++i)
            block += line;
        for (int i = 0; i < 60; ++i)
            f.write(block);
    }
    std::thread shrink([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
        ::truncate(QFile::encodeName(path).constData(), 4096);
    });
    const LoadedList list = loadList(path);
    shrink.join();
    QVERIFY(list.fileFound);
    QVERIFY(list.lineCount >= 1);
    QVERIFY(list.lineCount <= 600000);
}

void TestListLoader::listShape_data()
{
    QTest::addColumn<QByteArray>("raw");
    QTest::addColumn<ListShape>("shape");
    const QByteArray list = "Data\\A\\f.txt,2009-01-01,100,32;x,ok\r\n";
    QTest::newRow("list") << list << ListShape::List;
    QTest::newRow("empty") << QByteArray() << ListShape::List;
    QTest::newRow("paths only") << "Data\\A\\f1\r\nData\\B\\f2\r\n"_ba << ListShape::List;
    QTest::newRow("five fields, no folder") << "a.txt,d,1,32;x,ok\n"_ba << ListShape::List;
    QTest::newRow("list line after a header")
        << (QByteArray("Recovered files of disk 1\r\n\r\n") + list) << ListShape::List;
    QTest::newRow("prose") << "Dear customer,\r\nyour disk was recovered.\r\nRegards\r\n"_ba
                           << ListShape::NotAList;
    QTest::newRow("one word") << "hello"_ba << ListShape::NotAList;
    QTest::newRow("PNG") << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16) << ListShape::Binary;
    QTest::newRow("control characters")
        << QByteArray(200, '\x01').prepend(list) << ListShape::Binary;
    QTest::newRow("a few control characters") << (list + "Data\\A\\\x07"
                                                         "bell.txt,d,1\r\n")
                                              << ListShape::List;
    QByteArray utf16be;
    for (const char c : list)
        utf16be.append('\0').append(c);
    QTest::newRow("UTF-16BE list") << ("\xfe\xff"_ba + utf16be) << ListShape::List;
    QByteArray utf16le;
    for (const char c : list)
        utf16le.append(c).append('\0');
    QTest::newRow("UTF-16LE list") << utf16le << ListShape::List;
    QTest::newRow("UTF-8 with BOM") << ("\xef\xbb\xbf"_ba + list) << ListShape::List;
}

void TestListLoader::listShape()
{
    QFETCH(QByteArray, raw);
    QFETCH(ListShape, shape);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"x.csv"_s);
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(raw);
    f.close();
    QCOMPARE(inspectListFile(path), shape);
}

void TestListLoader::changedWhileRead_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<bool>("changed");
    QTest::addColumn<int>("lines");
    // 300,000 lines of 40 bytes: the reading comes back after the first
    // 4 MB, where the file is changed.
    QTest::newRow("unchanged") << u"none"_s << false << 300000;
    QTest::newRow("cut inside a line") << u"cut-mid"_s << true << 150000;
    QTest::newRow("cut after a line") << u"cut-end"_s << true << 150000;
    QTest::newRow("grown") << u"grow"_s << true << 300001;
    QTest::newRow("rewritten in place") << u"touch"_s << true << 300000;
}

void TestListLoader::changedWhileRead()
{
    QFETCH(QString, change);
    QFETCH(bool, changed);
    QFETCH(int, lines);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"list.csv"_s);
    const QByteArray line = "Data\\A\\file.txt,2009-01-01,100,32;x,ok\r\n";
    QCOMPARE(line.size(), 40);
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        QByteArray block;
        for (int i = 0; i < 1000; ++i)
            block += line;
        for (int i = 0; i < 300; ++i)
            f.write(block);
    }
    bool done = false;
    const ListBytes bytes = readListFile(path, [&](qint64, qint64) {
        if (done)
            return true;
        done = true;
        const QByteArray native = QFile::encodeName(path);
        if (change == u"cut-mid"_s) {
            ::truncate(native.constData(), 150000 * 40 + 17);
        } else if (change == u"cut-end"_s) {
            ::truncate(native.constData(), 150000 * 40);
        } else if (change == u"grow"_s) {
            QFile f(path);
            f.open(QIODevice::Append);
            f.write(line);
        } else if (change == u"touch"_s) {
            QFile f(path);
            f.open(QIODevice::ReadWrite);
            f.seek(100000);
            f.write("X");
            // A time stamp coarser than the write may not move: make sure.
            f.setFileTime(QDateTime::currentDateTime().addSecs(5),
                          QFileDevice::FileModificationTime);
        }
        return true;
    });
    QCOMPARE(bytes.changedWhileRead, changed);
    QCOMPARE(bytes.error.isEmpty(), !changed);
    const LoadedList list = loadListBytes(bytes);
    QCOMPARE(list.changedWhileRead, changed);
    QCOMPARE(list.lineCount, lines);
    // No cut line stands among the rows.
    for (qsizetype i = 0; i < list.iGrid1.count(); i += 997)
        QCOMPARE(list.iGrid1.line(i).size(), qsizetype(38));
    QCOMPARE(list.iGrid1.line(list.iGrid1.count() - 1).size(), qsizetype(38));
}

// The window's own search result is read as UTF-16LE whatever its first
// bytes look like: here a first line of Cyrillic longer than any sniff looks.
void TestListLoader::ownResultIsUtf16LE()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"tFile.csv"_s);
    const QString first = u"Данные\\"_s + QString(5000, u'ж') + u".txt,1,2,3,Ок"_s;
    const QString second = u"Данные\\Фото\\я.jpg,1,2,3,Ок"_s;
    const QString text = first + u"\r\n"_s + second + u"\r\n"_s;
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(reinterpret_cast<const char *>(text.utf16()), text.size() * 2);
    }
    LoadOptions options;
    options.fileEncoding = ListFileEncoding::Utf16LE;
    const LoadedList list = loadList(path, options);
    QVERIFY2(list.error.isEmpty(), qPrintable(list.error));
    QCOMPARE(storeLines(list), (QStringList{second, first})); // in byte order
    QCOMPARE(list.rootPrefixAfter(QString()), u"Данные\\"_s);
    // A byte-order mark is no part of the first line either way.
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("\xff\xfe");
        f.write(reinterpret_cast<const char *>(second.utf16()), second.size() * 2);
    }
    QCOMPARE(storeLines(loadList(path, options)), QStringList{second});
}

// A run of more bytes than a list line can hold without a line end ends the
// reading there: the whole lines before it are kept, the reason is given.
void TestListLoader::lineTooLong_data()
{
    QTest::addColumn<QByteArray>("head");
    QTest::addColumn<qint64>("run"); // zero bytes after head, then tail
    QTest::addColumn<QByteArray>("tail");
    QTest::addColumn<int>("lines");
    QTest::addColumn<bool>("refused");
    const QByteArray two = "D\\a\\f,1\r\nD\\a\\g,1\r\n";
    QTest::newRow("sparse file of zeros")
        << QByteArray() << (qint64(1) << 30) << QByteArray() << 0 << true;
    QTest::newRow("lines, then zeros") << two << (qint64(1) << 30) << QByteArray() << 2 << true;
    QTest::newRow("a line at the limit")
        << "D\\"_ba << qint64(MaxListLineBytes - 2) << "\r\nD\\b,1\r\n"_ba << 2 << false;
    QTest::newRow("one byte past the limit")
        << two + "D\\"_ba << qint64(MaxListLineBytes - 1) << "\r\nD\\b,1\r\n"_ba << 2 << true;
}

void TestListLoader::lineTooLong()
{
    QFETCH(QByteArray, head);
    QFETCH(qint64, run);
    QFETCH(QByteArray, tail);
    QFETCH(int, lines);
    QFETCH(bool, refused);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"big.csv"_s);
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(head);
        QVERIFY(f.resize(head.size() + run)); // sparse: no disk space
        QVERIFY(f.seek(head.size() + run));
        f.write(tail);
    }
    const LoadedList list = loadList(path);
    QVERIFY(list.fileFound);
    QCOMPARE(list.lineCount, lines);
    if (refused)
        QCOMPARE(list.error, lineTooLongText());
    else
        QVERIFY2(list.error.isEmpty(), qPrintable(list.error));
}

void TestListLoader::dateRange_data()
{
    QTest::addColumn<QByteArray>("raw");
    QTest::addColumn<QString>("locale"); // empty: the dates are not read
    QTest::addColumn<QDate>("earliest");
    QTest::addColumn<QDate>("latest");

    const QByteArray mixed = "D\\a,2009-05-12 14:33:00,1,32;x,ok\r\n"
                             "D\\b,1601-01-01 00:00:00,1,32;x,ok\r\n"
                             "D\\c,not a date,1,32;x,ok\r\n"
                             "\r\n"
                             "D\\d\r\n"
                             "D\\e,2031-02-30 00:00:00,1,32;x,ok\r\n"
                             "D\\f,2018-04-21 25:10:09,1,32;x,ok\r\n"
                             "D\\g,2018-04-21 02:10:09\r\n";
    QTest::newRow("ISO, unreadable ones skipped")
        << mixed << u"de_DE"_s << QDate(1601, 1, 1) << QDate(2018, 4, 21);
    QTest::newRow("not asked for") << mixed << QString() << QDate() << QDate();
    const QByteArray local = "D\\a,01/02/2009 10:00,1\nD\\b,03/01/2009 10:00 PM,1\n";
    QTest::newRow("en_GB order") << local << u"en_GB"_s << QDate(2009, 1, 3) << QDate(2009, 2, 1);
    QTest::newRow("en_US order") << local << u"en_US"_s << QDate(2009, 1, 2) << QDate(2009, 3, 1);
    QTest::newRow("one date") << "D\\a,21.04.18,1\n"_ba << u"de_DE"_s << QDate(2018, 4, 21)
                              << QDate(2018, 4, 21);
    QTest::newRow("none readable")
        << "D\\a,d,1\nD\\b,,2\nD\\c\n"_ba << u"de_DE"_s << QDate() << QDate();
    QTest::newRow("empty list") << QByteArray() << u"de_DE"_s << QDate() << QDate();
}

// The earliest and latest day among the dates the date search can read.
void TestListLoader::dateRange()
{
    QFETCH(QByteArray, raw);
    QFETCH(QString, locale);
    QFETCH(QDate, earliest);
    QFETCH(QDate, latest);
    for (const bool parallel : {true, false}) {
        LoadOptions options;
        options.parallel = parallel;
        if (!locale.isEmpty())
            options.dateLocale = QLocale(locale);
        LoadedList list = loadListBytes(bytesOf(raw), options);
        QCOMPARE(list.earliestDate, earliest);
        QCOMPARE(list.latestDate, latest);
        list.clear();
        QVERIFY(!list.earliestDate.isValid() && !list.latestDate.isValid());
    }
}

// A cleared list is an empty list in every field: a list that was stopped or
// changed while read must not leave that mark on the next one shown.
void TestListLoader::clearEmptiesEverything_data()
{
    QTest::addColumn<bool>("stopAtOnce");
    QTest::addColumn<bool>("changedWhileRead");
    QTest::newRow("whole list") << false << false;
    QTest::newRow("stopped") << true << false;
    QTest::newRow("changed while read") << false << true;
}

void TestListLoader::clearEmptiesEverything()
{
    QFETCH(bool, stopAtOnce);
    QFETCH(bool, changedWhileRead);
    ListBytes bytes = bytesOf("Data\\a.txt,2024-05-01 10:00:00,12,0;0,Ok\r\n"_ba);
    bytes.fileFound = true;
    if (changedWhileRead) {
        bytes.changedWhileRead = true;
        bytes.error = changedWhileReadText();
    }
    std::atomic<bool> stop{stopAtOnce};
    LoadOptions options;
    options.stop = &stop;
    options.dateLocale = QLocale(u"en_GB"_s);
    LoadedList list = loadListBytes(std::move(bytes), options);
    QCOMPARE(list.stopped, stopAtOnce);
    QCOMPARE(list.changedWhileRead, changedWhileRead);
    list.clear();
    const LoadedList empty;
    QCOMPARE(list.stopped, empty.stopped);
    QCOMPARE(list.changedWhileRead, empty.changedWhileRead);
    QCOMPARE(list.fileFound, empty.fileFound);
    QCOMPARE(list.error, empty.error);
    QCOMPARE(list.lineCount, 0);
    QCOMPARE(list.folderCount, 0);
    QCOMPARE(list.iGrid1.count(), 0);
    QCOMPARE(list.SftTree1.count(), 0);
    QCOMPARE(list.hasTopComponent, false);
    QCOMPARE(list.lastTopComponent, QString());
    QCOMPARE(list.earliestDate, QDate());
    QCOMPARE(list.rootPrefixAfter(QString()), QString());
}

QTEST_GUILESS_MAIN(TestListLoader)
#include "tst_listloader.moc"
