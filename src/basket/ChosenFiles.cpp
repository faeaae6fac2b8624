#include "ChosenFiles.h"

#include "listfile/LineStore.h"
#include "listfile/ListLine.h"

#include <algorithm>

namespace corvane::basket {

ChosenFile chosenFile(const LineStore &store, qsizetype i, qsizetype rootPrefixLength)
{
    ChosenFile file;
    file.line = i;
    const LineFields fields = lineFields(store.line(i));
    if (fields.size) {
        const qint64 raw = fields.size->raw();
        file.size = raw <= 0 ? 0 : raw / ByteTotal::Scale + (raw % ByteTotal::Scale != 0 ? 1 : 0);
    }
    // A Windows-1252 byte or an ASCII one is one character; other UTF-8
    // paths are decoded to be counted.
    const QByteArrayView path = fields.path;
    const bool byteWide = store.encoding() == ListEncoding::Windows1252 ||
                          std::all_of(path.begin(), path.end(),
                                      [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    const qsizetype length = byteWide ? path.size() : store.decode(path).size();
    file.pathLength = std::max<qsizetype>(length - rootPrefixLength, 0);
    return file;
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
