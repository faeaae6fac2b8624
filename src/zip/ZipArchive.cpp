#include "ZipArchive.h"

#include "ZipEntryName.h"
#include "listfile/StateFile.h"
#include "util/SystemError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QStorageInfo>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <memory>
#include <optional>
#include <sys/file.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
#include <utility>
#include <vector>
#include <zip.h>

using namespace Qt::Literals::StringLiterals;

namespace corvane::zip {

namespace {

struct ArchiveCloser
{
    void operator()(zip_t *archive) const { zip_discard(archive); }
};
using Archive = std::unique_ptr<zip_t, ArchiveCloser>;

struct EntryCloser
{
    void operator()(zip_file_t *file) const { zip_fclose(file); }
};
using Entry = std::unique_ptr<zip_file_t, EntryCloser>;

QString shownPath(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

QString libzipText(int code)
{
    zip_error_t error;
    zip_error_init_with_code(&error, code);
    QString text = QString::fromLocal8Bit(zip_error_strerror(&error));
    zip_error_fini(&error);
    return text;
}

ZipError classifyLibzipError(int code)
{
    switch (code) {
    case ZIP_ER_CRC:
        return ZipError::BadCrc;
    case ZIP_ER_ZLIB:
    case ZIP_ER_COMPRESSED_DATA:
        return ZipError::CorruptData;
    case ZIP_ER_NOPASSWD:
    case ZIP_ER_WRONGPASSWD:
    case ZIP_ER_ENCRNOTSUPP:
        return ZipError::Encrypted;
    case ZIP_ER_COMPNOTSUPP:
        return ZipError::UnsupportedMethod;
    case ZIP_ER_EOF:
        return ZipError::Truncated;
    case ZIP_ER_READ:
    case ZIP_ER_SEEK:
    case ZIP_ER_OPEN:
    case ZIP_ER_TELL:
        return ZipError::ReadFailed;
    case ZIP_ER_NOZIP:
        return ZipError::NotZip;
    default:
        return ZipError::Damaged;
    }
}

// The text for an error about the archive (entry empty) or one of its entries.
QString errorText(ZipError error, const QString &zipPath, const QString &entry,
                  const QString &detail)
{
    const QString archive = shownPath(zipPath);
    switch (error) {
    case ZipError::None:
        return {};
    case ZipError::ArchiveMissing:
        return u"The file \"%1\" cannot be found."_s.arg(archive);
    case ZipError::NotZip:
        return u"\"%1\" is not a zip archive."_s.arg(archive);
    case ZipError::Truncated:
        if (entry.isEmpty())
            return u"The zip archive \"%1\" is incomplete: it was cut short."_s.arg(archive);
        return u"\"%1\" in the zip archive \"%2\" is incomplete: the archive was cut short."_s.arg(
            entry, archive);
    case ZipError::Damaged:
        if (entry.isEmpty())
            return u"The zip archive \"%1\" is damaged (%2)."_s.arg(archive, detail);
        return u"\"%1\" in the zip archive \"%2\" is damaged (%3)."_s.arg(entry, archive, detail);
    case ZipError::BadCrc:
        return u"\"%1\" in the zip archive \"%2\" is damaged: its checksum does not match."_s.arg(
            entry, archive);
    case ZipError::CorruptData:
        return u"\"%1\" in the zip archive \"%2\" is damaged: its compressed data is invalid."_s
            .arg(entry, archive);
    case ZipError::Encrypted:
        return u"\"%1\" in the zip archive \"%2\" is protected by a password. Encrypted entries "
               u"cannot be opened; please ask the lab for an archive without a password."_s.arg(
                   entry, archive);
    case ZipError::UnsupportedMethod:
        return u"\"%1\" in the zip archive \"%2\" is compressed with a method that cannot be "
               u"unpacked (%3)."_s.arg(entry, archive, detail);
    case ZipError::LargerThanDeclared:
        return u"\"%1\" in the zip archive \"%2\" holds more data than the archive declares; it "
               u"was not unpacked."_s.arg(entry, archive);
    case ZipError::NoSpace:
        return u"\"%1\" from the zip archive \"%2\" does not fit on the disk (%3)."_s.arg(
            entry, archive, detail);
    case ZipError::FolderNotWritable:
        return u"The data folder cannot be written, so \"%1\" was not unpacked (%2)."_s.arg(entry,
                                                                                            detail);
    case ZipError::WriteFailed:
        return u"\"%1\" could not be unpacked (%2)."_s.arg(entry, detail);
    case ZipError::ReadFailed:
        return u"The zip archive \"%1\" could not be read (%2)."_s.arg(archive, detail);
    case ZipError::UnsafeName:
        return u"\"%1\" in the zip archive \"%2\" has a name or type that is not safe to unpack."_s
            .arg(entry, archive);
    case ZipError::NoSuchEntry:
        return u"The zip archive \"%1\" has no entry number %2."_s.arg(archive, detail);
    case ZipError::TargetIsArchive:
        return u"\"%1\" would replace the zip archive \"%2\" itself; it was not unpacked."_s.arg(
            entry, archive);
    }
    return {};
}

struct Opened
{
    Archive archive;
    ZipError error = ZipError::None;
    QString errorText;
};

// A text list may begin with the letters of a zip signature; a zip's own
// headers hold NUL bytes (the high byte of the version needed, of the method)
// within their first 30 bytes and no line break is needed anywhere.
bool startsLikeText(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray head = file.read(4096);
    return !head.first(qMin<qsizetype>(head.size(), 30)).contains('\0') &&
           (head.contains('\n') || head.contains('\r'));
}

Opened openArchive(const QString &zipPath)
{
    Opened opened;
    QString statusError;
    const FileKind kind = fileKind(zipPath, &statusError);
    if (kind == FileKind::Missing) {
        opened.error = ZipError::ArchiveMissing;
    } else if (kind == FileKind::Other) {
        opened.error = ZipError::NotZip;
    } else if (kind == FileKind::Unknown) {
        opened.error = ZipError::ReadFailed;
        opened.errorText = errorText(opened.error, zipPath, {}, statusError);
        return opened;
    } else {
        QString readError;
        switch (readFileSignature(zipPath, &readError)) {
        case FileSignature::Zip:
            break;
        case FileSignature::Unreadable:
            opened.error = ZipError::ReadFailed;
            opened.errorText = errorText(opened.error, zipPath, {}, readError);
            return opened;
        case FileSignature::Text:
        case FileSignature::Empty:
            opened.error = ZipError::NotZip;
            break;
        }
    }
    if (opened.error != ZipError::None) {
        opened.errorText = errorText(opened.error, zipPath, {}, {});
        return opened;
    }
    int code = ZIP_ER_OK;
    opened.archive.reset(zip_open(QFile::encodeName(zipPath).constData(), ZIP_RDONLY, &code));
    if (!opened.archive) {
        // The file starts like a zip; libzip finding no directory means it
        // was cut short, unless what follows the signature is lines of text.
        if (startsLikeText(zipPath))
            opened.error = ZipError::NotZip;
        else if (code == ZIP_ER_NOZIP)
            opened.error = ZipError::Truncated;
        else
            opened.error = classifyLibzipError(code);
        if (opened.error == ZipError::BadCrc || opened.error == ZipError::CorruptData)
            opened.error = ZipError::Damaged;
        opened.errorText = errorText(opened.error, zipPath, {}, libzipText(code));
    }
    return opened;
}

// A symbolic link, a folder or a device: nothing a list can be read from.
bool isSpecialEntry(zip_t *archive, zip_uint64_t index)
{
    zip_uint8_t opsys = 0;
    zip_uint32_t attributes = 0;
    if (zip_file_get_external_attributes(archive, index, 0, &opsys, &attributes) != 0)
        return false;
    if (opsys == ZIP_OPSYS_UNIX) {
        const zip_uint32_t type = (attributes >> 16) & 0170000u;
        return type != 0 && type != 0100000u; // regular file or unspecified
    }
    // MS-DOS attribute bits: 0x10 folder, 0x400 reparse point (a Windows link).
    return (attributes & 0x410u) != 0;
}

struct EntryName
{
    QString decoded;
    QString shown;
    bool found = false;
};

EntryName readEntryName(zip_t *archive, zip_uint64_t index)
{
    EntryName name;
    const char *raw = zip_get_name(archive, index, ZIP_FL_ENC_RAW);
    if (!raw)
        return name;
    const QByteArray rawBytes(raw);
    // libzip hands the raw bytes back unchanged under the strict rule only
    // when the entry is flagged as UTF-8 (otherwise it converts from CP437).
    bool flagged = false;
    for (const char c : rawBytes) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            const char *strict = zip_get_name(archive, index, ZIP_FL_ENC_STRICT);
            flagged = strict && rawBytes == QByteArrayView(strict);
            break;
        }
    }
    name.decoded = decodeEntryName(rawBytes, flagged);
    name.shown = escapeControlCharacters(name.decoded);
    name.found = true;
    return name;
}

// A member being unpacked: "." + up to 64 characters of its name + "." + 13
// random letters and digits + ".part", locked by the program writing it.
constexpr int PartRandomLength = 13;
const QString PartEnding = u".part"_s;

QString temporaryPathFor(const QString &folder, const QString &fileName)
{
    const QString random = QString::number(QRandomGenerator::global()->generate64(), 36)
                               .rightJustified(PartRandomLength, u'0');
    return folder + u"/."_s + fileName.left(64) + u"."_s + random + PartEnding;
}

// The part file of one extraction: created new (never through a link), locked
// while it is written, removed unless it was renamed to the member's name.
class PartFile
{
public:
    ~PartFile() { discard(); }
    // errno's value when the file could not be created; EEXIST: try another name.
    int create(const QString &path)
    {
        m_path = QFile::encodeName(path);
        m_fd =
            ::open(m_path.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (m_fd < 0)
            return errno;
        // A program started meanwhile takes an unlocked part file for one left
        // by an unpacking cut short.
        ::flock(m_fd, LOCK_EX | LOCK_NB);
        return 0;
    }
    bool write(const char *data, qint64 size, QString *error)
    {
        while (size > 0) {
            const ssize_t n = ::write(m_fd, data, size_t(size));
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0) {
                *error = systemErrorText(n < 0 ? errno : ENOSPC);
                return false;
            }
            data += n;
            size -= n;
        }
        return true;
    }
    // Synced and renamed to target; the lock goes with the descriptor.
    bool commit(const QString &target, QString *error)
    {
        if (::fsync(m_fd) != 0) {
            *error = systemErrorText(errno);
            return false;
        }
        if (::rename(m_path.constData(), QFile::encodeName(target).constData()) != 0) {
            *error = systemErrorText(errno);
            return false;
        }
        m_path.clear();
        const int fd = std::exchange(m_fd, -1);
        if (::close(fd) != 0) {
            *error = systemErrorText(errno);
            return false;
        }
        return true;
    }
    void discard()
    {
        if (!m_path.isEmpty())
            ::unlink(m_path.constData());
        m_path.clear();
        if (m_fd >= 0)
            ::close(std::exchange(m_fd, -1));
    }

private:
    QByteArray m_path;
    int m_fd = -1;
};

struct DirectoryCloser
{
    void operator()(DIR *directory) const { ::closedir(directory); }
};
using Directory = std::unique_ptr<DIR, DirectoryCloser>;

// The folder at name under the open folder at, opened without following a
// link; null when it is none.
Directory openFolderAt(int at, const char *name)
{
    const int fd = ::openat(at, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return nullptr;
    DIR *directory = ::fdopendir(fd);
    if (!directory)
        ::close(fd);
    return Directory(directory);
}

// Removes the part files of folder that no program holds; the count removed.
int removeUnlockedPartFiles(DIR *folder)
{
    int removed = 0;
    const int at = ::dirfd(folder);
    while (const dirent *item = ::readdir(folder)) {
        if (!isPartFileName(QFile::decodeName(item->d_name)))
            continue;
        struct stat status;
        if (::fstatat(at, item->d_name, &status, AT_SYMLINK_NOFOLLOW) != 0 ||
            !S_ISREG(status.st_mode))
            continue;
        const int fd = ::openat(at, item->d_name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0)
            continue;
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::unlinkat(at, item->d_name, 0) == 0)
            ++removed;
        ::close(fd);
    }
    return removed;
}

// What every read of an entry's bytes asks of its header, whether it is
// unpacked or read into memory: no encryption, a method this build inflates,
// and a size it declares.
struct EntryCheck
{
    ZipError error = ZipError::None;
    QString detail;
    qint64 size = 0; // the size the entry declares
    quint32 crc = 0; // the CRC-32 the directory gives
    bool hasCrc = false;
};

EntryCheck checkEntryToRead(zip_t *archive, zip_uint64_t entryIndex)
{
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat_index(archive, entryIndex, 0, &stat) != 0)
        return {ZipError::Damaged, libzipText(zip_error_code_zip(zip_get_error(archive)))};
    if ((stat.valid & ZIP_STAT_ENCRYPTION_METHOD) && stat.encryption_method != ZIP_EM_NONE)
        return {ZipError::Encrypted, {}};
    if ((stat.valid & ZIP_STAT_COMP_METHOD) &&
        !zip_compression_method_supported(zip_int32_t(stat.comp_method), 0))
        return {ZipError::UnsupportedMethod, u"method %1"_s.arg(stat.comp_method)};
    if (!(stat.valid & ZIP_STAT_SIZE) || stat.size > zip_uint64_t(LLONG_MAX))
        return {ZipError::Damaged, u"no size"_s};
    return {ZipError::None, {}, qint64(stat.size), stat.crc, (stat.valid & ZIP_STAT_CRC) != 0};
}

