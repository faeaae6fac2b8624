#include "browse/paint/StatusColours.h"
#include "common/CliRun.h"
#include "map/paint/MapPainter.h"
#include "testutil_maplists.h"
#include "testutil_mappixels.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using namespace Qt::Literals::StringLiterals;

// corvane-list map, run as a user would run it.
class TestCliMap : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void map_data();
    void map();
    void outputRefused_data();
    void outputRefused();
    void colourShares();

private:
    QString writeList(const QString &name, const QByteArray &bytes);

    QString m_program;
    QTemporaryDir m_dir;
};

void TestCliMap::initTestCase()
{
    m_program = corvane::testing::corvaneListProgram();
    QVERIFY2(QFile::exists(m_program), qPrintable(m_program));
    QVERIFY(m_dir.isValid());
    QImageReader::setAllocationLimit(512); // MiB: the largest picture, 8192 x 8192
}

QString TestCliMap::writeList(const QString &name, const QByteArray &bytes)
{
    QString path = m_dir.filePath(name);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        return QString();
    return path;
}

void TestCliMap::map_data()
{
    QTest::addColumn<QByteArray>("list");
    QTest::addColumn<QStringList>("args"); // LIST and OUT are @LIST and @OUT
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QSize>("size"); // of the picture; none when the exit code is not 0
    QTest::addColumn<QString>("err");

    const QByteArray tree = corvane::test::mapLine("D\\A\\B\\f1", 100, "Recovered") +
                            corvane::test::mapLine("D\\A\\f2", 50, "Damaged") +
                            corvane::test::mapLine("D\\Z\\f3", 10, "Recovered");
    const QString sizeError = u"corvane-list: the size '%1' is not WxH with both sides from 16 "
                              u"to 8192\n"_s;
    QTest::newRow("the default size")
        << tree << QStringList{u"@LIST"_s, u"@OUT"_s} << 0 << QSize(1200, 800) << QString();
    QTest::newRow("the size first")
        << tree << QStringList{u"--size"_s, u"64x48"_s, u"@LIST"_s, u"@OUT"_s} << 0 << QSize(64, 48)
        << QString();
    QTest::newRow("the size last, with =")
        << tree << QStringList{u"@LIST"_s, u"@OUT"_s, u"--size=16x16"_s} << 0 << QSize(16, 16)
        << QString();
    QTest::newRow("the size between, a folder after")
        << tree << QStringList{u"@LIST"_s, u"--size"_s, u"300x200"_s, u"@OUT"_s, u"A"_s} << 0
        << QSize(300, 200) << QString();
    QTest::newRow("a folder, trailing backslash")
        << tree << QStringList{u"@LIST"_s, u"@OUT"_s, u"A\\B\\"_s} << 0 << QSize(1200, 800)
        << QString();
    QTest::newRow("the largest size")
        << tree << QStringList{u"@LIST"_s, u"@OUT"_s, u"--size"_s, u"8192x8192"_s} << 0
        << QSize(8192, 8192) << QString();
    QTest::newRow("an empty list")
        << QByteArray() << QStringList{u"@LIST"_s, u"@OUT"_s} << 0 << QSize(1200, 800) << QString();
    QTest::newRow("a list of one file")
        << corvane::test::mapListBytes(u"one file"_s) << QStringList{u"@LIST"_s, u"@OUT"_s} << 0
        << QSize(1200, 800) << QString();
    QTest::newRow("no such folder") << tree << QStringList{u"@LIST"_s, u"@OUT"_s, u"Q"_s} << 1
                                    << QSize() << u"corvane-list: no folder 'Q' in the list\n"_s;
    QTest::newRow("a folder in an empty list")
        << QByteArray() << QStringList{u"@LIST"_s, u"@OUT"_s, u"A"_s} << 1 << QSize()
        << u"corvane-list: no folder 'A' in the list\n"_s;
    for (const QString &bad : {u"15x16"_s, u"16x8193"_s, u"0x0"_s, u"-16x16"_s, u"axb"_s, u"64"_s,
                               u"64x48x2"_s, u"x48"_s, QString()})
        QTest::addRow("size '%s'", qPrintable(bad))
            << tree << QStringList{u"@LIST"_s, u"@OUT"_s, u"--size"_s, bad} << 1 << QSize()
            << sizeError.arg(bad);
    QTest::newRow("--size without its value")
        << tree << QStringList{u"@LIST"_s, u"@OUT"_s, u"--size"_s} << 2 << QSize() << QString();
    QTest::newRow("an unknown option")
        << tree << QStringList{u"@LIST"_s, u"@OUT"_s, u"--big"_s} << 2 << QSize() << QString();
    QTest::newRow("no picture named")
        << tree << QStringList{u"@LIST"_s} << 2 << QSize() << QString();
    QTest::newRow("too many arguments")
        << tree << QStringList{u"@LIST"_s, u"@OUT"_s, u"A"_s, u"B"_s} << 2 << QSize() << QString();
}

