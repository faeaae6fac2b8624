#pragma once

// The recovery map's figures of corvane-bench: its layout and its drawing at
// full-HD size.

#include <QList>
#include <QString>

#include <utility>

namespace corvane::bench {

// map_layout_ms (the layout of "Root" at 1920 x 1080, best of `repeat`),
// map_ms (the layout and its drawing into a picture), map_tiles,
// map_deep_ms (layout and drawing of the deepest folder that still holds
// a thousandth of the list's files), map_big_ms (of the folder with the
// most sub-folders), map_bytes_per_line (what the map of "Root" keeps, per
// line). Empty with a reason in error when the list cannot be loaded.
QList<std::pair<QString, QString>> mapFigures(const QString &listPath, int repeat, QString *error);

} // namespace corvane::bench