// ---- the records of unpacked copies ----
//
// One line: "corvane-copy 1", the entry's size and CRC-32 (hex), then the
// copy's size, modification time (seconds, nanoseconds), inode and device.
const QByteArray RecordMagic = "corvane-copy 1";
const QString RecordEnding = u".extracted"_s;
constexpr qint64 RecordMaxBytes = 512;

struct CopyRecord
{
    qint64 entrySize = -1;
    quint32 crc = 0;
    qint64 copySize = -1;
    qint64 seconds = 0;
    qint64 nanoseconds = 0;
    quint64 inode = 0;
    quint64 device = 0;
};

bool sameFile(const CopyRecord &record, const struct stat &status)
{
    return S_ISREG(status.st_mode) && qint64(status.st_size) == record.copySize &&
           qint64(status.st_mtim.tv_sec) == record.seconds &&
           qint64(status.st_mtim.tv_nsec) == record.nanoseconds &&
           quint64(status.st_ino) == record.inode && quint64(status.st_dev) == record.device;
}

QByteArray recordBytes(qint64 entrySize, quint32 crc, const struct stat &copy)
{
    return QByteArray(RecordMagic) + ' ' + QByteArray::number(entrySize) + ' ' +
           QByteArray::number(crc, 16) + ' ' + QByteArray::number(qint64(copy.st_size)) + ' ' +
           QByteArray::number(qint64(copy.st_mtim.tv_sec)) + ' ' +
           QByteArray::number(qint64(copy.st_mtim.tv_nsec)) + ' ' +
           QByteArray::number(quint64(copy.st_ino)) + ' ' +
           QByteArray::number(quint64(copy.st_dev)) + '\n';
}

