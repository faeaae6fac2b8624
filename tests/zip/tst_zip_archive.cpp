// Listing and extracting real archives, sound and hostile, built by the test.

#include "testutil_zip.h"
#include "zip/ZipArchive.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

using namespace Qt::Literals::StringLiterals;
using namespace corvane;
using namespace corvane::zip;
using namespace corvane::testing;

namespace {

QByteArray listLines(int count)
{
    QByteArray bytes;
    for (int i = 0; i < count; ++i)
        bytes += "C:\\Data\\folder" + QByteArray::number(i % 97) + "\\file" +
                 QByteArray::number(i) + ".doc,2020-01-02 03:04:05,1234,32;77,OK\r\n";
    return bytes;
}

// The hostile variants of a sound archive.
enum class Damage {
    None,
    Bomb, // declares 100 bytes, inflates to megabytes
    BadCrc,
    CorruptDeflate, // the compressed stream is garbage
    UnknownMethod,  // method 97 (WavPack)
    TruncatedHalf,  // the end of the archive is missing
    TruncatedData,  // the directory is whole but the data of the entry is cut
};

QByteArray damaged(QByteArray zip, Damage damage)
{
    const QList<EntryHeaders> headers = findHeaders(zip);
    if (headers.isEmpty())
        return zip;
    const EntryHeaders &h = headers.first();
    switch (damage) {
    case Damage::None:
        break;
    case Damage::Bomb:
        patchField(zip, h, Field::Size, 100);
        break;
    case Damage::BadCrc:
        patchField(zip, h, Field::Crc, read32(zip, h.central + 16) ^ 0x5a5a5a5au);
        break;
    case Damage::CorruptDeflate:
        // Block type 3 is reserved: inflate fails on the first byte.
        zip[dataOffset(zip, h)] = char(0xff);
        break;
    case Damage::UnknownMethod:
        patchField(zip, h, Field::Method, 97);
        break;
    case Damage::TruncatedHalf:
        zip.truncate(zip.size() / 2);
        break;
    case Damage::TruncatedData: {
        // A stored entry claiming more data than the archive holds.
        const quint32 size = read32(zip, h.central + 24);
        patchField(zip, h, Field::CompressedSize, size * 4);
        patchField(zip, h, Field::Size, size * 4);
        break;
    }
    }
    return zip;
}

} // namespace

class TestZipArchive : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void listing_data();
    void listing();
    void duplicateNames();
    void listingErrors_data();
    void listingErrors();
    void extract_data();
    void extract();
    void extractKeepsOldFileOnFailure();
    void extractReplacesReadOnlyFile();
    void extractByIndexAmongDuplicates();
    void extractUnsafeByIndex();
    void extractNoSpace();
    void extractFolderNotWritable();
    void extractNeverOverwritesArchive();
    void extractLargeCompressedEntry();
};

void TestZipArchive::listing_data()
{
    QTest::addColumn<QList<FixtureEntry>>("entries");
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<int>("unsafe");

    QTest::newRow("endings") << QList<FixtureEntry>{entry("A.CSV"), entry("notes.TXT"),
                                                    entry("list.log"), entry("photo.jpg")}
                             << QStringList{u"A.CSV"_s, u"notes.TXT"_s, u"list.log"_s} << 0;
    QTest::newRow("csv.bak") << QList<FixtureEntry>{entry("list.csv.bak")} << QStringList{} << 0;
    QTest::newRow("archive order")
        << QList<FixtureEntry>{entry("z.csv"), entry("a.csv"), entry("m/b.csv")}
        << QStringList{u"z.csv"_s, u"a.csv"_s, u"m/b.csv"_s} << 0;
    const char *const hostile[] = {"../x.csv",  "a/../../x.csv", "/abs.csv",
                                   "C:\\x.csv", "C:x.csv",       "..\\x.csv"};
    for (const char *name : hostile) {
        QTest::addRow("unsafe %s", name)
            << QList<FixtureEntry>{entry(name), entry("ok.csv")} << QStringList{u"ok.csv"_s} << 1;
    }
    FixtureEntry link = entry("link.csv", "/etc/passwd");
    link.symlink = true;
    QTest::newRow("symlink") << QList<FixtureEntry>{link, entry("ok.csv")}
                             << QStringList{u"ok.csv"_s} << 1;
    QTest::newRow("unsafe non-list not counted")
        << QList<FixtureEntry>{entry("../evil.sh"), entry("ok.csv")} << QStringList{u"ok.csv"_s}
        << 0;
    FixtureEntry dos = entry("\x84rger.csv");
    dos.cp437 = true;
    QTest::newRow("cp437 name") << QList<FixtureEntry>{dos} << QStringList{u"ärger.csv"_s} << 0;
    QTest::newRow("utf-8 name") << QList<FixtureEntry>{entry("D\xc3\xa9j\xc3\xa0/\xc3\x9c"
                                                             "ber.csv")}
                                << QStringList{u"Déjà/Über.csv"_s} << 0;
    QTest::newRow("control character")
        << QList<FixtureEntry>{entry("a\x1b[31mb.csv")} << QStringList{u"a\\x1B[31mb.csv"_s} << 0;
    QTest::newRow("empty archive") << QList<FixtureEntry>{} << QStringList{} << 0;
}

