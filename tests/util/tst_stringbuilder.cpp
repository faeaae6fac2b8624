#include "util/cStringBuilder.h"

#include <QTest>

#include <functional>
#include <limits>

using namespace Qt::Literals::StringLiterals;
using corvane::cStringBuilder;
using corvane::StringBuilderError;

namespace {

constexpr int Ok = 0;

// The error number an operation raised, or 0.
int errorOf(const std::function<void()> &operation)
{
    try {
        operation();
    } catch (const StringBuilderError &e) {
        return e.number();
    }
    return Ok;
}

cStringBuilder builderWith(const QString &text, qint32 chunkSize = 0)
{
    cStringBuilder sb;
    if (chunkSize > 0) {
        sb.ChunkSize(chunkSize);
    }
    sb.Append(text);
    return sb;
}

} // namespace

class TestStringBuilder : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void newObject();
    void append_data();
    void append();
    void appendOwnText();
    void insert_data();
    void insert();
    void remove_data();
    void remove();
    void theString();
    void find_data();
    void find();
    void heapMinimize_data();
    void heapMinimize();
    void chunkSize_data();
    void chunkSize();
    void growthOverflowKeepsText();
    void copyIsIndependent();
};

void TestStringBuilder::newObject()
{
    const cStringBuilder sb;
    QCOMPARE(sb.Length(), 0);
    QCOMPARE(sb.Capacity(), 0);
    QCOMPARE(sb.ChunkSize(), 8192);
    QCOMPARE(sb.ToString(), QString());
    QVERIFY(sb.view().isEmpty());
}

void TestStringBuilder::append_data()
{
    QTest::addColumn<qint32>("chunkSize");
    QTest::addColumn<QStringList>("pieces");
    QTest::addColumn<qint32>("capacity");

    QTest::newRow("abc") << 0 << QStringList{u"abc"_s} << 8192;
    QTest::newRow("nothing") << 0 << QStringList{QString()} << 0;
    QTest::newRow("exactly one chunk") << 0 << QStringList{QString(8192, u'x')} << 8192;
    QTest::newRow("one past a chunk") << 0 << QStringList{QString(8192, u'x'), u"y"_s} << 16384;
    QTest::newRow("piece over free space plus a chunk")
        << 0 << QStringList{u"abc"_s, QString(20000, u'y')} << 24576;
    QTest::newRow("small chunks, several steps")
        << 4 << QStringList{u"ab"_s, u"cdefghijklm"_s, u"n"_s} << 16;
    QTest::newRow("folder path") << 0 << QStringList{u"Data"_s,          u"\\"_s,
                                                     u"Fotos 2019"_s,    u"\\"_s,
                                                     u"\u00e9t\u00e9"_s, u"\\"_s}
                                 << 8192;
}

void TestStringBuilder::append()
{
    QFETCH(qint32, chunkSize);
    QFETCH(QStringList, pieces);
    QFETCH(qint32, capacity);

    cStringBuilder sb;
    if (chunkSize > 0) {
        sb.ChunkSize(chunkSize);
    }
    for (const QString &piece : pieces) {
        sb.Append(piece);
    }
    const QString expected = pieces.join(QString());
    QCOMPARE(sb.ToString(), expected);
    QCOMPARE(sb.view(), QStringView(expected));
    QCOMPARE(sb.Length(), qint32(expected.size()));
    QCOMPARE(sb.Capacity(), capacity);

    cStringBuilder byValue;
    if (chunkSize > 0) {
        byValue.ChunkSize(chunkSize);
    }
    for (const QString &piece : pieces) {
        byValue.AppendByVal(piece);
    }
    QCOMPARE(byValue.ToString(), expected);
    QCOMPARE(byValue.Capacity(), capacity);
}

void TestStringBuilder::appendOwnText()
{
    // The piece is a view of the builder's own buffer, which must grow.
    cStringBuilder sb = builderWith(u"abc"_s, 2);
    sb.Append(sb.view());
    QCOMPARE(sb.ToString(), u"abcabc"_s);
    sb.Insert(1, sb.view().left(2));
    QCOMPARE(sb.ToString(), u"aabbcabc"_s);
    sb.TheString(sb.view().mid(2, 3));
    QCOMPARE(sb.ToString(), u"bbc"_s);
}

