#pragma once

// One colour per recovery status, the same wherever a status is drawn (the
// folder tree's bars, the legend). The colour says the status's class
// (status/StatusClasses.h): greens for good, yellows for partial, oranges to
// reds for bad, greys for unknown (and for the "other" and "unknown"
// statuses). The lab's usual English words have the colours they always had;
// any other word takes a shade of its class picked from its text, so that it
// keeps its colour from list to list. Statuses shown together never share a
// colour: when two would, the later one takes the next free shade of its
// class.

#include "listfile/FolderTotals.h"
#include "status/StatusClasses.h"

#include <QColor>
#include <QList>

namespace corvane {

// The colour of status when it is shown alone.
QColor statusColour(const FolderTotals::Status &status);

// The colours of statuses shown together, one each, in their order, no two
// alike.
QList<QColor> statusColours(const QList<FolderTotals::Status> &statuses);
QList<QColor> statusColours(const FolderTotals &totals);

// The colour of a class where classes are drawn rather than words (the
// kinds' bars): its first shade, red for bad.
QColor statusClassColour(StatusClass statusClass);

// The class a status is coloured by: its word's, "other" and "unknown" are
// Unknown.
StatusClass colourClass(const FolderTotals::Status &status);

} // namespace corvane
