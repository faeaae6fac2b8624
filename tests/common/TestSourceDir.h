#pragma once

#include <QString>

namespace corvane::test {

// The project's folder: CORVANE_SOURCE_DIR when set (CTest), else the folder
// the tests were built from, so that a test run by hand finds data/ from any
// working folder.
QString sourceDir();

} // namespace corvane::test
