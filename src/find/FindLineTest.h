#pragma once

// A find query made ready for the lines of one store: each used word as a
// test of a line's bytes, the cheapest first, and the word whose plain runs a
// scan of the bytes can look for (the anchor). One per thread: it keeps
// scratch room and the status words it has read.

#include "FindQuery.h"
#include "listfile/ByteTotal.h"
#include "listfile/ListDate.h"
#include "listfile/ListLine.h"
#include "listfile/ListText.h"
#include "search/RunScan.h"
#include "search/WildcardPattern.h"

#include <QByteArray>
#include <QHash>

#include <array>
#include <memory>
#include <optional>
#include <vector>

namespace corvane {

class FindLineTest
{
public:
    FindLineTest(const FindQuery &query, ListEncoding encoding);

    // No line can match (a word that holds for none), or every line does.
    bool matchesNothing() const { return m_nothing; }
    bool matchesEverything() const { return !m_nothing && m_tests.empty(); }

    // The anchor's scanners (empty when there is no anchor: every line must
    // be tested); a candidate line of these is tested with matches().
    bool hasAnchor() const { return m_anchor >= 0; }
    const std::vector<RunScanner> &anchorScanners() const { return m_scanners; }

    // Whether line matches every word; anchorSure: the anchor is known to
    // hold. On a match *size is field 2 read as the loader reads it (none
    // when the line has none or it is beyond the range).
    // cut: the line's fields when the caller has cut them already.
    bool matches(QByteArrayView line, bool anchorSure, std::optional<ByteTotal> *size,
                 const LineFields *cut = nullptr);
    // Whether a test reads the fields beyond the path.
    bool needsFields() const { return m_needsFields; }
    // Whether a line may match, from its field 0 (the whole line when it
    // has no ","): it holds a run of the anchor (sure: the run is the
    // anchor's whole test). True without an anchor.
    bool mayMatch(QByteArrayView field0, bool *sure) const;

private:
    struct Test
    {
        FindWord::Kind kind;
        bool exclude = false;
        bool anchor = false;
        std::vector<WildcardPattern> patterns;
        qint64 low = 0;
        qint64 high = 0;
        QString status;
        StatusClass statusClass = StatusClass::Unknown;
        FileKind fileKind = FileKind::Other;
        QHash<QByteArray, bool> statusSeen; // status words read, and whether they begin so
        // Ext of plain endings: for each, the bytes each of its characters
        // stands for, last character first (empty: matched as patterns).
        std::vector<std::vector<std::array<bool, 256>>> endings;
    };
    bool endsWithOne(const Test &t, QByteArrayView name) const;
    bool holds(Test &t, QByteArrayView line);
    const LineFields &fields(QByteArrayView line);
    std::optional<ByteTotal> sizeOf(QByteArrayView line);
    bool statusBegins(Test &t, QByteArrayView word);

    ListEncoding m_encoding;
    std::vector<Test> m_tests;
    bool m_nothing = false;
    bool m_needsFields = false;
    int m_anchor = -1;
    std::vector<RunScanner> m_scanners;
    ListDateReader m_dates;

    // Per line, filled when first needed.
    QByteArray m_scratch;
    QByteArrayView m_path;
    bool m_havePath = false;
    QByteArrayView m_field0;
    std::optional<LineFields> m_fields;
    bool m_haveSize = false;
    std::optional<ByteTotal> m_size;
    PathAndSize (*m_cut)(const char *, const char *) = cutPathAndSize;
    StatusWordClasses m_classes;
};

} // namespace corvane
