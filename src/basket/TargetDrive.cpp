#include "TargetDrive.h"

#include <algorithm>
#include <bit>
#include <limits>

using namespace Qt::Literals::StringLiterals;

namespace corvane::basket {

namespace {

using Wide = unsigned __int128;

constexpr qint64 KiB = 1024;
constexpr qint64 MiB = KiB * 1024;
constexpr qint64 GiB = MiB * 1024;
constexpr qint64 TiB = GiB * 1024;
constexpr qint64 PiB = TiB * 1024;

struct Unit
{
    QStringView name;
    qint64 factor;
};

constexpr Unit Units[] = {
    {u"b", 1},
    {u"kb", 1000},
    {u"mb", 1000 * 1000},
    {u"gb", qint64(1000) * 1000 * 1000},
    {u"tb", qint64(1000) * 1000 * 1000 * 1000},
    {u"pb", qint64(1000) * 1000 * 1000 * 1000 * 1000},
    {u"kib", KiB},
    {u"mib", MiB},
    {u"gib", GiB},
    {u"tib", TiB},
    {u"pib", PiB},
    // The octet forms French writes: o, ko, Mo, Go, To, Po and Kio ... Pio.
    {u"o", 1},
    {u"ko", 1000},
    {u"mo", 1000 * 1000},
    {u"go", qint64(1000) * 1000 * 1000},
    {u"to", qint64(1000) * 1000 * 1000 * 1000},
    {u"po", qint64(1000) * 1000 * 1000 * 1000 * 1000},
    {u"kio", KiB},
    {u"mio", MiB},
    {u"gio", GiB},
    {u"tio", TiB},
    {u"pio", PiB},
};

// The smallest cluster of a table whose volume bound is above capacity; the
// last entry's cluster above every bound.
struct Step
{
    qint64 below;
    qint64 cluster;
};

qint64 clusterFrom(const Step *steps, std::size_t count, qint64 last, qint64 capacity)
{
    for (std::size_t i = 0; i < count; ++i) {
        if (capacity < steps[i].below)
            return steps[i].cluster;
    }
    return last;
}

qint64 saturatedAdd(qint64 a, qint64 b)
{
    qint64 sum = 0;
    if (__builtin_add_overflow(a, b, &sum))
        return std::numeric_limits<qint64>::max();
    return sum;
}

} // namespace

std::optional<FileSystem> parseFileSystem(QStringView text)
{
    const QString name = text.trimmed().toString().toLower();
    if (name == u"fat32")
        return FileSystem::Fat32;
    if (name == u"exfat")
        return FileSystem::ExFat;
    if (name == u"ntfs")
        return FileSystem::Ntfs;
    if (name == u"ext4")
        return FileSystem::Ext4;
    if (name == u"apfs")
        return FileSystem::Apfs;
    if (name == u"hfs+")
        return FileSystem::HfsPlus;
    return std::nullopt;
}

QString fileSystemName(FileSystem fs)
{
    switch (fs) {
    case FileSystem::Fat32:
        return u"FAT32"_s;
    case FileSystem::ExFat:
        return u"exFAT"_s;
    case FileSystem::Ntfs:
        return u"NTFS"_s;
    case FileSystem::Ext4:
        return u"ext4"_s;
    case FileSystem::Apfs:
        return u"APFS"_s;
    case FileSystem::HfsPlus:
        return u"HFS+"_s;
    }
    return QString();
}

std::optional<qint64> parseCapacity(QStringView text)
{
    const QStringView t = text.trimmed();
    qsizetype at = 0;
    // Whole part and fraction as digits, kept exact in 128 bits.
    Wide whole = 0;
    Wide fraction = 0;
    Wide fractionScale = 1;
    bool digits = false;
    // A whole part above the largest capacity is refused before any unit
    // multiplies it, so the product stays inside 128 bits.
    constexpr Wide Limit = Wide(MaxCapacity);
    while (at < t.size() && t[at].isDigit() && t[at].unicode() < 128) {
        whole = whole * 10 + unsigned(t[at].unicode() - u'0');
        if (whole > Limit)
            return std::nullopt;
        digits = true;
        ++at;
    }
    bool hasFraction = false;
    // '.' or, as most of Europe writes it, ',' before the fraction; a comma
    // before three digits and no more is a thousands separator ("1,000
    // GB"), taken as no number rather than guessed.
    if (at < t.size() && t[at] == u',') {
        qsizetype n = 0;
        while (at + 1 + n < t.size() && t[at + 1 + n].isDigit())
            ++n;
        if (n == 3)
            return std::nullopt;
    }
    if (at < t.size() && (t[at] == u'.' || t[at] == u',')) {
        hasFraction = true;
        ++at;
        while (at < t.size() && t[at].isDigit() && t[at].unicode() < 128) {
            // Digits past the eighteenth cannot change a whole byte of any
            // capacity below the limit.
            if (fractionScale < Wide(1000000000000000000ULL)) {
                fraction = fraction * 10 + unsigned(t[at].unicode() - u'0');
                fractionScale *= 10;
            }
            digits = true;
            ++at;
        }
    }
    if (!digits)
        return std::nullopt;
    const QString unitText = t.mid(at).trimmed().toString().toLower();
    qint64 factor = 0;
    if (unitText.isEmpty()) {
        if (hasFraction)
            return std::nullopt; // bytes are whole
        factor = 1;
    } else {
        for (const Unit &unit : Units) {
            if (unitText == unit.name)
                factor = unit.factor;
        }
        if (factor == 0)
            return std::nullopt;
    }
    const Wide bytes = whole * Wide(factor) + fraction * Wide(factor) / fractionScale;
    if (bytes == 0 || bytes > Wide(MaxCapacity))
        return std::nullopt;
    return qint64(bytes);
}

qint64 defaultClusterSize(FileSystem fs, qint64 capacity)
{
    switch (fs) {
    case FileSystem::Fat32: {
        static constexpr Step steps[] = {{64 * MiB, 512},      {128 * MiB, KiB},
                                         {256 * MiB, 2 * KiB}, {8 * GiB, 4 * KiB},
                                         {16 * GiB, 8 * KiB},  {32 * GiB, 16 * KiB}};
        return clusterFrom(steps, std::size(steps), 32 * KiB, capacity);
    }
    case FileSystem::ExFat: {
        static constexpr Step steps[] = {{256 * MiB, 4 * KiB}, {32 * GiB, 32 * KiB}};
        return clusterFrom(steps, std::size(steps), 128 * KiB, capacity);
    }
    case FileSystem::Ntfs: {
        static constexpr Step steps[] = {
            {16 * TiB, 4 * KiB},   {32 * TiB, 8 * KiB},   {64 * TiB, 16 * KiB},
            {128 * TiB, 32 * KiB}, {256 * TiB, 64 * KiB}, {512 * TiB, 128 * KiB},
            {PiB, 256 * KiB},      {2 * PiB, 512 * KiB},  {4 * PiB, MiB}};
        return clusterFrom(steps, std::size(steps), 2 * MiB, capacity);
    }
    case FileSystem::Ext4:
    case FileSystem::Apfs:
    case FileSystem::HfsPlus:
        return 4 * KiB;
    }
    return 4 * KiB;
}

RoomOnTarget::RoomOnTarget(FileSystem fs, qint64 capacity)
    : m_fs(fs)
    , m_capacity(capacity)
    , m_cluster(defaultClusterSize(fs, capacity))
    , m_clusterShift(std::has_single_bit(quint64(m_cluster)) ? std::countr_zero(quint64(m_cluster))
                                                             : -1)
{}

void RoomOnTarget::add(qint64 size, qsizetype pathLength)
{
    if (size < 0)
        size = 0;
    ++m_files;
    m_bytes = saturatedAdd(m_bytes, size);
    if (size > m_largest)
        m_largest = size;
    // Whole clusters, computed without overflowing near INT64_MAX.
    // (The default cluster sizes are powers of two: a shift, not a division.)
    const qint64 clusters = m_clusterShift >= 0
                                ? (size >> m_clusterShift) + ((size & (m_cluster - 1)) != 0 ? 1 : 0)
                                : size / m_cluster + (size % m_cluster != 0 ? 1 : 0);
    qint64 room = 0;
    if (__builtin_mul_overflow(clusters, m_cluster, &room))
        room = std::numeric_limits<qint64>::max();
    m_onDisk = saturatedAdd(m_onDisk, room);
    if (m_fs == FileSystem::Fat32 && size > Fat32LargestFile)
        ++m_tooBig;
    if (pathLength > LongestRestorePath)
        ++m_pathsTooLong;
}

void RoomOnTarget::merge(const RoomOnTarget &other)
{
    Q_ASSERT(other.m_fs == m_fs && other.m_cluster == m_cluster);
    // The sums are of values >= 0, so a saturated sum of saturated parts is
    // the saturated whole.
    m_files += other.m_files;
    m_bytes = saturatedAdd(m_bytes, other.m_bytes);
    m_largest = std::max(m_largest, other.m_largest);
    m_onDisk = saturatedAdd(m_onDisk, other.m_onDisk);
    m_tooBig += other.m_tooBig;
    m_pathsTooLong += other.m_pathsTooLong;
}

} // namespace corvane::basket