void TestZipArchive::listing()
{
    QFETCH(QList<FixtureEntry>, entries);
    QFETCH(QStringList, shown);
    QFETCH(int, unsafe);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"lists.zip"_s);
    QVERIFY(writeZip(path, entries));
    const QByteArray before = readBytes(path);
    QStringList called;
    const ZipListing listing =
        listZipMembers(path, [&](const ZipMember &m) { called.append(m.name); });
    QVERIFY2(listing.ok(), qPrintable(listing.errorText));
    QCOMPARE(called, shown);
    QCOMPARE(listing.members.size(), shown.size());
    QCOMPARE(listing.unsafeSkipped, unsafe);
    QCOMPARE(listing.entryCount, entries.size());
    QCOMPARE(readBytes(path), before);
}

void TestZipArchive::duplicateNames()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"dup.zip"_s);
    QVERIFY(writeZip(path, {entry("a.csv", "first\r\n"), entry("b.csv", "second\r\n")}));
    QByteArray zip = readBytes(path);
    const auto headers = findHeaders(zip);
    copyName(zip, headers[1], headers[0]);
    QVERIFY(writeBytes(path, zip));
    const ZipListing listing = listZipMembers(path);
    QVERIFY2(listing.ok(), qPrintable(listing.errorText));
    QCOMPARE(listing.members.size(), 2);
    QCOMPARE(listing.members[0].name, u"a.csv"_s);
    QCOMPARE(listing.members[1].name, u"a.csv"_s);
    QCOMPARE(listing.members[0].index, 0);
    QCOMPARE(listing.members[1].index, 1);
}

void TestZipArchive::listingErrors_data()
{
    QTest::addColumn<QByteArray>("bytes"); // empty: see `what`
    QTest::addColumn<QString>("what");
    QTest::addColumn<ZipError>("error");
    QTest::newRow("0-byte .zip") << QByteArray() << u"file"_s << ZipError::NotZip;
    QTest::newRow("text PK") << "PKG\\a.doc,2001-01-01,1,32;5,OK\r\n"_ba << u"file"_s
                             << ZipError::NotZip;
    QTest::newRow("text Pk") << "Pk\\a.doc,2001-01-01,1,32;5,OK\r\n"_ba << u"file"_s
                             << ZipError::NotZip;
    QTest::newRow("missing") << QByteArray() << u"missing"_s << ZipError::ArchiveMissing;
    QTest::newRow("folder") << QByteArray() << u"folder"_s << ZipError::NotZip;
    QTest::newRow("truncated") << QByteArray() << u"truncated"_s << ZipError::Truncated;
    QTest::newRow("signature only")
        << QByteArray("PK\x03\x04", 4) << u"file"_s << ZipError::Truncated;
    QTest::newRow("text after a header signature")
        << "PK\x03\x04\\a.doc,2001-01-01,1,32;5,OK\r\nPK\x03\x04\\b,d,2\r\n"_ba << u"file"_s
        << ZipError::NotZip;
    QTest::newRow("text after an end signature")
        << "PK\x05\x06 list\\a.doc,2001-01-01,1,32;5,OK\r\n"_ba << u"file"_s << ZipError::NotZip;
    QTest::newRow("header cut before its name")
        << QByteArray("PK\x03\x04\x14\x00\x00\x00\x08\x00\n\n", 12) << u"file"_s
        << ZipError::Truncated;
}

