#include "browse/FolderListing.h"
#include "listfile/ListLoader.h"
#include "testutil_lists.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace corvane;
using namespace corvane::test;

class TestFolderListing : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void rows_data();
    void rows();
    void header();
    void narrowed_data();
    void narrowed();
    void findFolderLinesMatchesScan_data();
    void findFolderLinesMatchesScan();
    void folderWithoutLines();
    void emptyStore();
    void rootWithBytesOutsideTheEncoding();
    void bigFolder();
    void deepTree();
    void longName();
    void sortByColumn_data();
    void sortByColumn();
    void sizeCell_data();
    void sizeCell();
    void extensionKey_data();
    void extensionKey();
    void naturalOrderOfNames();
    void naturalOrderMatchesCollator_data();
    void naturalOrderMatchesCollator();
};

void TestFolderListing::rows_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QStringList>("expected");

    const QStringList basic{
        u"Data\\A\\B\\f1.txt,1/2/2009 10:00,2048,33;x,Recovered"_s,
        u"Data\\A\\C\\f3.txt,1/3/2009 11:00,1234567,22;y,Good"_s,
        u"Data\\A\\top.doc,1/4/2009 12:00,10,32;z,Bad"_s,
        u"Data\\root.txt,1/5/2009 13:00,1,1;c,OK"_s,
    };
    QTest::newRow("root: level-1 folders and its files, no ..")
        << basic << QString()
        << QStringList{u"folder|A||||"_s, u"file|root.txt|1/5/2009 13:00|1|1;c|OK"_s};
    QTest::newRow("level 1: .. on top, folders, files")
        << basic << u"A"_s
        << QStringList{u"..|..||||"_s, u"folder|B||||"_s, u"folder|C||||"_s,
                       u"file|top.doc|1/4/2009 12:00|10|32;z|Bad"_s};
    QTest::newRow("size grouped, right column")
        << basic << u"A\\C"_s
        << QStringList{u"..|..||||"_s, u"file|f3.txt|1/3/2009 11:00|1,234,567|22;y|Good"_s};

    QTest::newRow("names differing only in case: two folders, two files")
        << QStringList{u"Data\\Docs\\x.txt,d,1,1;,s"_s, u"Data\\docs\\y.txt,d,1,1;,s"_s,
                       u"Data\\a.txt,d,1,1;,s"_s, u"Data\\A.txt,d,2,1;,s"_s}
        << QString()
        << QStringList{u"folder|Docs||||"_s, u"folder|docs||||"_s, u"file|A.txt|d|2|1;|s"_s,
                       u"file|a.txt|d|1|1;|s"_s};

    QTest::newRow("a line without any comma is never shown")
        << QStringList{u"Data\\nocomma.txt"_s, u"Data\\Only\\nocomma.txt"_s,
                       u"Data\\ok.txt,d,1,1;,s"_s}
        << QString() << QStringList{u"file|ok.txt|d|1|1;|s"_s};
    QTest::newRow("a sub-folder whose first line has no comma still shows")
        << QStringList{u"Data\\S\\a"_s, u"Data\\S\\b,d,1,1;,s"_s} << QString()
        << QStringList{u"folder|S||||"_s};

    QTest::newRow("bad sizes") << QStringList{u"Data\\a,d,abc,1;,s"_s,
                                              u"Data\\b,d,-1536,1;,s"_s,
                                              u"Data\\c,d,,1;,s"_s,
                                              u"Data\\d,d, 2 048 bytes,1;,s"_s,
                                              u"Data\\e,d,1e3,1;,s"_s,
                                              u"Data\\f,d,2.5,1;,s"_s,
                                              u"Data\\g,d,99999999999999999999,1;,s"_s}
                               << QString()
                               << QStringList{u"file|a|d|0|1;|s"_s,
                                              u"file|b|d|-1,536|1;|s"_s,
                                              u"file|c|d|0|1;|s"_s,
                                              u"file|d|d|2,048|1;|s"_s,
                                              u"file|e|d|1,000|1;|s"_s,
                                              u"file|f|d|3|1;|s"_s,
                                              u"file|g|d|100,000,000,000,000,000,000|1;|s"_s};

    QTest::newRow("short and long lines")
        << QStringList{u"Data\\two,d"_s, u"Data\\three,d,5"_s, u"Data\\seven,d,5,1;,s,x,y"_s}
        << QString()
        << QStringList{u"file|seven|d|5|1;|s"_s, u"file|three|d|5||"_s, u"file|two|d|||"_s};

    QTest::newRow("programs in any case")
        << QStringList{u"Data\\SETUP.EXE,d,1,1;,s"_s, u"Data\\setup.exe,d,1,1;,s"_s,
                       u"Data\\exe,d,1,1;,s"_s, u"Data\\a.exe.txt,d,1,1;,s"_s}
        << QString()
        << QStringList{u"file|a.exe.txt|d|1|1;|s"_s, u"file|exe|d|1|1;|s"_s,
                       u"program|SETUP.EXE|d|1|1;|s"_s, u"program|setup.exe|d|1|1;|s"_s};

    QTest::newRow("a file named .. in another row is an ordinary name")
        << QStringList{u"Data\\A\\..,d,1,1;,s"_s, u"Data\\A\\b.txt,d,1,1;,s"_s} << u"A"_s
        << QStringList{u"..|..||||"_s, u"file|..|d|1|1;|s"_s, u"file|b.txt|d|1|1;|s"_s};

    // Only the leading key is removed: a path repeating it stays in its folder.
    const QStringList repeated{u"Data\\A\\Data\\A\\f.txt,d,1,1;,s"_s, u"Data\\A\\g.txt,d,1,1;,s"_s};
    QTest::newRow("repeated key: not in the outer folder")
        << repeated << u"A"_s
        << QStringList{u"..|..||||"_s, u"folder|Data||||"_s, u"file|g.txt|d|1|1;|s"_s};
    QTest::newRow("repeated key: in its own folder")
        << repeated << u"A\\Data\\A"_s << QStringList{u"..|..||||"_s, u"file|f.txt|d|1|1;|s"_s};

    QTest::newRow("natural order of names")
        << QStringList{u"Data\\file10.txt,d,1,1;,s"_s, u"Data\\File3.txt,d,1,1;,s"_s,
                       u"Data\\file2.txt,d,1,1;,s"_s, u"Data\\Dir10\\x,d,1,1;,s"_s,
                       u"Data\\dir9\\x,d,1,1;,s"_s}
        << QString()
        << QStringList{u"folder|dir9||||"_s, u"folder|Dir10||||"_s, u"file|file2.txt|d|1|1;|s"_s,
                       u"file|File3.txt|d|1|1;|s"_s, u"file|file10.txt|d|1|1;|s"_s};

    QTest::newRow("an empty sub-folder name is never a row")
        << QStringList{u"Data\\\\x.txt,d,1,1;,s"_s, u"Data\\y.txt,d,1,1;,s"_s} << QString()
        << QStringList{u"file|y.txt|d|1|1;|s"_s};

    QTest::newRow("duplicate lines give two rows")
        << QStringList{u"Data\\x.txt,d,1,1;,s"_s, u"Data\\x.txt,d,1,1;,s"_s} << QString()
        << QStringList{u"file|x.txt|d|1|1;|s"_s, u"file|x.txt|d|1|1;|s"_s};

    QTest::newRow("accents (Windows-1252)")
        << QStringList{u"Data\\Caf\u00e9\\\u00e9t\u00e9.txt,d,1,1;,r\u00e9cup\u00e9r\u00e9"_s}
        << u"Caf\u00e9"_s
        << QStringList{u"..|..||||"_s, u"file|\u00e9t\u00e9.txt|d|1|1;|r\u00e9cup\u00e9r\u00e9"_s};
}

