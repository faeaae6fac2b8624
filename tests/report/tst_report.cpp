// The recovery report's figures against the list's own lines, its HTML and
// CSV, and the files a click on the kinds view shows.

#include "listfile/ListLine.h"
#include "listfile/ListLoader.h"
#include "report/KindLines.h"
#include "report/RecoveryReport.h"

#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTest>

#include <map>

using namespace Qt::Literals::StringLiterals;
using namespace corvane;

namespace {

LoadedList load(const QByteArray &bytes)
{
    ListBytes read;
    read.bytes = bytes;
    read.encoding = ListEncoding::Utf8;
    read.fileFound = true;
    return loadListBytes(read);
}

// A list over a few nested folders: files of every kind, folder lines,
// lines without a status, odd names.
QByteArray randomList(quint32 seed, int lines)
{
    QRandomGenerator random(seed);
    const QList<QByteArray> folders = {
        "",       "A\\",         "A\\B\\", "A\\B\\C\\", "A\\D\\", "Photos\\", "Photos\\2019\\",
        "Mail\\", "Mail\\Old\\", "Z\\"};
    const QList<QByteArray> names = {"a.JPG",  "b.jpeg",   "c.mp4", "d.mp3",    "e.docx",
                                     "f.xlsx", "g.pptx",   "h.pst", "i.tar.gz", "j.sqlite",
                                     "k.exe",  "noending", "dot.",  ".hidden",  "x.unknownending"};
    const QList<QByteArray> statuses = {
        "OK",          "Recovered",    "Damaged", "Partially recovered", "Not recovered",
        "Overwritten", "Eigenes Wort", ""};
    QByteArray bytes;
    for (int i = 0; i < lines; ++i) {
        const QByteArray folder = folders[int(random.bounded(quint32(folders.size())))];
        const bool isFolder = random.bounded(20) == 0;
        const QByteArray name = isFolder
                                    ? QByteArray("sub" + QByteArray::number(i))
                                    : QByteArray(QByteArray::number(i) +
                                                 names[int(random.bounded(quint32(names.size())))]);
        const QByteArray status = statuses[int(random.bounded(quint32(statuses.size())))];
        bytes += "Data\\" + folder + name + ",2020-01-02 03:04:05," +
                 QByteArray::number(random.bounded(100000)) + (isFolder ? ",16;0" : ",32;0");
        if (!status.isEmpty() || random.bounded(2) == 0)
            bytes += "," + status;
        bytes += "\r\n";
    }
    return bytes;
}

// The lines of bytes the criterion takes, each as its text.
QList<QByteArray> criterionLines(LineCriterion &criterion, const QByteArray &bytes)
{
    QList<QByteArray> lines;
    criterion.scan(bytes, ListEncoding::Utf8, [&](QByteArrayView line) {
        lines.append(line.toByteArray());
        return true;
    });
    return lines;
}

ReportTexts englishTexts()
{
    ReportTexts t;
    t.title = u"Recovery report"_s;
    for (int k = 0; k < FileKindCount; ++k)
        t.kindNames[size_t(k)] = fileKindId(FileKind(k));
    for (int c = 0; c < StatusClassCount; ++c)
        t.classNames[size_t(c)] = statusClassName(StatusClass(c));
    t.otherStatuses = u"%1 other statuses"_s;
    t.moreFolders = u"%1 more folders"_s;
    t.allKinds = u"All kinds"_s;
    t.count = [](qint64 n) { return QString::number(n); };
    t.size = [](ByteTotal b) { return QString::number(b.roundedBytes()); };
    return t;
}

} // namespace

class TestReport : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void figuresAgreeWithTheLines_data();
    void figuresAgreeWithTheLines();
    void manyStatusWords();
    void kindLinesAgreeWithTheRollUp();
    void kindLinesEdges_data();
    void kindLinesEdges();
    void htmlIsPlainAndSelfContained();
    void csvRows();
    void formatOfName_data();
    void formatOfName();
};

void TestReport::figuresAgreeWithTheLines_data()
{
    QTest::addColumn<quint32>("seed");
    QTest::addColumn<int>("lines");
    QTest::newRow("small") << 1u << 40;
    QTest::newRow("medium") << 2u << 2000;
    QTest::newRow("large") << 3u << 20000;
}

