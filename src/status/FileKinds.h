#pragma once

// What kind of file a name stands for (photos, mail, ...), from the text
// after the last "." of the name, without regard to letter case. One table
// decides: the text file the build names in CORVANE_FILE_KINDS_FILE
// (data/file-kinds.txt unless given), compiled into the program. A name
// without ".", ending in ".", or whose ending the table does not hold, is
// Other.

#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringView>

#include <algorithm>
#include <array>
#include <optional>

namespace corvane {

enum class FileKind : quint8 {
    Photos,
    Videos,
    Music,
    Documents,
    Spreadsheets,
    Presentations,
    Mail,
    Archives,
    Databases,
    Programs,
    Other
};
constexpr int FileKindCount = int(FileKind::Other) + 1;

// "photos", "videos", ..., "other": the ids the table file and the command
// line use.
QString fileKindId(FileKind kind);
std::optional<FileKind> fileKindFromId(QStringView id);

class FileKindTable
{
public:
    // Endings longer than this are in no table.
    static constexpr int MaxEnding = 8;

    struct Problem
    {
        int line = 0; // from 1
        QString reason;
    };

    // The table a file's text holds (UTF-8): one kind a line, its id first,
    // then its endings ("mail  pst eml msg"). Empty lines and lines starting
    // with "#" are skipped; an unknown id, an ending that is not 1 to 8 ASCII
    // letters and digits, or one given twice, is skipped and said in problems
    // (when given).
    static FileKindTable parse(QByteArrayView text, QList<Problem> *problems = nullptr);

    // The kind of a file name's bytes (the last "\"-component of a path);
    // no allocation.
    FileKind kindOfName(QByteArrayView name) const
    {
        quint64 key = 0;
        if (!packEnding(name.data(), name.size(), &key))
            return FileKind::Other;
        return find(key);
    }

    int endingCount() const { return m_count; }

private:
    static constexpr int Slots = 512; // a power of two, well above the endings a table holds

    // The ending of the name's n bytes at p in one number, A-Z as a-z:
    // false when it has no ending of 1 to MaxEnding bytes. Only the last
    // MaxEnding + 1 bytes are looked at.
    static bool packEnding(const char *p, qsizetype n, quint64 *key)
    {
        quint64 k = 0;
        const qsizetype last = std::min<qsizetype>(n, MaxEnding + 1);
        for (qsizetype i = 1; i <= last; ++i) {
            const quint8 c = quint8(p[n - i]);
            if (c == '.') {
                *key = lowerAscii(k);
                return i > 1;
            }
            k = k << 8 | c;
        }
        return false;
    }
    // A-Z as a-z in each byte of w, the other bytes kept.
    static quint64 lowerAscii(quint64 w)
    {
        constexpr quint64 Ones = 0x0101010101010101ULL;
        constexpr quint64 Low7 = Ones * 0x7F;
        const quint64 low = w & Low7;
        const quint64 fromA = low + Ones * (0x80 - 'A');     // 0x80 set in bytes from 'A' up
        const quint64 pastZ = low + Ones * (0x80 - 'Z' - 1); // 0x80 set in bytes past 'Z'
        const quint64 upper = fromA & ~pastZ & ~w & (Ones * 0x80);
        return w | (upper >> 2);
    }
    static size_t slotOf(quint64 key) { return size_t((key * 0x9E3779B97F4A7C15ULL) >> 55); }
    FileKind find(quint64 key) const
    {
        if (key == 0) // only NUL bytes
            return FileKind::Other;
        for (size_t s = slotOf(key);; s = (s + 1) & (Slots - 1)) {
            if (m_keys[s] == key)
                return m_kinds[s];
            if (m_keys[s] == 0)
                return FileKind::Other;
        }
    }
    bool insert(quint64 key, FileKind kind);

    std::array<quint64, Slots> m_keys{}; // 0: a free slot (no ending packs to 0)
    std::array<FileKind, Slots> m_kinds{};
    int m_count = 0;
};

// The table built into the program.
const FileKindTable &fileKindTable();
// Its kind of a file name's bytes.
inline FileKind kindOfName(QByteArrayView nameBytes)
{
    return fileKindTable().kindOfName(nameBytes);
}

} // namespace corvane
