#include "common/CliRun.h"
#include "zip/testutil_zip.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using namespace Qt::Literals::StringLiterals;

// corvane-list search, filter and dates, run as a user would run them.
class TestSearchCli : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void printed_data();
    void printed();
    void resultFile();
    void failures_data();
    void failures();
    void resultTargets_data();
    void resultTargets();
    void notSearched_data();
    void notSearched();
    void nonLatinResult();
    void changingFileOneRule_data();
    void changingFileOneRule();

private:
    using Run = corvane::testing::CliRun;
    Run run(const QStringList &args, const QString &lang = u"en_US.UTF-8"_s);
    QString m_program;
    QTemporaryDir m_dir;
    QString m_list;
};

static const QByteArray list = "Data\\Reports\\q1.doc,2009-05-12 14:33:00,1024,32;AB,Recovered\r\n"
                               "Data\\-dash\\\xC4rger.txt,5/13/2009 2:33 PM,2048,32;CD,Damaged\r\n"
                               "Data\\Photos\\log1.jpg,12.05.2009,1,32;EF,Recovered\r\n";

void TestSearchCli::initTestCase()
{
    m_program = corvane::testing::corvaneListProgram();
    QVERIFY2(QFile::exists(m_program), qPrintable(m_program));
    QVERIFY(m_dir.isValid());
    m_list = m_dir.filePath(u"list.csv"_s);
    QFile f(m_list);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(list);
}

TestSearchCli::Run TestSearchCli::run(const QStringList &args, const QString &lang)
{
    return corvane::testing::runCli(m_program, args, lang);
}

// Without --result: the matching lines, decoded, UTF-8, LF, nothing else.
void TestSearchCli::printed_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("lang");
    QTest::addColumn<QByteArray>("expected");
    const QByteArray line0 = "Data\\Reports\\q1.doc,2009-05-12 14:33:00,1024,32;AB,Recovered\n";
    const QByteArray line1 = "Data\\-dash\\\xC3\x84rger.txt,5/13/2009 2:33 PM,2048,32;CD,Damaged\n";
    const QByteArray line2 = "Data\\Photos\\log1.jpg,12.05.2009,1,32;EF,Recovered\n";
    QTest::newRow("term") << QStringList{u"search"_s, u"REPORT"_s} << u"en_US.UTF-8"_s << line0;
    QTest::newRow("accent") << QStringList{u"search"_s, u"\u00e4rger"_s} << u"en_US.UTF-8"_s
                            << line1;
    QTest::newRow("term after --")
        << QStringList{u"search"_s, u"--"_s, u"-dash"_s} << u"en_US.UTF-8"_s << line1;
    QTest::newRow("no match") << QStringList{u"search"_s, u"zzz"_s} << u"en_US.UTF-8"_s
                              << QByteArray();
    // The hint's own way of writing two patterns: the space after ";" does
    // not narrow the second one.
    QTest::newRow("space after semicolon")
        << QStringList{u"search"_s, u"*.doc; *.jpg"_s} << u"en_US.UTF-8"_s << line0 + line2;
    QTest::newRow("spaces around pieces")
        << QStringList{u"search"_s, u"  q1 ;  log1  "_s} << u"en_US.UTF-8"_s << line0 + line2;
    QTest::newRow("filter") << QStringList{u"filter"_s, u"Recovered"_s} << u"en_US.UTF-8"_s
                            << line0 + line2;
    QTest::newRow("dates en_US") << QStringList{u"dates"_s, u"2009-05-12"_s, u"2009-05-13"_s}
                                 << u"en_US.UTF-8"_s << line0 + line1;
    QTest::newRow("dates de_DE") << QStringList{u"dates"_s, u"2009-05-12"_s, u"2009-05-12"_s}
                                 << u"de_DE.UTF-8"_s << line0 + line2;
}

void TestSearchCli::printed()
{
    QFETCH(QStringList, args);
    QFETCH(QString, lang);
    QFETCH(QByteArray, expected);
    // The list goes before the criterion (after "--" when there is one).
    const qsizetype at = args.indexOf(u"--"_s) >= 0 ? args.indexOf(u"--"_s) + 1 : 1;
    args.insert(at, m_list);
    const Run r = run(args, lang);
    QCOMPARE(r.err, QString());
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.outBytes, expected);
}