// The picture has exactly the size asked for; a wrong argument is one line
// on stderr and no picture.
void TestCliMap::map()
{
    QFETCH(QByteArray, list);
    QFETCH(QStringList, args);
    QFETCH(int, exitCode);
    QFETCH(QSize, size);
    QFETCH(QString, err);

    const QString tag = QString::fromLatin1(QTest::currentDataTag()).replace(u'\'', u'_');
    const QString listPath = writeList(tag + u".csv"_s, list);
    QVERIFY(!listPath.isEmpty());
    const QString outPath = m_dir.filePath(tag + u".png"_s);
    args.replaceInStrings(u"@LIST"_s, listPath);
    args.replaceInStrings(u"@OUT"_s, outPath);
    const corvane::testing::CliRun r =
        corvane::testing::runCli(m_program, QStringList{u"map"_s} + args);
    QCOMPARE(r.exitCode, exitCode);
    QCOMPARE(r.out, QString());
    if (exitCode == 2)
        QVERIFY(r.err.startsWith(u"usage:"_s));
    else
        QCOMPARE(r.err, err);
    if (exitCode != 0) {
        QVERIFY(!QFileInfo::exists(outPath));
        return;
    }
    const QImage image(outPath, "png");
    QCOMPARE(image.size(), size);
}

void TestCliMap::outputRefused_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("err"); // %1: the name given

    QTest::newRow("a folder") << u"folder"_s << u"corvane-list: %1 is a folder\n"_s;
    QTest::newRow("a named pipe")
        << u"fifo"_s
        << u"corvane-list: %1 is not a regular file (a device, a pipe or a socket) and is left as it is\n"_s;
    QTest::newRow("a link leading nowhere")
        << u"broken link"_s << u"corvane-list: %1 is a link that leads to no file\n"_s;
    QTest::newRow("in a folder that does not exist") << u"no folder"_s << QString();
}

// Where no picture can go, nothing is written there and the reason is said.
void TestCliMap::outputRefused()
{
    QFETCH(QString, kind);
    QFETCH(QString, err);
    const QString listPath = writeList(u"refused.csv"_s, corvane::test::mapListBytes(u"nested"_s));
    QVERIFY(!listPath.isEmpty());
    QTemporaryDir dir(m_dir.filePath(u"out-XXXXXX"_s));
    QVERIFY(dir.isValid());
    QString out = dir.filePath(u"map.png"_s);
    if (kind == u"folder") {
        QVERIFY(QDir().mkdir(out));
    } else if (kind == u"fifo") {
        QCOMPARE(mkfifo(QFile::encodeName(out).constData(), 0600), 0);
    } else if (kind == u"broken link") {
        QVERIFY(QFile::link(dir.filePath(u"gone.png"_s), out));
    } else {
        out = dir.filePath(u"none/map.png"_s);
    }
    const QStringList before =
        QDir(dir.path())
            .entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot);
    const corvane::testing::CliRun r =
        corvane::testing::runCli(m_program, {u"map"_s, listPath, out});
    QCOMPARE(r.exitCode, 1);
    QCOMPARE(r.err.count(u'\n'), 1);
    if (!err.isEmpty())
        QCOMPARE(r.err, err.arg(out));
    QCOMPARE(QDir(dir.path())
                 .entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot),
             before);
    QVERIFY(!QFileInfo(dir.filePath(u"gone.png"_s)).exists());
}

// In the picture the command writes, each status's share of the pixels is
// within a few points of its share of the bytes; a picture already there is
// replaced whole.
void TestCliMap::colourShares()
{
    QByteArray raw;
    const char *const words[] = {"Recovered", "Damaged", "Not recovered"};
    for (int i = 0; i < 600; ++i)
        raw += corvane::test::mapLine("D\\F" + QByteArray::number(i % 13) + "\\G" +
                                          QByteArray::number(i % 5) + "\\f" + QByteArray::number(i),
                                      (i * 7919 % 1000 + 1) * 1000, words[i % 7 % 3]);
    const QString listPath = writeList(u"shares.csv"_s, raw);
    const QString out = m_dir.filePath(u"shares.png"_s);
    {
        QFile old(out);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write(QByteArray(5000000, 'x'));
    }
    const corvane::testing::CliRun r =
        corvane::testing::runCli(m_program, {u"map"_s, listPath, out, u"--size"_s, u"800x500"_s});
    QCOMPARE(r.exitCode, 0);
    const QImage image(out, "png");
    QCOMPARE(image.size(), QSize(800, 500));

    const corvane::LoadedList list = corvane::test::mapListOf(raw);
    const QList<QColor> colours = corvane::statusColours(list.totals);
    const corvane::MapPaintOptions options;
    const QList<double> shares =
        corvane::test::pixelShares(image, colours, {options.border, options.background});
    const double total = list.totals.bytes(0).toDouble();
    for (int s = 0; s < list.totals.statusCount(); ++s) {
        const double expected = 100.0 * list.totals.bytes(0, s).toDouble() / total;
        QVERIFY2(std::abs(shares[s] - expected) <= 3.0,
                 qPrintable(u"%1: %2 %, expected %3 %"_s.arg(list.totals.status(s).word)
                                .arg(shares[s])
                                .arg(expected)));
    }
}

QTEST_GUILESS_MAIN(TestCliMap)
#include "tst_paint_cli_map.moc"
