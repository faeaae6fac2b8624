#pragma once

// A small tmpfs mounted on a folder while this lives: a disk that is soon
// full. Only root may mount; elsewhere mounted() is false and the test skips.

#include <QByteArray>
#include <QFile>
#include <QString>

#include <sys/mount.h>
#include <unistd.h>

namespace corvane::testing {

class SmallDisk
{
public:
    explicit SmallDisk(const QString &folder, int kib = 256) : m_folder(QFile::encodeName(folder))
    {
        const QByteArray options = "size=" + QByteArray::number(kib) + "k,mode=0755";
        m_mounted = ::geteuid() == 0 && ::mount("tmpfs", m_folder.constData(), "tmpfs",
                                                MS_NOSUID | MS_NODEV, options.constData()) == 0;
    }
    ~SmallDisk()
    {
        if (m_mounted)
            ::umount2(m_folder.constData(), MNT_DETACH);
    }
    SmallDisk(const SmallDisk &) = delete;
    SmallDisk &operator=(const SmallDisk &) = delete;
    bool mounted() const { return m_mounted; }

private:
    QByteArray m_folder;
    bool m_mounted = false;
};

} // namespace corvane::testing
