#pragma once

// The recovery report: what a customer keeps of a list they approved. The
// list (its name, lines, bytes, when it was opened and its SHA-256), its
// files by kind, the split of its files by status word and by class, its
// top-level folders, the basket and the check when there are any, and the
// lab's address with a line to sign. Gathered once from a loaded list (one
// pass over its lines for the status words; the rest from the totals the
// loader gathered), then written as HTML or CSV here, as PDF or printed by
// the drawing code (report/paint/).
//
// Everything counts files: folder lines (the directory bit) are no files.

#include "listfile/ByteTotal.h"
#include "listfile/FolderKinds.h"
#include "status/StatusClasses.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QLocale>
#include <QString>
#include <QStringList>

#include <array>
#include <atomic>
#include <functional>
#include <optional>

namespace corvane {

struct LoadedList;

struct ReportListInfo
{
    QString fileName; // the list's file name; a zip member's own name
    QString zipName;  // the zip the list came from; empty when none
    QDateTime opened;
    QString sha256; // of the list's bytes, lower-case hexadecimal; empty when unknown
};

struct ReportCount
{
    qint64 files = 0;
    ByteTotal bytes;
    void add(ByteTotal size)
    {
        ++files;
        bytes.tryAdd(size);
    }
};

struct ReportStatusRow
{
    enum class Kind {
        Word,    // one status word as the list writes it
        Unknown, // files whose line has no status field
        Other    // the words past the ones shown by name
    };
    Kind kind = Kind::Word;
    QString word;                                   // decoded; empty for Unknown and Other
    QByteArray rawWord;                             // as the list holds it
    int words = 1;                                  // how many words an Other row stands for
    StatusClass statusClass = StatusClass::Unknown; // Other rows: of their first word
    ReportCount count;
};

struct ReportFolderRow
{
    QString name;
    KindCount count; // files, bytes and files per class below the folder
};

// The basket's figures as the window states them (already in the language
// of the report).
struct ReportBasket
{
    QStringList lines;
};

struct ReportCheckRow
{
    QString entry;
    QString verdict; // in the language of the report
    qint64 matches = 0;
    QString bestPath;
    QString bestStatus;
};

struct ReportCheck
{
    QString summary;
    QList<ReportCheckRow> rows;
};

struct RecoveryReport
{
    // Status words named in the report; the rest are one "other" row.
    static constexpr int MaxStatusRows = 12;
    // Top-level folders named; the rest are summed in one row.
    static constexpr int MaxFolderRows = 40;

    ReportListInfo list;
    qint64 lines = 0;
    ByteTotal listBytes; // of every line that has a size
    KindTotals kinds;    // below "Root"
    QList<ReportStatusRow> statuses;
    std::array<ReportCount, StatusClassCount> classes{};
    QList<ReportFolderRow> folders;
    qint64 moreFolders = 0;    // top-level folders past MaxFolderRows
    KindCount moreFolderCount; // their files together
    std::optional<ReportBasket> basket;
    std::optional<ReportCheck> check;
    QString labAddress;
    QString subject; // of the approval e-mail
    bool stopped = false;

    ReportCount files() const;
};

// The report of list. stop, when set, ends the pass early (stopped true).
RecoveryReport gatherReport(const LoadedList &list, const ReportListInfo &info,
                            const std::atomic<bool> *stop = nullptr);

// The texts of a report in one language, and how it writes numbers.
struct ReportTexts
{
    QString languageCode = QStringLiteral("en"); // the HTML's lang
    QString title, fileName, zipName, lines, bytes, opened, sha256;
    QString kindsHeading, kindColumn, filesColumn, bytesColumn, allKinds;
    std::array<QString, FileKindCount> kindNames;
    QString statusHeading, statusColumn, classColumn, shareColumn, otherStatuses, noStatus;
    std::array<QString, StatusClassCount> classNames;
    QString foldersHeading, folderColumn, moreFolders;
    QString basketHeading, checkHeading, checkEntry, checkVerdict, checkMatches, checkBest,
        checkStatus;
    QString approvalHeading, sendTo, subject, placeDate, signature;

    std::function<QString(qint64)> count;
    std::function<QString(ByteTotal)> size;
    QLocale locale; // shares and the date
};

// How a status row is named in the report: its word, "(no status)", or
// "N other statuses".
QString reportStatusName(const ReportTexts &texts, const ReportStatusRow &row);

// The report as one self-contained HTML file (UTF-8, no reference outside
// it). chartSource is the picture's source (a data: URL, or the name a
// document's resource is known by); statusColours one "#rrggbb" per status
// row. Every text from the list is escaped.
QByteArray reportHtml(const RecoveryReport &report, const ReportTexts &texts,
                      const QString &chartSource, const QStringList &statusColours);
QString reportHtmlText(const RecoveryReport &report, const ReportTexts &texts,
                       const QString &chartSource, const QStringList &statusColours);

// The report as CSV (UTF-8, a header line): one row per kind, then one per
// class; section,id,name,files,bytes,good,partial,bad,unknown.
QByteArray reportCsv(const RecoveryReport &report, const ReportTexts &texts);

// What a name's ending asks for.
enum class ReportFormat { Pdf, Html, Csv };
std::optional<ReportFormat> reportFormatOf(const QString &fileName);

} // namespace corvane
