// corvane-list report LIST OUT: the recovery report of LIST written to OUT as
// PDF, HTML or CSV (by OUT's ending), in the language of the environment's
// locale (English when it is none of the six), as the window writes it: with
// the basket and the check the window keeps for this list, when there are.

#include "ListArgument.h"
#include "app/language/LanguageTable.h"
#include "approval/ApprovalMail.h"
#include "basket/ListFingerprint.h"
#include "commands.h"
#include "report/ReportParts.h"
#include "report/ReportTexts.h"
#include "report/paint/ReportPaint.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFileInfo>
#include <QStandardPaths>

using namespace Qt::Literals::StringLiterals;

namespace corvane::cli {

namespace {

int environmentLanguage()
{
    const QLocale system = QLocale::system();
    const LanguagePick pick = pickLanguage(GetInfo(system));
    if (!pick.matched && system.language() == QLocale::Dutch)
        return LanguageDutch;
    return pick.language;
}

QStringList languageTexts(int language)
{
    initLanguageResources();
    const QString builtIn = u":/corvane/lang.fil"_s;
    const LanguageLoad fallback = loadLanguageFile(builtIn, language);
    const QString path = findLanguageFile(QCoreApplication::applicationDirPath());
    if (path == builtIn)
        return fallback.texts;
    LanguageLoad load = loadLanguageFile(path, language);
    if (!load.ok() || !load.complete())
        return fallback.texts;
    fillMissingEntries(load.texts, fallback.texts);
    return load.texts;
}

} // namespace

int runReport(const QStringList &args)
{
    if (args.size() != 2)
        return ExitUsage;
    const QString &listPath = args[0];
    const QString &outPath = args[1];
    const std::optional<ReportFormat> format = reportFormatOf(outPath);
    if (!format) {
        err(u"corvane-list: %1: a report is written as PDF, HTML or CSV: end the name with "
            u".pdf, .html or .csv\n"_s.arg(outPath));
        return ExitFailure;
    }
    if (refuseZipArchive(listPath))
        return ExitFailure;
    LoadedList list;
    if (!loadListArgument(listPath, list, true))
        return ExitFailure;

    const QString fileName = QFileInfo(listPath).fileName();
    const basket::ListFingerprint fingerprint = basket::listFingerprint(listPath);
    ReportListInfo info;
    info.fileName = fileName;
    info.opened = QDateTime::currentDateTime();
    if (fingerprint.ok())
        info.sha256 = fingerprint.sha256;
    RecoveryReport report = gatherReport(list, info);
    report.labAddress = approvalAddress();
    report.subject = buildApprovalMessage(approvalListName(fileName)).subject;

    const int language = environmentLanguage();
    const QStringList texts = languageTexts(language);
    const LangTextOf text = [&texts](LangEntry entry) { return texts.value(int(entry)); };
    const QLocale locale = displayLocale(language, QLocale::system());
    const SizeUnits units = SizeUnits::fromText(text(LangEntry::SizeUnits));
    const ReportTexts words =
        reportTexts(text, locale, units, localeForLanguage(language).name().left(2));
    // What the window keeps for this list: its basket and its check.
    if (!info.sha256.isEmpty()) {
        const QString dataFolder =
            QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + u"/corvane"_s;
        const ReportWords partWords{text, words.count, words.size};
        report.basket = keptBasketPart(dataFolder, info.sha256, list, partWords);
        report.check = keptCheckPart(dataFolder, info.sha256, listPath, partWords);
    }
    const SaveListResult saved =
        writeReport(report, words, *format, outPath, {listPath}, reportPageSize(QLocale::system()));
    if (saved.outcome == SaveListResult::Outcome::WouldReplaceOpenFile) {
        err(u"corvane-list: %1 is the list itself: the report is not written over it\n"_s.arg(
            outPath));
        return ExitFailure;
    }
    if (!saved.ok()) {
        err(u"corvane-list: %1: %2\n"_s.arg(outPath, saved.error));
        return ExitFailure;
    }
    return ExitOk;
}

} // namespace corvane::cli
