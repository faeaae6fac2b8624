#include "checklist/CheckList.h"
#include "listfile/ListText.h"
#include "search/ListSearch.h"
#include "search/WildcardPattern.h"
#include "status/StatusClasses.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using namespace Qt::Literals::StringLiterals;
using namespace corvane;

Q_DECLARE_METATYPE(CheckVerdict)

namespace {

QByteArray lineOf(const QByteArray &path, const QByteArray &status)
{
    return path + ",2020-01-01 10:00:00,100,32;AB," + status + "\r\n";
}

QByteArray toCp1252(const QString &text)
{
    return encodeListText(text, ListEncoding::Windows1252);
}

// Counts the lines a criterion hands over.
class CountSink final : public MatchSink
{
public:
    bool add(QByteArrayView, ListEncoding) override { return ++m_lines, true; }
    bool finish() override { return true; }
    qint64 linesKept() const override { return m_lines; }
    QString error() const override { return {}; }

private:
    qint64 m_lines = 0;
};

// The check of one entry done the slow way: every line decoded, its path
// lower-cased and matched by the pattern directly.
struct NaiveResult
{
    qint64 matches = 0;
    CheckVerdict verdict = CheckVerdict::Missing;
    QString bestPath;
};

NaiveResult naiveCheck(const QString &text, const QString &entry)
{
    const WildcardPattern pattern(checkEntryPattern(entry));
    NaiveResult result;
    int bestRank = 4;
    const QStringList lines = text.split(u"\r\n"_s);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString &line = lines[i];
        if (i + 1 == lines.size() && line.isEmpty())
            break; // after the last line end
        const qsizetype comma = line.indexOf(u',');
        QString subject = (comma < 0 ? line : line.first(comma)).toLower();
        if (comma < 0)
            subject += u"\r\n"_s;
        if (!pattern.matches(subject))
            continue;
        ++result.matches;
        const QStringList fields = line.split(u',');
        StatusClass cls = StatusClass::Unknown;
        if (fields.size() == 5)
            cls = classifyStatus(fields[4]);
        const int rank = cls == StatusClass::Good      ? 0
                         : cls == StatusClass::Partial ? 1
                         : cls == StatusClass::Unknown ? 2
                                                       : 3;
        if (rank < bestRank) {
            bestRank = rank;
            result.bestPath = comma < 0 ? line : line.first(comma);
        }
    }
    result.verdict = bestRank == 0   ? CheckVerdict::Recovered
                     : bestRank == 1 ? CheckVerdict::Partial
                     : bestRank == 4 ? CheckVerdict::Missing
                                     : CheckVerdict::Damaged;
    return result;
}

} // namespace

// "Check my files": the entries of a check list, the verdicts, the one-pass
// matching against the term search's, and bad input.
class TestCheckList : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void entries_data();
    void entries();
    void readEntries_data();
    void readEntries();
    void unreadableCheckList_data();
    void unreadableCheckList();
    void verdicts_data();
    void verdicts();
    void matching_data();
    void matching();
    void csv_data();
    void csv();
    void badInput_data();
    void badInput();
    void checkListIsTheList();
    void missingList();
    void agreesWithTermSearchOverManyPieces();
    void agreesWithNaiveLoop_data();
    void agreesWithNaiveLoop();
    void statusWordsOfAList();

private:
    QString writeFile(const QByteArray &bytes);
    QTemporaryDir m_dir;
    int m_files = 0;
};

void TestCheckList::initTestCase()
{
    QVERIFY(m_dir.isValid());
}

QString TestCheckList::writeFile(const QByteArray &bytes)
{
    const QString path = m_dir.filePath(u"f%1.csv"_s.arg(++m_files));
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        return {};
    return path;
}

