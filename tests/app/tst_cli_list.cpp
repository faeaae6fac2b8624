#include "common/CliRun.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

// corvane-list summary and tree, run as a user would run them.
class TestCliList : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void summary_data();
    void summary();
    void tree_data();
    void tree();
    void classes();
    void failures_data();
    void failures();
    void outputNotWritten_data();
    void outputNotWritten();
    void listTooBigForMemory();
    void boundedMemory_data();
    void boundedMemory();

private:
    using Run = corvane::testing::CliRun;
    Run run(const QStringList &args, const QString &lang = u"en_US.UTF-8"_s);
    QString writeList(const QByteArray &bytes);

    QString m_program;
    QTemporaryDir m_dir;
    int m_files = 0;
};

void TestCliList::initTestCase()
{
    m_program = corvane::testing::corvaneListProgram();
    QVERIFY2(QFile::exists(m_program), qPrintable(m_program));
    QVERIFY(m_dir.isValid());
}

TestCliList::Run TestCliList::run(const QStringList &args, const QString &lang)
{
    return corvane::testing::runCli(m_program, args, lang);
}

QString TestCliList::writeList(const QByteArray &bytes)
{
    QString path = m_dir.filePath(u"list%1.csv"_s.arg(++m_files));
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
    return path;
}

void TestCliList::summary_data()
{
    QTest::addColumn<QByteArray>("list");
    QTest::addColumn<QString>("lang");
    QTest::addColumn<QString>("expected");

    QTest::newRow("three sizes, English")
        << "Data\\A\\f1.txt,d,1024,32;x,ok\r\nData\\A\\f2.txt,d,1024,32;x,ok\r\n"
           "Data\\B\\f3.txt,d,1,32;x,ok\r\n"_ba
        << u"en_US.UTF-8"_s
        << u"lines: 3\nfolders: 2\nbytes: 2,049\nsize: 2.0 Kb\nroot: Data\\\nearliest: \nlatest: \n"_s;
    QTest::newRow("German separators")
        << "D\\a,d,1049000000\r\nD\\b,d,1000\r\n"_ba << u"de_DE.UTF-8"_s
        << u"lines: 2\nfolders: 1\nbytes: 1.049.001.000\nsize: 1.000,4 Mb\nroot: D\\\nearliest: \nlatest: \n"_s;
    QTest::newRow("empty list")
        << QByteArray() << u"en_US.UTF-8"_s
        << u"lines: 0\nfolders: 0\nbytes: 0\nsize: 0 Bytes\nroot: \nearliest: \nlatest: \n"_s;
    QTest::newRow("Windows-1252 root, UTF-8 out")
        << "D\xe4ta\\A\\f,d,5\r\n"_ba << u"en_US.UTF-8"_s
        << u"lines: 1\nfolders: 1\nbytes: 5\nsize: 5 Bytes\nroot: Däta\\\nearliest: \nlatest: \n"_s;
    // The days as `dates` reads them: in the environment's order, or ISO.
    QTest::newRow("dates, German order")
        << "D\\a,21.04.18 02:10,1\r\nD\\b,2000-11-05 04:51:00,1\r\nD\\c,x,1\r\n"_ba
        << u"de_DE.UTF-8"_s
        << u"lines: 3\nfolders: 1\nbytes: 3\nsize: 3 Bytes\nroot: D\\\nearliest: 2000-11-05\n"
           "latest: 2018-04-21\n"_s;
    QTest::newRow("dates, US order")
        << "D\\a,01/02/2009 10:00 PM,1\r\nD\\b,03/01/2009,1\r\n"_ba << u"en_US.UTF-8"_s
        << u"lines: 2\nfolders: 1\nbytes: 2\nsize: 2 Bytes\nroot: D\\\nearliest: 2009-01-02\n"
           "latest: 2009-03-01\n"_s;
}