std::optional<CopyRecord> parseRecord(const QByteArray &bytes)
{
    if (!bytes.startsWith(QByteArray(RecordMagic + ' ')) || !bytes.endsWith('\n'))
        return std::nullopt;
    const QList<QByteArray> fields = bytes.mid(RecordMagic.size() + 1).trimmed().split(' ');
    if (fields.size() != 7)
        return std::nullopt;
    bool ok[7] = {};
    CopyRecord record;
    record.entrySize = fields[0].toLongLong(&ok[0]);
    record.crc = fields[1].toUInt(&ok[1], 16);
    record.copySize = fields[2].toLongLong(&ok[2]);
    record.seconds = fields[3].toLongLong(&ok[3]);
    record.nanoseconds = fields[4].toLongLong(&ok[4]);
    record.inode = fields[5].toULongLong(&ok[5]);
    record.device = fields[6].toULongLong(&ok[6]);
    for (bool b : ok) {
        if (!b)
            return std::nullopt;
    }
    return record;
}

// The record named `name` in the open folder at: read without following a
// link, only from a small regular file.
std::optional<CopyRecord> readRecordAt(int at, const char *name)
{
    const int fd = ::openat(at, name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    struct stat status;
    QByteArray bytes;
    if (::fstat(fd, &status) == 0 && S_ISREG(status.st_mode) && status.st_size <= RecordMaxBytes) {
        bytes.resize(RecordMaxBytes + 1);
        qint64 total = 0;
        for (;;) {
            const ssize_t n = ::read(fd, bytes.data() + total, size_t(bytes.size() - total));
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                break;
            total += n;
            if (total >= bytes.size())
                break;
        }
        bytes.truncate(qsizetype(total));
    }
    ::close(fd);
    if (bytes.size() > RecordMaxBytes)
        return std::nullopt;
    return parseRecord(bytes);
}

} // namespace

