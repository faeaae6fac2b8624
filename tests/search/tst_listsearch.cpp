#include "listfile/ListReader.h"
#include "search/ListSearch.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;
using namespace corvane;

// The three searches over list files, the result file they write, and what
// they do with bad input.
class TestListSearch : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void termSearch_data();
    void termSearch();
    void resultFormat();
    void encodings_data();
    void encodings();
    void presetFilter_data();
    void presetFilter();
    void dateSearch_data();
    void dateSearch();
    void badInput_data();
    void badInput();
    void missingList();
    void listIsAFolder();
    void resultCannotBeCreated();
    void resultCannotBeWritten();
    void resultOpenedAsList();
    void stopGivesUp();
    void lineEndsAcrossPieces_data();
    void lineEndsAcrossPieces();
    void statusWords();
    void listShrinksWhileSearched();
    void oneChangeRule_data();
    void oneChangeRule();
    void longLines_data();
    void longLines();

private:
    QString writeFile(const QByteArray &bytes);
    static QStringList readResult(const QString &path);

    QTemporaryDir m_dir;
    int m_files = 0;
};

void TestListSearch::initTestCase()
{
    QVERIFY(m_dir.isValid());
}

QString TestListSearch::writeFile(const QByteArray &bytes)
{
    const QString path = m_dir.filePath(u"list%1.csv"_s.arg(++m_files));
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        qFatal("cannot write a test list");
    return path;
}

// The result file's lines (UTF-16LE, each ended by CR LF, nothing else).
QStringList TestListSearch::readResult(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {u"<no result file>"_s};
    const QByteArray bytes = f.readAll();
    if (bytes.size() % 2 != 0)
        return {u"<odd byte count>"_s};
    QString text =
        QString::fromUtf16(reinterpret_cast<const char16_t *>(bytes.constData()), bytes.size() / 2);
    if (text.isEmpty())
        return {};
    if (!text.endsWith(u"\r\n"_s))
        return {u"<no CR LF at the end>"_s};
    text.chop(2);
    return text.split(u"\r\n"_s);
}

static const QByteArray sampleList =
    "Data\\Reports\\q1.doc,2009-05-12 14:33:00,1024,32;AB,Recovered\r\n"
    "Data\\reports\\Q2.DOCX,2009-05-13 00:00:00,2048,32;CD,Damaged\r\n"
    "Data\\Photos\\log1.jpg,2009-05-11 23:59:59,1,32;EF,Recovered\r\n"
    "Data\\Photos\\logs.jpg,2009-05-14 08:00:00,1,32;EF,Header OK\r\n"
    "Data\\a,b\\report.txt,2009-05-12 10:00:00,1,32;EF,Recovered\r\n"
    "Data\\Notes\\x.txt,2009-05-12 10:00:00,1,32;EF,Recovered,extra\r\n"
    "\r\n"
    "just a line without comma\r\n";

void TestListSearch::termSearch_data()
{
    QTest::addColumn<QString>("term");
    QTest::addColumn<QList<int>>("lines"); // of sampleList, from 0
    QTest::newRow("report, any case") << u"report"_s << QList<int>{0, 1};
    QTest::newRow("extension") << u"*.doc"_s << QList<int>{0, 1};
    QTest::newRow("digit") << u"log#"_s << QList<int>{2};
    QTest::newRow("semicolon keeps every line") << u"abc;"_s << QList<int>{0, 1, 2, 3, 4, 5, 6, 7};
    QTest::newRow("spaces only") << u"   "_s << QList<int>{0, 1, 2, 3, 4, 5, 6, 7};
    QTest::newRow("two patterns") << u"q1;logs"_s << QList<int>{0, 3};
    QTest::newRow("space after semicolon trimmed") << u"zz; *photos*"_s << QList<int>{2, 3};
    QTest::newRow("path before the comma only") << u"report.txt"_s << QList<int>{};
    QTest::newRow("status is not the path") << u"recovered"_s << QList<int>{};
    QTest::newRow("line without comma") << u"without"_s << QList<int>{7};
    QTest::newRow("CR LF of a line without comma") << u"comma?"_s << QList<int>{7};
    QTest::newRow("nothing") << u"zzz"_s << QList<int>{};
    QTest::newRow("only a semicolon") << u";"_s << QList<int>{0, 1, 2, 3, 4, 5, 6, 7};
    QTest::newRow("wildcards only") << u"#.jpg"_s << QList<int>{2};
    QTest::newRow("unclosed bracket") << u"a[1"_s << QList<int>{};
    QTest::newRow("a comma in the term") << u"a,b"_s << QList<int>{};
}

