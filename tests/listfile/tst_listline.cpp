// The line cutters: the short cut a room takes (field 0 and the size) reads
// every line as the whole cut does, wherever its commas, line end and high
// bytes fall among the 16-byte blocks it is read in.

#include "listfile/ByteScan.h"
#include "listfile/ListLine.h"

#include <QTest>

#include <utility>
#include <vector>

using namespace Qt::Literals::StringLiterals;
using namespace corvane;

class TestListLine : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void pathAndSizeAsLineFields_data();
    void pathAndSizeAsLineFields();
};

void TestListLine::pathAndSizeAsLineFields_data()
{
    QTest::addColumn<QByteArray>("line"); // without its line end
    QTest::newRow("whole line") << "D\\a.txt,2024-01-02,131072,32;x,Recovered"_ba;
    QTest::newRow("size ends the line") << "D\\a.txt,2024-01-02,131072"_ba;
    QTest::newRow("empty size") << "D\\a.txt,d,,32;x,ok"_ba;
    QTest::newRow("empty size ends the line") << "D\\a.txt,d,"_ba;
    QTest::newRow("no size field") << "D\\a.txt,2024-01-02"_ba;
    QTest::newRow("no comma") << "D\\just a path with no fields at all"_ba;
    QTest::newRow("empty line") << ""_ba;
    QTest::newRow("only commas") << ",,,,,,"_ba;
    QTest::newRow("fraction") << "D\\a,d,10.5,x"_ba;
    QTest::newRow("blanks inside") << "D\\a,d, 1 024 ,x"_ba;
    QTest::newRow("exponent") << "D\\a,d,1.5e3,x"_ba;
    QTest::newRow("not a number") << "D\\a,d,garbage,x"_ba;
    QTest::newRow("negative") << "D\\a,d,-12,x"_ba;
    QTest::newRow("largest") << "D\\a,d,922337203685477.5807,x"_ba;
    QTest::newRow("beyond range") << "D\\a,d,922337203685478,x"_ba;
    QTest::newRow("sixteen digits") << "D\\a,d,1234567890123456,x"_ba;
    QTest::newRow("UTF-8 in the path") << "D\\\xc3\xa9t\xc3\xa9\\\xf0\x9f\x93\xb7.jpg,d,3,x"_ba;
    QTest::newRow("high byte last in the path") << "D\\abcdefghijklmn\xe9,d,3,x"_ba;
    QTest::newRow("high bytes after the path only") << "D\\a,d\xe9,3\xe9,x\xe9,\xe9"_ba;
    QTest::newRow("high byte past 64 bytes")
        << "Top\\a folder name well over sixty-four bytes long, with more\\\xfc.txt,d,5,x"_ba;
    QTest::newRow("long fields after the path")
        << "D\\a,a date field far longer than the usual nineteen bytes of one,"
           "   00000000000000000000000000000000000000000000000000000000000042,x"_ba;
    QTest::newRow("high byte in a long path")
        << "Top\\folder with a long name\\another one\\\x80 and more.txt,d,77,x"_ba;
}

void TestListLine::pathAndSizeAsLineFields()
{
    QFETCH(QByteArray, line);
    // The same line with field 0 longer by 0 to 40 bytes moves every comma,
    // and the line end, across the blocks; it is cut in a buffer that goes
    // on past a CR LF, and in one that ends with it.
    std::vector<std::pair<const char *, PathAndSize (*)(const char *, const char *)>> cutters{
        {"16 bytes a step", cutPathAndSize}};
#if defined(__x86_64__) && defined(__GNUC__)
    if (__builtin_cpu_supports("avx2"))
        cutters.emplace_back("AVX2", cutPathAndSizeAvx2);
#endif
    for (const auto &[name, cutter] : cutters)
        for (int pad = 0; pad <= 140; ++pad) {
            const QByteArray padded = QByteArray(pad, 'p') + line;
            const LineFields whole = lineFields(padded);
            for (const QByteArray &tail : {""_ba, "\r\nE\\next,d,999,x\xe9\r\n"_ba, "\n,,5"_ba,
                                           QByteArray("\r\n" + QByteArray(100, ','))}) {
                const QByteArray buffer = padded + tail;
                const PathAndSize cut =
                    cutter(buffer.constData(), buffer.constData() + buffer.size());
                const QByteArray where = QByteArray(name) + ", pad " + QByteArray::number(pad) +
                                         ", tail " + tail.left(20).toHex();
                QVERIFY2(cut.path.data() == buffer.constData(), where.constData());
                QVERIFY2(cut.path == whole.path, where.constData());
                QVERIFY2(cut.pathAscii == isAsciiBytes(whole.path), where.constData());
                QVERIFY2(cut.hasSize == whole.size.has_value(), where.constData());
                if (whole.size)
                    QVERIFY2(cut.size.raw() == whole.size->raw(), where.constData());
            }
        }
    // The size the short cut reads is the one leadingSize gives the field.
    const LineFields whole = lineFields(line);
    if (fieldCount(line) > ListField::Size) {
        const QByteArrayView field = fieldAt(line, ListField::Size);
        const std::optional<ByteTotal> plain =
            field.isEmpty() ? std::optional<ByteTotal>(ByteTotal()) : leadingSize(field);
        QCOMPARE(whole.size.has_value(), plain.has_value());
        if (plain)
            QCOMPARE(whole.size->raw(), plain->raw());
    } else {
        QVERIFY(!whole.size.has_value());
    }
}

QTEST_APPLESS_MAIN(TestListLine)
#include "tst_listline.moc"
