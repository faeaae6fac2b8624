// The copies of unpacked members: used again while the member's bytes are
// unchanged (by the archive's directory and the copy's record), and those of
// archives not used lately removed at start, nothing else.

#include "testutil_zip.h"
#include "zip/ZipArchive.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;
using namespace corvane;
using namespace corvane::zip;
using namespace corvane::testing;

namespace {

QByteArray listLines(const QByteArray &top, int count)
{
    QByteArray bytes;
    for (int i = 0; i < count; ++i)
        bytes += top + "\\file" + QByteArray::number(i) + ".doc,2020-01-02 03:04:05,12,32;7,OK\r\n";
    return bytes;
}

ZipMember onlyMember(const QString &zipPath)
{
    const ZipListing listing = listZipMembers(zipPath);
    return listing.members.value(0);
}

// The record's time set to `secondsAgo` before now: the order of use.
bool setUsed(const QString &record, int secondsAgo)
{
    struct timespec times[2];
    ::clock_gettime(CLOCK_REALTIME, &times[0]);
    times[0].tv_sec -= secondsAgo;
    times[1] = times[0];
    return ::utimensat(AT_FDCWD, QFile::encodeName(record).constData(), times,
                       AT_SYMLINK_NOFOLLOW) == 0;
}

} // namespace

class TestZipCopies : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void reuse_data();
    void reuse();
    void oldCopiesRemoved_data();
    void oldCopiesRemoved();
    void othersLeftAlone();
};

void TestZipCopies::reuse_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<bool>("reused");
    QTest::newRow("nothing changed") << u"none"_s << true;
    QTest::newRow("same name, other bytes in the archive") << u"archive"_s << false;
    QTest::newRow("same size, other bytes in the archive") << u"archive same size"_s << false;
    QTest::newRow("copy written since") << u"copy"_s << false;
    QTest::newRow("copy is a link") << u"copy link"_s << false;
    QTest::newRow("copy gone") << u"copy gone"_s << false;
    QTest::newRow("record gone") << u"record gone"_s << false;
    QTest::newRow("record is a link") << u"record link"_s << false;
    QTest::newRow("record garbage") << u"record garbage"_s << false;
    QTest::newRow("record of another size") << u"record edited"_s << false;
    QTest::newRow("archive gone") << u"archive gone"_s << false;
}

void TestZipCopies::reuse()
{
    QFETCH(QString, change);
    QFETCH(bool, reused);
    QTemporaryDir dir;
    const QString zipPath = dir.filePath(u"lists.zip"_s);
    QVERIFY(writeZip(zipPath, {entry("list.csv", listLines("A", 50))}));
    const QString folder = dir.filePath(u"data/archives/lists-1a2b"_s);
    ZipMember member = onlyMember(zipPath);
    QVERIFY(member.hasCrc);
    QVERIFY(!reuseUnpackedCopy(zipPath, member, folder)); // nothing unpacked yet
    const ExtractResult result = extractZipMember(zipPath, member.index, folder);
    QVERIFY2(result.ok(), qPrintable(result.errorText));
    const QString record = QDir(folder).filePath(copyRecordName(member.fileName));
    QCOMPARE(filesBelow(folder), (QStringList{u".list.csv.extracted"_s, u"list.csv"_s}));

    const QString elsewhere = dir.filePath(u"elsewhere"_s);
    QVERIFY(writeBytes(elsewhere, "not ours"));
    if (change == u"archive"_s) {
        QVERIFY(writeZip(zipPath, {entry("list.csv", listLines("A", 51))}));
        member = onlyMember(zipPath);
    } else if (change == u"archive same size"_s) {
        QVERIFY(writeZip(zipPath, {entry("list.csv", listLines("B", 50))}));
        member = onlyMember(zipPath);
    } else if (change == u"copy"_s) {
        QVERIFY(writeBytes(result.targetPath, listLines("A", 50) + "x"));
    } else if (change == u"copy link"_s) {
        QVERIFY(QFile::remove(result.targetPath));
        QVERIFY(QFile::link(elsewhere, result.targetPath));
    } else if (change == u"copy gone"_s) {
        QVERIFY(QFile::remove(result.targetPath));
    } else if (change == u"record gone"_s) {
        QVERIFY(QFile::remove(record));
    } else if (change == u"record link"_s) {
        // The record itself, moved away and reached through a link.
        const QString moved = dir.filePath(u"moved-record"_s);
        QVERIFY(QFile::rename(record, moved));
        QVERIFY(QFile::link(moved, record));
    } else if (change == u"record garbage"_s) {
        QVERIFY(writeBytes(record, "corvane-copy 1 what\n"));
    } else if (change == u"record edited"_s) {
        QByteArray bytes = readBytes(record);
        const QList<QByteArray> fields = bytes.split(' ');
        const QByteArray size = ' ' + fields[2] + ' ';
        const QByteArray other = ' ' + QByteArray::number(fields[2].toInt() + 1) + ' ';
        bytes.replace(size, other);
        QVERIFY(writeBytes(record, bytes));
    } else if (change == u"archive gone"_s) {
        QVERIFY(QFile::remove(zipPath));
    }
    QCOMPARE(reuseUnpackedCopy(zipPath, member, folder), reused);
    if (!reused || change != u"none"_s)
        return;
    // Used again and again, and still the archive's bytes.
    QVERIFY(reuseUnpackedCopy(zipPath, member, folder));
    QCOMPARE(readBytes(result.targetPath), listLines("A", 50));
    // A fresh unpacking writes a fresh record: reused from then on as well.
    QVERIFY(extractZipMember(zipPath, member.index, folder).ok());
    QVERIFY(reuseUnpackedCopy(zipPath, member, folder));
}