void TestCheckList::entries_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("trimmed, comments, empty lines")
        << u"  Diplomarbeit  \r\n# a comment\n   # indented comment\n\n    \n*.pst\rIMG_2019*"_s
        << QStringList{u"Diplomarbeit"_s, u"*.pst"_s, u"IMG_2019*"_s};
    QTest::newRow("semicolon kept") << u"a;b\n;\n"_s << QStringList{u"a;b"_s, u";"_s};
    QTest::newRow("a tab is part of the entry") << u"\tx \n"_s << QStringList{u"\tx"_s};
    QTest::newRow("hash inside") << u"Foto #1\n"_s << QStringList{u"Foto #1"_s};
    QTest::newRow("nothing") << u"\r\n\r\n  \n"_s << QStringList{};
    QTest::newRow("CR CR LF") << u"a\r\r\nb"_s << QStringList{u"a"_s, u"b"_s};
}

void TestCheckList::entries()
{
    QFETCH(QString, text);
    QFETCH(QStringList, expected);
    QCOMPARE(checkEntries(text), expected);
}

// A check list file read as lists are read.
void TestCheckList::readEntries_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("expected");
    const QStringList umlauts{u"Größe"_s, u"Ärger"_s};
    QTest::newRow("Windows-1252") << QByteArray("Gr\xF6\xDF"
                                                "e\r\n\xC4rger\r\n")
                                  << umlauts;
    QTest::newRow("UTF-8") << u"Größe\nÄrger\n"_s.toUtf8() << umlauts;
    QTest::newRow("UTF-8 with BOM")
        << QByteArray("\xEF\xBB\xBF") + u"Größe\rÄrger"_s.toUtf8() << umlauts;
    QStringEncoder le(QStringEncoder::Utf16LE, QStringEncoder::Flag::WriteBom);
    QByteArray utf16le = le(u"Größe\r\nÄrger\r\n"_s);
    QTest::newRow("UTF-16LE with BOM") << utf16le << umlauts;
    QStringEncoder be(QStringEncoder::Utf16BE, QStringEncoder::Flag::WriteBom);
    QByteArray utf16be = be(u"Größe\r\nÄrger\r\n"_s);
    QTest::newRow("UTF-16BE with BOM") << utf16be << umlauts;
    QTest::newRow("NUL bytes") << QByteArray("a\0b\n\0\n", 6)
                               << QStringList{u"a\u0000b"_s, u"\u0000"_s};
    QTest::newRow("empty file") << QByteArray() << QStringList{};
}

void TestCheckList::readEntries()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, expected);
    QStringList entries{u"stale"_s};
    QString error;
    QVERIFY2(readCheckEntries(writeFile(bytes), &entries, &error), qPrintable(error));
    QCOMPARE(entries, expected);
}

void TestCheckList::unreadableCheckList_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("reason");
    QTest::newRow("missing") << u"missing"_s << u"the file does not exist"_s;
    QTest::newRow("folder") << u"folder"_s << u"it is a folder"_s;
    QTest::newRow("FIFO") << u"fifo"_s << u"not a regular file"_s;
    QTest::newRow("no read permission") << u"unreadable"_s << QString();
}

void TestCheckList::unreadableCheckList()
{
    QFETCH(QString, kind);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(u"check.txt"_s);
    if (kind == u"folder"_s) {
        QVERIFY(QDir(dir.path()).mkdir(u"check.txt"_s));
    } else if (kind == u"fifo"_s) {
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    } else if (kind == u"unreadable"_s) {
        if (::geteuid() == 0)
            QSKIP("root reads every file");
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("a\n");
        f.close();
        QVERIFY(f.setPermissions(QFileDevice::WriteOwner));
    }
    QStringList entries{u"stale"_s};
    QString error;
    QVERIFY(!readCheckEntries(path, &entries, &error));
    QVERIFY(entries.isEmpty());
    QVERIFY2(!error.isEmpty() && !error.contains(u'\n'), qPrintable(error));
    if (!reason.isEmpty())
        QVERIFY2(error.contains(reason), qPrintable(error));
}