void TestFolderListing::rows()
{
    QFETCH(QStringList, lines);
    QFETCH(QString, folder);
    QFETCH(QStringList, expected);

    const LoadedList list = listOf(lines);
    const int item = folderItemByPath(list, folder);
    QVERIFY2(item >= 0, qPrintable(folder));
    const FolderListing listing = listingOf(list, folder);
    QVERIFY(listing.filled);
    QCOMPARE(printRows(listing), expected);
}

void TestFolderListing::header()
{
    const LoadedList list = listOf({u"Data\\A\\B\\f.txt,d,1,1;,s"_s});
    QCOMPARE(listingOf(list, QString()).header, u"Root"_s);
    QCOMPARE(listingOf(list, u"A\\B"_s).header, u"B"_s);
    QCOMPARE(listingOf(list, u"A\\B"_s).key, QByteArray("Data\\A\\B\\"));
}

namespace {

// Keeps the file lines and the folders named.
struct KeepNamed : ListingFilter
{
    const LoadedList *list = nullptr;
    QStringList files;   // whole lines
    QStringList folders; // names below "Root" joined by "\"
    bool keepsLine(qint32 line) const override { return files.contains(list->iGrid1.text(line)); }
    bool keepsFolder(int item) const override
    {
        for (const QString &f : folders)
            if (folderItemByPath(*list, f) == item)
                return true;
        return false;
    }
};

} // namespace

