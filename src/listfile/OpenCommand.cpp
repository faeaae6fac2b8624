#include "OpenCommand.h"

#include "StateFile.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

using namespace Qt::Literals::StringLiterals;

namespace corvane {

QString folderOfChosenPath(const QString &path)
{
    qsizetype cut = path.size();
    while (cut > 0 && path.at(cut - 1) != u'/' && path.at(cut - 1) != u'\\')
        --cut;
    if (cut == 0)
        return path;
    if (cut == 1)
        return path.left(1); // a file in the root folder
    return path.left(cut - 1);
}

QString readLastFolder(const QString &dataFolder, StateFileProblem *problem)
{
    const StateFileRead read = readStateFile(
        QDir(dataFolder).filePath(QString::fromUtf16(LastFolderFileName)), LastFolderMaxBytes);
    if (problem)
        *problem = read.problem;
    if (!read.ok())
        return {};
    QByteArray line = read.bytes;
    const qsizetype end = line.indexOf('\n');
    if (end >= 0)
        line.truncate(end);
    while (line.endsWith('\n') || line.endsWith('\r'))
        line.chop(1);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString folder = utf8(line);
    if (utf8.hasError())
        folder = QString::fromLatin1(line);
    return folder;
}

QString dialogStartFolder(const QString &dataFolder, StateFileProblem *problem)
{
    QString folder = readLastFolder(dataFolder, problem);
    if (!folder.isEmpty() && QFileInfo(folder).isDir())
        return folder;
    return QDir::homePath();
}

bool writeLastFolder(const QString &dataFolder, const QString &chosenPath,
                     StateFileProblem *problem)
{
    StateFileProblem written = StateFileProblem::Failed;
    if (ensureStateFolder(dataFolder, {}))
        written = writeStateFile(QDir(dataFolder).filePath(QString::fromUtf16(LastFolderFileName)),
                                 QByteArray(folderOfChosenPath(chosenPath).toUtf8() + "\r\n"));
    if (problem)
        *problem = written;
    return written == StateFileProblem::None;
}

ChosenFile classifyChosenFile(const QString &path, QString *error)
{
    switch (zip::fileKind(path, error)) {
    case zip::FileKind::Regular:
        break;
    case zip::FileKind::Missing:
        return ChosenFile::Missing;
    case zip::FileKind::Other:
        return ChosenFile::NotAFile;
    case zip::FileKind::Unknown:
        return ChosenFile::Unreadable;
    }
    switch (zip::readFileSignature(path, error)) {
    case zip::FileSignature::Zip:
        return ChosenFile::Zip;
    case zip::FileSignature::Text:
        return ChosenFile::PlainList;
    case zip::FileSignature::Empty:
        return ChosenFile::Empty;
    case zip::FileSignature::Unreadable:
        break;
    }
    return zip::fileKind(path) == zip::FileKind::Missing ? ChosenFile::Missing
                                                         : ChosenFile::Unreadable;
}

ZipOpenPlan planZipOpen(const QList<zip::ZipMember> &listed)
{
    ZipOpenPlan plan;
    if (listed.size() > 1) {
        for (const zip::ZipMember &member : listed) {
            // Notes whatever the letter case of their ending: "README.TXT"
            // is the lab's message as much as "readme.txt".
            const QString lower = member.name.toLower();
            if (!lower.endsWith(u"txt"_s) && !lower.endsWith(u"log"_s))
                plan.rows.append(member);
            else if (member.encrypted || member.unsupportedMethod)
                plan.unreadableNotes.append(member);
            else
                plan.notes.append(member);
        }
    } else {
        plan.rows = listed;
    }
    if (plan.rows.size() > 1)
        plan.next = ZipOpenPlan::Next::ShowMemberGrid;
    else if (plan.rows.size() == 1)
        plan.next = ZipOpenPlan::Next::LoadSingleMember;
    else
        plan.next = ZipOpenPlan::Next::NoList;
    return plan;
}

QString archiveMemberFolder(const QString &dataFolder, const QString &zipPath)
{
    const QString full = QFileInfo(zipPath).absoluteFilePath();
    const QByteArray digest =
        QCryptographicHash::hash(full.toUtf8(), QCryptographicHash::Sha1).toHex().left(12);
    // The archive's name, kept readable and safe as one file name component.
    QString name = QFileInfo(full).completeBaseName().left(48);
    for (QChar &c : name) {
        if (c.unicode() < 0x20 || c == u'/' || c == u'\\' || c == u':' || c == u'*' || c == u'?' ||
            c == u'"' || c == u'<' || c == u'>' || c == u'|' || c == u'.')
            c = u'_';
    }
    if (name.isEmpty())
        name = u"archive"_s;
    return QDir(dataFolder).filePath(u"archives/"_s + name + u'-' + QString::fromLatin1(digest));
}

bool memberNeedsConfirmation(qint64 declaredSize, qint64 freeBytes)
{
    constexpr qint64 Limit = qint64(2) << 30;
    if (declaredSize > Limit)
        return true;
    return freeBytes >= 0 && declaredSize > freeBytes / 4;
}

QString noListInZipText(const QString &zipPath)
{
    return u"The zip archive \"%1\" holds no file list; nothing was loaded."_s.arg(
        QDir::toNativeSeparators(zipPath));
}

QString unsafeEntriesNote(int count)
{
    if (count == 1)
        return u"1 entry of this archive is not offered: its name or type is not safe to unpack."_s;
    return u"%1 entries of this archive are not offered: their names or types are not safe to "
           u"unpack."_s.arg(count);
}

QString notAFileText(const QString &path)
{
    return u"\"%1\" is not a file list (it is a folder or a device)."_s.arg(
        QDir::toNativeSeparators(path));
}

} // namespace corvane
