#pragma once

// What a recovery status word says about a file: it came back (good), came
// back in part (partial), did not come back (bad), or nobody can tell
// (unknown). One table of the usual words in the six languages decides;
// it is the text file the build names in CORVANE_STATUS_CLASSES_FILE
// (data/status-classes.txt unless a lab gives its own), compiled into the
// program. Words are compared without regard to letter case or to spaces at
// their ends; a word the table does not hold is unknown.

#include "listfile/ListText.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringView>

#include <optional>

namespace corvane {

enum class StatusClass { Good, Partial, Bad, Unknown };

// "good", "partial", "bad", "unknown": the names the table file uses.
QString statusClassName(StatusClass statusClass);
std::optional<StatusClass> statusClassFromName(QStringView name);

struct StatusClassEntry
{
    QString word; // as the table writes it
    StatusClass statusClass = StatusClass::Unknown;
};

class StatusClassTable
{
public:
    struct Problem
    {
        int line = 0; // from 1
        QString reason;
    };

    // The table a file's text holds (UTF-8): one word a line, its class
    // first, then the word ("bad  Not recovered"). Empty lines and lines
    // starting with "#" are skipped; a line that cannot be read, or repeats a
    // word, is skipped and said in problems (when given).
    static StatusClassTable parse(QByteArrayView text, QList<Problem> *problems = nullptr);

    // The class of word (Unknown when the table does not hold it).
    StatusClass classify(QStringView word) const;
    bool contains(QStringView word) const;

    // The words in the table's order.
    const QList<StatusClassEntry> &entries() const { return m_entries; }

    // The form words are compared in: trimmed, case-folded.
    static QString key(QStringView word);

private:
    QList<StatusClassEntry> m_entries;
    QHash<QString, StatusClass> m_byKey;
};

// The table built into the program.
const StatusClassTable &statusClassTable();
// Its class of word.
StatusClass classifyStatus(QStringView word);

// The classes of one list's status words as its lines hold them, each word
// decoded and classified once (lines mostly repeat the word before).
class StatusWordClasses
{
public:
    StatusClass classOf(QByteArrayView word, ListEncoding encoding)
    {
        if (m_hasLast && QByteArrayView(m_last) == word)
            return m_lastClass;
        auto found = m_known.constFind(word.toByteArray());
        if (found == m_known.cend())
            found =
                m_known.insert(word.toByteArray(), classifyStatus(decodeListText(word, encoding)));
        m_last = found.key();
        m_lastClass = found.value();
        m_hasLast = true;
        return m_lastClass;
    }

private:
    QHash<QByteArray, StatusClass> m_known;
    QByteArray m_last;
    StatusClass m_lastClass = StatusClass::Unknown;
    bool m_hasLast = false;
};

} // namespace corvane
