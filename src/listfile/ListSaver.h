#pragma once

// Writing a list that is shown back to disk as a list file in the lab's own
// format, so the customer can send the lab a narrowed list: the lines as read,
// in the order of the file they came from, Windows-1252 when every character
// has a byte there and UTF-8 otherwise, each line ended by CR LF.

#include "LineStore.h"
#include "SaveTarget.h"

#include <QByteArrayView>
#include <QIODevice>
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

// What a save writes through: the bytes go to the temporary file, a write
// the system refuses is remembered (its errno) and ends the writing.
class SaveWriter
{
public:
    explicit SaveWriter(QIODevice &file) : m_file(file) {}
    bool write(QByteArrayView bytes);
    // The file, for writers that take a device (a PDF).
    QIODevice &device() { return m_file; }
    bool failed() const { return m_error != 0; }
    int error() const { return m_error; }

private:
    QIODevice &m_file;
    int m_error = 0;
};

// Any file saved as saveListFile saves a list: the same refusals (keep, the
// target's kind, a missing folder, a read-only file), the same temporary
// file committed only when write returned true and every write went through.
// write is called once, with the file open.
SaveListResult saveFileAs(const QString &outPath, const QStringList &keep,
                          const std::function<bool(SaveWriter &)> &write);

} // namespace corvane