FileKind fileKind(const QString &path, QString *error)
{
    std::error_code code;
    const std::filesystem::file_status status =
        std::filesystem::status(std::filesystem::path(QFile::encodeName(path).toStdString()), code);
    if (code) {
        if (code == std::errc::no_such_file_or_directory || code == std::errc::not_a_directory)
            return FileKind::Missing;
        if (error)
            *error = QString::fromLocal8Bit(code.message());
        return FileKind::Unknown;
    }
    switch (status.type()) {
    case std::filesystem::file_type::regular:
        return FileKind::Regular;
    case std::filesystem::file_type::not_found:
        return FileKind::Missing;
    default:
        return FileKind::Other;
    }
}

bool hasZipSignature(QByteArrayView head)
{
    if (head.size() < 4 || head[0] != 'P' || head[1] != 'K')
        return false;
    const char a = head[2];
    const char b = head[3];
    return (a == 3 && b == 4) || (a == 5 && b == 6) || (a == 7 && b == 8);
}

FileSignature readFileSignature(const QString &path, QString *error)
{
    // Only a regular file is opened: a pipe or a device could block the read.
    QString statusError;
    switch (fileKind(path, &statusError)) {
    case FileKind::Regular:
        break;
    case FileKind::Missing:
        if (error)
            *error = u"file not found"_s;
        return FileSignature::Unreadable;
    case FileKind::Other:
        if (error)
            *error = u"not a file"_s;
        return FileSignature::Unreadable;
    case FileKind::Unknown:
        if (error)
            *error = statusError;
        return FileSignature::Unreadable;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = file.errorString();
        return FileSignature::Unreadable;
    }
    const QByteArray head = file.read(4);
    if (head.isEmpty() && file.error() != QFileDevice::NoError) {
        if (error)
            *error = file.errorString();
        return FileSignature::Unreadable;
    }
    if (head.isEmpty())
        return FileSignature::Empty;
    return hasZipSignature(head) ? FileSignature::Zip : FileSignature::Text;
}