// The status rows, the classes and the top-level folders count what the
// lines hold (files only, folder lines nowhere), and the kinds are the
// loader's roll-up of "Root".
void TestReport::figuresAgreeWithTheLines()
{
    QFETCH(quint32, seed);
    QFETCH(int, lines);
    const QByteArray bytes = randomList(seed, lines);
    const LoadedList list = load(bytes);
    const RecoveryReport report = gatherReport(list, {u"list.csv"_s, {}, {}, {}});
    QVERIFY(!report.stopped);
    QCOMPARE(report.lines, qint64(lines));

    std::map<QByteArray, qint64> words;
    std::array<qint64, StatusClassCount> classes{};
    qint64 files = 0;
    qint64 unknown = 0;
    for (const QByteArray &line : bytes.split('\n')) {
        const QByteArray l = line.chopped(line.endsWith('\r') ? 1 : 0);
        if (l.isEmpty())
            continue;
        const LineFields f = lineFields(l);
        if (hasFolderBit(f.attributes))
            continue;
        ++files;
        if (!f.hasStatus) {
            ++unknown;
            ++classes[size_t(StatusClass::Unknown)];
            continue;
        }
        ++words[f.status.toByteArray()];
        ++classes[size_t(classifyStatus(QString::fromUtf8(f.status)))];
    }
    QCOMPARE(report.files().files, files);
    QCOMPARE(report.kinds.total().files, files);
    qint64 rowFiles = 0;
    for (const ReportStatusRow &row : report.statuses) {
        rowFiles += row.count.files;
        if (row.kind == ReportStatusRow::Kind::Word)
            QCOMPARE(row.count.files, words[row.rawWord]);
        if (row.kind == ReportStatusRow::Kind::Unknown)
            QCOMPARE(row.count.files, unknown);
    }
    QCOMPARE(rowFiles, files);
    // Most files first.
    for (qsizetype i = 1; i < report.statuses.size(); ++i) {
        if (report.statuses[i].kind == ReportStatusRow::Kind::Word)
            QVERIFY(report.statuses[i - 1].count.files >= report.statuses[i].count.files);
    }
    for (int c = 0; c < StatusClassCount; ++c)
        QCOMPARE(report.classes[size_t(c)].files, classes[size_t(c)]);
    // The class split of the files is the kinds' own.
    for (int c = 0; c < StatusClassCount; ++c)
        QCOMPARE(report.kinds.total().filesOf(StatusClass(c)), classes[size_t(c)]);
    qint64 folderFiles = 0;
    for (const ReportFolderRow &row : report.folders)
        folderFiles += row.count.files;
    const int root = list.SftTree1.item(0).childCount;
    QCOMPARE(report.folders.size(), qsizetype(root));
    QVERIFY(folderFiles <= files);
}

// 10,000 status words: the report names the most frequent and counts the
// rest as one row, the classes still exact.
void TestReport::manyStatusWords()
{
    QByteArray bytes;
    for (int i = 0; i < 10000; ++i)
        bytes += "D:\\F\\f" + QByteArray::number(i) + ".jpg,2020-01-02 03:04:05,10,32;0,word" +
                 QByteArray::number(i) + "\r\n";
    for (int i = 0; i < 5; ++i)
        bytes += "D:\\F\\ok" + QByteArray::number(i) + ".jpg,2020-01-02 03:04:05,10,32;0,OK\r\n";
    const RecoveryReport report = gatherReport(load(bytes), {});
    QCOMPARE(report.statuses.size(), qsizetype(RecoveryReport::MaxStatusRows + 1));
    QCOMPARE(report.statuses.first().word, u"OK"_s);
    QCOMPARE(report.statuses.first().count.files, 5);
    const ReportStatusRow &other = report.statuses.last();
    QCOMPARE(other.kind, ReportStatusRow::Kind::Other);
    QCOMPARE(other.words, 10000 - (RecoveryReport::MaxStatusRows - 1));
    QCOMPARE(report.classes[size_t(StatusClass::Good)].files, 5);
    QCOMPARE(report.classes[size_t(StatusClass::Unknown)].files, 10000);
    QCOMPARE(report.kinds[FileKind::Photos].files, 10005);
    const QString html = reportHtmlText(report, englishTexts(), {}, {});
    QVERIFY(html.contains(u"9989 other statuses"_s));
}

