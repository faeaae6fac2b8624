// What the open command decides around unpacking and loading: whether a file
// that does not look like a list is loaded, whether a very big member is
// unpacked, and which message a failed extraction leads with.

#include "frmMain.h"
#include "listfile/ListShape.h"
#include "listfile/OpenCommand.h"
#include "listfile/SizeText.h"
#include "zip/ZipArchive.h"

#include <QDir>
#include <QStorageInfo>

using namespace Qt::Literals::StringLiterals;

namespace corvane {

bool frmMain::ConfirmListShape(const QString &path)
{
    LangEntry found{};
    switch (inspectListFile(path)) {
    case ListShape::List:
        return true;
    case ListShape::Binary:
        found = LangEntry::NotListBinary;
        break;
    case ListShape::NotAList:
        found = LangEntry::NotListNoListLine;
        break;
    }
    const QString text = langText(found) + u"\n\n"_s + QDir::toNativeSeparators(path) + u"\n\n"_s +
                         langText(LangEntry::LoadAnyway);
    return m_prompts.question(this, text, u"Corvane"_s, true);
}

QString frmMain::memberFolder() const
{
    return archiveMemberFolder(dataFolder(), m_zipPath);
}

bool frmMain::ConfirmBigMember(const zip::ZipMember &member)
{
    // The archive's folder lies below the data folder (which exists), on the
    // same file system.
    const QStorageInfo storage(dataFolder());
    const qint64 freeBytes = storage.isValid() ? storage.bytesAvailable() : -1;
    if (!memberNeedsConfirmation(member.size, freeBytes))
        return true;
    const auto size = ByteTotal::fromBytes(member.size);
    const QString text =
        langText(LangEntry::UnpackBigMember).arg(formatSizeShown(size.value_or(ByteTotal()))) +
        u"\n\n"_s + member.name;
    return m_prompts.question(this, text, u"Corvane"_s, true);
}

QString frmMain::ExtractionFailureText(const zip::ExtractResult &result) const
{
    LangEntry entry = LangEntry::UnpackFailed;
    switch (result.error) {
    case zip::ZipError::Encrypted:
        entry = LangEntry::UnpackEncrypted;
        break;
    case zip::ZipError::Truncated:
    case zip::ZipError::Damaged:
    case zip::ZipError::BadCrc:
    case zip::ZipError::CorruptData:
    case zip::ZipError::LargerThanDeclared:
        entry = LangEntry::UnpackDamaged;
        break;
    case zip::ZipError::UnsupportedMethod:
        entry = LangEntry::UnpackUnsupported;
        break;
    case zip::ZipError::NoSpace:
        entry = LangEntry::UnpackNoSpace;
        break;
    case zip::ZipError::FolderNotWritable:
        entry = LangEntry::UnpackFolderNotWritable;
        break;
    default:
        break;
    }
    // What happened first, in the user's language; then the details.
    return langText(entry) + TechnicalDetail(result.errorText);
}

} // namespace corvane