void TestCheckList::verdicts_data()
{
    QTest::addColumn<QByteArray>("list");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<CheckVerdict>("verdict");
    QTest::addColumn<qint64>("matches");
    QTest::addColumn<QString>("bestPath");
    QTest::addColumn<QString>("bestStatus");
    const QByteArray other = lineOf("D\\other.txt", "Recovered");
    QTest::newRow("good") << other + lineOf("D\\a.doc", "Recovered") << u"a.doc"_s
                          << CheckVerdict::Recovered << qint64(1) << u"D\\a.doc"_s
                          << u"Recovered"_s;
    QTest::newRow("good, another language and case")
        << lineOf("D\\a.doc", " wiederhergestellt") << u"A.DOC"_s << CheckVerdict::Recovered
        << qint64(1) << u"D\\a.doc"_s << u" wiederhergestellt"_s;
    QTest::newRow("partial") << lineOf("D\\a.doc", "Partial") << u"a.doc"_s << CheckVerdict::Partial
                             << qint64(1) << u"D\\a.doc"_s << u"Partial"_s;
    QTest::newRow("bad") << lineOf("D\\a.doc", "Overwritten") << u"a.doc"_s << CheckVerdict::Damaged
                         << qint64(1) << u"D\\a.doc"_s << u"Overwritten"_s;
    QTest::newRow("unknown word") << lineOf("D\\a.doc", "Frobbed") << u"a.doc"_s
                                  << CheckVerdict::Damaged << qint64(1) << u"D\\a.doc"_s
                                  << u"Frobbed"_s;
    QTest::newRow("four fields: no status")
        << QByteArray("D\\a.doc,1,2,3\r\n") << u"a.doc"_s << CheckVerdict::Damaged << qint64(1)
        << u"D\\a.doc"_s << QString();
    QTest::newRow("six fields: no status")
        << QByteArray("D\\a.doc,1,2,3,Recovered,x\r\n") << u"a.doc"_s << CheckVerdict::Damaged
        << qint64(1) << u"D\\a.doc"_s << QString();
    QTest::newRow("none") << other << u"a.doc"_s << CheckVerdict::Missing << qint64(0) << QString()
                          << QString();
    QTest::newRow("bad, then good")
        << lineOf("D\\1\\a.doc", "Damaged") + lineOf("D\\2\\a.doc", "Recovered") << u"a.doc"_s
        << CheckVerdict::Recovered << qint64(2) << u"D\\2\\a.doc"_s << u"Recovered"_s;
    QTest::newRow("bad, partial, good, partial")
        << lineOf("D\\1\\a.doc", "Damaged") + lineOf("D\\2\\a.doc", "Partial") +
               lineOf("D\\3\\a.doc", "OK") + lineOf("D\\4\\a.doc", "Partial")
        << u"a.doc"_s << CheckVerdict::Recovered << qint64(4) << u"D\\3\\a.doc"_s << u"OK"_s;
    QTest::newRow("unknown ranks above bad")
        << lineOf("D\\1\\a.doc", "Damaged") + lineOf("D\\2\\a.doc", "Not checked") +
               lineOf("D\\3\\a.doc", "Frobbed")
        << u"a.doc"_s << CheckVerdict::Damaged << qint64(3) << u"D\\2\\a.doc"_s << u"Not checked"_s;
    QTest::newRow("first of the best class in file order")
        << lineOf("D\\1\\a.doc", "Partial") + lineOf("D\\2\\a.doc", "Partially recovered")
        << u"a.doc"_s << CheckVerdict::Partial << qint64(2) << u"D\\1\\a.doc"_s << u"Partial"_s;
    QTest::newRow("only the path is looked at")
        << lineOf("D\\x.txt", "a.doc") << u"a.doc"_s << CheckVerdict::Missing << qint64(0)
        << QString() << QString();
    QTest::newRow("Windows-1252 path and status decoded")
        << lineOf("D\\\xC4rger.doc", "R\xE9"
                                     "cup\xE9r\xE9")
        << u"ärger"_s << CheckVerdict::Recovered << qint64(1) << u"D\\Ärger.doc"_s << u"Récupéré"_s;
    QTest::newRow("UTF-8 path and status decoded")
        << lineOf(u"D\\Ärger.doc"_s.toUtf8(), u"Récupéré"_s.toUtf8()) << u"ärger"_s
        << CheckVerdict::Recovered << qint64(1) << u"D\\Ärger.doc"_s << u"Récupéré"_s;
}

