#include "KindLines.h"

#include "listfile/ByteScan.h"
#include "listfile/ListLine.h"
#include "listfile/ListText.h"

#include <cstring>

namespace corvane {

namespace {

class KindLinesCriterion final : public LineCriterion
{
public:
    KindLinesCriterion(QByteArray key, FileKind kind, std::optional<StatusClass> statusClass)
        : m_key(std::move(key)), m_kind(kind), m_class(statusClass)
    {}

    bool scan(QByteArrayView piece, ListEncoding encoding,
              const std::function<bool(QByteArrayView line)> &emit) override
    {
        const char *p = piece.data();
        const char *const end = p + piece.size();
        while (p < end) {
            const char *lineEnd;
            const LineFields fields = cutLine(p, end, &lineEnd);
            if (lineEnd > p && matches(fields, encoding) && !emit(QByteArrayView(p, lineEnd - p)))
                return false;
            p = afterLineEnd(lineEnd, end);
        }
        return true;
    }

private:
    bool matches(const LineFields &fields, ListEncoding encoding)
    {
        if (hasFolderBit(fields.attributes))
            return false;
        const QByteArrayView path = fields.path;
        const char *slash =
            path.isEmpty()
                ? nullptr
                : static_cast<const char *>(::memrchr(path.data(), '\\', size_t(path.size())));
        if (!m_key.isEmpty()) {
            if (!slash)
                return false;
            const char *first =
                static_cast<const char *>(std::memchr(path.data(), '\\', size_t(path.size())));
            const QByteArrayView below(first + 1, slash + 1 - (first + 1));
            if (!below.startsWith(QByteArrayView(m_key)))
                return false;
        }
        const QByteArrayView name =
            slash ? QByteArrayView(slash + 1, path.data() + path.size() - (slash + 1)) : path;
        if (kindOfName(name) != m_kind)
            return false;
        return !m_class || classOf(fields, encoding) == *m_class;
    }

    StatusClass classOf(const LineFields &fields, ListEncoding encoding)
    {
        return fields.hasStatus ? m_classes.classOf(fields.status, encoding) : StatusClass::Unknown;
    }

    QByteArray m_key;
    FileKind m_kind;
    std::optional<StatusClass> m_class;
    StatusWordClasses m_classes;
};

} // namespace

std::unique_ptr<LineCriterion> kindLinesCriterion(const QByteArray &keyBelowRoot, FileKind kind,
                                                  std::optional<StatusClass> statusClass)
{
    return std::make_unique<KindLinesCriterion>(keyBelowRoot, kind, statusClass);
}

} // namespace corvane
