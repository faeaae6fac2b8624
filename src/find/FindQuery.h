#pragma once

// Find as you type: the query the Term box holds, read once into words, all
// of which a line must match. A word is
//   a pattern      matched against the path as one term-search pattern
//                  ("rechnung", "*.doc", "IMG_20??"; a ";" is part of it)
//   ext:jpg;png    the file name ends in "." and one of them (each matched
//                  as the pattern "*.jpg" against the name)
//   size:>10mb     the size (field 2) <, <=, >, >=, = a size, or A..B (both
//                  ends in), A.. or ..B; units b, kb, mb, gb, tb of 1024
//                  as the size texts count them, or plain bytes
//   dm:2019-03     the modification day (field 1, read as the date search
//                  reads it) in a year, a month or on a day (yyyy,
//                  yyyy-mm, yyyy-mm-dd or a date the locale's way), with
//                  the same <, >, .. forms; a line without a readable date
//                  never matches
//   status:dam     the status word (field 4) begins with it, letter case
//                  aside
//   class:bad      the status word's class (good, partial, bad, unknown)
//   kind:photos    the kind of file of the name (folder entries have none)
// A "-" before a word excludes what it matches; quotes keep spaces inside a
// word and make a key plain text ("size:x" is a pattern); an unknown key
// ("foo:bar") is part of a pattern, as paths may hold ":". A word that
// cannot be read carries its problem and is ignored; the rest still narrows.

#include "status/FileKinds.h"
#include "status/StatusClasses.h"

#include <QDate>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <limits>
#include <vector>

namespace corvane {

// Why a word is ignored.
enum class FindProblem {
    None,
    BadSize,       // size: not a size, a range or a comparison of sizes
    BadDate,       // dm: not a year, month or day of the calendar (dm:9999-99)
    UnknownClass,  // class: none of good, partial, bad, unknown (or their beginnings)
    UnknownKind,   // kind: no kind of file's id (or the beginning of only one)
    EmptyValue,    // nothing after the key, a lone "-", empty quotes
    NotUnderstood, // anything else
};

struct FindWord
{
    enum class Kind { Pattern, Ext, Size, Modified, Status, Class, Kind } kind = Kind::Pattern;
    bool exclude = false; // began with "-"
    int start = 0,
        length = 0; // where the word stands in the query text (QChars), quotes and "-" included
    FindProblem problem =
        FindProblem::None; // not None: the word is ignored, the rest still narrows

    QString value; // the word's text after "-" and the key, quotes taken out
    // Pattern: its one pattern (lower-case, "*" at both ends), for the path;
    // Ext: "*.ext" for each extension, for the name.
    QStringList patterns;
    // Size: the sizes in (ByteTotal raw values, both ends in).
    qint64 sizeLow = std::numeric_limits<qint64>::min();
    qint64 sizeHigh = std::numeric_limits<qint64>::max();
    // Modified: the days in (invalid: open on that side).
    QDate dayFrom;
    QDate dayTo;
    StatusClass statusClass = StatusClass::Unknown;
    FileKind fileKind = FileKind::Other;

    bool isUsed() const { return problem == FindProblem::None; }
    // The word's meaning, for comparisons (empty for an ignored word).
    QString meaning() const;
};

class FindQuery
{
public:
    static FindQuery parse(QStringView text, const QLocale &dateLocale); // the date search's locale
    const std::vector<FindWord> &words() const { return m_words; }
    const QLocale &dateLocale() const { return m_dateLocale; }
    // No word that narrows (only spaces, only "-", every word not understood).
    bool isEmpty() const;
    // True when every line this query matches is also matched by previous
    // (each word of previous has one here that is as strict: the same, a
    // pattern that only grew at its end, a narrower range...): the pass may
    // then look only at previous's matches.
    bool narrows(const FindQuery &previous) const;
    bool operator==(const FindQuery &other) const; // same meaning (text compared after parsing)

private:
    std::vector<FindWord> m_words;
    QLocale m_dateLocale;
};

} // namespace corvane
