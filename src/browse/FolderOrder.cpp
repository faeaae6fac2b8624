#include "FolderOrder.h"

#include "listfile/FolderTotals.h"
#include "listfile/FolderTree.h"

#include <algorithm>

namespace corvane {

namespace {

// Negative when a comes before b in largest-first order, 0 when equal.
int compareLargestFirst(const FolderTotals &t, FolderSortKey key, int a, int b)
{
    auto desc = [](auto x, auto y) { return x > y ? -1 : (x < y ? 1 : 0); };
    switch (key) {
    case FolderSortKey::Name:
        return 0;
    case FolderSortKey::Files:
        return desc(t.files(a), t.files(b));
    case FolderSortKey::Size:
        if (const int c = desc(t.bytes(a).raw(), t.bytes(b).raw()))
            return c;
        return desc(t.files(a), t.files(b));
    case FolderSortKey::Recovery: {
        // Shares compared exactly: fa/na against fb/nb as fa*nb against fb*na.
        const qint64 na = t.files(a);
        const qint64 nb = t.files(b);
        if (na == 0 || nb == 0)
            return desc(na, nb);
        for (int s = 0; s < t.statusCount(); ++s) {
            if (const int c = desc(qint64(t.files(a, s)) * nb, qint64(t.files(b, s)) * na))
                return c;
        }
        return desc(na, nb);
    }
    }
    return 0;
}

} // namespace

void sortChildren(const FolderTree &tree, const FolderTotals &totals, int parent, FolderSortKey key,
                  bool largestFirst, int *out)
{
    const int count = tree.item(parent).childCount;
    for (int r = 0; r < count; ++r)
        out[r] = tree.child(parent, r);
    if (key == FolderSortKey::Name || count < 2 || totals.folderCount() != tree.count())
        return;
    std::stable_sort(out, out + count, [&](int a, int b) {
        const int c = compareLargestFirst(totals, key, a, b);
        return largestFirst ? c < 0 : c > 0;
    });
}

std::vector<int> sortAllChildren(const FolderTree &tree, const FolderTotals &totals,
                                 FolderSortKey key, bool largestFirst)
{
    std::vector<int> table(size_t(std::max(tree.count() - 1, 0)));
    for (int p = 0; p < tree.count(); ++p) {
        const FolderTree::Item &it = tree.item(p);
        if (it.childCount > 0)
            sortChildren(tree, totals, p, key, largestFirst, table.data() + it.firstChild);
    }
    return table;
}

} // namespace corvane
