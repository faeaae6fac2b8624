#pragma once

// The browsing figures of corvane-bench: showing a folder as the window does
// (the core listing, the grid model's reset and a first data() pass over the
// rows in view), on the list being measured.

#include <QList>
#include <QString>

#include <utility>

namespace corvane::bench {

// pick_root_ms (show "Root"), pick_big_ms (the folder with the most direct
// files) and pick_10k_ms (the smallest folder of 10,000 or more files), the
// best of `repeat` runs each, with the folders' file counts. Empty with a
// reason in error when the list cannot be loaded.
QList<std::pair<QString, QString>> browseFigures(const QString &listPath, int repeat,
                                                 QString *error);

} // namespace corvane::bench
