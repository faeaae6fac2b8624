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

QStringList readRecentLists(const QString &dataFolder)
{
    if (dataFolder.isEmpty())
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

bool writeRecentLists(const QString &dataFolder, const QStringList &lists)
{
    if (dataFolder.isEmpty() || !QDir().mkpath(dataFolder))
        return false;
    QSettings store(settingsPath(dataFolder), QSettings::IniFormat);
    store.setValue(ListsKey, cleanRecentLists(lists));
    store.sync();
    return store.status() == QSettings::NoError;
}

} // namespace corvane