void TestSearchCli::resultFile()
{
    const QString result = m_dir.filePath(u"result.csv"_s);
    const Run r = run({u"search"_s, u"--result"_s, result, m_list, u"*"_s});
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.outBytes, QByteArray("matches: 3\n"));
    QFile f(result);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    QVERIFY(!bytes.startsWith("\xFF\xFE"));
    const QString text =
        QString::fromUtf16(reinterpret_cast<const char16_t *>(bytes.constData()), bytes.size() / 2);
    QCOMPARE(text, QString::fromLatin1(list));
    // Zero matches: an empty file, and still success.
    const Run none = run({u"filter"_s, u"--result"_s, result, m_list, u"recovered"_s});
    QCOMPARE(none.exitCode, 0);
    QCOMPARE(none.outBytes, QByteArray("matches: 0\n"));
    QCOMPARE(QFileInfo(result).size(), 0);
}

void TestSearchCli::failures_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("exitCode");
    const QString missing = u"/nonexistent/list.csv"_s;
    QTest::newRow("missing list") << QStringList{u"search"_s, missing, u"a"_s} << 1;
    QTest::newRow("list is a folder") << QStringList{u"filter"_s, u"/tmp"_s, u"a"_s} << 1;
    QTest::newRow("result folder missing")
        << QStringList{u"search"_s, u"--result"_s, u"/nonexistent/r.csv"_s, u"LIST"_s, u"a"_s} << 1;
    QTest::newRow("result is the list")
        << QStringList{u"search"_s, u"--result"_s, u"LIST"_s, u"LIST"_s, u"a"_s} << 1;
    QTest::newRow("too few arguments") << QStringList{u"search"_s, u"LIST"_s} << 2;
    QTest::newRow("unknown option") << QStringList{u"search"_s, u"-x"_s, u"LIST"_s, u"a"_s} << 2;
    QTest::newRow("bad date") << QStringList{u"dates"_s, u"LIST"_s, u"12.05.2009"_s,
                                             u"2009-05-12"_s}
                              << 2;
}

void TestSearchCli::failures()
{
    QFETCH(QStringList, args);
    QFETCH(int, exitCode);
    args.replaceInStrings(u"LIST"_s, m_list);
    const Run r = run(args);
    QCOMPARE(r.exitCode, exitCode);
    QVERIFY(!r.err.isEmpty());
    QVERIFY(r.outBytes.isEmpty());
    if (exitCode == 1)
        QCOMPARE(r.err.count(u'\n'), 1);
    QCOMPARE(QFileInfo(m_list).size(), list.size()); // the list is never touched
}

