#include "ChosenFiles.h"

#include "LineRoom.h"
#include "listfile/LineStore.h"
#include "listfile/ListLine.h"

#include <algorithm>

namespace corvane::basket {

ChosenFile chosenFile(const LineStore &store, qsizetype i, qsizetype rootPrefixLength)
{
    const LineStore::LineReach line = store.reach(i);
    const LineRoom counted =
        lineRoom(store, cutPathAndSize(line.begin, line.bound), rootPrefixLength);
    return {i, counted.size, counted.pathLength};
}

std::vector<ChosenFile> warningFiles(const LineStore &store, const Basket &basket, FileSystem fs,
                                     qsizetype rootPrefixLength, Warning warning, qsizetype limit,
                                     qint64 *total)
{
    std::vector<ChosenFile> files;
    qint64 count = 0;
    const auto bySizeDown = [](const ChosenFile &a, const ChosenFile &b) {
        return a.size != b.size ? a.size > b.size : a.line < b.line;
    };
    basket.forEachChosen([&](qsizetype i) {
        if (i >= store.count())
            return;
        const ChosenFile file = chosenFile(store, i, rootPrefixLength);
        switch (warning) {
        case Warning::DoesNotFit:
            ++count;
            // The largest `limit`, kept as a heap with the smallest on top.
            if (qsizetype(files.size()) < limit) {
                files.push_back(file);
                std::push_heap(files.begin(), files.end(), bySizeDown);
            } else if (limit > 0 && bySizeDown(file, files.front())) {
                std::pop_heap(files.begin(), files.end(), bySizeDown);
                files.back() = file;
                std::push_heap(files.begin(), files.end(), bySizeDown);
            }
            return;
        case Warning::TooBigForFileSystem:
            if (fs != FileSystem::Fat32 || file.size <= Fat32LargestFile)
                return;
            break;
        case Warning::PathTooLong:
            if (file.pathLength <= LongestRestorePath)
                return;
            break;
        }
        ++count;
        if (qsizetype(files.size()) < limit)
            files.push_back(file);
    });
    if (warning == Warning::DoesNotFit)
        std::sort_heap(files.begin(), files.end(), bySizeDown);
    if (total)
        *total = count;
    return files;
}

} // namespace corvane::basket