void TestZipArchive::listingErrors()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, what);
    QFETCH(ZipError, error);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"x.zip"_s);
    if (what == u"file"_s) {
        QVERIFY(writeBytes(path, bytes));
    } else if (what == u"folder"_s) {
        QVERIFY(QDir().mkpath(path));
    } else if (what == u"truncated"_s) {
        QVERIFY(writeZip(path, {entry("a.csv", listLines(500)), entry("b.csv")}));
        QVERIFY(writeBytes(path, damaged(readBytes(path), Damage::TruncatedHalf)));
    }
    const QByteArray before = readBytes(path);
    const ZipListing listing = listZipMembers(path);
    QCOMPARE(listing.error, error);
    QVERIFY(!listing.errorText.isEmpty());
    QVERIFY(listing.errorText.contains(QDir::toNativeSeparators(path)));
    QCOMPARE(listing.members.size(), 0);
    QCOMPARE(readBytes(path), before);
}

void TestZipArchive::extract_data()
{
    QTest::addColumn<QList<FixtureEntry>>("entries");
    QTest::addColumn<Damage>("damage");
    QTest::addColumn<ZipError>("error");

    const QByteArray lines = listLines(2000);
    FixtureEntry stored = entry("stored.csv", lines);
    stored.store = true;
    QTest::newRow("deflated") << QList<FixtureEntry>{entry("list.csv", lines)} << Damage::None
                              << ZipError::None;
    QTest::newRow("stored") << QList<FixtureEntry>{stored} << Damage::None << ZipError::None;
    QTest::newRow("empty entry") << QList<FixtureEntry>{entry("empty.csv", QByteArray())}
                                 << Damage::None << ZipError::None;
    QTest::newRow("in a folder") << QList<FixtureEntry>{entry("disk/2024/list.csv", lines)}
                                 << Damage::None << ZipError::None;
    QTest::newRow("bomb") << QList<FixtureEntry>{entry("bomb.csv", QByteArray(8 << 20, 'A'))}
                          << Damage::Bomb << ZipError::LargerThanDeclared;
    QTest::newRow("bad crc") << QList<FixtureEntry>{entry("list.csv", lines)} << Damage::BadCrc
                             << ZipError::BadCrc;
    QTest::newRow("bad crc stored")
        << QList<FixtureEntry>{stored} << Damage::BadCrc << ZipError::BadCrc;
    QTest::newRow("corrupt deflate") << QList<FixtureEntry>{entry("list.csv", lines)}
                                     << Damage::CorruptDeflate << ZipError::CorruptData;
    QTest::newRow("unknown method") << QList<FixtureEntry>{entry("list.csv", lines)}
                                    << Damage::UnknownMethod << ZipError::UnsupportedMethod;
    QTest::newRow("data cut short")
        << QList<FixtureEntry>{stored} << Damage::TruncatedData << ZipError::Truncated;
    for (const zip_uint16_t method :
         {zip_uint16_t(ZIP_EM_TRAD_PKWARE), zip_uint16_t(ZIP_EM_AES_256)}) {
        if (!zip_encryption_method_supported(method, 1))
            continue;
        FixtureEntry secret = entry("secret.csv", lines);
        secret.encryption = method;
        QTest::addRow("encrypted %d", int(method))
            << QList<FixtureEntry>{secret, entry("plain.csv")} << Damage::None
            << ZipError::Encrypted;
    }
}

void TestZipArchive::extract()
{
    QFETCH(QList<FixtureEntry>, entries);
    QFETCH(Damage, damage);
    QFETCH(ZipError, error);
    QTemporaryDir dir;
    const QString zipPath = dir.filePath(u"user/lists.zip"_s);
    QVERIFY(QDir().mkpath(dir.filePath(u"user"_s)));
    QVERIFY(writeZip(zipPath, entries));
    QVERIFY(writeBytes(zipPath, damaged(readBytes(zipPath), damage)));
    const QByteArray before = readBytes(zipPath);
    const QString data = dir.filePath(u"data"_s);

    QList<double> percents;
    QList<int> numbers;
    ExtractCallbacks callbacks;
    callbacks.progress = [&](double p) { percents.append(p); };
    callbacks.message = [&](int number, const QString &) { numbers.append(number); };
    const ExtractResult result = extractZipMember(zipPath, 0, data, callbacks);

    QCOMPARE(result.error, error);
    QCOMPARE(readBytes(zipPath), before);
    QCOMPARE(filesBelow(dir.filePath(u"user"_s)), QStringList{u"lists.zip"_s});
    const QString fileName = QString::fromUtf8(entries[0].name).section(u'/', -1);
    QCOMPARE(result.targetPath, QDir(data).filePath(fileName));
    if (error == ZipError::None) {
        // The copy, and its record beside it.
        QCOMPARE(filesBelow(data), (QStringList{copyRecordName(fileName), fileName}));
        QCOMPARE(readBytes(result.targetPath), entries[0].data);
        QCOMPARE(result.bytesWritten, entries[0].data.size());
        QVERIFY(!percents.isEmpty());
        QCOMPARE(percents.last(), 100.0);
        QVERIFY(std::is_sorted(percents.begin(), percents.end()));
        QCOMPARE(numbers, QList<int>{});
    } else {
        QCOMPARE(filesBelow(data), QStringList{}); // no partial file, no temporary left
        QVERIFY(!result.errorText.isEmpty());
        QCOMPARE(numbers, QList<int>{int(error)});
    }
}

