// The target drive: capacities as users write them, the default cluster of
// each file system by drive size, and the room a choice of files takes.

#include "basket/TargetDrive.h"

#include <QTest>

#include <limits>

using namespace corvane::basket;
using namespace Qt::Literals::StringLiterals;

namespace {
constexpr qint64 KiB = 1024;
constexpr qint64 MiB = KiB * 1024;
constexpr qint64 GiB = MiB * 1024;
constexpr qint64 TiB = GiB * 1024;
constexpr qint64 PiB = TiB * 1024;
} // namespace

Q_DECLARE_METATYPE(FileSystem)
Q_DECLARE_METATYPE(std::optional<qint64>)

class TestTargetDrive : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void capacity_data();
    void capacity();
    void fileSystemNames_data();
    void fileSystemNames();
    void defaultCluster_data();
    void defaultCluster();
    void room_data();
    void room();
    void roomSaturates();
    void mergeAsOneRoom_data();
    void mergeAsOneRoom();
};

void TestTargetDrive::capacity_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<std::optional<qint64>>("bytes");
    const std::optional<qint64> none;
    QTest::newRow("decimal GB") << u"500 GB"_s << std::optional<qint64>(500'000'000'000);
    QTest::newRow("no space, upper case") << u"2TB"_s << std::optional<qint64>(2'000'000'000'000);
    QTest::newRow("lower case") << u"1 tb"_s << std::optional<qint64>(1'000'000'000'000);
    QTest::newRow("binary GiB") << u"64GiB"_s << std::optional<qint64>(64 * GiB);
    QTest::newRow("binary mixed case") << u"64 gIb"_s << std::optional<qint64>(64 * GiB);
    QTest::newRow("fraction") << u"1.5 TB"_s << std::optional<qint64>(1'500'000'000'000);
    QTest::newRow("fraction of a byte dropped")
        << u"1.0000000000001 kB"_s << std::optional<qint64>(1000);
    QTest::newRow("whole bytes") << u"500107862016"_s << std::optional<qint64>(500'107'862'016);
    QTest::newRow("bytes with B") << u"512 B"_s << std::optional<qint64>(512);
    QTest::newRow("spaces around") << u"  2 TB  "_s << std::optional<qint64>(2'000'000'000'000);
    QTest::newRow("the largest") << u"1024 PiB"_s << std::optional<qint64>(MaxCapacity);
    QTest::newRow("above the largest") << u"1025 PiB"_s << none;
    QTest::newRow("10^30 bytes") << u"1000000000000000000000000000000"_s << none;
    QTest::newRow("10^40 TB") << u"10000000000000000000000000000000000000000 TB"_s << none;
    QTest::newRow("2^80 PiB, past 128 bits once multiplied")
        << u"1208925819614629174706176 PiB"_s << none;
    QTest::newRow("zero") << u"0"_s << none;
    QTest::newRow("zero GB") << u"0 GB"_s << none;
    QTest::newRow("rounds to zero") << u"0.0001 B"_s << none;
    QTest::newRow("negative") << u"-1 TB"_s << none;
    QTest::newRow("unknown unit") << u"12 XB"_s << none;
    QTest::newRow("fraction of bytes") << u"1.5"_s << none;
    QTest::newRow("decimal comma") << u"1,5 TB"_s << std::optional<qint64>(1'500'000'000'000);
    QTest::newRow("French To, decimal comma")
        << u"1,5 To"_s << std::optional<qint64>(1'500'000'000'000);
    QTest::newRow("French Go") << u"500 Go"_s << std::optional<qint64>(500'000'000'000);
    QTest::newRow("French Gio") << u"64 Gio"_s << std::optional<qint64>(64 * GiB);
    QTest::newRow("octets") << u"512 o"_s << std::optional<qint64>(512);
    QTest::newRow("thousands comma") << u"1,000 GB"_s << none;
    QTest::newRow("two commas") << u"1,5,0 GB"_s << none;
    QTest::newRow("exponent") << u"1e12"_s << none;
    QTest::newRow("empty") << QString() << none;
    QTest::newRow("unit only") << u"TB"_s << none;
    QTest::newRow("dot only") << u". GB"_s << none;
    QTest::newRow("Arabic-Indic digits") << u"\u0661\u0662 GB"_s << none;
    QTest::newRow("two units") << u"1 TB GB"_s << none;
}

void TestTargetDrive::capacity()
{
    QFETCH(QString, text);
    QFETCH(std::optional<qint64>, bytes);
    QCOMPARE(parseCapacity(text), bytes);
}

void TestTargetDrive::fileSystemNames_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("fs"); // -1: not read
    QTest::addColumn<QString>("name");
    QTest::newRow("fat32") << u"FAT32"_s << int(FileSystem::Fat32) << u"FAT32"_s;
    QTest::newRow("exfat") << u"exfat"_s << int(FileSystem::ExFat) << u"exFAT"_s;
    QTest::newRow("ntfs") << u" Ntfs "_s << int(FileSystem::Ntfs) << u"NTFS"_s;
    QTest::newRow("ext4") << u"EXT4"_s << int(FileSystem::Ext4) << u"ext4"_s;
    QTest::newRow("apfs") << u"apfs"_s << int(FileSystem::Apfs) << u"APFS"_s;
    QTest::newRow("hfs+") << u"HFS+"_s << int(FileSystem::HfsPlus) << u"HFS+"_s;
    QTest::newRow("fat16") << u"fat16"_s << -1 << QString();
    QTest::newRow("empty") << QString() << -1 << QString();
}

void TestTargetDrive::fileSystemNames()
{
    QFETCH(QString, text);
    QFETCH(int, fs);
    QFETCH(QString, name);
    const std::optional<FileSystem> read = parseFileSystem(text);
    QCOMPARE(read.has_value(), fs >= 0);
    if (read) {
        QCOMPARE(int(*read), fs);
        QCOMPARE(fileSystemName(*read), name);
        QCOMPARE(parseFileSystem(fileSystemName(*read)), read);
    }
}

void TestTargetDrive::defaultCluster_data()
{
    QTest::addColumn<FileSystem>("fs");
    QTest::addColumn<qint64>("capacity");
    QTest::addColumn<qint64>("cluster");
    // Drives as they are sold (decimal sizes) and a few at the table's bounds.
    QTest::newRow("exFAT 1 TB") << FileSystem::ExFat << qint64(1'000'000'000'000) << 128 * KiB;
    QTest::newRow("exFAT 16 GB stick") << FileSystem::ExFat << qint64(16'000'000'000) << 32 * KiB;
    QTest::newRow("exFAT just below 32 GiB") << FileSystem::ExFat << 32 * GiB - 1 << 32 * KiB;
    QTest::newRow("exFAT 32 GiB") << FileSystem::ExFat << 32 * GiB << 128 * KiB;
    QTest::newRow("exFAT 200 MiB") << FileSystem::ExFat << 200 * MiB << 4 * KiB;
    QTest::newRow("FAT32 1 TB") << FileSystem::Fat32 << qint64(1'000'000'000'000) << 32 * KiB;
    QTest::newRow("FAT32 32 GB stick") << FileSystem::Fat32 << qint64(32'000'000'000) << 16 * KiB;
    QTest::newRow("FAT32 16 GB stick") << FileSystem::Fat32 << qint64(16'000'000'000) << 8 * KiB;
    QTest::newRow("FAT32 4 GB") << FileSystem::Fat32 << qint64(4'000'000'000) << 4 * KiB;
    QTest::newRow("FAT32 100 MiB") << FileSystem::Fat32 << 100 * MiB << KiB;
    QTest::newRow("FAT32 40 MiB") << FileSystem::Fat32 << 40 * MiB << qint64(512);
    QTest::newRow("NTFS 2 TB") << FileSystem::Ntfs << qint64(2'000'000'000'000) << 4 * KiB;
    QTest::newRow("NTFS 16 TiB") << FileSystem::Ntfs << 16 * TiB << 8 * KiB;
    QTest::newRow("NTFS 100 TiB") << FileSystem::Ntfs << 100 * TiB << 32 * KiB;
    QTest::newRow("NTFS 8 PiB") << FileSystem::Ntfs << 8 * PiB << 2 * MiB;
    QTest::newRow("ext4 1 TB") << FileSystem::Ext4 << qint64(1'000'000'000'000) << 4 * KiB;
    QTest::newRow("APFS 1 TB") << FileSystem::Apfs << qint64(1'000'000'000'000) << 4 * KiB;
    QTest::newRow("HFS+ 1 TB") << FileSystem::HfsPlus << qint64(1'000'000'000'000) << 4 * KiB;
}

void TestTargetDrive::defaultCluster()
{
    QFETCH(FileSystem, fs);
    QFETCH(qint64, capacity);
    QFETCH(qint64, cluster);
    QCOMPARE(defaultClusterSize(fs, capacity), cluster);
}

void TestTargetDrive::room_data()
{
    QTest::addColumn<FileSystem>("fs");
    QTest::addColumn<qint64>("capacity");
    QTest::addColumn<QList<qint64>>("sizes");
    QTest::addColumn<QList<qint64>>("pathLengths"); // one a size; empty: all short
    QTest::addColumn<qint64>("bytes");
    QTest::addColumn<qint64>("largest");
    QTest::addColumn<qint64>("onDisk");
    QTest::addColumn<qint64>("tooBig");
    QTest::addColumn<qint64>("tooLong");
    QTest::addColumn<qint64>("moreNeeded");
    const qint64 tb = 1'000'000'000'000;
    QTest::newRow("nothing chosen")
        << FileSystem::ExFat << tb << QList<qint64>{} << QList<qint64>{} << qint64(0) << qint64(0)
        << qint64(0) << qint64(0) << qint64(0) << qint64(0);
    QTest::newRow("whole clusters, empty files take none")
        << FileSystem::ExFat << tb << QList<qint64>{0, 1, 128 * KiB, 128 * KiB + 1}
        << QList<qint64>{} << qint64(1 + 128 * KiB + 128 * KiB + 1) << 128 * KiB + 1
        << qint64(4 * 128 * KiB) << qint64(0) << qint64(0) << qint64(0);
    QTest::newRow("a size below 0 counts as 0")
        << FileSystem::Ext4 << tb << QList<qint64>{-5, 10} << QList<qint64>{} << qint64(10)
        << qint64(10) << 4 * KiB << qint64(0) << qint64(0) << qint64(0);
    QTest::newRow("FAT32 holds 4 GiB less one byte, not 4 GiB")
        << FileSystem::Fat32 << tb << QList<qint64>{Fat32LargestFile, Fat32LargestFile + 1}
        << QList<qint64>{} << 2 * Fat32LargestFile + 1 << Fat32LargestFile + 1 << 8 * GiB
        << qint64(1) << qint64(0) << qint64(0);
    QTest::newRow("exFAT holds a 4 GiB file")
        << FileSystem::ExFat << tb << QList<qint64>{Fat32LargestFile + 1} << QList<qint64>{}
        << Fat32LargestFile + 1 << Fat32LargestFile + 1 << 4 * GiB << qint64(0) << qint64(0)
        << qint64(0);
    QTest::newRow("does not fit by its clusters")
        << FileSystem::ExFat << qint64(1'000'000) << QList<qint64>(250, 4000) << QList<qint64>{}
        << qint64(1'000'000) << qint64(4000) << qint64(250 * 4096) << qint64(0) << qint64(0)
        << qint64(250 * 4096 - 1'000'000);
    QTest::newRow("paths of 260 and 261 characters")
        << FileSystem::Ntfs << tb << QList<qint64>{1, 1, 1} << QList<qint64>{259, 260, 261}
        << qint64(3) << qint64(1) << 3 * 4 * KiB << qint64(0) << qint64(1) << qint64(0);
}

void TestTargetDrive::room()
{
    QFETCH(FileSystem, fs);
    QFETCH(qint64, capacity);
    QFETCH(QList<qint64>, sizes);
    QFETCH(QList<qint64>, pathLengths);
    RoomOnTarget room(fs, capacity);
    for (qsizetype i = 0; i < sizes.size(); ++i)
        room.add(sizes.at(i), pathLengths.isEmpty() ? 10 : pathLengths.at(i));
    QCOMPARE(room.files(), qint64(sizes.size()));
    QTEST(room.bytes(), "bytes");
    QTEST(room.largest(), "largest");
    QTEST(room.onDisk(), "onDisk");
    QTEST(room.tooBigForFileSystem(), "tooBig");
    QTEST(room.pathsTooLong(), "tooLong");
    QTEST(room.moreNeeded(), "moreNeeded");
    QFETCH(qint64, moreNeeded);
    QCOMPARE(room.fits(), moreNeeded == 0);
    QCOMPARE(room.cluster(), defaultClusterSize(fs, capacity));
}

// Sizes from a hostile list: the sums stop at the largest number, and such
// a choice never fits.
void TestTargetDrive::roomSaturates()
{
    const qint64 most = std::numeric_limits<qint64>::max();
    RoomOnTarget room(FileSystem::Ntfs, MaxCapacity);
    room.add(most, 1);
    room.add(most, 1);
    QCOMPARE(room.bytes(), most);
    QCOMPARE(room.onDisk(), most);
    QCOMPARE(room.largest(), most);
    QVERIFY(!room.fits());
    QCOMPARE(room.moreNeeded(), most - MaxCapacity);
}

// Each row: files added to one room, or split at `split` into two rooms
// merged; both must give the same figures, the saturated sums included.
void TestTargetDrive::mergeAsOneRoom_data()
{
    QTest::addColumn<int>("fs");
    QTest::addColumn<QList<qint64>>("sizes");
    QTest::addColumn<int>("split");
    constexpr qint64 max = std::numeric_limits<qint64>::max();
    const QList<qint64> near{max / 2, max / 2, 5, max / 3, 1};
    QTest::newRow("plain") << int(FileSystem::ExFat) << QList<qint64>{1, 4096, 0, -3, 131073} << 2;
    QTest::newRow("all in the first") << int(FileSystem::Ntfs) << QList<qint64>{7, 8, 9} << 3;
    QTest::newRow("all in the second") << int(FileSystem::Ntfs) << QList<qint64>{7, 8, 9} << 0;
    QTest::newRow("saturates only merged") << int(FileSystem::Ext4) << near << 2;
    QTest::newRow("saturates in both") << int(FileSystem::Ext4) << QList<qint64>{max, max} << 1;
    QTest::newRow("FAT32 too big on both sides")
        << int(FileSystem::Fat32) << QList<qint64>{Fat32LargestFile + 1, 10, Fat32LargestFile + 2}
        << 2;
}

void TestTargetDrive::mergeAsOneRoom()
{
    QFETCH(int, fs);
    QFETCH(QList<qint64>, sizes);
    QFETCH(int, split);
    const qint64 capacity = 1'000'000'000'000;
    RoomOnTarget one(FileSystem(fs), capacity);
    RoomOnTarget first(FileSystem(fs), capacity);
    RoomOnTarget second(FileSystem(fs), capacity);
    for (int i = 0; i < sizes.size(); ++i) {
        const qsizetype pathLength = qsizetype(250 + 5 * i); // some too long
        one.add(sizes.at(i), pathLength);
        (i < split ? first : second).add(sizes.at(i), pathLength);
    }
    first.merge(second);
    QCOMPARE(first.files(), one.files());
    QCOMPARE(first.bytes(), one.bytes());
    QCOMPARE(first.largest(), one.largest());
    QCOMPARE(first.onDisk(), one.onDisk());
    QCOMPARE(first.tooBigForFileSystem(), one.tooBigForFileSystem());
    QCOMPARE(first.pathsTooLong(), one.pathsTooLong());
    QCOMPARE(first.fits(), one.fits());
}

QTEST_APPLESS_MAIN(TestTargetDrive)
#include "tst_targetdrive.moc"
