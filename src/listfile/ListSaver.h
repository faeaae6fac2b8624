#pragma once

// Writing a list that is shown back to disk as a list file in the lab's own
// format, so the customer can send the lab a narrowed list: the lines as read,
// in the order of the file they came from, Windows-1252 when every character
// has a byte there and UTF-8 otherwise, each line ended by CR LF.

#include "LineStore.h"
#include "SaveTarget.h"

#include <QString>
#include <QStringList>

#include <functional>

namespace corvane {

struct SaveListResult
{
    enum class Outcome {
        Saved,
        WouldReplaceOpenFile, // the target is one of the files that must stay
        Failed,               // could not be written; an older file is untouched
    };
    // Why a save failed, for a message in the user's language.
    enum class Reason {
        None,
        DiskFull,       // no room left (also a quota or a file size limit)
        NotRegularFile, // a device, a pipe, a socket: never replaced
        Folder,
        BrokenLink,
        NoFolder, // the folder to write in is not there
        ReadOnly, // the file or its folder may not be written
        Other,    // error says what the system reported
    };
    Outcome outcome = Outcome::Failed;
    Reason reason = Reason::None;
    QString error; // the reason in English, for Failed
    qint64 lines = 0;
    ListEncoding encoding = ListEncoding::Windows1252;
    bool ok() const { return outcome == Outcome::Saved; }
};

// Writes store to outPath through a temporary file that replaces outPath only
// when every byte was written and committed (a full disk or a read-only
// folder leaves any older file of that name as it was, and no part-written
// file behind). The target is taken as resolveSaveTarget() says. A target that is the same file as
// one of keep (the open list, the archive it came from, the search result file), also through a
// link, is refused before anything is written. include, when given, takes the
// lines to write by their index in the store (a restore list: the chosen ones).
SaveListResult saveListFile(const LineStore &store, const QString &outPath,
                            const QStringList &keep = {},
                            const std::function<bool(qsizetype)> &include = {});

// The same safe write for any bytes: nextPiece appends the next piece of the
// file to an empty buffer (a MiB or so) and returns whether more follow. The
// keep and target rules are saveListFile's; lines and encoding stay unset.
SaveListResult saveFileInPieces(const QString &outPath, const QStringList &keep,
                                const std::function<bool(QByteArray &piece)> &nextPiece);

} // namespace corvane