static bool isFifo(const QString &path)
{
    struct stat st
    {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 && S_ISFIFO(st.st_mode);
}

// --result onto what is there: the file takes the place of what stands at
// the name, so anything but a regular file (or a link to one) is refused and
// left alone; a link is written where it leads and stays a link.
void TestSearchCli::resultTargets_data()
{
    QTest::addColumn<QStringList>("args"); // RESULT and LIST are filled in
    QTest::addColumn<QString>("target");
    QTest::addColumn<int>("exitCode");
    const QStringList search{u"search"_s, u"--result"_s, u"RESULT"_s, u"LIST"_s, u"*"_s};
    const QStringList filter{u"filter"_s, u"--result=RESULT"_s, u"LIST"_s, u"Recovered"_s};
    const QStringList dates{u"dates"_s, u"--result"_s,   u"RESULT"_s,
                            u"LIST"_s,  u"2009-01-01"_s, u"2009-12-31"_s};
    QTest::newRow("search onto a fifo") << search << u"fifo"_s << 1;
    QTest::newRow("filter onto a fifo") << filter << u"fifo"_s << 1;
    QTest::newRow("dates onto a fifo") << dates << u"fifo"_s << 1;
    QTest::newRow("onto a link to a fifo") << search << u"linkfifo"_s << 1;
    QTest::newRow("onto a link to nothing") << search << u"linknone"_s << 1;
    QTest::newRow("onto a folder") << filter << u"folder"_s << 1;
    QTest::newRow("onto a link to a file") << search << u"linkfile"_s << 0;
    QTest::newRow("onto a file") << dates << u"file"_s << 0;
}

void TestSearchCli::resultTargets()
{
    QFETCH(QStringList, args);
    QFETCH(QString, target);
    QFETCH(int, exitCode);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString result = dir.filePath(u"result.csv"_s);
    const QString pointed = dir.filePath(u"pointed"_s);
    const QByteArray older = "older\r\n";
    if (target == u"fifo"_s)
        QCOMPARE(::mkfifo(QFile::encodeName(result).constData(), 0644), 0);
    else if (target == u"linkfifo"_s)
        QCOMPARE(::mkfifo(QFile::encodeName(pointed).constData(), 0644), 0);
    else if (target == u"folder"_s)
        QVERIFY(QDir().mkdir(result));
    else if (target == u"linkfile"_s)
        QVERIFY(corvane::testing::writeBytes(pointed, older));
    else if (target == u"file"_s)
        QVERIFY(corvane::testing::writeBytes(result, older));
    if (target.startsWith(u"link"_s))
        QVERIFY(QFile::link(pointed, result));
    args.replaceInStrings(u"RESULT"_s, result);
    args.replaceInStrings(u"LIST"_s, m_list);

    const Run r = run(args);
    QCOMPARE(r.exitCode, exitCode);
    QCOMPARE(QFileInfo(m_list).size(), list.size());
    if (exitCode == 0) {
        QCOMPARE(r.err, QString());
        QVERIFY(r.outBytes.startsWith("matches: "));
        QVERIFY(QFileInfo(result).isFile());
    } else {
        QVERIFY(r.outBytes.isEmpty());
        QCOMPARE(r.err.count(u'\n'), 1);
        QVERIFY2(r.err.startsWith(u"corvane-list: "_s + result), qPrintable(r.err));
    }
    if (target == u"fifo"_s)
        QVERIFY(isFifo(result));
    if (target == u"linkfifo"_s)
        QVERIFY(isFifo(pointed));
    if (target == u"folder"_s)
        QVERIFY(QFileInfo(result).isDir());
    if (target.startsWith(u"link"_s)) {
        QVERIFY(QFileInfo(result).isSymLink());
        QCOMPARE(QFileInfo(result).symLinkTarget(), pointed);
    }
    if (target == u"linkfile"_s)
        QVERIFY(corvane::testing::readBytes(pointed).startsWith(QByteArray("D\0a\0t\0a\0", 8)));
    // Nothing else appears beside it.
    const QStringList expected = target.startsWith(u"link"_s) && target != u"linknone"_s
                                     ? QStringList{u"pointed"_s, u"result.csv"_s}
                                     : QStringList{u"result.csv"_s};
    QCOMPARE(QDir(dir.path())
                 .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System),
             expected);
}

// What is never searched: a zip archive given as the list (as every other
// command refuses it), and an empty term (as the window does nothing for it).
void TestSearchCli::notSearched_data()
{
    QTest::addColumn<QStringList>("args"); // ZIP, LIST and RESULT are filled in
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("err"); // what stderr holds
    const QString zip = u"is a zip archive, not a list"_s;
    QTest::newRow("search a zip") << QStringList{u"search"_s, u"ZIP"_s, u"*"_s} << 1 << zip;
    QTest::newRow("filter a zip") << QStringList{u"filter"_s, u"ZIP"_s, u"OK"_s} << 1 << zip;
    QTest::newRow("dates of a zip")
        << QStringList{u"dates"_s, u"ZIP"_s, u"2000-01-01"_s, u"2030-01-01"_s} << 1 << zip;
    QTest::newRow("a zip, to a result file")
        << QStringList{u"search"_s, u"--result"_s, u"RESULT"_s, u"ZIP"_s, u"*"_s} << 1 << zip;
    QTest::newRow("empty term") << QStringList{u"search"_s, u"LIST"_s, QString()} << 0 << QString();
    QTest::newRow("empty term, to a result file")
        << QStringList{u"search"_s, u"--result"_s, u"RESULT"_s, u"LIST"_s, QString()} << 0
        << QString();
    QTest::newRow("empty term, no list")
        << QStringList{u"search"_s, u"/nonexistent/list.csv"_s, QString()} << 1
        << u"corvane-list: /nonexistent/list.csv: "_s;
}