bool isListEntryName(const QString &shownName)
{
    const QString ending = shownName.toLower().right(4);
    return ending == u".csv"_s || ending == u".txt"_s || ending == u".log"_s;
}

ZipListing listZipMembers(const QString &zipPath, const EntryListed &entryListed)
{
    ZipListing listing;
    Opened opened = openArchive(zipPath);
    if (!opened.archive) {
        listing.error = opened.error;
        listing.errorText = opened.errorText;
        return listing;
    }
    zip_t *archive = opened.archive.get();
    const zip_int64_t count = zip_get_num_entries(archive, 0);
    listing.entryCount = int(qBound(zip_int64_t(0), count, zip_int64_t(INT_MAX)));
    for (zip_int64_t i = 0; i < count; ++i) {
        const auto index = zip_uint64_t(i);
        const EntryName name = readEntryName(archive, index);
        if (!name.found || !isListEntryName(name.shown))
            continue;
        if (entryNameRisk(name.decoded) != EntryNameRisk::Safe || isSpecialEntry(archive, index)) {
            ++listing.unsafeSkipped;
            continue;
        }
        ZipMember member;
        member.name = name.shown;
        member.fileName = entryFileName(name.decoded);
        member.index = i;
        zip_stat_t stat;
        zip_stat_init(&stat);
        if (zip_stat_index(archive, index, 0, &stat) == 0) {
            if (stat.valid & ZIP_STAT_SIZE)
                member.size = qint64(qMin<zip_uint64_t>(stat.size, zip_uint64_t(LLONG_MAX)));
            if (stat.valid & ZIP_STAT_ENCRYPTION_METHOD)
                member.encrypted = stat.encryption_method != ZIP_EM_NONE;
            if (stat.valid & ZIP_STAT_COMP_METHOD)
                member.unsupportedMethod =
                    !zip_compression_method_supported(zip_int32_t(stat.comp_method), 0);
        }
        if (zip_stat_index(archive, index, 0, &stat) == 0 && (stat.valid & ZIP_STAT_CRC)) {
            member.crc = stat.crc;
            member.hasCrc = true;
        }
        listing.members.append(member);
        if (entryListed)
            entryListed(member);
    }
    return listing;
}

bool isPartFileName(const QString &name)
{
    const qsizetype randomAt = name.size() - PartEnding.size() - PartRandomLength;
    if (!name.startsWith(u'.') || !name.endsWith(PartEnding) || randomAt < 3 ||
        name.at(randomAt - 1) != u'.')
        return false;
    for (qsizetype i = randomAt; i < randomAt + PartRandomLength; ++i) {
        const QChar c = name.at(i);
        if (!(c >= u'0' && c <= u'9') && !(c >= u'a' && c <= u'z'))
            return false;
    }
    return true;
}

int removeStalePartFiles(const QString &archivesFolder)
{
    Directory archives = openFolderAt(AT_FDCWD, QFile::encodeName(archivesFolder).constData());
    if (!archives)
        return 0;
    int removed = 0;
    const int at = ::dirfd(archives.get());
    while (const dirent *item = ::readdir(archives.get())) {
        if (std::strcmp(item->d_name, ".") == 0 || std::strcmp(item->d_name, "..") == 0)
            continue;
        if (Directory folder = openFolderAt(at, item->d_name))
            removed += removeUnlockedPartFiles(folder.get());
    }
    return removed;
}

QString copyRecordName(const QString &memberFileName)
{
    return u'.' + memberFileName + RecordEnding;
}

bool isCopyRecordName(const QString &name)
{
    return name.size() > RecordEnding.size() + 1 && name.startsWith(u'.') &&
           name.endsWith(RecordEnding);
}

