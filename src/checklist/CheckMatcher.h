#pragma once

// Many wildcard patterns against the paths of a list in one pass. The plain
// runs of the patterns are looked for together by one automaton over the
// case-folded bytes of each path (Aho-Corasick); a pattern is tested in full
// only on a line where its run stands, or on every line when it has none.
// A pattern's matching is the term search's for that one pattern.

#include "listfile/ListText.h"
#include "search/WildcardPattern.h"

#include <QByteArrayView>
#include <QStringList>

#include <array>
#include <functional>
#include <memory>
#include <vector>

namespace corvane {

class CheckMatcher
{
public:
    // patterns: lower-case wildcard patterns, as searchPatterns() gives them.
    explicit CheckMatcher(const QStringList &patterns);
    ~CheckMatcher();
    CheckMatcher(const CheckMatcher &) = delete;
    CheckMatcher &operator=(const CheckMatcher &) = delete;

    // The indices of the patterns matching a line, in increasing order.
    using Found = std::function<bool(QByteArrayView line, const std::vector<int> &patterns)>;

    // Hands every line of a piece of whole lines that a pattern matches to
    // found, in order; found returns false to end the pass (false then).
    bool scan(QByteArrayView piece, ListEncoding encoding, const Found &found);

private:
    struct Automaton;
    struct PatternInfo
    {
        QString text;
        bool everything = false;
        std::unique_ptr<WildcardPattern> compiled; // built when first needed
    };

    // sample: list bytes the rarity of the runs' parts is learned from.
    void prepare(ListEncoding encoding, QByteArrayView sample);
    const char *processLine(const char *lineStart, const char *end, ListEncoding encoding,
                            const Found &found);
    const WildcardPattern &compiled(int pattern);
    bool fullMatch(int pattern, QByteArrayView line, QByteArrayView field, bool comma,
                   ListEncoding encoding);

    std::vector<PatternInfo> m_patterns;
    std::vector<int> m_everyLine; // patterns matching every line
    std::unique_ptr<Automaton> m_automaton;
    ListEncoding m_preparedFor = ListEncoding::Windows1252;
    std::array<unsigned char, 256> m_fold{};

    // Per line: the candidates found, marked by the line's stamp.
    std::vector<quint32> m_patternStamp;
    std::vector<int> m_candidates;
    std::vector<int> m_hits;
    quint32 m_stamp = 0;
    QByteArray m_scratch;
    QString m_decoded;
    bool m_decodedValid = false;
};

} // namespace corvane