void TestCliList::summary()
{
    QFETCH(QByteArray, list);
    QFETCH(QString, lang);
    QFETCH(QString, expected);
    const Run r = run({u"summary"_s, writeList(list)}, lang);
    QCOMPARE(r.err, QString());
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.out, expected);
}

void TestCliList::tree_data()
{
    QTest::addColumn<QByteArray>("list");
    QTest::addColumn<QString>("expected");

    QTest::newRow("ordered")
        << "Data\\A\\B\\f1.txt\r\nData\\A\\B\\f2.txt\r\nData\\A\\C\\f3.txt\r\n"_ba
        << u"Root\n  A\n    B\n    C\n"_s;
    QTest::newRow("unordered lines merge")
        << "Data\\A\\B\\f1.txt\r\nData\\A\\C\\f3.txt\r\nData\\A\\B\\f2.txt\r\n"_ba
        << u"Root\n  A\n    B\n    C\n"_s;
    QTest::newRow("natural order")
        << "D\\x10\\f\nD\\x9\\f\nD\\X1\\f\n"_ba << u"Root\n  X1\n  x9\n  x10\n"_s;
    QTest::newRow("no line, no Root") << QByteArray() << QString();
}

void TestCliList::tree()
{
    QFETCH(QByteArray, list);
    QFETCH(QString, expected);
    // The C locale still sorts naturally: collation follows the UI language.
    const Run r = run({u"tree"_s, writeList(list)}, u"C"_s);
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.out, expected);
}

// The table of status classes, one word a line with its class, as the
// window colours by it.
void TestCliList::classes()
{
    const Run r = run({u"classes"_s});
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.err, QString());
    const QStringList lines = r.out.split(u'\n');
    QCOMPARE(lines.last(), QString()); // every line ends
    QVERIFY(lines.size() > 50);
    QCOMPARE(lines.first(), u"Recovered\tgood"_s);
    for (const QString &line : {u"Header OK\tgood"_s, u"Partial\tpartial"_s, u"Beschädigt\tbad"_s,
                                u"Not checked\tunknown"_s, u"Delvis\tpartial"_s})
        QVERIFY2(lines.contains(line), qPrintable(line));
    for (qsizetype i = 0; i + 1 < lines.size(); ++i)
        QCOMPARE(lines[i].count(u'\t'), 1);
}

void TestCliList::failures_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("errPart");

    QTest::newRow("no command") << QStringList{} << 2 << u"usage:"_s;
    QTest::newRow("unknown command") << QStringList{u"frobnicate"_s} << 2 << u"usage:"_s;
    QTest::newRow("summary without list") << QStringList{u"summary"_s} << 2 << u"usage:"_s;
    QTest::newRow("classes with two lists")
        << QStringList{u"classes"_s, u"a"_s, u"b"_s} << 2 << u"usage:"_s;
    QTest::newRow("classes of a missing list")
        << QStringList{u"classes"_s, u"/nonexistent/list.csv"_s} << 1
        << u"/nonexistent/list.csv: the file does not exist\n"_s;
    QTest::newRow("tree with two lists")
        << QStringList{u"tree"_s, u"a"_s, u"b"_s} << 2 << u"usage:"_s;
    QTest::newRow("missing list") << QStringList{u"summary"_s, u"/nonexistent/list.csv"_s} << 1
                                  << u"/nonexistent/list.csv: the file does not exist\n"_s;
    QTest::newRow("folder as list")
        << QStringList{u"tree"_s, u"/tmp"_s} << 1 << u"/tmp: it is a folder"_s;
}

void TestCliList::failures()
{
    QFETCH(QStringList, args);
    QFETCH(int, exitCode);
    QFETCH(QString, errPart);
    const Run r = run(args);
    QCOMPARE(r.exitCode, exitCode);
    QCOMPARE(r.out, QString());
    QVERIFY2(r.err.contains(errPart), qPrintable(r.err));
    if (exitCode == 1)
        QCOMPARE(r.err.count(u'\n'), 1);
}

