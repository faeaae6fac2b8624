#include "ListFingerprint.h"

#include "listfile/ListReader.h"
#include "util/SystemError.h"

#include <QByteArray>
#include <QCryptographicHash>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace corvane::basket {

ListFingerprint listFingerprint(const QString &path, const std::atomic<bool> *stop,
                                const FingerprintProgress &progress)
{
    ListFingerprint result;
    const OpenedList opened = openListFile(path);
    if (opened.fd < 0) {
        result.failure = QFileInfo::exists(path) ? ListFingerprint::Failure::Unreadable
                                                 : ListFingerprint::Failure::Missing;
        result.error = opened.error;
        return result;
    }
    QCryptographicHash hash(QCryptographicHash::Sha256);
    QByteArray block(FingerprintBlockBytes, Qt::Uninitialized);
    const qint64 total = qint64(opened.atOpen.st_size);
    qint64 done = 0;
    for (;;) {
        if (stop && stop->load()) {
            result.failure = ListFingerprint::Failure::Stopped;
            result.error = u"stopped"_s;
            break;
        }
        const ssize_t got = ::read(opened.fd, block.data(), size_t(block.size()));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            result.failure = ListFingerprint::Failure::Unreadable;
            result.error = systemErrorText(errno);
            break;
        }
        if (got == 0) {
            result.sha256 = QString::fromLatin1(hash.result().toHex());
            break;
        }
        hash.addData(QByteArrayView(block.constData(), got));
        done += got;
        if (progress)
            progress(done, std::max(total, done));
    }
    ::close(opened.fd);
    return result;
}

bool isSha256Hex(QStringView text)
{
    return text.size() == 64 && std::all_of(text.begin(), text.end(), [](QChar c) {
               return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f');
           });
}

} // namespace corvane::basket
