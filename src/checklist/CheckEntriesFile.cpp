#include "CheckEntriesFile.h"

#include "basket/ListFingerprint.h"
#include "util/SystemError.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace corvane {

namespace {

const QByteArray Header = "corvane-check 1\n"_ba;

} // namespace

QString checkEntriesFilePath(const QString &dataFolder, const QString &sha256)
{
    return QDir(dataFolder).filePath(u"baskets/"_s + sha256 + u".check"_s);
}

CheckEntriesRead loadCheckEntries(const QString &dataFolder, const QString &sha256)
{
    CheckEntriesRead result;
    if (dataFolder.isEmpty() || !basket::isSha256Hex(sha256)) {
        result.problem = StateFileProblem::Missing;
        return result;
    }
    const StateFileRead read =
        readStateFile(checkEntriesFilePath(dataFolder, sha256), MaxCheckEntriesBytes);
    result.problem = read.problem;
    result.error = read.error;
    if (!read.ok())
        return result;
    if (!read.bytes.startsWith(Header)) {
        result.damaged = true;
        result.error = u"not a file of kept entries"_s;
        return result;
    }
    const QString text = QString::fromUtf8(QByteArrayView(read.bytes).sliced(Header.size()));
    for (const QStringView line : QStringView(text).split(u'\n', Qt::SkipEmptyParts))
        result.entries.append(line.toString());
    return result;
}

bool saveCheckEntries(const QString &dataFolder, const QString &sha256, const QStringList &entries,
                      QString *error)
{
    if (dataFolder.isEmpty() || !basket::isSha256Hex(sha256)) {
        *error = u"no folder to keep the entries in"_s;
        return false;
    }
    const QString path = checkEntriesFilePath(dataFolder, sha256);
    if (entries.isEmpty()) {
        if (::unlink(QFile::encodeName(path).constData()) != 0 && errno != ENOENT) {
            *error = QDir::toNativeSeparators(path) + u": "_s + systemErrorText(errno);
            return false;
        }
        return true;
    }
    QByteArray bytes = Header;
    for (const QString &entry : entries) {
        // An entry is one line: a line end inside one (none comes from the
        // entries' own reading) would make two.
        QString line = entry;
        line.replace(u'\n', u' ').replace(u'\r', u' ');
        bytes += line.toUtf8();
        bytes += '\n';
    }
    if (bytes.size() > MaxCheckEntriesBytes) {
        *error = u"the entries are longer than %1 bytes"_s.arg(MaxCheckEntriesBytes);
        return false;
    }
    if (!ensureStateFolder(dataFolder, u"baskets"_s, error))
        return false;
    QString why;
    const StateFileProblem problem = writeStateFile(path, bytes, &why);
    if (problem == StateFileProblem::None)
        return true;
    *error = QDir::toNativeSeparators(path) + u": "_s +
             (why.isEmpty() ? u"not a plain file of the program's own"_s : why);
    return false;
}

} // namespace corvane