// While the list is narrowed, the grid keeps ".." and the rows the filter
// keeps, in their order, and counts them.
void TestFolderListing::narrowed_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QStringList>("folders");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("one file") << u"A"_s << QStringList{u"D\\A\\b.txt,d,2,32;,ok"_s} << QStringList()
                              << QStringList{u"..|..||||"_s, u"file|b.txt|d|2|32;|ok"_s};
    QTest::newRow("a folder") << u"A"_s << QStringList() << QStringList{u"A\\Sub2"_s}
                              << QStringList{u"..|..||||"_s, u"folder|Sub2||||"_s};
    QTest::newRow("nothing") << QString() << QStringList() << QStringList() << QStringList();
    QTest::newRow("root") << QString() << QStringList{u"D\\top.txt,d,5,32;,ok"_s}
                          << QStringList{u"A"_s}
                          << QStringList{u"folder|A||||"_s, u"file|top.txt|d|5|32;|ok"_s};
}

void TestFolderListing::narrowed()
{
    QFETCH(QString, folder);
    QFETCH(QStringList, files);
    QFETCH(QStringList, folders);
    QFETCH(QStringList, expected);
    const LoadedList list = listOf({u"D\\A\\a.txt,d,1,32;,ok"_s, u"D\\A\\b.txt,d,2,32;,ok"_s,
                                    u"D\\A\\Sub1\\x,d,3,32;,ok"_s, u"D\\A\\Sub2\\y,d,4,32;,ok"_s,
                                    u"D\\top.txt,d,5,32;,ok"_s});
    KeepNamed keep;
    keep.list = &list;
    keep.files = files;
    keep.folders = folders;
    FolderListing listing = listingOf(list, folder);
    narrowListing(listing, list.SftTree1, keep);
    QCOMPARE(printRows(listing), expected);
    qsizetype folderRows = 0;
    qsizetype fileRows = 0;
    for (const GridRow &row : listing.rows) {
        folderRows += row.kind == GridRowKind::Folder;
        fileRows += row.kind == GridRowKind::File;
    }
    QCOMPARE(listing.folderRows, folderRows);
    QCOMPARE(listing.fileRows, fileRows);
}