// Output that cannot be written (a full disk) is a failure, not a success.
void TestCliList::outputNotWritten_data()
{
    QTest::addColumn<QString>("command");
    QTest::newRow("summary") << u"summary"_s;
    QTest::newRow("tree") << u"tree"_s;
    QTest::newRow("ls") << u"ls"_s;
}

void TestCliList::outputNotWritten()
{
    QFETCH(QString, command);
    if (!QFileInfo::exists(u"/dev/full"_s))
        QSKIP("no /dev/full");
    const QString list = writeList("Data\\A\\a.txt,1/1/2020,10,32;x,OK\r\n");
    const Run r = corvane::testing::runCli(m_program, {command, list}, QString(), [](QProcess &p) {
        p.setStandardOutputFile(u"/dev/full"_s);
    });
    QCOMPARE(r.exitCode, 1);
    QVERIFY2(r.err.contains(u"No space left on device"_s), qPrintable(r.err));
    QCOMPARE(r.err.count(u'\n'), 1);
}

// A list that does not fit in the memory left is reported, not a crash.
void TestCliList::listTooBigForMemory()
{
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__) || defined(CORVANE_SANITIZED)
    QSKIP("a sanitizer needs more address space than the limit leaves");
#endif
    // 128 Mi empty lines: the file and the line table want 640 MiB.
    const QString list = writeList(QByteArray(128 << 20, '\n'));
    const Run r = corvane::testing::runCli(
        u"/bin/sh"_s,
        {u"-c"_s, u"ulimit -v 600000 && exec \"$0\" summary \"$1\""_s, m_program, list}, QString());
    QFile::remove(list);
    QCOMPARE(r.exitCode, 1);
    QVERIFY2(r.err.contains(u"not enough memory"_s), qPrintable(r.err));
    QCOMPARE(r.err.count(u'\n'), 1);
}

void TestCliList::boundedMemory_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("shape");
    QTest::addColumn<QString>("outPart");
    // 30,000 levels: the tree prints 900 MB of indentation.
    QTest::newRow("tree of a deep list") << u"tree"_s << u"deep"_s << QString();
    QTest::newRow("summary of a deep list") << u"summary"_s << u"deep"_s << u"folders: 1\n"_s;
    // One line of 128 MB without a "\\": no top folder to copy around.
    QTest::newRow("summary of one long line") << u"summary"_s << u"long"_s << u"lines: 1\n"_s;
    QTest::newRow("tree of one long line") << u"tree"_s << u"long"_s << u"Root\n"_s;
}

void TestCliList::boundedMemory()
{
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__) || defined(CORVANE_SANITIZED)
    QSKIP("a sanitizer needs more address space than the limit leaves");
#endif
    QFETCH(QString, command);
    QFETCH(QString, shape);
    QFETCH(QString, outPart);
    QByteArray bytes;
    if (shape == u"deep"_s) {
        bytes = "Data";
        for (int i = 0; i < 30000; ++i)
            bytes += "\\d";
        bytes += "\\f.txt,2009-01-01,1,32;x,ok\r\n";
    } else {
        bytes = QByteArray(128 << 20, 'n');
    }
    const QString list = writeList(bytes);
    bytes.clear();
    // The tree's output goes nowhere; the summary's is kept.
    const QString script = command == u"tree"_s && shape == u"deep"_s
                               ? u"ulimit -v 600000 && exec \"$0\" $2 \"$1\" >/dev/null"_s
                               : u"ulimit -v 600000 && exec \"$0\" $2 \"$1\""_s;
    const Run r = corvane::testing::runCli(
        u"/bin/sh"_s, {u"-c"_s, script, m_program, list, command}, QString(), {}, 120000);
    QFile::remove(list);
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));
    QVERIFY(r.out.contains(outPart));
}

QTEST_GUILESS_MAIN(TestCliList)
#include "tst_cli_list.moc"