// For every folder, kind and class, the lines the criterion takes are as
// many as the roll-up counts, and each is a file of that kind below it.
void TestReport::kindLinesAgreeWithTheRollUp()
{
    const QByteArray bytes = randomList(7, 3000);
    const LoadedList list = load(bytes);
    const FolderTree &tree = list.SftTree1;
    QVERIFY(tree.count() > 5);
    for (int item = 0; item < tree.count(); ++item) {
        const KindTotals totals = list.kinds.of(tree, item);
        const QByteArray key = tree.keyBelowRoot(item);
        for (int k = 0; k < FileKindCount; ++k) {
            const auto all = kindLinesCriterion(key, FileKind(k), std::nullopt);
            QCOMPARE(qint64(criterionLines(*all, bytes).size()), totals.kinds[size_t(k)].files);
            for (int c = 0; c < StatusClassCount; ++c) {
                const auto one = kindLinesCriterion(key, FileKind(k), StatusClass(c));
                QCOMPARE(qint64(criterionLines(*one, bytes).size()),
                         totals.kinds[size_t(k)].filesOf(StatusClass(c)));
            }
        }
    }
}

void TestReport::kindLinesEdges_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QByteArray>("key");
    QTest::addColumn<int>("kind");
    QTest::addColumn<bool>("taken");
    const QByteArray tail = ",2020-01-02 03:04:05,10,32;0,OK";
    QTest::newRow("in the folder")
        << "D:\\A\\x.jpg" + tail << QByteArray("A\\") << int(FileKind::Photos) << true;
    QTest::newRow("below the folder")
        << "D:\\A\\B\\x.jpg" + tail << QByteArray("A\\") << int(FileKind::Photos) << true;
    QTest::newRow("a folder of a longer name")
        << "D:\\AB\\x.jpg" + tail << QByteArray("A\\") << int(FileKind::Photos) << false;
    QTest::newRow("another top folder")
        << "E:\\A\\x.jpg" + tail << QByteArray("A\\") << int(FileKind::Photos) << true;
    QTest::newRow("the top folder's name is no folder")
        << "A\\x.jpg" + tail << QByteArray("A\\") << int(FileKind::Photos) << false;
    QTest::newRow("no folder at all: Root")
        << "x.jpg" + tail << QByteArray() << int(FileKind::Photos) << true;
    QTest::newRow("no folder at all, a folder asked")
        << "x.jpg" + tail << QByteArray("A\\") << int(FileKind::Photos) << false;
    QTest::newRow("another kind") << "D:\\A\\x.pst" + tail << QByteArray("A\\")
                                  << int(FileKind::Photos) << false;
    QTest::newRow("a name ending in a dot")
        << "D:\\A\\x." + tail << QByteArray("A\\") << int(FileKind::Other) << true;
    QTest::newRow("an ending of 1,000 letters")
        << "D:\\A\\x." + QByteArray(1000, 'j') + tail << QByteArray("A\\") << int(FileKind::Other)
        << true;
    QTest::newRow("a folder line") << QByteArray("D:\\A\\x.jpg,2020-01-02 03:04:05,0,16;0,OK")
                                   << QByteArray("A\\") << int(FileKind::Photos) << false;
    QTest::newRow("a line without fields")
        << QByteArray("D:\\A\\x.jpg") << QByteArray("A\\") << int(FileKind::Photos) << true;
}

void TestReport::kindLinesEdges()
{
    QFETCH(QByteArray, line);
    QFETCH(QByteArray, key);
    QFETCH(int, kind);
    QFETCH(bool, taken);
    const auto criterion = kindLinesCriterion(key, FileKind(kind), std::nullopt);
    QCOMPARE(criterionLines(*criterion, line + "\r\n").size(), qsizetype(taken ? 1 : 0));
}

