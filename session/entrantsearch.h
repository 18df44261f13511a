#pragma once

#include "replaymodel.h"

#include <QString>

#include <vector>

namespace ostrel {

// Finds entrants by what a user types: a text contained in an entrant's name,
// owner or emblem. Both sides are compared after NFKC normalisation and case
// folding, so half-width katakana find full-width ones and letter case does
// not matter. The entrants' texts are decoded and folded once, when the
// search is built, so that a query costs only the comparisons.
class EntrantSearch {
public:
    EntrantSearch() = default;
    explicit EntrantSearch(const ReplayModel &model);

    // The form both sides are compared in.
    static QString Folded(const QString &text);

    // The entrants, ascending, whose name, owner or emblem contains text;
    // none for an empty text.
    std::vector<int> Find(const QString &text) const;

    int EntrantCount() const { return int(texts_.size()); }

private:
    struct FoldedTexts {
        QString Name;
        QString Owner;
        QString Emblem;
    };
    std::vector<FoldedTexts> texts_;
};

} // namespace ostrel