void TestZipCopies::oldCopiesRemoved_data()
{
    QTest::addColumn<int>("archives");
    QTest::addColumn<int>("keep");
    QTest::newRow("fewer than kept") << 2 << 3;
    QTest::newRow("as many as kept") << 3 << 3;
    QTest::newRow("two more than kept") << 5 << 3;
    QTest::newRow("keep one") << 4 << 1;
}

// The archives used last keep their copies (by their records' times, a
// reuse counting as a use); the others lose theirs and their folders.
void TestZipCopies::oldCopiesRemoved()
{
    QFETCH(int, archives);
    QFETCH(int, keep);
    QTemporaryDir dir;
    const QString root = dir.filePath(u"data/archives"_s);
    QStringList folders;
    for (int i = 0; i < archives; ++i) {
        const QString zipPath = dir.filePath(u"lists%1.zip"_s.arg(i));
        QVERIFY(writeZip(zipPath, {entry("a.csv", listLines("A", 5 + i)),
                                   entry("b.csv", listLines("B", 5 + i))}));
        const QString folder = QDir(root).filePath(u"lists%1-1a2b"_s.arg(i));
        for (const ZipMember &member : listZipMembers(zipPath).members) {
            QVERIFY(extractZipMember(zipPath, member.index, folder).ok());
            // Archive 0 is the newest, the others older by the hour.
            QVERIFY(setUsed(QDir(folder).filePath(copyRecordName(member.fileName)), 3600 * i));
        }
        folders << folder;
    }
    // The oldest archive used again now: among the kept ones.
    if (archives > keep) {
        const QString zipPath = dir.filePath(u"lists%1.zip"_s.arg(archives - 1));
        QVERIFY(
            reuseUnpackedCopy(zipPath, listZipMembers(zipPath).members.first(), folders.last()));
    }

    const int removed = removeOldArchiveCopies(root, keep);
    QStringList kept;
    for (int i = 0; i < archives; ++i) {
        if (QFileInfo::exists(folders[i]))
            kept << QFileInfo(folders[i]).fileName();
    }
    QStringList expected;
    for (int i = 0; i < archives; ++i) {
        const bool stays = i < keep - (archives > keep ? 1 : 0) || i == archives - 1;
        if (stays)
            expected << QFileInfo(folders[i]).fileName();
    }
    QCOMPARE(kept, expected);
    QCOMPARE(removed, 2 * (archives - int(expected.size())));
    for (const QString &name : expected)
        QCOMPARE(
            filesBelow(QDir(root).filePath(name)),
            (QStringList{u".a.csv.extracted"_s, u".b.csv.extracted"_s, u"a.csv"_s, u"b.csv"_s}));
    // Nothing more to do the next time.
    QCOMPARE(removeOldArchiveCopies(root, keep), 0);
}

