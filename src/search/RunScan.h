#pragma once

// The term search's speed: a line is worth a full test only where the
// plainest run of a pattern stands in its path. The runs are looked for in
// the list's bytes 32 (AVX2) or 16 bytes a step, without regard to letter
// case; the lines around the places found are the candidates. Shared by the
// term search (a file streamed) and find as you type (a list in memory).

#include "WildcardPattern.h"
#include "listfile/ListText.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <array>
#include <functional>
#include <vector>

namespace corvane {

// What a scan for one pattern's plainest run looks for.
struct RunScanner
{
    std::array<unsigned char, 2> first{}; // the first character's bytes
    std::array<unsigned char, 2> last{};  // the last character's bytes
    std::vector<unsigned char> folded;    // the run, folded
    bool whole = false;                   // finding the run in the path is the whole test

    // The first place at or after p where the run stands, or end.
    const char *find(const char *p, const char *end) const;
};

// The part of a pattern's plain run a scan of list bytes can look for in
// this encoding: in UTF-8 only ASCII bytes stand for themselves, and a
// character that another one lower-cases to cannot be looked for by its
// bytes alone.
std::u32string scannableRun(const std::u32string &run, ListEncoding encoding);

// The scanners of patterns in an encoding, one per pattern that some line
// can match (a run the code page cannot hold has none). False when a
// pattern has no run a scan can look for: every line must then be tested.
bool runScannersFor(const std::vector<const WildcardPattern *> &patterns, ListEncoding encoding,
                    std::vector<RunScanner> *scanners);

// Finds the candidate lines of a piece of whole lines: those whose path
// (the bytes before the first ",", or the whole line) holds the run of one
// of the scanners, in order.
class CandidateLines
{
public:
    explicit CandidateLines(const std::vector<RunScanner> &scanners) : m_scanners(scanners) {}

    // f(line, sure) for each candidate: sure when a scanner's run is its
    // whole test. f returns false to stop; false then.
    bool scan(QByteArrayView piece, const std::function<bool(QByteArrayView, bool)> &f);

private:
    const std::vector<RunScanner> &m_scanners;
    std::vector<const char *> m_next;
};

// Bytes of a list matched against patterns as the term search matches them:
// Windows-1252 bytes, and the ASCII bytes of UTF-8, by the byte matcher;
// other UTF-8 decoded and lower-cased first (once).
class ListSubject
{
public:
    ListSubject(QByteArrayView bytes, ListEncoding encoding);
    bool matches(const WildcardPattern &pattern);

private:
    QByteArrayView m_bytes;
    ListEncoding m_encoding;
    bool m_byBytes;
    bool m_decoded = false;
    QString m_text;
};

// The path the term search matches a line's patterns against: field 0, or a
// line without "," taken whole with CR LF (then held in scratch).
QByteArrayView termPathOf(QByteArrayView line, QByteArray &scratch);

} // namespace corvane
