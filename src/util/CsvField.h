#pragma once

// The one way the program writes a field of CSV it saves (UTF-8): as it is,
// or quoted when it holds , " CR or LF, its " doubled.

#include <QByteArray>
#include <QStringView>

namespace corvane {

void appendCsvField(QByteArray &out, QStringView field);

} // namespace corvane