void TestListSearch::termSearch()
{
    QFETCH(QString, term);
    QFETCH(QList<int>, lines);
    const QString list = writeFile(sampleList);
    const QString result = m_dir.filePath(u"tFile.csv"_s);
    const SearchOutcome outcome = corvane::termSearch(list, term, result);
    QVERIFY(outcome.complete());
    QVERIFY(outcome.listFound);
    const QStringList all = QString::fromLatin1(sampleList).split(u"\r\n"_s);
    QStringList expected;
    for (int i : lines)
        expected << all[i];
    QCOMPARE(readResult(result), expected);
    QCOMPARE(outcome.matches, lines.size());
}

void TestListSearch::resultFormat()
{
    const QString list = writeFile("A\\x.txt,1,2,3,Ok\nB\\y.txt,1,2,3,Ok");
    const QString result = m_dir.filePath(u"format.csv"_s);
    QVERIFY(corvane::termSearch(list, u"txt"_s, result).complete());
    QFile f(result);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QString text = u"A\\x.txt,1,2,3,Ok\r\nB\\y.txt,1,2,3,Ok\r\n"_s;
    QByteArray expected;
    for (QChar c : text)
        expected.append(char(c.unicode())).append('\0');
    QCOMPARE(f.readAll(), expected);
    // No temporary file is left beside it.
    QCOMPARE(QDir(m_dir.path()).entryList({u".format*"_s}, QDir::Hidden | QDir::Files).size(), 0);
}

// Lower-casing follows the text: Windows-1252 accents, UTF-8, UTF-16LE with
// and UTF-16BE, with and without a byte-order mark, are searched alike and
// written as read.
void TestListSearch::encodings_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("term");
    QTest::addColumn<QStringList>("expected");
    const QString aerger = u"D\\\u00c4rger.txt,1,2,3,Ok"_s;
    QTest::newRow("Windows-1252") << QByteArray("D\\\xC4rger.txt,1,2,3,Ok\r\nD\\b.txt,1,2,3,Ok\r\n")
                                  << u"\u00e4rger"_s << QStringList{aerger};
    QTest::newRow("UTF-8") << (aerger.toUtf8() + "\r\nD\\b.txt,1,2,3,Ok\r\n") << u"\u00e4rger"_s
                           << QStringList{aerger};
    QTest::newRow("UTF-8, upper-case term")
        << (aerger.toUtf8() + "\r\n") << u"\u00c4RGER"_s << QStringList{aerger};
    QTest::newRow("UTF-8 with byte-order mark")
        << (QByteArray("\xEF\xBB\xBF") + "D\\ab.txt,1,2,3,Ok\r\n") << u"d\\a"_s
        << QStringList{u"D\\ab.txt,1,2,3,Ok"_s};
    QTest::newRow("Kelvin sign") << (u"D\\\u212Aelvin.txt,1,2,3,Ok\r\n"_s.toUtf8()) << u"kelvin"_s
                                 << QStringList{u"D\\\u212Aelvin.txt,1,2,3,Ok"_s};
    const QString lines = aerger + u"\r\nD\\b.txt,1,2,3,Ok\r\n"_s;
    QByteArray utf16(reinterpret_cast<const char *>(lines.utf16()), lines.size() * 2);
    QTest::newRow("UTF-16LE") << utf16 << u"\u00e4rger"_s << QStringList{aerger};
    QTest::newRow("UTF-16LE with byte-order mark") << (QByteArray("\xFF\xFE") + utf16) << u"d\\"_s
                                                   << QStringList{aerger, u"D\\b.txt,1,2,3,Ok"_s};
    QByteArray utf16be = utf16;
    for (qsizetype i = 0; i + 1 < utf16be.size(); i += 2)
        std::swap(utf16be[i], utf16be[i + 1]);
    QTest::newRow("UTF-16BE") << utf16be << u"\u00e4rger"_s << QStringList{aerger};
    QTest::newRow("UTF-16BE with byte-order mark") << (QByteArray("\xFE\xFF") + utf16be) << u"d\\"_s
                                                   << QStringList{aerger, u"D\\b.txt,1,2,3,Ok"_s};
    QTest::newRow("ASCII lines before the first accent")
        << (QByteArray(100000, 'x') + ",1\r\n" + aerger.toUtf8() + "\r\n") << u"rger"_s
        << QStringList{aerger};
}