// Text from the list is escaped, and nothing outside the file is referred to.
void TestReport::htmlIsPlainAndSelfContained()
{
    const QByteArray bytes =
        "D:\\<b>bold</b>\\x.jpg,2020-01-02 03:04:05,10,32;0,<script>alert(1)</script>\r\n"
        "D:\\&amp;\\y.pst,2020-01-02 03:04:05,10,32;0,OK\r\n";
    RecoveryReport report =
        gatherReport(load(bytes), {u"<i>list</i>.csv"_s, u"a&b.zip"_s,
                                   QDateTime(QDate(2026, 1, 2), QTime(3, 4)), QString(64, u'a')});
    report.labAddress = u"lab@example.com"_s;
    report.subject = u"Approval \"<list>\""_s;
    report.basket = ReportBasket{{u"Chosen: <1> file"_s}};
    report.check =
        ReportCheck{u"1 entry"_s, {{u"<thesis>"_s, u"recovered"_s, 1, u"D:\\<b>"_s, u"OK"_s}}};
    const QString html =
        reportHtmlText(report, englishTexts(), u"data:image/png;base64,AAAA"_s, {u"#2e9d4a"_s});
    for (const QString &raw :
         {u"<b>bold"_s, u"<script>"_s, u"<i>list"_s, u"<thesis>"_s, u"<1>"_s, u"\"<list>\""_s})
        QVERIFY2(!html.contains(raw), qPrintable(raw));
    QVERIFY(html.contains(u"&lt;b&gt;bold&lt;/b&gt;"_s));
    QVERIFY(html.contains(u"&amp;amp;"_s));
    QVERIFY(html.contains(u"a&amp;b.zip"_s));
    QVERIFY(html.contains(QString(64, u'a')));
    QVERIFY(html.contains(u"lab@example.com"_s));
    // No address of anything outside the file: no link, no script, no
    // picture but the one inside it.
    static const QRegularExpression reference(uR"((src|href)\s*=\s*"(?!data:))"_s);
    QVERIFY(!html.contains(reference));
    QVERIFY(!html.contains(u"http:"_s) && !html.contains(u"https:"_s));
    QVERIFY(!html.contains(u"<script"_s) && !html.contains(u"<link"_s));
}

// One row per kind and per class, the header first; names with a comma are
// quoted.
void TestReport::csvRows()
{
    const QByteArray bytes = "D:\\a.jpg,2020-01-02 03:04:05,10,32;0,OK\r\n"
                             "D:\\b.jpg,2020-01-02 03:04:05,20,32;0,Damaged\r\n"
                             "D:\\c.pst,2020-01-02 03:04:05,5,32;0\r\n";
    const RecoveryReport report = gatherReport(load(bytes), {});
    ReportTexts texts = englishTexts();
    texts.kindNames[size_t(FileKind::Photos)] = u"Photos, \"pictures\""_s;
    const QList<QByteArray> rows = reportCsv(report, texts).split('\n');
    QCOMPARE(rows.first(), QByteArray("section,id,name,files,bytes,good,partial,bad,unknown\r"));
    QCOMPARE(rows.size(), 1 + FileKindCount + 1 + StatusClassCount + 1); // and the empty last
    QCOMPARE(rows[1], QByteArray("kind,photos,\"Photos, \"\"pictures\"\"\",2,30,1,0,1,0\r"));
    QCOMPARE(rows[1 + int(FileKind::Mail)], QByteArray("kind,mail,mail,1,5,0,0,0,1\r"));
    QCOMPARE(rows[1 + FileKindCount], QByteArray("kind,total,All kinds,3,35,1,0,1,1\r"));
    QCOMPARE(rows[2 + FileKindCount], QByteArray("class,good,good,1,10,1,0,0,0\r"));
    QCOMPARE(rows[4 + FileKindCount], QByteArray("class,bad,bad,1,20,0,0,1,0\r"));
}

void TestReport::formatOfName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("format"); // -1: none
    QTest::newRow("pdf") << u"/tmp/r.pdf"_s << int(ReportFormat::Pdf);
    QTest::newRow("PDF") << u"/tmp/R.PDF"_s << int(ReportFormat::Pdf);
    QTest::newRow("html") << u"r.html"_s << int(ReportFormat::Html);
    QTest::newRow("htm") << u"r.htm"_s << int(ReportFormat::Html);
    QTest::newRow("csv") << u"a.b.csv"_s << int(ReportFormat::Csv);
    QTest::newRow("txt") << u"r.txt"_s << -1;
    QTest::newRow("none") << u"report"_s << -1;
    QTest::newRow("a dot at the end") << u"report."_s << -1;
}

void TestReport::formatOfName()
{
    QFETCH(QString, name);
    QFETCH(int, format);
    const std::optional<ReportFormat> f = reportFormatOf(name);
    QCOMPARE(f ? int(*f) : -1, format);
}

QTEST_GUILESS_MAIN(TestReport)
#include "tst_report.moc"