void TestSearchCli::notSearched()
{
    QFETCH(QStringList, args);
    QFETCH(int, exitCode);
    QFETCH(QString, err);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString zip = dir.filePath(u"Lists.zip"_s);
    QVERIFY(corvane::testing::writeZip(zip, {corvane::testing::entry("Job42.csv", list)}));
    const QString result = dir.filePath(u"result.csv"_s);
    const QByteArray older = "older\r\n";
    QVERIFY(corvane::testing::writeBytes(result, older));
    args.replaceInStrings(u"ZIP"_s, zip);
    args.replaceInStrings(u"LIST"_s, m_list);
    args.replaceInStrings(u"RESULT"_s, result);
    const Run r = run(args);
    QCOMPARE(r.exitCode, exitCode);
    QCOMPARE(r.outBytes, QByteArray());
    if (err.isEmpty())
        QCOMPARE(r.err, QString());
    else
        QVERIFY2(r.err.contains(err) && r.err.count(u'\n') == 1, qPrintable(r.err));
    QCOMPARE(corvane::testing::readBytes(result), older);
}

// A result of Cyrillic names (few zero bytes in its UTF-16LE) given back as
// a list reads as the lines that were written.
void TestSearchCli::nonLatinResult()
{
    const QString cyrillic = m_dir.filePath(u"cyrillic.csv"_s);
    {
        QFile f(cyrillic);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(u"Данные\\Отчёты за первый квартал\\Квартальный отчёт директору.doc,"
                u"вчера,1024,Аа,Готово\r\n"
                u"Данные\\Фотографии с моря\\Закат над морем и горами.jpg,вчера,2048,Аа,"
                u"Готово\r\n"
                u"Данные\\Фотографии с моря\\Рассвет над лесом.jpg,вчера,1,Аа,Повреждён\r\n"_s
                    .toUtf8());
    }
    const QString result = m_dir.filePath(u"cyrillic-result.csv"_s);
    const Run r = run({u"search"_s, u"--result"_s, result, cyrillic, u"*"_s});
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.outBytes, QByteArray("matches: 3\n"));
    const Run summary = run({u"summary"_s, result});
    QCOMPARE(summary.err, QString());
    QCOMPARE(summary.exitCode, 0);
    QCOMPARE(QString::fromUtf8(summary.outBytes),
             u"lines: 3\nfolders: 2\nbytes: 3,073\nsize: 3.0 Kb\nroot: Данные\\\nearliest: \n"
             u"latest: \n"_s);
    QCOMPARE(run({u"summary"_s, cyrillic}).outBytes, summary.outBytes);
}

// Every command that reads a list refuses a file that changed while it was
// read, by the same rule: here one whose size is 0 until it is read (read
// only: corvane-list's own map of its memory).
void TestSearchCli::changingFileOneRule_data()
{
    QTest::addColumn<QStringList>("args");
    const QString maps = u"/proc/self/maps"_s;
    QTest::newRow("summary") << QStringList{u"summary"_s, maps};
    QTest::newRow("tree") << QStringList{u"tree"_s, maps};
    QTest::newRow("ls") << QStringList{u"ls"_s, maps};
    QTest::newRow("overview") << QStringList{u"overview"_s, maps};
    QTest::newRow("search") << QStringList{u"search"_s, maps, u"*"_s};
    QTest::newRow("search --result")
        << QStringList{u"search"_s, u"--result"_s, u"RESULT"_s, maps, u"*"_s};
    QTest::newRow("filter") << QStringList{u"filter"_s, maps, u"x"_s};
    QTest::newRow("dates") << QStringList{u"dates"_s, maps, u"2000-01-01"_s, u"2030-01-01"_s};
}

void TestSearchCli::changingFileOneRule()
{
    QFETCH(QStringList, args);
    const QString result = m_dir.filePath(u"maps-result.csv"_s);
    QFile::remove(result);
    args.replaceInStrings(u"RESULT"_s, result);
    const Run r = run(args);
    QCOMPARE(r.exitCode, 1);
    QCOMPARE(r.err, u"corvane-list: /proc/self/maps: the file changed while it was read\n"_s);
    QVERIFY(r.outBytes.isEmpty());
    QVERIFY(!QFile::exists(result));
}

QTEST_GUILESS_MAIN(TestSearchCli)
#include "tst_search_cli.moc"