void TestListSearch::encodings()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, term);
    QFETCH(QStringList, expected);
    const QString list = writeFile(bytes);
    const QString result = m_dir.filePath(u"enc.csv"_s);
    const SearchOutcome outcome = corvane::termSearch(list, term, result);
    QVERIFY(outcome.complete());
    QCOMPARE(readResult(result), expected);
}

void TestListSearch::presetFilter_data()
{
    QTest::addColumn<QString>("status");
    QTest::addColumn<QList<int>>("lines");
    QTest::newRow("exact") << u"Recovered"_s << QList<int>{0, 2};
    QTest::newRow("case matters") << u"recovered"_s << QList<int>{};
    QTest::newRow("phrase") << u"Header OK"_s << QList<int>{3};
    QTest::newRow("trailing space") << u"Header OK "_s << QList<int>{};
    QTest::newRow("empty status") << QString() << QList<int>{};
}

void TestListSearch::presetFilter()
{
    QFETCH(QString, status);
    QFETCH(QList<int>, lines);
    const QString list = writeFile(sampleList);
    const QString result = m_dir.filePath(u"filter.csv"_s);
    const SearchOutcome outcome = corvane::presetFilter(list, status, result);
    QVERIFY(outcome.complete());
    const QStringList all = QString::fromLatin1(sampleList).split(u"\r\n"_s);
    QStringList expected;
    for (int i : lines)
        expected << all[i];
    QCOMPARE(readResult(result), expected);
}

void TestListSearch::dateSearch_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QByteArray>("dates"); // one field 1 per line
    QTest::addColumn<QDate>("from");
    QTest::addColumn<QDate>("to");
    QTest::addColumn<QList<int>>("lines");
    const QByteArray lab = "2009-05-11 23:59:59\n2009-05-12 00:00:00\n2009-05-12 14:33:00\n"
                           "2009-05-13 23:59:59\n2009-05-14 00:00:00\n";
    QTest::newRow("From day any time, To day whole")
        << u"en_US"_s << lab << QDate(2009, 5, 12) << QDate(2009, 5, 13) << QList<int>{1, 2, 3};
    QTest::newRow("same day") << u"en_US"_s << lab << QDate(2009, 5, 12) << QDate(2009, 5, 12)
                              << QList<int>{1, 2};
    QTest::newRow("From after To")
        << u"en_US"_s << lab << QDate(2009, 5, 13) << QDate(2009, 5, 12) << QList<int>{};
    QTest::newRow("en_US form") << u"en_US"_s << QByteArray("5/12/2009 2:33 PM\n5/13/2009\n")
                                << QDate(2009, 5, 12) << QDate(2009, 5, 12) << QList<int>{0};
    QTest::newRow("de_DE form") << u"de_DE"_s << QByteArray("12.05.2009\n13.05.2009 10:00\n")
                                << QDate(2009, 5, 12) << QDate(2009, 5, 12) << QList<int>{0};
    QTest::newRow("lab form in de_DE") << u"de_DE"_s << QByteArray("2009-05-12 10:00:00\n")
                                       << QDate(2009, 5, 12) << QDate(2009, 5, 12) << QList<int>{0};
    QTest::newRow("empty and nonsense are no match")
        << u"en_US"_s << QByteArray("\nnonsense\n99/99/9999\n2009-05-12\n") << QDate(2000, 1, 1)
        << QDate(2020, 1, 1) << QList<int>{3};
    // A day the calendar does not have cannot be read: no match, whatever
    // the range.
    QTest::newRow("impossible days are no match")
        << u"en_US"_s
        << QByteArray("2009-02-31 10:00:00\n2009-04-31\n2029-02-29 00:00:00\n2/30/2009\n"
                      "2028-02-29 12:00:00\n2009-02-28\n")
        << QDate(2000, 1, 1) << QDate(2040, 1, 1) << QList<int>{4, 5};
    QTest::newRow("31st of a short month in de_DE")
        << u"de_DE"_s << QByteArray("31.06.2009\n30.06.2009\n") << QDate(2009, 6, 1)
        << QDate(2009, 7, 31) << QList<int>{1};
}

