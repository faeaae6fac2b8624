#include "WildcardPattern.h"

#include "listfile/ListText.h"

#include <QList>

using namespace Qt::Literals::StringLiterals;

namespace corvane {

// ---- Windows-1252 tables -----------------------------------------------------

namespace cp1252 {

namespace {

struct Tables
{
    std::array<char32_t, 256> decoded{};
    std::array<char32_t, 256> lower{}; // the lower-case character of each byte
    std::array<unsigned char, 256> fold{};

    Tables()
    {
        for (int b = 0; b < 256; ++b) {
            const char byte = char(b);
            const QString text = decodeWindows1252(QByteArrayView(&byte, 1));
            decoded[size_t(b)] = text.at(0).unicode();
            const QString lowered = text.toLower();
            lower[size_t(b)] = lowered.size() == 1 ? lowered.at(0).unicode() : text.at(0).unicode();
            bool ok = false;
            const QByteArray back = encodeListText(lowered, ListEncoding::Windows1252, &ok);
            fold[size_t(b)] = ok && back.size() == 1 ? uchar(back[0]) : uchar(b);
        }
    }
};

const Tables &tables()
{
    static const Tables t;
    return t;
}

} // namespace

char32_t decode(unsigned char byte)
{
    return tables().decoded[byte];
}

const char32_t *decodeTable()
{
    return tables().decoded.data();
}

unsigned char foldByte(unsigned char byte)
{
    return tables().fold[byte];
}

QByteArray bytesFolding(char32_t c)
{
    QByteArray out;
    for (int b = 0; b < 256; ++b) {
        if (tables().lower[size_t(b)] == c)
            out.append(char(b));
    }
    return out;
}

} // namespace cp1252

bool hasForeignLowerCase(char32_t c)
{
    static const std::array<bool, 128> foreign = [] {
        std::array<bool, 128> marks{};
        for (char32_t cp = 0x80; cp < 0x10000; ++cp) {
            if (cp >= 0xD800 && cp <= 0xDFFF)
                continue;
            const QString lowered = QString(QChar(char16_t(cp))).toLower();
            for (QChar ch : lowered) {
                if (ch.unicode() < 128)
                    marks[ch.unicode()] = true;
            }
        }
        return marks;
    }();
    return c < 128 && foreign[c];
}

// ---- the pattern list ----------------------------------------------------------

namespace {

// Spaces only (a tab or another blank is part of the pattern).
QString trimSpaces(QStringView text)
{
    qsizetype from = 0;
    qsizetype to = text.size();
    while (from < to && text.at(from) == u' ')
        ++from;
    while (to > from && text.at(to - 1) == u' ')
        --to;
    return text.sliced(from, to - from).toString();
}

} // namespace

QString wordPattern(QStringView word)
{
    QString piece = trimSpaces(word).toLower();
    if (!piece.startsWith(u'*'))
        piece.prepend(u'*');
    if (!piece.endsWith(u'*'))
        piece.append(u'*');
    return piece;
}

QStringList searchPatterns(const QString &term)
{
    const QString trimmed = trimSpaces(term).toLower();
    QStringList pieces = trimmed.contains(u';') ? trimmed.split(u';') : QStringList{trimmed};
    // "*.pdf; *.jpg" as the hint writes it: the space after ";" is not part
    // of the second pattern.
    for (QString &piece : pieces)
        piece = wordPattern(piece);
    return pieces;
}

// ---- the matcher ---------------------------------------------------------------

WildcardPattern::WildcardPattern(QStringView pattern)
{
    const QList<uint> p = pattern.toUcs4();
    const qsizetype n = p.size();
    Segment current;
    auto closeSegment = [&] {
        current.length = int(m_tokens.size()) - current.first;
        m_segments.push_back(current);
        current = Segment();
        current.first = int(m_tokens.size());
    };
    for (qsizetype i = 0; i < n;) {
        const char32_t c = p[i];
        if (c == U'*') {
            while (i < n && p[i] == U'*')
                ++i;
            ++m_starCount;
            closeSegment();
            continue;
        }
        Token token;
        if (c == U'?') {
            token.kind = Token::Any;
        } else if (c == U'#') {
            token.kind = Token::Digit;
        } else if (c == U'[') {
            qsizetype j = i + 1;
            CharClass charClass;
            if (j < n && p[j] == U'!') {
                charClass.negated = true;
                ++j;
            }
            const qsizetype start = j;
            if (j < n && p[j] == U']')
                ++j; // a "]" first belongs to the list
            while (j < n && p[j] != U']')
                ++j;
            if (j < n) {
                for (qsizetype k = start; k < j;) {
                    if (k + 2 < j && p[k + 1] == U'-') {
                        charClass.ranges.emplace_back(p[k], p[k + 2]);
                        k += 3;
                    } else {
                        charClass.ranges.emplace_back(p[k], p[k]);
                        ++k;
                    }
                }
                token.kind = Token::Class;
                token.classIndex = int(m_classes.size());
                m_classes.push_back(std::move(charClass));
                m_tokens.push_back(token);
                i = j + 1;
                continue;
            }
            token.kind = Token::Literal; // no "]": an ordinary "["
            token.ch = c;
        } else {
            token.kind = Token::Literal;
            token.ch = c;
            if (c == U',')
                m_needsComma = true;
        }
        m_tokens.push_back(token);
        ++i;
    }
    closeSegment();

    for (Segment &segment : m_segments) {
        segment.words = qMax(1, (segment.length + 63) / 64);
        // An empty segment (before a leading or after a trailing star) is
        // never looked up: no tables for it.
        if (segment.length > 0) {
            segment.byteMasks.assign(size_t(256 * segment.words), 0);
            segment.textMasks.assign(size_t(256 * segment.words), 0);
        }
        for (int t = 0; t < segment.length; ++t) {
            const Token &token = m_tokens[size_t(segment.first + t)];
            const quint64 bit = quint64(1) << (t & 63);
            const size_t word = size_t(t >> 6);
            for (int b = 0; b < 256; ++b) {
                const char32_t lowered = cp1252::tables().lower[size_t(b)];
                if (tokenMatches(token, lowered))
                    segment.byteMasks[size_t(b * segment.words) + word] |= bit;
                if (tokenMatches(token, char32_t(b)))
                    segment.textMasks[size_t(b * segment.words) + word] |= bit;
            }
        }
        // The plainest run: literal characters in a row.
        std::u32string run;
        for (int t = 0; t <= segment.length; ++t) {
            const Token *token =
                t < segment.length ? &m_tokens[size_t(segment.first + t)] : nullptr;
            const bool plain = token && token->kind == Token::Literal && token->ch != U'\r' &&
                               token->ch != U'\n' && token->ch != U',';
            if (plain) {
                run.push_back(token->ch);
                continue;
            }
            if (run.size() > m_plainRun.size())
                m_plainRun = run;
            run.clear();
        }
    }
}

bool WildcardPattern::tokenMatches(const Token &token, char32_t c) const
{
    switch (token.kind) {
    case Token::Any:
        return true;
    case Token::Digit:
        return c >= U'0' && c <= U'9';
    case Token::Literal:
        return c == token.ch;
    case Token::Class: {
        const CharClass &charClass = m_classes[size_t(token.classIndex)];
        bool in = false;
        for (const auto &[low, high] : charClass.ranges) {
            if (c >= low && c <= high) {
                in = true;
                break;
            }
        }
        return in != charClass.negated;
    }
    }
    return false;
}

struct SubjectBytes
{
    const unsigned char *p;
    qsizetype n;
    qsizetype size() const { return n; }
    const quint64 *mask(const WildcardPattern::Segment &segment, qsizetype i) const
    {
        return segment.byteMasks.data() + size_t(p[i]) * size_t(segment.words);
    }
};

struct SubjectText
{
    const WildcardPattern &pattern;
    const QList<uint> &text;
    mutable std::vector<quint64> scratch;
    qsizetype size() const { return text.size(); }
    const quint64 *mask(const WildcardPattern::Segment &segment, qsizetype i) const
    {
        const char32_t c = text[i];
        if (c < 256)
            return segment.textMasks.data() + size_t(c) * size_t(segment.words);
        scratch.assign(size_t(segment.words), 0);
        for (int t = 0; t < segment.length; ++t) {
            if (pattern.tokenMatches(pattern.m_tokens[size_t(segment.first + t)], c))
                scratch[size_t(t >> 6)] |= quint64(1) << (t & 63);
        }
        return scratch.data();
    }
};

namespace {

template<typename Subject, typename Segment>
bool matchesAt(const Subject &subject, const Segment &segment, qsizetype at)
{
    for (int t = 0; t < segment.length; ++t) {
        if (!((subject.mask(segment, at + t)[t >> 6] >> (t & 63)) & 1))
            return false;
    }
    return true;
}

// The leftmost start in [from, limit) where the whole segment fits before
// limit, or -1. Shift-and: bit k of the state says the last k + 1 subject
// characters match the segment's first k + 1 tokens.
template<typename Subject, typename Segment>
qsizetype findSegment(const Subject &subject, const Segment &segment, qsizetype from,
                      qsizetype limit)
{
    const int length = segment.length;
    if (limit - from < length)
        return -1;
    const int top = (length - 1) & 63;
    if (segment.words == 1) {
        quint64 state = 0;
        for (qsizetype i = from; i < limit; ++i) {
            state = ((state << 1) | 1) & subject.mask(segment, i)[0];
            if ((state >> top) & 1)
                return i - length + 1;
        }
        return -1;
    }
    std::vector<quint64> state(size_t(segment.words), 0);
    const size_t last = size_t(segment.words - 1);
    for (qsizetype i = from; i < limit; ++i) {
        const quint64 *mask = subject.mask(segment, i);
        quint64 carry = 1;
        for (size_t w = 0; w <= last; ++w) {
            const quint64 next = (state[w] << 1) | carry;
            carry = state[w] >> 63;
            state[w] = next & mask[w];
        }
        if ((state[last] >> top) & 1)
            return i - length + 1;
    }
    return -1;
}

} // namespace

template<typename Subject> bool WildcardPattern::matchWith(const Subject &subject) const
{
    const qsizetype n = subject.size();
    const Segment &head = m_segments.front();
    if (m_starCount == 0)
        return n == head.length && matchesAt(subject, head, 0);
    const Segment &tail = m_segments.back();
    if (n < qsizetype(head.length) + tail.length)
        return false;
    if (!matchesAt(subject, head, 0))
        return false;
    const qsizetype limit = n - tail.length;
    if (!matchesAt(subject, tail, limit))
        return false;
    qsizetype pos = head.length;
    for (size_t k = 1; k + 1 < m_segments.size(); ++k) {
        const Segment &segment = m_segments[k];
        const qsizetype found = findSegment(subject, segment, pos, limit);
        if (found < 0)
            return false;
        pos = found + segment.length;
    }
    return true;
}

bool WildcardPattern::matches(QStringView subject) const
{
    const QList<uint> text = subject.toUcs4();
    return matchWith(SubjectText{*this, text, {}});
}

bool WildcardPattern::matchesBytes(QByteArrayView subject) const
{
    return matchWith(
        SubjectBytes{reinterpret_cast<const unsigned char *>(subject.data()), subject.size()});
}

} // namespace corvane
