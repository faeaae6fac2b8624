#pragma once

// The figures of find as you type on a loaded list: one word against ripgrep
// counting the same word in the same file, a letter added within the
// matches before, three terms, and the matches per folder of the tree.

#include <QList>
#include <QString>

#include <utility>

namespace corvane::bench {

// find_word_ms, rg_word_ms, find_word_vs_rg (with both counts),
// find_narrow_ms, find_terms_ms, find_item_counts_ms and
// find_bytes_per_match; the best of `repeat` runs each. Empty with a reason
// in error on a failure.
QList<std::pair<QString, QString>> findFigures(const QString &listPath, int repeat, QString *error);

} // namespace corvane::bench
