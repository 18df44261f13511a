#include "entrantsearch.h"

#include "sjisdecoder.h"

#include <algorithm>
#include <array>

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

} // namespace

EntrantSearch::EntrantSearch(const ReplayModel &model)
{
    texts_.reserve(model.Entrants.size());
    for (const Entrant &entrant : model.Entrants) {
        texts_.push_back({Folded(DecodeSjis(entrant.Doller.View())), Folded(DecodeSjis(entrant.Owner.View())),
                          Folded(DecodeSjis(entrant.Emblem.View()))});
    }
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