void TestCheckList::verdicts()
{
    QFETCH(QByteArray, list);
    QFETCH(QString, entry);
    QFETCH(CheckVerdict, verdict);
    QFETCH(qint64, matches);
    QFETCH(QString, bestPath);
    QFETCH(QString, bestStatus);
    const CheckOutcome outcome = checkList(writeFile(list), {entry});
    QVERIFY(outcome.complete());
    QVERIFY(outcome.listFound);
    QCOMPARE(outcome.results.size(), 1);
    const CheckEntryResult &r = outcome.results.first();
    QCOMPARE(checkVerdictName(r.verdict), checkVerdictName(verdict));
    QCOMPARE(r.matches, matches);
    QCOMPARE(r.bestPath, bestPath);
    QCOMPARE(r.bestStatus, bestStatus);
}

// Which lines an entry matches, in both encodings; the criterion for the
// window's "show the matches" finds the same lines.
void TestCheckList::matching_data()
{
    QTest::addColumn<QByteArray>("list");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<qint64>("matches");
    const QByteArray ascii = lineOf("D\\ax.txt", "OK") + lineOf("D\\bx.txt", "OK") +
                             lineOf("D\\dx.txt", "OK") + lineOf("D\\a;b.txt", "OK") +
                             lineOf("D\\Foto 12.jpg", "OK");
    for (const bool utf8 : {false, true}) {
        auto enc = [&](const QString &text) { return utf8 ? text.toUtf8() : toCp1252(text); };
        const QByteArray list =
            ascii + lineOf(enc(u"D\\Ärger.txt"_s), "OK") + lineOf(enc(u"D\\GRÖSSE.txt"_s), "OK");
        const char *tag = utf8 ? "UTF-8" : "Windows-1252";
        QTest::addRow("%s: star", tag) << list << u"*"_s << qint64(7);
        QTest::addRow("%s: stars", tag) << list << u"***"_s << qint64(7);
        QTest::addRow("%s: question mark", tag) << list << u"?"_s << qint64(7);
        QTest::addRow("%s: class", tag) << list << u"[a-c]x"_s << qint64(2);
        QTest::addRow("%s: negated class", tag) << list << u"\\[!a-c]x"_s << qint64(1);
        QTest::addRow("%s: digits", tag) << list << u"## ."_s << qint64(0);
        QTest::addRow("%s: digits and dot", tag) << list << u"##.jpg"_s << qint64(1);
        QTest::addRow("%s: semicolon inside", tag) << list << u"a;b"_s << qint64(1);
        QTest::addRow("%s: semicolon alone", tag) << list << u";"_s << qint64(1);
        QTest::addRow("%s: semicolon not a separator", tag) << list << u"ax;bx"_s << qint64(0);
        QTest::addRow("%s: umlaut, other case", tag) << list << u"ärger"_s << qint64(1);
        QTest::addRow("%s: umlaut upper case", tag) << list << u"GRÖSSE"_s << qint64(1);
        QTest::addRow("%s: umlaut in a class", tag) << list << u"gr[ö]sse"_s << qint64(1);
        QTest::addRow("%s: anchored start", tag) << list << u"d\\a*"_s << qint64(2);
        QTest::addRow("%s: no such", tag) << list << u"zzz"_s << qint64(0);
        QTest::addRow("%s: a pasted list line", tag)
            << list << QString::fromLatin1(lineOf("D\\ax.txt", "OK").trimmed()) << qint64(1);
    }
    // The Kelvin sign lower-cases to "k": a scan of the bytes for "k" alone
    // would miss it.
    const QByteArray kelvin = lineOf(u"D\\\u212Aarte.txt"_s.toUtf8(), "OK") +
                              lineOf(u"D\\karte.txt"_s.toUtf8(), "OK") +
                              lineOf(u"D\\Ärger.txt"_s.toUtf8(), "OK");
    QTest::newRow("UTF-8: Kelvin sign") << kelvin << u"karte"_s << qint64(2);
    QTest::newRow("UTF-8: Kelvin sign entry") << kelvin << u"\u212Aarte"_s << qint64(2);
    QTest::newRow("a line without a comma, whole")
        << QByteArray("D\\plain.txt\r\nD\\x,1\r\n") << u"plain.txt"_s << qint64(1);
    QTest::newRow("a line without a comma, its CR LF")
        << QByteArray("D\\plain.txt\nD\\x,1\n") << u"txt\r\n"_s << qint64(1);
    QTest::newRow("lone CR line ends")
        << QByteArray("D\\a.txt,1\rD\\b.txt,1\r") << u".txt"_s << qint64(2);
    QTest::newRow("NUL bytes in the list")
        << QByteArray("D\\a\0b.txt", 9) + ",1,2,3,OK\r\nD\\ab.txt,1,2,3,OK\r\n"
        << u"a?b"_s << qint64(1);
}

