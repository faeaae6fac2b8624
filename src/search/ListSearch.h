#pragma once

// The three searches: term search, preset filter and date search. Each is
// one pass over the opened list file (streamed, never held whole), testing
// every line with a matcher built once, and hands each matching line at once
// to a sink: the result file, or a terminal.

#include "ResultFile.h"

#include <QDate>
#include <QList>
#include <QLocale>
#include <QString>

#include <atomic>
#include <functional>
#include <memory>
#include <utility>

namespace corvane {

struct SearchProgress
{
    qint64 bytesDone = 0;
    qint64 bytesTotal = -1;
    qint64 matches = 0;
};

struct SearchOptions
{
    // Called from the searching thread at most every progressIntervalMs.
    std::function<void(const SearchProgress &)> progress;
    int progressIntervalMs = 40;
    // Set from another thread to give the search up.
    const std::atomic<bool> *stop = nullptr;
};

struct SearchOutcome
{
    enum class Failure {
        None,
        ListUnreadable,   // the list exists but could not be read to its end
        ResultNotCreated, // the result file could not be created
        ResultNotWritten, // a line or the end of the result could not be written
    };
    qint32 matches = 0; // lines surely written
    bool listFound = false;
    bool stopped = false;
    Failure failure = Failure::None;
    QString error; // the reason, for a failure
    bool complete() const { return failure == Failure::None && !stopped; }
};

// A line test built once per search.
class LineCriterion
{
public:
    virtual ~LineCriterion() = default;
    // Hands every matching line of a piece of whole lines to emit, in order;
    // emit returns false to end the pass.
    virtual bool scan(QByteArrayView piece, ListEncoding encoding,
                      const std::function<bool(QByteArrayView line)> &emit) = 0;
};

// The term search: the line's path (field 0, lower-cased; a line without ","
// is taken whole with CR LF) against the term's patterns, the first that
// matches wins.
std::unique_ptr<LineCriterion> termCriterion(const QString &term);
// The preset filter: lines of exactly five fields whose field 4 equals
// status character for character.
std::unique_ptr<LineCriterion> statusCriterion(const QString &status);
// The date search: field 1 read as a date (the locale's way or the lab's
// yyyy-MM-dd hh:mm:ss) on a day from `from` to `to`, both days whole. A line
// whose date cannot be read is no match.
std::unique_ptr<LineCriterion> dateCriterion(QDate from, QDate to, const QLocale &locale);

// One pass over listPath. A missing list gives no match and listFound false.
SearchOutcome searchList(const QString &listPath, LineCriterion &criterion, MatchSink &sink,
                         const SearchOptions &options = {});

// The pass writing the result file at resultPath. On any failure or stop
// the file at resultPath is left as it was.
SearchOutcome searchToResultFile(const QString &listPath, LineCriterion &criterion,
                                 const QString &resultPath, const SearchOptions &options = {});

SearchOutcome termSearch(const QString &listPath, const QString &term, const QString &resultPath,
                         const SearchOptions &options = {});
SearchOutcome presetFilter(const QString &listPath, const QString &status,
                           const QString &resultPath, const SearchOptions &options = {});
SearchOutcome dateSearch(const QString &listPath, QDate from, QDate to, const QLocale &locale,
                         const QString &resultPath, const SearchOptions &options = {});

// The status words of a loaded list (field 4 of the lines with exactly five
// fields) with their counts, most frequent first (equal counts in text
// order), at most `limit`.
QList<std::pair<QString, qint64>> collectStatusWords(QByteArrayView listBytes,
                                                     ListEncoding encoding, int limit,
                                                     const std::atomic<bool> *stop = nullptr);

} // namespace corvane
