// The wildcard patterns of the term search. The first byte gives the length
// of the term, the rest is the subject. Invariants: every piece of a term's
// pattern list is wrapped in stars; on ASCII text the byte matcher and the
// text matcher agree; a subject always matches a pattern made of its own
// characters (the wildcard ones turned into "?"), with or without stars
// around it; "*" matches everything.

#include "FuzzCheck.h"
#include "search/WildcardPattern.h"

#include <QByteArray>
#include <QString>

#include <cstdint>

using namespace corvane;
using namespace Qt::Literals::StringLiterals;

namespace {

bool isAscii(QByteArrayView bytes)
{
    for (const char c : bytes) {
        if (uchar(c) >= 0x80)
            return false;
    }
    return true;
}

// The subject as a pattern that must match it: each wildcard character
// stands for itself through "?".
QString selfPattern(const QString &subject)
{
    QString pattern = subject;
    for (QChar &c : pattern) {
        if (c == u'*' || c == u'?' || c == u'#' || c == u'[')
            c = u'?';
    }
    return pattern;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const size_t termLength = qMin<size_t>(data[0], size - 1);
    const QByteArrayView termBytes(reinterpret_cast<const char *>(data + 1), qsizetype(termLength));
    const QByteArrayView subject(reinterpret_cast<const char *>(data + 1 + termLength),
                                 qsizetype(size - 1 - termLength));

    const QString term = QString::fromUtf8(termBytes);
    const QStringList patterns = searchPatterns(term);
    FUZZ_CHECK(!patterns.isEmpty());
    for (const QString &pattern : patterns) {
        FUZZ_CHECK(pattern.startsWith(u'*') && pattern.endsWith(u'*'));
        const WildcardPattern compiled(pattern);
        const bool onText = compiled.matches(QString::fromLatin1(subject).toLower());
        const bool onBytes = compiled.matchesBytes(subject);
        if (isAscii(subject) && isAscii(termBytes))
            FUZZ_CHECK(onText == onBytes);
        if (compiled.matchesEverything())
            FUZZ_CHECK(onBytes);
    }

    const QString text = QString::fromUtf8(subject).toLower();
    const QString own = selfPattern(text);
    FUZZ_CHECK(WildcardPattern(own).matches(text));
    FUZZ_CHECK(WildcardPattern(QString(u"*"_s + own + u"*"_s)).matches(text));
    FUZZ_CHECK(WildcardPattern(u"*"_s).matches(text));
    if (isAscii(subject)) {
        const QByteArray lower = subject.toByteArray().toLower();
        FUZZ_CHECK(WildcardPattern(own).matchesBytes(lower));
    }
    return 0;
}
