// The lab's notes read straight from an archive: at most a cap of each, its
// own text for each entry, nothing written anywhere.

#include "testutil_zip.h"
#include "zip/ZipArchive.h"
#include "zip/ZipNote.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace corvane;
using namespace corvane::zip;
using namespace corvane::testing;

class TestZipNotes : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void capped_data();
    void capped();
    void hugeNoteOfZeros();
    void sameNameInTwoFolders();
    void otherEntryAtIndex();
    void refused_data();
    void refused();
    void decode_data();
    void decode();
};

void TestZipNotes::capped_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<bool>("store");
    QTest::addColumn<qint64>("cap");
    QTest::addColumn<bool>("cut");
    QTest::newRow("smaller than the cap") << 1000 << false << qint64(4096) << false;
    QTest::newRow("exactly the cap") << 4096 << false << qint64(4096) << false;
    QTest::newRow("one byte more") << 4097 << false << qint64(4096) << true;
    QTest::newRow("far more, deflated") << 300000 << false << qint64(4096) << true;
    QTest::newRow("far more, stored") << 300000 << true << qint64(4096) << true;
    QTest::newRow("empty") << 0 << false << qint64(4096) << false;
    QTest::newRow("cap of nothing") << 10 << false << qint64(0) << true;
}

void TestZipNotes::capped()
{
    QFETCH(int, size);
    QFETCH(bool, store);
    QFETCH(qint64, cap);
    QFETCH(bool, cut);
    QTemporaryDir dir;
    const QString zipPath = dir.filePath(u"lab.zip"_s);
    QByteArray data;
    for (int i = 0; data.size() < size; ++i)
        data += "line " + QByteArray::number(i) + "\r\n";
    data.truncate(size);
    FixtureEntry note = entry("notes.txt", data);
    note.store = store;
    QVERIFY(writeZip(zipPath, {entry("a.csv"), note}));

    const MemberBytes read = readZipMember(zipPath, 1, cap);
    QCOMPARE(read.error, ZipError::None);
    QCOMPARE(read.cut, cut);
    QCOMPARE(read.size, qint64(size));
    QCOMPARE(read.bytes, data.first(qMin<qsizetype>(size, cap)));
    QCOMPARE(filesBelow(dir.path()), QStringList{u"lab.zip"_s});
}

// Ten megabytes of zeros compress to almost nothing; only the cap of them is
// ever inflated, and no file appears.
void TestZipNotes::hugeNoteOfZeros()
{
    QTemporaryDir dir;
    const QString zipPath = dir.filePath(u"lab.zip"_s);
    const QByteArray zeros(50 * 1024 * 1024, '\0');
    QVERIFY(writeZip(zipPath, {entry("a.csv"), entry("b.csv"), entry("zeros.log", zeros)}));
    QVERIFY(QFileInfo(zipPath).size() < 1024 * 1024);

    const NoteText note = readZipNote(zipPath, 2);
    QCOMPARE(note.error, QString());
    QVERIFY(note.cut);
    QCOMPARE(note.size, qint64(zeros.size()));
    QVERIFY(note.text.size() <= NoteReadLimit);
    QVERIFY(note.text.size() > 0);
    QCOMPARE(filesBelow(dir.path()), QStringList{u"lab.zip"_s});
}

void TestZipNotes::sameNameInTwoFolders()
{
    QTemporaryDir dir;
    const QString zipPath = dir.filePath(u"lab.zip"_s);
    QVERIFY(writeZip(zipPath, {entry("one/readme.txt", "first folder\r\n"),
                               entry("two/readme.txt", "second folder\r\n"),
                               entry("readme.txt", "top\r\n")}));
    const ZipListing listing = listZipMembers(zipPath);
    QCOMPARE(listing.members.size(), 3);
    QStringList texts;
    for (const ZipMember &member : listing.members)
        texts.append(readZipNote(zipPath, member.index, member.name).text);
    QCOMPARE(texts, (QStringList{u"first folder\n"_s, u"second folder\n"_s, u"top\n"_s}));
    QCOMPARE(filesBelow(dir.path()), QStringList{u"lab.zip"_s});
}

// The archive was rewritten after it was listed: the index now names another
// entry, whose text must not be shown under the listed name.
void TestZipNotes::otherEntryAtIndex()
{
    QTemporaryDir dir;
    const QString zipPath = dir.filePath(u"lab.zip"_s);
    QVERIFY(writeZip(zipPath, {entry("b.txt", "b"), entry("a.txt", "a")}));
    const MemberBytes read = readZipMember(zipPath, 0, NoteReadLimit, u"a.txt"_s);
    QCOMPARE(read.error, ZipError::NoSuchEntry);
    QVERIFY(read.bytes.isEmpty());
    QCOMPARE(readZipNote(zipPath, 1, u"a.txt"_s).text, u"a"_s);
}

