// The basket file's reader on any bytes. The first two bytes are the line
// count of the list it is read for (little-endian), the rest the file.
// Invariants: a basket taken is of that list, and what it holds is written
// and read back the same; one not taken says why.

#include "FuzzCheck.h"
#include "basket/BasketFile.h"

#include <QByteArrayView>
#include <QString>

#include <cstdint>

using namespace corvane::basket;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 2)
        return 0;
    const qsizetype lineCount = qsizetype(data[0]) | qsizetype(data[1]) << 8;
    const QByteArrayView bytes(reinterpret_cast<const char *>(data) + 2, qsizetype(size - 2));
    const QString sha = QString(64, u'a');

    const BasketLoadResult read = readBasketBytes(bytes, sha, lineCount);
    FUZZ_CHECK(read.stored.has_value() == (read.problem == BasketLoadProblem::None));
    if (!read.stored) {
        FUZZ_CHECK(!read.detail.isEmpty());
        return 0;
    }
    const Basket &basket = read.stored->basket;
    FUZZ_CHECK(basket.lineCount() == lineCount);
    FUZZ_CHECK(basket.count() <= lineCount);
    const BasketLoadResult again =
        readBasketBytes(basketFileBytes(sha, basket, read.stored->settings), sha, lineCount);
    FUZZ_CHECK(again.problem == BasketLoadProblem::None);
    FUZZ_CHECK(again.stored->basket == basket);
    FUZZ_CHECK(again.stored->settings == read.stored->settings);
    return 0;
}