bool reuseUnpackedCopy(const QString &zipPath, const ZipMember &member, const QString &folder)
{
    if (folder.isEmpty() || member.fileName.isEmpty() || member.index < 0)
        return false;
    Directory directory = openFolderAt(AT_FDCWD, QFile::encodeName(folder).constData());
    if (!directory)
        return false;
    const int at = ::dirfd(directory.get());
    const QByteArray recordName = QFile::encodeName(copyRecordName(member.fileName));
    const std::optional<CopyRecord> record = readRecordAt(at, recordName.constData());
    if (!record)
        return false;
    struct stat copy;
    if (::fstatat(at, QFile::encodeName(member.fileName).constData(), &copy, AT_SYMLINK_NOFOLLOW) !=
            0 ||
        !sameFile(*record, copy))
        return false;

    // The archive as it is now: the same entry, the same bytes by its directory.
    Opened opened = openArchive(zipPath);
    if (!opened.archive)
        return false;
    zip_t *archive = opened.archive.get();
    if (member.index >= zip_get_num_entries(archive, 0))
        return false;
    const auto entryIndex = zip_uint64_t(member.index);
    const EntryName name = readEntryName(archive, entryIndex);
    if (!name.found || name.shown != member.name || entryFileName(name.decoded) != member.fileName)
        return false;
    const EntryCheck checked = checkEntryToRead(archive, entryIndex);
    if (checked.error != ZipError::None || !checked.hasCrc || checked.size != record->entrySize ||
        checked.crc != record->crc)
        return false;
    // Used now: the copies of this archive are among the last used.
    ::utimensat(at, recordName.constData(), nullptr, AT_SYMLINK_NOFOLLOW);
    return true;
}

int removeOldArchiveCopies(const QString &archivesFolder, int keep)
{
    Directory archives = openFolderAt(AT_FDCWD, QFile::encodeName(archivesFolder).constData());
    if (!archives)
        return 0;
    const int archivesAt = ::dirfd(archives.get());
    struct Folder
    {
        QByteArray name;
        qint64 lastUsed = 0; // nanoseconds
    };
    std::vector<Folder> folders;
    while (const dirent *item = ::readdir(archives.get())) {
        if (std::strcmp(item->d_name, ".") == 0 || std::strcmp(item->d_name, "..") == 0)
            continue;
        Directory folder = openFolderAt(archivesAt, item->d_name);
        if (!folder)
            continue;
        const int at = ::dirfd(folder.get());
        bool recorded = false;
        qint64 lastUsed = 0;
        while (const dirent *entry = ::readdir(folder.get())) {
            if (!isCopyRecordName(QFile::decodeName(entry->d_name)))
                continue;
            struct stat status;
            if (::fstatat(at, entry->d_name, &status, AT_SYMLINK_NOFOLLOW) != 0 ||
                !S_ISREG(status.st_mode))
                continue;
            recorded = true;
            lastUsed = std::max(lastUsed, qint64(status.st_mtim.tv_sec) * 1000000000 +
                                              qint64(status.st_mtim.tv_nsec));
        }
        // A folder without records holds nothing known to be the program's.
        if (recorded)
            folders.push_back({QByteArray(item->d_name), lastUsed});
    }
    if (keep < 0)
        keep = 0;
    if (folders.size() <= size_t(keep))
        return 0;
    std::sort(folders.begin(), folders.end(),
              [](const Folder &a, const Folder &b) { return a.lastUsed > b.lastUsed; });
    int removed = 0;
    for (size_t i = size_t(keep); i < folders.size(); ++i) {
        Directory folder = openFolderAt(archivesAt, folders[i].name.constData());
        if (!folder)
            continue;
        const int at = ::dirfd(folder.get());
        QList<QByteArray> records;
        while (const dirent *entry = ::readdir(folder.get())) {
            if (isCopyRecordName(QFile::decodeName(entry->d_name)))
                records.append(QByteArray(entry->d_name));
        }
        for (const QByteArray &recordName : records) {
            struct stat status;
            if (::fstatat(at, recordName.constData(), &status, AT_SYMLINK_NOFOLLOW) != 0 ||
                !S_ISREG(status.st_mode))
                continue;
            const std::optional<CopyRecord> record = readRecordAt(at, recordName.constData());
            // ".name.extracted" belongs to "name".
            const QByteArray copyName =
                recordName.mid(1, recordName.size() - 1 - RecordEnding.size());
            struct stat copy;
            if (record && ::fstatat(at, copyName.constData(), &copy, AT_SYMLINK_NOFOLLOW) == 0 &&
                sameFile(*record, copy) && ::unlinkat(at, copyName.constData(), 0) == 0)
                ++removed;
            ::unlinkat(at, recordName.constData(), 0);
        }
        // Only an empty folder goes: whatever else is in it stays.
        folder.reset();
        ::unlinkat(archivesAt, folders[i].name.constData(), AT_REMOVEDIR);
    }
    return removed;
}