void TestStringBuilder::insert_data()
{
    QTest::addColumn<qint32>("chunkSize");
    QTest::addColumn<QString>("initial");
    QTest::addColumn<qint32>("index");
    QTest::addColumn<QString>("piece");
    QTest::addColumn<int>("error");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<qint32>("capacity");

    QTest::newRow("at 0") << 0 << u"world"_s << 0 << u"hello "_s << Ok << u"hello world"_s << 8192;
    QTest::newRow("at Length appends")
        << 0 << u"abc"_s << 3 << u"def"_s << Ok << u"abcdef"_s << 8192;
    QTest::newRow("in the middle") << 0 << u"ad"_s << 1 << u"bc"_s << Ok << u"abcd"_s << 8192;
    QTest::newRow("into an empty object") << 0 << QString() << 0 << u"x"_s << Ok << u"x"_s << 8192;
    QTest::newRow("empty piece") << 0 << u"abc"_s << 1 << QString() << Ok << u"abc"_s << 8192;
    QTest::newRow("grows keeping the tail")
        << 2 << u"abcd"_s << 2 << u"XYZ"_s << Ok << u"abXYZcd"_s << 8;
    QTest::newRow("at Length + 1") << 0 << u"abc"_s << 4 << u"x"_s << 9 << u"abc"_s << 8192;
    QTest::newRow("at 1 of an empty object")
        << 0 << QString() << 1 << u"x"_s << 9 << QString() << 0;
    QTest::newRow("negative") << 0 << u"abc"_s << -1 << u"x"_s << 5 << u"abc"_s << 8192;
    QTest::newRow("position bytes overflow")
        << 0 << u"abc"_s << 0x40000000 << u"x"_s << 6 << u"abc"_s << 8192;
}

void TestStringBuilder::insert()
{
    QFETCH(qint32, chunkSize);
    QFETCH(QString, initial);
    QFETCH(qint32, index);
    QFETCH(QString, piece);
    QFETCH(int, error);
    QFETCH(QString, expected);
    QFETCH(qint32, capacity);

    cStringBuilder sb = builderWith(initial, chunkSize);
    QCOMPARE(errorOf([&] { sb.Insert(index, piece); }), error);
    QCOMPARE(sb.ToString(), expected);
    QCOMPARE(sb.Capacity(), capacity);

    cStringBuilder byValue = builderWith(initial, chunkSize);
    QCOMPARE(errorOf([&] { byValue.InsertByVal(index, piece); }), error);
    QCOMPARE(byValue.ToString(), expected);
}

void TestStringBuilder::remove_data()
{
    QTest::addColumn<QString>("initial");
    QTest::addColumn<qint32>("index");
    QTest::addColumn<qint32>("length");
    QTest::addColumn<int>("error");
    QTest::addColumn<QString>("expected");

    QTest::newRow("everything") << u"abcdef"_s << 0 << 6 << Ok << QString();
    QTest::newRow("front") << u"abcdef"_s << 0 << 2 << Ok << u"cdef"_s;
    QTest::newRow("middle") << u"abcdef"_s << 2 << 2 << Ok << u"abef"_s;
    QTest::newRow("tail") << u"abcdef"_s << 4 << 2 << Ok << u"abcd"_s;
    QTest::newRow("nothing at Length") << u"abcdef"_s << 6 << 0 << Ok << u"abcdef"_s;
    QTest::newRow("Length from 1") << u"abcdef"_s << 1 << 6 << 9 << u"abcdef"_s;
    QTest::newRow("start past Length") << u"abcdef"_s << 7 << 0 << 9 << u"abcdef"_s;
    QTest::newRow("from an empty object") << QString() << 0 << 1 << 9 << QString();
    QTest::newRow("negative position") << u"abcdef"_s << -1 << 1 << 5 << u"abcdef"_s;
    QTest::newRow("negative length") << u"abcdef"_s << 1 << -1 << 5 << u"abcdef"_s;
    QTest::newRow("range end overflow")
        << u"abcdef"_s << 1 << std::numeric_limits<qint32>::max() << 6 << u"abcdef"_s;
    QTest::newRow("length bytes overflow") << u"abcdef"_s << 0 << 0x40000000 << 6 << u"abcdef"_s;
    QTest::newRow("position bytes overflow") << u"abcdef"_s << 0x40000000 << 0 << 6 << u"abcdef"_s;
}

