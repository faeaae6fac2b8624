// Where members are unpacked: never into a folder reached through a planted
// link, through a part file that is the program's own and locked while it is
// written, and the part files an unpacking cut short left behind removed, and
// nothing else.

#include "testutil_zip.h"
#include "zip/ZipArchive.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;
using namespace corvane;
using namespace corvane::zip;
using namespace corvane::testing;

namespace {

const QString StaleName = u".list.csv.0a1b2c3d4e5f6.part"_s;

QByteArray listLines(int count)
{
    QByteArray bytes;
    for (int i = 0; i < count; ++i)
        bytes +=
            "C:\\Data\\file" + QByteArray::number(i) + ".doc,2020-01-02 03:04:05,12,32;7,OK\r\n";
    return bytes;
}

} // namespace

class TestZipPartFiles : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void neverThroughPlantedLink_data();
    void neverThroughPlantedLink();
    void partFileIsOwnAndLocked();
    void partFileNames_data();
    void partFileNames();
    void staleParts();
};

void TestZipPartFiles::neverThroughPlantedLink_data()
{
    QTest::addColumn<QString>("planted");
    QTest::addColumn<bool>("checkFromData"); // the data folder given as well
    QTest::newRow("member folder is a link") << u"archives/lists-1a2b"_s << false;
    QTest::newRow("archives is a link") << u"archives"_s << true;
    QTest::newRow("member folder is a dangling link") << u"dangling"_s << false;
}

void TestZipPartFiles::neverThroughPlantedLink()
{
    QFETCH(QString, planted);
    QFETCH(bool, checkFromData);
    QTemporaryDir dir, elsewhere;
    const QString zipPath = dir.filePath(u"lists.zip"_s);
    QVERIFY(writeZip(zipPath, {entry("list.csv", listLines(20))}));
    const QString data = dir.filePath(u"data"_s);
    const QString folder = QDir(data).filePath(u"archives/lists-1a2b"_s);
    QVERIFY(QDir().mkpath(QDir(data).filePath(u"archives"_s)));
    if (planted == u"archives"_s) {
        QVERIFY(QDir(data).rmdir(u"archives"_s));
        QVERIFY(QFile::link(elsewhere.path(), QDir(data).filePath(u"archives"_s)));
    } else if (planted == u"dangling"_s) {
        QVERIFY(QFile::link(elsewhere.filePath(u"none"_s), folder));
    } else {
        QVERIFY(QFile::link(elsewhere.path(), folder));
    }
    ExtractCallbacks callbacks;
    if (checkFromData)
        callbacks.dataFolder = data;
    const ExtractResult result = extractZipMember(zipPath, 0, folder, callbacks);
    QCOMPARE(result.error, ZipError::FolderNotWritable);
    QCOMPARE(filesBelow(elsewhere.path()), QStringList());
    QVERIFY(!result.errorText.isEmpty());
}

void TestZipPartFiles::partFileIsOwnAndLocked()
{
    QTemporaryDir dir;
    const QString zipPath = dir.filePath(u"lists.zip"_s);
    QVERIFY(writeZip(zipPath, {entry("list.csv", listLines(20000))}));
    const QString archives = dir.filePath(u"data/archives"_s);
    const QString folder = QDir(archives).filePath(u"lists-1a2b"_s);
    QStringList seen;
    int removedWhileWriting = -1;
    mode_t mode = 0;
    ExtractCallbacks callbacks;
    callbacks.dataFolder = dir.filePath(u"data"_s);
    callbacks.progress = [&](double) {
        if (!seen.isEmpty())
            return;
        seen = filesBelow(folder);
        struct stat status;
        if (seen.size() == 1 &&
            ::stat(QFile::encodeName(QDir(folder).filePath(seen[0])).constData(), &status) == 0)
            mode = status.st_mode & 0777;
        // Another run of the program starting now leaves it alone.
        removedWhileWriting = removeStalePartFiles(archives);
    };
    const ExtractResult result = extractZipMember(zipPath, 0, folder, callbacks);
    QVERIFY2(result.ok(), qPrintable(result.errorText));
    QCOMPARE(seen.size(), 1);
    QVERIFY2(isPartFileName(seen[0]), qPrintable(seen[0]));
    QCOMPARE(mode, mode_t(0600));
    QCOMPARE(removedWhileWriting, 0);
    QCOMPARE(filesBelow(folder), (QStringList{u".list.csv.extracted"_s, u"list.csv"_s}));
    QCOMPARE(readBytes(result.targetPath), listLines(20000));
}

