#include "RecentLists.h"

#include <QDir>
#include <QSettings>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace corvane {

namespace {

const QString ListsKey = u"Recent/Lists"_s;

QString settingsPath(const QString &dataFolder)
{
    return QDir(dataFolder).filePath(QString::fromUtf16(RecentListsFileName));
}

bool samePath(const QString &a, const QString &b)
{
    return QDir::cleanPath(a) == QDir::cleanPath(b);
}

} // namespace

QStringList cleanRecentLists(const QStringList &lists)
{
    QStringList clean;
    for (const QString &path : lists) {
        if (path.isEmpty() || QDir::isRelativePath(path))
            continue;
        const bool seen = std::any_of(clean.cbegin(), clean.cend(),
                                      [&path](const QString &p) { return samePath(p, path); });
        if (seen)
            continue;
        clean.append(QDir::cleanPath(path));
        if (clean.size() == RecentListCount)
            break;
    }
    return clean;
}

QStringList withRecentList(QStringList lists, const QString &path)
{
    lists.prepend(path);
    return cleanRecentLists(lists);
}

QStringList withoutRecentList(QStringList lists, const QString &path)
{
    lists.removeIf([&path](const QString &p) { return samePath(p, path); });
    return cleanRecentLists(lists);
}

QStringList readRecentLists(const QString &dataFolder, StateFileProblem *problem)
{
    if (problem)
        *problem = StateFileProblem::Missing;
    if (dataFolder.isEmpty())
        return {};
    // QSettings would read through a link and block on a pipe: only a plain
    // file of a sensible size is handed to it.
    const StateFileProblem found = checkStateFile(settingsPath(dataFolder), RecentListsMaxBytes);
    if (problem)
        *problem = found;
    if (found != StateFileProblem::None)
        return {};
    QSettings store(settingsPath(dataFolder), QSettings::IniFormat);
    const QVariant value = store.value(ListsKey);
    QStringList lists;
    if (value.typeId() == QMetaType::QStringList)
        lists = value.toStringList();
    else if (value.typeId() == QMetaType::QString)
        lists = QStringList{value.toString()};
    return cleanRecentLists(lists);
}

bool writeRecentLists(const QString &dataFolder, const QStringList &lists,
                      StateFileProblem *problem)
{
    StateFileProblem found = StateFileProblem::Failed;
    if (!dataFolder.isEmpty() && ensureStateFolder(dataFolder, {})) {
        // QSettings saves through a link to its target: what is not a plain
        // file of ours is never written.
        found = checkStateFile(settingsPath(dataFolder), RecentListsMaxBytes);
        if (found == StateFileProblem::Missing)
            found = StateFileProblem::None;
    }
    if (found == StateFileProblem::None) {
        QSettings store(settingsPath(dataFolder), QSettings::IniFormat);
        store.setValue(ListsKey, cleanRecentLists(lists));
        store.sync();
        if (store.status() != QSettings::NoError)
            found = StateFileProblem::Failed;
    }
    if (problem)
        *problem = found;
    return found == StateFileProblem::None;
}

} // namespace corvane