void TestZipArchive::extractKeepsOldFileOnFailure()
{
    QTemporaryDir dir;
    const QString zipPath = dir.filePath(u"lists.zip"_s);
    QVERIFY(writeZip(zipPath, {entry("list.csv", listLines(300))}));
    QVERIFY(writeBytes(zipPath, damaged(readBytes(zipPath), Damage::BadCrc)));
    const QString data = dir.filePath(u"data"_s);
    QVERIFY(QDir().mkpath(data));
    QVERIFY(writeBytes(QDir(data).filePath(u"list.csv"_s), "old list\r\n"));
    const ExtractResult result = extractZipMember(zipPath, 0, data);
    QCOMPARE(result.error, ZipError::BadCrc);
    QCOMPARE(readBytes(QDir(data).filePath(u"list.csv"_s)), "old list\r\n"_ba);
    QCOMPARE(filesBelow(data), QStringList{u"list.csv"_s});
}

void TestZipArchive::extractReplacesReadOnlyFile()
{
    QTemporaryDir dir;
    const QString zipPath = dir.filePath(u"lists.zip"_s);
    QVERIFY(writeZip(zipPath, {entry("list.csv", "new\r\n")}));
    const QString target = dir.filePath(u"list.csv"_s);
    QVERIFY(writeBytes(target, "old\r\n"));
    QVERIFY(QFile::setPermissions(target, QFile::ReadOwner | QFile::ReadUser));
    const ExtractResult result = extractZipMember(zipPath, 0, dir.path());
    QVERIFY2(result.ok(), qPrintable(result.errorText));
    QCOMPARE(readBytes(target), "new\r\n"_ba);
}

void TestZipArchive::extractByIndexAmongDuplicates()
{
    QTemporaryDir dir;
    const QString zipPath = dir.filePath(u"dup.zip"_s);
    QVERIFY(writeZip(zipPath, {entry("a.csv", "first\r\n"), entry("b.csv", "second\r\n")}));
    QByteArray zip = readBytes(zipPath);
    const auto headers = findHeaders(zip);
    copyName(zip, headers[1], headers[0]);
    QVERIFY(writeBytes(zipPath, zip));
    const QString data = dir.filePath(u"data"_s);
    QCOMPARE(extractZipMember(zipPath, 1, data).error, ZipError::None);
    QCOMPARE(readBytes(QDir(data).filePath(u"a.csv"_s)), "second\r\n"_ba);
    QCOMPARE(extractZipMember(zipPath, 0, data).error, ZipError::None);
    QCOMPARE(readBytes(QDir(data).filePath(u"a.csv"_s)), "first\r\n"_ba);
    QCOMPARE(extractZipMember(zipPath, 2, data).error, ZipError::NoSuchEntry);
    QCOMPARE(extractZipMember(zipPath, -1, data).error, ZipError::NoSuchEntry);
}

void TestZipArchive::extractUnsafeByIndex()
{
    QTemporaryDir dir;
    const QString zipPath = dir.filePath(u"in/evil.zip"_s);
    QVERIFY(QDir().mkpath(dir.filePath(u"in"_s)));
    FixtureEntry link = entry("link.csv", "/etc/passwd");
    link.symlink = true;
    QVERIFY(writeZip(zipPath, {entry("../x.csv"), entry("/abs.csv"), entry("C:\\x.csv"), link}));
    const QString data = dir.filePath(u"in/data"_s);
    for (qint64 i = 0; i < 4; ++i)
        QCOMPARE(extractZipMember(zipPath, i, data).error, ZipError::UnsafeName);
    QCOMPARE(filesBelow(dir.path()), QStringList{u"in/evil.zip"_s});
}

