#include "StatusClasses.h"

#include "TableLines.h"

#include <QFile>

using namespace Qt::Literals::StringLiterals;

static void initStatusClassResources()
{
    Q_INIT_RESOURCE(status_classes);
}

namespace corvane {

namespace {

constexpr std::pair<StatusClass, char16_t const *> classNames[] = {
    {StatusClass::Good, u"good"},
    {StatusClass::Partial, u"partial"},
    {StatusClass::Bad, u"bad"},
    {StatusClass::Unknown, u"unknown"},
};

} // namespace

QString statusClassName(StatusClass statusClass)
{
    for (const auto &[value, name] : classNames) {
        if (value == statusClass)
            return QString::fromUtf16(name);
    }
    return u"unknown"_s;
}

std::optional<StatusClass> statusClassFromName(QStringView name)
{
    for (const auto &[value, text] : classNames) {
        if (name.compare(QStringView(text), Qt::CaseInsensitive) == 0)
            return value;
    }
    return std::nullopt;
}

QString StatusClassTable::key(QStringView word)
{
    return word.trimmed().toString().toCaseFolded();
}

StatusClassTable StatusClassTable::parse(QByteArrayView text, QList<Problem> *problems)
{
    StatusClassTable table;
    const auto problem = [problems](int line, const QString &reason) {
        if (problems)
            problems->append({line, reason});
    };
    forEachTableLine(text, [&](int number, QStringView line) {
        qsizetype gap = 0;
        while (gap < line.size() && !line[gap].isSpace())
            ++gap;
        const QStringView className = line.first(gap);
        const QStringView word = line.sliced(gap).trimmed();
        const std::optional<StatusClass> statusClass = statusClassFromName(className);
        if (!statusClass) {
            problem(number, u"'%1' is no class (good, partial, bad or unknown)"_s.arg(className));
            return;
        }
        if (word.isEmpty()) {
            problem(number, u"no word after the class"_s);
            return;
        }
        const QString k = key(word);
        if (table.m_byKey.contains(k)) {
            problem(number, u"'%1' is in the table already"_s.arg(word));
            return;
        }
        table.m_byKey.insert(k, *statusClass);
        table.m_entries.append({word.toString(), *statusClass});
    });
    return table;
}

StatusClass StatusClassTable::classify(QStringView word) const
{
    return m_byKey.value(key(word), StatusClass::Unknown);
}

bool StatusClassTable::contains(QStringView word) const
{
    return m_byKey.contains(key(word));
}

const StatusClassTable &statusClassTable()
{
    static const StatusClassTable table = [] {
        initStatusClassResources();
        QFile file(u":/corvane/status-classes.txt"_s);
        if (!file.open(QIODevice::ReadOnly))
            return StatusClassTable();
        return StatusClassTable::parse(file.readAll());
    }();
    return table;
}

StatusClass classifyStatus(QStringView word)
{
    return statusClassTable().classify(word);
}

} // namespace corvane