void TestCheckList::matching()
{
    QFETCH(QByteArray, list);
    QFETCH(QString, entry);
    QFETCH(qint64, matches);
    const QString path = writeFile(list);
    const CheckOutcome outcome = checkList(path, {entry, u"zzz-unrelated"_s});
    QVERIFY(outcome.complete());
    QCOMPARE(outcome.results.size(), 2);
    QCOMPARE(outcome.results[0].matches, matches);
    QCOMPARE(outcome.results[1].matches, qint64(0));

    CountSink sink;
    const auto criterion = checkEntryCriterion(entry);
    QVERIFY(searchList(path, *criterion, sink).complete());
    QCOMPARE(sink.linesKept(), matches);

    // An entry without ";" is what the term search makes of it (a pasted
    // list line aside, which the term search cannot match).
    if (!entry.contains(u';') && !entry.contains(u',')) {
        CountSink termSink;
        QVERIFY(searchList(path, *termCriterion(entry), termSink).complete());
        QCOMPARE(termSink.linesKept(), matches);
    }
}

void TestCheckList::csv_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("bestPath");
    QTest::addColumn<QByteArray>("line");
    QTest::newRow("plain") << u"a.doc"_s << u"D\\a.doc"_s
                           << QByteArray("a.doc,recovered,3,D\\a.doc,OK\r\n");
    QTest::newRow("comma") << u"a,b"_s << u"D\\a"_s
                           << QByteArray("\"a,b\",recovered,3,D\\a,OK\r\n");
    QTest::newRow("quote") << u"say \"hi\""_s << QString()
                           << QByteArray("\"say \"\"hi\"\"\",recovered,3,,OK\r\n");
    QTest::newRow("line ends") << u"a\rb"_s << u"x\ny"_s
                               << QByteArray("\"a\rb\",recovered,3,\"x\ny\",OK\r\n");
    QTest::newRow("UTF-8") << u"Größe"_s << u"D\\Größe"_s
                           << u"Größe,recovered,3,D\\Größe,OK\r\n"_s.toUtf8();
}

void TestCheckList::csv()
{
    QFETCH(QString, entry);
    QFETCH(QString, bestPath);
    QFETCH(QByteArray, line);
    CheckEntryResult result;
    result.verdict = CheckVerdict::Recovered;
    result.matches = 3;
    result.bestPath = bestPath;
    result.bestStatus = u"OK"_s;
    const QByteArray header = "entry,verdict,matches,best path,best status\r\n";
    QCOMPARE(checkResultsCsv({entry}, {result}), header + line);
    CheckEntryResult missing;
    QCOMPARE(checkResultsCsv({u"x"_s}, {missing}), header + "x,missing,0,,\r\n");
}

