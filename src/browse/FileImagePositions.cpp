#include "FileImagePositions.h"

#include "FolderListing.h"

namespace corvane {

int FileImagePositions::GetFileIcon(QStringView fileName)
{
    const QStringView key = fileExtensionKey(fileName);
    if (m_lastPosition >= 0 && key == m_lastKey)
        return m_lastPosition;
    if (key.compare(u".exe", Qt::CaseInsensitive) == 0)
        return GenericFileImage;
    QString keyText = key.toString();
    auto it = m_positions.constFind(keyText);
    int position;
    if (it != m_positions.constEnd()) {
        position = it.value();
    } else {
        ++m_lookups;
        position = GenericFileImage;
        if (m_lookup && m_lookup(keyText))
            position = m_count++;
        m_positions.insert(keyText, position);
    }
    m_lastKey = std::move(keyText);
    m_lastPosition = position;
    return position;
}

} // namespace corvane