void TestZipPartFiles::partFileNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("part");
    QTest::newRow("own") << StaleName << true;
    QTest::newRow("member") << u"list.csv"_s << false;
    QTest::newRow("not hidden") << u"list.csv.0a1b2c3d4e5f6.part"_s << false;
    QTest::newRow("no random part") << u".list.csv.part"_s << false;
    QTest::newRow("short random part") << u".list.csv.0a1b2.part"_s << false;
    QTest::newRow("capitals") << u".list.csv.0A1B2C3D4E5F6.part"_s << false;
    QTest::newRow("other ending") << u".list.csv.0a1b2c3d4e5f6.tmp"_s << false;
}

void TestZipPartFiles::partFileNames()
{
    QFETCH(QString, name);
    QFETCH(bool, part);
    QCOMPARE(isPartFileName(name), part);
}

void TestZipPartFiles::staleParts()
{
    QTemporaryDir dir, elsewhere;
    const QString archives = dir.filePath(u"archives"_s);
    const QString one = QDir(archives).filePath(u"one-1a2b"_s);
    QVERIFY(QDir().mkpath(one));
    QVERIFY(writeBytes(QDir(one).filePath(StaleName), listLines(50)));
    QVERIFY(writeBytes(QDir(one).filePath(u".other.csv.zzzzzzzzzzzzz.part"_s), "x"));
    QVERIFY(writeBytes(QDir(one).filePath(u"list.csv"_s), "member"));
    QVERIFY(writeBytes(QDir(one).filePath(u".list.csv.part"_s), "someone's"));
    QVERIFY(QDir(one).mkdir(u".dir.csv.0a1b2c3d4e5f6.part"_s));
    QVERIFY(writeBytes(QDir(one).filePath(u".dir.csv.0a1b2c3d4e5f6.part/inner"_s), "inner"));
    // A part-named link: neither it nor its target goes.
    QVERIFY(writeBytes(elsewhere.filePath(u"victim"_s), "victim"));
    QVERIFY(QFile::link(elsewhere.filePath(u"victim"_s),
                        QDir(one).filePath(u".link.csv.0a1b2c3d4e5f6.part"_s)));
    // A folder of archives that is a link: not walked.
    QVERIFY(writeBytes(elsewhere.filePath(StaleName), "outside"));
    QVERIFY(QFile::link(elsewhere.path(), QDir(archives).filePath(u"two-3c4d"_s)));
    // A part file held by a running extraction.
    const QString held = QDir(one).filePath(u".held.csv.0a1b2c3d4e5f6.part"_s);
    QVERIFY(writeBytes(held, "being written"));
    const int fd = ::open(QFile::encodeName(held).constData(), O_RDONLY | O_CLOEXEC);
    QVERIFY(fd >= 0);
    QCOMPARE(::flock(fd, LOCK_EX), 0);
    // Part files lie one level down, never in archives itself.
    QVERIFY(writeBytes(QDir(archives).filePath(StaleName), "top"));

    QCOMPARE(removeStalePartFiles(archives), 2);
    ::close(fd);
    QCOMPARE(filesBelow(one),
             (QStringList{u".dir.csv.0a1b2c3d4e5f6.part/inner"_s, u".held.csv.0a1b2c3d4e5f6.part"_s,
                          u".link.csv.0a1b2c3d4e5f6.part"_s, u".list.csv.part"_s, u"list.csv"_s}));
    QCOMPARE(readBytes(elsewhere.filePath(u"victim"_s)), QByteArray("victim"));
    QCOMPARE(readBytes(elsewhere.filePath(StaleName)), QByteArray("outside"));
    QVERIFY(QFileInfo::exists(QDir(archives).filePath(StaleName)));
    // Nothing there at all: nothing to do.
    QCOMPARE(removeStalePartFiles(dir.filePath(u"none"_s)), 0);
}

QTEST_GUILESS_MAIN(TestZipPartFiles)
#include "tst_zip_partfiles.moc"
