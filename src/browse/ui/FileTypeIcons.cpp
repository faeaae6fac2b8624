#include "FileTypeIcons.h"

#include "browse/FolderListing.h"

#include <QDir>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QSet>
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

// A file name against one glob pattern ("*", "?", "[0-9]", "[!a]"), both
// lower-cased; without recursion, backtracking only to the last "*".
bool globMatches(QStringView pattern, QStringView name)
{
    // The class at pattern[p] ("[...]"): whether c is in it, and where it ends.
    auto matchClass = [&](qsizetype p, QChar c, qsizetype *end) {
        qsizetype i = p + 1;
        const bool negated = i < pattern.size() && (pattern[i] == u'!' || pattern[i] == u'^');
        if (negated)
            ++i;
        bool found = false;
        const qsizetype first = i;
        while (i < pattern.size() && (pattern[i] != u']' || i == first)) {
            if (i + 2 < pattern.size() && pattern[i + 1] == u'-' && pattern[i + 2] != u']') {
                found = found || (c >= pattern[i] && c <= pattern[i + 2]);
                i += 3;
            } else {
                found = found || c == pattern[i];
                ++i;
            }
        }
        if (i >= pattern.size())
            return -1; // no closing "]": the "[" stands for itself
        *end = i + 1;
        return found != negated ? 1 : 0;
    };
    qsizetype p = 0, n = 0, starP = -1, starN = 0;
    while (n < name.size()) {
        qsizetype next = p + 1;
        bool step = false;
        if (p < pattern.size() && pattern[p] == u'*') {
            starP = p++;
            starN = n;
            continue;
        }
        if (p < pattern.size()) {
            if (pattern[p] == u'?') {
                step = true;
            } else if (pattern[p] == u'[') {
                const int in = matchClass(p, name[n], &next);
                step = in < 0 ? name[n] == u'[' : in == 1;
                if (in < 0)
                    next = p + 1;
            } else {
                step = pattern[p] == name[n];
            }
        }
        if (step) {
            p = next;
            ++n;
        } else if (starP >= 0) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == u'*')
        ++p;
    return p == pattern.size();
}

// Which file names the media type database could give a type by name. For a
// name it does not know the database takes tens of microseconds; a folder of
// 100,000 names without an extension (a browser's cache) would hold the
// window for seconds. The index is built once from the database's own glob
// patterns and only says no where the database would find nothing.
class MediaTypeGlobs
{
public:
    explicit MediaTypeGlobs(const QMimeDatabase &database)
    {
        for (const QMimeType &type : database.allMimeTypes()) {
            for (const QString &glob : type.globPatterns()) {
                const QString pattern = glob.toLower();
                const bool wild =
                    pattern.contains(u'*') || pattern.contains(u'?') || pattern.contains(u'[');
                if (!wild)
                    m_names.insert(pattern);
                else if (pattern.startsWith(u"*."_s) && pattern.lastIndexOf(u'*') == 0 &&
                         !pattern.contains(u'?') && !pattern.contains(u'['))
                    m_suffixes.insert(pattern.mid(2));
                else
                    m_patterns.push_back(pattern);
            }
        }
    }

    bool mayMatch(const QString &fileName) const
    {
        const QString name = fileName.toLower();
        if (m_names.contains(name))
            return true;
        for (qsizetype dot = name.indexOf(u'.'); dot >= 0; dot = name.indexOf(u'.', dot + 1)) {
            if (m_suffixes.contains(name.mid(dot + 1)))
                return true;
        }
        for (const QString &pattern : m_patterns) {
            if (globMatches(pattern, name))
                return true;
        }
        return false;
    }

private:
    QSet<QString> m_names;
    QSet<QString> m_suffixes; // "*.tar.gz" gives "tar.gz"
    std::vector<QString> m_patterns;
};

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
    static const MediaTypeGlobs globs(mimeDatabase);
    const QString probe = extensionKey.startsWith(u'.') ? u"file"_s + extensionKey : extensionKey;
    if (!globs.mayMatch(probe))
        return false;
    ++m_mediaTypeLookups;
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
