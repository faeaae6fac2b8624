// The window's messages about files it cannot open or read.

#include "OpenMessages.h"

#include "zip/ZipArchive.h"

#include <QDir>
#include <QFileInfo>

using namespace Qt::Literals::StringLiterals;

namespace corvane {

QString technicalDetail(const WindowContext &context, const QString &detail)
{
    if (detail.isEmpty())
        return {};
    return u"\n\n"_s + context.langText(LangEntry::TechnicalDetails) + u"\n"_s + detail;
}

QString readFailureText(const WindowContext &context, const QString &path, const QString &reason,
                        bool linesShown)
{
    const QString shown = QDir::toNativeSeparators(path);
    return context.langText(linesShown ? LangEntry::ListReadCutShort : LangEntry::FileUnreadable)
               .arg(shown) +
           technicalDetail(context, reason);
}

QString listNotReadText(const WindowContext &context, const QString &path, const QString &reason)
{
    if (path.isEmpty() || !QFileInfo::exists(path))
        return context.langText(LangEntry::ListNotFound) + u"\n\n"_s +
               QDir::toNativeSeparators(path);
    return readFailureText(context, path, reason, false);
}

QString zipListingFailureText(const WindowContext &context, const QString &zipPath, int error,
                              const QString &detail)
{
    const QString shown = QDir::toNativeSeparators(zipPath);
    switch (zip::ZipError(error)) {
    case zip::ZipError::ArchiveMissing:
        return context.langText(LangEntry::ListNotFound) + u"\n\n"_s + shown;
    case zip::ZipError::Truncated:
        return context.langText(LangEntry::ZipCutShort).arg(shown);
    case zip::ZipError::ReadFailed:
        return context.langText(LangEntry::FileUnreadable).arg(shown) +
               technicalDetail(context, detail);
    default:
        return context.langText(LangEntry::ZipDamaged).arg(shown) +
               technicalDetail(context, detail);
    }
}

QString extractionFailureText(const WindowContext &context, const zip::ExtractResult &result)
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
    return context.langText(entry) + technicalDetail(context, result.errorText);
}

} // namespace corvane