QString memberTargetPath(const QString &folder, const ZipMember &member)
{
    return QDir(folder).filePath(member.fileName);
}

ExtractResult extractZipMember(const QString &zipPath, qint64 index, const QString &folder,
                               const ExtractCallbacks &callbacks)
{
    ExtractResult result;
    QString entryShown;
    auto fail = [&](ZipError error, const QString &detail = {}) {
        result.error = error;
        result.errorText = errorText(error, zipPath, entryShown, detail);
        if (callbacks.message)
            callbacks.message(int(error), result.errorText);
        return result;
    };

    Opened opened = openArchive(zipPath);
    if (!opened.archive) {
        result.error = opened.error;
        result.errorText = opened.errorText;
        if (callbacks.message)
            callbacks.message(int(result.error), result.errorText);
        return result;
    }
    zip_t *archive = opened.archive.get();
    if (index < 0 || index >= zip_get_num_entries(archive, 0))
        return fail(ZipError::NoSuchEntry, QString::number(index));
    const auto entryIndex = zip_uint64_t(index);
    const EntryName name = readEntryName(archive, entryIndex);
    if (!name.found)
        return fail(ZipError::NoSuchEntry, QString::number(index));
    entryShown = name.shown;
    if (entryNameRisk(name.decoded) != EntryNameRisk::Safe || isSpecialEntry(archive, entryIndex))
        return fail(ZipError::UnsafeName);
    const QString fileName = entryFileName(name.decoded);
    result.targetPath = QDir(folder).filePath(fileName);
    const EntryCheck checked = checkEntryToRead(archive, entryIndex);
    if (checked.error != ZipError::None)
        return fail(checked.error, checked.detail);
    const qint64 declared = checked.size;

    // An empty folder would mean the current directory: never guess a place.
    // A link planted at the folder's name would take the member elsewhere.
    if (folder.isEmpty())
        return fail(ZipError::FolderNotWritable, shownPath(folder));
    const QFileInfo folderInfo(QDir::cleanPath(folder));
    QString base = folderInfo.path();
    QString below = folderInfo.fileName();
    if (!callbacks.dataFolder.isEmpty()) {
        const QString relative = QDir(callbacks.dataFolder).relativeFilePath(folderInfo.filePath());
        if (!relative.startsWith(u".."_s) && !QDir::isAbsolutePath(relative)) {
            base = callbacks.dataFolder;
            below = relative;
        }
    }
    QString folderError;
    if (!ensureStateFolder(base, below, &folderError))
        return fail(ZipError::FolderNotWritable, folderError);
    const QString archiveCanonical = QFileInfo(zipPath).canonicalFilePath();
    const QString targetCanonical = QFileInfo(result.targetPath).canonicalFilePath();
    if (!targetCanonical.isEmpty() && targetCanonical == archiveCanonical)
        return fail(ZipError::TargetIsArchive);

    const qint64 available =
        callbacks.freeSpace ? callbacks.freeSpace(folder) : QStorageInfo(folder).bytesAvailable();
    if (available >= 0 && declared > available) {
        return fail(ZipError::NoSpace,
                    u"%1 bytes needed, %2 bytes free"_s.arg(declared).arg(available));
    }

    Entry entry(zip_fopen_index(archive, entryIndex, 0));
    if (!entry) {
        const int code = zip_error_code_zip(zip_get_error(archive));
        return fail(classifyLibzipError(code), libzipText(code));
    }

    PartFile temporary;
    int created = EEXIST;
    for (int attempt = 0; attempt < 16 && created == EEXIST; ++attempt)
        created = temporary.create(temporaryPathFor(folder, fileName));
    if (created != 0)
        return fail(ZipError::FolderNotWritable,
                    shownPath(folder) + u": "_s + systemErrorText(created));
    auto discard = [&](ZipError error, const QString &detail = {}) {
        temporary.discard();
        return fail(error, detail);
    };

    if (callbacks.progress)
        callbacks.progress(0.0);
    QByteArray buffer(256 * 1024, Qt::Uninitialized);
    qint64 total = 0;
    int lastPercent = 0;
    for (;;) {
        const zip_int64_t n = zip_fread(entry.get(), buffer.data(), zip_uint64_t(buffer.size()));
        if (n < 0) {
            const int code = zip_error_code_zip(zip_file_get_error(entry.get()));
            return discard(classifyLibzipError(code), libzipText(code));
        }
        if (n == 0)
            break; // libzip has checked the size and the checksum
        total += n;
        if (total > declared)
            return discard(ZipError::LargerThanDeclared);
        QString writeError;
        if (!temporary.write(buffer.constData(), n, &writeError))
            return discard(ZipError::WriteFailed, writeError);
        if (callbacks.progress && declared > 0) {
            const int percent = int(total * 100 / declared);
            if (percent != lastPercent) {
                lastPercent = percent;
                callbacks.progress(double(total) * 100.0 / double(declared));
            }
        }
    }
    if (total != declared)
        return discard(ZipError::Truncated);
    const int closeCode = zip_fclose(entry.release());
    if (closeCode != 0)
        return discard(classifyLibzipError(closeCode), libzipText(closeCode));
    QString commitError;
    if (!temporary.commit(result.targetPath, &commitError))
        return discard(ZipError::WriteFailed, commitError);
    if (callbacks.progress && lastPercent != 100)
        callbacks.progress(100.0);
    result.bytesWritten = total;
    // The record says what was written; without it (no CRC in the
    // directory, a record that cannot be written) the copy is unpacked anew
    // the next time.
    const QString recordPath = QDir(folder).filePath(copyRecordName(fileName));
    struct stat written;
    if (checked.hasCrc &&
        ::lstat(QFile::encodeName(result.targetPath).constData(), &written) == 0 &&
        S_ISREG(written.st_mode))
        writeStateFile(recordPath, recordBytes(declared, checked.crc, written));
    else
        ::unlink(QFile::encodeName(recordPath).constData());
    return result;
}

