#pragma once

// Listing and extracting the lists of a zip archive (libzip). The archive is
// only ever opened read-only; entries are picked by index, never by name (an
// archive may hold the same name twice).

#include <QByteArrayView>
#include <QList>
#include <QString>

#include <functional>

namespace corvane::zip {

// True when bytes begin with a zip signature: "PK" followed by 3 4 (a local
// file header), 5 6 (the end record of an empty archive) or 7 8 (a spanned
// archive's marker). The letters "pk" in another case are text.
bool hasZipSignature(QByteArrayView head);

// What is at a path, from the file system itself (a stat, following links).
enum class FileKind { Regular, Missing, Other, Unknown }; // Other: folder, pipe, device
// Unknown: it cannot be looked at (error says why, e.g. permission denied).
FileKind fileKind(const QString &path, QString *error = nullptr);

// What a file's first bytes say.
enum class FileSignature { Zip, Text, Empty, Unreadable };
FileSignature readFileSignature(const QString &path, QString *error = nullptr);

// What went wrong; also the number of the message callback (0 is no error).
enum class ZipError {
    None = 0,
    ArchiveMissing,
    NotZip,
    Truncated,
    Damaged,
    BadCrc,
    CorruptData,
    Encrypted,
    UnsupportedMethod,
    LargerThanDeclared,
    NoSpace,
    FolderNotWritable,
    WriteFailed,
    ReadFailed,
    UnsafeName,
    NoSuchEntry,
    TargetIsArchive,
};

// One entry the member grid offers.
struct ZipMember
{
    QString name;      // as shown: decoded, control characters escaped
    QString fileName;  // what it becomes on disk (entryFileName)
    qint64 index = -1; // libzip's entry index
    qint64 size = -1;  // declared uncompressed size, -1 when unknown
    quint32 crc = 0;   // the CRC-32 the archive's directory gives
    bool hasCrc = false;
    bool encrypted = false;
    bool unsupportedMethod = false;
};

// Entry-listed callback: called once for each offered entry, in archive order,
// with its shown name, index and flags.
using EntryListed = std::function<void(const ZipMember &member)>;

struct ZipListing
{
    QList<ZipMember> members; // in archive order
    int unsafeSkipped = 0;    // list entries not offered: unsafe names, links, special files
    int entryCount = 0;       // every entry of the archive
    ZipError error = ZipError::None;
    QString errorText; // names the archive and the reason
    bool ok() const { return error == ZipError::None; }
};

// Whether a listed entry is a list or a note: its name, lower-cased, ends in
// ".csv", ".txt" or ".log".
bool isListEntryName(const QString &shownName);

// Lists the ".csv", ".txt" and ".log" entries in archive order. Entries whose
// names are unsafe as paths, symbolic links and other special files are not
// offered but counted in unsafeSkipped. Encrypted entries are offered with
// their flag. entryListed is called once for each offered entry.
ZipListing listZipMembers(const QString &zipPath, const EntryListed &entryListed = {});

struct ExtractCallbacks
{
    std::function<void(double percent)> progress;                 // 0 to 100
    std::function<void(int number, const QString &text)> message; // number is a ZipError
    // Free bytes at a folder; QStorageInfo when not set.
    std::function<qint64(const QString &folder)> freeSpace;
    // Set: the folder lies below it, and every folder between the two is
    // checked like the folder itself (a real folder of the user's, no link).
    QString dataFolder;
};

struct ExtractResult
{
    ZipError error = ZipError::None;
    QString errorText;
    QString targetPath; // the file written (or that would have been)
    qint64 bytesWritten = 0;
    bool ok() const { return error == ZipError::None; }
};

// Whether a file name is that of a member being unpacked (the hidden part
// file extractZipMember writes before it renames it to the member's name).
bool isPartFileName(const QString &name);

// Removes the part files that unpackings cut short left in the folders of
// archivesFolder (one level down): only regular files named as part files
// that no running extraction holds; links are never followed. The count removed.
int removeStalePartFiles(const QString &archivesFolder);

// The path an entry is extracted to: folder + "/" + its file name.
QString memberTargetPath(const QString &folder, const ZipMember &member);

// Every unpacked member gets a record beside it (a hidden file named after
// it, see copyRecordName): the entry's size and CRC-32 as the archive's
// directory gave them, and the copy's size, time and inode as it was
// written. A copy whose record still matches both the archive and the copy
// holds the member's bytes without being read again.
QString copyRecordName(const QString &memberFileName);
bool isCopyRecordName(const QString &name);

// Whether the copy of `member` in `folder` can be used as it is: the entry
// of the archive at the member's index still has the member's shown name,
// its directory size and CRC-32 are those the record holds, and the copy is
// a regular file (never a link) unchanged since it was written. When it can,
// the record is marked as used now (removeOldArchiveCopies keeps the copies
// of the archives used last). Nothing of the copy is read.
bool reuseUnpackedCopy(const QString &zipPath, const ZipMember &member, const QString &folder);

// How many archives keep their unpacked copies.
inline constexpr int KeptArchiveCopies = 3;

// In archivesFolder (one folder per archive), keeps the unpacked copies of
// the `keep` archives whose copies were written or used last, and removes
// those of the others: only files that a record shows the program wrote and
// that are unchanged since, with their records; such a folder left empty
// goes too. Anything else in those folders, and links anywhere, are left
// alone. The number of copies removed.
int removeOldArchiveCopies(const QString &archivesFolder, int keep = KeptArchiveCopies);

// Extracts entry `index` into `folder` (created when missing, mode 0700; a
// link or another user's folder at its name is refused) under its
// entryFileName, replacing a file of that name only when the whole entry was
// read and its checksum verified. The bytes go to a new part file in the
// folder first (never opened through a link); on any failure it is removed
// and the old file stays. The copy's record is written after it.
ExtractResult extractZipMember(const QString &zipPath, qint64 index, const QString &folder,
                               const ExtractCallbacks &callbacks = {});

// The first bytes of one entry, read straight from the archive into memory:
// nothing is written to disk, so entries of the same name never meet.
struct MemberBytes
{
    QByteArray bytes; // at most the maximum asked for
    bool cut = false; // the entry holds more than that
    qint64 size = -1; // declared uncompressed size
    ZipError error = ZipError::None;
    QString errorText; // names the entry, the archive and the reason
    bool ok() const { return error == ZipError::None; }
};

// Reads at most maxBytes of entry `index`. The entry is refused as the
// extraction refuses it (unsafe name, link, encrypted, unknown method); a
// read of the whole entry also checks its size and checksum, a cut one the
// data up to the cut. Only the bytes kept are ever in memory. shownName, when
// given, is the name the entry was listed under: an archive rewritten since
// then with another entry at that index gives NoSuchEntry.
MemberBytes readZipMember(const QString &zipPath, qint64 index, qint64 maxBytes,
                          const QString &shownName = {});

} // namespace corvane::zip
