#pragma once

// What the line sort (ListLoader) and the folder names' key sort
// (NaturalOrder) share: the three-way split of refs by the 8-byte chunks kept
// beside them, the split of a long range at the median of a sample, and the
// run of two parts on two threads.

#include <QtGlobal>

#include <algorithm>
#include <exception>
#include <thread>
#include <utility>
#include <vector>

namespace corvane {

// Runs other() on a second thread while here() runs on this one. An
// exception of either (out of memory) comes out here once both have ended.
template<typename Here, typename Other> void runOnTwoThreads(Here &&here, Other &&other)
{
    std::exception_ptr failed;
    std::thread second([&] {
        try {
            other();
        } catch (...) {
            failed = std::current_exception();
        }
    });
    try {
        here();
    } catch (...) {
        second.join();
        throw;
    }
    second.join();
    if (failed)
        std::rethrow_exception(failed);
}

// Everything less than the median of a sample of [first, last) goes first;
// returns where the rest begins. The two parts sorted on their own give the
// order of one sort, with nothing to merge.
template<typename T, typename Less> T *splitAtSampleMedian(T *first, T *last, Less less)
{
    constexpr size_t SampleSize = 255;
    std::vector<T> sample;
    sample.reserve(SampleSize);
    const size_t step = size_t(last - first) / SampleSize;
    for (size_t k = 0; k < SampleSize; ++k)
        sample.push_back(first[k * step]);
    std::sort(sample.begin(), sample.end(), less);
    const T pivot = sample[sample.size() / 2];
    return std::partition(first, last, [&](const T &x) { return less(x, pivot); });
}

struct ChunkSplit
{
    qsizetype lt;  // [0, lt): chunks below the pivot
    qsizetype gt;  // [lt, gt): equal to it; [gt, n): above it
    quint64 pivot; // the median of the first, middle and last chunk
};

// Three ways around the median of three chunks; chunks[i] belongs to refs[i]
// and moves with it.
template<typename Ref> ChunkSplit partitionByChunk(quint64 *chunks, Ref *refs, qsizetype n)
{
    const quint64 a = chunks[0];
    const quint64 b = chunks[n / 2];
    const quint64 c = chunks[n - 1];
    const quint64 pivot = a < b ? (b < c ? b : (a < c ? c : a)) : (a < c ? a : (b < c ? c : b));
    qsizetype lt = 0;
    qsizetype i = 0;
    qsizetype gt = n;
    while (i < gt) {
        const quint64 k = chunks[i];
        if (k < pivot) {
            std::swap(chunks[lt], chunks[i]);
            std::swap(refs[lt++], refs[i++]);
        } else if (pivot < k) {
            --gt;
            std::swap(chunks[i], chunks[gt]);
            std::swap(refs[i], refs[gt]);
        } else {
            ++i;
        }
    }
    return {lt, gt, pivot};
}

} // namespace corvane