void TestListSearch::dateSearch()
{
    QFETCH(QString, locale);
    QFETCH(QByteArray, dates);
    QFETCH(QDate, from);
    QFETCH(QDate, to);
    QFETCH(QList<int>, lines);
    QByteArray list;
    QStringList all;
    int n = 0;
    for (const QByteArray &date : dates.split('\n')) {
        if (n >= dates.count('\n'))
            break;
        const QByteArray line = "D\\f" + QByteArray::number(n++) + ".txt," + date + ",1,32;A,Ok";
        list += line + "\r\n";
        all << QString::fromLatin1(line);
    }
    // A line without any date field is no match either.
    list += "D\\nodate.txt\r\n";
    const QString path = writeFile(list);
    const QString result = m_dir.filePath(u"dates.csv"_s);
    const SearchOutcome outcome = corvane::dateSearch(path, from, to, QLocale(locale), result);
    QVERIFY(outcome.complete());
    QStringList expected;
    for (int i : lines)
        expected << all[i];
    QCOMPARE(readResult(result), expected);
}

// Bad list contents: the search ends, nothing crashes, lines are kept whole.
void TestListSearch::badInput_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("term");
    QTest::addColumn<int>("matches");
    QTest::newRow("NUL bytes") << QByteArray("D\\a\0b.txt,1\r\nD\\c.txt,1\r\n", 24) << u"a?b"_s
                               << 1;
    QTest::newRow("invalid bytes")
        << QByteArray("D\\\xFF\xFE\x81.txt,1\r\nD\\c.txt,1\r\n") << u"*.txt"_s << 2;
    QTest::newRow("50 MB line") << (QByteArray("D\\") + QByteArray(50 << 20, 'a') +
                                    "b,1\r\nx,1\r\n")
                                << u"ab"_s << 1;
    QTest::newRow("hostile pattern on a 1 MB path")
        << (QByteArray(1 << 20, 'a') + ",1\r\n") << u"*a*a*a*a*a*a*b"_s << 0;
    QTest::newRow("term of 10,000 characters")
        << (QByteArray(20000, 'a') + ",1\r\n") << QString(10000, u'a') << 1;
    QTest::newRow("empty file") << QByteArray() << u"*"_s << 0;
    QTest::newRow("only line ends") << QByteArray("\r\n\n\r") << u"*"_s << 3;
}

void TestListSearch::badInput()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, term);
    QFETCH(int, matches);
    const QString list = writeFile(bytes);
    const QString result = m_dir.filePath(u"bad.csv"_s);
    const SearchOutcome outcome = corvane::termSearch(list, term, result);
    QVERIFY(outcome.complete());
    QCOMPARE(outcome.matches, matches);
    QCOMPARE(readResult(result).size(), matches);
    QFile::remove(list);
}

// No list at the path: no match, and an empty result file to load.
void TestListSearch::missingList()
{
    const QString result = m_dir.filePath(u"missing-result.csv"_s);
    const SearchOutcome outcome =
        corvane::termSearch(m_dir.filePath(u"no-such-list.csv"_s), u"a"_s, result);
    QVERIFY(!outcome.listFound);
    QVERIFY(outcome.complete());
    QCOMPARE(outcome.matches, 0);
    QVERIFY(QFile::exists(result));
    QCOMPARE(QFileInfo(result).size(), 0);
}