// Bad input: a result for every entry, no crash, no hang.
void TestCheckList::badInput_data()
{
    QTest::addColumn<QByteArray>("list");
    QTest::addColumn<QByteArray>("checkList");
    QTest::addColumn<QString>("summary"); // entries recovered partial damaged missing
    QByteArray names;
    QByteArray many;
    for (int i = 0; i < 1000; ++i)
        names += lineOf("D\\file" + QByteArray::number(i) + ".txt", i % 2 ? "OK" : "Damaged");
    for (int i = 0; i < 100000; ++i)
        many += "file" + QByteArray::number(i) + ".txt\n";
    QTest::newRow("100,000 entries") << names << many << u"100000 500 0 500 99000"_s;
    QTest::newRow("an entry of 10,000 characters")
        << names + lineOf("D\\" + QByteArray(10000, 'x'), "OK") << QByteArray(10000, 'x')
        << u"1 1 0 0 0"_s;
    QTest::newRow("a wildcard entry of 10,000 characters")
        << names + lineOf("D\\" + QByteArray(10000, 'x'), "OK") << QByteArray(5000, '?') + "x*x"
        << u"1 1 0 0 0"_s;
    QTest::newRow("only stars") << names << QByteArray("*\n**\n") << u"2 2 0 0 0"_s;
    QTest::newRow("only spaces") << names << QByteArray("   \n \n") << u"0 0 0 0 0"_s;
    QTest::newRow("only semicolons") << names << QByteArray(";\n;;\n") << u"2 0 0 0 2"_s;
    QByteArray binary;
    QRandomGenerator random(7);
    for (int i = 0; i < 20000; ++i)
        binary += char(random.bounded(256));
    QTest::newRow("binary check list") << names << binary << QString();
    QTest::newRow("NUL bytes") << names + QByteArray("D\\n\0l.txt,1,2,3,OK\r\n", 20)
                               << QByteArray("n\0l\n\0\n", 6) << u"2 2 0 0 0"_s;
    QByteArray unknown;
    for (int i = 0; i < 1000; ++i)
        unknown +=
            lineOf("D\\file" + QByteArray::number(i) + ".txt", "Word" + QByteArray::number(i));
    QTest::newRow("an unknown status word on every line")
        << unknown << QByteArray("file1\nfile999.txt\nnope\n") << u"3 0 0 2 1"_s;
    QTest::newRow("an empty list") << QByteArray() << QByteArray("a\n*\n") << u"2 0 0 0 2"_s;
}

void TestCheckList::badInput()
{
    QFETCH(QByteArray, list);
    QFETCH(QByteArray, checkList);
    QFETCH(QString, summary);
    QStringList entries;
    QString error;
    QVERIFY2(readCheckEntries(writeFile(checkList), &entries, &error), qPrintable(error));
    const CheckOutcome outcome = corvane::checkList(writeFile(list), entries);
    QVERIFY(outcome.complete());
    QCOMPARE(outcome.results.size(), entries.size());
    const CheckSummary s = summarizeCheck(outcome.results);
    QCOMPARE(s.recovered + s.partial + s.damaged + s.missing, s.entries);
    if (!summary.isEmpty())
        QCOMPARE(u"%1 %2 %3 %4 %5"_s.arg(s.entries)
                     .arg(s.recovered)
                     .arg(s.partial)
                     .arg(s.damaged)
                     .arg(s.missing),
                 summary);
}

