// List bytes through the loader, then a listing of its folders, as the window
// would show them. Invariants: every line is stored and sorted, the folder
// tree is a tree in pre-order, the counters agree with the store, each
// folder's lines are contiguous and begin with its key.

#include "FuzzCheck.h"
#include "browse/FolderListing.h"
#include "listfile/ListLoader.h"
#include "listfile/ListShape.h"

#include <QBuffer>

#include <cstdint>

using namespace corvane;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray raw(reinterpret_cast<const char *>(data), qsizetype(size));
    (void)inspectListHead(raw);

    QBuffer buffer;
    buffer.setData(raw);
    buffer.open(QIODevice::ReadOnly);
    ListBytes bytes = readListDevice(buffer);
    FUZZ_CHECK(bytes.ok());
    LoadOptions options;
    options.parallel = false;
    const LoadedList list = loadListBytes(std::move(bytes), options);
    FUZZ_CHECK(list.error.isEmpty() && !list.stopped);

    const LineStore &store = list.iGrid1;
    FUZZ_CHECK(store.count() == list.lineCount);
    FUZZ_CHECK(list.folderCount >= 0 && list.folderCount <= list.lineCount);
    for (qsizetype i = 1; i < store.count(); ++i)
        FUZZ_CHECK(!LineStore::lessOrdinal(store.line(i), store.line(i - 1)));
    // No line holds a line break, and together they are no longer than the input.
    qsizetype stored = 0;
    for (qsizetype i = 0; i < store.count(); ++i) {
        const QByteArrayView line = store.line(i);
        FUZZ_CHECK(!line.contains('\n') && !line.contains('\r'));
        stored += line.size();
    }
    FUZZ_CHECK(stored <= qsizetype(size) * 2 + 8); // UTF-16 grows at most this much as UTF-8

    const FolderTree &tree = list.SftTree1;
    FUZZ_CHECK(tree.isEmpty() == (list.lineCount == 0));
    for (int i = 1; i < tree.count(); ++i) {
        const int p = tree.parent(i);
        FUZZ_CHECK(p >= 0 && p < i);
        FUZZ_CHECK(tree.item(i).level == tree.item(p).level + 1);
        FUZZ_CHECK(tree.child(p, tree.item(i).row) == i);
    }

    const QString prefix = list.rootPrefixAfter(QString());
    ListingOptions listing;
    const int shown = qMin(tree.count(), 64);
    for (int item = 0; item < shown; ++item) {
        const FolderListing folder = listFolder(list, prefix, item, listing);
        FUZZ_CHECK(folder.item == item);
        if (!folder.filled)
            continue;
        FUZZ_CHECK(qsizetype(folder.rows.size()) ==
                   folder.folderRows + folder.fileRows + (folder.hasUpRow() ? 1 : 0));
        FUZZ_CHECK(folder.hasUpRow() == (item > 0));
        const FolderLines &lines = folder.lines;
        if (lines.FirstFolderLine < 0)
            continue;
        FUZZ_CHECK(lines.FirstFolderLine <= lines.LastFolderLine);
        FUZZ_CHECK(lines.LastFolderLine < store.count());
        for (qint32 i = lines.FirstFolderLine; i <= lines.LastFolderLine; ++i)
            FUZZ_CHECK(store.line(i).startsWith(folder.key));
    }
    return 0;
}
