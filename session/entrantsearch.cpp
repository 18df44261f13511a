#include "entrantsearch.h"

#include "sjisdecoder.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <unordered_map>

namespace ostrel {

namespace {

struct FullFolding {
    char16_t From;
    std::array<char16_t, 3> To;
};
constexpr FullFolding FullFoldings[] = {
#include "fullcasefolding.inc"
};

const FullFolding *FullFoldingOf(QChar c)
{
    const auto at = std::lower_bound(std::begin(FullFoldings), std::end(FullFoldings), c.unicode(),
                                     [](const FullFolding &entry, char16_t code) { return entry.From < code; });
    return at != std::end(FullFoldings) && at->From == c.unicode() ? at : nullptr;
}

// Qt folds one character to one; the few that fold to several are looked up.
QString CaseFolded(const QString &text)
{
    const auto multiple = [](QChar c) { return c.unicode() >= FullFoldings[0].From && FullFoldingOf(c); };
    if (std::none_of(text.begin(), text.end(), multiple))
        return text.toCaseFolded();
    QString folded;
    folded.reserve(text.size() + 2);
    for (const QChar c : text) {
        if (const FullFolding *entry = FullFoldingOf(c)) {
            for (const char16_t unit : entry->To) {
                if (unit != 0)
                    folded += QChar(unit);
            }
        } else {
            folded += c;
        }
    }
    return folded.toCaseFolded();
}

// Plain ASCII is its own NFKC form, and folds as it lowers.
QString FoldedBytes(std::string_view bytes)
{
    if (std::all_of(bytes.begin(), bytes.end(), [](char c) { return uchar(c) < 0x80; }))
        return QString::fromLatin1(bytes.data(), qsizetype(bytes.size())).toLower();
    return EntrantSearch::Folded(DecodeSjis(bytes));
}

} // namespace

// Owners and emblems repeat across a field of entrants: each distinct text
// is decoded and folded once, and the entrants that share it share its copy.
EntrantSearch::EntrantSearch(const ReplayModel &model)
{
    std::unordered_map<std::string_view, QString> folded;
    folded.reserve(model.Entrants.size() * 2);
    const auto fold = [&folded](std::string_view bytes) -> const QString & {
        const auto [at, added] = folded.try_emplace(bytes);
        if (added)
            at->second = FoldedBytes(bytes);
        return at->second;
    };
    texts_.reserve(model.Entrants.size());
    for (const Entrant &entrant : model.Entrants)
        texts_.push_back({fold(entrant.Doller.View()), fold(entrant.Owner.View()), fold(entrant.Emblem.View())});
}

QString EntrantSearch::Folded(const QString &text)
{
    return CaseFolded(text.normalized(QString::NormalizationForm_KC));
}

std::vector<int> EntrantSearch::Find(const QString &text) const
{
    std::vector<int> found;
    const QString needle = Folded(text);
    if (needle.isEmpty())
        return found;
    for (std::size_t i = 0; i < texts_.size(); ++i) {
        const FoldedTexts &entrant = texts_[i];
        if (entrant.Name.contains(needle) || entrant.Owner.contains(needle) || entrant.Emblem.contains(needle))
            found.push_back(int(i));
    }
    return found;
}

} // namespace ostrel
