#pragma once

// Zip archives built by the tests themselves: libzip writes the sound ones,
// and the hostile ones are sound ones with header fields patched by hand.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QList>
#include <QString>
#include <QTemporaryDir>
#include <QtEndian>

#include <zip.h>

namespace corvane::testing {

struct FixtureEntry
{
    QByteArray name; // raw bytes of the entry name
    QByteArray data;
    bool store = false; // stored rather than deflated
    bool cp437 = false; // write the name bytes unflagged (an old DOS archive)
    zip_uint16_t encryption = ZIP_EM_NONE;
    bool symlink = false; // Unix symbolic link (data holds the target)
};

inline FixtureEntry entry(const char *name,
                          const QByteArray &data = QByteArray("C:\\a.txt,1,1,1;1,OK\r\n"))
{
    FixtureEntry e;
    e.name = name;
    e.data = data;
    return e;
}

// Writes an archive with libzip; false when libzip refused.
inline bool writeZip(const QString &path, const QList<FixtureEntry> &entries)
{
    if (entries.isEmpty()) {
        // libzip writes no file for an archive without entries: the end record alone.
        QFile file(path);
        return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
               file.write(QByteArray("PK\x05\x06", 4) + QByteArray(18, '\0')) == 22;
    }
    int code = 0;
    zip_t *archive =
        zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &code);
    if (!archive)
        return false;
    for (const FixtureEntry &e : entries) {
        zip_source_t *source =
            zip_source_buffer(archive, e.data.constData(), zip_uint64_t(e.data.size()), 0);
        if (!source)
            return zip_discard(archive), false;
        const zip_flags_t nameFlags = e.cp437 ? ZIP_FL_ENC_CP437 : ZIP_FL_ENC_GUESS;
        const zip_int64_t index = zip_file_add(archive, e.name.constData(), source, nameFlags);
        if (index < 0) {
            zip_source_free(source);
            return zip_discard(archive), false;
        }
        zip_set_file_compression(archive, zip_uint64_t(index),
                                 e.store ? ZIP_CM_STORE : ZIP_CM_DEFLATE, 9);
        if (e.encryption != ZIP_EM_NONE &&
            zip_file_set_encryption(archive, zip_uint64_t(index), e.encryption, "secret") != 0) {
            return zip_discard(archive), false;
        }
        if (e.symlink) {
            zip_file_set_external_attributes(archive, zip_uint64_t(index), 0, ZIP_OPSYS_UNIX,
                                             (0120777u) << 16);
        }
    }
    return zip_close(archive) == 0;
}

inline QByteArray readBytes(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

inline bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

// Where each entry's two headers start in an archive without a comment.
struct EntryHeaders
{
    qsizetype local = -1;
    qsizetype central = -1;
    QByteArray name;
};

inline quint16 read16(const QByteArray &b, qsizetype at)
{
    return qFromLittleEndian<quint16>(b.constData() + at);
}
inline quint32 read32(const QByteArray &b, qsizetype at)
{
    return qFromLittleEndian<quint32>(b.constData() + at);
}
inline void patch16(QByteArray &b, qsizetype at, quint16 value)
{
    qToLittleEndian<quint16>(value, b.data() + at);
}
inline void patch32(QByteArray &b, qsizetype at, quint32 value)
{
    qToLittleEndian<quint32>(value, b.data() + at);
}

inline QList<EntryHeaders> findHeaders(const QByteArray &zip)
{
    QList<EntryHeaders> headers;
    const qsizetype end = zip.lastIndexOf(QByteArray("PK\x05\x06", 4));
    if (end < 0)
        return headers;
    const int count = read16(zip, end + 10);
    qsizetype at = read32(zip, end + 16);
    for (int i = 0; i < count; ++i) {
        EntryHeaders h;
        h.central = at;
        h.local = read32(zip, at + 42);
        const int nameLength = read16(zip, at + 28);
        h.name = zip.mid(at + 46, nameLength);
        headers.append(h);
        at += 46 + nameLength + read16(zip, at + 30) + read16(zip, at + 32);
    }
    return headers;
}

// Gives entry `which` the name of entry `like` (same length): libzip itself
// writes no two entries of one name.
inline void copyName(QByteArray &zip, const EntryHeaders &which, const EntryHeaders &like)
{
    const qsizetype n = like.name.size();
    zip.replace(which.local + 30, n, like.name);
    zip.replace(which.central + 46, n, like.name);
}

// Field offsets in the local header and in the central directory entry.
enum class Field { Method, Crc, CompressedSize, Size };
inline void patchField(QByteArray &zip, const EntryHeaders &h, Field field, quint32 value)
{
    switch (field) {
    case Field::Method:
        patch16(zip, h.local + 8, quint16(value));
        patch16(zip, h.central + 10, quint16(value));
        break;
    case Field::Crc:
        patch32(zip, h.local + 14, value);
        patch32(zip, h.central + 16, value);
        break;
    case Field::CompressedSize:
        patch32(zip, h.local + 18, value);
        patch32(zip, h.central + 20, value);
        break;
    case Field::Size:
        patch32(zip, h.local + 22, value);
        patch32(zip, h.central + 24, value);
        break;
    }
}

// Where the entry's (compressed) data starts.
inline qsizetype dataOffset(const QByteArray &zip, const EntryHeaders &h)
{
    return h.local + 30 + read16(zip, h.local + 26) + read16(zip, h.local + 28);
}

// Every file below a folder, relative, sorted.
inline QStringList filesBelow(const QString &folder)
{
    QStringList files;
    QDir dir(folder);
    const auto entries = dir.entryInfoList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo &info : entries) {
        if (info.isDir() && !info.isSymLink()) {
            for (const QString &inner : filesBelow(info.filePath()))
                files.append(info.fileName() + u'/' + inner);
        } else {
            files.append(info.fileName());
        }
    }
    return files;
}

} // namespace corvane::testing
