#pragma once

// The file grid's image list: the three fixed images (folder, generic file,
// program, shipped with the program) and one image per file extension key,
// taken from the desktop's icon theme by media type: QMimeDatabase by file
// name, then the theme's icon for the type, then its generic icon. The theme
// is asked once per key.

#include "browse/FileImagePositions.h"

#include <QIcon>
#include <QString>

#include <functional>
#include <vector>

namespace corvane {

class FileTypeIcons
{
public:
    // How an icon name is looked up in the theme; tests count the calls.
    using ThemeLookup = std::function<QIcon(const QString &iconName)>;

    FileTypeIcons();

    // The image position for a file name (see FileImagePositions).
    int GetFileIcon(QStringView fileName) { return m_positions.GetFileIcon(fileName); }
    FileImagePositions &positions() { return m_positions; }

    // The image at a position; the generic file image for a position that
    // holds none.
    QIcon icon(int position) const;
    int imageCount() const { return int(m_images.size()); }
    // The extension key an appended image was stored under (empty for the
    // fixed ones).
    QString key(int position) const;

    void setThemeLookup(ThemeLookup lookup) { m_themeLookup = std::move(lookup); }
    int themeLookups() const { return m_themeLookups; }
    // How often the media type database was asked for a key.
    int mediaTypeLookups() const { return m_mediaTypeLookups; }

    // When no icon theme is set (a plain X session, no desktop), use one
    // installed under /usr/share/icons (or another theme search path):
    // Adwaita, Breeze or any theme with a mimetypes folder, hicolor behind it.
    static void ensureIconTheme();

    // The fixed images as shipped.
    static QIcon folderImage();
    static QIcon genericFileImage();
    static QIcon programImage();

private:
    bool lookUp(const QString &extensionKey);

    FileImagePositions m_positions;
    std::vector<QIcon> m_images;
    std::vector<QString> m_keys;
    ThemeLookup m_themeLookup;
    int m_themeLookups = 0;
    int m_mediaTypeLookups = 0;
};

} // namespace corvane
