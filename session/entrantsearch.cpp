#include "entrantsearch.h"

#include "sjisdecoder.h"

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
    return text.normalized(QString::NormalizationForm_KC).toCaseFolded();
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
