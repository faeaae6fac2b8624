#pragma once

// Whether a file looks like a file list at all, from its first bytes: a user
// may pick a photo or a document by mistake, and loading it would fill the
// views with noise.

#include <QByteArrayView>
#include <QString>

namespace corvane {

enum class ListShape {
    List,     // text with at least one line shaped like a list line (or empty)
    Binary,   // NUL bytes or many control characters: not text
    NotAList, // text, but none of its first lines has a list line's shape
};

// Looks at the beginning of a file's bytes as read (UTF-16 already
// transcoded): at most the first 64 KB and 200 non-empty lines. A list line's
// shape: a path holding a "\" or five fields (four commas).
ListShape inspectListHead(QByteArrayView bytes);

// The same for a file's first 64 KB, through the list reader (so UTF-16 is
// recognised). A file that cannot be read counts as a list: the load itself
// then says why.
ListShape inspectListFile(const QString &path);

} // namespace corvane
