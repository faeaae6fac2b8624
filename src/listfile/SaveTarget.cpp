#include "SaveTarget.h"

#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>

using namespace Qt::Literals::StringLiterals;

namespace corvane {

namespace {

// The kind of what a name holds that is not a link.
SaveTarget::Kind kindOf(const struct stat &st)
{
    if (S_ISDIR(st.st_mode))
        return SaveTarget::Kind::Folder;
    if (!S_ISREG(st.st_mode))
        return SaveTarget::Kind::NotRegularFile;
    return SaveTarget::Kind::Writable;
}

} // namespace

SaveTarget resolveSaveTarget(const QString &path, SaveLinks links)
{
    SaveTarget target;
    target.path = path;
    const QByteArray native = QFile::encodeName(path);
    struct stat st
    {};
    if (::lstat(native.constData(), &st) != 0)
        return target; // a free name, or one whose write says what is wrong
    if (S_ISLNK(st.st_mode)) {
        if (links == SaveLinks::Replace)
            return target;
        if (::stat(native.constData(), &st) != 0) {
            target.kind = SaveTarget::Kind::BrokenLink;
            return target;
        }
        if (S_ISREG(st.st_mode)) {
            // Written where the link leads, as cp would: the link stays.
            target.path = QFileInfo(path).canonicalFilePath();
            if (target.path.isEmpty())
                target.kind = SaveTarget::Kind::BrokenLink;
            return target;
        }
    }
    target.kind = kindOf(st);
    return target;
}

QString SaveTarget::refusal(const QString &shownName) const
{
    switch (kind) {
    case Kind::Writable:
        break;
    case Kind::Folder:
        return u"%1 is a folder"_s.arg(shownName);
    case Kind::NotRegularFile:
        return u"%1 is not a regular file (a device, a pipe or a socket) and is left as it is"_s
            .arg(shownName);
    case Kind::BrokenLink:
        return u"%1 is a link that leads to no file"_s.arg(shownName);
    }
    return {};
}

bool isSameFile(const QString &a, const QString &b)
{
    if (a.isEmpty() || b.isEmpty())
        return false;
    struct stat sa
    {};
    struct stat sb
    {};
    if (::stat(QFile::encodeName(a).constData(), &sa) != 0 ||
        ::stat(QFile::encodeName(b).constData(), &sb) != 0)
        return false;
    return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

} // namespace corvane
