#pragma once

// Lists for the comparison's tests: loaded from bytes as a file's bytes are.

#include "listfile/ListLoader.h"
#include "listfile/ListReader.h"

#include <QBuffer>
#include <QByteArray>

namespace corvane::testing {

inline LoadedList loadFromBytes(QByteArray bytes)
{
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    ListBytes read = readListDevice(buffer);
    read.fileFound = true;
    LoadOptions options;
    options.folderTotals = false;
    options.folderKinds = false;
    return loadListBytes(std::move(read), options);
}

} // namespace corvane::testing
