// What the open command decides around unpacking and loading: whether a file
// that does not look like a list is loaded, whether a very big member is
// unpacked, where members are unpacked and which name a member goes by.

#include "OpenController.h"
#include "listfile/ListSaver.h"
#include "listfile/ListShape.h"
#include "listfile/OpenCommand.h"
#include "listfile/SizeText.h"
#include "zip/ZipMemberModel.h"

#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>
#include <QTableView>

using namespace Qt::Literals::StringLiterals;

namespace corvane {

bool OpenController::confirmListShape(const QString &path)
{
    LangEntry found{};
    switch (inspectListFile(path)) {
    case ListShape::List:
        return true;
    case ListShape::Binary:
        found = LangEntry::NotListBinary;
        break;
    case ListShape::NotAList:
        found = LangEntry::NotListNoListLine;
        break;
    }
    const QString text = m_context.langText(found) + u"\n\n"_s + QDir::toNativeSeparators(path) +
                         u"\n\n"_s + m_context.langText(LangEntry::LoadAnyway);
    return m_context.prompts().question(m_context.promptParent(), text, u"Corvane"_s, true);
}

QString OpenController::memberFolder() const
{
    return archiveMemberFolder(m_context.dataFolder(), m_zipPath);
}

bool OpenController::confirmBigMember(const zip::ZipMember &member)
{
    // The archive's folder lies below the data folder (which exists), on the
    // same file system.
    const QStorageInfo storage(m_context.dataFolder());
    const qint64 freeBytes = storage.isValid() ? storage.bytesAvailable() : -1;
    if (!memberNeedsConfirmation(member.size, freeBytes))
        return true;
    const auto size = ByteTotal::fromBytes(member.size);
    const QString text = m_context.langText(LangEntry::UnpackBigMember)
                             .arg(m_context.formatSizeShown(size.value_or(ByteTotal()))) +
                         u"\n\n"_s + member.name;
    return m_context.prompts().question(m_context.promptParent(), text, u"Corvane"_s, true);
}

// The member as the archive names it (its folder parts are dropped later,
// like a path's), not the file it was extracted to under the archive's own
// folder, whose name may be changed to suit the disk.
std::optional<QString> OpenController::memberNameOf(const QString &path) const
{
    if (!m_zipMembers)
        return std::nullopt;
    const QString folder = memberFolder();
    for (const zip::ZipMember &member : m_zipMembers->members()) {
        const QString target = zip::memberTargetPath(folder, member);
        if (target == path || isSameFile(target, path))
            return member.name;
    }
    return std::nullopt;
}

QString OpenController::offeredListName() const
{
    if (m_zipMembers && m_zipMembers->rowCount() > 0) {
        const QModelIndex current = m_w.iGrid3->currentIndex();
        const int row = current.isValid() ? current.row() : 0;
        if (const zip::ZipMember *member = m_zipMembers->memberAt(row))
            return member->name;
        return {};
    }
    if (!m_zipPath.isEmpty())
        return QFileInfo(m_zipPath).fileName();
    return {};
}

} // namespace corvane