void TestListSearch::listIsAFolder()
{
    const SearchOutcome outcome =
        corvane::termSearch(m_dir.path(), u"a"_s, m_dir.filePath(u"folder-result.csv"_s));
    QVERIFY(!outcome.listFound);
    QVERIFY(!outcome.error.isEmpty());
}

// A data folder that cannot take the file: the failure is reported and the
// previous result stays.
void TestListSearch::resultCannotBeCreated()
{
    const QString list = writeFile(sampleList);
    const QString notAFolder = writeFile("x");
    const SearchOutcome outcome =
        corvane::termSearch(list, u"report"_s, notAFolder + u"/tFile.csv"_s);
    QCOMPARE(outcome.failure, SearchOutcome::Failure::ResultNotCreated);
    QVERIFY(!outcome.error.isEmpty());
    QCOMPARE(outcome.matches, 0);
}

// A full disk: the lines that could not be written are not counted, the
// failure is reported, and the previous result file is left as it was.
void TestListSearch::resultCannotBeWritten()
{
    QByteArray big;
    for (int i = 0; i < 200000; ++i)
        big += "Data\\Reports\\file" + QByteArray::number(i) + ".doc,1,2,3,Ok\r\n";
    const QString list = writeFile(big);
    const QString result = m_dir.filePath(u"full.csv"_s);
    {
        QFile old(result);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("old", 3);
    }
    rlimit saved{};
    QVERIFY(getrlimit(RLIMIT_FSIZE, &saved) == 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 3 << 20;
    QVERIFY(setrlimit(RLIMIT_FSIZE, &small) == 0);
    const SearchOutcome outcome = corvane::termSearch(list, u"report"_s, result);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    QCOMPARE(outcome.failure, SearchOutcome::Failure::ResultNotWritten);
    QVERIFY(!outcome.error.isEmpty());
    QVERIFY(outcome.matches < 200000);
    QVERIFY(outcome.matches > 0);
    QFile f(result);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), QByteArray("old"));
}

// A result file opened as the list is a UTF-16LE list like any other; its
// own search never overwrites it.
void TestListSearch::resultOpenedAsList()
{
    const QString list = writeFile(sampleList);
    const QString data = m_dir.filePath(u"data"_s);
    QVERIFY(QDir().mkpath(data));
    const QString first = resultFilePathFor(data, list);
    QCOMPARE(first, resultFilePath(data));
    QVERIFY(corvane::termSearch(list, u"data"_s, first).complete());
    const QString second = resultFilePathFor(data, first);
    QVERIFY(second != first);
    const SearchOutcome outcome = corvane::termSearch(first, u"report"_s, second);
    QVERIFY(outcome.complete());
    QCOMPARE(outcome.matches, 2);
    QCOMPARE(readResult(first).size(), 6);
    const SearchOutcome refused = corvane::termSearch(first, u"report"_s, first);
    QCOMPARE(refused.failure, SearchOutcome::Failure::ResultNotCreated);
    QCOMPARE(readResult(first).size(), 6);
}

void TestListSearch::stopGivesUp()
{
    const QString list = writeFile(sampleList);
    const QString result = m_dir.filePath(u"stopped.csv"_s);
    QFile::remove(result);
    std::atomic<bool> stop{true};
    SearchOptions options;
    options.stop = &stop;
    const SearchOutcome outcome = corvane::termSearch(list, u"*"_s, result, options);
    QVERIFY(outcome.stopped);
    QVERIFY(!QFile::exists(result));
}

// Lines cut by the reader's reads (1 MiB each) are handed out whole, and CR LF
// split across two reads is one line end.
void TestListSearch::lineEndsAcrossPieces_data()
{
    QTest::addColumn<int>("shift");
    QTest::newRow("CR LF on the boundary") << 0;
    QTest::newRow("CR last in a piece") << 1;
    QTest::newRow("boundary inside a line") << 7;
}

