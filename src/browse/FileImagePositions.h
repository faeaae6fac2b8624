#pragma once

// The positions of the file grid's image list: 0 folder, 1 generic file,
// 2 program, then one image per file extension key, appended the first time
// an icon is found for the key. The desktop is asked once per key: a folder
// of 100,000 files of one type asks once.

#include <QHash>
#include <QString>
#include <QStringView>

#include <functional>

namespace corvane {

class FileImagePositions
{
public:
    // Asked once per extension key (exact, case-sensitive). Returns true when
    // it found an icon and appended it to the image list: the key then takes
    // the next position. false: the key keeps the generic file image.
    using Lookup = std::function<bool(const QString &extensionKey)>;

    explicit FileImagePositions(Lookup lookup) : m_lookup(std::move(lookup)) {}

    // The image position for a file name: from its extension key (the name
    // from its last ".", or the whole name). A key whose lower-case form is
    // ".exe" gives 1 without a lookup, as the grid gives programs 2 itself.
    int GetFileIcon(QStringView fileName);

    // The number of images: the three fixed ones and the appended ones.
    int imageCount() const { return m_count; }
    // How many times the desktop was asked.
    int lookups() const { return m_lookups; }

private:
    Lookup m_lookup;
    QHash<QString, int> m_positions;
    QString m_lastKey; // the key of the previous call: most rows repeat it
    int m_lastPosition = -1;
    int m_count = 3;
    int m_lookups = 0;
};

} // namespace corvane
