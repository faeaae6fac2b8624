#pragma once

// What names a list file by its contents: the SHA-256 of its bytes. The
// per-user state of a list (its basket) is kept under it, so it comes back
// when the same list is opened again from any path, and not for a list that
// was changed at the same path.

#include <QString>
#include <QStringView>
#include <QtGlobal>

#include <atomic>
#include <functional>

namespace corvane::basket {

struct ListFingerprint
{
    enum class Failure {
        None,
        Missing,    // no file at the path
        Unreadable, // not a regular file, or the system refused (error says why)
        Stopped,    // given up on the stop flag
    };
    QString sha256; // 64 lower-case hexadecimal digits, when ok
    Failure failure = Failure::None;
    QString error; // the reason in English, for a failure
    bool ok() const { return failure == Failure::None; }
};

// Called after each block read with (bytes read so far, the file's size).
using FingerprintProgress = std::function<void(qint64, qint64)>;

// Hashes the file at path in blocks of FingerprintBlockBytes, opened as every
// list is (a folder, a FIFO or a device is refused without blocking). Runs
// on a worker thread; stop, set from another thread, ends it between blocks.
inline constexpr qsizetype FingerprintBlockBytes = qsizetype(1) << 20;
ListFingerprint listFingerprint(const QString &path, const std::atomic<bool> *stop = nullptr,
                                const FingerprintProgress &progress = {});

// text is a SHA-256 as listFingerprint writes it.
bool isSha256Hex(QStringView text);

} // namespace corvane::basket
