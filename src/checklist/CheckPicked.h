#pragma once

// The lines any of several entries of a check matches, as a criterion of the
// searches: what "Add all found to basket" shows and chooses.

#include "search/ListSearch.h"

#include <QStringList>

#include <memory>

namespace corvane {

std::unique_ptr<LineCriterion> checkEntriesCriterion(const QStringList &entries);

} // namespace corvane
