#pragma once

// What the window says about a list it wrote ("Save list as...", the restore
// list), and the pieces of the name it proposes. One home, so both saves
// speak alike.

#include "listfile/ListSaver.h"

#include <QString>

namespace corvane {

class WindowContext;

// A suffix of a proposed file name ("-selection") as one safe piece of a
// file name: characters no file name may hold become "_"; at most 40.
QString fileNameSuffix(QString suffix);

// Why a save failed, in the language in use.
QString saveFailureReason(WindowContext &context, const SaveListResult &result);

// The outcome of saving to path, in a message box: saved (with its line
// count), refused (the open list or a file it came from), or failed (why).
void reportListSave(WindowContext &context, const QString &path, const SaveListResult &result);

} // namespace corvane
