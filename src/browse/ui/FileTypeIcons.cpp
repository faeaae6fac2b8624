#include "FileTypeIcons.h"

#include "browse/FolderListing.h"

#include <QDir>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QStandardPaths>

using namespace Qt::Literals::StringLiterals;

static void initBrowseIcons()
{
    Q_INIT_RESOURCE(frmMain_browse);
}

namespace corvane {

namespace {

QIcon shipped(const QString &name)
{
    initBrowseIcons();
    QIcon icon;
    icon.addFile(u":/corvane/icons/%1-16.png"_s.arg(name), QSize(16, 16));
    icon.addFile(u":/corvane/icons/%1-32.png"_s.arg(name), QSize(32, 32));
    return icon;
}

bool isUsableTheme(const QDir &dir)
{
    return dir.exists(u"index.theme"_s);
}

} // namespace

QIcon FileTypeIcons::folderImage()
{
    static const QIcon icon = shipped(u"folder"_s);
    return icon;
}

QIcon FileTypeIcons::genericFileImage()
{
    static const QIcon icon = shipped(u"file"_s);
    return icon;
}

QIcon FileTypeIcons::programImage()
{
    static const QIcon icon = shipped(u"program"_s);
    return icon;
}

void FileTypeIcons::ensureIconTheme()
{
    const QString current = QIcon::themeName();
    if (!current.isEmpty() && current != u"hicolor"_s)
        return;
    QStringList paths = QIcon::themeSearchPaths();
    QStringList extra;
    for (const QString &data :
         QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation))
        extra.append(QDir(data).filePath(u"icons"_s));
    extra.append(u"/usr/share/icons"_s);
    for (const QString &p : extra) {
        if (!paths.contains(p) && QFileInfo(p).isDir())
            paths.append(p);
    }
    QIcon::setThemeSearchPaths(paths);

    QString chosen;
    for (const QString &preferred : {u"Adwaita"_s, u"breeze"_s, u"oxygen"_s, u"Tango"_s}) {
        for (const QString &p : paths) {
            if (isUsableTheme(QDir(p).filePath(preferred))) {
                chosen = preferred;
                break;
            }
        }
        if (!chosen.isEmpty())
            break;
    }
    if (chosen.isEmpty()) {
        // Any installed theme with pictures for media types.
        for (const QString &p : paths) {
            const QDir base(p);
            for (const QString &name : base.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
                if (name == u"hicolor"_s || !isUsableTheme(base.filePath(name)))
                    continue;
                chosen = name;
                break;
            }
            if (!chosen.isEmpty())
                break;
        }
    }
    if (chosen.isEmpty())
        return;
    QIcon::setThemeName(chosen);
    if (QIcon::fallbackThemeName().isEmpty())
        QIcon::setFallbackThemeName(u"hicolor"_s);
}

FileTypeIcons::FileTypeIcons() : m_positions([this](const QString &key) { return lookUp(key); })
{
    m_images = {folderImage(), genericFileImage(), programImage()};
    m_keys = {u"myFolderType"_s, u"UnknownFileType"_s, u".exe"_s};
    m_themeLookup = [](const QString &name) { return QIcon::fromTheme(name); };
}

QIcon FileTypeIcons::icon(int position) const
{
    if (position < 0 || position >= int(m_images.size()))
        return m_images[GenericFileImage];
    return m_images[size_t(position)];
}

QString FileTypeIcons::key(int position) const
{
    return position >= 0 && position < int(m_keys.size()) ? m_keys[size_t(position)] : QString();
}

bool FileTypeIcons::lookUp(const QString &extensionKey)
{
    // The media type of a file carrying this key: a key with a dot is an
    // extension, one without is a whole file name (README, Makefile).
    static const QMimeDatabase mimeDatabase;
    const QString probe = extensionKey.startsWith(u'.') ? u"file"_s + extensionKey : extensionKey;
    const QMimeType type = mimeDatabase.mimeTypeForFile(probe, QMimeDatabase::MatchExtension);
    if (!type.isValid() || type.isDefault())
        return false;
    ++m_themeLookups;
    QIcon icon = m_themeLookup(type.iconName());
    if (icon.isNull())
        icon = m_themeLookup(type.genericIconName());
    if (icon.isNull())
        return false;
    m_images.push_back(icon);
    m_keys.push_back(extensionKey);
    // FileImagePositions gives this key the next position: the new image's.
    Q_ASSERT(int(m_images.size()) == m_positions.imageCount() + 1);
    return true;
}

} // namespace corvane