// In the folder of an archive not used lately, only what the records show
// the program wrote goes: the user's own file, a link (and what it leads
// to), a copy changed since, and a folder without records all stay.
void TestZipCopies::othersLeftAlone()
{
    QTemporaryDir dir;
    const QString root = dir.filePath(u"data/archives"_s);
    const QString zipPath = dir.filePath(u"lists.zip"_s);
    QVERIFY(writeZip(zipPath, {entry("a.csv", listLines("A", 5)), entry("b.csv", listLines("B", 5)),
                               entry("c.csv", listLines("C", 5))}));
    const QString old = QDir(root).filePath(u"old-1a2b"_s);
    for (const ZipMember &member : listZipMembers(zipPath).members) {
        QVERIFY(extractZipMember(zipPath, member.index, old).ok());
        QVERIFY(setUsed(QDir(old).filePath(copyRecordName(member.fileName)), 7200));
    }
    // Three newer archives.
    for (int i = 0; i < 3; ++i) {
        const QString folder = QDir(root).filePath(u"new%1-1a2b"_s.arg(i));
        QVERIFY(extractZipMember(zipPath, 0, folder).ok());
    }
    const QString outside = dir.filePath(u"outside.csv"_s);
    QVERIFY(writeBytes(outside, "the user's own"));
    QVERIFY(writeBytes(QDir(old).filePath(u"notes-of-mine.txt"_s), "mine"));
    // b.csv: a link now, to a file of the user's; c.csv: written since.
    QVERIFY(QFile::remove(QDir(old).filePath(u"b.csv"_s)));
    QVERIFY(QFile::link(outside, QDir(old).filePath(u"b.csv"_s)));
    QVERIFY(writeBytes(QDir(old).filePath(u"c.csv"_s), "changed by hand, longer than before.."));
    // A link planted at a record's name, to a record-like file elsewhere.
    const QString decoy = dir.filePath(u"decoy"_s);
    QVERIFY(writeBytes(decoy, "corvane-copy 1 1 0 1 0 0 0 0\n"));
    QVERIFY(QFile::link(decoy, QDir(old).filePath(u".d.csv.extracted"_s)));
    // A folder of an older build (no records), and a link to a folder.
    const QString legacy = QDir(root).filePath(u"legacy-1a2b"_s);
    QVERIFY(QDir().mkpath(legacy));
    QVERIFY(writeBytes(QDir(legacy).filePath(u"list.csv"_s), "old"));
    QTemporaryDir target;
    QVERIFY(writeBytes(QDir(target.path()).filePath(u"x.csv"_s), "x"));
    QVERIFY(QFile::link(target.path(), QDir(root).filePath(u"linked-1a2b"_s)));

    QCOMPARE(removeOldArchiveCopies(root, 3), 1); // a.csv only
    QCOMPARE(filesBelow(old),
             (QStringList{u".d.csv.extracted"_s, u"b.csv"_s, u"c.csv"_s, u"notes-of-mine.txt"_s}));
    QCOMPARE(readBytes(outside), QByteArray("the user's own"));
    QCOMPARE(readBytes(decoy), QByteArray("corvane-copy 1 1 0 1 0 0 0 0\n"));
    QCOMPARE(filesBelow(legacy), QStringList{u"list.csv"_s});
    QCOMPARE(filesBelow(target.path()), QStringList{u"x.csv"_s});
    for (int i = 0; i < 3; ++i)
        QCOMPARE(filesBelow(QDir(root).filePath(u"new%1-1a2b"_s.arg(i))),
                 (QStringList{u".a.csv.extracted"_s, u"a.csv"_s}));
}

QTEST_GUILESS_MAIN(TestZipCopies)
#include "tst_zip_copies.moc"