void TestFolderListing::findFolderLinesMatchesScan_data()
{
    QTest::addColumn<QByteArray>("key");
    QTest::newRow("root") << QByteArray("Data\\");
    QTest::newRow("level 1") << QByteArray("Data\\A\\");
    QTest::newRow("level 2") << QByteArray("Data\\A\\B\\");
    QTest::newRow("prefix of another name") << QByteArray("Data\\A\\Bx\\");
    QTest::newRow("no line") << QByteArray("Data\\Z\\");
    QTest::newRow("before every line") << QByteArray("A\\");
    QTest::newRow("after every line") << QByteArray("zzz\\");
}

void TestFolderListing::findFolderLinesMatchesScan()
{
    QFETCH(QByteArray, key);
    const LoadedList list = listOf({
        u"Data\\A\\B\\1,d,1,1;,s"_s,
        u"Data\\A\\B\\2,d,1,1;,s"_s,
        u"Data\\A\\B,d,1,1;,s"_s,
        u"Data\\A\\Bx\\3,d,1,1;,s"_s,
        u"Data\\A\\B\\C\\4,d,1,1;,s"_s,
        u"Data\\A,d,1,1;,s"_s,
        u"Data\\b,d,1,1;,s"_s,
        u"Data\\A\\B]\\5,d,1,1;,s"_s,
    });
    // The definition: the first and last index of a line beginning with key.
    FolderLines scanned;
    for (qsizetype i = 0; i < list.iGrid1.count(); ++i) {
        if (list.iGrid1.line(i).startsWith(key)) {
            if (scanned.FirstFolderLine < 0)
                scanned.FirstFolderLine = qint32(i);
            scanned.LastFolderLine = qint32(i);
        }
    }
    const FolderLines found = FindFolderLines(list.iGrid1, key);
    QCOMPARE(found.FirstFolderLine, scanned.FirstFolderLine);
    QCOMPARE(found.LastFolderLine, scanned.LastFolderLine);
}

void TestFolderListing::folderWithoutLines()
{
    // A search result cut from another list keeps that list's prefix: no line
    // begins with the key, and no unrelated line may show up in the grid.
    const LoadedList list = listOf({u"Other\\A\\x.txt,d,1,1;,s"_s, u"Other\\y.txt,d,1,1;,s"_s});
    const int a = folderItemByPath(list, u"A"_s);
    const FolderListing sub = listFolder(list, u"Data\\"_s, a, englishOptions());
    QCOMPARE(sub.lines.FirstFolderLine, -1);
    QCOMPARE(sub.lines.LastFolderLine, 0);
    QCOMPARE(printRows(sub), QStringList{u"..|..||||"_s});
    const FolderListing root = listFolder(list, u"Data\\"_s, 0, englishOptions());
    QCOMPARE(printRows(root), QStringList());
    // A prefix without a byte form in the list's encoding matches nothing.
    const FolderListing odd = listFolder(list, u"\u4e2d\\"_s, 0, englishOptions());
    QCOMPARE(printRows(odd), QStringList());
}

// A UTF-8 list whose last lines' top folder is written in Windows-1252: the
// root prefix decodes through the fallback, and must still find those lines.
void TestFolderListing::rootWithBytesOutsideTheEncoding()
{
    ListBytes bytes;
    bytes.bytes = "Data\\Caf\xc3\xa9\\a.txt,d,1,32;x,OK\r\n"
                  "D\xe9\\b.txt,d,2,32;x,OK\r\n"
                  "D\xe9\\S\\c.txt,d,3,32;x,OK\r\n";
    bytes.encoding = ListEncoding::Utf8;
    bytes.fileFound = true;
    LoadOptions options;
    options.collationLocale = englishLocale();
    const LoadedList list = loadListBytes(std::move(bytes), options);
    const QString prefix = list.rootPrefixAfter(QString());
    QCOMPARE(prefix, u"D\u00e9\\"_s);
    QCOMPARE(printRows(listingOf(list, QString())),
             (QStringList{u"folder|S||||"_s, u"file|b.txt|d|2|32;x|OK"_s}));
    QCOMPARE(printRows(listingOf(list, u"S"_s)),
             (QStringList{u"..|..||||"_s, u"file|c.txt|d|3|32;x|OK"_s}));
}

