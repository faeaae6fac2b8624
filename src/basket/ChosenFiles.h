#pragma once

// The chosen files one by one, as the basket's warnings list them: a line's
// size and its path below the target's root, and the files behind each
// warning (the largest ones when the choice does not fit, the ones too big
// for the file system, the paths too long).

#include "Basket.h"
#include "TargetDrive.h"

#include <QString>
#include <QtGlobal>

#include <vector>

namespace corvane {
class LineStore;
} // namespace corvane

namespace corvane::basket {

struct ChosenFile
{
    qsizetype line = -1; // in the store
    qint64 size = 0;     // field 2 in whole bytes, a part of a byte rounded up; 0 if unreadable
    qsizetype pathLength = 0; // field 0's characters after the root prefix
};

// Line i of store measured as the room on a target measures it.
ChosenFile chosenFile(const LineStore &store, qsizetype i, qsizetype rootPrefixLength);

enum class Warning {
    DoesNotFit, // the largest chosen files, largest first
    TooBigForFileSystem,
    PathTooLong,
};

// The chosen files behind a warning, at most limit of them (in store order,
// or largest first for DoesNotFit); total receives how many there are.
std::vector<ChosenFile> warningFiles(const LineStore &store, const Basket &basket, FileSystem fs,
                                     qsizetype rootPrefixLength, Warning warning, qsizetype limit,
                                     qint64 *total = nullptr);

} // namespace corvane::basket
