#pragma once

// The drive a restore goes to: its capacity as the user writes it, its file
// system, the cluster size that file system gets by default on a drive of
// that size, and the room a set of files takes there.

#include <QString>
#include <QStringView>
#include <QtGlobal>

#include <optional>

namespace corvane::basket {

enum class FileSystem { Fat32, ExFat, Ntfs, Ext4, Apfs, HfsPlus };

// "fat32", "exfat", "ntfs", "ext4", "apfs" or "hfs+", in any case, with
// spaces around; nullopt for anything else.
std::optional<FileSystem> parseFileSystem(QStringView text);
// The name a user knows it by: "FAT32", "exFAT", "NTFS", "ext4", "APFS", "HFS+".
QString fileSystemName(FileSystem fs);

// No drive is larger (1 EiB); a capacity above it is taken as a typing error.
constexpr qint64 MaxCapacity = qint64(1) << 60;

// A capacity as a drive maker or a file manager writes it: a whole number of
// bytes ("500107862016", "512 B"), or a number with a unit, the decimal ones
// kB, MB, GB, TB, PB (powers of 1000) or the binary ones KiB, MiB, GiB, TiB,
// PiB (powers of 1024), in any case, with or without a space before the unit
// ("1TB", "1.5 TB", "64GiB"), or the octet forms (o, ko, Mo, Go, To, Po,
// Kio ... Pio: "2 To"). The decimal separator is '.' or ',' ("1,5 To"); a
// comma before exactly three digits is taken for a thousands separator
// and refused rather than guessed. A fraction of a
// byte is dropped. nullopt: empty, not such a number, 0, more than
// MaxCapacity, or a unit not known ("12 XB").
std::optional<qint64> parseCapacity(QStringView text);

// The cluster size the file system is given by default when a drive of
// capacity bytes is formatted: Windows' defaults by volume size for FAT32,
// exFAT and NTFS, 4 KiB for ext4, APFS and HFS+.
qint64 defaultClusterSize(FileSystem fs, qint64 capacity);

// The largest file FAT32 can hold: 4 GiB less one byte.
constexpr qint64 Fat32LargestFile = 4294967295;
// Longer paths below the target's root fail on many Windows restores.
constexpr qsizetype LongestRestorePath = 260;

// The room a set of files takes on a target drive, added one file at a time.
class RoomOnTarget
{
public:
    RoomOnTarget(FileSystem fs, qint64 capacity);

    // One file of size whole bytes (below 0 counts as 0) whose path below
    // the target's root is pathLength characters long.
    void add(qint64 size, qsizetype pathLength);
    // Adds the files other has counted, as if each had been added here (the
    // sums saturate alike). other is for the same file system and capacity.
    void merge(const RoomOnTarget &other);

    qint64 cluster() const { return m_cluster; }
    qint64 capacity() const { return m_capacity; }
    qint64 files() const { return m_files; }
    qint64 bytes() const { return m_bytes; } // at most INT64_MAX
    qint64 largest() const { return m_largest; }
    // Each file rounded up to whole clusters; a file of 0 bytes takes none.
    qint64 onDisk() const { return m_onDisk; } // at most INT64_MAX
    // Files the file system cannot hold (FAT32: more than Fat32LargestFile).
    qint64 tooBigForFileSystem() const { return m_tooBig; }
    qint64 pathsTooLong() const { return m_pathsTooLong; }
    bool fits() const { return m_onDisk <= m_capacity; }
    // How much more room the files need than the drive has (0 when they fit).
    qint64 moreNeeded() const { return fits() ? 0 : m_onDisk - m_capacity; }

private:
    FileSystem m_fs;
    qint64 m_capacity;
    qint64 m_cluster;
    int m_clusterShift; // log2 of m_cluster when it is a power of two, else -1
    qint64 m_files = 0;
    qint64 m_bytes = 0;
    qint64 m_largest = 0;
    qint64 m_onDisk = 0;
    qint64 m_tooBig = 0;
    qint64 m_pathsTooLong = 0;
};

} // namespace corvane::basket
