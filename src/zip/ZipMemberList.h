#pragma once

// A list held by a member of a zip archive, read straight into memory and
// loaded, without unpacking it to a file (what corvane-list and the
// comparison read; the window's open command unpacks the member it shows).

#include "ZipArchive.h"
#include "listfile/ListLoader.h"

namespace corvane::zip {

// The most of a member read into memory: as much as a list file may hold.
inline constexpr qint64 MemberListReadLimit = qint64(16) << 30;

// False with the reason (in English) when the member cannot be read or its
// list cannot be loaded to its end.
bool loadMemberList(const QString &zipPath, const ZipMember &member, const LoadOptions &options,
                    LoadedList *list, QString *error);

} // namespace corvane::zip
