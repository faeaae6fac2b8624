#pragma once

// The figures of the comparison of two lists: the list and a second one made
// from it with about 1 % of its lines changed, added or removed; the merge
// against loading one list, `corvane-list compare --summary` as a whole
// against `LC_ALL=C sort OLD NEW | uniq -u | wc -l` in the same run, and the
// memory the comparison keeps per difference.

#include <QList>
#include <QString>

#include <utility>

namespace corvane::bench {

// load_new_ms, compare_ms, compare_vs_load, compare_cli_ms, sort_uniq_ms,
// compare_cli_vs_sort, the counts and whether sort agrees with them, and
// compare_bytes_per_difference; the best of `repeat` runs each. Empty with a
// reason in error on a failure.
QList<std::pair<QString, QString>> compareFigures(const QString &listPath, int repeat,
                                                  QString *error);

} // namespace corvane::bench
