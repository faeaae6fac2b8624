#pragma once

// One colour per recovery status, the same wherever a status is drawn (the
// folder tree's bars, the legend): the lab's usual words have colours that
// say how well a file came back, other words a colour of their own picked
// from their text, so a word keeps its colour from list to list.

#include "listfile/FolderTotals.h"

#include <QColor>

namespace corvane {

QColor statusColour(const FolderTotals::Status &status);

} // namespace corvane
