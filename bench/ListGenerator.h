#pragma once

// A deterministic generator of realistic recovered-file lists, for the
// benchmark, the sample data and tests. The same options give the same bytes.
//
// Each line is `path,modified,size,attrbits;checkcode,status` ending in CR LF,
// in Windows-1252 bytes. The list is written folder by folder the way a
// directory walk finds it: a folder's entries (its sub-folder entries and its
// files) and then its sub-folders, each in the same way, all below one top
// folder. Folders lie 1 to 12 levels below the top folder.

#include <QByteArray>
#include <QList>
#include <QString>

#include <functional>

class QIODevice;

namespace corvane::listgen {

// What the recovered disk held: a whole system disk, or mostly office
// documents and mail, or mostly photos, music and videos.
enum class ListKind { Disk, Documents, Media };

struct GeneratorOptions
{
    qint64 lines = 1000;           // exactly this many lines are written
    quint64 seed = 1;              // same seed and line count: same bytes
    QByteArray topFolder = "Data"; // component 0 of every path (Windows-1252)
    ListKind kind = ListKind::Disk;
    // A folder of very many sub-folders: every line is the one file of a
    // folder of its own directly below the top folder (a disk whose folders
    // were found without their parents), instead of a directory walk.
    bool wide = false;
};

// What one run produced, for tests and for the programs' messages.
struct GeneratorStats
{
    qint64 lines = 0;
    qint64 bytes = 0;
    qint64 folders = 0;    // folders that received at least one line
    qint64 bigFolders = 0; // folders given 10,000 or more files
    qint64 largestFolderLines = 0;
    int maxDepth = 0; // deepest folder level below the top folder
};

// The deepest folder level the generator uses, and the smallest size of the
// few very large folders it plants in longer lists.
constexpr int kMaxDepth = 12;
constexpr qint64 kBigFolderFiles = 10000;

// How many very large folders a list of this many lines gets.
qint64 bigFolderCount(qint64 lines);

// The status words, most frequent first, as Windows-1252 bytes.
QList<QByteArray> statusWords();

// Receives the list in chunks; returns false to stop (a write failed).
using ChunkSink = std::function<bool(const char *data, qsizetype size)>;

// Generates the list into sink. Returns false when the sink refused a chunk.
bool generateList(const GeneratorOptions &options, const ChunkSink &sink,
                  GeneratorStats *stats = nullptr);

// The whole list in memory (small lists: tests, samples).
QByteArray generateListBytes(const GeneratorOptions &options, GeneratorStats *stats = nullptr);

// Writes the list to a file; on failure returns false and says why in error.
bool writeListFile(const QString &path, const GeneratorOptions &options,
                   GeneratorStats *stats = nullptr, QString *error = nullptr);

} // namespace corvane::listgen
