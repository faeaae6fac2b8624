#pragma once

// Where the lines of one list stand in another that holds them: a search
// result's lines in the list it was cut from, so that what is chosen in the
// result is chosen in that list.

#include "listfile/LineStore.h"

#include <QtGlobal>

#include <vector>

namespace corvane::basket {

// For every line of from (in its store order), the index in to of the same
// line (the same text, whatever the two stores' encodings), or -1 when to
// holds none. A line that stands n times in both is paired in order. Both
// stores are sorted, so each line is looked for from where the previous one
// was found: a result of m lines out of n costs about m log(n / m)
// comparisons.
std::vector<qint32> mapLines(const LineStore &from, const LineStore &to);

} // namespace corvane::basket
