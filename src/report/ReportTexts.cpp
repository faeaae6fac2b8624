#include "ReportTexts.h"

namespace corvane {

QString fileKindName(FileKind kind, const LangTextOf &text)
{
    return text(LangEntry(int(LangEntry::KindPhotos) + int(kind)));
}

QString statusClassText(StatusClass statusClass, const LangTextOf &text)
{
    return text(LangEntry(int(LangEntry::ClassGood) + int(statusClass)));
}

ReportTexts reportTexts(const LangTextOf &text, const QLocale &locale, const SizeUnits &units,
                        const QString &languageCode)
{
    ReportTexts t;
    t.languageCode = languageCode;
    t.title = text(LangEntry::ReportTitle);
    t.fileName = text(LangEntry::ReportFileName);
    t.zipName = text(LangEntry::ReportZipName);
    t.lines = text(LangEntry::ReportLines);
    t.bytes = text(LangEntry::KindsSizeColumn);
    t.opened = text(LangEntry::ReportOpened);
    t.sha256 = text(LangEntry::ReportSha256);
    t.kindsHeading = text(LangEntry::ReportKindsHeading);
    t.kindColumn = text(LangEntry::KindsKindColumn);
    t.filesColumn = text(LangEntry::KindsFilesColumn);
    t.bytesColumn = text(LangEntry::KindsSizeColumn);
    t.allKinds = text(LangEntry::KindsAll);
    for (int k = 0; k < FileKindCount; ++k)
        t.kindNames[size_t(k)] = fileKindName(FileKind(k), text);
    t.statusHeading = text(LangEntry::ReportStatusHeading);
    t.statusColumn = text(LangEntry::CheckStatusColumn);
    t.classColumn = text(LangEntry::ReportClassColumn);
    t.shareColumn = text(LangEntry::ReportShareColumn);
    t.otherStatuses = text(LangEntry::ReportOtherStatuses);
    t.noStatus = text(LangEntry::ReportNoStatus);
    for (int c = 0; c < StatusClassCount; ++c)
        t.classNames[size_t(c)] = statusClassText(StatusClass(c), text);
    t.foldersHeading = text(LangEntry::ReportFoldersHeading);
    t.folderColumn = text(LangEntry::ReportFolderColumn);
    t.moreFolders = text(LangEntry::ReportMoreFolders);
    t.basketHeading = text(LangEntry::ReportBasketHeading);
    t.checkHeading = text(LangEntry::CheckTitle);
    t.checkEntry = text(LangEntry::CheckEntryColumn);
    t.checkVerdict = text(LangEntry::CheckVerdictColumn);
    t.checkMatches = text(LangEntry::CheckMatchesColumn);
    t.checkBest = text(LangEntry::CheckBestColumn);
    t.checkStatus = text(LangEntry::CheckStatusColumn);
    t.approvalHeading = text(LangEntry::ReportApprovalHeading);
    t.sendTo = text(LangEntry::ReportSendTo);
    t.subject = text(LangEntry::ReportSubject);
    t.placeDate = text(LangEntry::ReportPlaceDate);
    t.signature = text(LangEntry::ReportSignature);
    t.locale = locale;
    t.count = [locale](qint64 n) { return formatCount(n, locale); };
    t.size = [locale, units](ByteTotal size) { return FormatSize(size, locale, units); };
    return t;
}

} // namespace corvane
