#pragma once

// The figures of "check my files": a check list of 1,000 entries over the
// list in one pass, against grep looking for the same entries as fixed
// strings in the same run; and 10 entries against one term search.

#include <QList>
#include <QString>

#include <utility>

namespace corvane::bench {

// check_1000_ms, grep_check_ms, check_vs_grep, check_10_ms, term_one_ms,
// check_10_vs_term and the verdict counts; the best of `repeat` runs each.
// Empty with a reason in error on a failure.
QList<std::pair<QString, QString>> checkFigures(const QString &listPath, int repeat,
                                                QString *error);

} // namespace corvane::bench
