#include "ZipMemberModel.h"

#include "util/PlainText.h"

using namespace Qt::Literals::StringLiterals;

namespace corvane::zip {

ZipMemberModel::ZipMemberModel(QObject *parent) : QAbstractTableModel(parent)
{}

int ZipMemberModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_members.size());
}

int ZipMemberModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : 1;
}

QVariant ZipMemberModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const ZipMember &member = m_members.at(index.row());
    switch (role) {
    case Qt::DisplayRole:
        return member.name;
    case Qt::ToolTipRole:
        if (member.encrypted)
            return plainToolTip(u"%1 (protected by a password)"_s.arg(member.name));
        return plainToolTip(member.name);
    case EntryIndexRole:
        return member.index;
    case EncryptedRole:
        return member.encrypted;
    default:
        return {};
    }
}

QVariant ZipMemberModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (m_header.holds(section, orientation, role))
        return m_header.at(section);
    return QAbstractTableModel::headerData(section, orientation, role);
}

bool ZipMemberModel::setHeaderData(int section, Qt::Orientation orientation, const QVariant &value,
                                   int role)
{
    return m_header.set(*this, section, orientation, value, role);
}

void ZipMemberModel::setHeaderText(const QString &text)
{
    m_header.set(*this, 0, Qt::Horizontal, text, Qt::DisplayRole);
}

void ZipMemberModel::setMembers(const QList<ZipMember> &members)
{
    beginResetModel();
    m_members = members;
    endResetModel();
}

void ZipMemberModel::appendMember(const ZipMember &member)
{
    const int row = int(m_members.size());
    beginInsertRows({}, row, row);
    m_members.append(member);
    endInsertRows();
}

void ZipMemberModel::clear()
{
    if (m_members.isEmpty())
        return;
    beginResetModel();
    m_members.clear();
    endResetModel();
}

const ZipMember *ZipMemberModel::memberAt(int row) const
{
    if (row < 0 || row >= m_members.size())
        return nullptr;
    return &m_members.at(row);
}

} // namespace corvane::zip