void TestFolderListing::emptyStore()
{
    const LoadedList list = listOf({});
    QCOMPARE(list.iGrid1.count(), 0);
    QCOMPARE(folderItemByPath(list, QString()), -1);
    const FolderListing listing = FillFileGrid(list.iGrid1, "Data\\", {}, false, englishOptions());
    QVERIFY(!listing.filled);
    QVERIFY(listing.rows.empty());
    QVERIFY(!listFolder(list, u"Data\\"_s, 0, englishOptions()).filled);
}

void TestFolderListing::bigFolder()
{
    QByteArray bytes;
    constexpr int Files = 100000;
    for (int i = Files - 1; i >= 0; --i)
        bytes += "Data\\Big\\file" + QByteArray::number(i) + ".txt,d," + QByteArray::number(i) +
                 ",32;x,OK\r\n";
    for (int i = 0; i < 50; ++i)
        bytes += "Data\\Big\\Sub" + QByteArray::number(i) + "\\deep\\f.txt,d,1,32;x,OK\r\n";
    const LoadedList list = listOfBytes(bytes);
    const FolderListing listing = listingOf(list, u"Big"_s);
    QCOMPARE(listing.fileRows, qsizetype(Files));
    QCOMPARE(listing.folderRows, qsizetype(50));
    QCOMPARE(listing.rows.size(), size_t(1 + 50 + Files));
    QCOMPARE(listing.rows[1].name, u"Sub0"_s);
    QCOMPARE(listing.rows[2].name, u"Sub1"_s);
    QCOMPARE(listing.rows[50].name, u"Sub49"_s);
    QCOMPARE(listing.rows[51].name, u"file0.txt"_s);
    QCOMPARE(listing.rows[52].name, u"file1.txt"_s);
    QCOMPARE(listing.rows.back().name, u"file99999.txt"_s);
    QCOMPARE(listing.rows.back().sizeText, u"99,999"_s);
}

void TestFolderListing::deepTree()
{
    QByteArray path = "Data\\";
    QString folder;
    for (int i = 0; i < 500; ++i) {
        path += "L" + QByteArray::number(i) + "\\";
        folder += (i ? u"\\"_s : QString()) + u"L"_s + QString::number(i);
    }
    const LoadedList list = listOfBytes(path + "f.txt,d,7,32;,OK\r\n" + path + "L\\g.txt,d,1,1;,s");
    const int item = folderItemByPath(list, folder);
    QVERIFY(item > 0);
    QCOMPARE(list.SftTree1.item(item).level, 500);
    const FolderListing listing = listingOf(list, folder);
    QCOMPARE(printRows(listing),
             (QStringList{u"..|..||||"_s, u"folder|L||||"_s, u"file|f.txt|d|7|32;|OK"_s}));
    QCOMPARE(listing.key, path);
}

void TestFolderListing::longName()
{
    const QString name = QString(10000, u'n') + u".txt"_s;
    const LoadedList list = listOf({u"Data\\"_s + name + u",d,1,1;,s"_s,
                                    u"Data\\"_s + QString(10000, u'd') + u"\\x,d,1,1;,s"_s});
    const FolderListing listing = listingOf(list, QString());
    QCOMPARE(listing.rows.size(), size_t(2));
    QCOMPARE(listing.rows[0].name, QString(10000, u'd'));
    QCOMPARE(listing.rows[1].name, name);
    QCOMPARE(listingOf(list, QString(10000, u'd')).fileRows, qsizetype(1));
}

