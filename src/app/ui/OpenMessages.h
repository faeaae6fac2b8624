#pragma once

// The window's messages about files it cannot open or read: what happened
// first, in the user's language; a reason from the system or the zip
// library follows only as a marked detail (the zip library's are English).

#include "WindowContext.h"

#include <QString>

namespace corvane {

namespace zip {
struct ExtractResult;
} // namespace zip

// "Technical details:" and detail below a blank line; empty for no detail.
QString technicalDetail(const WindowContext &context, const QString &detail);
// The file at path cannot be read (linesShown: the lines read so far are
// shown); reason is the system's.
QString readFailureText(const WindowContext &context, const QString &path, const QString &reason,
                        bool linesShown);
// The opened list at path cannot be found, or the reason it cannot be read.
QString listNotReadText(const WindowContext &context, const QString &path, const QString &reason);
// The members of the archive at zipPath cannot be listed (error: a
// zip::ZipError).
QString zipListingFailureText(const WindowContext &context, const QString &zipPath, int error,
                              const QString &detail);
// A member could not be unpacked: what happened first, then the details.
QString extractionFailureText(const WindowContext &context, const zip::ExtractResult &result);

} // namespace corvane
