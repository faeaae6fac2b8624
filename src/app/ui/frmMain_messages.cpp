// The window's messages about files it cannot open or read: what happened
// first, in the user's language; a reason from the system or the zip
// library follows only as a marked detail (the zip library's are English).

#include "frmMain.h"
#include "zip/ZipArchive.h"

#include <QDir>
#include <QFileInfo>

using namespace Qt::Literals::StringLiterals;

namespace corvane {

QString frmMain::TechnicalDetail(const QString &detail) const
{
    if (detail.isEmpty())
        return {};
    return u"\n\n"_s + langText(LangEntry::TechnicalDetails) + u"\n"_s + detail;
}

QString frmMain::ReadFailureText(const QString &path, const QString &reason, bool linesShown) const
{
    const QString shown = QDir::toNativeSeparators(path);
    return langText(linesShown ? LangEntry::ListReadCutShort : LangEntry::FileUnreadable)
               .arg(shown) +
           TechnicalDetail(reason);
}

QString frmMain::ListNotReadText(const QString &path, const QString &reason) const
{
    if (path.isEmpty() || !QFileInfo::exists(path))
        return langText(LangEntry::ListNotFound) + u"\n\n"_s + QDir::toNativeSeparators(path);
    return ReadFailureText(path, reason, false);
}

QString frmMain::ZipListingFailureText(const QString &zipPath, int error,
                                       const QString &detail) const
{
    const QString shown = QDir::toNativeSeparators(zipPath);
    switch (zip::ZipError(error)) {
    case zip::ZipError::ArchiveMissing:
        return langText(LangEntry::ListNotFound) + u"\n\n"_s + shown;
    case zip::ZipError::Truncated:
        return langText(LangEntry::ZipCutShort).arg(shown);
    case zip::ZipError::ReadFailed:
        return langText(LangEntry::FileUnreadable).arg(shown) + TechnicalDetail(detail);
    default:
        return langText(LangEntry::ZipDamaged).arg(shown) + TechnicalDetail(detail);
    }
}

} // namespace corvane
