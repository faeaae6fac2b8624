#include "StatusColours.h"

#include <QByteArray>

#include <array>
#include <optional>

using namespace Qt::Literals::StringLiterals;

namespace corvane {

namespace {

// The shades of each class, the fixed colours first. Each class has more
// shades than statuses can be shown together (FolderTotals::NamedStatuses
// and "other"), so a free one is always left.
constexpr std::array<QRgb, 9> goodShades = {0x2e9d4a, 0x1f7a3a, 0x6cc070, 0x145c2b, 0x9fd89a,
                                            0x4cb36a, 0x0e4a22, 0x83c99a, 0x3c8c3c};
constexpr std::array<QRgb, 9> partialShades = {0xe8c32a, 0xc9a227, 0xf3de77, 0xa88614, 0xf7eba8,
                                               0xd4b54c, 0x8a6e0e, 0xfff0a0, 0xb89a2e};
constexpr std::array<QRgb, 9> badShades = {0xf08a24, 0xd63c3c, 0x8e243c, 0xe8612c, 0xb52a2a,
                                           0xf4a45c, 0x6b1a2a, 0xc85050, 0xa8401c};
constexpr std::array<QRgb, 11> unknownShades = {0x9e9e9e, 0xd0d0d0, 0x757575, 0xb5b5b5,
                                                0x5a5a5a, 0x8a8a8a, 0xc4c4c4, 0x454545,
                                                0x6a6a6a, 0xe0e0e0, 0xaaaaaa};
static_assert(goodShades.size() > FolderTotals::NamedStatuses);
static_assert(partialShades.size() > FolderTotals::NamedStatuses);
static_assert(badShades.size() > FolderTotals::NamedStatuses);
static_assert(unknownShades.size() > FolderTotals::NamedStatuses);

struct Shades
{
    const QRgb *colours;
    int count;
};

Shades shadesOf(StatusClass statusClass)
{
    switch (statusClass) {
    case StatusClass::Good:
        return {goodShades.data(), int(goodShades.size())};
    case StatusClass::Partial:
        return {partialShades.data(), int(partialShades.size())};
    case StatusClass::Bad:
        return {badShades.data(), int(badShades.size())};
    case StatusClass::Unknown:
        break;
    }
    return {unknownShades.data(), int(unknownShades.size())};
}

// The shade a status always had, if it had one: its place in its class.
std::optional<int> fixedShade(const FolderTotals::Status &status)
{
    switch (status.kind) {
    case FolderTotals::StatusKind::Other:
        return 0;
    case FolderTotals::StatusKind::Unknown:
        return 1;
    case FolderTotals::StatusKind::Word:
        break;
    }
    const QString word = status.word.trimmed().toLower();
    if (word == u"recovered"_s || word == u"ok"_s)
        return 0; // green
    if (word == u"partially recovered"_s)
        return 0; // yellow
    if (word == u"damaged"_s)
        return 0; // orange
    if (word == u"overwritten"_s)
        return 1; // red
    if (word == u"not recovered"_s)
        return 2; // dark red
    return std::nullopt;
}

// Any other word: a shade from its text, the same whatever its case.
int shadeFromText(const FolderTotals::Status &status, int count)
{
    quint32 h = 2166136261u; // FNV-1a
    for (char c : StatusClassTable::key(status.word).toUtf8())
        h = (h ^ uchar(c)) * 16777619u;
    return int(h % quint32(count));
}

int preferredShade(const FolderTotals::Status &status, int count)
{
    if (const std::optional<int> fixed = fixedShade(status))
        return *fixed;
    return shadeFromText(status, count);
}

} // namespace

QColor statusClassColour(StatusClass statusClass)
{
    const Shades shades = shadesOf(statusClass);
    return QColor::fromRgb(shades.colours[statusClass == StatusClass::Bad ? 1 : 0]);
}

StatusClass colourClass(const FolderTotals::Status &status)
{
    if (status.kind != FolderTotals::StatusKind::Word)
        return StatusClass::Unknown;
    return classifyStatus(status.word);
}

QColor statusColour(const FolderTotals::Status &status)
{
    const Shades shades = shadesOf(colourClass(status));
    return QColor::fromRgb(shades.colours[preferredShade(status, shades.count)]);
}

QList<QColor> statusColours(const QList<FolderTotals::Status> &statuses)
{
    QList<QColor> colours(statuses.size());
    QList<QRgb> taken;
    // The fixed colours first, so that a word picked by its text never takes
    // the colour of a usual word shown beside it.
    for (const bool fixedPass : {true, false}) {
        for (qsizetype i = 0; i < statuses.size(); ++i) {
            const FolderTotals::Status &status = statuses[i];
            if (fixedShade(status).has_value() != fixedPass)
                continue;
            const Shades shades = shadesOf(colourClass(status));
            const int first = preferredShade(status, shades.count);
            QRgb chosen = shades.colours[first];
            for (int step = 0; step < shades.count; ++step) {
                const QRgb candidate = shades.colours[(first + step) % shades.count];
                if (!taken.contains(candidate)) {
                    chosen = candidate;
                    break;
                }
            }
            taken.append(chosen);
            colours[i] = QColor::fromRgb(chosen);
        }
    }
    return colours;
}

QList<QColor> statusColours(const FolderTotals &totals)
{
    QList<FolderTotals::Status> statuses;
    statuses.reserve(totals.statusCount());
    for (int s = 0; s < totals.statusCount(); ++s)
        statuses.append(totals.status(s));
    return statusColours(statuses);
}

} // namespace corvane
