#include "CheckPicked.h"

#include "CheckList.h"
#include "CheckMatcher.h"

namespace corvane {

namespace {

class EntriesCriterion final : public LineCriterion
{
public:
    explicit EntriesCriterion(const QStringList &patterns) : m_matcher(patterns) {}

    bool scan(QByteArrayView piece, ListEncoding encoding,
              const std::function<bool(QByteArrayView line)> &emit) override
    {
        return m_matcher.scan(
            piece, encoding,
            [&emit](QByteArrayView line, const std::vector<int> &) { return emit(line); });
    }

private:
    CheckMatcher m_matcher;
};

} // namespace

std::unique_ptr<LineCriterion> checkEntriesCriterion(const QStringList &entries)
{
    QStringList patterns;
    patterns.reserve(entries.size());
    for (const QString &entry : entries)
        patterns.append(checkEntryPattern(entry));
    return std::make_unique<EntriesCriterion>(patterns);
}

} // namespace corvane
