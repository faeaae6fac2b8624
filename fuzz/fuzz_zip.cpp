// Zip listing and extraction from archive bytes. Invariants: the listing
// offers only list entries with safe names; an extraction writes only the
// member's own file, inside the extraction folder, whole or not at all (no
// partial or temporary file is left), never more than the free space
// allowed, and the archive itself is never changed.

#include "FuzzCheck.h"
#include "zip/ZipArchive.h"
#include "zip/ZipEntryName.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdint>

using namespace corvane;
using namespace Qt::Literals::StringLiterals;

namespace {

// Everything below folder (files, folders, links), relative.
QStringList everythingBelow(const QString &folder)
{
    QStringList found;
    QDir dir(folder);
    const auto entries =
        dir.entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo &info : entries) {
        found.append(info.fileName());
        if (info.isDir() && !info.isSymLink()) {
            for (const QString &inner : everythingBelow(info.absoluteFilePath()))
                found.append(info.fileName() + u'/' + inner);
        }
    }
    return found;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static QTemporaryDir work;
    FUZZ_CHECK(work.isValid());
    const QByteArray raw(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString zipPath = work.filePath(u"input.zip"_s);
    {
        QFile f(zipPath);
        FUZZ_CHECK(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        FUZZ_CHECK(f.write(raw) == raw.size());
    }
    const zip::ZipListing listing = zip::listZipMembers(zipPath);
    FUZZ_CHECK(listing.ok() == listing.errorText.isEmpty());
    FUZZ_CHECK(listing.members.size() + listing.unsafeSkipped <= listing.entryCount);
    for (const zip::ZipMember &member : listing.members) {
        FUZZ_CHECK(zip::isListEntryName(member.name));
        FUZZ_CHECK(!member.fileName.isEmpty());
        FUZZ_CHECK(!member.fileName.contains(u'/') && !member.fileName.contains(u'\\'));
        FUZZ_CHECK(member.fileName != u".."_s && member.fileName != u"."_s);
    }

    constexpr qint64 FreeSpace = 1 << 20; // a small disk: bombs stop at it
    const QString out = work.filePath(u"out"_s);
    const int tried = int(qMin<qsizetype>(listing.members.size(), 3));
    for (int i = 0; i < tried; ++i) {
        const zip::ZipMember &member = listing.members[i];
        QDir(out).removeRecursively();
        zip::ExtractCallbacks callbacks;
        callbacks.freeSpace = [](const QString &) { return FreeSpace; };
        const zip::ExtractResult result =
            zip::extractZipMember(zipPath, member.index, out, callbacks);
        QStringList left = everythingBelow(out);
        if (result.ok()) {
            FUZZ_CHECK(QFileInfo(result.targetPath).absolutePath() ==
                       QFileInfo(out).absoluteFilePath());
            // The copy, and beside it at most the record of what it holds.
            const QString copy = QFileInfo(result.targetPath).fileName();
            left.removeOne(zip::copyRecordName(copy));
            FUZZ_CHECK(left == QStringList{copy});
            FUZZ_CHECK(QFileInfo(result.targetPath).size() == result.bytesWritten);
            FUZZ_CHECK(result.bytesWritten <= FreeSpace);
        } else {
            FUZZ_CHECK(!result.errorText.isEmpty());
            FUZZ_CHECK(left.isEmpty());
        }
    }
    QFile f(zipPath);
    FUZZ_CHECK(f.open(QIODevice::ReadOnly) && f.readAll() == raw);
    return 0;
}