MemberBytes readZipMember(const QString &zipPath, qint64 index, qint64 maxBytes,
                          const QString &shownName)
{
    MemberBytes result;
    QString entryShown;
    auto fail = [&](ZipError error, const QString &detail = {}) {
        result.error = error;
        result.errorText = errorText(error, zipPath, entryShown, detail);
        result.bytes.clear();
        result.cut = false;
        return result;
    };

    Opened opened = openArchive(zipPath);
    if (!opened.archive) {
        result.error = opened.error;
        result.errorText = opened.errorText;
        return result;
    }
    zip_t *archive = opened.archive.get();
    if (index < 0 || index >= zip_get_num_entries(archive, 0))
        return fail(ZipError::NoSuchEntry, QString::number(index));
    const auto entryIndex = zip_uint64_t(index);
    const EntryName name = readEntryName(archive, entryIndex);
    if (!name.found || (!shownName.isEmpty() && name.shown != shownName))
        return fail(ZipError::NoSuchEntry, QString::number(index));
    entryShown = name.shown;
    if (entryNameRisk(name.decoded) != EntryNameRisk::Safe || isSpecialEntry(archive, entryIndex))
        return fail(ZipError::UnsafeName);
    const EntryCheck checked = checkEntryToRead(archive, entryIndex);
    if (checked.error != ZipError::None)
        return fail(checked.error, checked.detail);
    result.size = checked.size;

    Entry entry(zip_fopen_index(archive, entryIndex, 0));
    if (!entry) {
        const int code = zip_error_code_zip(zip_get_error(archive));
        return fail(classifyLibzipError(code), libzipText(code));
    }
    // One byte past the maximum tells a cut entry from one that fits exactly,
    // whatever its header declares.
    const qint64 limit = qMax<qint64>(0, maxBytes);
    const qint64 wanted = qMin(result.size, limit) + 1;
    QByteArray bytes(qsizetype(qMin<qint64>(wanted, 64 * 1024)), Qt::Uninitialized);
    qint64 total = 0;
    for (;;) {
        if (total == bytes.size()) {
            if (total >= wanted)
                break;
            bytes.resize(qsizetype(qMin(wanted, qMax<qint64>(total * 2, 64 * 1024))));
        }
        const zip_int64_t n =
            zip_fread(entry.get(), bytes.data() + total, zip_uint64_t(bytes.size() - total));
        if (n < 0) {
            const int code = zip_error_code_zip(zip_file_get_error(entry.get()));
            return fail(classifyLibzipError(code), libzipText(code));
        }
        if (n == 0)
            break; // libzip has checked the size and the checksum
        total += n;
    }
    if (total > result.size) {
        return fail(ZipError::LargerThanDeclared);
    } else if (total > limit) {
        result.cut = true; // the rest is never inflated
        total = limit;
    } else if (total != result.size) {
        return fail(ZipError::Truncated);
    } else {
        const int closeCode = zip_fclose(entry.release());
        if (closeCode != 0)
            return fail(classifyLibzipError(closeCode), libzipText(closeCode));
    }
    bytes.truncate(qsizetype(total));
    result.bytes = std::move(bytes);
    return result;
}

} // namespace corvane::zip