void TestListSearch::lineEndsAcrossPieces()
{
    QFETCH(int, shift);
    const qsizetype piece = 4 << 20;
    QByteArray bytes;
    const QByteArray line = "D\\x.txt,1\r\n";
    while (bytes.size() + line.size() < piece - shift - 1)
        bytes += line;
    const qsizetype pad = piece - shift - 1 - bytes.size();
    bytes += "D\\" + QByteArray(pad, 'p') + "\r\n";
    bytes += "D\\target.txt,1\r\nD\\x.txt,1\n\rD\\last";
    const QString list = writeFile(bytes);
    const QString result = m_dir.filePath(u"pieces.csv"_s);
    const SearchOutcome outcome = corvane::termSearch(list, u"*"_s, result);
    QVERIFY(outcome.complete());
    const qsizetype expected = bytes.count("\r\n") + 3; // "\n", "\r" and the last line
    QCOMPARE(qsizetype(outcome.matches), expected);
    const SearchOutcome target = corvane::termSearch(list, u"target"_s, result);
    QCOMPARE(target.matches, 1);
    QFile::remove(list);
}

void TestListSearch::statusWords()
{
    const QByteArray bytes = "a,1,2,3,Recovered\nb,1,2,3,Damaged\nc,1,2,3,Recovered\n"
                             "d,1,2,3,Recovered,x\ne,1,2\nf,1,2,3,\xC4nderung\n";
    const auto words = collectStatusWords(bytes, ListEncoding::Windows1252, 10);
    QCOMPARE(words.size(), 3);
    QCOMPARE(words[0], std::make_pair(u"Recovered"_s, qint64(2)));
    QCOMPARE(words[1].first, u"Damaged"_s);
    QCOMPARE(words[2].first, u"\u00c4nderung"_s);
    QCOMPARE(collectStatusWords(bytes, ListEncoding::Windows1252, 1).size(), 1);
}

// A list truncated while it is searched ends the pass with a reason instead
// of a result that looks complete.
void TestListSearch::listShrinksWhileSearched()
{
    QByteArray bytes;
    while (bytes.size() < (12 << 20))
        bytes += "Data\\Reports\\file.doc,1,2,3,Ok\r\n";
    const QString list = writeFile(bytes);
    ListChunkReader reader;
    QVERIFY(reader.open(list));
    QVERIFY(!reader.next().isEmpty());
    QVERIFY(QFile::resize(list, 1 << 20));
    while (!reader.next().isEmpty()) {
    }
    QVERIFY(!reader.error().isEmpty());
    // Deleted while it is searched: the open file is read to its end.
    ListChunkReader deleted;
    QVERIFY(deleted.open(writeFile(bytes)));
    QVERIFY(QFile::remove(m_dir.filePath(u"list%1.csv"_s.arg(m_files))));
    qint64 total = 0;
    for (QByteArrayView piece = deleted.next(); !piece.isEmpty(); piece = deleted.next())
        total += piece.size();
    QCOMPARE(total, bytes.size());
    QVERIFY(deleted.error().isEmpty());
    QFile::remove(list);
}

// The loader and the searches tell a file that changed while it was read by
// one rule: the same change gives the same verdict to both readers.
void TestListSearch::oneChangeRule_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<bool>("changed");
    QTest::newRow("unchanged") << u"none"_s << false;
    QTest::newRow("grown") << u"grow"_s << true;
    QTest::newRow("cut after a line") << u"cut"_s << true;
    QTest::newRow("rewritten in place") << u"touch"_s << true;
    // Its size is 0 until it is read: a file the system makes as it is read.
    QTest::newRow("size unknown ahead (/proc)") << u"proc"_s << true;
}