// Every line of a list, given back as the check list, finds its own line.
void TestCheckList::checkListIsTheList()
{
    QByteArray list;
    const QByteArrayList statuses{"OK", "Partial", "Damaged", "Frobbed", "Not checked"};
    for (int i = 0; i < 500; ++i)
        list += lineOf("Data\\Folder " + QByteArray::number(i % 7) + "\\n\xE4me" +
                           QByteArray::number(i) + ".txt",
                       statuses[i % statuses.size()]);
    list += "D\\no comma here\r\n";
    list += "D\\six,1,2,3,OK,x\r\n";
    const QString path = writeFile(list);
    QStringList entries;
    QString error;
    QVERIFY(readCheckEntries(path, &entries, &error));
    QCOMPARE(entries.size(), 502);
    const CheckOutcome outcome = checkList(path, entries);
    QVERIFY(outcome.complete());
    for (qsizetype i = 0; i < entries.size(); ++i)
        QVERIFY2(outcome.results[i].verdict != CheckVerdict::Missing, qPrintable(entries[i]));
    QCOMPARE(outcome.results[0].verdict, CheckVerdict::Recovered);
    QCOMPARE(outcome.results[1].verdict, CheckVerdict::Partial);
    QCOMPARE(outcome.results[2].verdict, CheckVerdict::Damaged);
}

void TestCheckList::missingList()
{
    const CheckOutcome outcome = checkList(m_dir.filePath(u"none.csv"_s), {u"a"_s, u"b"_s});
    QVERIFY(!outcome.listFound);
    QVERIFY(!outcome.complete());
    QVERIFY(!outcome.error.isEmpty());
    QCOMPARE(outcome.results.size(), 2);

    const CheckOutcome folder = checkList(m_dir.path(), {u"a"_s});
    QVERIFY(!folder.complete());
    QVERIFY2(folder.error.contains(u"folder"_s), qPrintable(folder.error));
}

// A list of many pieces, where the scan for a few entries plans again what
// to look for from what it has seen: the same lines as the term search.
void TestCheckList::agreesWithTermSearchOverManyPieces()
{
    QByteArray list;
    const QByteArrayList folders{"Fotos\\Urlaub", "Mail", "Dokumente\\Rechnungen", "Musik"};
    const QByteArrayList names{"IMG_", "DSC0", "Rechnung ", "Brief an ", "Titel "};
    for (int i = 0; list.size() < (24 << 20); ++i) {
        // The first lines unlike the rest, as a list that starts with one folder.
        const QByteArray folder = i < 20000 ? QByteArray("Fotos\\Urlaub") : folders[i % 4];
        const QByteArray name = names[(i / 7) % names.size()] + QByteArray::number(i % 9973);
        list += lineOf("Data\\" + folder + "\\" + name + (i % 3 ? ".jpg" : ".pdf"),
                       i % 5 ? "OK" : "Damaged");
    }
    const QString path = writeFile(list);
    const QStringList entries{u"IMG_12.jpg"_s, u"rechnung 99"_s, u"brief an 4711"_s,
                              u"DSC0815"_s,    u"titel 1.pdf"_s, u"nicht da"_s};
    const CheckOutcome outcome = checkList(path, entries);
    QVERIFY(outcome.complete());
    for (qsizetype i = 0; i < entries.size(); ++i) {
        CountSink sink;
        QVERIFY(searchList(path, *termCriterion(entries[i]), sink).complete());
        QCOMPARE(outcome.results[i].matches, sink.linesKept());
    }
    QVERIFY(outcome.results[0].matches > 0);
    QCOMPARE(outcome.results[5].matches, qint64(0));
}

// Random small lists and entries: the one pass agrees with a loop over the
// entries matching every line by the pattern directly.
void TestCheckList::agreesWithNaiveLoop_data()
{
    QTest::addColumn<bool>("utf8");
    QTest::addColumn<quint32>("seed");
    for (quint32 seed = 1; seed <= 6; ++seed) {
        QTest::addRow("Windows-1252 %u", seed) << false << seed;
        QTest::addRow("UTF-8 %u", seed) << true << seed;
    }
}