void TestZipNotes::refused_data()
{
    QTest::addColumn<QList<FixtureEntry>>("entries");
    QTest::addColumn<int>("patch"); // 0 none, 1 bad checksum, 2 bomb
    QTest::addColumn<qint64>("index");
    QTest::addColumn<ZipError>("error");
    FixtureEntry link = entry("notes.txt", "/etc/passwd");
    link.symlink = true;
    QTest::newRow("link") << QList<FixtureEntry>{link} << 0 << qint64(0) << ZipError::UnsafeName;
    QTest::newRow("unsafe name") << QList<FixtureEntry>{entry("../notes.txt", "x")} << 0
                                 << qint64(0) << ZipError::UnsafeName;
    QTest::newRow("no such entry")
        << QList<FixtureEntry>{entry("notes.txt", "x")} << 0 << qint64(5) << ZipError::NoSuchEntry;
    QTest::newRow("negative index")
        << QList<FixtureEntry>{entry("notes.txt", "x")} << 0 << qint64(-1) << ZipError::NoSuchEntry;
    FixtureEntry stored = entry("notes.txt", QByteArray(2000, 'n'));
    stored.store = true;
    QTest::newRow("bad checksum") << QList<FixtureEntry>{stored} << 1 << qint64(0)
                                  << ZipError::BadCrc;
    QTest::newRow("more than declared")
        << QList<FixtureEntry>{entry("notes.txt", QByteArray(100000, 'A'))} << 2 << qint64(0)
        << ZipError::LargerThanDeclared;
    if (zip_encryption_method_supported(ZIP_EM_AES_256, 1)) {
        FixtureEntry secret = entry("notes.txt", "secret");
        secret.encryption = ZIP_EM_AES_256;
        QTest::newRow("encrypted")
            << QList<FixtureEntry>{secret} << 0 << qint64(0) << ZipError::Encrypted;
    }
}

void TestZipNotes::refused()
{
    QFETCH(QList<FixtureEntry>, entries);
    QFETCH(int, patch);
    QFETCH(qint64, index);
    QFETCH(ZipError, error);
    QTemporaryDir dir;
    const QString zipPath = dir.filePath(u"lab.zip"_s);
    QVERIFY(writeZip(zipPath, entries));
    if (patch != 0) {
        QByteArray bytes = readBytes(zipPath);
        const EntryHeaders h = findHeaders(bytes).value(0);
        if (patch == 1)
            patchField(bytes, h, Field::Crc, read32(bytes, h.central + 16) ^ 0x5a5a5a5au);
        else
            patchField(bytes, h, Field::Size, 100);
        QVERIFY(writeBytes(zipPath, bytes));
    }
    const MemberBytes read = readZipMember(zipPath, index, NoteReadLimit);
    QCOMPARE(read.error, error);
    QVERIFY(read.bytes.isEmpty());
    QVERIFY(!read.errorText.isEmpty());
    const NoteText note = readZipNote(zipPath, index);
    QCOMPARE(note.error, read.errorText);
    QCOMPARE(note.text, QString());
}

void TestZipNotes::decode_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("cut");
    QTest::addColumn<QString>("text");
    QTest::newRow("Windows-1252, CR LF")
        << QByteArray("Caf\xe9\r\nZeile 2\r\n") << false << u"Caf\u00e9\nZeile 2\n"_s;
    QTest::newRow("UTF-8 cut inside a character")
        << QByteArray("Gr\xc3\xbc\xc3\x9f \xe2\x82") << true << u"Gr\u00fc\u00df "_s;
    QTest::newRow("UTF-8 cut after a whole character")
        << QByteArray("Gr\xc3\xbc") << true << u"Gr\u00fc"_s;
    QTest::newRow("UTF-16LE cut inside a unit")
        << QByteArray("\xff\xfeH\0i\0!", 7) << true << u"Hi"_s;
    QTest::newRow("UTF-16BE with BOM")
        << QByteArray("\xfe\xff\0H\0i\0\r\0\n", 10) << false << u"Hi\n"_s;
    QTest::newRow("cut between CR and LF") << QByteArray("a\r\nb\r") << true << u"a\nb\n"_s;
}

void TestZipNotes::decode()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, cut);
    QFETCH(QString, text);
    QCOMPARE(decodeNoteBytes(bytes, cut), text);
}

QTEST_GUILESS_MAIN(TestZipNotes)
#include "tst_zip_notes.moc"
