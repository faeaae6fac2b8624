#include "StateFile.h"

#include "util/SystemError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace corvane {

namespace {

QByteArray encoded(const QString &path)
{
    return QFile::encodeName(path);
}

StateFileProblem problemOf(const struct stat &status)
{
    if (S_ISLNK(status.st_mode))
        return StateFileProblem::Link;
    if (!S_ISREG(status.st_mode))
        return StateFileProblem::NotRegular;
    return StateFileProblem::None;
}

struct Descriptor
{
    int fd = -1;
    ~Descriptor()
    {
        if (fd >= 0)
            ::close(fd);
    }
};

bool writeAll(int fd, QByteArrayView bytes, int *code)
{
    const char *at = bytes.data();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, at, size_t(left));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            *code = n < 0 ? errno : ENOSPC;
            return false;
        }
        at += n;
        left -= n;
    }
    return true;
}

} // namespace

StateFileRead readStateFile(const QString &path, qint64 maxBytes)
{
    StateFileRead read;
    Descriptor file;
    file.fd = ::open(encoded(path).constData(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
    if (file.fd < 0) {
        const int code = errno;
        if (code == ENOENT) {
            read.problem = StateFileProblem::Missing;
        } else if (code == ELOOP) {
            read.problem = StateFileProblem::Link;
        } else if (code == ENXIO) {
            // A pipe nobody writes to, a device that is not there.
            read.problem = StateFileProblem::NotRegular;
        } else {
            read.problem = StateFileProblem::Failed;
            read.error = systemErrorText(code);
        }
        return read;
    }
    struct stat status;
    if (::fstat(file.fd, &status) != 0) {
        read.problem = StateFileProblem::Failed;
        read.error = systemErrorText(errno);
        return read;
    }
    read.problem = problemOf(status);
    if (read.problem != StateFileProblem::None)
        return read;
    if (status.st_size > maxBytes) {
        read.problem = StateFileProblem::TooLarge;
        return read;
    }
    // One byte more than allowed tells a file that grew since fstat.
    QByteArray bytes(qsizetype(qMax<qint64>(status.st_size, 0)) + 1, Qt::Uninitialized);
    qsizetype filled = 0;
    for (;;) {
        if (filled == bytes.size()) {
            if (filled > maxBytes) {
                read.problem = StateFileProblem::TooLarge;
                return read;
            }
            bytes.resize(qMin<qint64>(maxBytes + 1, qint64(bytes.size()) * 2 + 4096));
        }
        const ssize_t n = ::read(file.fd, bytes.data() + filled, size_t(bytes.size() - filled));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            read.problem = StateFileProblem::Failed;
            read.error = systemErrorText(errno);
            return read;
        }
        if (n == 0)
            break;
        filled += n;
    }
    if (filled > maxBytes) {
        read.problem = StateFileProblem::TooLarge;
        return read;
    }
    bytes.truncate(filled);
    read.bytes = bytes;
    return read;
}

StateFileProblem checkStateFile(const QString &path, qint64 maxBytes, QString *error)
{
    struct stat status;
    if (::lstat(encoded(path).constData(), &status) != 0) {
        const int code = errno;
        if (code == ENOENT)
            return StateFileProblem::Missing;
        if (error)
            *error = systemErrorText(code);
        return StateFileProblem::Failed;
    }
    const StateFileProblem problem = problemOf(status);
    if (problem != StateFileProblem::None)
        return problem;
    return status.st_size > maxBytes ? StateFileProblem::TooLarge : StateFileProblem::None;
}

StateFileProblem writeStateFile(const QString &path, QByteArrayView bytes, QString *error)
{
    auto failed = [error](int code) {
        if (error)
            *error = systemErrorText(code);
        return StateFileProblem::Failed;
    };
    const QByteArray name = encoded(path);
    struct stat status;
    if (::lstat(name.constData(), &status) == 0) {
        const StateFileProblem problem = problemOf(status);
        if (problem != StateFileProblem::None)
            return problem;
    } else if (errno != ENOENT) {
        return failed(errno);
    }

    const QFileInfo info(path);
    QByteArray temporary;
    Descriptor file;
    for (int attempt = 0; attempt < 16 && file.fd < 0; ++attempt) {
        const QString random = QString::number(QRandomGenerator::global()->generate64(), 36);
        temporary =
            encoded(QDir(info.path())
                        .filePath(u"."_s + info.fileName().left(64) + u'.' + random + u".tmp"_s));
        file.fd = ::open(temporary.constData(),
                         O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (file.fd < 0 && errno != EEXIST)
            return failed(errno);
    }
    if (file.fd < 0)
        return failed(EEXIST);
    int code = 0;
    if (!writeAll(file.fd, bytes, &code)) {
        ::unlink(temporary.constData());
        return failed(code);
    }
    if (::fsync(file.fd) != 0) {
        code = errno;
        ::unlink(temporary.constData());
        return failed(code);
    }
    const int fd = file.fd;
    file.fd = -1;
    if (::close(fd) != 0) {
        code = errno;
        ::unlink(temporary.constData());
        return failed(code);
    }
    // rename replaces whatever is at the name itself; a link planted since
    // the check above is replaced, never written through.
    if (::rename(temporary.constData(), name.constData()) != 0) {
        code = errno;
        ::unlink(temporary.constData());
        return failed(code);
    }
    return StateFileProblem::None;
}

bool ensureStateFolder(const QString &base, const QString &relative, QString *error)
{
    auto refuse = [error](const QString &folder, const QString &why) {
        if (error)
            *error = QDir::toNativeSeparators(folder) + u": "_s + why;
        return false;
    };
    if (base.isEmpty())
        return refuse(base, u"no folder"_s);
    if (!QDir().mkpath(base))
        return refuse(base, u"cannot be created"_s);
    struct stat status;
    if (::stat(encoded(base).constData(), &status) != 0)
        return refuse(base, systemErrorText(errno));
    if (!S_ISDIR(status.st_mode))
        return refuse(base, u"not a folder"_s);

    QString folder = QDir::cleanPath(base);
    const QStringList parts = relative.split(u'/', Qt::SkipEmptyParts);
    for (const QString &part : parts) {
        if (part == u"."_s || part == u".."_s)
            return refuse(folder, u"not a folder name: "_s + part);
        folder += u'/' + part;
        const QByteArray name = encoded(folder);
        if (::mkdir(name.constData(), 0700) != 0 && errno != EEXIST)
            return refuse(folder, systemErrorText(errno));
        if (::lstat(name.constData(), &status) != 0)
            return refuse(folder, systemErrorText(errno));
        if (S_ISLNK(status.st_mode))
            return refuse(folder, u"a link, not a folder"_s);
        if (!S_ISDIR(status.st_mode))
            return refuse(folder, u"not a folder"_s);
        if (status.st_uid != ::geteuid())
            return refuse(folder, u"owned by another user"_s);
    }
    return true;
}

} // namespace corvane