void TestStringBuilder::remove()
{
    QFETCH(QString, initial);
    QFETCH(qint32, index);
    QFETCH(qint32, length);
    QFETCH(int, error);
    QFETCH(QString, expected);

    cStringBuilder sb = builderWith(initial);
    const qint32 capacity = sb.Capacity();
    QCOMPARE(errorOf([&] { sb.Remove(index, length); }), error);
    QCOMPARE(sb.ToString(), expected);
    QCOMPARE(sb.Capacity(), capacity);
    // The removed text must not come back through the spare room.
    sb.Append(u"!"_s);
    QCOMPARE(sb.ToString(), expected + u"!"_s);
}

void TestStringBuilder::theString()
{
    cStringBuilder sb;
    sb.ChunkSize(4);
    sb.TheString(u"abcdefghij"_s);
    QCOMPARE(sb.ToString(), u"abcdefghij"_s);
    QCOMPARE(sb.Capacity(), 12);

    // A shorter text keeps the larger buffer.
    sb.TheString(u"xy"_s);
    QCOMPARE(sb.ToString(), u"xy"_s);
    QCOMPARE(sb.Capacity(), 12);
    QCOMPARE(sb.Find(u"c"_s), 0);

    // The empty text returns the object to its empty state, chunk size kept.
    sb.TheString(QString());
    QCOMPARE(sb.Length(), 0);
    QCOMPARE(sb.Capacity(), 0);
    QCOMPARE(sb.ChunkSize(), 4);
    QCOMPARE(sb.ToString(), QString());
    sb.Append(u"z"_s);
    QCOMPARE(sb.ToString(), u"z"_s);
    QCOMPARE(sb.Capacity(), 4);
}

void TestStringBuilder::find_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("toFind");
    QTest::addColumn<qint32>("start");
    QTest::addColumn<int>("compare");
    QTest::addColumn<int>("error");
    QTest::addColumn<qint32>("expected");

    QTest::newRow("first") << u"abcabc"_s << u"bc"_s << 0 << 0 << Ok << 2;
    QTest::newRow("from start 3") << u"abcabc"_s << u"bc"_s << 3 << 0 << Ok << 5;
    QTest::newRow("from the hit itself") << u"abcabc"_s << u"bc"_s << 5 << 0 << Ok << 5;
    QTest::newRow("negative start searches all") << u"abcabc"_s << u"a"_s << -7 << 0 << Ok << 1;
    QTest::newRow("only the last character") << u"abcdef"_s << u"f"_s << 1 << 0 << Ok << 6;
    QTest::newRow("space beside spare room") << u"abcdef"_s << u" "_s << 1 << 0 << Ok << 0;
    QTest::newRow("reaching into spare room") << u"abcdef"_s << u"f "_s << 1 << 0 << Ok << 0;
    QTest::newRow("start past the text") << u"abcdef"_s << u"f"_s << 8 << 0 << Ok << 0;
    QTest::newRow("missing") << u"abcdef"_s << u"xyz"_s << 1 << 0 << Ok << 0;
    QTest::newRow("in an empty object") << QString() << u"a"_s << 1 << 0 << Ok << 0;
    QTest::newRow("binary is case-sensitive") << u"Data\\FOTO"_s << u"foto"_s << 1 << 0 << Ok << 0;
    QTest::newRow("text ignores case") << u"Data\\FOTO"_s << u"foto"_s << 1 << 1 << Ok << 6;
    QTest::newRow("text ignores case of accents")
        << u"\u00c9T\u00c9 2019"_s << u"\u00e9t\u00e9"_s << 1 << 1 << Ok << 1;
    QTest::newRow("text keeps positions after a longer lower case")
        << u"\u0130x ab"_s << u"AB"_s << 1 << 1 << Ok << 4;
    QTest::newRow("text, from start") << u"aXbxcx"_s << u"x"_s << 3 << 1 << Ok << 4;
    QTest::newRow("unknown compare") << u"abc"_s << u"a"_s << 1 << 2 << 5 << 0;
}

void TestStringBuilder::find()
{
    QFETCH(QString, text);
    QFETCH(QString, toFind);
    QFETCH(qint32, start);
    QFETCH(int, compare);
    QFETCH(int, error);
    QFETCH(qint32, expected);

    const cStringBuilder sb = builderWith(text);
    qint32 found = 0;
    QCOMPARE(errorOf([&] { found = sb.Find(toFind, start, compare); }), error);
    QCOMPARE(found, expected);
}

