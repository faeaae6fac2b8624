#pragma once

// Writing a list that is shown back to disk as a list file in the lab's own
// format, so the customer can send the lab a narrowed list: the lines as read,
// in the order of the file they came from, Windows-1252 when every character
// has a byte there and UTF-8 otherwise, each line ended by CR LF.

#include "LineStore.h"

#include <QString>
#include <QStringList>

namespace corvane {

struct SaveListResult
{
    enum class Outcome {
        Saved,
        WouldReplaceOpenFile, // the target is one of the files that must stay
        Failed,               // could not be written; an older file is untouched
    };
    Outcome outcome = Outcome::Failed;
    QString error; // the reason, for Failed
    qint64 lines = 0;
    ListEncoding encoding = ListEncoding::Windows1252;
    bool ok() const { return outcome == Outcome::Saved; }
};

// Writes store to outPath through a temporary file that replaces outPath only
// when every byte was written (a full disk or a read-only folder leaves any
// older file of that name as it was). A target that is the same file as one
// of keep (the open list, the archive it came from, the search result file),
// also through a link, is refused before anything is written.
SaveListResult saveListFile(const LineStore &store, const QString &outPath,
                            const QStringList &keep = {});

// True when both paths name one existing file (the same device and inode).
bool isSameFile(const QString &a, const QString &b);

} // namespace corvane
