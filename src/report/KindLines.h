#pragma once

// The files of one kind below one folder (and of one status class, when
// given), as a criterion of the searches: what a click on a cell of the "By
// kind" view shows. A line is below the folder as the loader files it: its
// path's folder part (up to the last "\"), without its first component (the
// list's top folder, "Root"), begins with the folder's names below "Root";
// every file is below "Root". Folder lines are no files; a line without a
// status field is of the class unknown, as the kinds count it.

#include "search/ListSearch.h"
#include "status/FileKinds.h"
#include "status/StatusClasses.h"

#include <QByteArray>

#include <memory>
#include <optional>

namespace corvane {

// keyBelowRoot: FolderTree::keyBelowRoot of the folder (empty for "Root").
std::unique_ptr<LineCriterion> kindLinesCriterion(const QByteArray &keyBelowRoot, FileKind kind,
                                                  std::optional<StatusClass> statusClass);

} // namespace corvane
