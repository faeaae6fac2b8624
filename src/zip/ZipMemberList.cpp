#include "ZipMemberList.h"

#include "listfile/ListReader.h"

#include <QBuffer>

using namespace Qt::Literals::StringLiterals;

namespace corvane::zip {

bool loadMemberList(const QString &zipPath, const ZipMember &member, const LoadOptions &options,
                    LoadedList *list, QString *error)
{
    const MemberBytes read = readZipMember(zipPath, member.index, MemberListReadLimit, member.name);
    if (!read.ok() || read.cut) {
        *error = read.cut ? u"the member is too large to be read"_s : read.errorText;
        return false;
    }
    QByteArray bytes = read.bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    ListBytes listBytes = readListDevice(buffer);
    listBytes.fileFound = true;
    *list = loadListBytes(std::move(listBytes), options);
    if (!list->error.isEmpty()) {
        *error = list->error;
        return false;
    }
    return true;
}

} // namespace corvane::zip