void TestZipArchive::extractNoSpace()
{
    QTemporaryDir dir;
    const QString zipPath = dir.filePath(u"lists.zip"_s);
    QVERIFY(writeZip(zipPath, {entry("big.csv", QByteArray(1 << 20, 'x'))}));
    const QString data = dir.filePath(u"data"_s);
    ExtractCallbacks callbacks;
    callbacks.freeSpace = [](const QString &) { return qint64(4096); };
    const ExtractResult result = extractZipMember(zipPath, 0, data, callbacks);
    QCOMPARE(result.error, ZipError::NoSpace);
    QCOMPARE(filesBelow(data), QStringList{});
}

void TestZipArchive::extractFolderNotWritable()
{
    QTemporaryDir dir;
    const QString zipPath = dir.filePath(u"lists.zip"_s);
    QVERIFY(writeZip(zipPath, {entry("list.csv")}));
    QVERIFY(writeBytes(dir.filePath(u"blocker"_s), "a file, not a folder"));
    const ExtractResult result = extractZipMember(zipPath, 0, dir.filePath(u"blocker/data"_s));
    QCOMPARE(result.error, ZipError::FolderNotWritable);
    QCOMPARE(extractZipMember(zipPath, 0, QString()).error, ZipError::FolderNotWritable);
    QCOMPARE(filesBelow(dir.path()), (QStringList{u"blocker"_s, u"lists.zip"_s}));

    // A folder without write permission, looked at as an ordinary user when
    // the test runs as root (root writes anywhere).
    const QString locked = dir.filePath(u"locked"_s);
    QVERIFY(QDir().mkpath(locked));
    const QFile::Permissions open =
        QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther;
    QVERIFY(QFile::setPermissions(dir.path(), open));
    QVERIFY(QFile::setPermissions(zipPath, QFile::ReadOwner | QFile::ReadOther));
    QVERIFY(QFile::setPermissions(locked, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther |
                                              QFile::ExeOther));
    const bool asRoot = ::geteuid() == 0;
    if (asRoot) {
        QCOMPARE(::setegid(65534), 0);
        QCOMPARE(::seteuid(65534), 0);
    }
    const ExtractResult lockedResult = extractZipMember(zipPath, 0, locked);
    if (asRoot) {
        QCOMPARE(::seteuid(0), 0);
        QCOMPARE(::setegid(0), 0);
    }
    QCOMPARE(lockedResult.error, ZipError::FolderNotWritable);
    QVERIFY(QFile::setPermissions(locked, open));
    QCOMPARE(filesBelow(locked), QStringList{});
}

void TestZipArchive::extractNeverOverwritesArchive()
{
    // A zip saved under a list's name in the data folder, holding that name.
    QTemporaryDir dir;
    const QString zipPath = dir.filePath(u"list.csv"_s);
    QVERIFY(writeZip(zipPath, {entry("list.csv")}));
    const QByteArray before = readBytes(zipPath);
    QCOMPARE(extractZipMember(zipPath, 0, dir.path()).error, ZipError::TargetIsArchive);
    QCOMPARE(readBytes(zipPath), before);
}

void TestZipArchive::extractLargeCompressedEntry()
{
    // 64 MB of repetitive list text compresses to well under 1 MB and must
    // still be unpacked whole: only an entry exceeding its declared size is refused.
    QTemporaryDir dir;
    const QString zipPath = dir.filePath(u"lists.zip"_s);
    const QByteArray block = listLines(100);
    QByteArray big;
    while (big.size() < (64 << 20))
        big += block;
    QVERIFY(writeZip(zipPath, {entry("big.csv", big)}));
    QVERIFY(QFileInfo(zipPath).size() < big.size() / 50);
    int progressCalls = 0;
    ExtractCallbacks callbacks;
    callbacks.progress = [&](double) { ++progressCalls; };
    const ExtractResult result = extractZipMember(zipPath, 0, dir.filePath(u"data"_s), callbacks);
    QVERIFY2(result.ok(), qPrintable(result.errorText));
    QCOMPARE(result.bytesWritten, big.size());
    QCOMPARE(QCryptographicHash::hash(readBytes(result.targetPath), QCryptographicHash::Sha256),
             QCryptographicHash::hash(big, QCryptographicHash::Sha256));
    QVERIFY(progressCalls <= 102); // at most once per percent
}

QTEST_GUILESS_MAIN(TestZipArchive)
#include "tst_zip_archive.moc"
