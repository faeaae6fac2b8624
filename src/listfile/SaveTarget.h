#pragma once

// The name a file is written under: what is there now, and whether it may be
// replaced. One rule for every file the programs write (a saved list, the
// search result).

#include <QString>

namespace corvane {

// Where a file that is saved under a name goes. A name that is free or a
// regular file is written as given; a link to a regular file is written at
// the file it leads to, so the link stays a link (or, for a file that takes
// the name's place by a rename, the link is replaced as a link and what it
// leads to is never written); anything else that is there (a folder, a
// device, a pipe, a socket, a link leading nowhere) is left alone and refused.
struct SaveTarget
{
    enum class Kind { Writable, Folder, NotRegularFile, BrokenLink };
    Kind kind = Kind::Writable;
    QString path; // what to write, a link resolved
    bool ok() const { return kind == Kind::Writable; }
    // Why the target is refused, in English (empty when it is writable).
    QString refusal(const QString &shownName) const;
};

// What is done with a link at the name.
enum class SaveLinks {
    WriteThrough, // written where it leads (a link to a regular file)
    Replace,      // the new file takes the link's place
};

SaveTarget resolveSaveTarget(const QString &path, SaveLinks links = SaveLinks::WriteThrough);

// True when both paths name one existing file (the same device and inode),
// also through links.
bool isSameFile(const QString &a, const QString &b);

} // namespace corvane
