#pragma once

// Find as you type over a loaded list: the lines a query matches, as line
// store indexes, found by one pass over the store's bytes on two threads, or
// within the matches of the query before when the new one only narrows it;
// what they are below every folder and per status is FindFigures'.

#include "FindQuery.h"
#include "listfile/ByteTotal.h"

#include <QString>

#include <atomic>
#include <vector>

namespace corvane {

struct LoadedList;

struct FindMatches
{
    std::vector<qint32>
        lines;            // line store indexes, ascending (4 bytes a match, nothing else per match)
    qint64 count = 0;     // == lines.size(), or the store's count when all is true
    ByteTotal bytes;      // sum of the matches' sizes, read as the loader reads field 2
    bool all = false;     // every line matched (lines then left empty, to spare memory)
    bool stopped = false; // gave up through stop
    bool contains(qint32 line) const; // all, or a binary search
};

// Two threads for a full pass (threads: 0 = QThread::idealThreadCount()
// capped at 2); within: the previous matches when query.narrows(previous)
// (nullptr: every line). stop is polled often (every few thousand lines).
// An empty query matches every line.
FindMatches runFind(const LoadedList &list, const FindQuery &query, const FindMatches *within,
                    const std::atomic<bool> *stop = nullptr, int threads = 0);

} // namespace corvane