void TestStringBuilder::heapMinimize_data()
{
    QTest::addColumn<qint32>("chunkSize");
    QTest::addColumn<qint32>("filled");
    QTest::addColumn<qint32>("kept");
    QTest::addColumn<qint32>("capacity");

    // filled characters make the buffer grow, then all but kept are removed.
    QTest::newRow("three chunks, empty text") << 0 << 3 * 8192 << 0 << 8192;
    QTest::newRow("spare of one chunk stays") << 4 << 8 << 4 << 8;
    QTest::newRow("spare under a chunk stays") << 4 << 8 << 5 << 8;
    QTest::newRow("two spare chunks, one goes") << 4 << 12 << 4 << 8;
    QTest::newRow("one character in three chunks") << 4 << 12 << 1 << 4;
    QTest::newRow("new object") << 0 << 0 << 0 << 0;
}

void TestStringBuilder::heapMinimize()
{
    QFETCH(qint32, chunkSize);
    QFETCH(qint32, filled);
    QFETCH(qint32, kept);
    QFETCH(qint32, capacity);

    QString text;
    for (qint32 i = 0; i < filled; ++i) {
        text += QChar(u'a' + i % 26);
    }
    cStringBuilder sb = builderWith(text, chunkSize);
    sb.Remove(kept, filled - kept);
    sb.HeapMinimize();
    QCOMPARE(sb.Capacity(), capacity);
    QCOMPARE(sb.ToString(), text.left(kept));
    sb.Append(u"!"_s);
    QCOMPARE(sb.ToString(), text.left(kept) + u"!"_s);
}

void TestStringBuilder::chunkSize_data()
{
    QTest::addColumn<qint32>("chunkSize");
    QTest::addColumn<int>("error");
    QTest::addColumn<qint32>("result");

    QTest::newRow("one") << 1 << Ok << 1;
    QTest::newRow("largest") << 0x3fffffff << Ok << 0x3fffffff;
    QTest::newRow("bytes overflow") << 0x40000000 << 6 << 8192;
    QTest::newRow("int max") << std::numeric_limits<qint32>::max() << 6 << 8192;
    QTest::newRow("zero") << 0 << 5 << 8192;
    QTest::newRow("negative") << -4 << 5 << 8192;
}

void TestStringBuilder::chunkSize()
{
    QFETCH(qint32, chunkSize);
    QFETCH(int, error);
    QFETCH(qint32, result);

    cStringBuilder sb;
    QCOMPARE(errorOf([&] { sb.ChunkSize(chunkSize); }), error);
    QCOMPARE(sb.ChunkSize(), result);
}

void TestStringBuilder::growthOverflowKeepsText()
{
    cStringBuilder sb = builderWith(u"a"_s, 1);
    QCOMPARE(sb.Capacity(), 1);
    // The next growth step would take the capacity past the 32-bit byte range.
    sb.ChunkSize(0x3fffffff);
    try {
        sb.Append(u"b"_s);
        QFAIL("growth past the size limit was accepted");
    } catch (const StringBuilderError &e) {
        QCOMPARE(e.number(), 6);
        QVERIFY(!e.message().isEmpty());
        QCOMPARE(QString::fromUtf8(e.what()), e.message());
    }
    QCOMPARE(sb.ToString(), u"a"_s);
    QCOMPARE(sb.Capacity(), 1);
    QCOMPARE(errorOf([&] { sb.Insert(0, u"b"_s); }), 6);
    QCOMPARE(errorOf([&] { sb.TheString(u"bc"_s); }), 6);
    QCOMPARE(sb.ToString(), u"a"_s);
}

void TestStringBuilder::copyIsIndependent()
{
    cStringBuilder original = builderWith(u"Data\\"_s);
    cStringBuilder copy = original;
    original.Append(u"Fotos\\"_s);
    QCOMPARE(copy.ToString(), u"Data\\"_s);
    QCOMPARE(original.ToString(), u"Data\\Fotos\\"_s);

    copy = original;
    original.TheString(QString());
    QCOMPARE(copy.ToString(), u"Data\\Fotos\\"_s);

    cStringBuilder moved = std::move(copy);
    QCOMPARE(moved.ToString(), u"Data\\Fotos\\"_s);
    QCOMPARE(moved.Capacity(), 8192);
}

QTEST_APPLESS_MAIN(TestStringBuilder)
#include "tst_stringbuilder.moc"