void TestFolderListing::sortByColumn_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<bool>("descending");
    QTest::addColumn<QStringList>("names");

    QTest::newRow("name ascending")
        << 1 << false
        << QStringList{u".."_s, u"F1"_s, u"F2"_s, u"a2"_s, u"b9"_s, u"b10"_s, u"c"_s, u"d"_s};
    // Natural order: b9 before b10 (the default fill order is name ascending).
    QTest::newRow("name descending")
        << 1 << true
        << QStringList{u".."_s, u"F2"_s, u"F1"_s, u"d"_s, u"c"_s, u"b10"_s, u"b9"_s, u"a2"_s};
    QTest::newRow("size ascending, no size field first")
        << 3 << false
        << QStringList{u".."_s, u"F1"_s, u"F2"_s, u"d"_s, u"b10"_s, u"c"_s, u"a2"_s, u"b9"_s};
    QTest::newRow("size descending, folders stay above")
        << 3 << true
        << QStringList{u".."_s, u"F1"_s, u"F2"_s, u"b9"_s, u"a2"_s, u"c"_s, u"b10"_s, u"d"_s};
    QTest::newRow("date ascending, unreadable dates first")
        << 2 << false
        << QStringList{u".."_s, u"F1"_s, u"F2"_s, u"d"_s, u"c"_s, u"b9"_s, u"a2"_s, u"b10"_s};
    QTest::newRow("status ascending, ties by name")
        << 5 << false
        << QStringList{u".."_s, u"F1"_s, u"F2"_s, u"d"_s, u"b9"_s, u"c"_s, u"a2"_s, u"b10"_s};
}

void TestFolderListing::sortByColumn()
{
    QFETCH(int, column);
    QFETCH(bool, descending);
    QFETCH(QStringList, names);
    const LoadedList list = listOf({
        u"Data\\A\\a2,3/1/2010 9:00 AM,500,1;,Recovered"_s,
        u"Data\\A\\b10,1/2/2011 10:00 PM,100,1;,recovered"_s,
        u"Data\\A\\b9,12/31/2009 11:59 PM,9000,1;,Bad"_s,
        u"Data\\A\\c,12/31/2009 11:59 AM,200,1;,Good"_s,
        u"Data\\A\\d,unknown"_s,
        u"Data\\A\\F1\\x,d,1,1;,s"_s,
        u"Data\\A\\F2\\x,d,1,1;,s"_s,
    });
    FolderListing listing = listingOf(list, u"A"_s);
    sortListing(listing, column, descending ? Qt::DescendingOrder : Qt::AscendingOrder,
                englishOptions());
    QStringList got;
    for (const GridRow &row : listing.rows)
        got.append(row.name);
    QCOMPARE(got, names);
}

void TestFolderListing::sizeCell_data()
{
    QTest::addColumn<double>("size");
    QTest::addColumn<QLocale>("numbers");
    QTest::addColumn<QString>("text");
    const QLocale en(QLocale::English, QLocale::UnitedStates);
    const QLocale de(QLocale::German, QLocale::Germany);
    QTest::newRow("grouped") << 1234567.0 << en << u"1,234,567"_s;
    QTest::newRow("German groups") << 1234567.0 << de << u"1.234.567"_s;
    QTest::newRow("half away from zero") << 2.5 << en << u"3"_s;
    QTest::newRow("negative half") << -2.5 << en << u"-3"_s;
    QTest::newRow("not a number") << qQNaN() << en << u"0"_s;
    QTest::newRow("beyond 64 bits") << 1e23 << en << u"99,999,999,999,999,991,611,392"_s;
    // "#,0" groups in every locale, also past 64 bits.
    QTest::newRow("C locale") << 1234567.0 << QLocale::c() << u"1,234,567"_s;
    QTest::newRow("C locale beyond 64 bits")
        << 1e23 << QLocale::c() << u"99,999,999,999,999,991,611,392"_s;
}

void TestFolderListing::sizeCell()
{
    QFETCH(double, size);
    QFETCH(QLocale, numbers);
    QTEST(sizeCellText(size, numbers), "text");
}

