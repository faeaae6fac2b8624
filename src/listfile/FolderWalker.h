#pragma once

// The folder tree item of one line after another, for passes over a store
// (in its order or the file's): consecutive lines mostly share their folders, so
// each line's folder path is compared with the one before and only the
// components below the point where they part are looked up, by the bytes of
// their names (each folder's children sorted ordinally when first needed).

#include "ByteScan.h"
#include "FolderTree.h"
#include "LineStore.h"

#include <QByteArray>
#include <QByteArrayView>

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

namespace corvane {

class FolderWalker
{
public:
    explicit FolderWalker(const FolderTree &tree)
        : m_tree(tree), m_sorted(size_t(tree.count()), 0), m_children(size_t(tree.count()))
    {}

    // The item of a folder path below "Root" ('A\B\', the names each
    // followed by "\"); a component the tree does not hold ends the walk at
    // the deepest folder found.
    int itemOf(QByteArrayView folder)
    {
        if (m_have && sameBytes(folder, QByteArrayView(m_previous)))
            return m_path.empty() ? 0 : m_path.back().second;
        // Keep the components both paths share.
        qsizetype common = 0;
        if (m_have) {
            const qsizetype n = std::min(folder.size(), qsizetype(m_previous.size()));
            while (common < n && folder[common] == m_previous[common])
                ++common;
        }
        while (!m_path.empty() && m_path.back().first >= common)
            m_path.pop_back();
        qsizetype pos = m_path.empty() ? 0 : m_path.back().first + 1;
        int parent = m_path.empty() ? 0 : m_path.back().second;
        m_previous = folder.toByteArray();
        m_have = true;
        while (pos < folder.size()) {
            const char *slash = static_cast<const char *>(
                std::memchr(folder.data() + pos, '\\', size_t(folder.size() - pos)));
            if (!slash)
                break;
            const qsizetype end = slash - folder.data();
            const int child = find(parent, folder.sliced(pos, end - pos));
            if (child < 0)
                break;
            m_path.push_back({end, child});
            parent = child;
            pos = end + 1;
        }
        return parent;
    }

    // The item of a whole line that begins with rootKey (the folder key of
    // "Root"): the folder its path ends in; -1 for a line outside rootKey.
    int itemOfLine(QByteArrayView line, QByteArrayView rootKey)
    {
        if (!line.startsWith(rootKey))
            return -1;
        const char *comma =
            static_cast<const char *>(std::memchr(line.data(), ',', size_t(line.size())));
        const QByteArrayView path = comma ? line.first(comma - line.data()) : line;
        const QByteArrayView below = path.sliced(rootKey.size());
        const char *lastSlash =
            below.isEmpty()
                ? nullptr
                : static_cast<const char *>(::memrchr(below.data(), '\\', size_t(below.size())));
        return lastSlash ? itemOf(below.first(lastSlash - below.data() + 1)) : 0;
    }

private:
    int find(int parent, QByteArrayView name)
    {
        std::vector<int> &children = m_children[size_t(parent)];
        if (!m_sorted[size_t(parent)]) {
            const FolderTree::Item &it = m_tree.item(parent);
            children.resize(size_t(it.childCount));
            for (int r = 0; r < it.childCount; ++r)
                children[size_t(r)] = m_tree.child(parent, r);
            std::sort(children.begin(), children.end(), [this](int a, int b) {
                return LineStore::lessOrdinal(m_tree.rawName(a), m_tree.rawName(b));
            });
            m_sorted[size_t(parent)] = 1;
        }
        const auto at = std::lower_bound(
            children.begin(), children.end(), name, [this](int child, QByteArrayView n) {
                return LineStore::lessOrdinal(m_tree.rawName(child), n);
            });
        return at != children.end() && sameBytes(m_tree.rawName(*at), name) ? *at : -1;
    }

    const FolderTree &m_tree;
    std::vector<char> m_sorted;
    std::vector<std::vector<int>> m_children;
    QByteArray m_previous;
    bool m_have = false;
    std::vector<std::pair<qsizetype, int>> m_path; // the "\" ending each component, its item
};

} // namespace corvane