void TestCheckList::agreesWithNaiveLoop()
{
    QFETCH(bool, utf8);
    QFETCH(quint32, seed);
    QRandomGenerator random(seed);
    const QStringList pathPieces{u"a"_s, u"b"_s, u"A"_s, u"B"_s, u"x"_s, u"\\"_s, u"."_s,
                                 u";"_s, u" "_s, u"ä"_s, u"Ä"_s, u"1"_s, u"["_s,  u"k"_s};
    QStringList pieces = pathPieces;
    if (utf8)
        pieces += {u"\u212A"_s, u"ł"_s};
    const QStringList statuses{u"OK"_s, u"Partial"_s, u"Damaged"_s, u"Frobbed"_s, u"Vide"_s};
    const QStringList wild{u"*"_s, u"?"_s, u"#"_s, u"[a-b]"_s, u"[!a]"_s, u"[ä]"_s};
    for (int round = 0; round < 40; ++round) {
        QString text;
        const int lines = random.bounded(1, 30);
        for (int i = 0; i < lines; ++i) {
            QString path;
            for (int k = random.bounded(0, 8); k > 0; --k)
                path += pieces[random.bounded(int(pieces.size()))];
            const int shape = random.bounded(10);
            if (shape == 0)
                text += path + u"\r\n"_s; // no comma
            else if (shape == 1)
                text += path + u",1,2,3\r\n"_s;
            else
                text += path + u",2020-01-01,1,32;AB,"_s +
                        statuses[random.bounded(int(statuses.size()))] + u"\r\n"_s;
        }
        // In a Windows-1252 list the first non-ASCII byte must not read as
        // UTF-8: "ä" then ASCII never does.
        const QByteArray bytes =
            utf8 ? (u"\u00e4,1\r\n"_s + text).toUtf8() : toCp1252(u"\u00e4,1\r\n"_s + text);
        const QString listText = u"\u00e4,1\r\n"_s + text;
        QStringList entries;
        for (int e = random.bounded(1, 12); e > 0; --e) {
            QString entry;
            for (int k = random.bounded(1, 5); k > 0; --k)
                entry += random.bounded(3) == 0 ? wild[random.bounded(int(wild.size()))]
                                                : pieces[random.bounded(int(pieces.size()))];
            entry = entry.trimmed();
            if (!entry.isEmpty())
                entries.append(entry);
        }
        const QString path = writeFile(bytes);
        const CheckOutcome outcome = checkList(path, entries);
        QVERIFY(outcome.complete());
        for (qsizetype e = 0; e < entries.size(); ++e) {
            const NaiveResult naive = naiveCheck(listText, entries[e]);
            const CheckEntryResult &got = outcome.results[e];
            const QByteArray what = (entries[e] + u" in\n"_s + listText).toUtf8();
            QVERIFY2(got.matches == naive.matches, what.constData());
            QVERIFY2(got.verdict == naive.verdict, what.constData());
            QVERIFY2(got.bestPath == naive.bestPath, what.constData());
            CountSink sink;
            QVERIFY(searchList(path, *checkEntryCriterion(entries[e]), sink).complete());
            QVERIFY2(sink.linesKept() == naive.matches, what.constData());
        }
    }
}

void TestCheckList::statusWordsOfAList()
{
    const QString path = writeFile(lineOf("a", "OK") + lineOf("b", "Frobbed") + lineOf("c", "OK") +
                                   lineOf("d", "B\xE9") + lineOf("e", "Abc") + "f,1,2,3\r\n");
    QList<std::pair<QString, qint64>> words;
    QString error;
    QVERIFY(listStatusWords(path, &words, &error));
    const QList<std::pair<QString, qint64>> expected{
        {u"OK"_s, 2}, {u"Abc"_s, 1}, {u"B\u00e9"_s, 1}, {u"Frobbed"_s, 1}};
    QCOMPARE(words, expected);
    QVERIFY(!listStatusWords(m_dir.filePath(u"none.csv"_s), &words, &error));
    QVERIFY(!error.isEmpty());
}

QTEST_GUILESS_MAIN(TestCheckList)
#include "tst_checklist.moc"
