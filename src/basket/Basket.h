#pragma once

// The restore basket: the lines of a loaded list the customer has chosen, one
// bit a line of its line store (in the store's sorted order). A folder is a
// stretch of lines there, so choosing a folder sets a stretch of bits, and how
// much of a folder is chosen is a count over that stretch: no state is kept
// per folder.

#include "TargetDrive.h"

#include <QtGlobal>

#include <atomic>
#include <bit>
#include <cstdint>
#include <optional>
#include <vector>

namespace corvane {
struct LoadedList;
} // namespace corvane

namespace corvane::basket {

class Basket
{
public:
    Basket() = default;
    explicit Basket(qsizetype lineCount);

    qsizetype lineCount() const { return m_lines; }
    qsizetype count() const { return m_count; }
    bool isEmpty() const { return m_count == 0; }
    bool contains(qsizetype line) const;
    // Lines outside [0, lineCount) are left alone.
    void set(qsizetype line, bool chosen);
    // Every line of [first, last); the part outside the store is left alone.
    void setRange(qsizetype first, qsizetype last, bool chosen);
    // How many lines of [first, last) are chosen.
    qsizetype countIn(qsizetype first, qsizetype last) const;
    void clear();

    // f(line) for every chosen line, in store order.
    template<typename F> void forEachChosen(F &&f) const
    {
        for (std::size_t w = 0; w < m_words.size(); ++w) {
            std::uint64_t word = m_words[w];
            while (word != 0) {
                const int bit = std::countr_zero(word);
                f(qsizetype(w * 64 + std::size_t(bit)));
                word &= word - 1;
            }
        }
    }

    // f(first, last) for every stretch [first, last) of chosen lines, in
    // store order; stretches that touch are one.
    template<typename F> void forEachRun(F &&f) const
    {
        qsizetype first = -1; // the start of the stretch under way
        for (std::size_t w = 0; w < m_words.size(); ++w) {
            const std::uint64_t word = m_words[w];
            int at = 0;
            while (at < 64) {
                // The next bit that starts a stretch, or that ends one.
                const std::uint64_t ahead = (first < 0 ? word : ~word) >> at;
                if (ahead == 0)
                    break;
                at += std::countr_zero(ahead);
                const qsizetype line = qsizetype(w * 64 + std::size_t(at));
                if (first < 0) {
                    first = line;
                } else {
                    f(first, line);
                    first = -1;
                }
            }
        }
        if (first >= 0)
            f(first, m_lines);
    }

    // The same lines of the same store.
    friend bool operator==(const Basket &, const Basket &) = default;

    // The bits of lines [64 * w, 64 * w + 64), line 64 * w in bit 0; words
    // past the store's lines are 0.
    std::size_t wordCount() const { return m_words.size(); }
    std::uint64_t word(std::size_t w) const { return m_words[w]; }

    // The memory the bits take.
    std::size_t bytesUsed() const { return m_words.size() * sizeof(std::uint64_t); }

private:
    std::vector<std::uint64_t> m_words;
    qsizetype m_lines = 0;
    qsizetype m_count = 0;
};

// The chosen lines of list measured for a target: each line's size (field
// 2, a part of a byte rounded up, a size that cannot be read as 0) and its
// path below the target's root (field 0 without the first rootPrefixLength
// characters), as lineRoom (LineRoom.h) counts them. A basket of many
// chosen lines is measured on two threads.
RoomOnTarget measure(const LoadedList &list, const Basket &basket, FileSystem fs, qint64 capacity,
                     qsizetype rootPrefixLength);
// The same, given up when stop is seen set (it is looked at every few
// thousand lines, so a window can measure off its thread and drop a result
// the customer's next choice has made stale): nullopt then.
std::optional<RoomOnTarget> measure(const LoadedList &list, const Basket &basket, FileSystem fs,
                                    qint64 capacity, qsizetype rootPrefixLength,
                                    const std::atomic<bool> &stop);

} // namespace corvane::basket
