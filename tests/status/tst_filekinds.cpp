#include "status/FileKinds.h"

#include <QFile>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace corvane;

Q_DECLARE_METATYPE(corvane::FileKind)

class TestFileKinds : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void builtInEndings_data();
    void builtInEndings();
    void names_data();
    void names();
    void ids();
    void tableProblems_data();
    void tableProblems();
    void builtInTableReadsWhole();
};

namespace {

const std::pair<FileKind, const char *> kEndings[] = {
    {FileKind::Photos, "jpg jpeg png gif bmp tif tiff heic raw cr2 nef arw dng psd webp"},
    {FileKind::Videos, "mp4 mov avi mkv wmv mpg mpeg m4v 3gp mts"},
    {FileKind::Music, "mp3 wav flac aac m4a ogg wma aiff"},
    {FileKind::Documents, "doc docx pdf txt rtf odt pages tex md"},
    {FileKind::Spreadsheets, "xls xlsx xlsm ods csv numbers"},
    {FileKind::Presentations, "ppt pptx odp key"},
    {FileKind::Mail, "pst ost eml msg mbox dbx"},
    {FileKind::Archives, "zip rar 7z tar gz bz2 xz cab iso"},
    {FileKind::Databases, "mdb accdb db sqlite sql dbf qbw"},
    {FileKind::Programs, "exe dll msi sys bat cmd ps1 sh app"},
};

} // namespace

void TestFileKinds::builtInEndings_data()
{
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<FileKind>("kind");
    for (const auto &[kind, endings] : kEndings) {
        for (const QByteArray &ending : QByteArray(endings).split(' ')) {
            QTest::addRow("%s", ending.constData()) << "file." + ending << kind;
            QTest::addRow("%s upper", ending.constData()) << "FILE." + ending.toUpper() << kind;
        }
    }
}

void TestFileKinds::builtInEndings()
{
    QFETCH(QByteArray, name);
    QFETCH(FileKind, kind);
    QCOMPARE(kindOfName(name), kind);
}

void TestFileKinds::names_data()
{
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<FileKind>("kind");
    QTest::newRow("mixed case") << "Urlaub.JpEg"_ba << FileKind::Photos;
    QTest::newRow("last dot decides") << "archive.tar.gz"_ba << FileKind::Archives;
    QTest::newRow("earlier ending ignored") << "photo.jpg.exe"_ba << FileKind::Programs;
    QTest::newRow("no dot") << "README"_ba << FileKind::Other;
    QTest::newRow("ends in a dot") << "letter.doc."_ba << FileKind::Other;
    QTest::newRow("only a dot") << "."_ba << FileKind::Other;
    QTest::newRow("empty") << QByteArray() << FileKind::Other;
    QTest::newRow("dot first") << ".pst"_ba << FileKind::Mail;
    QTest::newRow("unknown ending") << "notes.ini"_ba << FileKind::Other;
    QTest::newRow("longer than a known one") << "a.jpgx"_ba << FileKind::Other;
    QTest::newRow("shorter than a known one") << "a.jp"_ba << FileKind::Other;
    QTest::newRow("spaces around") << "a. jpg"_ba << FileKind::Other;
    QTest::newRow("1,000-character ending") << "a." + QByteArray(1000, 'j') << FileKind::Other;
    QTest::newRow("1,000 dots") << QByteArray(1000, '.') + "mp3" << FileKind::Music;
    QTest::newRow("NUL ending") << QByteArray("a.\0", 3) << FileKind::Other;
    QTest::newRow("NUL inside") << QByteArray("a.jp\0g", 6) << FileKind::Other;
    QTest::newRow("Windows-1252 letters") << "\xc9t\xe9"
                                             ".pdf"_ba
                                          << FileKind::Documents;
    QTest::newRow("high bytes in the ending") << "a.p\xe9"
                                                 "f"_ba
                                              << FileKind::Other;
    QTest::newRow("UTF-8 capital in the ending") << "a.\xc3\x89ML"_ba << FileKind::Other;
}

void TestFileKinds::names()
{
    QFETCH(QByteArray, name);
    QFETCH(FileKind, kind);
    QCOMPARE(kindOfName(name), kind);
}

void TestFileKinds::ids()
{
    QStringList all;
    for (int k = 0; k < FileKindCount; ++k) {
        const QString id = fileKindId(FileKind(k));
        QCOMPARE(fileKindFromId(id), std::optional<FileKind>(FileKind(k)));
        QCOMPARE(fileKindFromId(id.toUpper()), std::optional<FileKind>(FileKind(k)));
        all.append(id);
    }
    QCOMPARE(all.join(u' '), u"photos videos music documents spreadsheets presentations mail "
                             u"archives databases programs other"_s);
    QCOMPARE(fileKindFromId(u"pictures"), std::nullopt);
}

void TestFileKinds::tableProblems_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<FileKind>("kind");
    QTest::addColumn<QList<int>>("problemLines");
    QTest::newRow("comments and blank lines") << "# x\n\n  mail  eml  msg  \r\n"_ba
                                              << "a.MSG"_ba << FileKind::Mail << QList<int>{};
    QTest::newRow("unknown kind") << "pictures jpg\nphotos png\n"_ba
                                  << "a.jpg"_ba << FileKind::Other << QList<int>{1};
    QTest::newRow("other takes no endings") << "other jpg\n"_ba
                                            << "a.jpg"_ba << FileKind::Other << QList<int>{1};
    QTest::newRow("ending given twice: the first kind keeps it")
        << "photos raw\nvideos raw mp4\n"_ba
        << "a.raw"_ba << FileKind::Photos << QList<int>{2};
    QTest::newRow("same ending in other case") << "music mp3 MP3\n"_ba
                                               << "a.mp3"_ba << FileKind::Music << QList<int>{1};
    QTest::newRow("ending too long, the rest kept")
        << "documents abcdefghi pdf\n"_ba
        << "a.pdf"_ba << FileKind::Documents << QList<int>{1};
    QTest::newRow("eight characters") << "documents abcdefgh\n"_ba
                                      << "x.ABCDEFGH"_ba << FileKind::Documents << QList<int>{};
    QTest::newRow("not ASCII") << "documents d\xc3\xa9"
                                  "\n"_ba
                               << "a.d\xc3\xa9"_ba << FileKind::Other << QList<int>{1};
    QTest::newRow("a dot in the ending") << "archives tar.gz\n"_ba
                                         << "a.tar.gz"_ba << FileKind::Other << QList<int>{1};
}

void TestFileKinds::tableProblems()
{
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, name);
    QFETCH(FileKind, kind);
    QFETCH(QList<int>, problemLines);
    QList<FileKindTable::Problem> problems;
    const FileKindTable table = FileKindTable::parse(text, &problems);
    QCOMPARE(table.kindOfName(name), kind);
    QList<int> lines;
    for (const FileKindTable::Problem &p : problems) {
        lines.append(p.line);
        QVERIFY(!p.reason.isEmpty());
    }
    QCOMPARE(lines, problemLines);
}

void TestFileKinds::builtInTableReadsWhole()
{
    const int built = fileKindTable().endingCount(); // registers the resource
    QFile file(u":/corvane/file-kinds.txt"_s);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QList<FileKindTable::Problem> problems;
    const FileKindTable table = FileKindTable::parse(file.readAll(), &problems);
    QVERIFY2(problems.isEmpty(), qPrintable(problems.value(0).reason));
    QCOMPARE(table.endingCount(), built);
    QVERIFY(built >= 83);
}

QTEST_GUILESS_MAIN(TestFileKinds)
#include "tst_filekinds.moc"
