#pragma once

// The wildcard patterns of the term search, built once per search and matched
// against many paths.
//
//   *        any run of characters, none included (CR and LF too)
//   ?        any one character
//   #        one digit 0 to 9
//   [list]   one character of the list: single characters and ranges (a-z);
//   [!list]  one character not in the list. Inside brackets * ? # are
//            themselves; a "]" right after "[" or "[!" belongs to the list,
//            a "-" first or last is itself, a range whose ends are reversed
//            ([z-a]) holds no character. A "[" without its "]" is itself.
//   other    itself
//
// The whole subject must match the whole pattern. Matching is linear in the
// subject for every pattern: runs between stars are found leftmost first
// with a bit-parallel scan, never by backtracking.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <array>
#include <vector>

namespace corvane {

// The term's pattern list: spaces trimmed from both ends of the whole term,
// lower-cased, split at every ";" (empty pieces kept), spaces trimmed from
// both ends of each piece, each piece given a leading and a trailing "*"
// unless it has one ("" and a piece of spaces only become "*").
QStringList searchPatterns(const QString &term);
// The pattern of one piece: spaces trimmed from both ends, lower-cased, a
// leading and a trailing "*" given unless it has one. A ";" is part of it.
QString wordPattern(QStringView word);

class WildcardPattern
{
public:
    // pattern: lower-case text (the subject is lower-cased the same way).
    explicit WildcardPattern(QStringView pattern);

    // subject: lower-case text.
    bool matches(QStringView subject) const;
    // subject: bytes of 8-bit list text, taken as Windows-1252 and compared
    // as their lower-case characters (ASCII bytes of a UTF-8 list read the
    // same). Nothing is decoded or allocated.
    bool matchesBytes(QByteArrayView subject) const;

    // True when every subject matches (the pattern is only stars).
    bool matchesEverything() const { return m_tokens.empty() && m_starCount > 0; }
    // True when no subject can hold a match for a path taken before the
    // first "," (a literal "," outside brackets).
    bool needsComma() const { return m_needsComma; }

    // The longest run of literal characters outside brackets (lower-case),
    // the part a scan for candidates looks for; empty when there is none.
    const std::u32string &plainRun() const { return m_plainRun; }
    // True when the pattern is "*", its plain run, "*": finding the run in
    // the subject is the whole test.
    bool isPlainContains() const
    {
        return m_starCount == 2 && m_segments.size() == 3 && m_segments[0].length == 0 &&
               m_segments[2].length == 0 && size_t(m_segments[1].length) == m_plainRun.size();
    }

private:
    struct Token
    {
        enum Kind { Any, Digit, Literal, Class } kind = Literal;
        char32_t ch = 0;
        int classIndex = -1;
    };
    struct CharClass
    {
        bool negated = false;
        std::vector<std::pair<char32_t, char32_t>> ranges;
    };
    // A run of tokens between two stars (or a pattern end).
    struct Segment
    {
        int first = 0;  // index of its first token
        int length = 0; // tokens
        int words = 0;  // 64-bit words of its state
        // For every byte / code point below 256: which tokens it satisfies,
        // bit k of word k / 64 for token k.
        std::vector<quint64> byteMasks; // Windows-1252 bytes, either case
        std::vector<quint64> textMasks; // lower-case code points 0 to 255
    };

    bool tokenMatches(const Token &token, char32_t c) const;
    template<typename Subject> bool matchWith(const Subject &subject) const;

    std::vector<Token> m_tokens; // without the stars
    std::vector<CharClass> m_classes;
    std::vector<Segment> m_segments; // stars lie between consecutive segments
    int m_starCount = 0;
    bool m_needsComma = false;
    std::u32string m_plainRun;

    friend struct SubjectBytes;
    friend struct SubjectText;
};

// Windows-1252 bytes and their lower-case forms, one home for the byte
// tables of the searches.
namespace cp1252 {
// The code point of a byte (the five undefined bytes keep their C1 points).
char32_t decode(unsigned char byte);
// The 256 code points of the bytes, for loops over many bytes.
const char32_t *decodeTable();
// The byte of the lower-case form of a byte's character.
unsigned char foldByte(unsigned char byte);
// The bytes whose lower-case character is c (at most a few; empty when the
// code page has none).
QByteArray bytesFolding(char32_t c);
} // namespace cp1252

// True when a character other than c itself lower-cases to the ASCII
// character c (the Kelvin sign gives "k"): a scan of UTF-8 bytes for c alone
// would miss such a line.
bool hasForeignLowerCase(char32_t c);

} // namespace corvane
