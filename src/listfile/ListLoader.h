#pragma once

#include "ByteTotal.h"
#include "FolderKinds.h"
#include "FolderTotals.h"
#include "FolderTree.h"
#include "LineStore.h"
#include "ListReader.h"

#include <QDate>
#include <QLocale>
#include <QString>

#include <atomic>
#include <functional>
#include <optional>

namespace corvane {

// A loaded list: the line store, the folder tree and the totals. A value:
// the window swaps it in whole.
struct LoadedList
{
    LineStore iGrid1;    // every line as read, sorted ordinally
    FolderTree SftTree1; // "Root" and one item per folder; empty when no line
    FolderTotals totals; // entries, bytes and statuses below every folder (when asked for)
    FolderKinds kinds;   // files by kind below every folder (when asked for)
    qint32 lineCount = 0;
    qint32 folderCount = 0; // distinct folder paths (see FolderTreeBuilder)
    ByteTotal totalSize;
    // The days of the earliest and the latest date (field 1) that the date
    // search can read (LoadOptions::dateLocale); invalid when none can be
    // read, or the dates were not read.
    QDate earliestDate;
    QDate latestDate;
    // Component 0 of the last line whose path holds a "\", for the RootPrefix
    // rule; hasTopComponent is false when no path holds one.
    QString lastTopComponent;
    QByteArray lastTopBytes; // the same as the line holds it (for folder keys)
    bool hasTopComponent = false;
    bool fileFound = false;
    QString error;                 // why the file could not be read (to its end); empty if fine
    bool stopped = false;          // given up through LoadOptions::stop
    bool changedWhileRead = false; // see ListBytes; error says so too

    // The RootPrefix rule: an empty prefix is set from this list (its last
    // line's top folder followed by "\"); a set prefix is kept, so a search
    // result keeps the prefix of the list it was cut from.
    QString rootPrefixAfter(const QString &current) const;

    // What emptying the views does to the data.
    void clear();
};

struct LoadProgress
{
    enum class Phase {
        Reading,      // bytes coming in from the file
        Lines,        // lines being taken in: the counters advance
        LinesRead,    // every line is in; the folder tree is being sorted
        SortingLines, // the line store is being sorted
        Finished
    };
    Phase phase = Phase::Reading;
    qint64 bytesDone = 0; // of the file, for a progress bar
    qint64 bytesTotal = -1;
    qint32 lines = 0;
    qint32 folders = 0;
    ByteTotal total;
};

struct LoadOptions
{
    // The UI language's locale, for the folder tree's natural order.
    QLocale collationLocale = QLocale(QLocale::English, QLocale::UnitedStates);
    // Called from the loading thread, at most every progressIntervalMs and
    // once at each phase change.
    std::function<void(const LoadProgress &)> progress;
    int progressIntervalMs = 40;
    // Use a second thread for sorting (the result is the same).
    bool parallel = true;
    // Gather the folder totals (LoadedList::totals) while reading.
    bool folderTotals = true;
    // Gather the files by kind (LoadedList::kinds) while reading.
    bool folderKinds = true;
    // The user's locale, to read every line's date as the date search reads
    // it (LoadedList::earliestDate and latestDate); none: not read.
    std::optional<QLocale> dateLocale;
    // Keep offset and length for every line, as for a buffer past 4 GiB
    // (tests of that table on small lists).
    bool wideLines = false;
    // How the file's bytes are taken: the window loads its own search
    // result as UTF-16LE, whatever its bytes look like.
    ListFileEncoding fileEncoding = ListFileEncoding::Recognise;
    // Set from another thread to give up a load early (the program is
    // quitting); the result is then incomplete and stopped is true.
    const std::atomic<bool> *stop = nullptr;
};

// Reads and loads one list file. A missing file gives an empty list with
// fileFound false; an unreadable one keeps what was read and sets error.
LoadedList loadList(const QString &path, const LoadOptions &options = {});

// Loads bytes already read (tests, zip entries).
LoadedList loadListBytes(ListBytes bytes, const LoadOptions &options = {});

} // namespace corvane
