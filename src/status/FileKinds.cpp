#include "FileKinds.h"

#include "TableLines.h"

#include <QFile>

using namespace Qt::Literals::StringLiterals;

static void initFileKindResources()
{
    // The table is in the status classes' resource file.
    Q_INIT_RESOURCE(status_classes);
}

namespace corvane {

namespace {

constexpr char16_t const *kindIds[FileKindCount] = {
    u"photos", u"videos",   u"music",     u"documents", u"spreadsheets", u"presentations",
    u"mail",   u"archives", u"databases", u"programs",  u"other",
};

} // namespace

QString fileKindId(FileKind kind)
{
    const int k = int(kind);
    return QString::fromUtf16(kindIds[k >= 0 && k < FileKindCount ? k : FileKindCount - 1]);
}

std::optional<FileKind> fileKindFromId(QStringView id)
{
    for (int k = 0; k < FileKindCount; ++k) {
        if (id.compare(QStringView(kindIds[k]), Qt::CaseInsensitive) == 0)
            return FileKind(k);
    }
    return std::nullopt;
}

bool FileKindTable::insert(quint64 key, FileKind kind)
{
    // Slots is far above what a table file holds; a full table keeps the
    // endings it has.
    if (m_count >= Slots / 2)
        return false;
    for (size_t s = slotOf(key);; s = (s + 1) & (Slots - 1)) {
        if (m_keys[s] == key)
            return false;
        if (m_keys[s] == 0) {
            m_keys[s] = key;
            m_kinds[s] = kind;
            ++m_count;
            return true;
        }
    }
}

FileKindTable FileKindTable::parse(QByteArrayView text, QList<Problem> *problems)
{
    FileKindTable table;
    const auto problem = [problems](int line, const QString &reason) {
        if (problems)
            problems->append({line, reason});
    };
    forEachTableLine(text, [&](int number, QStringView line) {
        const QList<QStringView> words = line.split(u' ', Qt::SkipEmptyParts);
        const std::optional<FileKind> kind = fileKindFromId(words.first());
        if (!kind || *kind == FileKind::Other) {
            problem(number, u"'%1' is no kind of file that takes endings"_s.arg(words.first()));
            return;
        }
        for (qsizetype w = 1; w < words.size(); ++w) {
            const QStringView ending = words[w].trimmed();
            if (ending.isEmpty())
                continue;
            bool plain = ending.size() <= MaxEnding;
            for (const QChar c : ending)
                plain = plain && c.unicode() < 0x80 && c.isLetterOrNumber();
            if (!plain) {
                problem(number, u"'%1' is not 1 to %2 ASCII letters and digits"_s.arg(ending).arg(
                                    MaxEnding));
                continue;
            }
            const QByteArray name = "." + ending.toLatin1();
            quint64 key = 0;
            if (!packEnding(name.constData(), name.size(), &key) || !table.insert(key, *kind))
                problem(number, u"'%1' is in the table already"_s.arg(ending));
        }
    });
    return table;
}

const FileKindTable &fileKindTable()
{
    static const FileKindTable table = [] {
        initFileKindResources();
        QFile file(u":/corvane/file-kinds.txt"_s);
        if (!file.open(QIODevice::ReadOnly))
            return FileKindTable();
        return FileKindTable::parse(file.readAll());
    }();
    return table;
}

} // namespace corvane
