#pragma once

// The decisions of the open command, apart from the window: where the open
// dialog starts, what kind of file was chosen, and what to do with the list
// entries of a zip archive.

#include "listfile/StateFile.h"
#include "zip/ZipArchive.h"

#include <QList>
#include <QString>

namespace corvane {

// "LastFolder.inc" in the per-user data folder: one line, the folder of the
// last list chosen in the open dialog, ended by CR LF.
inline constexpr char16_t LastFolderFileName[] = u"LastFolder.inc";
// More than any folder path: a bigger file is not ours.
inline constexpr qint64 LastFolderMaxBytes = 64 * 1024;

// The folder part of a chosen path (no trailing separator); the path itself
// when it holds no separator.
QString folderOfChosenPath(const QString &path);

// The first line of LastFolder.inc, or empty when it is missing, unreadable
// or not a plain file (problem says which; a link or a pipe there is never
// opened).
QString readLastFolder(const QString &dataFolder, StateFileProblem *problem = nullptr);
// Where the open dialog starts: the remembered folder while it exists, else
// the user's home folder.
QString dialogStartFolder(const QString &dataFolder, StateFileProblem *problem = nullptr);
// Writes the folder of chosenPath as the only line (replacing the file, never
// writing through a link). False when it could not be written (problem says
// why); the open command goes on regardless.
bool writeLastFolder(const QString &dataFolder, const QString &chosenPath,
                     StateFileProblem *problem = nullptr);

enum class ChosenFile {
    Missing,    // nothing at the path (or it vanished)
    NotAFile,   // a folder, a device, a pipe
    Unreadable, // exists but cannot be opened
    Empty,      // 0 bytes: loaded as an empty list
    PlainList,
    Zip, // begins with a zip signature
};
ChosenFile classifyChosenFile(const QString &path, QString *error = nullptr);

// What the member grid does after a zip was listed.
struct ZipOpenPlan
{
    enum class Next {
        ShowMemberGrid,   // two or more lists: the user chooses
        LoadSingleMember, // exactly one row: extract and load it at once
        NoList,           // nothing to load: say so, load nothing
    };
    // The lab's notes beside the lists (only when the listing gave two or
    // more rows): names ending in "txt" or "log", in any case, in archive
    // order. They are read from the archive when opened, never unpacked.
    QList<zip::ZipMember> notes;
    // Notes that cannot be read at all (protected by a password, or
    // compressed with an unknown method): not offered.
    QList<zip::ZipMember> unreadableNotes;
    // The rows left in the member grid, in archive order.
    QList<zip::ZipMember> rows;
    Next next = Next::NoList;
};

// listed: what listZipMembers offered, in archive order. With two or more
// rows, every row ending in "txt" or "log" in any letter case is a note: it
// is offered in the notes list and taken out of the grid; one row
// left is loaded at once, more are offered, none means the archive holds no
// list. A single listed row is loaded whatever its ending.
ZipOpenPlan planZipOpen(const QList<zip::ZipMember> &listed);

// Where the members of one archive are unpacked: a folder of their own under
// the data folder, named after the archive and a digest of its full path, so
// that "list.csv" of one delivery never replaces "list.csv" of another.
QString archiveMemberFolder(const QString &dataFolder, const QString &zipPath);

// Whether unpacking a member of this declared size asks first: more than
// 2 GB, or more than a quarter of the free space (when that is known, >= 0).
bool memberNeedsConfirmation(qint64 declaredSize, qint64 freeBytes);

// Texts of the open command beyond the language table.
QString noListInZipText(const QString &zipPath);
QString unsafeEntriesNote(int count);
QString notAFileText(const QString &path);

} // namespace corvane
