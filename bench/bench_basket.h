#pragma once

// The restore basket's figures of corvane-bench: choosing Root, toggling the
// biggest folder, the room of the whole list on a drive, and what the basket
// keeps per line.

#include <QList>
#include <QString>

#include <utility>

namespace corvane::bench {

// select_root_ms (Root chosen and its files and bytes read), select_toggle_big_ms
// (the folder with the most files below it, not Root, chosen and its share
// counted), select_room_ms (the room of every line on a 1 TB exFAT drive),
// select_bytes_per_line; the best of `repeat`. Empty with a reason in error
// when the list cannot be loaded.
QList<std::pair<QString, QString>> basketFigures(const QString &listPath, int repeat,
                                                 QString *error);

} // namespace corvane::bench