void TestListSearch::oneChangeRule()
{
    QFETCH(QString, change);
    QFETCH(bool, changed);
    const QByteArray line = "Data\\Reports\\file.doc,1,2,3,Ok\r\n";
    QByteArray bytes;
    while (bytes.size() < (12 << 20))
        bytes += line;
    // Only ever read: the test's own map of its memory.
    const bool proc = change == u"proc"_s;
    const QString path = proc ? u"/proc/self/maps"_s : writeFile(bytes);
    auto makeChange = [&] {
        const QByteArray native = QFile::encodeName(path);
        if (change == u"grow"_s) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::Append));
            f.write(line);
        } else if (change == u"cut"_s) {
            QVERIFY(::truncate(native.constData(), 10 * line.size()) == 0);
        } else if (change == u"touch"_s) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::ReadWrite));
            QVERIFY(f.seek(8 << 20));
            f.write("X");
            f.setFileTime(QDateTime::currentDateTime().addSecs(5),
                          QFileDevice::FileModificationTime);
        }
    };
    auto restore = [&] {
        if (proc)
            return;
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    };

    bool once = false;
    const ListBytes loaded = readListFile(path, [&](qint64, qint64) {
        if (!once)
            makeChange();
        once = true;
        return true;
    });
    QCOMPARE(loaded.changedWhileRead, changed);
    restore();

    ListChunkReader reader;
    QVERIFY(reader.open(path));
    QVERIFY(!reader.next().isEmpty() || proc);
    makeChange();
    while (!reader.next().isEmpty()) {
    }
    QCOMPARE(reader.error(), changed ? changedWhileReadText() : QString());
    restore();

    // The search fails by the same rule, and leaves no result.
    const QString result = m_dir.filePath(u"changed.csv"_s);
    QFile::remove(result);
    const SearchOutcome outcome = corvane::termSearch(path, u"*"_s, result);
    if (!changed) {
        QVERIFY(outcome.complete());
        QCOMPARE(qsizetype(outcome.matches), bytes.count('\n'));
    } else if (proc) {
        QCOMPARE(outcome.failure, SearchOutcome::Failure::ListUnreadable);
        QCOMPARE(outcome.error, changedWhileReadText());
        QVERIFY(!QFile::exists(result));
    }
    if (!proc)
        QFile::remove(path);
}

// However long a line, the search reads each byte a bounded number of times
// and holds at most one line of the longest length a list may have: a longer
// run without a line end (a sparse file of zeros) is refused, as the loader
// refuses it.
void TestListSearch::longLines_data()
{
    QTest::addColumn<QByteArray>("head");
    QTest::addColumn<qint64>("run"); // zero bytes after head (a sparse file), then tail
    QTest::addColumn<QByteArray>("tail");
    QTest::addColumn<bool>("refused");
    const QByteArray two = "D\\x.txt,1\r\nD\\y.txt,1\r\n";
    QTest::newRow("1 GB of zeros") << QByteArray() << (qint64(1) << 30) << QByteArray() << true;
    QTest::newRow("lines, then 1 GB of zeros") << two << (qint64(1) << 30) << QByteArray() << true;
    QTest::newRow("one line of 256 MB")
        << "D\\"_ba << qint64(MaxListLineBytes - 4) << ",1\r\n"_ba << false;
}

void TestListSearch::longLines()
{
    QFETCH(QByteArray, head);
    QFETCH(qint64, run);
    QFETCH(QByteArray, tail);
    QFETCH(bool, refused);
    const QString list = m_dir.filePath(u"long.csv"_s);
    {
        QFile f(list);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(head);
        QVERIFY(f.resize(head.size() + run)); // sparse: no disk space
        QVERIFY(f.seek(head.size() + run));
        f.write(tail);
    }
    ListChunkReader reader;
    QVERIFY(reader.open(list));
    qint64 handedOut = 0;
    for (QByteArrayView piece = reader.next(); !piece.isEmpty(); piece = reader.next())
        handedOut += piece.size();
    QCOMPARE(reader.error(), refused ? lineTooLongText() : QString());
    QCOMPARE(handedOut, refused ? head.size() : QFileInfo(list).size());
    QVERIFY2(reader.largestBuffer() <= MaxListLineBytes + (8 << 20),
             qPrintable(QString::number(reader.largestBuffer())));

    // A term found nowhere: the long line is looked through, not written.
    const QString result = m_dir.filePath(u"long-result.csv"_s);
    const SearchOutcome outcome = corvane::termSearch(list, u"zzz"_s, result);
    QCOMPARE(outcome.failure,
             refused ? SearchOutcome::Failure::ListUnreadable : SearchOutcome::Failure::None);
    QCOMPARE(outcome.error, refused ? lineTooLongText() : QString());
    QCOMPARE(outcome.matches, 0);
    QFile::remove(list);
}

QTEST_GUILESS_MAIN(TestListSearch)
#include "tst_listsearch.moc"