void TestFolderListing::extensionKey_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("key");
    QTest::addColumn<bool>("program");
    QTest::newRow("plain") << u"a.txt"_s << u".txt"_s << false;
    QTest::newRow("case kept") << u"A.TXT"_s << u".TXT"_s << false;
    QTest::newRow("last dot") << u"a.tar.gz"_s << u".gz"_s << false;
    QTest::newRow("no dot: the whole name") << u"README"_s << u"README"_s << false;
    QTest::newRow("dot file") << u".profile"_s << u".profile"_s << false;
    QTest::newRow("program") << u"Setup.Exe"_s << u".Exe"_s << true;
    QTest::newRow("only .exe") << u".exe"_s << u".exe"_s << true;
    QTest::newRow("exe without dot") << u"exe"_s << u"exe"_s << false;
}

void TestFolderListing::extensionKey()
{
    QFETCH(QString, name);
    QFETCH(QString, key);
    QFETCH(bool, program);
    QCOMPARE(fileExtensionKey(name).toString(), key);
    QCOMPARE(isProgramName(name), program);
}

void TestFolderListing::naturalOrderOfNames()
{
    // Many names take the two-thread path; the order must be the same.
    std::vector<QString> names;
    for (int i = 5000; i > 0; --i)
        names.push_back((i % 2 ? u"Item "_s : u"item "_s) + QString::number(i));
    std::vector<QStringView> views(names.begin(), names.end());
    const std::vector<qsizetype> order = naturalOrder(views, englishLocale());
    QCOMPARE(order.size(), names.size());
    for (size_t k = 0; k < order.size(); ++k)
        QCOMPARE(names[size_t(order[k])].sliced(5).toInt(), int(k + 1));
}

void TestFolderListing::naturalOrderMatchesCollator_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<int>("accented"); // one name in this many is not ASCII (0: none)
    for (const char *locale : {"en_US", "pt_PT", "de_DE", "fr_FR", "sv_SE", "nl_NL"}) {
        QTest::addRow("%s ascii", locale) << QString::fromLatin1(locale) << 0;
        QTest::addRow("%s few accents", locale) << QString::fromLatin1(locale) << 100;
        QTest::addRow("%s many accents", locale) << QString::fromLatin1(locale) << 3;
    }
}

void TestFolderListing::naturalOrderMatchesCollator()
{
    // The byte keys of ASCII names must order exactly as the collator does.
    QFETCH(QString, locale);
    QFETCH(int, accented);
    const QString alphabet =
        u"aAbBzZ09123 ._-()[]{}!#$%&'+,;=@^`~0001xX"_s + QString(u"\u00e9\u00c5\u00df"_s);
    const qsizetype asciiLetters = alphabet.size() - 3;
    quint32 seed = 12345;
    auto next = [&seed] {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 16) & 0x7fff;
    };
    std::vector<QString> names;
    for (int i = 0; i < 6000; ++i) {
        QString name;
        const int length = int(next() % 10);
        const bool accent = accented > 0 && i % accented == 0;
        for (int k = 0; k < length; ++k)
            name += alphabet[qsizetype(next()) % (accent ? alphabet.size() : asciiLetters)];
        if (accent)
            name += alphabet[asciiLetters + qsizetype(next() % 3)];
        names.push_back(name);
    }
    std::vector<QStringView> views(names.begin(), names.end());
    const std::vector<qsizetype> fast = naturalOrder(views, QLocale(locale));
    const std::vector<qsizetype> slow = naturalOrderByCollator(views, QLocale(locale));
    QStringList a, b;
    for (size_t k = 0; k < fast.size(); ++k) {
        a.append(names[size_t(fast[k])]);
        b.append(names[size_t(slow[k])]);
    }
    QCOMPARE(a, b);
}

QTEST_GUILESS_MAIN(TestFolderListing)
#include "tst_folderlisting.moc"
