#pragma once

// The member grid's rows: the list entries of the opened zip archive, one
// column holding each entry's name as shown.

#include "ZipArchive.h"
#include "util/HeaderTexts.h"

#include <QAbstractTableModel>
#include <QList>

namespace corvane::zip {

class ZipMemberModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Role { EntryIndexRole = Qt::UserRole + 1, EncryptedRole };

    explicit ZipMemberModel(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    // The window writes the column's header text here (its language table).
    bool setHeaderData(int section, Qt::Orientation orientation, const QVariant &value,
                       int role = Qt::EditRole) override;

    void setHeaderText(const QString &text);
    void setMembers(const QList<ZipMember> &members);
    void appendMember(const ZipMember &member); // the entry-listed callback's row
    void clear();

    const QList<ZipMember> &members() const { return m_members; }
    // The member of a row from 0; nullptr out of range.
    const ZipMember *memberAt(int row) const;

private:
    QList<ZipMember> m_members;
    HeaderTexts m_header{1};
};

} // namespace corvane::zip
