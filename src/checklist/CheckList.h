#pragma once

// "Check my files": the customer's own list of what matters, one entry a
// line ("Diplomarbeit", "*.pst", "IMG_2019*"), checked against a recovered
// list. Each entry is one pattern of the term search matched against the
// path of every line; what its matches' status words say gives the verdict.
// All entries are checked in one pass over the list, streamed.

#include "search/ListSearch.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <memory>
#include <utility>

namespace corvane {

enum class CheckVerdict { Recovered, Partial, Damaged, Missing };

// "recovered", "partial", "damaged", "missing".
QString checkVerdictName(CheckVerdict verdict);

// The entries of a check list's text: every line (CR LF, LF or CR) with
// spaces trimmed from both ends; empty lines and lines beginning with "#"
// are none. A ";" is part of the entry.
QStringList checkEntries(QStringView text);

// The entries of a check list file, read as lists are read (Windows-1252,
// UTF-8 with or without a byte-order mark, UTF-16 with one). False and a
// one-line reason when the file is missing, unreadable, or no regular file.
bool readCheckEntries(const QString &path, QStringList *entries, QString *error);

// The pattern an entry is matched as: lower-cased, a "*" added at either end
// that has none. An entry holding a "," outside brackets (a line of a list
// pasted in) stands for its path, the text before that ",": no path holds one.
QString checkEntryPattern(const QString &entry);

struct CheckEntryResult
{
    CheckVerdict verdict = CheckVerdict::Missing;
    qint64 matches = 0;
    QString bestPath;   // field 0 of the best match, decoded; empty when missing
    QString bestStatus; // its status word (field 4), decoded; empty when none
};

struct CheckOutcome
{
    QList<CheckEntryResult> results; // one per entry, in the entries' order
    bool listFound = false;
    bool stopped = false;
    QString error; // a failure's reason (the list unreadable)
    bool complete() const { return error.isEmpty() && !stopped; }
};

// One pass over listPath for all entries. options.progress hands the bytes
// read and, as matches, the lines matching any entry; options.stop ends it.
// The best match of an entry is the first line, in file order, of the best
// class among its matches (good, partial, unknown, bad).
CheckOutcome checkList(const QString &listPath, const QStringList &entries,
                       const SearchOptions &options = {});

struct CheckSummary
{
    qint64 entries = 0;
    qint64 recovered = 0;
    qint64 partial = 0;
    qint64 damaged = 0;
    qint64 missing = 0;
};
CheckSummary summarizeCheck(const QList<CheckEntryResult> &results);

// The results as UTF-8 CSV with CR LF: a header line
// "entry,verdict,matches,best path,best status", then a line per entry; a
// field holding , " CR or LF is quoted, its " doubled.
QByteArray checkResultsCsv(const QStringList &entries, const QList<CheckEntryResult> &results);

// The lines one entry matches, as a criterion of the searches: exactly the
// check's matching of that entry.
std::unique_ptr<LineCriterion> checkEntryCriterion(const QString &entry);
// The lines any of entries matches (what "Add all found to basket" shows
// and chooses).
std::unique_ptr<LineCriterion> checkEntriesCriterion(const QStringList &entries);

// Every status word of the list at listPath (field 4 of the lines with
// exactly five fields) with its count, most frequent first (equal counts in
// text order), streamed. False with the reason when the list cannot be read.
bool listStatusWords(const QString &listPath, QList<std::pair<QString, qint64>> *words,
                     QString *error, const std::atomic<bool> *stop = nullptr);

} // namespace corvane
